#include "table/print/PrintFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace channel {

QString PrintFontFamily() {
    static const QString kPreferred = QStringLiteral("WenQuanYi Micro Hei");
    if (QFontDatabase::hasFamily(kPreferred)) return kPreferred;
    return QGuiApplication::font().family();
}

QFont PrintFont(qreal points, bool bold) {
    QFont font(PrintFontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

}  // namespace channel
