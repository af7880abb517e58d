// The sheet window is a module of its own, loaded on the first Ctrl+P: it needs the toolkit's print support, a
// library the program would otherwise load and bind before its first window is mapped.
#pragma once

#include "calculation_sheet.h"

#include <QString>

#include <expected>

class QWidget;

namespace kelvaro::ui {

/// Shows `sheet` in `open`, a sheet window made by the same entry, or, when there is none, in a new window that
/// belongs to `calculator`. Returns the window, not yet shown.
using SheetWindowEntry = QWidget* (*)(QWidget* open, const CalculationSheet& sheet, QWidget* calculator);

/// The name the module exports its entry under.
inline constexpr char SheetModuleEntryName[] = "kelvaro_show_sheet";

/// The entry the program links (UseLinkedSheetWindow), else the module's, loaded the first time. On failure, a
/// message in Chinese that names the module and the reason.
std::expected<SheetWindowEntry, QString> SheetWindowEntryPoint();

/// For programs that link the sheet window themselves (tests, the screenshot tool): the module is not loaded.
void UseLinkedSheetWindow(SheetWindowEntry entry);

}  // namespace kelvaro::ui
