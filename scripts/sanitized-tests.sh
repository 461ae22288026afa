#!/usr/bin/env bash
# Builds the logic libraries, the tool and their tests (the fuzz replays among them) with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and runs those tests: a stray
# read, a leak or undefined arithmetic fails the run. The windows are left out, as Qt is not
# built with the sanitizers. At -O1, as AddressSanitizer advises for usable speed; LeakSanitizer
# skips what scripts/leak-suppressions.txt names.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DASAN=ON -DQUILLMARK_BUILD_UI=OFF -DQUILLMARK_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
cmake --build build-asan -j2
export LSAN_OPTIONS="suppressions=$PWD/scripts/leak-suppressions.txt print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j2
