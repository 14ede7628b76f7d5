// The entries an install of a loaded file would leave in a store of their own, as model numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "loader/specification_loader.h"
#include "registry/listing_order.h"
#include "registry/registration_result.h"

namespace pantrel {

// What -validate lists: one row per entry an install into an empty store would write, each a
// model's number among the file's records, so that a million models cost a few bytes each.
struct PlannedEntries {
    struct Row {
        std::uint32_t model = 0;  // index into the records' models
        DeviceKind kind = DeviceKind::CashRegister;
    };
    std::vector<Row> rows;
    // What the install would answer: Done, or the values the store would refuse.
    RegistrationResult result;
    DocumentHolder document;  // holds the records the rows point into
    std::string path;         // the data of every entry

    // The row's texts as the list would read them back from the store.
    ListedEntry EntryOf(const Row& row) const;
};

// The entries an install of the loaded file into an empty store would write and the list would
// then show, computed without a store: the kinds in install order, each model's entry named as
// the install names it, a value the store would refuse refused likewise (and the result saying
// so), names that fold alike within a kind kept once in their first spelling, every entry
// holding `path`.
PlannedEntries PlanInstallEntries(const DocumentHolder& document, const std::string& path);

}  // namespace pantrel
