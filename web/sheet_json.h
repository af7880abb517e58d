// A calculation's sheet as the module hands it to the page: what the sheet says (sheet/content.h) and its figure's
// shapes and texts (sheet/figure.h), laid out with the widths of the font the page carries. The page writes it as
// HTML and SVG and words nothing of its own.
#pragma once

#include "content.h"
#include "figure.h"
#include "json.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro::web {

#include "font_metrics.inc"

/// The width of a text in the page's font at `size` (sheet units), as the browser lays it out: advances summed.
inline double PageTextWidth(std::string_view text, double size) {
  double width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? b : b & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    const auto* row = std::ranges::find_if(Advances, [c](const auto& r) { return r.c == c; });
    width += row != std::end(Advances) ? row->advance : WideAdvance;
  }
  return width * size / FontUnitsPerEm;
}

inline sheet::TextMeasure PageMeasure() {
  return {[](std::string_view text) { return PageTextWidth(text, sheet::LabelSize); },
          (FontAscent + FontDescent) * sheet::LabelSize / FontUnitsPerEm};
}

inline std::string FigureJson(const sheet::Figure& f) {
  using namespace json;
  const auto point = [](const sheet::Point& p) { return Array({Number(p.x), Number(p.y)}); };
  std::vector<std::string> shapes, labels;
  for (const sheet::Shape& s : f.shapes) {
    std::vector<std::string> points;
    for (const sheet::Point& p : s.points) points.push_back(point(p));
    constexpr const char* kinds[] = {"line", "polygon", "circle"};
    constexpr const char* fills[] = {"none", "black", "white", "grey"};
    shapes.push_back(Object({{"kind", String(kinds[static_cast<int>(s.kind)])},
                             {"points", Array(points)},
                             {"stroke", Number(s.stroke)},
                             {"dashed", Flag(s.dashed)},
                             {"fill", String(fills[static_cast<int>(s.fill)])},
                             {"radius", Number(s.radius)}}));
  }
  for (const sheet::Label& l : f.labels) {
    labels.push_back(Object({{"text", String(l.text)},
                             {"x", Number(l.box.x)},
                             {"y", Number(l.box.y)},
                             {"width", Number(l.box.width)},
                             {"height", Number(l.box.height)}}));
  }
  return Object({{"width", Number(f.width)},
                 {"height", Number(f.height)},
                 {"labelSize", Number(sheet::LabelSize)},
                 {"shapes", Array(shapes)},
                 {"labels", Array(labels)}});
}

/// The sheet, with its figure `width` wide and an ordinate of 1 at most `unitHeight` high (sheet units).
inline std::string SheetJson(const sheet::Content& s, double width, double unitHeight) {
  using namespace json;
  std::vector<std::string> inputs, working, results;
  for (const sheet::InputRow& r : s.inputs) {
    inputs.push_back(Strings(std::vector<std::string_view>{r.symbol, r.caption, r.text, r.unit}));
  }
  for (const sheet::WorkingRow& w : s.working) {
    working.push_back(Object({{"quantity", String(w.quantity)}, {"text", String(w.text)}}));
  }
  for (const sheet::ResultRow& r : s.results) {
    results.push_back(Object({{"caption", String(r.caption)}, {"text", String(r.text)}}));
  }
  return Object({{"title", String(s.title)},
                 {"name", String(s.name)},
                 {"project", String(s.project)},
                 {"signatures", Strings(s.signatures)},
                 {"basisHeading", String(s.basisHeading)},
                 {"basis", String(s.basis)},
                 {"inputsHeading", String(s.inputsHeading)},
                 {"columns", Strings(s.columns)},
                 {"inputs", Array(inputs)},
                 {"figureHeading", String(s.figureHeading)},
                 {"figure", s.ordinates ? FigureJson(sheet::FigureOf(*s.ordinates, s.decimalSeparator, width,
                                                                     unitHeight, PageMeasure()))
                                        : "null"},
                 {"figureCaption", String(s.figureCaption)},
                 {"workingHeading", String(s.workingHeading)},
                 {"working", Array(working)},
                 {"workingNote", String(s.workingNote)},
                 {"resultsHeading", String(s.resultsHeading)},
                 {"results", Array(results)},
                 {"notes", Strings(s.notes)},
                 {"program", String(s.program)},
                 {"page", String(s.page)}});
}

}  // namespace kelvaro::web
