#include "files/widgets/QtFileMessages.h"

#include <QDir>

namespace channel {

std::unique_ptr<QMessageBox> CreateSaveChangesBox(QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(QStringLiteral("询问"));
    box->setText(QStringLiteral("文件已经被修改，是否保存？"));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

std::unique_ptr<QMessageBox> CreateFileErrorBox(QWidget* parent, const QString& path,
                                                const QString& reason) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(QMessageBox::Critical);
    box->setWindowTitle(QStringLiteral("错误"));
    box->setText(QStringLiteral("文件：%1\n\n%2").arg(QDir::toNativeSeparators(path), reason));
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

SaveChangesAnswer AnswerFromButton(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return SaveChangesAnswer::Yes;
        case QMessageBox::No:
            return SaveChangesAnswer::No;
        default:
            return SaveChangesAnswer::Cancel;
    }
}

SaveChangesAnswer QtFileMessages::AskSaveChanges() {
    auto box = CreateSaveChangesBox(parent_);
    box->exec();
    return AnswerFromButton(box->standardButton(box->clickedButton()));
}

void QtFileMessages::ShowFileError(const QString& path, const QString& reason) {
    auto box = CreateFileErrorBox(parent_, path, reason);
    box->exec();
}

}  // namespace channel
