// Win32 status numbers, key access rights and value types shared by every store.
#pragma once

#include <cstdint>

namespace pantrel {

// Registry operations answer with the Win32 status numbers, so that the same callers run on the
// Windows registry and on the stand-in store.
using Status = std::int32_t;

inline constexpr Status ERROR_SUCCESS_STATUS = 0;
inline constexpr Status ERROR_FILE_NOT_FOUND_STATUS = 2;
inline constexpr Status ERROR_PATH_NOT_FOUND_STATUS = 3;
inline constexpr Status ERROR_ACCESS_DENIED_STATUS = 5;
inline constexpr Status ERROR_INVALID_HANDLE_STATUS = 6;
inline constexpr Status ERROR_INVALID_DATA_STATUS = 13;
inline constexpr Status ERROR_OUTOFMEMORY_STATUS = 14;
inline constexpr Status ERROR_INVALID_PARAMETER_STATUS = 87;
inline constexpr Status ERROR_DISK_FULL_STATUS = 112;
inline constexpr Status ERROR_BUSY_STATUS = 170;
inline constexpr Status ERROR_MORE_DATA_STATUS = 234;
inline constexpr Status ERROR_NO_MORE_ITEMS_STATUS = 259;
inline constexpr Status ERROR_BADDB_STATUS = 1009;
inline constexpr Status ERROR_REGISTRY_IO_FAILED_STATUS = 1016;
inline constexpr Status ERROR_NOT_REGISTRY_FILE_STATUS = 1017;
inline constexpr Status ERROR_KEY_DELETED_STATUS = 1018;
inline constexpr Status ERROR_KEY_HAS_CHILDREN_STATUS = 1020;

// Access rights with which keys are opened.
inline constexpr std::uint32_t KEY_READ_ACCESS = 0x20019;
inline constexpr std::uint32_t KEY_SET_VALUE_ACCESS = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY_ACCESS = 0x0004;
inline constexpr std::uint32_t KEY_READ_WRITE_ACCESS =
    KEY_READ_ACCESS | KEY_SET_VALUE_ACCESS | KEY_CREATE_SUB_KEY_ACCESS;  // 0x2001F

// Value types the tool meets.
inline constexpr std::uint32_t REG_NONE_TYPE = 0;
inline constexpr std::uint32_t REG_SZ_TYPE = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ_TYPE = 2;
inline constexpr std::uint32_t REG_BINARY_TYPE = 3;
inline constexpr std::uint32_t REG_DWORD_TYPE = 4;
inline constexpr std::uint32_t REG_MULTI_SZ_TYPE = 7;

}  // namespace pantrel
