#pragma once

#include <QString>
#include <array>
#include <initializer_list>

#include "cad/CellTextSource.h"

// An elements table of 11 × 12 text cells as the window sets it up: headings
// in row 0, item numbers in column 0.
class TestTable {
  public:
    TestTable() {
        static const char* const kHeadings[] = {"项目",     "底宽",     "边坡", "水深",
                                                "糙率",     "纵坡1\\I", "面积", "湿周",
                                                "水力半径", "谢才系数", "流量", "流速"};
        for (int column = 0; column < 12; ++column) Set(0, column, kHeadings[column]);
        for (int row = 1; row <= 10; ++row) Set(row, 0, QString::number(row));
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
    // Fills columns 1 to 11 (or 1 to 10 when `computed` is false: a row with
    // inputs that was never calculated).
    void FillRow(int row, std::initializer_list<const char*> texts, bool computed = true) {
        int column = 1;
        for (const char* text : texts) {
            if (column == 11 && !computed) break;
            Set(row, column++, text);
        }
    }

    CellTextSource Source() const {
        return [this](int row, int column) {
            return CellTexts{cells_.at(row).at(column), shown_.at(row).at(column)};
        };
    }

  private:
    std::array<std::array<QString, 12>, 11> cells_;
    std::array<std::array<QString, 12>, 11> shown_;
};
