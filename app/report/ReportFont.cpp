#include "app/report/ReportFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace channel {

QFont ReportFont(qreal points, bool bold) {
    static const QString kPreferred = QStringLiteral("WenQuanYi Micro Hei");
    QFont font(QFontDatabase::hasFamily(kPreferred) ? kPreferred
                                                    : QGuiApplication::font().family());
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

}  // namespace channel
