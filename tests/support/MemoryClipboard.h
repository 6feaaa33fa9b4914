#pragma once

#include <QString>

#include "table/clipboard/Clipboard.h"

namespace channel {

// A clipboard that is a plain text and an HTML text the test can set and
// read; plain text alone leaves no HTML.
struct MemoryClipboard : Clipboard {
    QString text;
    QString html;

    QString Text() const override { return text; }
    void SetText(const QString& newText) override { SetTextAndHtml(newText, {}); }
    void SetTextAndHtml(const QString& newText, const QString& newHtml) override {
        text = newText;
        html = newHtml;
    }
};

}  // namespace channel
