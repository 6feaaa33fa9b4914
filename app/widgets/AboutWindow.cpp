#include "app/widgets/AboutWindow.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>

#include "app/widgets/WindowGeometry.h"

namespace channel {

namespace {
// The author's contact is not published, so the link opens an empty message.
const QString kContactTarget = QStringLiteral("mailto:");
}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("关于"));
    setWindowTitle(QStringLiteral("关于"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetOuterSize(this, 305, 123);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 96, 192));
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    hopeLabel_ = new QLabel(QStringLiteral("希望对大家有所帮助。"), this);
    hopeLabel_->setObjectName(QStringLiteral("标签2"));
    hopeLabel_->setGeometry(36, 16, 124, 16);
    contactLabel_ = new QLabel(this);
    contactLabel_->setObjectName(QStringLiteral("标签3"));
    contactLabel_->setGeometry(88, 39, 112, 16);
    for (QLabel* label : {hopeLabel_, contactLabel_}) label->installEventFilter(this);

    auto* link = link_ = new QLabel(this);
    link->setObjectName(QStringLiteral("超级链接框"));
    link->setGeometry(176, 72, 104, 16);
    link->setText(
        QStringLiteral("<a href=\"%1\" style=\"color:#ffff80\">联系我！</a>").arg(kContactTarget));
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    if (QFontDatabase::families(QFontDatabase::SimplifiedChinese)
            .contains(QStringLiteral("SimSun"))) {
        QFont font(QStringLiteral("SimSun"));
        font.setPixelSize(14);
        font.setWeight(QFont::Normal);
        link->setFont(font);
    }
}

void AboutWindow::mousePressEvent(QMouseEvent* event) {
    // The link label passes on presses beside its text; they must not close.
    const bool overLink = childAt(event->position().toPoint()) == link_;
    if (event->button() == Qt::LeftButton && !overLink) {
        close();
        return;
    }
    QDialog::mousePressEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace channel
