#pragma once

#include <QString>
#include <functional>

// Reads one cell of the elements table; the export needs nothing else of it.
using CellTextSource = std::function<QString(int row, int column)>;
