// The six kinds of window; the application keeps at most one open window of each.
#pragma once

namespace kelvaro::ui {

enum class WindowKind {
  Form1,  // vertical crane loads Dmax, Dmin (main window)
  Form2,  // reduction coefficient table
  Form3,  // minimum wheel pressure
  Form4,  // about
  Form5,  // transverse horizontal loads H, H1
  Form6,  // horizontal load coefficient note
};

}  // namespace kelvaro::ui
