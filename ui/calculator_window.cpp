#include "calculator_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace kelvaro::ui {
namespace {

CalculatorWindow::FailureReporter& Reporter() {
  static CalculatorWindow::FailureReporter reporter;
  return reporter;
}

// Field texts can be long and hold anything that can be pasted: a message quotes only the start, and shows
// control and direction-changing characters as U+FFFD so that they cannot garble the rest of the message.
QString Quoted(const QString& text) {
  constexpr qsizetype Longest = 24;
  QString quoted = text.size() <= Longest ? text : text.left(Longest) + QStringLiteral("…");
  for (QChar& c : quoted) {
    if (!c.isPrint() && !c.isSurrogate()) c = QChar::ReplacementCharacter;
  }
  return quoted;
}

// Spaces that align a caption ("柱    距") are not part of its name. (Plain loops: a regular expression here
// would bring in and compile PCRE at start-up for every field.)
QString WithoutSpaces(QString text) {
  text.removeIf([](QChar c) { return c.isSpace(); });
  return text;
}

// "G1：" names the field G1.
QString Symbol(const QLabel* symbolLabel) {
  QString symbol = WithoutSpaces(symbolLabel->text());
  symbol.removeIf([](QChar c) { return c == u':' || c == u'：'; });
  return symbol;
}

}  // namespace

char32_t SystemDecimalSeparator() {
  const auto ucs4 = QLocale::system().decimalPoint().toUcs4();
  return ucs4.isEmpty() ? U'.' : ucs4.front();
}

float FieldReader::single(QLineEdit* field) {
  const auto value = ParseFieldValue(field->text().toStdString(), separator_);
  if (value) return *value;
  if (!failure_) failure_ = CalculationFailure{value.error().kind, field};
  return 0.0f;
}

FieldText FieldReader::text(QLineEdit* field) {
  texts_.push_back(field->text().toStdString());
  return FieldText{texts_.back(), separator_};
}

void CalculatorWindow::setFailureReporter(FailureReporter reporter) { Reporter() = std::move(reporter); }

void CalculatorWindow::declareInputs(const std::vector<Input>& inputs, std::vector<QLineEdit*> checkOrder,
                                     std::vector<QLineEdit*> clearList) {
  inputs_ = inputs;
  checkOrder_ = std::move(checkOrder);
  clearList_ = std::move(clearList);
  const QString separator = QString::fromUcs4(&separator_, 1);
  for (const Input& input : inputs_) {
    name(input);
    // Default texts ("0.9") are written with a point; in a locale that writes "0,9" they must read as numbers.
    input.field->setText(input.field->text().replace(QLatin1Char('.'), separator));
    connect(input.field, &QLineEdit::returnPressed, this, &CalculatorWindow::calculate);
  }
}

void CalculatorWindow::declareResultBox(const Input& result) { name(result); }

void CalculatorWindow::name(const Input& input) {
  // A screen reader should say "柱距 J".
  QString caption = input.caption ? WithoutSpaces(input.caption->text()) : QString();
  if (!caption.isEmpty()) caption += ' ';
  input.field->setAccessibleName(caption + Symbol(input.symbol));
  if (input.unit) input.field->setAccessibleDescription(QStringLiteral("单位：") + input.unit->text());
  input.symbol->setBuddy(input.field);
}

void CalculatorWindow::declareButtons(QPushButton* calculateButton, QPushButton* clearButton, QPushButton* exitButton) {
  connect(calculateButton, &QPushButton::clicked, this, &CalculatorWindow::calculate);
  connect(clearButton, &QPushButton::clicked, this, &CalculatorWindow::clear);
  connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
}

QString CalculatorWindow::format(float value) const { return QString::fromStdString(FormatResult(value, separator_)); }

void CalculatorWindow::calculate() {
  // Every empty field takes the focus in turn, so the last empty one keeps it.
  bool focusPlaced = false;
  for (QLineEdit* field : checkOrder_) {
    if (field->text().isEmpty()) {
      field->setFocus();
      focusPlaced = true;
    }
  }

  FieldReader reader(separator_);
  Outcome outcome = run(reader);
  if (!outcome) {
    const CalculationFailure& failure = outcome.error();
    if (failure.field && !focusPlaced) {
      failure.field->setFocus();
      failure.field->selectAll();
    }
    report(messageFor(failure));
    return;
  }
  for (const ResultText& result : *outcome) {
    const QString text = format(result.value);
    if (auto* label = qobject_cast<QLabel*>(result.target)) label->setText(text);
    if (auto* box = qobject_cast<QLineEdit*>(result.target)) box->setText(text);
    result.target->setToolTip(result.howReached);
  }
}

void CalculatorWindow::clear() {
  for (QLineEdit* field : clearList_) field->clear();
}

QString CalculatorWindow::symbolOf(const QLineEdit* field) const {
  for (const Input& input : inputs_) {
    if (input.field == field) return Symbol(input.symbol);
  }
  return field->accessibleName();
}

QString CalculatorWindow::messageFor(const CalculationFailure& failure) const {
  if (!failure.field) {
    return QStringLiteral("计算中出现的数值太大，超出了单精度数的范围（约 ±3.4E+38）。请检查输入的数值。");
  }
  const QString symbol = symbolOf(failure.field);
  const QString text = failure.field->text();
  switch (failure.kind) {
    case FailureKind::NotANumber:
      if (text.isEmpty()) return QStringLiteral("%1 是空的。请输入一个数。").arg(symbol);
      return QStringLiteral("%1 的内容“%2”不是一个数。请输入数字，例如 6 或 %3。")
          .arg(symbol, Quoted(text), format(0.9f));
    case FailureKind::DivisionByZero:
      return QStringLiteral("%1 为 0，不能作除数。请输入一个不为 0 的数。").arg(symbol);
    case FailureKind::Overflow:
      return QStringLiteral("%1 的数值太大，超出了可以计算的范围。").arg(symbol);
  }
  return {};
}

void CalculatorWindow::report(const QString& message) {
  if (Reporter()) {
    Reporter()(this, message);
    return;
  }
  // One window-modal box per window, reused: the window stays usable behind it once it is dismissed.
  if (!messageBox_) {
    messageBox_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("无法计算"), QString(), QMessageBox::Ok, this);
    messageBox_->setTextFormat(Qt::PlainText);
    messageBox_->setWindowModality(Qt::WindowModal);
    messageBox_->setAttribute(Qt::WA_DeleteOnClose);
    messageBox_->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  }
  messageBox_->setText(message);
  messageBox_->open();
}

}  // namespace kelvaro::ui
