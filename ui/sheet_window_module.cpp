// The entry of the module the program loads on its first Ctrl+P.
#include "sheet_loader.h"
#include "sheet_window.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT QWidget* kelvaro_show_sheet(QWidget* open, const kelvaro::ui::CalculationSheet& sheet,
                                                     QWidget* calculator) {
  return kelvaro::ui::ShowSheetWindow(open, sheet, calculator);
}
static_assert(std::is_same_v<decltype(&kelvaro_show_sheet), kelvaro::ui::SheetWindowEntry>);
