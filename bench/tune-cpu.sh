#!/usr/bin/env bash
# CPU cost of the background tune: plays it through the program's audio
# driver settings and through FluidSynth's defaults, in turns, RUNS times
# each (default 5) for SECONDS each (default 10), on a PulseAudio server with
# a null sink (real-time pacing, no sound card needed) started for the run.
# Prints every figure, the medians side by side and the load average.
#
#   bash bench/tune-cpu.sh            # builds the release preset first
#   RUNS=3 SECONDS_EACH=5 SKIP_BUILD=1 bash bench/tune-cpu.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/release}
runs=${RUNS:-5}
seconds=${SECONDS_EACH:-10}

source "$root/tools/packages.sh"
bash "$root/tools/install-deps.sh" "${BENCH_PACKAGES[@]}"
if [ -z "${SKIP_BUILD:-}" ]; then
    (cd "$root" && cmake --preset release >/dev/null && cmake --build "$build" --target tune_cpu)
fi

# A private server: its own runtime folder, no configuration but a null sink.
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime PULSE_RUNTIME_PATH=$runtime/pulse
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load=module-native-protocol-unix --load=module-null-sink >"$runtime/server.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do [ -S "$runtime/pulse/native" ] && break; sleep 0.1; done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$runtime/default.txt"
: >"$runtime/tuned.txt"
for _ in $(seq "$runs"); do
    for kind in default tuned; do
        line=$("$build/bench/tune_cpu" "$kind" "$seconds")
        echo "$line   (load $(cut -d' ' -f1-3 /proc/loadavg))"
        echo "$line" | sed -E 's/.*cpu ([0-9.]+) %.* ([0-9]+) context.*/\1 \2/' >>"$runtime/$kind.txt"
    done
done
for kind in default tuned; do
    cpu=$(cut -d' ' -f1 <"$runtime/$kind.txt" | median)
    switches=$(cut -d' ' -f2 <"$runtime/$kind.txt" | median)
    echo "median $kind: cpu $cpu % of a core, $switches context switches/s"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
