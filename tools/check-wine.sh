#!/usr/bin/env bash
# Runs the Windows-only code for real, under Wine, headless:
#  - the COM backend, the CAD connection and the table drawing, built with
#    mingw-w64, against our own recording automation server registered as
#    "autocad.Application" in a fresh Wine prefix: not registered, started by
#    CoCreateInstance, attached to when running, no drawing open, the server
#    dying mid-export, two exports, a cross-section; the recorded calls
#    compared with the lines and texts the DXF file of the same drawing
#    holds, every reference released at the end;
#  - the winmm tune player's sequencer: play, stop, restart, destroy playing.
# Prints the time of every phase. Exits non-zero on the first failure.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/packages.sh"

compiler=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

milliseconds() { date +%s%3N; }
started=$(milliseconds)
phase_start=$started
phase() {
    local now elapsed
    now=$(milliseconds)
    elapsed=$((now - phase_start))
    printf 'check-wine: %-34s %4d.%d s\n' "$1" $((elapsed / 1000)) $((elapsed % 1000 / 100))
    phase_start=$now
}

bash "$root/tools/install-deps.sh" "${WINE_PACKAGES[@]}"
phase "install packages"

# Wine sees the Unix root as drive Z:.
windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }

# Runs one Wine program with a time limit; its output is shown when it fails.
run_wine() {
    local name=$1
    shift
    if ! timeout "${WINE_STEP_TIMEOUT:-60}" wine "$@" >"$work/$name.out" 2>&1; then
        echo "check-wine: $name FAILED" >&2
        cat "$work/$name.out" >&2
        [ -f "$work/server.log" ] && { echo "--- server log (last 20 lines)"; tail -20 "$work/server.log"; } >&2
        exit 1
    fi
    tr -d '\r' <"$work/$name.out" | grep -v '^ALSA lib' | sed "s/^/  $name: /"
}

flags=(-std=c++20 -Wall -Wextra -Werror -O1 -static -I"$root")
"$compiler" "${flags[@]}" "$root/tests/cad/wine/RecordingCadServer.cpp" \
    -o "$work/cad-server.exe" -lole32 -loleaut32 -luuid &
server_build=$!
"$compiler" "${flags[@]}" "$root/app/music/WinMmSequencer.cpp" \
    "$root/tests/app/music/WinMmSequencerDriver.cpp" -o "$work/tune-driver.exe" -lwinmm &
tune_build=$!
"$compiler" "${flags[@]}" \
    "$root/cad/ComAutomation.cpp" "$root/cad/PlatformAutomationWindows.cpp" \
    "$root/cad/CadConnection.cpp" "$root/cad/TableDrawing.cpp" "$root/cad/ValueFormatting.cpp" \
    "$root/cad/SectionDrawing.cpp" "$root/cad/Drawing.cpp" "$root/cad/DrawingAutomation.cpp" \
    "$root/cad/DxfRendering.cpp" "$root/tests/cad/wine/ComExportDriver.cpp" \
    -o "$work/cad-driver.exe" -lole32 -loleaut32 -luuid
wait "$server_build"
wait "$tune_build"
phase "build with $compiler"

timeout 300 wineboot -i >"$work/wineboot.out" 2>&1 || { cat "$work/wineboot.out" >&2; exit 1; }
# wineboot returns while the prefix's services are still being set up; COM's
# first cross-process call then fails to start RpcSs and hangs. Waiting for
# the Wine server to go idle lets the set-up finish.
timeout 120 wineserver -w
phase "fresh prefix (wineboot)"

server=$(windows_path "$work/cad-server.exe")
log=$(windows_path "$work/server.log")
run_wine unregistered "$work/cad-driver.exe" unregistered "$server" "$log"
run_wine register "$work/cad-server.exe" /regserver "$log"
for scenario in create attach twice nodocument dies section; do
    run_wine "$scenario" "$work/cad-driver.exe" "$scenario" "$server" "$log"
done
phase "CAD export scenarios"

run_wine tune "$work/tune-driver.exe" "$(windows_path "$root/resources/tune/background.mid")"
phase "tune player"

timeout 30 wineserver -k >/dev/null 2>&1 || true
phase_start=$started
phase "total"
