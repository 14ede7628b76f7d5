// The loader's COM-style status numbers.
#pragma once

#include <cstdint>

namespace pantrel {

// COM-style status of the loader: 0 for success, negative for failure; callers look at the sign.
using HResult = std::int32_t;
inline constexpr HResult S_OK_STATUS = 0;
inline constexpr HResult E_FAIL_STATUS = static_cast<HResult>(0x80004005u);
inline constexpr HResult E_POINTER_STATUS = static_cast<HResult>(0x80004003u);
inline constexpr HResult E_OUTOFMEMORY_STATUS = static_cast<HResult>(0x8007000Eu);

}  // namespace pantrel
