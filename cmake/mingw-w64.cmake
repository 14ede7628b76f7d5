# What the toolchain files of both Windows architectures share; they set CMAKE_SYSTEM_PROCESSOR,
# PANTREL_MINGW_TRIPLET and PANTREL_WINDOWS_BUILD_DIR first. Posix thread model: the win32
# variant of GCC 12 has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PANTREL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PANTREL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PANTREL_MINGW_TRIPLET}-windres)

# Third-party libraries built from Debian's sources land in PANTREL_DEPS_PREFIX (set by
# scripts/build-windows.sh); nothing of the build machine's own libraries is looked at.
if(DEFINED ENV{PANTREL_DEPS_PREFIX})
  set(PANTREL_DEPS_PREFIX "$ENV{PANTREL_DEPS_PREFIX}")
else()
  set(PANTREL_DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../${PANTREL_WINDOWS_BUILD_DIR}/deps/prefix")
endif()
set(CMAKE_FIND_ROOT_PATH ${PANTREL_DEPS_PREFIX} /usr/${PANTREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained exe: the C and C++ run-times linked in, nothing to place beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/wine)
