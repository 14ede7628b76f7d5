# Cross-building Pantrel for 32-bit Windows (the tills that still run it) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(PANTREL_MINGW_TRIPLET i686-w64-mingw32)
set(PANTREL_WINDOWS_BUILD_DIR build-windows-x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
