#include "crane_arrangement_window.h"

#include "calculator_window.h"
#include "crane_controls.h"
#include "crane_figure.h"
#include "figure_painter.h"
#include "look.h"
#include "messages.h"
#include "sheet_loader.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvaro::ui {

using namespace Qt::StringLiterals;

CraneArrangementWindow::CraneArrangementWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      separator_(SystemDecimalSeparator()) {
  const forms::CraneWindowDescription& d = forms::CraneArrangementWindow();
  setObjectName(u"CraneArrangementWindow"_s);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(CraneText(d.caption));
  setWindowIcon(SvgIcon(u":/"_s + CraneText(d.icon)));
  auto* layout = new QVBoxLayout(this);

  auto* bays = new QHBoxLayout;
  for (std::size_t i = 0; i < d.bays.size() && i < bays_.size(); ++i) {
    const forms::BayRow& b = d.bays[i];
    auto* box = new QLineEdit(this);
    box->setAccessibleName(CraneText(b.symbol));
    box->setMaximumWidth(80);
    auto* symbol = new QLabel(CraneText(b.caption) + u" "_s + CraneText(b.symbol) + u"："_s, this);
    symbol->setBuddy(box);
    bays->addWidget(symbol);
    bays->addWidget(box);
    bays->addWidget(new QLabel(CraneText(b.unit), this));
    bays->addSpacing(24);
    bays_[i] = box;
    connect(box, &QLineEdit::returnPressed, this, &CraneArrangementWindow::calculate);
  }
  bays->addStretch();
  layout->addLayout(bays);

  auto* cranes = new QGroupBox(u"吊车（每台一行，轮压 kN/轮）"_s, this);
  table_ = new QGridLayout(cranes);
  table_->setHorizontalSpacing(4);
  for (std::size_t c = 0; c < d.columns.size(); ++c) {
    const forms::CraneColumn& column = d.columns[c];
    QString caption = CraneText(CaptionOf(column.field));
    if (!column.unit.empty()) caption += u"\n("_s + CraneText(column.unit) + u")"_s;
    auto* header = new QLabel(caption, cranes);
    header->setAlignment(Qt::AlignCenter);
    table_->addWidget(header, 0, static_cast<int>(c) + 1);
  }
  layout->addWidget(cranes);

  auto* rowButtons = new QHBoxLayout;
  auto* options = new QGridLayout;
  for (std::size_t i = 0; i < d.options.size(); ++i) {
    const forms::OptionRow& o = d.options[i];
    QComboBox* box = Choices(o.choices, this);
    box->setAccessibleName(CraneText(o.caption));
    auto* caption = new QLabel(CraneText(o.caption) + u"："_s, this);
    caption->setBuddy(box);
    options->addWidget(caption, static_cast<int>(i), 0);
    options->addWidget(box, static_cast<int>(i), 1);
    options_.emplace_back(o.field, box);
  }
  options->setColumnStretch(2, 1);
  layout->addLayout(options);

  for (const forms::CraneButtonRow& b : d.buttons) {
    auto* button = new QPushButton(CraneText(b.text), this);
    button->setAutoDefault(true);
    buttons_.push_back(button);
    rowButtons->addWidget(button);
    switch (b.does) {
      case forms::CraneButton::Calculate:
        connect(button, &QPushButton::clicked, this, &CraneArrangementWindow::calculate);
        break;
      case forms::CraneButton::AddCrane:
        connect(button, &QPushButton::clicked, this, &CraneArrangementWindow::addCrane);
        break;
      case forms::CraneButton::RemoveCrane:
        connect(button, &QPushButton::clicked, this, &CraneArrangementWindow::removeCrane);
        break;
      case forms::CraneButton::Clear:
        connect(button, &QPushButton::clicked, this, &CraneArrangementWindow::clear);
        break;
      case forms::CraneButton::Save:
        connect(button, &QPushButton::clicked, this, &CraneArrangementWindow::save);
        break;
      case forms::CraneButton::Open:
        connect(button, &QPushButton::clicked, this, &CraneArrangementWindow::chooseFileToOpen);
        break;
      case forms::CraneButton::Close:
        connect(button, &QPushButton::clicked, this, &QWidget::close);
        break;
    }
  }
  rowButtons->addStretch();
  layout->addLayout(rowButtons);

  auto* resultsBox = new QGroupBox(u"结果"_s, this);
  auto* results = new QGridLayout(resultsBox);
  int row = 0;
  for (const forms::ResultRow& r : d.results) {
    QLabel* value = ResultLabel(CraneText(r.symbol));
    results->addWidget(new QLabel(CraneText(r.caption), resultsBox), row, 0);
    results->addWidget(new QLabel(CraneText(r.symbol) + u" ="_s, resultsBox), row, 1);
    results->addWidget(value, row, 2);
    results->addWidget(new QLabel(CraneText(r.unit), resultsBox), row, 3);
    results_.emplace_back(r.result, value);
    ++row;
  }
  for (std::size_t c = 0; c < MaxCranes; ++c) {
    const QString name = QString::fromStdString(forms::ResultName(ArrangementResult::Longitudinal, c));
    auto* caption = new QLabel(name + u" ="_s, resultsBox);
    QLabel* value = ResultLabel(name);
    results->addWidget(caption, static_cast<int>(c) % 3, 5);
    results->addWidget(value, static_cast<int>(c) % 3, 6);
    longitudinal_[c] = {caption, value};
    caption->hide(), value->hide();
  }
  results->setColumnMinimumWidth(4, 24);
  results->setColumnStretch(7, 1);
  warnings_ = new QLabel(resultsBox);
  warnings_->setWordWrap(true);
  warnings_->setStyleSheet(u"color: #a01010"_s);
  results->addWidget(warnings_, row, 0, 1, 8);
  layout->addWidget(resultsBox);

  figure_ = new FigureView(this);
  figure_->setAccessibleName(CraneText(d.diagramName));
  layout->addWidget(figure_, 1);

  // The sheet: Ctrl+P anywhere in the window, and the window's context menu.
  auto* sheet = new QAction(u"计算书…"_s, this);
  sheet->setShortcut(QKeySequence::Print);
  connect(sheet, &QAction::triggered, this, &CraneArrangementWindow::showSheet);
  addAction(sheet);
  addFileActions();
  setContextMenuPolicy(Qt::ActionsContextMenu);
  buttons_.front()->setToolTip(
      u"按 %1 计算并打开计算书，可打印或导出 PDF"_s.arg(sheet->shortcut().toString(QKeySequence::NativeText)));

  setTexts(forms::CraneArrangementDefaults());
}

void CraneArrangementWindow::showSheet() {
  if (!calculate()) return;
  if (!sheet_) {
    const auto entry = SheetWindowEntryPoint();
    if (!entry) {
      report(entry.error());
      return;
    }
    sheetEntry_ = *entry;
    sheet_ = sheetEntry_->showCranes(nullptr, forms::CraneSheetOf(texts(), *answer_, separator_),
                                     windowTitle() + u"_"_s + QDate::currentDate().toString(u"yyyyMMdd"_s), this);
  }
  sheet_->show();
  sheet_->raise();
  sheet_->activateWindow();
}

void CraneArrangementWindow::addRow(const CraneTexts& texts) {
  const forms::CraneWindowDescription& d = forms::CraneArrangementWindow();
  const std::size_t i = rows_.size();
  auto* parent = table_->parentWidget();
  auto* label = new QLabel(u"吊车%1"_s.arg(i + 1), parent);
  table_->addWidget(label, static_cast<int>(i) + 1, 0);
  label->show();
  rowLabels_.push_back(label);
  std::array<QWidget*, CraneFieldCount> editors{};
  const int average = fontMetrics().averageCharWidth();
  for (std::size_t c = 0; c < d.columns.size(); ++c) {
    const forms::CraneColumn& column = d.columns[c];
    QWidget* editor = nullptr;
    if (column.choices.empty()) {
      auto* box = new QLineEdit(parent);
      box->setPlaceholderText(CraneText(column.hint));
      box->setMinimumWidth(average * column.widthChars);
      connect(box, &QLineEdit::returnPressed, this, &CraneArrangementWindow::calculate);
      editor = box;
    } else {
      editor = Choices(column.choices, parent);
    }
    editor->setAccessibleName(QString::fromStdString(forms::CraneInputName(i, column.field)));
    const auto field = static_cast<std::size_t>(column.field);
    const std::string& text = texts.*MemberOf(column.field);
    SetCellText(editor, column.field == CraneField::Name ? QString::fromStdString(text) : Local(text, separator_));
    table_->addWidget(editor, static_cast<int>(i) + 1, static_cast<int>(c) + 1);
    editor->show();  // a row added to an open window shows at once, not on the next turn of the event loop
    editors[field] = editor;
  }
  rows_.push_back(editors);
}

CraneArrangementTexts CraneArrangementWindow::texts() const {
  CraneArrangementTexts t;
  t.J1 = bays_[0]->text().toStdString();
  t.J2 = bays_[1]->text().toStdString();
  for (const auto& editors : rows_) {
    CraneTexts& c = t.cranes.emplace_back();
    for (std::size_t f = 0; f < CraneFieldCount; ++f) c.*MemberOf(CraneField(f)) = CellText(editors[f]).toStdString();
  }
  for (const auto& [field, box] : options_) t.*MemberOf(field) = CellText(box).toStdString();
  return t;
}

void CraneArrangementWindow::setTexts(const CraneArrangementTexts& t) {
  bays_[0]->setText(Local(t.J1, separator_));
  bays_[1]->setText(Local(t.J2, separator_));
  while (!rows_.empty()) dropRow();
  for (std::size_t i = 0; i < std::max<std::size_t>(1, std::min(t.cranes.size(), MaxCranes)); ++i) {
    addRow(i < t.cranes.size() ? t.cranes[i] : CraneTexts{});
  }
  for (const auto& [field, box] : options_) SetCellText(box, QString::fromStdString(t.*MemberOf(field)));
  updateTabOrder();
}

QWidget* CraneArrangementWindow::input(const ArrangementInput& in) const {
  switch (in.field) {
    case ArrangementField::J1:
      return bays_[0];
    case ArrangementField::J2:
      return bays_[1];
    case ArrangementField::Crane:
      return in.crane < rows_.size() ? rows_[in.crane][static_cast<std::size_t>(in.craneField)] : nullptr;
    default:
      for (const auto& [field, box] : options_) {
        if (field == in.field) return box;
      }
  }
  return nullptr;
}

bool CraneArrangementWindow::calculate() {
  auto outcome = CalculateCraneArrangement(texts(), separator_);
  if (!outcome) {
    const ArrangementFailure& failure = outcome.error();
    // No crane at all: the first row's Pmax takes the focus, as it would for an empty Pmax.
    if (QWidget* blamed = input(failure.input) ? input(failure.input) : input({ArrangementField::Crane})) {
      blamed->setFocus();
      if (auto* box = qobject_cast<QLineEdit*>(blamed)) box->selectAll();
    }
    report(CraneText(failure.message));
    return false;
  }
  answer_ = std::move(*outcome);
  for (const auto& [id, label] : results_) {
    label->setText(u" "_s), label->setToolTip({});
    for (const ArrangementValue& v : answer_->results) {
      if (v.id == id) label->setText(CraneText(v.text)), label->setToolTip(CraneText(v.howReached));
    }
  }
  for (std::size_t c = 0; c < MaxCranes; ++c) {
    const bool shown = c < answer_->longitudinal.size();
    longitudinal_[c].first->setVisible(shown), longitudinal_[c].second->setVisible(shown);
    if (!shown) continue;
    longitudinal_[c].second->setText(CraneText(answer_->longitudinal[c].text));
    longitudinal_[c].second->setToolTip(CraneText(answer_->longitudinal[c].howReached));
  }
  QStringList warnings;
  for (const std::string& w : answer_->warnings) warnings << u"注意："_s + CraneText(w);
  warnings_->setText(warnings.join(u'\n'));
  figure_->setFigureMaker([record = answer_->record, separator = separator_](double width) {
    return forms::CraneFigure(record.data, record.vertical, width, separator);
  });
  QStringList working;
  for (const WorkingLine& line : answer_->working) working << CraneText(LineText(line));
  figure_->setToolTip(working.join(u'\n'));
  // An open sheet shows the calculation the window shows.
  if (sheet_) {
    sheetEntry_->showCranes(sheet_, forms::CraneSheetOf(texts(), *answer_, separator_),
                            windowTitle() + u"_"_s + QDate::currentDate().toString(u"yyyyMMdd"_s), this);
  }
  return true;
}

void CraneArrangementWindow::clear() {
  answer_.reset();
  for (const auto& [id, label] : results_) label->setText(u" "_s), label->setToolTip({});
  for (const auto& [caption, value] : longitudinal_) caption->hide(), value->hide();
  warnings_->clear();
  figure_->setFigure({});
  figure_->setToolTip({});
}

void CraneArrangementWindow::addCrane() {
  if (rows_.size() >= MaxCranes) return;
  addRow({});
  updateTabOrder();
  rows_.back()[static_cast<std::size_t>(CraneField::Pmax)]->setFocus();
}

// The table keeps at least one row.
void CraneArrangementWindow::removeCrane() {
  if (rows_.size() <= 1) return;
  dropRow();
  updateTabOrder();
}

void CraneArrangementWindow::dropRow() {
  for (QWidget* editor : rows_.back()) delete editor;
  delete rowLabels_.back();
  rows_.pop_back();
  rowLabels_.pop_back();
}

void CraneArrangementWindow::updateTabOrder() {
  std::vector<QWidget*> order(bays_.begin(), bays_.end());
  for (const auto& editors : rows_) order.insert(order.end(), editors.begin(), editors.end());
  for (const auto& [field, box] : options_) order.push_back(box);
  order.insert(order.end(), buttons_.begin(), buttons_.end());
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void CraneArrangementWindow::report(const QString& message, const QString& title) {
  if (!messageBox_) {
    messageBox_ = new QMessageBox(QMessageBox::Warning, CraneText(FailureTitle), QString(), QMessageBox::Ok, this);
    messageBox_->setTextFormat(Qt::PlainText);
    messageBox_->setWindowModality(Qt::WindowModal);
    messageBox_->button(QMessageBox::Ok)->setText(CraneText(MessageButton));
  }
  messageBox_->setWindowTitle(title.isEmpty() ? CraneText(FailureTitle) : title);
  messageBox_->setText(message);
  messageBox_->open();
}

}  // namespace kelvaro::ui
