// The behaviour the three calculators share: Calculate (empty check in check order, the core's call, results in
// result order), Clear, Exit, and the report of a failed calculation. A calculator declares its fields, orders,
// buttons and its one call to the core; nothing else. The core reads the fields' texts, says which input a
// failure belongs to and hands back its working: a window never reads a number or works anything out itself.
// The calculation sheet (Ctrl+P) is shared behaviour too: a calculator only says which sheet its working makes.
#pragma once

#include "calculation_sheet.h"
#include "calculations.h"
#include "form_window.h"
#include "sheet_loader.h"

#include <QPointer>

#include <deque>
#include <expected>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace kelvaro::ui {

/// The decimal separator of the user's locale, as the core takes it.
char32_t SystemDecimalSeparator();

/// The UTF-8 texts of fields, kept alive for the core's views of them during one calculation.
class FieldTexts {
 public:
  std::string_view operator()(const QLineEdit* field);

 private:
  std::deque<std::string> texts_;
};

/// One result, for the result field declared in its place, with the note on how it was reached.
struct ResultText {
  float value;
  std::string howReached;
};
using Outcome = std::expected<std::vector<ResultText>, NumberFailure>;

class CalculatorWindow : public FormWindow {
  Q_OBJECT

 public:
  /// Shows a failure message for a window; tests replace the window-modal message box with a recorder.
  using FailureReporter = std::function<void(QWidget* window, const QString& message)>;
  static void setFailureReporter(FailureReporter reporter);
  static const FailureReporter& failureReporter();

  /// An input field, the labels around it (they name it for screen readers) and the core's input it feeds.
  struct Field {
    QLineEdit* field;
    QLabel* caption;  // may be null
    QLabel* symbol;
    QLabel* unit;  // may be null
    Input input;
  };
  const std::vector<Field>& fields() const { return fields_; }
  const std::vector<QLineEdit*>& checkOrder() const { return checkOrder_; }
  const std::vector<QLineEdit*>& clearList() const { return clearList_; }

  /// A result field and the member of the core's result structure that it shows.
  struct ResultField {
    QWidget* target;  // a QLabel caption or a QLineEdit text
    std::string_view member;
  };
  /// The core's calculation this window makes, by the name of its result structure ("VerticalLoads"), and its
  /// result fields in result order: what the browser edition needs to make the same call.
  std::string_view calculation() const { return calculation_; }
  const std::vector<ResultField>& resultFields() const { return resultFields_; }
  struct Buttons {
    QPushButton *calculate, *clear, *exit;
  };
  const Buttons& buttons() const { return buttons_; }

 public slots:
  /// True when the results were written; false after a failure, which has been reported.
  bool calculate();
  void clear();
  /// Calculates as "计算" does and, only when that succeeds, shows the sheet of this calculation.
  void showSheet();

 protected:
  using FormWindow::FormWindow;

  void declareInputs(std::vector<Field> fields, std::vector<QLineEdit*> checkOrder, std::vector<QLineEdit*> clearList);
  /// A result shown in an editable box is named for screen readers like an input.
  void declareResultBox(QLineEdit* box, QLabel* caption, QLabel* symbol, QLabel* unit);
  void declareButtons(QPushButton* calculateButton, QPushButton* clearButton, QPushButton* exitButton);
  /// Names the calculation and the results that run() hands back, in the same order.
  void declareResults(std::string_view calculation, std::vector<ResultField> resultFields);

  /// Hands the fields' texts to the core and its results, with their notes, in the order of declareResults.
  virtual Outcome run(FieldTexts& in) = 0;
  /// The sheet of the last calculation that succeeded; called only after one has.
  virtual CalculationSheet sheet() const = 0;
  /// The inputs as the sheet lists them: symbol, caption, text as typed and unit, in the window's order.
  std::vector<SheetInput> sheetInputs() const;

  char32_t separator() const { return separator_; }

 private:
  QLineEdit* fieldOf(Input input) const;
  void report(const QString& message);

  char32_t separator_ = SystemDecimalSeparator();
  std::vector<Field> fields_;
  std::vector<QLineEdit*> checkOrder_;
  std::vector<QLineEdit*> clearList_;
  std::string_view calculation_;
  std::vector<ResultField> resultFields_;
  Buttons buttons_{};
  QPointer<QMessageBox> messageBox_;
  QAction* sheetAction();  // the window's one "计算书…" (Ctrl+P)
  QAction* sheetAction_ = nullptr;
  QPointer<QWidget> sheetWindow_;
  SheetWindowInterface* sheetEntry_ = nullptr;
};

}  // namespace kelvaro::ui
