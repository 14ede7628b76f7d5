#include "install/planned_entries.h"

#include "loader/specification_document.h"

namespace pantrel {

ListedEntry PlannedEntries::EntryOf(const Row& row) const {
    const SpecificationRecords& records = document->records();
    const ModelRecord& model = records.models()[row.model];
    // The schema keeps '|' out of model names and driver producers, so the list splits the
    // entry's name "model|producer" back into these two texts.
    ListedEntry entry;
    entry.kind = row.kind;
    entry.model = records.Name(model);
    entry.producer = records.DriverOf(model).producer;
    entry.path = path;
    return entry;
}

}  // namespace pantrel
