#!/usr/bin/env bash
# Builds the program and starts it in a folder that holds its companion
# files (the template "normal", "说明.txt" and "circle_f1.ico").
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/packages.sh"
bash "$root/tools/install-deps.sh" "${BUILD_PACKAGES[@]}"

build="$root/build/app"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target trapezoid-channel -j"$(nproc)"

workdir="$build/run"
mkdir -p "$workdir"
cp "$root/resources/normal" "$root/resources/说明.txt" "$root/resources/icons/circle_f1.ico" "$workdir/"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "No display found: run it under a virtual display instead, e.g.  xvfb-run -s '-screen 0 1024x768x24' $0" >&2
    exit 1
fi
cd "$workdir"
exec "$build/app/trapezoid-channel" "$@"
