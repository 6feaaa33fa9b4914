#pragma once

#include <functional>

class QWidget;

namespace channel {

class Clipboard;
class ElementsTable;

// The section-details window (断面详情) lives in a module of its own, opened
// on the first F4: Qt Charts and the OpenGL libraries it pulls in would
// otherwise load with the program, before its window shows.

// Makes the window over `table` as a child window of `parent`; null when it
// cannot be made.
using MakeSectionDetailsWindow =
    std::function<QWidget*(ElementsTable& table, Clipboard& clipboard, QWidget* parent)>;

// The module's one entry point, with the signature of
// channel_make_section_details in SectionDetailsEntry.cpp.
inline constexpr char kMakeSectionDetailsSymbol[] = "channel_make_section_details";
// The module's file name without its platform suffix: beside the program in
// the build tree, in the installed library folder otherwise.
inline constexpr char kSectionDetailsModuleName[] = "channel_section_details";

// Opens the module and makes the window; null when the module cannot be
// opened.
QWidget* LoadSectionDetailsWindow(ElementsTable& table, Clipboard& clipboard, QWidget* parent);

// Pays what a window's first show costs beyond any later one (its polish
// and layout, its native window, and the caches its first paint fills: the
// chart's items, glyphs, gradients) while it is still hidden. A window
// prepared this way shows within a frame. Does nothing to a visible window.
void PrepareHiddenWindow(QWidget& window);

}  // namespace channel
