#!/usr/bin/env bash
# Start-up of the program beside a bare Qt window showing the same 11 x 12
# table: the time from starting each to its first mapped window and to its
# first full frame, and the time a first click on a cell takes to be
# answered, under one Xvfb server, RUNS times each (default 15), taken in
# turns after one warm-up start of each. A third contender, the bare window
# with Qt Charts, OpenGL and PrintSupport loaded, shows what those libraries
# would cost at start. Prints every figure, the load average, the medians,
# their ratios to the bare window and the median of the ratios turn by turn.
#
#   bash bench/startup.sh            # builds the release preset first
#   RUNS=31 SKIP_BUILD=1 bash bench/startup.sh
set -euo pipefail
runs=${RUNS:-15}
# shellcheck source=bench/xvfb-bench.sh
source "$(dirname "$0")/xvfb-bench.sh" trapezoid-channel bare_table_window first_map_timer

timer=$build/bench/first_map_timer
bare=$build/bench/bare_table_window
program=$build/app/trapezoid-channel

# The libraries only the section-details window, printing and export need:
# the bare window with them loaded beside the bare window shows what their
# loading at start would cost.
late_libraries=$(ldd "$program" | awk '/libQt6(Charts|OpenGL|OpenGLWidgets|PrintSupport)\.so/ { print $3 }' | paste -sd:)
late_libraries=${late_libraries:-$(for l in Charts OpenGL OpenGLWidgets PrintSupport; do
    ls /usr/lib/*/libQt6$l.so.6 2>/dev/null; done | paste -sd:)}

start() { # <command...>: one start's three times, or nothing when it was not measured
    "$timer" "$@" 2>/dev/null || true
}

start "$bare" >/dev/null
start "$program" >/dev/null
loads=()
names=(bare program bare+libraries)
for name in "${names[@]}"; do : >"$work/$name.txt"; done
# One turn is one start of each; a turn counts only when all three were
# measured, so the lines of the three files stay paired.
for _ in $(seq "$runs"); do
    b=$(start "$bare")
    p=$(start "$program")
    l=$(LD_PRELOAD=$late_libraries start "$bare")
    if [ -n "$b" ] && [ -n "$p" ] && [ -n "$l" ]; then
        echo "$b" >>"$work/bare.txt"
        echo "$p" >>"$work/program.txt"
        echo "$l" >>"$work/bare+libraries.txt"
    else
        echo "a turn not counted" >&2
    fi
    loads+=("$(cut -d' ' -f1 /proc/loadavg)")
done
echo "load average during the runs: ${loads[*]}"
for name in "${names[@]}"; do
    echo "$name (map frame click, ms):"
    sed 's/^/    /' "$work/$name.txt"
done
column_median() { cut -d' ' -f"$2" <"$work/$1.txt" | median; }
# The program's time over the bare window's in the same turn: the two
# started a moment apart, so a slow spell of the machine weighs on both.
paired_ratio_median() {
    paste -d' ' <(cut -d' ' -f"$2" <"$work/$1.txt") <(cut -d' ' -f"$2" <"$work/bare.txt") |
        awk '{ print $1 / $2 }' | median
}
labels=("first mapped window" "first full frame" "first click answered")
for column in 1 2 3; do
    b=$(column_median bare $column)
    p=$(column_median program $column)
    l=$(column_median bare+libraries $column)
    pr=$(paired_ratio_median program $column)
    lr=$(paired_ratio_median bare+libraries $column)
    awk -v what="${labels[column - 1]}" -v p="$p" -v b="$b" -v l="$l" -v pr="$pr" -v lr="$lr" 'BEGIN {
        printf "median %-21s bare %7.2f ms, program %7.2f ms (%.2fx; turn by turn %.2fx), bare with the late libraries %7.2f ms (%.2fx; %.2fx)\n",
            what ":", b, p, p / b, pr, l, l / b, lr }'
done
echo "load average now: $(cut -d' ' -f1-3 /proc/loadavg)"
