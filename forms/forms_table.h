// What every window's table must hold, checked when the table is compiled: a table that breaks a rule does not
// build, and the message of the failed static_assert names the rule (ProblemOf says which).
#pragma once

#include "form.h"

namespace kelvaro::forms {

constexpr const Control* Find(std::span<const Control> controls, std::string_view name) {
  for (const Control& c : controls) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

constexpr bool IsA(std::span<const Control> controls, std::string_view name, Kind kind) {
  const Control* c = Find(controls, name);
  return c && c->kind == kind;
}
// An optional label: empty, or the name of a label.
constexpr bool NoneOrLabel(std::span<const Control> controls, std::string_view name) {
  return name.empty() || IsA(controls, name, Kind::Label);
}

/// The first rule the form breaks, or empty.
constexpr std::string_view ProblemOf(const Form& form) {
  const auto controls = form.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Control& c = controls[i];
    if (c.name.empty()) return "a control without a name";
    for (std::size_t j = 0; j < i; ++j) {
      if (controls[j].name == c.name) return "two controls with one name";
    }
    // A frame comes before what lies in it, which must fit inside it.
    int width = form.width, height = form.height;
    if (!c.in.empty()) {
      const Control* frame = Find(controls.first(i), c.in);
      if (!frame || frame->kind != Kind::Frame) return "a control in something that is not a frame before it";
      width = frame->at.width;
      height = frame->at.height;
    }
    // A caption label may run past its container's right edge (two do in the design, which is clipped there);
    // every other control lies wholly inside.
    const bool clipped = c.kind == Kind::Label && c.at.left < width;
    if (c.at.left < 0 || c.at.top < 0 || c.at.width <= 0 || c.at.height <= 0 ||
        (c.at.left + c.at.width > width && !clipped) || c.at.top + c.at.height > height) {
      return "a control outside its container";
    }
    // TabIndex is a permutation of 0 .. count - 1.
    if (c.tabIndex < 0 || static_cast<std::size_t>(c.tabIndex) >= controls.size()) return "a TabIndex out of range";
    for (std::size_t j = 0; j < i; ++j) {
      if (controls[j].tabIndex == c.tabIndex) return "two controls with one TabIndex";
    }
  }
  for (const ControlNote& n : form.notes) {
    if (!Find(controls, n.control)) return "a note on no control";
  }
  for (const ButtonRole& b : form.buttons) {
    if (!IsA(controls, b.button, Kind::Button)) return "a button role for something that is not a button";
  }
  if (!form.calculator) return {};
  const Calculator& calc = *form.calculator;
  for (const Field& f : calc.fields) {
    if (!IsA(controls, f.box, Kind::TextBox)) return "a field that is not a text box";
    if (!IsA(controls, f.symbol, Kind::Label) || !NoneOrLabel(controls, f.caption) || !NoneOrLabel(controls, f.unit))
      return "a field whose labels are not labels";
    bool read = false;
    for (const Input input : InputsOf(calc.calculation)) read = read || input == f.input;
    if (!read) return "a field for an input the calculation does not read";
  }
  // Every input the calculation reads has exactly one field.
  for (const Input input : InputsOf(calc.calculation)) {
    int bound = 0;
    for (const Field& f : calc.fields) bound += f.input == input ? 1 : 0;
    if (bound != 1) return "an input of the calculation without exactly one field";
  }
  for (const std::string_view box : calc.checkOrder) {
    bool field = false;
    for (const Field& f : calc.fields) field = field || f.box == box;
    if (!field) return "a checked box that is not a field";
  }
  for (const std::string_view box : calc.clearList) {
    if (!IsA(controls, box, Kind::TextBox)) return "a cleared control that is not a text box";
  }
  const auto results = ResultsOf(calc.calculation);
  if (calc.results.size() != results.size()) return "not one result field per result";
  for (std::size_t i = 0; i < results.size(); ++i) {
    const ResultField& r = calc.results[i];
    if (r.result != results[i]) return "result fields not in the core's result order";
    if (!IsA(controls, r.box, Kind::ResultLabel) && !IsA(controls, r.box, Kind::TextBox))
      return "a result field that is neither a result label nor a text box";
    if (!IsA(controls, r.symbol, Kind::Label) || !NoneOrLabel(controls, r.caption) || !NoneOrLabel(controls, r.unit))
      return "a result field whose labels are not labels";
  }
  for (const Typed& t : calc.example) {
    if (!IsA(controls, t.box, Kind::TextBox)) return "an example typed into something that is not a text box";
  }
  int calculate = 0, clear = 0, close = 0;
  for (const ButtonRole& b : form.buttons) {
    calculate += b.does == Does::Calculate ? 1 : 0;
    clear += b.does == Does::Clear ? 1 : 0;
    close += b.does == Does::Close ? 1 : 0;
  }
  if (calculate != 1 || clear != 1 || close != 1) return "a calculator without one Calculate, Clear and Close each";
  return {};
}

constexpr bool Consistent(const Form& form) { return ProblemOf(form).empty(); }

const Form& VerticalLoadsWindow();
const Form& CoefficientTableWindow();
const Form& MinWheelPressureWindow();
const Form& AboutWindow();
const Form& HorizontalLoadsWindow();
const Form& AlphaCoefficientWindow();

}  // namespace kelvaro::forms
