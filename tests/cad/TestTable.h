#pragma once

#include <QString>
#include <array>
#include <initializer_list>
#include <string>

#include "cad/CellTextSource.h"
#include "table/ElementsLayout.h"

namespace channel {

// An elements table of text cells as the window sets it up: headings in the
// heading row, item numbers in the item column.
class TestTable {
  public:
    TestTable() {
        for (int row = 0; row < elements_table::kRows; ++row) {
            for (int column = 0; column < elements_table::kColumns; ++column) {
                const std::string text = elements_table::StartupCellText(row, column);
                if (!text.empty()) Set(row, column, text.c_str());
            }
        }
    }

    // The cell shows its text, as a text column does, until SetShown says
    // otherwise.
    void Set(int row, int column, const QString& text) {
        cells_[row][column] = text;
        shown_[row][column] = text;
    }
    // What the table shows for the cell, e.g. "无效值" for the text "nan".
    void SetShown(int row, int column, const char* shown) {
        shown_[row][column] = QString::fromUtf8(shown);
    }
    void Set(int row, int column, const char* text) { Set(row, column, QString::fromUtf8(text)); }
    // Fills the value columns in order (all but the velocity when `computed`
    // is false: a row with inputs that was never calculated).
    void FillRow(int row, std::initializer_list<const char*> texts, bool computed = true) {
        int column = elements_table::kFirstValueColumn;
        for (const char* text : texts) {
            if (column == elements_table::kVelocityColumn && !computed) break;
            Set(row, column++, text);
        }
    }

    CellTextSource Source() const {
        return [this](int row, int column) {
            return CellTexts{cells_.at(row).at(column), shown_.at(row).at(column)};
        };
    }

  private:
    using Cells = std::array<std::array<QString, elements_table::kColumns>, elements_table::kRows>;
    Cells cells_;
    Cells shown_;
};

}  // namespace channel
