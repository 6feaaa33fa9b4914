#pragma once

#include <QString>

namespace channel {

// The program-wide record of what the table holds relative to disk.
// `modified` is 1 once characters have been typed since the last completed
// 保存; `currentFileName` is the element file that 保存 writes without asking
// (empty: none yet).
struct DocumentState {
    int modified = 0;
    QString currentFileName;
};

}  // namespace channel
