#!/usr/bin/env bash
# Open and refresh times of the section-details window (断面详情), beside
# their frame budgets and beside the former rich-text values, in one run.
#
#   bash bench/section-details.sh            # builds the release preset first
#   RUNS=101 SKIP_BUILD=1 bash bench/section-details.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/release}
if [ -z "${SKIP_BUILD:-}" ]; then
    (cd "$root" && cmake --preset release >/dev/null &&
        cmake --build "$build" --target section_details_timing)
fi
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bench/section_details_timing"
