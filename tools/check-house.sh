#!/usr/bin/env bash
# The house rules that the build does not check: every C++ file formatted by
# .clang-format, the plain C++ files free of Qt, and a clean clang-tidy run.
# Run after tools/test.sh, whose build (build/default) gives clang-tidy its
# compile commands.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source tools/packages.sh
bash tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

echo "== format"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== Qt-free"
# The formulas, the number reading and the table's layout build in libraries
# that link Qt, but must compile with the standard library alone (the CAD
# core's files are compiled so by tools/check-wine.sh).
c++ -std=c++20 -fsyntax-only -I"$root" hydraulics/ChannelElements.cpp hydraulics/DepthScan.cpp \
    hydraulics/FlowAnalysis.cpp hydraulics/Plausibility.cpp hydraulics/SectionDesign.cpp table/NumberReading.cpp \
    table/ElementsLayout.cpp

echo "== tidy"
bash tools/tidy.sh
