#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QPrinter;

namespace channel {

// The two dialogs that printing goes through, behind an interface so that
// the print commands can be driven without a modal dialog.
class PrintDialogs {
  public:
    virtual ~PrintDialogs() = default;
    // Lets the user choose the printer and its settings. False: cancelled.
    virtual bool ConfirmPrint(QPrinter& printer) = 0;
    // Shows a preview of the pages `paint` draws on the printer it is given,
    // until the user closes it (printing from the preview included).
    virtual void ShowPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
};

// Qt's own QPrintDialog and QPrintPreviewDialog, modal over `parent`.
class QtPrintDialogs : public PrintDialogs {
  public:
    explicit QtPrintDialogs(QWidget* parent);
    bool ConfirmPrint(QPrinter& printer) override;
    void ShowPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace channel
