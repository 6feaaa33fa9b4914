#include "table/clipboard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace channel {

QString SystemClipboard::Text() const {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

void SystemClipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void SystemClipboard::SetTextAndHtml(const QString& text, const QString& html) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);  // takes ownership
}

}  // namespace channel
