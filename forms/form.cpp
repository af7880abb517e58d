#include "form.h"

#include "forms_table.h"

#include <algorithm>
#include <array>

namespace kelvaro::forms {
namespace {

// Spaces that align a caption ("柱    距"), the ideographic one included.
std::string WithoutSpaces(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    if (text.substr(i, 3) == "\u3000") {
      i += 2;
      continue;
    }
    out += text[i];
  }
  return out;
}

void Remove(std::string& text, std::string_view part) {
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part)) text.erase(at, part.size());
}

std::string TextOf(const Form& form, std::string_view label) {
  const Control* c = label.empty() ? nullptr : ControlNamed(form, label);
  return c ? std::string(c->text) : std::string();
}

void AddInPaintOrder(const Form& form, std::string_view container, std::vector<const Control*>& out) {
  for (const bool raised : {false, true}) {
    for (const Control& c : form.controls) {
      if (c.in != container) continue;
      const ControlNote* note = NoteOf(form, c.name);
      if ((note && note->raised) != raised) continue;
      out.push_back(&c);
      if (c.kind == Kind::Frame) AddInPaintOrder(form, c.name, out);
    }
  }
}

}  // namespace

std::span<const Form* const> AllForms() {
  static const std::array<const Form*, FormCount> forms{&VerticalLoadsWindow(),    &CoefficientTableWindow(),
                                                        &MinWheelPressureWindow(), &AboutWindow(),
                                                        &HorizontalLoadsWindow(),  &AlphaCoefficientWindow()};
  return forms;
}

const Form& FormOf(FormId id) { return *AllForms()[static_cast<std::size_t>(id)]; }

const Control* ControlNamed(const Form& form, std::string_view name) { return Find(form.controls, name); }

const ControlNote* NoteOf(const Form& form, std::string_view control) {
  for (const ControlNote& n : form.notes) {
    if (n.control == control) return &n;
  }
  return nullptr;
}

const Field* FieldOf(const Form& form, std::string_view box) {
  if (!form.calculator) return nullptr;
  for (const Field& f : form.calculator->fields) {
    if (f.box == box) return &f;
  }
  return nullptr;
}

std::vector<Input> CheckOrderOf(const Form& form) {
  std::vector<Input> order;
  if (!form.calculator) return order;
  for (const std::string_view box : form.calculator->checkOrder) order.push_back(FieldOf(form, box)->input);
  return order;
}

const ResultField* ResultFieldOf(const Form& form, std::string_view box) {
  if (!form.calculator) return nullptr;
  for (const ResultField& r : form.calculator->results) {
    if (r.box == box) return &r;
  }
  return nullptr;
}

std::vector<std::string_view> TabOrder(const Form& form) {
  std::vector<const Control*> focusable;
  for (const Control& c : form.controls) {
    if (Focusable(c.kind)) focusable.push_back(&c);
  }
  // Ties in table order: the rows are one array, so their addresses keep it. (Not stable_sort: with clang and
  // GCC 12's library it calls a deprecated function, a warning the fuzzing build stops at.)
  std::ranges::sort(focusable, [](const Control* a, const Control* b) {
    return a->tabIndex != b->tabIndex ? a->tabIndex < b->tabIndex : a < b;
  });
  std::vector<std::string_view> names;
  for (const Control* c : focusable) names.push_back(c->name);
  return names;
}

std::vector<const Control*> PaintOrder(const Form& form) {
  std::vector<const Control*> order;
  AddInPaintOrder(form, {}, order);
  return order;
}

std::string SymbolText(std::string_view label) {
  std::string symbol = WithoutSpaces(label);
  Remove(symbol, ":");
  Remove(symbol, "：");
  return symbol;
}

std::string CaptionText(std::string_view label) { return WithoutSpaces(label); }

std::string AccessibleName(const Form& form, const Control& control) {
  std::string_view caption, symbol;
  if (const Field* f = FieldOf(form, control.name)) {
    caption = f->caption, symbol = f->symbol;
  } else if (const ResultField* r = ResultFieldOf(form, control.name); r && control.kind == Kind::TextBox) {
    // A result shown in an editable box is named like an input.
    caption = r->caption, symbol = r->symbol;
  } else {
    const ControlNote* note = NoteOf(form, control.name);
    return note ? std::string(note->accessibleName) : std::string();
  }
  std::string name = CaptionText(TextOf(form, caption));
  if (!name.empty()) name += ' ';
  return name + SymbolText(TextOf(form, symbol));
}

std::string AccessibleDescription(const Form& form, const Control& control) {
  std::string_view unit;
  if (const Field* f = FieldOf(form, control.name)) {
    unit = f->unit;
  } else if (const ResultField* r = ResultFieldOf(form, control.name)) {
    if (control.kind == Kind::ResultLabel)
      return SymbolText(TextOf(form, r->symbol)) + "，单位 " + TextOf(form, r->unit);
    unit = r->unit;
  } else {
    const ControlNote* note = NoteOf(form, control.name);
    return note ? std::string(note->accessibleDescription) : std::string();
  }
  return unit.empty() ? std::string() : "单位：" + TextOf(form, unit);
}

}  // namespace kelvaro::forms
