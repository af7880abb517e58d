#include "window_slots.h"

#include "calculation_files.h"
#include "calculator_window.h"
#include "crane_arrangement_window.h"

#include <QFileInfo>

#include <variant>

namespace kelvaro::app {
namespace {

using namespace Qt::StringLiterals;

std::size_t Index(forms::FormId id) { return static_cast<std::size_t>(id); }

std::optional<forms::FormId> FormOf(Calculation calculation) {
  for (const forms::Form* form : forms::AllForms()) {
    if (form->calculator && form->calculator->calculation == calculation) return form->id;
  }
  return std::nullopt;
}

QString Quoted(const QString& path) {
  return QString::fromStdString(QuoteFileName(QFileInfo(path).fileName().toStdString()));
}

}  // namespace

QWidget* WindowSlots::openWindow(forms::FormId id) const {
  QWidget* w = slots_[Index(id)];
  // A closed window is deleted on the next turn of the event loop; until then it no longer counts as open.
  return w && w->isVisible() ? w : nullptr;
}

QWidget* WindowSlots::open(forms::FormId id) {
  QWidget* w = openWindow(id);
  if (!w) {
    const auto request = [this](forms::FormId other) { open(other); };
    if (id == forms::FormId::CraneArrangement) {
      auto* cranes = new ui::CraneArrangementWindow;
      connect(cranes, &ui::CraneArrangementWindow::showWindowRequested, this, request);
      connect(cranes, &ui::CraneArrangementWindow::openFileRequested, this, [this, cranes](const QString& path) {
        if (const auto failure = openFile(path)) cranes->reportFile(*failure);
      });
      w = cranes;
    } else {
      auto* form = ui::MakeWindow(id);
      connect(form, &ui::FormWindow::showWindowRequested, this, request);
      if (auto* calculator = qobject_cast<ui::CalculatorWindow*>(form)) {
        connect(calculator, &ui::CalculatorWindow::openFileRequested, this, [this, calculator](const QString& path) {
          if (const auto failure = openFile(path)) calculator->reportFile(*failure);
        });
      }
      w = form;
    }
    slots_[Index(id)] = w;
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

std::optional<QString> WindowSlots::openFile(const QString& path) {
  const auto opened = ui::ReadCalculationFileAt(path);
  if (!opened) return opened.error();
  if (const auto* fields = std::get_if<FieldTexts>(&*opened)) {
    const auto id = FormOf(fields->calculation);
    auto* w = id ? qobject_cast<ui::CalculatorWindow*>(show(*id)) : nullptr;
    if (!w) return u"无法打开“%1”：没有计算它的窗口。"_s.arg(Quoted(path));
    ui::NoteRecentFile(path);
    w->openTexts(*fields);
    return std::nullopt;
  }
  auto* cranes = qobject_cast<ui::CraneArrangementWindow*>(open(forms::FormId::CraneArrangement));
  ui::NoteRecentFile(path);
  cranes->setTexts(std::get<CraneArrangementTexts>(*opened));
  cranes->calculate();
  return std::nullopt;
}

}  // namespace kelvaro::app
