#!/usr/bin/env bash
# Builds everything with the tests and runs them all (no display or audio
# device needed). `tools/test.sh sanitize` does the same under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/packages.sh"
bash "$root/tools/install-deps.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

preset="${1:-default}"
cd "$root"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"
