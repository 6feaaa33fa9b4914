#pragma once

class QWidget;

namespace channel {

// The windows are laid out in fixed pixels for an outer size that includes a
// classic frame and title bar. Qt sizes the client area, so the frame is
// taken off here; what is left is what the controls were placed in.
inline constexpr int kFrameWidth = 4;
inline constexpr int kTitleHeight = 21;

// Fixes the window's client size for the given outer size and moves it to
// the design position.
void SetOuterSize(QWidget* window, int outerWidth, int outerHeight);

}  // namespace channel
