#!/bin/sh
# Builds the Windows COM automation backend, with the CAD connection and a
# small driver, using the mingw-w64 cross compiler, so that Windows-only code
# that no native build here compiles cannot rot. Exits non-zero on failure.
set -eu

compiler=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
root=$(cd "$(dirname "$0")/.." && pwd)

if ! command -v "$compiler" >/dev/null 2>&1; then
    echo "check-com-mingw: $compiler not found" >&2
    exit 2
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$compiler" -std=c++20 -Wall -Wextra -Werror -O1 -I"$root" \
    "$root/cad/ComAutomation.cpp" \
    "$root/cad/PlatformAutomationWindows.cpp" \
    "$root/cad/CadConnection.cpp" \
    "$root/tests/cad/ComAutomationDriver.cpp" \
    -o "$out/com-driver.exe" \
    -lole32 -loleaut32 -luuid

echo "check-com-mingw: COM backend and driver built with $compiler"
