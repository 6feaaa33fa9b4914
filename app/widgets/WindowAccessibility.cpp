#include "app/widgets/WindowAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace channel {

namespace {

constexpr char kWindowRole[] = "channelAccessibleWindow";

// Qt gives a plain QWidget the role Client whether it is a window or not.
// Asked for the most derived class first, so the marked widget is answered
// here before the widget factories see it.
QAccessibleInterface* WindowFactory(const QString& /*className*/, QObject* object) {
    if (!object || !object->isWidgetType() || !object->property(kWindowRole).toBool())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

void ExposeAsWindow(QWidget& window) {
    static const bool installed = [] {
        QAccessible::installFactory(WindowFactory);
        return true;
    }();
    (void)installed;
    window.setProperty(kWindowRole, true);
}

}  // namespace channel
