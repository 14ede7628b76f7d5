// The order of the model list, compared on the entries' texts where they lie.
#pragma once

#include <string_view>

#include "kinds/device_kind.h"

namespace pantrel {

// One model entry as -list and -validate print it, its texts viewed where the caller keeps them.
struct ListedEntry {
    DeviceKind kind = DeviceKind::CashRegister;
    std::string_view model;
    std::string_view producer;
    std::string_view path;
};

// Whether `a` comes before `b` in the order -list and -validate print: model names by their
// Windows-1250 bytes (as Windows1250SortKey orders them), ties by kind code, producer and path,
// so that the order is the same on every run.
bool ListsBefore(const ListedEntry& a, const ListedEntry& b);

}  // namespace pantrel
