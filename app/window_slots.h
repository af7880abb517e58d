// The one open window of each kind: shown on request, created when its slot is empty, emptied when it closes.
#pragma once

#include "form_window.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

namespace kelvaro::app {

using ui::WindowKind;

class WindowSlots : public QObject {
  Q_OBJECT

 public:
  WindowSlots();

  /// Creates the window with its design-time contents if none is open, else brings the open one to the front
  /// with its texts as they are. Windows are top-level, modeless and without owner.
  ui::FormWindow* show(WindowKind kind);
  /// The open window of a kind, or null.
  ui::FormWindow* window(WindowKind kind) const;

 private:
  using Factory = std::function<ui::FormWindow*()>;
  std::array<Factory, ui::WindowKindCount> factories_;
  std::array<QPointer<ui::FormWindow>, ui::WindowKindCount> slots_;
};

}  // namespace kelvaro::app
