// Exports a table given as text, or one cross-section, to a DXF file through
// the real export path (no AutoCAD, our own server, the file writer), for
// checks with other tools.
//   cad_dxf_sample <cells.json> <out.dxf>
//   cad_dxf_sample section <row> <b> <m> <h> <h0> <hk> <out.dxf>
// cells.json: a JSON array of 11 arrays of 12 cell texts, row 0 first; JSON
// so that a cell can hold any text, line breaks and tabs included. A depth
// given as "nan" does not exist.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

#include "cad/CadExport.h"
#include "cad/CadMessages.h"

namespace channel {

namespace {

// Runs `exportTo` as the program does without AutoCAD, the save dialog
// answering `path`; prints the status line and tells whether it reports a
// saved file.
int ExportToDxf(const char* path, const char* savedMessage,
                const std::function<void(CadConnection&, CadExportSeams&)>& exportTo) {
    QString status;
    CadExportSeams seams{[&] { return std::optional<QString>(QString::fromLocal8Bit(path)); },
                         [&](const QString& text) { status = text; }};
    CadConnection connection;
    exportTo(connection, seams);
    ReleaseCadConnection(connection);
    std::printf("%s\n", status.toUtf8().constData());
    return status.startsWith(QString::fromUtf8(savedMessage).arg(QString())) ? 0 : 1;
}

int ExportSection(char** argv) {
    const auto number = [](const char* text) { return std::strtod(text, nullptr); };
    const SectionDimensions section{std::atoi(argv[2]), number(argv[3]), number(argv[4]),
                                    number(argv[5]),    number(argv[6]), number(argv[7])};
    return ExportToDxf(argv[8], cad_messages::kSectionSavedAsDxf,
                       [&](CadConnection& connection, CadExportSeams& seams) {
                           ExportSectionToCad(connection, section, seams, nullptr);
                       });
}

}  // namespace

}  // namespace channel

using namespace channel;

int main(int argc, char** argv) {
    if (argc == 9 && std::string_view(argv[1]) == "section") return ExportSection(argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <cells.json> <out.dxf>\n", argv[0]);
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) return 2;
    std::array<QStringList, 11> rows;
    const QJsonArray lines = QJsonDocument::fromJson(input.readAll()).array();
    for (int row = 0; row < 11 && row < lines.size(); ++row) {
        for (const auto& cell : lines[row].toArray()) rows[row].append(cell.toString());
    }

    const CellTextSource cells = [&rows](int row, int column) {
        const QString text = column < rows[row].size() ? rows[row][column] : QString();
        // No table to format the cells: each shows its text.
        return CellTexts{text, text};
    };
    return ExportToDxf(argv[2], cad_messages::kSavedAsDxf,
                       [&](CadConnection& connection, CadExportSeams& seams) {
                           ExportTableToCad(connection, cells, seams, nullptr);
                       });
}
