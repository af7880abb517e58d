// The sheet window is a plugin of its own, loaded on the first Ctrl+P: it needs the toolkit's print support, a
// library the program would otherwise load and bind before its first window is mapped.
#pragma once

#include "calculation_sheet.h"
#include "crane_sheet.h"

#include <QString>
#include <QtPlugin>

#include <expected>

class QWidget;

namespace kelvaro::ui {

/// What the sheet window's plugin offers the program. A change to it changes the interface's version below, so
/// that a module built for another version is refused rather than called.
class SheetWindowInterface {
 public:
  virtual ~SheetWindowInterface() = default;
  /// Shows `sheet` in `open`, a sheet window made by the same instance, or, when there is none, in a new window
  /// that belongs to `calculator`. Returns the window, not yet shown.
  virtual QWidget* show(QWidget* open, const CalculationSheet& sheet, QWidget* calculator) = 0;
  /// The same for the several-cranes sheet; `suggestedName` names its PDF.
  virtual QWidget* showCranes(QWidget* open, const forms::CraneSheet& sheet, const QString& suggestedName,
                              QWidget* owner) = 0;
};

}  // namespace kelvaro::ui

// A macro, not a constant: moc reads it in the plugin's metadata.
#define KELVARO_SHEET_WINDOW_IID "org.kelvaro.SheetWindow/1.2"
Q_DECLARE_INTERFACE(kelvaro::ui::SheetWindowInterface, KELVARO_SHEET_WINDOW_IID)

namespace kelvaro::ui {

/// The plugin at `path`, loaded and kept loaded. On failure, a message in Chinese that names the module and the
/// reason: not there, not a plugin of this toolkit's build, or a plugin of another interface.
std::expected<SheetWindowInterface*, QString> LoadSheetWindow(const QString& path);

/// The instance the program links (UseLinkedSheetWindow), else the module's, loaded the first time from its place
/// relative to the program.
std::expected<SheetWindowInterface*, QString> SheetWindowEntryPoint();

/// For programs that link the sheet window themselves (tests, the screenshot tool): the module is not loaded.
void UseLinkedSheetWindow(SheetWindowInterface& window);

}  // namespace kelvaro::ui
