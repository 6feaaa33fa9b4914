#pragma once

#include <QString>

#include "files/ReportInfo.h"
#include "io/Outcome.h"
#include "table/ElementsTable.h"

namespace channel {

// Both operations give the reason of a failure as a Chinese sentence for the
// user.

// Writes the whole table (shape and every cell's text) to `path`. The write is
// atomic: the file is either fully replaced or left exactly as it was. The
// report information goes with it when there is any.
Outcome<QString> SaveToFile(const ElementsTable& table, const QString& path,
                            const ReportInfo& reportInfo = {});

// Replaces the whole table with the content of the element file at `path`.
// The file must have the table's present shape. On failure the table is not
// touched. On success `reportInfo`, when given, becomes the file's (empty
// for a file without one).
Outcome<QString> LoadFromFile(ElementsTable& table, const QString& path,
                              ReportInfo* reportInfo = nullptr);

}  // namespace channel
