#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from
# seeds made from files the program writes and from tests/fuzz/corpus/.
# Prints the executions per target; fails when any target crashes, hangs,
# runs out of memory or finds a broken property (the input is kept under
# build/fuzz/run/artifacts/).
#   tools/fuzz.sh [seconds per target]   (default 60, or $FUZZ_SECONDS)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/packages.sh"
bash "$root/tools/install-deps.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

seconds="${1:-${FUZZ_SECONDS:-60}}"
targets=(element_file tabular_text number_reading instructions dxf_export)

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

bin="$root/build/fuzz/tests/fuzz"
run="$root/build/fuzz/run"
rm -rf "$run/seeds" "$run/artifacts"
mkdir -p "$run/seeds" "$run/artifacts"
"$bin/fuzz_seeds" "$run/seeds" "$root/resources/说明.txt"
cp "$root/resources/normal" "$run/seeds/element_file/normal.efs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
printf '%-16s %12s  %s\n' "target" "executions" "result"
for target in "${targets[@]}"; do
    corpus="$run/corpus/$target"
    mkdir -p "$corpus"
    inputs=("$corpus" "$run/seeds/$target")
    [ -d "$root/tests/fuzz/corpus/$target" ] && inputs+=("$root/tests/fuzz/corpus/$target")
    log="$run/$target.log"
    result=passed
    if ! "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$run/artifacts/$target-" \
        "${inputs[@]}" >"$log" 2>&1; then
        result=FAILED
        failed+=("$target")
    fi
    executions="$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' || true)"
    printf '%-16s %12s  %s\n' "$target" "${executions:-?}" "$result"
done

for target in "${failed[@]}"; do
    echo "---- $target (log: $run/$target.log)"
    grep -B2 -A30 -m1 -E 'ERROR|property failed|runtime error|deadly signal' "$run/$target.log" || tail -40 "$run/$target.log"
    ls "$run/artifacts/$target-"* 2>/dev/null || true
done
[ ${#failed[@]} -eq 0 ]
