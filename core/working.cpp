#include "working.h"

#include "utf8.h"

#include <array>
#include <charconv>

namespace kelvaro {
namespace {

// to_chars' digits as the result fields write them: the decimal separator, "E" for the exponent.
std::string FormatDigits(std::string_view digits, char32_t separator) {
  std::string out;
  for (const char c : digits) {
    if (c == '.') {
      AppendUtf8(out, separator);
    } else {
      out.push_back(c == 'e' ? 'E' : c);
    }
  }
  return out;
}

// A single as the result fields write it, with as many more digits (up to 9) as it takes to read back as the same
// single: a checker who recomputes a line from the numbers it shows gets the result it shows.
std::string ExactText(float v, char32_t separator) {
  // The shortest digits that read back as v tell how many it takes.
  char buffer[32];
  const std::to_chars_result shortest = std::to_chars(buffer, buffer + sizeof buffer, v);
  if (shortest.ec != std::errc{}) return FormatResult(v, separator);
  int digits = 0;
  bool leading = true;
  for (const char* p = buffer; p != shortest.ptr && *p != 'e'; ++p) {
    if (*p < '0' || *p > '9' || (leading && *p == '0')) continue;
    leading = false;
    ++digits;
  }
  if (digits <= 7) return FormatResult(v, separator);
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, digits);
  return ec == std::errc{} ? FormatDigits(std::string_view(buffer, end), separator) : FormatResult(v, separator);
}

// Writes numbers as the result fields do, intermediates read back exactly; a negative number put into a formula
// is bracketed.
class Writer {
 public:
  explicit Writer(char32_t separator) : separator_(separator) {}
  std::string operator()(float v) const { return Bracketed(ExactText(v, separator_)); }
  std::string operator()(double v) const { return Bracketed(FormatValue(v, separator_)); }
  std::string result(float v) const { return FormatResult(v, separator_); }

 private:
  static std::string Bracketed(std::string text) { return text.starts_with('-') ? "(" + text + ")" : text; }
  char32_t separator_;
};

std::string Join(std::initializer_list<std::string> parts, std::string_view with) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += with;
    out += part;
  }
  return out;
}

std::string Assign(std::string_view quantity, const std::string& value) {
  return std::string(quantity) + " = " + value;
}

void Append(std::vector<WorkingLine>& to, std::vector<WorkingLine> lines) {
  to.insert(to.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

// Line texts for the notes: "Y1 = 0.2666667".
std::string Value(const WorkingLine& line) { return Assign(line.quantity, line.result); }

}  // namespace

std::string_view SymbolOf(Input input) {
  static constexpr std::array<std::string_view, InputCount> symbols = {"Z", "J", "B", "W",  "Pmax", "Pmin",
                                                                       "G", "Q", "N", "G1", "αH"};
  const auto i = static_cast<std::size_t>(input);
  return i < symbols.size() ? symbols[i] : std::string_view();
}

std::vector<WorkingLine> WorkingOf(const InfluenceOrdinates& y, char32_t separator) {
  const Writer n(separator);
  const std::string J = n(y.J), B = n(y.B), W = n(y.W);
  return {
      {"Y1", "(J − W) / J", "(" + J + " − " + W + ") / " + J, n.result(y.Y1), "", y.beyondSupport[0]},
      {"Y2", "J / J", J + " / " + J, n.result(y.Y2), "", y.beyondSupport[1]},
      {"Y3", "((J − B) + W) / J", "((" + J + " − " + B + ") + " + W + ") / " + J, n.result(y.Y3), "",
       y.beyondSupport[2]},
      {"Y4", "(J − B) / J", "(" + J + " − " + B + ") / " + J, n.result(y.Y4), "", y.beyondSupport[3]},
      {"SumY", "((Y2 + Y1) + Y3) + Y4", "((" + n(y.Y2) + " + " + n(y.Y1) + ") + " + n(y.Y3) + ") + " + n(y.Y4),
       n.result(y.SumY), ""},
  };
}

std::array<Dimension, 5> DimensionChain(const InfluenceOrdinates& y, char32_t separator) {
  const double J = y.J, B = y.B, W = y.W;
  const auto dimension = [separator](std::string_view name, double length) {
    return Dimension{name, length, FormatValue(length, separator)};
  };
  return {dimension("J−W", J - W), dimension("W", W), dimension("B−W", B - W), dimension("W", W),
          dimension("J−B", J - B)};
}

std::vector<WorkingLine> WorkingOf(const VerticalLoads& d, char32_t separator) {
  const Writer n(separator);
  std::vector<WorkingLine> lines = WorkingOf(d.ordinates, separator);
  const std::string sumTimesZ = "(" + n(d.ordinates.SumY) + " × " + n(d.Z) + ") × ";
  Append(lines, {
                    {"Dmax", "(SumY × Z) × Pmax", sumTimesZ + n(d.Pmax), n.result(d.Dmax), "Kn"},
                    {"Dmin", "(SumY × Z) × Pmin", sumTimesZ + n(d.Pmin), n.result(d.Dmin), "Kn"},
                });
  return lines;
}

std::vector<WorkingLine> WorkingOf(const MinWheelPressure& p, char32_t separator) {
  const Writer n(separator);
  return {
      {"S", "Q + G", n(p.Q) + " + " + n(p.G), n.result(p.S), "t"},
      {"Pmin", "((S / N) × " + n(Gravity) + ") − Pmax",
       "((" + n(p.S) + " / " + n(p.N) + ") × " + n(Gravity) + ") − " + n(p.Pmax), n.result(p.Pmin), "Kn"},
  };
}

std::vector<WorkingLine> WorkingOf(const HorizontalLoads& h, char32_t separator) {
  const Writer n(separator);
  std::vector<WorkingLine> lines = WorkingOf(h.ordinates, separator);
  Append(lines,
         {
             {"H", "((Q + G1) × αH) × " + n(Gravity),
              "((" + n(h.Q) + " + " + n(h.G1) + ") × " + n(h.AlphaH) + ") × " + n(Gravity), n.result(h.H), "Kn"},
             {"H1", "((H / N) × Z) × SumY",
              "((" + n(h.H) + " / " + n(h.N) + ") × " + n(h.Z) + ") × " + n(h.ordinates.SumY), n.result(h.H1), "Kn"},
         });
  return lines;
}

std::string LineText(const WorkingLine& line) {
  std::string text = line.quantity + " = " + line.formula + " = " + line.numbers;
  if (line.beyondSupport) return text + " < 0，取 0（" + std::string(BeyondSupportNote) + "）";
  text += " = " + line.result;
  if (!line.unit.empty()) text += " " + std::string(line.unit);
  return text;
}

std::vector<std::string> HowReached(const VerticalLoads& d, char32_t separator) {
  const Writer n(separator);
  const auto w = WorkingOf(d, separator);
  const std::string ordinates = Join({Value(w[0]), Value(w[1]), Value(w[2]), Value(w[3])}, "，") + "\n" +
                                Join({Value(w[4]), Assign("Z", n.result(d.Z))}, "，");
  return {
      Assign(w[5].quantity, w[5].formula) + "\n" + ordinates + "，" + Assign("Pmax", n.result(d.Pmax)),
      Assign(w[6].quantity, w[6].formula) + "\n" + ordinates + "，" + Assign("Pmin", n.result(d.Pmin)),
  };
}

std::vector<std::string> HowReached(const MinWheelPressure& p, char32_t separator) {
  const Writer n(separator);
  const auto w = WorkingOf(p, separator);
  return {
      Assign(w[1].quantity, w[1].formula) + "\n" +
          Join({Assign(w[0].quantity, w[0].formula) + " = " + w[0].result, Assign("N", FormatValue(p.N, separator)),
                Assign("Pmax", n.result(p.Pmax))},
               "，"),
  };
}

std::vector<std::string> HowReached(const HorizontalLoads& h, char32_t separator) {
  const Writer n(separator);
  const auto w = WorkingOf(h, separator);
  return {
      Assign(w[5].quantity, w[5].formula) + "\n" +
          Join({Assign("Q", n.result(h.Q)), Assign("G1", n.result(h.G1)), Assign("αH", n.result(h.AlphaH))}, "，"),
      Assign(w[6].quantity, w[6].formula) + "\n" +
          Join({Assign("H", n.result(h.H)), Assign("N", n.result(h.N)), Assign("Z", n.result(h.Z)), Value(w[4])}, "，"),
  };
}

}  // namespace kelvaro
