#include "app/widgets/InstructionsWindow.h"

#include <QPlainTextEdit>

#include "app/core/InstructionsText.h"

namespace channel {

InstructionsWindow::InstructionsWindow(const QString& instructionsPath, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("说明"));
    setWindowTitle(QStringLiteral("说明"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The text box fills the client area exactly.
    setFixedSize(384, 304);
    move(50, 50);
    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("编辑框1"));
    textBox_->setGeometry(0, 0, 384, 304);
    textBox_->setReadOnly(true);
    textBox_->viewport()->setCursor(Qt::ArrowCursor);
    textBox_->setPlainText(LoadInstructionsText(instructionsPath));
}

QString InstructionsWindow::Text() const {
    return textBox_->toPlainText();
}

}  // namespace channel
