#include "table/CellText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "table/NumberReading.h"

namespace channel {

namespace cell_text {

namespace {

// Calls `read` with the UTF-8 bytes of `text`, which live only as long as
// the call.
template <typename Read>
auto OnUtf8(const QString& text, Read read) {
    const QByteArray utf8 = text.toUtf8();
    return read(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace

QString FromFloat(float value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

bool IsNumber(const QString& text) {
    return OnUtf8(text, ParseCellNumber).has_value();
}

bool IsAmbiguous(const QString& text) {
    return OnUtf8(text, HasAmbiguousComma);
}

std::optional<double> Number(const QString& text) {
    const std::optional<double> number = OnUtf8(text, ParseCellNumber);
    if (!number || !std::isfinite(*number)) return std::nullopt;
    return number;
}

float Value(const QString& text) {
    return OnUtf8(text, ReadCellNumber);
}

QString NonFiniteMarker(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("inf") || t == QLatin1String("+inf")) return QStringLiteral("∞(无效)");
    if (t == QLatin1String("-inf")) return QStringLiteral("-∞(无效)");
    if (t == QLatin1String("nan") || t == QLatin1String("-nan")) return QStringLiteral("无效值");
    return {};
}

QString Rounded(const QString& text, int decimals) {
    QString marker = NonFiniteMarker(text);
    if (!marker.isEmpty()) return marker;
    const std::optional<double> value = decimals < 0 ? std::nullopt : Number(text);
    if (!value) return text;
    // The calculations work in single precision; show the value they use.
    const float used = static_cast<float>(*value);
    if (!std::isfinite(used)) return text;
    QString shown = QString::number(static_cast<double>(used), 'f', decimals);
    // "-0.00" would suggest a sign the value does not really have.
    if (shown.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : QStringView(shown).mid(1)) allZero = allZero && (c == u'0' || c == u'.');
        if (allZero) shown.remove(0, 1);
    }
    return shown;
}

}  // namespace cell_text

}  // namespace channel
