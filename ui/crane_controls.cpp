#include "crane_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace kelvaro::ui {

using namespace Qt::StringLiterals;

QString CraneText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString CellText(const QWidget* editor) {
  if (const auto* box = qobject_cast<const QLineEdit*>(editor)) return box->text();
  if (const auto* choice = qobject_cast<const QComboBox*>(editor)) return choice->currentData().toString();
  return {};
}

void SetCellText(QWidget* editor, const QString& text) {
  if (auto* box = qobject_cast<QLineEdit*>(editor)) box->setText(text);
  if (auto* choice = qobject_cast<QComboBox*>(editor)) {
    const int at = choice->findData(text);
    if (at >= 0) choice->setCurrentIndex(at);
  }
}

QComboBox* Choices(std::span<const forms::ChoiceItem> items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (const forms::ChoiceItem& item : items) box->addItem(CraneText(item.text), CraneText(item.value));
  return box;
}

// A result as the other windows show one: white, bordered, its text selectable by the mouse.
QLabel* ResultLabel(const QString& name) {
  auto* label = new QLabel(u" "_s);
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->setMinimumWidth(96);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(name);
  return label;
}

// Default texts are written with a point; in a locale that writes "0,9" they must read as numbers.
QString Local(const std::string& text, char32_t separator) {
  return QString::fromStdString(text).replace(u'.', QString::fromUcs4(&separator, 1));
}

}  // namespace kelvaro::ui
