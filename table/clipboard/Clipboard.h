#pragma once

#include <QString>

namespace channel {

// The system clipboard as the table's copy and paste see it: plain text
// out, plain text with an HTML table beside it in. Handlers take this
// interface so they can be driven by a double as well as by the real
// clipboard.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The plain text on the clipboard, whatever else is offered with it.
    virtual QString Text() const = 0;
    // Plain text alone.
    virtual void SetText(const QString& text) = 0;
    // The same content twice: `text` as text/plain, `html` as text/html.
    virtual void SetTextAndHtml(const QString& text, const QString& html) = 0;
};

// The desktop clipboard of the running QGuiApplication (which must exist).
class SystemClipboard : public Clipboard {
  public:
    QString Text() const override;
    void SetText(const QString& text) override;
    void SetTextAndHtml(const QString& text, const QString& html) override;
};

}  // namespace channel
