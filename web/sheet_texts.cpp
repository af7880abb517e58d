// Writes every text a sheet can show besides the digits and signs of its numbers, one per line: the three worked
// examples' sheets, the several-cranes example's sheet, and a figure with wheels beyond the supports for its note. The
// page's fonts are cut to the characters of these and of the windows (web/make_page.py). Qt-free, like the page's other
// data.
#include "content.h"
#include "crane_sheet.h"
#include "crane_window.h"
#include "figure.h"
#include "form.h"

#include <array>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

using namespace kelvaro;

namespace {

void Put(std::FILE* out, std::string_view text) {
  std::fprintf(out, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void PutSheet(std::FILE* out, const sheet::Content& s) {
  for (const std::string* t :
       {&s.title, &s.name, &s.project, &s.basisHeading, &s.basis, &s.inputsHeading, &s.figureHeading, &s.figureCaption,
        &s.workingHeading, &s.resultsHeading, &s.program, &s.page}) {
    Put(out, *t);
  }
  for (const auto& t : s.signatures) Put(out, t);
  for (const auto& t : s.columns) Put(out, t);
  for (const auto& r : s.inputs) Put(out, r.symbol + " " + r.caption + " " + r.text + " " + r.unit);
  for (const auto& w : s.working) Put(out, w.text);
  for (const auto& r : s.results) Put(out, r.caption + " " + r.text);
  for (const auto& n : s.notes) Put(out, n);
  Put(out, s.workingNote);
}

void PutCraneSheet(std::FILE* out, const forms::CraneSheet& s) {
  Put(out, s.title);
  Put(out, s.blanks);
  Put(out, forms::CraneSheetFooter(s, 0));
  for (const forms::SheetSection& section : s.sections) {
    Put(out, section.heading);
    for (const auto& line : section.lines) Put(out, line);
    for (const auto& cell : section.table.header) Put(out, cell);
    for (const auto& row : section.table.rows) {
      for (const auto& cell : row) Put(out, cell);
    }
  }
  for (const auto& t : s.figure.texts) Put(out, t.text);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvaro_sheet_texts <out.txt>\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 1;
  for (const forms::Form* f : forms::AllForms()) {
    if (!f->calculator) continue;
    std::array<std::string, InputCount> held;
    InputTexts texts{};
    for (const forms::Field& field : f->calculator->fields) {  // the fields' own texts, then what the example types
      texts[static_cast<std::size_t>(field.input)] = forms::ControlNamed(*f, field.box)->text;
    }
    for (const forms::Typed& typed : f->calculator->example) {
      const auto i = static_cast<std::size_t>(forms::FieldOf(*f, typed.box)->input);
      held[i] = std::string(typed.text);
      texts[i] = held[i];
    }
    const auto answer = Calculate(f->calculator->calculation, texts, forms::CheckOrderOf(*f));
    if (!answer) {
      std::fprintf(stderr, "kelvaro_sheet_texts: %.*s: %s\n", static_cast<int>(f->caption.size()), f->caption.data(),
                   answer.error().message.c_str());
      return 1;
    }
    PutSheet(out, sheet::ContentOf(answer->record, std::string(f->caption), sheet::InputRows(*f, texts), U'.'));
  }
  const CraneArrangementTexts cranes = forms::CraneArrangementExample();
  const auto craneAnswer = CalculateCraneArrangement(cranes);
  if (!craneAnswer) return 1;
  PutCraneSheet(out, forms::CraneSheetOf(cranes, *craneAnswer));
  // Every note on impossible inputs: J and B negative, W > B and both far longer than J, Pmin negative and > Pmax.
  const auto impossible = ComputeVerticalLoads(0.9f, -0.1f, -5, 4.4f, -100, -30);
  if (!impossible) return 1;
  for (const std::string& note : NotesOf(*impossible)) Put(out, "注意：" + note);
  // An input too long for its cell, shown by its ends.
  Put(out, ShowFieldText(std::string(2 * sheet::LongestInput, '1'), sheet::LongestInput));
  // Wheels beyond a support: the note under the figure; a negative W: a schematic figure, its mark and note.
  const sheet::TextMeasure none{[](std::string_view) { return 0.0; }, 0};
  for (const auto& [J, B, W] : {std::tuple{6.0f, 13.0f, 1.0f}, {6.0f, 8.0f, -1.0f}}) {
    const auto y = ComputeOrdinates(J, B, W);
    if (!y) return 1;
    const sheet::Figure figure = sheet::FigureOf(*y, U'.', 1650, 220, none);
    for (const sheet::Label& label : figure.labels) Put(out, label.text);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
