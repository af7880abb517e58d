#include "calculator_window.h"

#include "messages.h"

#include <QAction>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace kelvaro::ui {
namespace {

using namespace Qt::StringLiterals;

CalculatorWindow::FailureReporter& Reporter() {
  static CalculatorWindow::FailureReporter reporter;
  return reporter;
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Characters that would act on the message instead of showing in it: controls, line breaks, and the marks,
// embeddings, overrides and isolates that change the direction of the text around them. Other invisible
// characters (the joiners and tags inside an emoji) stay.
bool Unsafe(QChar c) {
  switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
      return true;
    default:
      break;
  }
  const char16_t u = c.unicode();
  return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

// Field texts can be long and hold anything that can be pasted: a message quotes only the first whole characters
// (grapheme clusters, so that no character is cut in two), and shows control and direction-changing characters
// as U+FFFD so that they cannot garble the rest of the message.
QString Quoted(const QString& text) {
  constexpr int Longest = 24;
  QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
  qsizetype end = 0;
  for (int i = 0; i < Longest && end != -1 && end < text.size(); ++i) end = clusters.toNextBoundary();
  QString quoted = end == -1 || end >= text.size() ? text : text.left(end) + u'…';
  for (QChar& c : quoted) {
    if (Unsafe(c)) c = QChar::ReplacementCharacter;
  }
  return quoted;
}

// Spaces that align a caption ("柱    距") are not part of its name.
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

// The name the sheet gives an input that has no caption beside it in its window.
QString Uncaptioned(Input input) {
  switch (input) {
    case Input::Z:
      return u"折减系数"_s;
    case Input::Pmax:
      return u"吊车最大轮压"_s;
    case Input::Pmin:
      return u"吊车最小轮压"_s;
    case Input::AlphaH:
      return u"横向水平荷载系数"_s;
    default:
      return FromUtf8(SymbolOf(input));
  }
}

// A screen reader should say "柱距 J", and the symbol's label leads to its field.
void Name(QLineEdit* box, const QLabel* caption, QLabel* symbol, const QLabel* unit) {
  QString name = caption ? WithoutSpaces(caption->text()) : QString();
  if (!name.isEmpty()) name += u' ';
  box->setAccessibleName(name + Symbol(symbol));
  if (unit) box->setAccessibleDescription(u"单位："_s + unit->text());
  symbol->setBuddy(box);
}

// The width a text may take inside a result field in a given font: a label's contents less the indent a framed
// label keeps (half an "x"), or a line edit's text area.
qreal TextRoom(const QWidget* target, const QFont& font) {
  if (const auto* label = qobject_cast<const QLabel*>(target)) {
    const int indent = label->indent() < 0 && label->frameWidth() > 0
                           ? QFontMetrics(font).horizontalAdvance(u'x') / 2 - label->margin()
                           : std::max(label->indent(), 0);
    return label->contentsRect().width() - indent;
  }
  const auto* box = qobject_cast<const QLineEdit*>(target);
  const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
  const QMargins margins = box->textMargins();
  // QLineEdit keeps a further 2 pixels of margin on each side of its text.
  return box->width() - 2 * frame - margins.left() - margins.right() - 4;
}

// A cut number reads as a different number: a result that is wider than its field is drawn in a smaller font
// until it fits whole, and the field keeps its place and size. One pixel is kept spare for the rounding of
// fractional scale factors.
void FitWhole(QWidget* target, const QString& text) {
  QFont font = target->parentWidget()->font();
  constexpr qreal Smallest = 5.0;
  while (QFontMetricsF(font).horizontalAdvance(text) > TextRoom(target, font) - 1 && font.pointSizeF() > Smallest) {
    font.setPointSizeF(std::max(Smallest, font.pointSizeF() - 0.25));
  }
  target->setFont(font);
}

}  // namespace

char32_t SystemDecimalSeparator() {
  const auto ucs4 = QLocale::system().decimalPoint().toUcs4();
  return ucs4.isEmpty() ? U'.' : ucs4.front();
}

std::string_view FieldTexts::operator()(const QLineEdit* field) {
  return texts_.emplace_back(field->text().toStdString());
}

void CalculatorWindow::setFailureReporter(FailureReporter reporter) { Reporter() = std::move(reporter); }
const CalculatorWindow::FailureReporter& CalculatorWindow::failureReporter() { return Reporter(); }

void CalculatorWindow::declareInputs(std::vector<Field> fields, std::vector<QLineEdit*> checkOrder,
                                     std::vector<QLineEdit*> clearList) {
  fields_ = std::move(fields);
  checkOrder_ = std::move(checkOrder);
  clearList_ = std::move(clearList);
  const QString separator = QString::fromUcs4(&separator_, 1);
  for (const Field& f : fields_) {
    Name(f.field, f.caption, f.symbol, f.unit);
    // Default texts ("0.9") are written with a point; in a locale that writes "0,9" they must read as numbers.
    f.field->setText(f.field->text().replace(u'.', separator));
    connect(f.field, &QLineEdit::returnPressed, this, &CalculatorWindow::calculate);
  }
}

void CalculatorWindow::declareResultBox(QLineEdit* box, QLabel* caption, QLabel* symbol, QLabel* unit) {
  Name(box, caption, symbol, unit);
  connect(box, &QLineEdit::textChanged, box, [box](const QString& text) { FitWhole(box, text); });
}

void CalculatorWindow::declareButtons(QPushButton* calculateButton, QPushButton* clearButton, QPushButton* exitButton) {
  connect(calculateButton, &QPushButton::clicked, this, &CalculatorWindow::calculate);
  connect(clearButton, &QPushButton::clicked, this, &CalculatorWindow::clear);
  closes(exitButton);
  buttons_ = {calculateButton, clearButton, exitButton};

  // The sheet: Ctrl+P anywhere in the window, and an item in the context menu of its background and its frames
  // (which pass a right click on to the window); declareResults puts it in the results' menus.
  connect(sheetAction(), &QAction::triggered, this, &CalculatorWindow::showSheet);
  addAction(sheetAction());
  setContextMenuPolicy(Qt::ActionsContextMenu);
  calculateButton->setToolTip(
      u"按 %1 计算并打开计算书，可打印或导出 PDF"_s.arg(sheetAction()->shortcut().toString(QKeySequence::NativeText)));
}

void CalculatorWindow::declareResults(std::string_view calculation, std::vector<ResultField> resultFields) {
  calculation_ = calculation;
  resultFields_ = std::move(resultFields);
  for (const ResultField& result : resultFields_) {
    // A label's menu copies its text; a box has the toolkit's own menu. The sheet goes at the end of either.
    if (result.target->contextMenuPolicy() == Qt::ActionsContextMenu) result.target->addAction(sheetAction());
    auto* box = qobject_cast<QLineEdit*>(result.target);
    if (!box) continue;
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](QPoint at) {
      QMenu* menu = box->createStandardContextMenu();
      menu->setAttribute(Qt::WA_DeleteOnClose);
      menu->addSeparator();
      menu->addAction(sheetAction());
      menu->popup(box->mapToGlobal(at));
    });
  }
}

QAction* CalculatorWindow::sheetAction() {
  if (!sheetAction_) {
    sheetAction_ = new QAction(u"计算书…"_s, this);
    sheetAction_->setShortcut(QKeySequence::Print);
  }
  return sheetAction_;
}

void CalculatorWindow::showSheet() {
  if (!calculate()) return;
  if (!sheetWindow_) {
    const auto entry = SheetWindowEntryPoint();
    if (!entry) {
      report(entry.error());
      return;
    }
    sheetEntry_ = *entry;
    sheetWindow_ = sheetEntry_->show(nullptr, sheet(), this);
  }
  sheetWindow_->show();
  sheetWindow_->raise();
  sheetWindow_->activateWindow();
}

std::vector<SheetInput> CalculatorWindow::sheetInputs() const {
  std::vector<SheetInput> rows;
  for (const Field& f : fields_) {
    rows.push_back({Symbol(f.symbol), f.caption ? WithoutSpaces(f.caption->text()) : Uncaptioned(f.input),
                    f.field->text(), f.unit ? f.unit->text() : QString()});
  }
  return rows;
}

bool CalculatorWindow::calculate() {
  // Every empty field takes the focus in turn, so the last empty one keeps it; the message names them all.
  std::vector<Input> empty;
  for (QLineEdit* field : checkOrder_) {
    if (!field->text().isEmpty()) continue;
    field->setFocus();
    for (const Field& f : fields_) {
      if (f.field == field) empty.push_back(f.input);
    }
  }
  if (!empty.empty()) {
    report(FromUtf8(EmptyFieldsMessage(empty)));
    return false;
  }

  FieldTexts texts;
  const Outcome outcome = run(texts);
  if (!outcome) {
    const NumberFailure& failure = outcome.error();
    QLineEdit* const blamed = failure.input ? fieldOf(*failure.input) : nullptr;
    if (blamed) {
      blamed->setFocus();
      blamed->selectAll();
    }
    report(
        FromUtf8(FailureMessage(failure, blamed ? Quoted(blamed->text()).toStdString() : std::string(), separator_)));
    return false;
  }
  for (std::size_t i = 0; i < outcome->size(); ++i) {
    const ResultText& result = (*outcome)[i];
    QWidget* const target = resultFields_.at(i).target;
    const QString text = FromUtf8(FormatResult(result.value, separator_));
    if (auto* label = qobject_cast<QLabel*>(target)) label->setText(text);
    if (auto* box = qobject_cast<QLineEdit*>(target)) box->setText(text);
    FitWhole(target, text);
    target->setToolTip(FromUtf8(result.howReached));
  }
  // An open sheet shows the calculation the window shows.
  if (sheetWindow_) sheetEntry_->show(sheetWindow_, sheet(), this);
  return true;
}

void CalculatorWindow::clear() {
  for (QLineEdit* field : clearList_) field->clear();
}

QLineEdit* CalculatorWindow::fieldOf(Input input) const {
  for (const Field& f : fields_) {
    if (f.input == input) return f.field;
  }
  return nullptr;
}

void CalculatorWindow::report(const QString& message) {
  if (Reporter()) {
    Reporter()(this, message);
    return;
  }
  // One window-modal box per window, reused: the window stays usable behind it once it is dismissed.
  if (!messageBox_) {
    messageBox_ = new QMessageBox(QMessageBox::Warning, FromUtf8(FailureTitle), QString(), QMessageBox::Ok, this);
    messageBox_->setTextFormat(Qt::PlainText);
    messageBox_->setWindowModality(Qt::WindowModal);
    messageBox_->setAttribute(Qt::WA_DeleteOnClose);
    messageBox_->button(QMessageBox::Ok)->setText(u"确定"_s);
  }
  messageBox_->setText(message);
  messageBox_->open();
}

}  // namespace kelvaro::ui
