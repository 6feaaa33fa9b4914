// The yardstick for the program's start-up: a bare Qt window showing a table
// of the same shape, cell size and texts as the main window's elements table,
// and nothing else.
#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>

#include "table/ElementsLayout.h"
#include "table/StartupTableCells.h"

using namespace channel;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTableWidget table(elements_table::kRows, elements_table::kColumns);
    table.horizontalHeader()->hide();
    table.verticalHeader()->hide();
    table.horizontalHeader()->setDefaultSectionSize(elements_table::kColumnWidth);
    table.verticalHeader()->setDefaultSectionSize(elements_table::kRowHeight);
    const QStringList cells = StartupTableCells();
    for (int index = 0; index < cells.size(); ++index) {
        if (cells[index].isEmpty()) continue;
        table.setItem(index / elements_table::kColumns, index % elements_table::kColumns,
                      new QTableWidgetItem(cells[index]));
    }
    table.setFixedSize(705, 272);
    table.show();
    return application.exec();
}
