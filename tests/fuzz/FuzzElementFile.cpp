// Element-file loading: any bytes are loaded or refused; a refusal leaves the
// table as it was, a load gives exactly the decoded cells, and what loads
// (its cells, design discharges, section designs and unknown keys) saves and
// loads back the same.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "DistinctTable.h"
#include "FuzzCheck.h"
#include "files/ElementFile.h"
#include "files/ElementFileFormat.h"
#include "table/ElementsLayout.h"

namespace channel {

namespace {

using elements_table::kColumns;
using elements_table::kRows;

// The input goes through a real file; memory-backed where there is one, so
// the run is not bound by the disk.
QString TemporaryFolderTemplate() {
    const QFileInfo shared(QStringLiteral("/dev/shm"));
    const QString parent =
        shared.isDir() && shared.isWritable() ? shared.filePath() : QDir::tempPath();
    return parent + QStringLiteral("/fuzz_element_file-XXXXXX");
}

}  // namespace

}  // namespace channel

using namespace channel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir directory(TemporaryFolderTemplate());
    static const QString path = directory.filePath(QStringLiteral("input.efs"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    using Decoded = Result<element_file::Contents, QString>;
    const Decoded decoded = element_file::Decode(bytes, kRows, kColumns);
    // A refusal always says why.
    FUZZ_CHECK(decoded.ok() || !decoded.reason().isEmpty());
    if (decoded.ok()) {
        const QStringList& cells = decoded.value().cells;
        FUZZ_CHECK(cells.size() == static_cast<qsizetype>(kRows) * kColumns);
        const element_file::Contents& c = decoded.value();
        const QByteArray saved = element_file::Encode(kRows, kColumns, cells, c.designDischarges,
                                                      c.sectionDesigns, c.extras);
        const Decoded again = element_file::Decode(saved, kRows, kColumns);
        FUZZ_CHECK(again.ok() && again.value().cells == cells);
        // What the file kept beside the cells, known or not, comes back too.
        FUZZ_CHECK(again.value().designDischarges == c.designDischarges &&
                   again.value().sectionDesigns == c.sectionDesigns &&
                   again.value().extras == c.extras);
    }

    // Each load through a file allocates a read buffer the size of the file
    // cap, which costs far more than the decoding: the file path is taken for
    // every accepted input and for refused ones of every eighth length.
    if (!decoded.ok() && size % 8 != 0) return 0;
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    DistinctTable marked(QStringLiteral("原"));
    const Outcome<QString> loaded = LoadFromFile(marked.table, path);
    FUZZ_CHECK(loaded.ok() == decoded.ok());
    FUZZ_CHECK(loaded.ok() || !loaded.reason().isEmpty());
    FUZZ_CHECK(marked.table.RowCount() == kRows && marked.table.ColumnCount() == kColumns);
    FUZZ_CHECK(marked.table.Cells() == (loaded.ok() ? decoded.value().cells : marked.cells));
    return 0;
}
