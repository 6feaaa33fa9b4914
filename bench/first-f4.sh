#!/usr/bin/env bash
# The first F4 (断面详情) in the running program, timed from outside it: from
# the key press to the section-details window's first full frame, under one
# Xvfb server. Two starts in turns, RUNS times each (default 15): F4 pressed
# at once after the first click is answered, when the window has to be made
# on demand (the module with Qt Charts loaded, the window built and painted
# for the first time), and F4 pressed after DELAY_MS (default 2500) at idle,
# when the program has made the window hidden in advance. Prints every
# figure, the load average and both medians beside the frame budget.
#
#   bash bench/first-f4.sh            # builds the release preset first
#   RUNS=31 SKIP_BUILD=1 bash bench/first-f4.sh
set -euo pipefail
runs=${RUNS:-15}
delay=${DELAY_MS:-2500}
# shellcheck source=bench/xvfb-bench.sh
source "$(dirname "$0")/xvfb-bench.sh" trapezoid-channel first_map_timer

timer=$build/bench/first_map_timer
program=$build/app/trapezoid-channel

run() { # <name> <delay>: one start; its F4 time appended to <name>.txt
    "$timer" --f4-after "$2" "$program" 2>/dev/null | cut -d' ' -f4 >>"$work/$1.txt" ||
        echo "$1: a start not counted" >&2
}

"$timer" "$program" >/dev/null 2>&1 || true
: >"$work/at-once.txt"
: >"$work/at-idle.txt"
loads=()
for _ in $(seq "$runs"); do
    run at-once 0
    run at-idle "$delay"
    loads+=("$(cut -d' ' -f1 /proc/loadavg)")
done
echo "load average during the runs: ${loads[*]}"
for name in at-once at-idle; do
    echo "$name (ms from F4 to the window's first full frame): $(paste -sd' ' "$work/$name.txt")"
done
once=$(median <"$work/at-once.txt")
idle=$(median <"$work/at-idle.txt")
awk -v once="$once" -v idle="$idle" -v delay="$delay" 'BEGIN {
    printf "median first F4 after %d ms at idle (window made hidden in advance): %6.2f ms   budget 16 ms\n", delay, idle
    printf "median first F4 at once after start (window made on demand):        %6.2f ms\n", once }'
echo "load average now: $(cut -d' ' -f1-3 /proc/loadavg)"
