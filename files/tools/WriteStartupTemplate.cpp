// Writes the element file that 新建 loads: the table as start-up leaves it,
// with the headings in row 0 and the item numbers in the item column.
#include <QCoreApplication>
#include <cstdio>

#include "files/ElementFile.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/StartupTableCells.h"

namespace channel {

namespace layout = elements_table;

}  // namespace channel

using namespace channel;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: write_startup_template <output file>\n");
        return 2;
    }

    ElementsTable table(layout::kRows, layout::kColumns, layout::kFixedRows, layout::kFixedColumns);
    table.ReplaceContents(layout::kRows, layout::kColumns, StartupTableCells());

    const Outcome<QString> saved = SaveToFile(table, arguments[1]);
    if (!saved.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(saved.reason()));
        return 1;
    }
    return 0;
}
