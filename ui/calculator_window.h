// A window that calculates, built from its description's calculator: Calculate (the core's one call with the
// fields' texts, then the results or the refusal), Clear, Exit, and the calculation sheet (Ctrl+P). The core
// reads the fields' texts, words every message and writes every result: a window never reads a number or works
// anything out itself.
#pragma once

#include "calculation.h"
#include "calculation_file.h"
#include "calculation_sheet.h"
#include "form_window.h"
#include "sheet_loader.h"

#include <QPointer>

#include <optional>
#include <variant>
#include <vector>

class QAction;
class QLineEdit;
class QMessageBox;

namespace kelvaro::ui {

class CalculationFileActions;

/// The decimal separator of the user's locale, as the core takes it.
char32_t SystemDecimalSeparator();

class CalculatorWindow : public FormWindow {
  Q_OBJECT

 public:
  /// `form` must have a calculator.
  explicit CalculatorWindow(const forms::Form& form);

  /// The fields' texts as typed, as a file keeps them.
  FieldTexts texts() const;
  /// A file's texts into the fields, then Calculate as "计算" does.
  void openTexts(const FieldTexts& texts);
  /// Saves the fields' texts (and the results as shown) to `path`; false after a failure, which has been reported.
  bool saveTo(const QString& path);
  /// Shows a message in the window's own box, window-modal, under `title` (the failure's caption when empty).
  void report(const QString& message, const QString& title = {});
  /// A message about a calculation file.
  void reportFile(const QString& message);

 signals:
  /// The user chose a file to open; it may belong to another window, so whoever keeps the windows opens it.
  void openFileRequested(const QString& path);

 public slots:
  /// True when the results were written; false after a failure, which has been reported.
  bool calculate();
  void clear();
  /// Calculates as "计算" does and, only when that succeeds, shows the sheet of this calculation.
  void showSheet();
  /// Asks where, then saveTo.
  void save();

 private:
  QLineEdit* fieldOf(Input input) const;
  /// The inputs as the sheet lists them: symbol, caption, text as typed and unit, in the description's order.
  /// The sheet of the last calculation that succeeded; called only after one has.
  CalculationSheet sheet() const;
  /// The fields' texts by input, as views of `held`, which must outlive them.
  InputTexts fieldTexts(std::array<std::string, InputCount>& held) const;
  QAction* sheetAction();  // the window's one "计算书…" (Ctrl+P)

  const forms::Calculator& calculator_;
  char32_t separator_ = SystemDecimalSeparator();
  std::optional<decltype(Answer::record)> record_;
  QPointer<QMessageBox> messageBox_;
  QAction* sheetAction_ = nullptr;
  QPointer<QWidget> sheetWindow_;
  SheetWindowInterface* sheetEntry_ = nullptr;
  CalculationFileActions* files_ = nullptr;
};

}  // namespace kelvaro::ui
