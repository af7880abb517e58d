// The behaviour the three calculators share: Calculate (empty check, reading in read order, the core's call,
// results in result order), Clear, Exit, and the report of a failed calculation. A calculator declares its
// fields, orders, buttons and its one call; nothing else.
#pragma once

#include "calculations.h"
#include "form_window.h"

#include <QPointer>

#include <deque>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace kelvaro::ui {

/// The decimal separator of the user's locale, as the core takes it.
char32_t SystemDecimalSeparator();

/// What went wrong, and in which field; no field when the numbers as a whole are too large.
struct CalculationFailure {
  FailureKind kind;
  QLineEdit* field = nullptr;
};

/// Reads fields in the order the calculator asks for them; the first failing field is kept.
class FieldReader {
 public:
  explicit FieldReader(char32_t decimalSeparator) : separator_(decimalSeparator) {}

  float single(QLineEdit* field);
  /// A field taken as text: the calculation reads it at double precision when it first uses it.
  FieldText text(QLineEdit* field);
  const std::optional<CalculationFailure>& failure() const { return failure_; }

 private:
  char32_t separator_;
  std::deque<std::string> texts_;  // owns the UTF-8 that FieldText views point into
  std::optional<CalculationFailure> failure_;
};

/// One result, for one result field, with a note on how it was reached for hand checking.
struct ResultText {
  QWidget* target;  // a QLabel caption or a QLineEdit text
  float value;
  QString howReached;
};
using Outcome = std::expected<std::vector<ResultText>, CalculationFailure>;

class CalculatorWindow : public FormWindow {
  Q_OBJECT

 public:
  /// Shows a failure message for a window; tests replace the window-modal message box with a recorder.
  using FailureReporter = std::function<void(QWidget* window, const QString& message)>;
  static void setFailureReporter(FailureReporter reporter);

  char32_t decimalSeparator() const { return separator_; }

 public slots:
  void calculate();
  void clear();

 protected:
  using FormWindow::FormWindow;

  /// An input field with the labels around it: they name it for screen readers and in failure messages.
  struct Input {
    QLineEdit* field;
    QLabel* caption;  // may be null
    QLabel* symbol;
    QLabel* unit;  // may be null
  };
  void declareInputs(const std::vector<Input>& inputs, std::vector<QLineEdit*> checkOrder,
                     std::vector<QLineEdit*> clearList);
  /// A result shown in an editable box is named for screen readers like an input.
  void declareResultBox(const Input& result);
  void declareButtons(QPushButton* calculateButton, QPushButton* clearButton, QPushButton* exitButton);

  /// Reads the fields in read order and makes the core's call.
  virtual Outcome run(FieldReader& in) = 0;

  /// A value as the result fields write it, with this window's decimal separator.
  QString format(float value) const;

 private:
  QString symbolOf(const QLineEdit* field) const;
  void name(const Input& input);
  QString messageFor(const CalculationFailure& failure) const;
  void report(const QString& message);

  char32_t separator_ = SystemDecimalSeparator();
  std::vector<Input> inputs_;
  std::vector<QLineEdit*> checkOrder_;
  std::vector<QLineEdit*> clearList_;
  QPointer<QMessageBox> messageBox_;
};

}  // namespace kelvaro::ui
