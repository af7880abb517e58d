// Builds a window's controls from the rows of its description (forms/): kind, name, container, twips rectangle
// and text.
#pragma once

#include "form.h"

#include <QRect>
#include <QString>

#include <string_view>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kelvaro::ui {

class PictureBox;

/// A rectangle in twips (1/1440 inch), relative to its container.
using forms::Twips;
/// 15 twips make one pixel at 96 dpi; Qt's own scaling takes it from there on high-DPI screens.
using forms::TwipsToPixels;
QRect ToPixels(const Twips& r);

/// A few short captions ("Z:", "Dmax:") are narrower in the table than in any legible font: a caption label
/// grows to the right, into the free space before the next control, rather than lose its last character.
void FitCaption(QLabel* label);

class FormBuilder {
 public:
  explicit FormBuilder(QWidget* window) : window_(window) {}

  /// The control a row describes, of its kind, in `in`; a picture's text names its asset.
  QWidget* control(const forms::Control& row, QWidget* in);

  /// Fitted to its caption (FitCaption) at once, or, in a FormWindow, when the window is first shown.
  QLabel* label(std::string_view name, QWidget* in, const Twips& at, QStringView caption);
  /// White, bordered, initially a single space; a context menu copies its text.
  QLabel* resultLabel(std::string_view name, QWidget* in, const Twips& at);
  QLineEdit* textBox(std::string_view name, QWidget* in, const Twips& at, QStringView text);
  QPushButton* button(std::string_view name, QWidget* in, const Twips& at, QStringView caption);
  QGroupBox* frame(std::string_view name, QWidget* in, const Twips& at, QStringView caption);
  PictureBox* picture(std::string_view name, QWidget* in, const Twips& at, QStringView svgResource);

 private:
  template <class W>
  W* place(W* control, std::string_view name, const Twips& at);

  QWidget* window_;
};

}  // namespace kelvaro::ui
