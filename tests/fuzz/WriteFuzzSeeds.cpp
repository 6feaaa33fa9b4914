// Writes the fuzz targets' seed inputs from what the program itself writes:
// the element file of a calculated table and of the start-up table, the
// text a copy puts on the clipboard, the numbers the table stores, the
// instructions file in UTF-8, with a mark and in GBK, and the cells the DXF
// export draws.
//   fuzz_seeds <output folder> <instructions file>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <cstdio>

#include "app/core/TableSetUp.h"
#include "files/ElementFileFormat.h"
#include "hydraulics/ChannelElements.h"
#include "hydraulics/RowCalculation.h"
#include "support/MemoryClipboard.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/clipboard/TableClipboard.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

// Inputs b, m, h, n, i of three rows; row 5 leaves the depth to be found.
void Calculate(ElementsTable& table) {
    struct Row {
        int row;
        const char* inputs[5];
        const char* discharge;
    };
    const Row rows[] = {{2, {"2", "1.5", "0.8", "0.014", "0.0004"}, nullptr},
                        {5, {"5", "12", "", "0.025", "0.0012"}, "11"},
                        {9, {"9", "3", "2", "0.0225", "0.002"}, nullptr}};
    ChannelElements record;
    float target = 0;
    CalculationContext context{table, record, target, [](const QString&) {}};
    for (const Row& row : rows) {
        for (int column = kBottomWidthColumn; column <= kBedSlopeColumn; ++column) {
            table.SetCellText(row.row, column, row.inputs[column - kBottomWidthColumn]);
        }
        if (row.discharge) table.SetCellText(row.row, kDischargeColumn, row.discharge);
        table.SetCurrentCell(row.row, kBottomWidthColumn);
        CalculateCurrentRow(context, row.discharge == nullptr);
    }
}

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The DXF target reads cells as FuzzedDataProvider strings: a backslash is
// doubled and each cell ends with a backslash and another byte.
QByteArray AsProviderStrings(const QStringList& cells) {
    QByteArray bytes;
    for (const QString& cell : cells) bytes += cell.toUtf8().replace("\\", "\\\\") + "\\|";
    return bytes;
}

}  // namespace

}  // namespace channel

using namespace channel;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> <instructions file>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const char* target :
         {"element_file", "tabular_text", "number_reading", "instructions", "dxf_export"}) {
        if (!out.mkpath(target)) return 1;
    }
    ElementsTable table(elements_table::kRows, elements_table::kColumns, elements_table::kFixedRows,
                        elements_table::kFixedColumns);
    SetUpElementsTable(table);
    const QStringList startup = table.Cells();
    Calculate(table);
    const QStringList calculated = table.Cells();

    bool ok = true;
    const QDir elementFiles(out.filePath("element_file"));
    ok &= Write(elementFiles, "calculated.efs",
                element_file::Encode(table.RowCount(), table.ColumnCount(), calculated));
    ok &= Write(elementFiles, "startup.efs",
                element_file::Encode(table.RowCount(), table.ColumnCount(), startup));

    const QDir pastes(out.filePath("tabular_text"));
    MemoryClipboard clipboard;
    table.SetSelection(0, 0, table.RowCount() - 1, table.ColumnCount() - 1);
    Copy(table, clipboard);
    // The first two bytes are the row and column the paste starts at.
    ok &= Write(pastes, "whole-table", "\x01\x01" + clipboard.text.toUtf8());
    table.SetSelection(2, kBottomWidthColumn, 5, kBedSlopeColumn);
    Copy(table, clipboard);
    ok &= Write(pastes, "inputs", "\x02\x01" + clipboard.text.toUtf8());

    const QDir numbers(out.filePath("number_reading"));
    for (int i = 0; i < calculated.size(); ++i) {
        if (!calculated[i].isEmpty())
            ok &= Write(numbers, QString::number(i), calculated[i].toUtf8());
    }

    QFile instructions(QString::fromLocal8Bit(argv[2]));
    ok &= instructions.open(QIODevice::ReadOnly);
    const QString manual = QString::fromUtf8(instructions.readAll()).left(2000);
    const QDir manuals(out.filePath("instructions"));
    // The first four bytes are where the target cuts the text.
    const QByteArray cutAt("\x01\x01\x00\x00", 4);
    ok &= Write(manuals, "utf8", cutAt + manual.toUtf8());
    ok &= Write(manuals, "utf8-with-mark", cutAt + "\xEF\xBB\xBF" + manual.toUtf8());
    QStringEncoder gbk("GBK");
    ok &= Write(manuals, "gbk", cutAt + QByteArray(gbk.encode(manual)));

    const QDir drawings(out.filePath("dxf_export"));
    ok &= Write(drawings, "calculated", AsProviderStrings(calculated));
    ok &= Write(drawings, "startup", AsProviderStrings(startup));
    return ok ? 0 : 1;
}
