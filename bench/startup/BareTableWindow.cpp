// The yardstick for the program's start-up: a bare Qt window showing a table
// of the same shape, cell size and texts as the main window's elements table,
// and nothing else.
#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>

#include "app/core/ShellTexts.h"
#include "app/core/TableSetUp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTableWidget table(elements_table::kRows, elements_table::kColumns);
    table.horizontalHeader()->hide();
    table.verticalHeader()->hide();
    table.horizontalHeader()->setDefaultSectionSize(elements_table::kColumnWidth);
    table.verticalHeader()->setDefaultSectionSize(elements_table::kRowHeight);
    table.setItem(0, 0, new QTableWidgetItem(shell_text::kItemHeading));
    for (int column = 1; column < elements_table::kColumns; ++column)
        table.setItem(0, column, new QTableWidgetItem(shell_text::kColumnHeadings[column - 1]));
    for (int row = 1; row < elements_table::kRows; ++row)
        table.setItem(row, 0, new QTableWidgetItem(QString::number(row)));
    table.setFixedSize(705, 272);
    table.show();
    return application.exec();
}
