// The plugin the program loads on its first Ctrl+P. Its only exports are the two the toolkit's plugin loader
// looks up: the instance and the metadata (interface, toolkit version and build key).
#include "crane_sheet_view.h"
#include "sheet_loader.h"
#include "sheet_window.h"

#include <QObject>

namespace kelvaro::ui {
namespace {

class SheetWindowPlugin : public QObject, public SheetWindowInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID KELVARO_SHEET_WINDOW_IID)
  Q_INTERFACES(kelvaro::ui::SheetWindowInterface)

 public:
  QWidget* show(QWidget* open, const CalculationSheet& sheet, QWidget* calculator) override {
    return ShowSheetWindow(open, sheet, calculator);
  }
  QWidget* showCranes(QWidget* open, const forms::CraneSheet& sheet, const QString& name, QWidget* owner) override {
    return ShowCraneSheetWindow(open, sheet, name, owner);
  }
};

}  // namespace
}  // namespace kelvaro::ui

#include "sheet_window_module.moc"
