#include "app/widgets/DeferredStyleIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace channel {

namespace {

// Stands for one of the base style's icons and asks the style for it only
// when it is drawn.
class DeferredIconEngine : public QIconEngine {
  public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap icon) : style_(style), icon_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Real().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

  private:
    DeferredIconEngine(const DeferredIconEngine&) = default;

    const QIcon& Real() {
        if (real_.isNull() && style_) real_ = style_->standardIcon(icon_);
        return real_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap icon_;
    QIcon real_;
};

}  // namespace

QIcon DeferredStyleIcons::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                       const QWidget* widget) const {
    if (option == nullptr &&
        (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton))
        return QIcon(new DeferredIconEngine(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace channel
