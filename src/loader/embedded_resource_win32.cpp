#include <windows.h>

#include <string>

#include "loader/embedded_resource.h"

namespace pantrel {

std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type, int id) {
    // Resource type names are ASCII and compared without regard to case by FindResource.
    const std::wstring typeName(type.begin(), type.end());
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), typeName.c_str());
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    // A loaded resource stays mapped for the life of the module: nothing to free.
    return std::span{static_cast<const std::byte*>(bytes), SizeofResource(module, found)};
}

}  // namespace pantrel
