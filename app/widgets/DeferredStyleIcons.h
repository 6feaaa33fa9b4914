#pragma once

#include <QProxyStyle>

namespace channel {

// The application's style with the tool-bar extension icons (the "»" button
// a menu bar shows only when its menus do not fit) made on first use. Every
// QMenuBar asks for one as it is built, and making it loads Qt's image
// plugins: a tenth of the program's start-up, for a button this fixed-size
// window never shows. Everything else is the style's own.
class DeferredStyleIcons : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace channel
