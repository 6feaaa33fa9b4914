#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "hydraulics/RowCalculation.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/NumberReading.h"

namespace channel {

using namespace elements_table;  // the columns

// For random cell texts, whatever the table shows as a number must be the
// number the calculation works with, in every numeric column format.

namespace {

constexpr int kRow = 4;

// Random mixes of the characters that matter; every other text starts like a
// number, so fractions, commas and exponents are well represented.
QString RandomText(std::mt19937& rng) {
    static const char* const kPieces[] = {
        "0", "1",  "2", "5",  "9",      "０",     "５",     "+",      "-",      "＋",    "－", "−",
        ".", "．", ",", "，", "/",      ":",      "／",     "：",     "e",      "E",     "ｅ", "a",
        "m", "底", " ", "\t", "\u3000", "\u2000", "\u2028", "\u0085", "\u00A0", "\uFEFF"};
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    QString text;
    if (pick(2) == 0) text = QString::number(pick(100000) / std::pow(10.0, pick(6)), 'g', 8);
    for (int n = pick(6); n > 0; --n) {
        // fromUtf8 would drop a leading byte-order mark, which belongs to the text here.
        const QString piece = QString::fromUtf8(kPieces[pick(std::size(kPieces))]);
        text.insert(pick(static_cast<int>(text.size()) + 1),
                    piece.isEmpty() ? QString(QChar(0xFEFF)) : piece);
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

// The display of `text` against the value `used` that the calculation took
// from it (or wrote as it), in a column with `decimals` places.
void ExpectShownIsUsed(const QString& text, const QString& shown, float used, int decimals,
                       const QRegularExpression& columnFormat) {
    // Streamed only on a failure, so it costs nothing in the many passes.
    auto where = [&] { return ("text \"" + text + "\" shown \"" + shown + '"').toStdString(); };
    // The Qt-free reading itself is the oracle, not the table's adapter to it.
    const std::optional<double> textNumber = ParseCellNumber(text.toStdString());
    const std::optional<double> shownNumber = ParseCellNumber(shown.toStdString());
    if (!shownNumber) {
        EXPECT_TRUE(shown == text || !cell_text::NonFiniteMarker(text).isEmpty()) << where();
        EXPECT_FALSE(decimals >= 0 && textNumber && std::isfinite(static_cast<float>(*textNumber)))
            << "a number is not shown as one: " << where();
        return;
    }
    ASSERT_TRUE(textNumber.has_value()) << "a text that is no number is shown as one: " << where();
    if (shown == text) {
        EXPECT_EQ(static_cast<float>(*shownNumber), used) << where();
        return;
    }
    ASSERT_GE(decimals, 0) << "a column without places shows texts unchanged: " << where();
    EXPECT_TRUE(columnFormat.match(shown).hasMatch()) << "not in the column format: " << where();
    // Half a unit of the last place shown, and the rounding of reading it back.
    const double slack = 0.5 * std::pow(10.0, -decimals) + std::abs(used) * 1e-15;
    EXPECT_LE(std::abs(*shownNumber - static_cast<double>(used)), slack) << where();
}

TEST(NumberDisplayPropertyTest, InputsAndResultsShowTheValuesTheCalculationUses) {
    std::mt19937 rng(20261208);
    int numbers = 0;
    int others = 0;
    for (int decimals : {-1, 0, 1, 2, 3, 6}) {
        ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
            table.SetColumnType(column, ElementsTable::kNumericKind);
            table.SetColumnDecimals(column, decimals);
        }
        // "-12.34" for two places; no point for none.
        const QRegularExpression columnFormat(
            decimals == 0 ? QStringLiteral("^-?\\d+$")
                          : QStringLiteral("^-?\\d+\\.\\d{%1}$").arg(std::max(decimals, 1)));
        ChannelElements record;
        float target = 0;
        CalculationContext context{table, record, target, {}};
        for (int i = 0; i < 1000 && !testing::Test::HasFailure(); ++i) {
            const QString text = RandomText(rng);
            (ParseCellNumber(text.toStdString()) ? numbers : others)++;
            // One text in all five inputs of a depth-known row, and in the
            // target of a discharge-known one: each is read on its own.
            for (int column = kBottomWidthColumn; column <= kBedSlopeColumn; ++column)
                table.SetCellText(kRow, column, text);
            table.SetCellText(kRow + 1, kDischargeColumn, text);
            const QString shownTarget = table.DisplayText(kRow + 1, kDischargeColumn);
            // A section so wide and steep that most targets take few trials.
            table.SetCellText(kRow + 1, kBottomWidthColumn, "1000");
            table.SetCellText(kRow + 1, kSideSlopeColumn, "1000");
            table.SetCellText(kRow + 1, kRoughnessColumn, "0.001");
            table.SetCellText(kRow + 1, kBedSlopeColumn, "1");
            table.SetCurrentCell(kRow + 1, kBottomWidthColumn);
            CalculateCurrentRow(context, false);
            ExpectShownIsUsed(text, shownTarget, target, decimals, columnFormat);

            table.SetCurrentCell(kRow, kBottomWidthColumn);
            CalculateCurrentRow(context, true);
            // In column order, from the bottom width to the velocity.
            const float used[] = {
                record.bottomWidth,     record.sideSlope,       record.depth,
                record.roughness,       record.bedSlope,        record.area,
                record.wettedPerimeter, record.hydraulicRadius, record.chezyCoefficient,
                record.discharge,       record.velocity};
            for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
                ExpectShownIsUsed(table.GetCellText(kRow, column), table.DisplayText(kRow, column),
                                  used[column - kFirstValueColumn], decimals, columnFormat);
            }
        }
    }
    // The generator must really produce both kinds, or the property is idle.
    EXPECT_GT(numbers, 1000) << others;
    EXPECT_GT(others, 1000) << numbers;
}

}  // namespace

}  // namespace channel
