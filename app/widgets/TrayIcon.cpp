#include "app/widgets/TrayIcon.h"

#include <QFileInfo>
#include <QSystemTrayIcon>

#include "app/core/ShellTexts.h"
#include "io/CompanionFiles.h"

namespace channel {

QSystemTrayIcon* ShowTrayIcon(QObject* parent) {
    const QString builtIn = QStringLiteral(":/icons/circle_f1.ico");
    const QString localIcon = CompanionFile(shell_text::kTrayIconFile);
    QIcon icon(QFileInfo::exists(localIcon) ? localIcon : builtIn);
    if (icon.isNull() || icon.availableSizes().isEmpty()) icon = QIcon(builtIn);
    auto* tray = new QSystemTrayIcon(icon, parent);
    tray->setObjectName(QStringLiteral("托盘图标"));
    tray->setToolTip(shell_text::kTrayTooltip);
    tray->show();
    return tray;
}

}  // namespace channel
