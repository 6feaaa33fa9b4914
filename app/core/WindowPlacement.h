#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace channel {

// Where a companion window of `size` goes beside the window framed by
// `main`: to its right if the screen has room there, else to its left, else
// on the roomier side, kept on the screen as far as it fits. The tops align.
QPoint PlaceBeside(const QRect& main, const QSize& size, const QRect& screen, int gap = 8);

}  // namespace channel
