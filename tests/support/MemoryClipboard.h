#pragma once

#include <QString>

#include "table/clipboard/Clipboard.h"

namespace channel {

// A clipboard that is one string the test can set and read.
struct MemoryClipboard : Clipboard {
    QString text;

    QString Text() const override { return text; }
    void SetText(const QString& newText) override { text = newText; }
};

}  // namespace channel
