#include "app/core/InstructionsText.h"

#include <QFile>
#include <QStringDecoder>

QString LoadInstructionsText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    file.close();

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        return text;
    }
    QStringDecoder gbk("GBK");
    if (gbk.isValid()) return gbk.decode(bytes);
    return QString::fromLocal8Bit(bytes);
}
