#!/usr/bin/env bash
# Builds VELTRA2 and runs every test headless (no display needed), twice:
#  1. the program as it ships (build/);
#  2. a checking build (build-check/, clang) with AddressSanitizer and
#     UndefinedBehaviorSanitizer, where any report fails a test, plus a short
#     run of every fuzzer.
# Set VELTRA2_QUICK=1 to skip the checking build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELTRA2_BUILD_DIR:-$root/build}
check=${VELTRA2_CHECK_DIR:-$root/build-check}
"$root/tools/setup.sh"

# Formatting is part of the test: the same style everywhere.
(cd "$root" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)

export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
(cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
[ "${VELTRA2_QUICK:-0}" = 1 ] && exit 0

CC=clang CXX=clang++ cmake -S "$root" -B "$check" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELTRA2_SANITIZE=ON -DVELTRA2_FUZZ=ON >/dev/null
cmake --build "$check" -j "$(nproc)"
cd "$check"
ctest --output-on-failure -j "$(nproc)" --timeout 600
