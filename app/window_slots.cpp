#include "window_slots.h"

#include "about_window.h"
#include "alpha_coefficient_window.h"
#include "coefficient_table_window.h"
#include "horizontal_load_window.h"
#include "main_window.h"
#include "min_wheel_window.h"

namespace kelvaro::app {
namespace {

std::size_t Index(WindowKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

WindowSlots::WindowSlots() {
  factories_[Index(WindowKind::Form1)] = [] { return new ui::MainWindow; };
  factories_[Index(WindowKind::Form2)] = [] { return new ui::CoefficientTableWindow; };
  factories_[Index(WindowKind::Form3)] = [] { return new ui::MinWheelWindow; };
  factories_[Index(WindowKind::Form4)] = [] { return new ui::AboutWindow; };
  factories_[Index(WindowKind::Form5)] = [] { return new ui::HorizontalLoadWindow; };
  factories_[Index(WindowKind::Form6)] = [] { return new ui::AlphaCoefficientWindow; };
}

ui::FormWindow* WindowSlots::window(WindowKind kind) const {
  ui::FormWindow* w = slots_[Index(kind)];
  // A closed window is deleted on the next turn of the event loop; until then it no longer counts as open.
  return w && w->isVisible() ? w : nullptr;
}

ui::FormWindow* WindowSlots::show(WindowKind kind) {
  ui::FormWindow* w = window(kind);
  if (!w) {
    w = factories_[Index(kind)]();
    connect(w, &ui::FormWindow::showWindowRequested, this, [this](WindowKind k) { show(k); });
    slots_[Index(kind)] = w;
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

}  // namespace kelvaro::app
