// The namespace of driver files.
#pragma once

#include <string_view>

namespace pantrel {

// The namespace of driver specification files. The embedded schema's target and default
// namespace, the key under which the loader compiles that schema and the URI bound to the query
// prefix Zelvar are this one string; stored files carry it, so it never changes.
inline constexpr std::string_view SPECIFICATION_NAMESPACE =
    "http://www.pantrel.pl/UF/Sterowniki.xsd";

}  // namespace pantrel
