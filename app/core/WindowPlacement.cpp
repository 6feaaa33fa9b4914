#include "app/core/WindowPlacement.h"

#include <algorithm>

namespace channel {

QPoint PlaceBeside(const QRect& main, const QSize& size, const QRect& screen, int gap) {
    const int right = main.right() + 1 + gap;
    const int left = main.left() - gap - size.width();
    const int roomRight = screen.right() + 1 - right;
    const int roomLeft = left - screen.left();
    int x = 0;
    if (roomRight >= size.width()) {
        x = right;
    } else if (roomLeft >= 0) {
        x = left;
    } else {
        x = roomRight >= roomLeft + size.width() ? right : left;
    }
    // Keep it on the screen; a window wider than the screen shows its left.
    x = std::max(screen.left(), std::min(x, screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(main.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace channel
