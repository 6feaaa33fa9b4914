#include "table/CellText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "hydraulics/NumberReading.h"

namespace channel {

namespace cell_text {

QString FromFloat(float value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

bool ParsePlainNumber(const QString& text, double* value) {
    const QByteArray utf8 = text.toUtf8();
    const std::optional<double> number =
        ParseCellNumber(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    if (!number || !std::isfinite(*number)) return false;
    *value = *number;
    return true;
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
    double value = 0;
    if (decimals < 0 || !ParsePlainNumber(text, &value)) return text;
    // The calculations work in single precision; show the value they use.
    const float used = static_cast<float>(value);
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
