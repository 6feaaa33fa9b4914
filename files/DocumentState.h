#pragma once

#include <QString>

#include "files/ReportInfo.h"

namespace channel {

// What the table holds relative to disk. The document keeps the one
// record; the file commands work on a copy of it that the document adopts.
// `modified` is 1 once characters have been typed since the last completed
// 保存; `currentFileName` is the element file that 保存 writes without asking
// (empty: none yet). `reportInfo` is written into the file with the table
// and read back from it.
struct DocumentState {
    int modified = 0;
    QString currentFileName;
    ReportInfo reportInfo;
};

}  // namespace channel
