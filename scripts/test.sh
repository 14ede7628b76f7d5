#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test: once in the normal build and once more built
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each folder of src/ includes only the folders below it.
bash scripts/check-layers.sh

bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPANTREL_SANITIZE=ON -DPANTREL_BUILD_BENCH=OFF
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

# The loader under libFuzzer for a minute, from the test files and the examples (clang only).
bash scripts/fuzz.sh 60

# The Windows build: pantrel.exe and its tests under Wine, the resources it carries.
bash scripts/test-windows.sh
bash scripts/check-windows-resources.sh build-windows/pantrel.exe
