#pragma once

class QObject;
class QSystemTrayIcon;

namespace channel {

// The notification-area icon with its tooltip, shown: the icon file (in the
// working folder, or the installed one) when it is a usable one, otherwise the
// built-in one.
QSystemTrayIcon* ShowTrayIcon(QObject* parent);

}  // namespace channel
