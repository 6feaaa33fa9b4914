#pragma once

#include <QString>

#include "table/ElementsTable.h"

// Outcome of a save or load. `reason` is a Chinese sentence for the user and
// is empty when `ok` is true.
struct FileResult {
    bool ok = true;
    QString reason;
};

// Writes the whole table (shape and every cell's text) to `path`. The write is
// atomic: the file is either fully replaced or left exactly as it was.
FileResult SaveToFile(const ElementsTable& table, const QString& path);

// Replaces the whole table with the content of the element file at `path`.
// The file must have the table's present shape. On failure the table is not
// touched.
FileResult LoadFromFile(ElementsTable& table, const QString& path);
