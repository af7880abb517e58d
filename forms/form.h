// A window described as data: every control with its kind, object name, container, rectangle in twips, text and
// TabIndex, and what the window does with them: which input each field feeds, which result each result field
// shows, what each button does, the orders in which fields are checked and cleared, and the worked example.
// Qt-free and constexpr, so that the desktop builds its widgets from it, the page is made from it at build time,
// and tests and benchmarks read it, all from the one table.
#pragma once

#include "calculation.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro::forms {

/// The windows, named for what they are; each keeps its design-time object name ("Form1") as well.
enum class FormId : unsigned char {
  VerticalLoads,     // Form1, the main window: Dmax and Dmin
  CoefficientTable,  // Form2, the table of reduction coefficients
  MinWheelPressure,  // Form3, Pmin
  About,             // Form4
  HorizontalLoads,   // Form5, H and H1
  AlphaCoefficient,  // Form6, which αH to take
  CraneArrangement,  // several cranes: Kelvaro's own window, laid out in rows (crane_window.h), not in twips
};
/// The windows described in twips, FormId 0 to FormCount − 1: AllForms() and FormOf() know these.
inline constexpr int FormCount = 6;
/// Every window, the several-cranes one too.
inline constexpr int WindowCount = FormCount + 1;

enum class Kind : unsigned char {
  Label,        // a caption
  ResultLabel,  // white, bordered, shows a result; its context menu copies it
  TextBox,      // an input field (or, in one window, a result shown in a box)
  Button,
  Frame,    // a captioned group box; its controls are placed inside it
  Picture,  // SVG artwork, unscaled at its top-left corner
};

/// A rectangle in twips (1/1440 inch), relative to its container.
struct Twips {
  int left, top, width, height;
};

/// One row of a window's design table.
struct Control {
  Kind kind;
  std::string_view name;  // the object name ("Text5")
  std::string_view in;    // the frame it lies in; empty for the window itself
  Twips at;
  std::string_view text;  // caption, default text, or the picture's asset ("influence_diagram.svg")
  int tabIndex;
};

struct Font {
  std::span<const std::string_view> families;  // the first one installed is taken
  double pointSize;
  bool bold;
};

/// What a control has beyond its row: names for screen readers where its labels do not give one, a font of its
/// own, or being drawn in front of the controls it lies over.
struct ControlNote {
  std::string_view control;
  std::string_view accessibleName = {};
  std::string_view accessibleDescription = {};
  const Font* font = nullptr;
  bool raised = false;
};

enum class Does : unsigned char { Calculate, Clear, Close, Open };
struct ButtonRole {
  std::string_view button;
  Does does;
  FormId opens = FormId::VerticalLoads;  // with Does::Open
};

/// An input field with the labels around it (they name it for screen readers) and the core's input it feeds.
struct Field {
  std::string_view box;
  std::string_view caption;  // may be empty
  std::string_view symbol;   // "J:"
  std::string_view unit;     // may be empty
  Input input;
};

/// A result field, the labels around it, and the core's result it shows.
struct ResultField {
  std::string_view box;  // a ResultLabel, or a TextBox
  std::string_view caption, symbol, unit;
  ResultId result;
};

/// A text typed into a field for the worked example (fields with a default text keep it).
struct Typed {
  std::string_view box;
  std::string_view text;
};

struct Calculator {
  Calculation calculation;
  std::span<const Field> fields;  // in the order the sheet lists the inputs
  std::span<const std::string_view> checkOrder;
  std::span<const std::string_view> clearList;
  std::span<const ResultField> results;  // in the order the core hands them back
  std::span<const Typed> example;
};

struct Form {
  FormId id;
  std::string_view objectName;  // "Form1"
  std::string_view caption;
  int width, height;      // the client area, in twips
  std::string_view icon;  // an asset ("icons/main_window.svg")
  std::span<const Control> controls;
  std::span<const ControlNote> notes;
  std::span<const ButtonRole> buttons;
  const Calculator* calculator;  // null for a window that computes nothing
};

/// 15 twips make one pixel at 96 dpi.
constexpr int TwipsToPixels(int twips) { return (twips + 7) / 15; }

/// Every window, in FormId order.
std::span<const Form* const> AllForms();
const Form& FormOf(FormId id);
/// The window the program starts with.
inline constexpr FormId FirstForm = FormId::VerticalLoads;

/// The row of the control named `name`, or null.
const Control* ControlNamed(const Form& form, std::string_view name);
const ControlNote* NoteOf(const Form& form, std::string_view control);
const Field* FieldOf(const Form& form, std::string_view box);
const ResultField* ResultFieldOf(const Form& form, std::string_view box);
/// A calculator's check order as the core takes it: the inputs of its fields, in the order they are checked.
std::vector<Input> CheckOrderOf(const Form& form);

/// Text boxes, buttons and pictures take the focus; labels and frames never do.
constexpr bool Focusable(Kind kind) { return kind == Kind::TextBox || kind == Kind::Button || kind == Kind::Picture; }
/// The focusable controls in ascending TabIndex (ties in table order): the order Tab visits them, the first of
/// them taking the focus when the window opens.
std::vector<std::string_view> TabOrder(const Form& form);
/// The controls in the order they are drawn: a container before what lies in it, a raised control after the
/// controls it lies over.
std::vector<const Control*> PaintOrder(const Form& form);

/// A symbol label's text as a name: "G1：" names G1, "J:" names J.
std::string SymbolText(std::string_view label);
/// A caption without the spaces that align it: "柱    距" is 柱距.
std::string CaptionText(std::string_view label);
/// What a screen reader says for a control: a field's caption and symbol ("柱距 J"), else its note's name.
std::string AccessibleName(const Form& form, const Control& control);
/// A field's unit ("单位：米"), a result label's symbol and unit ("Dmax，单位 Kn"), else its note's description.
std::string AccessibleDescription(const Form& form, const Control& control);

}  // namespace kelvaro::forms
