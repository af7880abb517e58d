#include "calculator_window.h"
#include "calculation_files.h"

#include "crane_window.h"
#include "form_builder.h"
#include "messages.h"

#include <QAction>
#include <QDate>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace kelvaro::ui {
namespace {

using namespace Qt::StringLiterals;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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

// A cut number reads as a different number, and a tiny one hardly reads at all: a result wider than its field is
// drawn smaller, down to 7 pt (digits about 6.5 px high at scale 1, three quarters of the window's 9 pt, the least
// that stays crisp and black in its face); one still too wide at 7 pt widens its field to the right, over the unit
// beside it, until a result that fits comes. One pixel is kept spare for the rounding of fractional scale factors.
void FitWhole(QWidget* target, const QString& text, int tableWidth) {
  constexpr qreal Smallest = 7.0;
  target->resize(tableWidth, target->height());
  QFont font = target->parentWidget()->font();
  const auto over = [&] { return QFontMetricsF(font).horizontalAdvance(text) - (TextRoom(target, font) - 1); };
  while (over() > 0 && font.pointSizeF() > Smallest) font.setPointSizeF(std::max(Smallest, font.pointSizeF() - 0.25));
  target->setFont(font);
  if (over() > 0) {
    // Never beyond the frame it lies in: a text typed into a result box longer than that scrolls, as typing does.
    const int room = target->parentWidget()->width() - target->x() - 2;
    target->resize(std::min(room, tableWidth + static_cast<int>(std::ceil(over()))), target->height());
    target->raise();
  }
}

}  // namespace

char32_t SystemDecimalSeparator() {
  const auto ucs4 = QLocale::system().decimalPoint().toUcs4();
  return ucs4.isEmpty() ? U'.' : ucs4.front();
}

CalculatorWindow::CalculatorWindow(const forms::Form& form) : FormWindow(form), calculator_(*form.calculator) {
  const QString separator = QString::fromUcs4(&separator_, 1);
  for (const forms::Field& f : calculator_.fields) {
    auto* const box = control<QLineEdit>(f.box);
    // The symbol's label leads to its field.
    control<QLabel>(f.symbol)->setBuddy(box);
    // Default texts ("0.9") are written with a point; in a locale that writes "0,9" they must read as numbers.
    box->setText(box->text().replace(u'.', separator));
    connect(box, &QLineEdit::returnPressed, this, &CalculatorWindow::calculate);
  }
  for (const forms::ButtonRole& role : form.buttons) {
    auto* const button = control<QPushButton>(role.button);
    if (role.does == forms::Does::Calculate) connect(button, &QPushButton::clicked, this, &CalculatorWindow::calculate);
    if (role.does == forms::Does::Clear) connect(button, &QPushButton::clicked, this, &CalculatorWindow::clear);
    if (role.does == forms::Does::Calculate) {
      button->setToolTip(u"按 %1 计算并打开计算书，可打印或导出 PDF；按 %2 打开多台吊车荷载计算"_s.arg(
          sheetAction()->shortcut().toString(QKeySequence::NativeText), FromUtf8(forms::CraneWindowShortcut)));
    }
  }

  // The sheet: Ctrl+P anywhere in the window, and an item in the context menu of its background and its frames
  // (which pass a right click on to the window), and at the end of every result's menu.
  connect(sheetAction(), &QAction::triggered, this, &CalculatorWindow::showSheet);
  addAction(sheetAction());
  // Several cranes: from the same menu, and by a shortcut the tooltip of 计算 names.
  auto* cranes = new QAction(FromUtf8(forms::CraneWindowMenuText), this);
  cranes->setShortcut(QKeySequence(FromUtf8(forms::CraneWindowShortcut)));
  connect(cranes, &QAction::triggered, this, [this] { emit showWindowRequested(forms::FormId::CraneArrangement); });
  addAction(cranes);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  for (const forms::ResultField& result : calculator_.results) {
    QWidget* const target = control(result.box);
    // A label's menu copies its text; a box has the toolkit's own menu.
    if (target->contextMenuPolicy() == Qt::ActionsContextMenu) target->addAction(sheetAction());
    auto* box = qobject_cast<QLineEdit*>(target);
    if (!box) continue;
    control<QLabel>(result.symbol)->setBuddy(box);
    // Return calculates here as in every other field.
    connect(box, &QLineEdit::returnPressed, this, &CalculatorWindow::calculate);
    connect(box, &QLineEdit::textChanged, box,
            [box, width = box->width()](const QString& text) { FitWhole(box, text, width); });
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](QPoint at) {
      QMenu* menu = box->createStandardContextMenu();
      menu->setAttribute(Qt::WA_DeleteOnClose);
      menu->addSeparator();
      menu->addAction(sheetAction());
      menu->popup(box->mapToGlobal(at));
    });
  }

  // Saving and opening calculation files: in the background's menu, after the sheet.
  files_ = new CalculationFileActions(this);
  connect(files_->save(), &QAction::triggered, this, &CalculatorWindow::save);
  connect(files_, &CalculationFileActions::openRequested, this, &CalculatorWindow::openFileRequested);
}

FieldTexts CalculatorWindow::texts() const {
  FieldTexts out{calculator_.calculation};
  for (const forms::Field& f : calculator_.fields) {
    out.texts[static_cast<std::size_t>(f.input)] = control<QLineEdit>(f.box)->text().toStdString();
  }
  return out;
}

void CalculatorWindow::openTexts(const FieldTexts& texts) {
  for (const forms::Field& f : calculator_.fields) {
    control<QLineEdit>(f.box)->setText(QString::fromStdString(texts.texts[static_cast<std::size_t>(f.input)]));
  }
  calculate();
}

void CalculatorWindow::save() {
  const QString path = files_->chooseWhereToSave(
      FromUtf8(SuggestedFileName(texts(), QDate::currentDate().toString(Qt::ISODate).toStdString())));
  if (!path.isEmpty()) saveTo(path);
}

bool CalculatorWindow::saveTo(const QString& path) {
  std::vector<std::pair<std::string, std::string>> shown;
  for (const forms::ResultField& result : calculator_.results) {
    const QWidget* target = control(result.box);
    const auto* label = qobject_cast<const QLabel*>(target);
    const QString text = (label ? label->text() : qobject_cast<const QLineEdit*>(target)->text()).trimmed();
    if (!text.isEmpty()) shown.emplace_back(NameOf(result.result), text.toStdString());
  }
  if (const auto failure = SaveCalculationFileAt(path, texts(), NotesNow(std::move(shown)))) {
    reportFile(*failure);
    return false;
  }
  NoteRecentFile(path);
  return true;
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

InputTexts CalculatorWindow::fieldTexts(std::array<std::string, InputCount>& held) const {
  InputTexts texts{};
  for (const forms::Field& f : calculator_.fields) {
    const auto i = static_cast<std::size_t>(f.input);
    held[i] = control<QLineEdit>(f.box)->text().toStdString();
    texts[i] = held[i];
  }
  return texts;
}

CalculationSheet CalculatorWindow::sheet() const {
  // The fields' texts as typed, by input; the sheet's words and rows come from the window's description.
  std::array<std::string, InputCount> held;
  const InputTexts texts = fieldTexts(held);
  return kelvaro::sheet::ContentOf(*record_, windowTitle().toStdString(), kelvaro::sheet::InputRows(form(), texts),
                                   separator_);
}

bool CalculatorWindow::calculate() {
  // The core reads views of the texts: they live here for the call.
  std::array<std::string, InputCount> held;
  const InputTexts texts = fieldTexts(held);
  auto answer = Calculate(calculator_.calculation, texts, forms::CheckOrderOf(form()), separator_);
  if (!answer) {
    const Refusal& refusal = answer.error();
    // Every empty field takes the focus in turn, so the last empty one keeps it; the message names them all.
    for (const Input input : refusal.empty) fieldOf(input)->setFocus();
    if (refusal.empty.empty() && refusal.failure && refusal.failure->input) {
      QLineEdit* const blamed = fieldOf(*refusal.failure->input);
      blamed->setFocus();
      blamed->selectAll();
    }
    report(FromUtf8(refusal.message));
    return false;
  }
  for (std::size_t i = 0; i < answer->results.size(); ++i) {
    const ResultValue& result = answer->results[i];
    QWidget* const target = control(calculator_.results[i].box);
    const QString text = FromUtf8(result.text);
    if (auto* label = qobject_cast<QLabel*>(target)) label->setText(text);
    if (auto* box = qobject_cast<QLineEdit*>(target)) box->setText(text);
    FitWhole(target, text, ToPixels(forms::ControlNamed(form(), calculator_.results[i].box)->at).width());
    target->setToolTip(FromUtf8(result.howReached));
  }
  record_ = std::move(answer->record);
  // An open sheet shows the calculation the window shows.
  if (sheetWindow_) sheetEntry_->show(sheetWindow_, sheet(), this);
  return true;
}

void CalculatorWindow::clear() {
  for (const std::string_view box : calculator_.clearList) control<QLineEdit>(box)->clear();
}

QLineEdit* CalculatorWindow::fieldOf(Input input) const {
  for (const forms::Field& f : calculator_.fields) {
    if (f.input == input) return control<QLineEdit>(f.box);
  }
  return nullptr;
}

void CalculatorWindow::reportFile(const QString& message) { report(message, FromUtf8(FileFailureTitle)); }

void CalculatorWindow::report(const QString& message, const QString& title) {
  // One window-modal box per window, reused: the window stays usable behind it once it is dismissed.
  if (!messageBox_) {
    messageBox_ = new QMessageBox(QMessageBox::Warning, FromUtf8(FailureTitle), QString(), QMessageBox::Ok, this);
    messageBox_->setTextFormat(Qt::PlainText);
    messageBox_->setWindowModality(Qt::WindowModal);
    messageBox_->button(QMessageBox::Ok)->setText(FromUtf8(MessageButton));
  }
  messageBox_->setWindowTitle(title.isEmpty() ? FromUtf8(FailureTitle) : title);
  messageBox_->setText(message);
  messageBox_->open();
}

FormWindow* MakeWindow(forms::FormId id) {
  const forms::Form& form = forms::FormOf(id);
  if (form.calculator) return new CalculatorWindow(form);
  return new FormWindow(form);
}

}  // namespace kelvaro::ui
