#pragma once

#include <QString>

namespace channel {

// The system clipboard as the table's copy and paste see it: plain text in,
// plain text out. Handlers take this interface so they can be driven by a
// double as well as by the real clipboard.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

// The desktop clipboard of the running QGuiApplication (which must exist).
class SystemClipboard : public Clipboard {
  public:
    QString Text() const override;
    void SetText(const QString& text) override;
};

}  // namespace channel
