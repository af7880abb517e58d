#include "window_slots.h"

namespace kelvaro::app {
namespace {

std::size_t Index(forms::FormId id) { return static_cast<std::size_t>(id); }

}  // namespace

ui::FormWindow* WindowSlots::window(forms::FormId id) const {
  ui::FormWindow* w = slots_[Index(id)];
  // A closed window is deleted on the next turn of the event loop; until then it no longer counts as open.
  return w && w->isVisible() ? w : nullptr;
}

ui::FormWindow* WindowSlots::show(forms::FormId id) {
  ui::FormWindow* w = window(id);
  if (!w) {
    w = ui::MakeWindow(id);
    connect(w, &ui::FormWindow::showWindowRequested, this, [this](forms::FormId other) { show(other); });
    slots_[Index(id)] = w;
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

}  // namespace kelvaro::app
