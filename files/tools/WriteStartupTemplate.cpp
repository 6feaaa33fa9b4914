// Writes the element file that 新建 loads: the table as start-up leaves it,
// with the twelve headings in row 0 and the item numbers 1 to 10 in column 0.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "files/ElementFile.h"
#include "table/ElementsTable.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: write_startup_template <output file>\n");
        return 2;
    }

    const QStringList headings = {
        QStringLiteral("项目"),     QStringLiteral("底宽"), QStringLiteral("边坡"),
        QStringLiteral("水深"),     QStringLiteral("糙率"), QStringLiteral("纵坡1\\I"),
        QStringLiteral("面积"),     QStringLiteral("湿周"), QStringLiteral("水力半径"),
        QStringLiteral("谢才系数"), QStringLiteral("流量"), QStringLiteral("流速"),
    };
    ElementsTable table(11, 12, 1, 1);
    for (int column = 0; column < headings.size(); ++column)
        table.SetCellText(0, column, headings[column]);
    for (int row = 1; row < table.RowCount(); ++row) table.SetCellText(row, 0, row);

    const Outcome<QString> saved = SaveToFile(table, arguments[1]);
    if (!saved.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(saved.reason()));
        return 1;
    }
    return 0;
}
