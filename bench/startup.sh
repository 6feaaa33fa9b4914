#!/usr/bin/env bash
# Start-up of the program beside a bare Qt window showing the same 11 x 12
# table: the time from starting each to its first mapped window, under one
# Xvfb server, RUNS times each (default 15), taken in turns after one warm-up
# start of each. Prints every figure, the two medians and their ratio.
#
#   bash bench/startup.sh            # builds the release preset first
#   RUNS=31 SKIP_BUILD=1 bash bench/startup.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/release}
runs=${RUNS:-15}

if [ -z "${SKIP_BUILD:-}" ]; then
    (cd "$root" && cmake --preset release >/dev/null &&
        cmake --build "$build" --target trapezoid-channel bare_table_window first_map_timer)
fi
if [ -z "${STARTUP_UNDER_XVFB:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" \
        env STARTUP_UNDER_XVFB=1 SKIP_BUILD=1 BUILD_DIR="$build" RUNS="$runs" bash "$0"
fi

timer=$build/bench/first_map_timer
bare=$build/bench/bare_table_window
program=$build/app/trapezoid-channel
# A folder of its own: no template or instructions file to pick up.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

"$timer" "$bare" >/dev/null 2>&1 || true
"$timer" "$program" >/dev/null 2>&1 || true
: >"$work/bare.txt"
: >"$work/program.txt"
for _ in $(seq "$runs"); do
    "$timer" "$bare" >>"$work/bare.txt" || echo "bare window: a start not counted" >&2
    "$timer" "$program" >>"$work/program.txt" || echo "program: a start not counted" >&2
done
bare_median=$(median <"$work/bare.txt")
program_median=$(median <"$work/program.txt")
echo "bare Qt window (ms):   $(tr '\n' ' ' <"$work/bare.txt")"
echo "trapezoid-channel (ms): $(tr '\n' ' ' <"$work/program.txt")"
echo "median to first mapped window: bare $bare_median ms, program $program_median ms"
awk -v p="$program_median" -v b="$bare_median" 'BEGIN { printf "ratio program / bare: %.2f\n", p / b }'
