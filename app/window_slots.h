// The one open window of each form: shown on request, created when its slot is empty, emptied when it closes.
#pragma once

#include "form_window.h"

#include <QObject>
#include <QPointer>

#include <array>

namespace kelvaro::app {

class WindowSlots : public QObject {
  Q_OBJECT

 public:
  /// Creates the window with its design-time contents if none is open, else brings the open one to the front
  /// with its texts as they are. Windows are top-level, modeless and without owner.
  ui::FormWindow* show(forms::FormId id);
  /// The open window of a form, or null.
  ui::FormWindow* window(forms::FormId id) const;

 private:
  std::array<QPointer<ui::FormWindow>, forms::FormCount> slots_;
};

}  // namespace kelvaro::app
