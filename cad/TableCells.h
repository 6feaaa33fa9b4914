#pragma once

#include <functional>
#include <string>

namespace channel {

// One cell of the elements table as the drawing reads it. Plain C++ with UTF-8
// texts: the table drawing is built without Qt (also for Windows, with the
// COM backend); the window's side fills these in.
struct TableCell {
    std::string utf8Text;   // the cell's own text; "" when it is empty
    std::string utf8Shown;  // the text the table shows for it, the one drawn
};

using TableCellSource = std::function<TableCell(int row, int column)>;

}  // namespace channel
