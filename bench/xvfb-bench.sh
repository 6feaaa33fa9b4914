# shellcheck shell=bash
# Sourced by the benchmark scripts that time the program on an X display:
# builds what they time, runs them on a display of their own, and gives them
# a folder of their own and a median.
#
#   source "$(dirname "$0")/xvfb-bench.sh" <release targets...>
# sets root, build (BUILD_DIR, default build/release) and work, and has
# changed into work.

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/release}

# Built once, before the script runs again on its display.
if [ -z "${SKIP_BUILD:-}" ]; then
    (cd "$root" && cmake --preset release >/dev/null && cmake --build "$build" --target "$@")
fi
if [ -z "${BENCH_UNDER_XVFB:-}" ]; then
    export BENCH_UNDER_XVFB=1 SKIP_BUILD=1 BUILD_DIR="$build"
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0"
fi

# A folder of its own: no template or instructions file to pick up.
# shellcheck disable=SC2034 # the sourcing script's
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
