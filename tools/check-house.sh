#!/usr/bin/env bash
# The house rules that a compiler does not check: every C++ file formatted by
# .clang-format, every target linking the libraries whose headers it
# includes, and a clean clang-tidy run. Run after tools/test.sh, whose build
# (build/default) gives clang-tidy its compile commands.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source tools/packages.sh
bash tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

echo "== format"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== links"
links="$root/build/links"
mkdir -p "$links/.cmake/api/v1/query"
touch "$links/.cmake/api/v1/query/codemodel-v2"
cmake -S "$root" -B "$links" -G Ninja -DBUILD_TESTING=ON -DCHANNEL_BUILD_BENCH=ON \
      --graphviz="$links/links.dot" >/dev/null
python3 tools/check-links.py "$root" "$links"

echo "== tidy"
bash tools/tidy.sh
