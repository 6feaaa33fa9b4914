// Number reading: any text reads without a crash, the same every time; the
// cell value is the reading rounded to float; blanks before a text change
// nothing; a text named ambiguous is no number; a number with a percent sign
// is a hundredth of it; a float written as the table writes it reads back
// exactly; and whatever a numeric column shows as a number is the number
// the calculation reads from the cell.
#include <QByteArray>
#include <QString>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "table/CellText.h"
#include "table/NumberReading.h"

namespace channel {

namespace {

bool SameValue(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

bool SameValue(float a, float b) {
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

}  // namespace

}  // namespace channel

using namespace channel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ReadDecimal(text);
    FUZZ_CHECK(SameValue(ReadDecimal(text), value));
    FUZZ_CHECK(SameValue(ReadCellNumber(text), static_cast<float>(value)));
    FUZZ_CHECK(SameValue(ReadDecimal("  " + std::string(text)), value));

    // The cell holds the text as the table stores it (UTF-16, malformed
    // bytes replaced); the calculation reads that text back as UTF-8.
    const QString cell = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QByteArray stored = cell.toUtf8();
    const std::string_view read(stored.constData(), static_cast<size_t>(stored.size()));
    if (const std::optional<double> whole = ParseCellNumber(read)) {
        FUZZ_CHECK(SameValue(ReadDecimal(read), *whole));
        FUZZ_CHECK(!HasAmbiguousComma(read));
        // A text that already ends in a scale sign takes no second one.
        if (const std::optional<double> percent = ParseCellNumber(std::string(read) + "%"))
            FUZZ_CHECK(*percent == *whole / 100 ||
                       std::fabs(*percent - *whole / 100) <= std::fabs(*whole) * 1e-17 + 1e-300);
    }
    for (int decimals : {0, 2, 3}) {
        const QString shown = cell_text::Rounded(cell, decimals);
        if (shown == cell) continue;  // shown as typed, not as a number
        FUZZ_CHECK(ParseCellNumber(read).has_value());
        const QString used = cell_text::FromFloat(ReadCellNumber(read));
        FUZZ_CHECK(shown == cell_text::Rounded(used, decimals));
    }

    if (size >= sizeof(float)) {
        float written;
        std::memcpy(&written, data, sizeof written);
        if (std::isfinite(written)) {
            const std::string cell = cell_text::FromFloat(written).toStdString();
            FUZZ_CHECK(SameValue(ReadCellNumber(cell), written));
        }
    }
    return 0;
}
