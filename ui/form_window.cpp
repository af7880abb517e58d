#include "form_window.h"

#include "form_builder.h"
#include "look.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace kelvaro::ui {
namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont FontOf(const forms::Font& f) {
  QFont font;
  QStringList families;
  for (const std::string_view family : f.families) families << FromUtf8(family);
  font.setFamilies(families);
  font.setPointSizeF(f.pointSize);
  font.setWeight(f.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  return font;
}

}  // namespace

FormWindow::FormWindow(const forms::Form& form)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      form_(form) {
  setObjectName(QString::fromLatin1(form.objectName.data(), static_cast<qsizetype>(form.objectName.size())));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(FromUtf8(form.caption));
  setWindowIcon(SvgIcon(QStringLiteral(":/") + FromUtf8(form.icon)));
  setFixedSize(TwipsToPixels(form.width), TwipsToPixels(form.height));

  // A frame comes before what lies in it, so that every container exists when its controls are made.
  FormBuilder ui(this);
  controls_.reserve(form.controls.size());
  for (const forms::Control& row : form.controls) {
    QWidget* const w = ui.control(row, row.in.empty() ? this : control(row.in));
    controls_.emplace_back(row.name, w);
    // Set only where the description gives one: a name set on a label would hide its caption from screen readers.
    if (const std::string name = forms::AccessibleName(form, row); !name.empty())
      w->setAccessibleName(QString::fromStdString(name));
    if (const std::string description = forms::AccessibleDescription(form, row); !description.empty())
      w->setAccessibleDescription(QString::fromStdString(description));
    if (const forms::ControlNote* note = forms::NoteOf(form, row.name); note && note->font)
      w->setFont(FontOf(*note->font));
  }
  for (const forms::Control* row : forms::PaintOrder(form)) {
    const forms::ControlNote* note = forms::NoteOf(form, row->name);
    if (note && note->raised) control(row->name)->raise();
  }
  QWidget* previous = nullptr;
  for (const std::string_view name : forms::TabOrder(form)) {
    QWidget* const next = control(name);
    if (previous) {
      QWidget::setTabOrder(previous, next);
    } else {
      next->setFocus();
    }
    previous = next;
  }
  for (const forms::ButtonRole& role : form.buttons) {
    auto* const button = control<QPushButton>(role.button);
    if (role.does == forms::Does::Close) connect(button, &QPushButton::clicked, this, &QWidget::close);
    if (role.does == forms::Does::Open) {
      connect(button, &QPushButton::clicked, this, [this, opens = role.opens] { emit showWindowRequested(opens); });
    }
  }
}

QWidget* FormWindow::control(std::string_view name) const {
  for (const auto& [named, w] : controls_) {
    if (named == name) return w;
  }
  return nullptr;
}

void FormWindow::setVisible(bool visible) {
  QWidget::setVisible(visible);
  if (!visible) return;
  for (QLabel* caption : unfitted_) {
    if (caption) FitCaption(caption);
  }
  unfitted_.clear();
}

void FormWindow::fitWhenShown(QLabel* caption) { unfitted_.emplace_back(caption); }

}  // namespace kelvaro::ui
