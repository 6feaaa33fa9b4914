// Exports a table given as text to a DXF file through the real export path
// (no AutoCAD, our own server, the file writer), for checks with other tools.
//   cad_dxf_sample <cells.json> <out.dxf>
// cells.json: a JSON array of 11 arrays of 12 cell texts, row 0 first; JSON
// so that a cell can hold any text, line breaks and tabs included.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <array>
#include <cstdio>

#include "cad/CadExport.h"
#include "cad/CadMessages.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <cells.json> <out.dxf>\n", argv[0]);
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) return 2;
    std::array<QStringList, 11> rows;
    const QJsonArray lines = QJsonDocument::fromJson(input.readAll()).array();
    for (int row = 0; row < 11 && row < lines.size(); ++row) {
        for (const QJsonValue& cell : lines[row].toArray()) rows[row].append(cell.toString());
    }

    const CellTextSource cells = [&rows](int row, int column) {
        const QString text = column < rows[row].size() ? rows[row][column] : QString();
        // No table to format the cells: each shows its text.
        return CellTexts{text, text};
    };
    QString status;
    CadExportSeams seams{[&] { return std::optional<QString>(QString::fromLocal8Bit(argv[2])); },
                         [&](const QString& text) { status = text; }};
    CadConnection connection;
    ExportTableToCad(connection, cells, seams, nullptr);
    ReleaseCadConnection(connection);

    std::printf("%s\n", status.toUtf8().constData());
    const QString saved = QString::fromUtf8(cad_messages::kSavedAsDxf).arg(QString());
    return status.startsWith(saved) ? 0 : 1;
}
