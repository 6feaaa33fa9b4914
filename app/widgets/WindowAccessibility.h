#pragma once

class QWidget;

namespace channel {

// Makes assistive tools see `window`, a plain QWidget shown as a top-level
// window, as a window (role Window) rather than as an anonymous pane. Call
// before anything asks the accessibility layer about it: setting its
// accessible name does, when an assistive tool is listening.
void ExposeAsWindow(QWidget& window);

}  // namespace channel
