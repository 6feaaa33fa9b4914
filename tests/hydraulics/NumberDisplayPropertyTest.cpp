#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "hydraulics/NumberReading.h"
#include "hydraulics/RowCalculation.h"
#include "table/CellText.h"
#include "table/ElementsTable.h"

// For random cell texts, whatever the table shows as a number must be the
// number the calculation works with, in every numeric column format.

namespace {

constexpr int kRow = 4;

std::optional<double> WholeNumber(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return ParseCellNumber(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

// Random texts: half of them built like numbers (so fractions, commas and
// exponents are well represented), half free mixes of the characters that
// matter, some of the first kind with one character spliced in.
class RandomCellText {
  public:
    explicit RandomCellText(unsigned seed) : rng_(seed) {}

    QString Next() {
        std::string text = Pick(2) == 0 ? NumberShaped() : FreeMix();
        if (Pick(6) == 0) text.insert(Pick(static_cast<int>(text.size()) + 1), Any());
        return FromUtf8(text);
    }

  private:
    // QString::fromUtf8 drops a leading byte-order mark, which belongs to the
    // text here.
    static QString FromUtf8(const std::string& utf8) {
        const std::string bom = "\uFEFF";
        if (utf8.rfind(bom, 0) == 0) return QChar(0xFEFF) + FromUtf8(utf8.substr(bom.size()));
        return QString::fromUtf8(utf8);
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    const char* From(const std::vector<const char*>& choices) {
        return choices[static_cast<size_t>(Pick(static_cast<int>(choices.size())))];
    }
    std::string Digits() {
        std::string digits;
        for (int n = 1 + Pick(4); n > 0; --n) digits += From(Pick(4) == 0 ? kWideDigits : kDigits);
        return digits;
    }
    std::string Blanks() { return Pick(3) == 0 ? From(kBlanks) : ""; }
    std::string NumberShaped() {
        std::string text = Blanks();
        if (Pick(3) == 0) text += From(kSigns);
        text += Digits();
        if (Pick(2) == 0) text += std::string(From(Pick(3) == 0 ? kCommas : kPoints)) + Digits();
        if (Pick(5) == 0) text += std::string(From(kExponents)) + (Pick(2) ? "-" : "") + Digits();
        if (Pick(4) == 0) text += std::string(From(kBars)) + Digits();
        return text + Blanks();
    }
    std::string FreeMix() {
        std::string text;
        for (int n = 1 + Pick(8); n > 0; --n) text += Any();
        return text;
    }
    const char* Any() {
        const std::vector<const char*>* groups[] = {&kDigits, &kWideDigits, &kSigns,
                                                    &kPoints, &kCommas,     &kBars,
                                                    &kBlanks, &kExponents,  &kLetters};
        return From(*groups[Pick(static_cast<int>(std::size(groups)))]);
    }

    const std::vector<const char*> kDigits = {"0", "1", "2", "5", "7", "9"};
    const std::vector<const char*> kWideDigits = {"０", "１", "５", "９"};
    const std::vector<const char*> kSigns = {"+", "-", "＋", "－", "−"};
    const std::vector<const char*> kPoints = {".", "．"};
    const std::vector<const char*> kCommas = {",", "，"};
    const std::vector<const char*> kBars = {"/", ":", "／", "："};
    const std::vector<const char*> kBlanks = {" ",      "\t",     "\u3000", "\u2000", "\u200A",
                                              "\u2028", "\u2029", "\u0085", "\u00A0", "\uFEFF"};
    const std::vector<const char*> kExponents = {"e", "E", "ｅ"};
    const std::vector<const char*> kLetters = {"a", "m", "x", "底", "inf"};
    std::mt19937 rng_;
};

// "-12.34" for two places: an optional minus, digits, and exactly `decimals`
// digits after a point (no point for none).
bool IsFixedPoint(const QString& shown, int decimals) {
    const QString digits = shown.startsWith(u'-') ? shown.mid(1) : shown;
    const qsizetype point = digits.indexOf(u'.');
    const qsizetype integerDigits = decimals == 0 ? digits.size() : point;
    if (integerDigits <= 0 || (decimals > 0 && digits.size() - point - 1 != decimals)) return false;
    for (qsizetype i = 0; i < digits.size(); ++i)
        if (i != point && !digits[i].isDigit()) return false;
    return decimals > 0 || point < 0;
}

// The display of `text` against the value `used` that the calculation took
// from it (or wrote as it), in a column with `decimals` places.
void ExpectShownIsUsed(const QString& text, const QString& shown, float used, int decimals) {
    SCOPED_TRACE(("text \"" + text + "\" shown \"" + shown + "\"").toStdString());
    const std::optional<double> textNumber = WholeNumber(text);
    const std::optional<double> shownNumber = WholeNumber(shown);
    if (!shownNumber) {
        EXPECT_TRUE(shown == text || !cell_text::NonFiniteMarker(text).isEmpty())
            << "the display changed a text it does not show as a number";
        EXPECT_FALSE(decimals >= 0 && textNumber && std::isfinite(static_cast<float>(*textNumber)))
            << "a number is not shown as one";
        return;
    }
    ASSERT_TRUE(textNumber.has_value()) << "a text that is no number is shown as one";
    if (shown == text) {
        EXPECT_EQ(static_cast<float>(*shownNumber), used);
        return;
    }
    ASSERT_GE(decimals, 0) << "a column without places shows texts unchanged";
    EXPECT_TRUE(IsFixedPoint(shown, decimals)) << "not in the column format";
    // Half a unit of the last place shown, and the rounding of reading the
    // shown digits back.
    const double slack = 0.5 * std::pow(10.0, -decimals) + std::abs(used) * 1e-15;
    EXPECT_LE(std::abs(*shownNumber - static_cast<double>(used)), slack);
}

void FormatAllColumns(ElementsTable& table, int decimals) {
    for (int column = 1; column <= 11; ++column) {
        table.SetColumnType(column, ElementsTable::kNumericKind);
        table.SetColumnDecimals(column, decimals);
    }
}

constexpr int kFormats[] = {-1, 0, 1, 2, 3, 6};

TEST(NumberDisplayPropertyTest, InputsAndResultsShowTheValuesTheCalculationUses) {
    RandomCellText texts(20261208);
    int numbers = 0;
    int others = 0;
    for (int decimals : kFormats) {
        ElementsTable table(11, 12, 1, 1);
        FormatAllColumns(table, decimals);
        ChannelElements record;
        float target = 0;
        CalculationContext context{table, record, target, {}};
        for (int i = 0; i < 3000 && !testing::Test::HasFailure(); ++i) {
            const QString text = texts.Next();
            (WholeNumber(text) ? numbers : others)++;
            // One text in all five inputs: each is read on its own.
            for (int column = 1; column <= 5; ++column) table.SetCellText(kRow, column, text);
            table.SetCurrentCell(kRow, 1);
            CalculateCurrentRow(context, true);
            const float used[] = {
                record.bottomWidth,     record.sideSlope,       record.depth,
                record.roughness,       record.bedSlope,        record.area,
                record.wettedPerimeter, record.hydraulicRadius, record.chezyCoefficient,
                record.discharge,       record.velocity};
            EXPECT_EQ(ReadCellNumber(text.toStdString()), record.bottomWidth);
            for (int column = 1; column <= 11; ++column) {
                ExpectShownIsUsed(table.GetCellText(kRow, column), table.DisplayText(kRow, column),
                                  used[column - 1], decimals);
            }
        }
    }
    // The generator must really produce both kinds, or the property is idle.
    EXPECT_GT(numbers, 5000);
    EXPECT_GT(others, 5000);
}

TEST(NumberDisplayPropertyTest, DischargeTargetShownIsTheTargetUsed) {
    RandomCellText texts(7);
    for (int decimals : kFormats) {
        ElementsTable table(11, 12, 1, 1);
        FormatAllColumns(table, decimals);
        ChannelElements record;
        float target = -1;
        CalculationContext context{table, record, target, {}};
        const char* section[] = {"2", "1.5", "", "0.025", "0.0005"};
        for (int column = 1; column <= 5; ++column)
            table.SetCellText(kRow, column, section[column - 1]);
        for (int i = 0; i < 300 && !testing::Test::HasFailure(); ++i) {
            const QString text = texts.Next();
            table.SetCellText(kRow, 10, text);
            const QString shown = table.DisplayText(kRow, 10);
            table.SetCurrentCell(kRow, 1);
            CalculateCurrentRow(context, false);
            ExpectShownIsUsed(text, shown, target, decimals);
        }
    }
}

}  // namespace
