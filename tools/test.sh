#!/usr/bin/env bash
# Builds VELTRA2 and runs every test headless (no display needed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELTRA2_BUILD_DIR:-$root/build}
"$root/tools/setup.sh"

# Formatting is part of the test: the same style everywhere.
(cd "$root" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)

export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
