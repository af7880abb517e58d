// The six kinds of window; the application keeps at most one open window of each.
#pragma once

#include <array>
#include <cstddef>

namespace kelvaro::ui {

enum class WindowKind {
  Form1,  // vertical crane loads Dmax, Dmin (main window)
  Form2,  // reduction coefficient table
  Form3,  // minimum wheel pressure
  Form4,  // about
  Form5,  // transverse horizontal loads H, H1
  Form6,  // horizontal load coefficient note
};
inline constexpr std::size_t WindowKindCount = static_cast<std::size_t>(WindowKind::Form6) + 1;
inline constexpr std::array<WindowKind, WindowKindCount> AllWindowKinds = [] {
  std::array<WindowKind, WindowKindCount> kinds{};
  for (std::size_t i = 0; i < kinds.size(); ++i) kinds[i] = static_cast<WindowKind>(i);
  return kinds;
}();

}  // namespace kelvaro::ui
