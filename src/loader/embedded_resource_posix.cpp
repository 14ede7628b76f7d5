#include <algorithm>
#include <array>

#include "loader/embedded_resource.h"

namespace pantrel {

namespace embedded {
// Generated at build time from res/Sterowniki.xsd.
extern const unsigned char kSchemaXml110[];
extern const std::size_t kSchemaXml110Size;
}  // namespace embedded

namespace {

struct ResourceEntry {
    std::string_view type;
    int id;
    const unsigned char* bytes;
    const std::size_t* size;
};

const std::array kResources{
    ResourceEntry{SCHEMA_RESOURCE_TYPE, 110, embedded::kSchemaXml110, &embedded::kSchemaXml110Size},
};

bool SameTypeName(std::string_view left, std::string_view right) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return std::ranges::equal(left, right, {}, upper, upper);
}

}  // namespace

std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type, int id) {
    for (const ResourceEntry& entry : kResources) {
        if (entry.id == id && SameTypeName(entry.type, type)) {
            return std::as_bytes(std::span{entry.bytes, *entry.size});
        }
    }
    return std::nullopt;
}

}  // namespace pantrel
