#pragma once

#include <string>

#include "kinds/device_kind.h"

namespace pantrel {

// One row of the model list: one model entry of the registry and the kind it was read under.
struct ListRow {
    DeviceKind kind = DeviceKind::CashRegister;
    std::string model;
    std::string producer;
    std::string path;  // the specification file the model was registered from
};

// The list's columns.
inline constexpr int KIND_COLUMN = 0;
inline constexpr int MODEL_COLUMN = 1;
inline constexpr int PRODUCER_COLUMN = 2;
inline constexpr int PATH_COLUMN = 3;
inline constexpr int LIST_COLUMN_COUNT = 4;

}  // namespace pantrel
