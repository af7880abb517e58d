#include "window_slots.h"

#include "crane_arrangement_window.h"

namespace kelvaro::app {
namespace {

std::size_t Index(forms::FormId id) { return static_cast<std::size_t>(id); }

}  // namespace

QWidget* WindowSlots::openWindow(forms::FormId id) const {
  QWidget* w = slots_[Index(id)];
  // A closed window is deleted on the next turn of the event loop; until then it no longer counts as open.
  return w && w->isVisible() ? w : nullptr;
}

QWidget* WindowSlots::open(forms::FormId id) {
  QWidget* w = openWindow(id);
  if (!w) {
    const auto request = [this](forms::FormId other) { open(other); };
    if (id == forms::FormId::CraneArrangement) {
      auto* cranes = new ui::CraneArrangementWindow;
      connect(cranes, &ui::CraneArrangementWindow::showWindowRequested, this, request);
      w = cranes;
    } else {
      auto* form = ui::MakeWindow(id);
      connect(form, &ui::FormWindow::showWindowRequested, this, request);
      w = form;
    }
    slots_[Index(id)] = w;
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

}  // namespace kelvaro::app
