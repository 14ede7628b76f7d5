// Every registered model entry held compactly for -list: one text, paths kept once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kinds/device_kind.h"
#include "registry/listing_order.h"
#include "registry/registry_store.h"

namespace pantrel {

// The entries of a registry that may hold a million models: their value names one after another
// in one text, and each path once, since thousands of models come from one file.
class CompactModelListing {
public:
    struct Row {
        std::size_t nameOffset = 0;     // of the value name, "model|producer", in the text
        std::uint32_t modelLength = 0;  // up to the first '|'
        std::uint32_t nameLength = 0;
        std::uint32_t path = 0;  // index into the paths
        DeviceKind kind = DeviceKind::CashRegister;
    };

    // Adds an entry; its texts are copied.
    void Add(DeviceKind kind, std::string_view valueName, std::string_view path);

    std::vector<Row>& rows() noexcept { return rows_; }
    // The entry's texts as ReadRegisteredModels splits them: the model before the first '|',
    // the producer after it.
    ListedEntry EntryOf(const Row& row) const;

private:
    std::string names_;
    std::vector<std::string> paths_;
    std::unordered_map<std::string, std::uint32_t> pathIndex_;
    std::vector<Row> rows_;
};

// Reads every entry as ReadRegisteredModels does; `failure` as in ModelListing.
struct CompactModels {
    CompactModelListing listing;
    Status failure = ERROR_SUCCESS_STATUS;
};
CompactModels ReadCompactModelListing(RegistryStore& hive);

}  // namespace pantrel
