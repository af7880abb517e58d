// Builds a window's controls from rows of its design table: name, container, twips rectangle, text, TabIndex.
#pragma once

#include <QRect>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kelvaro::ui {

class PictureBox;

/// A rectangle in twips (1/1440 inch), relative to its container.
struct Twips {
  int left, top, width, height;
};

/// A control's row of the design table, kept by its window for the browser edition's dump of the windows.
struct DesignRow {
  Twips at;
  int tabIndex;
};
/// The row `control` was placed by; none for a control outside its window's table, or in a window that is not a
/// FormWindow.
std::optional<DesignRow> DesignRowOf(const QWidget* control);

/// 15 twips make one pixel at 96 dpi; Qt's own scaling takes it from there on high-DPI screens.
constexpr int TwipsToPixels(int twips) { return (twips + 7) / 15; }
QRect ToPixels(const Twips& r);

/// A few short captions ("Z:", "Dmax:") are narrower in the table than in any legible font: a caption label
/// grows to the right, into the free space before the next control, rather than lose its last character.
void FitCaption(QLabel* label);

class FormBuilder {
 public:
  explicit FormBuilder(QWidget* window) : window_(window) {}

  /// Fitted to its caption (FitCaption) at once, or, in a FormWindow, when the window is first shown.
  QLabel* label(const char* name, QWidget* in, const Twips& at, QStringView caption, int tabIndex);
  /// White, bordered, initially a single space; a context menu copies its text.
  QLabel* resultLabel(const char* name, QWidget* in, const Twips& at, int tabIndex);
  QLineEdit* textBox(const char* name, QWidget* in, const Twips& at, QStringView text, int tabIndex);
  QPushButton* button(const char* name, QWidget* in, const Twips& at, QStringView caption, int tabIndex);
  QGroupBox* frame(const char* name, QWidget* in, const Twips& at, QStringView caption, int tabIndex);
  PictureBox* picture(const char* name, QWidget* in, const Twips& at, QStringView svgResource, int tabIndex);

  /// Chains the focusable controls in ascending TabIndex and gives the focus to the first of them.
  void applyTabOrder();

 private:
  template <class W>
  W* place(W* control, const char* name, const Twips& at, int tabIndex);

  QWidget* window_;
  std::vector<std::pair<int, QWidget*>> controls_;
};

}  // namespace kelvaro::ui
