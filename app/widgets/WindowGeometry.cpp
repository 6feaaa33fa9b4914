#include "app/widgets/WindowGeometry.h"

#include <QWidget>

namespace channel {

void SetOuterSize(QWidget* window, int outerWidth, int outerHeight) {
    window->setFixedSize(outerWidth - 2 * kFrameWidth,
                         outerHeight - 2 * kFrameWidth - kTitleHeight);
    window->move(50, 50);
}

}  // namespace channel
