// The one open window of each form: shown on request, created when its slot is empty, emptied when it closes.
// Calculation files are opened here too, since a file may belong to any window.
#pragma once

#include "form_window.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <optional>

namespace kelvaro::app {

class WindowSlots : public QObject {
  Q_OBJECT

 public:
  /// Creates the window with its design-time contents if none is open, else brings the open one to the front
  /// with its texts as they are. Windows are top-level, modeless and without owner.
  QWidget* open(forms::FormId id);
  /// The open window of any kind, or null.
  QWidget* openWindow(forms::FormId id) const;
  /// As open and openWindow, for the windows described in twips.
  ui::FormWindow* show(forms::FormId id) { return qobject_cast<ui::FormWindow*>(open(id)); }
  ui::FormWindow* window(forms::FormId id) const { return qobject_cast<ui::FormWindow*>(openWindow(id)); }
  /// Reads the whole file; only when it is valid, opens (or raises) the window of its calculation, puts its texts
  /// in and calculates. Otherwise every window is left as it was, and the message (naming the file) comes back.
  std::optional<QString> openFile(const QString& path);

 private:
  std::array<QPointer<QWidget>, forms::WindowCount> slots_;
};

}  // namespace kelvaro::app
