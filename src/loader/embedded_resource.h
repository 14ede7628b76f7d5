// The bytes of a resource built into the tool, by type and id.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace pantrel {

// Resource type and id of the specification schema.
inline constexpr std::string_view SCHEMA_RESOURCE_TYPE = "XML";

// The bytes of a resource built into the tool, addressed like a Windows resource: a type name
// (compared without regard to ASCII letter case) and a numeric id. The bytes are the file as it
// was at build time, without header or terminating zero. Nothing when there is no such resource.
std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type, int id);

}  // namespace pantrel
