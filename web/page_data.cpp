// Writes the windows' description as the page's data (web/make_page.py makes the page's HTML and its script's
// tables from it), and, for the browser test only, what the core gives for each calculator's worked example and
// for two refusals. Qt-free: the page is made from the same tables as the desktop windows, not from them.
//
// Usage: kelvaro_page_data <page.json> <examples.json>
#include "calculation.h"
#include "crane_window.h"
#include "form.h"
#include "json.h"
#include "messages.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

using namespace kelvaro;
using namespace kelvaro::forms;
using namespace kelvaro::json;

namespace {

std::string_view NameOf(FormId id) {
  switch (id) {
    case FormId::VerticalLoads:
      return "VerticalLoads";
    case FormId::CoefficientTable:
      return "CoefficientTable";
    case FormId::MinWheelPressure:
      return "MinWheelPressure";
    case FormId::About:
      return "About";
    case FormId::HorizontalLoads:
      return "HorizontalLoads";
    case FormId::AlphaCoefficient:
      return "AlphaCoefficient";
    case FormId::CraneArrangement:
      return "CraneArrangement";
  }
  return {};
}

std::string_view NameOf(Kind kind) {
  switch (kind) {
    case Kind::Label:
      return "label";
    case Kind::ResultLabel:
      return "resultLabel";
    case Kind::TextBox:
      return "textBox";
    case Kind::Button:
      return "button";
    case Kind::Frame:
      return "frame";
    case Kind::Picture:
      return "picture";
  }
  return {};
}

std::string_view NameOf(Does does) {
  switch (does) {
    case Does::Calculate:
      return "calculate";
    case Does::Clear:
      return "clear";
    case Does::Close:
      return "close";
    case Does::Open:
      return "open";
  }
  return {};
}

std::string Int(int v) { return std::to_string(v); }
template <class E>
std::string Id(E e) {
  return Int(static_cast<int>(e));
}
std::string Rect(const Twips& r) { return Array({Int(r.left), Int(r.top), Int(r.width), Int(r.height)}); }
std::string PixelRect(const Twips& r) {
  return Array({Int(TwipsToPixels(r.left)), Int(TwipsToPixels(r.top)), Int(TwipsToPixels(r.width)),
                Int(TwipsToPixels(r.height))});
}
std::string NameOrNull(std::string_view name) { return name.empty() ? "null" : String(name); }

std::string FontOf(const Font& f) {
  return Object({{"families", Strings(f.families)},
                 {"pointSize", Number(f.pointSize)},
                 {"bold", Flag(f.bold)},
                 {"italic", Flag(false)}});
}

// The box a label leads to: a field's symbol label to its field, and so a result shown in a box.
std::string_view BuddyOf(const Form& form, std::string_view label) {
  if (!form.calculator) return {};
  for (const Field& f : form.calculator->fields) {
    if (f.symbol == label) return f.box;
  }
  for (const ResultField& r : form.calculator->results) {
    if (r.symbol == label && ControlNamed(form, r.box)->kind == Kind::TextBox) return r.box;
  }
  return {};
}

std::string ControlData(const Form& form, const Control& c) {
  const ControlNote* note = NoteOf(form, c.name);
  Members m{{"name", String(c.name)},
            {"kind", String(NameOf(c.kind))},
            {"in", NameOrNull(c.in)},
            {"twips", Rect(c.at)},
            {"pixels", PixelRect(c.at)},
            {"text", String(c.kind == Kind::Picture ? std::string_view() : c.text)},
            {"tabIndex", Int(c.tabIndex)},
            {"focusable", Flag(Focusable(c.kind))},
            {"accessibleName", String(AccessibleName(form, c))},
            {"accessibleDescription", String(AccessibleDescription(form, c))}};
  if (c.kind == Kind::Picture) m.emplace_back("picture", String(c.text));
  if (const std::string_view buddy = c.kind == Kind::Label ? BuddyOf(form, c.name) : std::string_view(); !buddy.empty())
    m.emplace_back("buddy", String(buddy));
  if (note && note->font) m.emplace_back("font", FontOf(*note->font));
  return Object(m);
}

std::string_view ButtonFor(const Form& form, Does does) {
  for (const ButtonRole& b : form.buttons) {
    if (b.does == does) return b.button;
  }
  return {};
}

std::string CalculatorData(const Form& form) {
  const Calculator& calc = *form.calculator;
  std::vector<std::string> fields, results;
  for (const Field& f : calc.fields) {
    fields.push_back(Object({{"field", String(f.box)}, {"input", Id(f.input)}, {"symbol", String(SymbolOf(f.input))}}));
  }
  for (const ResultField& r : calc.results) {
    results.push_back(Object({{"field", String(r.box)}, {"result", Id(r.result)}, {"name", String(NameOf(r.result))}}));
  }
  return Object({{"calculation", Id(calc.calculation)},
                 {"name", String(NameOf(calc.calculation))},
                 {"fields", Array(fields)},
                 {"checkOrder", Strings(calc.checkOrder)},
                 {"clearList", Strings(calc.clearList)},
                 {"results", Array(results)},
                 {"calculate", String(ButtonFor(form, Does::Calculate))},
                 {"clear", String(ButtonFor(form, Does::Clear))},
                 {"close", String(ButtonFor(form, Does::Close))}});
}

std::string WindowData(const Form& form) {
  std::vector<std::string> controls, buttons;
  for (const Control* c : PaintOrder(form)) controls.push_back(ControlData(form, *c));
  for (const ButtonRole& b : form.buttons) {
    Members m{{"button", String(b.button)}, {"does", String(NameOf(b.does))}};
    if (b.does == Does::Open) m.emplace_back("opens", String(NameOf(b.opens)));
    buttons.push_back(Object(m));
  }
  const std::vector<std::string_view> tabOrder = TabOrder(form);
  Members m{{"kind", String(NameOf(form.id))},
            {"id", Id(form.id)},
            {"objectName", String(form.objectName)},
            {"caption", String(form.caption)},
            {"icon", String(form.icon)},
            {"client", Object({{"twips", Array({Int(form.width), Int(form.height)})},
                               {"pixels", Array({Int(TwipsToPixels(form.width)), Int(TwipsToPixels(form.height))})}})},
            {"controls", Array(controls)},
            {"tabOrder", Strings(tabOrder)},
            {"focus", NameOrNull(tabOrder.empty() ? std::string_view() : tabOrder.front())},
            {"buttons", Array(buttons)}};
  if (form.calculator) m.emplace_back("calculator", CalculatorData(form));
  return Object(m);
}

// ---- The several-cranes window: rows, not twips; every control's name and accessible name written here ----

std::string Choices(std::span<const ChoiceItem> items) {
  std::vector<std::string> out;
  for (const ChoiceItem& c : items) out.push_back(Object({{"value", String(c.value)}, {"text", String(c.text)}}));
  return Array(out);
}

std::string CraneControl(std::size_t crane, CraneField field) {
  return "crane" + std::to_string(crane + 1) + "-" + std::string(CraneTextNames[static_cast<std::size_t>(field)].first);
}

std::string_view NameOf(forms::CraneButton does) {
  constexpr std::array<std::string_view, 7> names{"calculate", "addCrane", "removeCrane", "clear",
                                                  "save",      "open",     "close"};
  return names[static_cast<std::size_t>(does)];
}

std::string CraneWindowData() {
  const CraneWindowDescription& d = CraneArrangementWindow();
  const CraneArrangementTexts defaults = CraneArrangementDefaults();
  std::vector<std::string> bays, columns, inputs, options, results, longitudinal, buttons, rows;
  std::vector<std::string_view> tabOrder;
  for (const BayRow& b : d.bays) {
    bays.push_back(Object({{"control", String(b.symbol)},
                           {"index", Int(static_cast<int>(b.field))},
                           {"key", String(ArrangementTextNames[static_cast<std::size_t>(b.field)].first)},
                           {"caption", String(b.caption)},
                           {"symbol", String(b.symbol)},
                           {"unit", String(b.unit)},
                           {"text", String(defaults.*MemberOf(b.field))}}));
    tabOrder.push_back(b.symbol);
  }
  for (const CraneColumn& c : d.columns) {
    columns.push_back(Object({{"field", String(CraneTextNames[static_cast<std::size_t>(c.field)].first)},
                              {"caption", String(CaptionOf(c.field))},
                              {"unit", String(c.unit)},
                              {"hint", String(c.hint)},
                              {"choices", Choices(c.choices)},
                              {"widthChars", Int(c.widthChars)}}));
  }
  std::vector<std::string> names;  // kept alive for tabOrder's views
  names.reserve(MaxCranes * CraneFieldCount);
  for (std::size_t i = 0; i < MaxCranes; ++i) {
    std::vector<std::string> controls, accessible, texts;
    for (const CraneColumn& c : d.columns) {
      controls.push_back(String(names.emplace_back(CraneControl(i, c.field))));
      tabOrder.push_back(names.back());
      accessible.push_back(String(CraneInputName(i, c.field)));
      texts.push_back(String(i < defaults.cranes.size() ? defaults.cranes[i].*MemberOf(c.field) : ""));
    }
    rows.push_back(Object({{"label", String("吊车" + std::to_string(i + 1))},
                           {"controls", Array(controls)},
                           {"accessibleNames", Array(accessible)},
                           {"texts", Array(texts)}}));
    const std::string tl = ResultName(ArrangementResult::Longitudinal, i);
    longitudinal.push_back(
        Object({{"control", String("T_L" + std::to_string(i + 1))},
                {"accessibleName", String(tl)},
                {"index", Int(static_cast<int>(ArrangementResult::Longitudinal) + static_cast<int>(i))}}));
  }
  for (const OptionRow& o : d.options) {
    options.push_back(Object({{"field", String(ArrangementTextNames[static_cast<std::size_t>(o.field)].first)},
                              {"index", Int(static_cast<int>(o.field))},
                              {"caption", String(o.caption)},
                              {"choices", Choices(o.choices)},
                              {"value", String(defaults.*MemberOf(o.field))}}));
    tabOrder.push_back(ArrangementTextNames[static_cast<std::size_t>(o.field)].first);
  }
  for (const CraneButtonRow& b : d.buttons) {
    buttons.push_back(Object({{"does", String(NameOf(b.does))}, {"text", String(b.text)}}));
    tabOrder.push_back(NameOf(b.does));
  }
  for (const ResultRow& r : d.results) {
    results.push_back(Object({{"name", String(NameOf(r.result))},
                              {"index", Int(static_cast<int>(r.result))},
                              {"control", String("result-" + std::string(NameOf(r.result)))},
                              {"caption", String(r.caption)},
                              {"symbol", String(r.symbol)},
                              {"unit", String(r.unit)},
                              {"accessibleName", String(ResultName(r.result))}}));
  }
  const Members cranes{
      {"bays", Array(bays)},
      {"columns", Array(columns)},
      {"rows", Array(rows)},
      {"firstCranes", Int(static_cast<int>(d.firstCranes))},
      {"options", Array(options)},
      {"buttons", Array(buttons)},
      {"results", Array(results)},
      {"longitudinal", Array(longitudinal)},
      {"diagramName", String(d.diagramName)},
      {"shortcut", String(CraneWindowShortcut)},
      {"menuText", String(CraneWindowMenuText)},
      {"shortcutNote", String("按 " + std::string(CraneWindowShortcut) + " 打开" + std::string(d.caption))}};
  return Object({{"kind", String(NameOf(FormId::CraneArrangement))},
                 {"id", Id(FormId::CraneArrangement)},
                 {"caption", String(d.caption)},
                 {"icon", String(d.icon)},
                 {"controls", "[]"},
                 {"tabOrder", Strings(tabOrder)},
                 {"focus", String(tabOrder.front())},
                 {"buttons", Array({Object({{"button", String("close")}, {"does", String("close")}})})},
                 {"cranes", Object(cranes)}});
}

// ---- What the core gives, for the browser test ----

InputTexts DefaultTexts(const Form& form) {
  InputTexts texts{};
  for (const Field& f : form.calculator->fields)
    texts[static_cast<std::size_t>(f.input)] = ControlNamed(form, f.box)->text;
  for (const Typed& t : form.calculator->example) texts[static_cast<std::size_t>(FieldOf(form, t.box)->input)] = t.text;
  return texts;
}

std::string_view BoxOf(const Form& form, Input input) {
  for (const Field& f : form.calculator->fields) {
    if (f.input == input) return f.box;
  }
  return {};
}

[[noreturn]] void Fail(const Form& form, std::string_view why) {
  std::fprintf(stderr, "kelvaro_page_data: %.*s: %.*s\n", static_cast<int>(form.objectName.size()),
               form.objectName.data(), static_cast<int>(why.size()), why.data());
  std::exit(1);
}

Refusal Refused(const Form& form, const InputTexts& texts) {
  auto outcome = Calculate(form.calculator->calculation, texts, CheckOrderOf(form));
  if (outcome) Fail(form, "a refusal was expected");
  return outcome.error();
}

std::string ExampleData(const Form& form) {
  const Calculator& calc = *form.calculator;
  InputTexts texts = DefaultTexts(form);
  const auto answer = Calculate(calc.calculation, texts, CheckOrderOf(form));
  if (!answer) Fail(form, "the worked example is refused: " + answer.error().message);
  Members typed, shown, notes;
  for (const Typed& t : calc.example) typed.emplace_back(t.box, String(t.text));
  for (std::size_t i = 0; i < calc.results.size(); ++i) {
    shown.emplace_back(calc.results[i].box, String(answer->results[i].text));
    notes.emplace_back(calc.results[i].box, String(answer->results[i].howReached));
  }

  // A text that is not a number in the first field, the others as in the example.
  const Field& first = calc.fields.front();
  constexpr std::string_view Bad = "1x";
  texts[static_cast<std::size_t>(first.input)] = Bad;
  const Refusal bad = Refused(form, texts);
  if (!bad.failure || bad.failure->input != first.input) Fail(form, "1x in the first field is not blamed on it");
  // Every field empty: each takes the focus in turn, so the last one checked keeps it.
  const Refusal empty = Refused(form, InputTexts{});
  if (empty.empty.empty()) Fail(form, "no empty field named");
  return Object(
      {{"typed", Object(typed)},
       {"results", Object(shown)},
       {"notes", Object(notes)},
       {"notANumber", Object({{"field", String(first.box)},
                              {"text", String(Bad)},
                              {"message", String(bad.message)},
                              {"focus", String(first.box)},
                              {"selected", String(Bad)}})},
       {"allEmpty", Object({{"message", String(empty.message)}, {"focus", String(BoxOf(form, empty.empty.back()))}})}});
}

// The several-cranes worked example typed into its controls, what the native core shows for it, and a refusal.
std::string CraneExampleData() {
  const CraneArrangementTexts example = CraneArrangementExample();
  Members typed;
  std::vector<std::string> names;
  names.reserve(example.cranes.size() * CraneFieldCount + 2);
  typed.emplace_back("J1", String(example.J1));
  typed.emplace_back("J2", String(example.J2));
  for (std::size_t i = 0; i < example.cranes.size(); ++i) {
    for (const auto& [field, member] : CraneTextNames) {
      if (field == "wheelsPerSide" || field == "duty") continue;  // chosen, not typed
      typed.emplace_back(names.emplace_back("crane" + std::to_string(i + 1) + "-" + std::string(field)),
                         String(example.cranes[i].*member));
    }
  }
  const auto answer = CalculateCraneArrangement(example);
  if (!answer) Fail(FormOf(FirstForm), "the several-cranes example is refused: " + answer.error().message);
  Members shown, notes;
  for (const ArrangementValue& v : answer->results) {
    shown.emplace_back(NameOf(v.id), String(v.text));
    notes.emplace_back(NameOf(v.id), String(v.howReached));
  }
  CraneArrangementTexts bad = example;
  bad.cranes[1].B = "0";
  const auto refused = CalculateCraneArrangement(bad);
  if (refused) Fail(FormOf(FirstForm), "a crane with B = 0 is not refused");
  return Object(
      {{"typed", Object(typed)},
       {"results", Object(shown)},
       {"notes", Object(notes)},
       {"badB",
        Object({{"field", String("crane2-B")}, {"text", String("0")}, {"message", String(refused.error().message)}})}});
}

bool Write(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text << '\n';
  out.close();
  if (!out) std::fprintf(stderr, "kelvaro_page_data: cannot write %s\n", path);
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <page.json> <examples.json>\n", argv[0]);
    return 2;
  }
  std::vector<std::string> windows;
  Members examples;
  for (const Form* form : AllForms()) {
    windows.push_back(WindowData(*form));
    if (form->calculator) examples.emplace_back(NameOf(form->id), ExampleData(*form));
  }
  windows.push_back(CraneWindowData());
  examples.emplace_back(NameOf(FormId::CraneArrangement), CraneExampleData());
  const std::string page =
      Object({{"first", String(NameOf(FirstForm))},
              {"messageBox", Object({{"title", String(FailureTitle)}, {"button", String(MessageButton)}})},
              {"windows", Array(windows)}});
  return Write(argv[1], page) && Write(argv[2], Object(examples)) ? 0 : 1;
}
