#include "registry/compact_model_listing.h"

#include "registry/registered_models.h"

namespace pantrel {

void CompactModelListing::Add(DeviceKind kind, std::string_view valueName, std::string_view path) {
    // Entries of one file come one after another: the last path is looked at first.
    std::uint32_t pathIndex = 0;
    if (!paths_.empty() && paths_.back() == path) {
        pathIndex = static_cast<std::uint32_t>(paths_.size() - 1);
    } else if (const auto known = pathIndex_.find(std::string{path}); known != pathIndex_.end()) {
        pathIndex = known->second;
    } else {
        pathIndex = static_cast<std::uint32_t>(paths_.size());
        paths_.emplace_back(path);
        pathIndex_.emplace(path, pathIndex);
    }
    const std::size_t bar = valueName.find('|');
    Row row;
    row.nameOffset = names_.size();
    row.nameLength = static_cast<std::uint32_t>(valueName.size());
    row.modelLength =
        static_cast<std::uint32_t>(bar == std::string_view::npos ? valueName.size() : bar);
    row.path = pathIndex;
    row.kind = kind;
    names_.append(valueName);
    rows_.push_back(row);
}

ListedEntry CompactModelListing::EntryOf(const Row& row) const {
    const std::string_view name = std::string_view{names_}.substr(row.nameOffset, row.nameLength);
    ListedEntry entry;
    entry.kind = row.kind;
    entry.model = name.substr(0, row.modelLength);
    entry.producer = row.modelLength < name.size() ? name.substr(row.modelLength + 1) : "";
    entry.path = paths_[row.path];
    return entry;
}

CompactModels ReadCompactModelListing(RegistryStore& hive) {
    CompactModels read;
    read.failure = ForEachRegisteredEntry(
        hive, [&read](DeviceKind kind, std::string_view name, std::string_view data) {
            read.listing.Add(kind, name, data);
        });
    return read;
}

}  // namespace pantrel
