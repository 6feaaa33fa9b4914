#pragma once

#include <QDialog>

class QLabel;

namespace channel {

// The about window: a blue panel with two labels and a "联系我！" link. A left
// click on the panel or on either label closes it; a click on the link opens
// the link's target and leaves the window open.
class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* hopeLabel_;
    QLabel* contactLabel_;
    QLabel* link_;
};

}  // namespace channel
