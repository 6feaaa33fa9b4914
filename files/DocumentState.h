#pragma once

#include <QString>

namespace channel {

// What the table holds relative to disk. The document keeps the one
// record; the file commands work on a copy of it that the document adopts.
// `modified` is 1 once characters have been typed since the last completed
// 保存; `currentFileName` is the element file that 保存 writes without asking
// (empty: none yet).
struct DocumentState {
    int modified = 0;
    QString currentFileName;
};

}  // namespace channel
