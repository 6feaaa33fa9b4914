// Number reading: any text reads without a crash, the same every time; the
// cell value is the reading rounded to float; blanks before a text change
// nothing; and a float written as the table writes it reads back exactly.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "hydraulics/NumberReading.h"
#include "table/CellText.h"

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ReadDecimal(text);
    FUZZ_CHECK(SameValue(ReadDecimal(text), value));
    FUZZ_CHECK(SameValue(ReadCellNumber(text), static_cast<float>(value)));
    FUZZ_CHECK(SameValue(ReadDecimal("  " + std::string(text)), value));

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
