#include "table/CellText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace cell_text {

QString FromFloat(float value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

bool ParsePlainNumber(const QString& text, double* value) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty()) return false;
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (*first == '+') ++first;  // from_chars accepts '-' only
    if (first == last || *first == '+') return false;
    double parsed = 0;
    const auto result = std::from_chars(first, last, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(parsed)) return false;
    // Latin-1 conversion maps non-Latin characters to '?', which from_chars
    // rejects, so only ASCII numbers get here.
    *value = parsed;
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
    const QString marker = NonFiniteMarker(text);
    if (!marker.isEmpty()) return marker;
    double value = 0;
    if (decimals < 0 || !ParsePlainNumber(text, &value)) return text;
    QString shown = QString::number(value, 'f', decimals);
    // "-0.00" would suggest a sign the value does not really have.
    if (shown.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : QStringView(shown).mid(1)) allZero = allZero && (c == u'0' || c == u'.');
        if (allZero) shown.remove(0, 1);
    }
    return shown;
}

}  // namespace cell_text
