#pragma once

class QObject;
class QSystemTrayIcon;

namespace channel {

// The notification-area icon with its tooltip, shown: the icon file in the
// working folder when it holds a usable one, otherwise the built-in one.
QSystemTrayIcon* ShowTrayIcon(QObject* parent);

}  // namespace channel
