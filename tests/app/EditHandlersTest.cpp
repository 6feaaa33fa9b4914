#include <gtest/gtest.h>

#include "app/core/EditHandlers.h"
#include "app/core/TableSetUp.h"
#include "table/ElementsLayout.h"
#include "tests/app/ShellDoubles.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

// A paste writes only the cells whose text differs; one that writes none has
// changed nothing, so it neither marks the table changed nor calculates a
// row, whether or not the table was already marked.
TEST(EditHandlersTest, PasteThatChangesNoCellLeavesTableAndMarkAsTheyWere) {
    struct Case {
        const char* name;
        const char* clipboard;
        bool select;  // false: no selection and no current cell
    } const cases[] = {
        {"the row's own inputs", "2\t1.5\t1\t0.025\t0.0005\n", true},
        {"an empty clipboard", "", true},
        {"nowhere to paste", "7\n", false},
    };
    for (const Case& c : cases) {
        for (int modifiedBefore : {0, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << ", modified " << modifiedBefore);
            ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
            SetUpElementsTable(table);
            // Row 4 typed in full but not yet calculated.
            int column = kBottomWidthColumn;
            for (const char* input : {"2", "1.5", "1", "0.025", "0.0005"})
                table.SetCellText(4, column++, input);
            if (c.select) table.SetSelection(4, kBottomWidthColumn, 4, kBottomWidthColumn);
            MemoryClipboard clipboard;
            clipboard.text = c.clipboard;
            int modified = modifiedBefore;
            ChannelElements workingRecord{};
            float targetDischarge = 0;
            std::vector<QString> status;
            EditContext context{table, clipboard, modified,
                                CalculationContext{table, workingRecord, targetDischarge,
                                                   [&](const QString& s) { status.push_back(s); }}};
            const ElementsTable::Snapshot before = table.TakeSnapshot();

            for (bool depthKnown : {true, false}) PasteIntoTable(context, depthKnown);

            EXPECT_EQ(table.TakeSnapshot(), before);
            EXPECT_EQ(modified, modifiedBefore);
            EXPECT_TRUE(status.empty());
        }
    }
}

}  // namespace

}  // namespace channel
