#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace channel {

// Shows the instructions file. The text is read each time a window is
// created, so every opening shows the file as it is at that moment.
class InstructionsWindow : public QDialog {
    Q_OBJECT
  public:
    explicit InstructionsWindow(const QString& instructionsPath, QWidget* parent = nullptr);
    QString Text() const;

  private:
    QPlainTextEdit* textBox_;
};

}  // namespace channel
