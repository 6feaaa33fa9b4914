#include "table/clipboard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace channel {

QString SystemClipboard::Text() const {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

void SystemClipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

}  // namespace channel
