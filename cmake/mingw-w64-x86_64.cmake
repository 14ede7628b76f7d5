# Cross-building Pantrel for 64-bit Windows with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PANTREL_MINGW_TRIPLET x86_64-w64-mingw32)
set(PANTREL_WINDOWS_BUILD_DIR build-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
