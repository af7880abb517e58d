// The several-cranes window's controls: a cell's text whether typed or chosen, a choice from the description, and
// a result shown as the other windows show one.
#pragma once

#include "crane_window.h"

#include <QString>

#include <span>
#include <string>
#include <string_view>

class QComboBox;
class QLabel;
class QWidget;

namespace kelvaro::ui {

QString CraneText(std::string_view text);
/// A line edit's text, or a choice box's value as the core reads it.
QString CellText(const QWidget* editor);
void SetCellText(QWidget* editor, const QString& text);
QComboBox* Choices(std::span<const forms::ChoiceItem> items, QWidget* parent);
QLabel* ResultLabel(const QString& name);
/// A text written with a point, in the user's decimal separator.
QString Local(const std::string& text, char32_t separator);

}  // namespace kelvaro::ui
