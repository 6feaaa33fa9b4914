#!/usr/bin/env bash
# Runs clang-tidy over every project source in the default preset's
# compilation database: the code CMake generates under build/ (moc, rcc) and
# the fuzz targets are left out. The product code gets the checks in
# .clang-tidy, the tests the cheaper set in tests/.clang-tidy. Fails on any
# finding.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/packages.sh"
bash "$root/tools/install-deps.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cd "$root"
cmake --preset default >/dev/null

sources="^$root/(app|bench|cad|files|hydraulics|io|table|tests/(?!fuzz/))"
started=$(date +%s)
# With pipefail the pipeline fails when run-clang-tidy does, that is when any
# source has a finding; the filter only drops clang-tidy's progress chatter.
if run-clang-tidy -quiet -j2 -p build/default "$sources" 2>&1 |
    { grep -v -E '^[0-9]+ warnings? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' || true; }; then
    status=0
else
    status=1
fi
echo "tidy: $(($(date +%s) - started)) s, $([ $status -eq 0 ] && echo clean || echo 'findings above')"
exit $status
