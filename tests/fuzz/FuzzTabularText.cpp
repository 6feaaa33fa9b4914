// Tab-separated paste: parsing any text gives rows that write and parse back
// the same, and pasting it changes only cells outside the fixed heading row
// and item column, by exactly the count it reports.
#include <cstddef>
#include <cstdint>

#include "DistinctTable.h"
#include "FuzzCheck.h"
#include "support/MemoryClipboard.h"
#include "table/ElementsLayout.h"
#include "table/clipboard/TableClipboard.h"
#include "table/clipboard/TabularText.h"

using namespace channel;
using namespace channel::elements_table;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two bytes place the paste (one past the table's edge included), the
    // rest is the clipboard's UTF-8 text.
    if (size < 2) return 0;
    const int row = data[0] % (kRows + 1);
    const int column = data[1] % (kColumns + 1);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 2),
                                           static_cast<qsizetype>(size - 2));

    const QList<QStringList> rows = ParseTabularText(text);
    FUZZ_CHECK(text.isEmpty() == rows.isEmpty());
    FUZZ_CHECK(ParseTabularText(ToTabularText(rows)) == rows);

    DistinctTable marked{QString()};
    marked.table.SetCurrentCell(row, column);
    MemoryClipboard clipboard;
    clipboard.text = text;
    const int changed = Paste(marked.table, clipboard);

    const QStringList after = marked.table.Cells();
    FUZZ_CHECK(after.size() == marked.cells.size());
    int differing = 0;
    for (int i = 0; i < kRows * kColumns; ++i) {
        if (after[i] == marked.cells[i]) continue;
        ++differing;
        FUZZ_CHECK(i / kColumns >= kFixedRows && i % kColumns >= kFixedColumns);
    }
    FUZZ_CHECK(differing == (changed == kPasteTooLong ? 0 : changed));
    return 0;
}
