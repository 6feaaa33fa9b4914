#!/usr/bin/env bash
# The calculation report as another word processor reads it: writes the
# report of a three-row table as PDF and ODT (build/default's report_sample),
# converts the ODT with LibreOffice headless and renders the pages of both
# as PNG images to look at. LibreOffice (Debian's libreoffice-writer-nogui)
# is needed by this check only, not by tools/run.sh or tools/test.sh.
#   bash tools/check-report-odt.sh [folder]    (default /tmp/shots-report)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-/tmp/shots-report}"
bash "$root/tools/install-deps.sh" libreoffice-writer-nogui poppler-utils

cd "$root"
cmake --build --preset default --target report_sample >/dev/null
mkdir -p "$out"
rm -f "$out"/report.* "$out"/pdf-*.png "$out"/odt-*.png
QT_QPA_PLATFORM=offscreen build/default/tests/app/report_sample "$out"

# A profile of its own, so a running LibreOffice of the user is left alone.
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
converted="$(mktemp -d)"
soffice -env:UserInstallation="file://$profile" --headless --convert-to pdf \
    --outdir "$converted" "$out/report.odt" >/dev/null
mv "$converted/report.pdf" "$out/report-odt.pdf"
rmdir "$converted"

pdftoppm -r 60 -png "$out/report.pdf" "$out/pdf"
pdftoppm -r 60 -png "$out/report-odt.pdf" "$out/odt"
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
echo "PDF: $(pages "$out/report.pdf") pages, ODT through LibreOffice: $(pages "$out/report-odt.pdf") pages"
ls "$out"/pdf-*.png "$out"/odt-*.png
