#pragma once

#include <windows.h>

#include <string>

namespace pantrel::win32 {

// A string of the module's string table; empty when it has none with that number.
std::wstring LoadWideString(HINSTANCE module, unsigned id);

}  // namespace pantrel::win32
