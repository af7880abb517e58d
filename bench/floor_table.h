// A window's design table as bench/MainWindowTable.cmake reads it out of the window's source: what the widget
// floor builds, and what a test compares with the window itself.
#pragma once

#include <array>

namespace kelvaro::bench {

enum class FloorKind { label, resultLabel, textBox, button, frame, picture };

struct FloorWindow {
  const char16_t* caption;
  int widthTwips, heightTwips;
};

struct FloorControl {
  FloorKind kind;
  const char* name;
  const char* container;  // empty: the window
  struct {
    int left, top, width, height;
  } at;
  const char16_t* text;  // the caption, the default text or the picture's resource
};

}  // namespace kelvaro::bench
