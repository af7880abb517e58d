// The native half of the differential test: makes seeded cases, runs each through the desktop's core and prints
// one line per case with the exact outcome; differential_test.js runs the same cases through the WebAssembly
// module and compares line by line. Texts and separators are hex, numbers their bit patterns.
//
// Usage: kelvaro_differential_cases <seed> <rounds>; a round is 21 cases: five field texts read as singles and as
// doubles, three result texts, and each of the eight calculations once.
#include "calculations.h"
#include "working.h"

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace kelvaro;

namespace {

std::mt19937_64 random_;

std::uint64_t Below(std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(random_); }
bool OneIn(std::uint64_t n) { return Below(n) == 0; }
template <class T>
const T& Pick(const std::vector<T>& from) {
  return from[Below(from.size())];
}

std::string Hex(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    char two[3];
    std::snprintf(two, sizeof two, "%02x", static_cast<unsigned char>(c));
    out += two;
  }
  return out;
}
std::string Hex(float f) {
  char s[9];
  std::snprintf(s, sizeof s, "%08" PRIx32, std::bit_cast<std::uint32_t>(f));
  return s;
}
std::string Hex(double d) {
  char s[17];
  std::snprintf(s, sizeof s, "%016" PRIx64, std::bit_cast<std::uint64_t>(d));
  return s;
}
std::string HexSeparator(char32_t c) {
  char s[9];
  std::snprintf(s, sizeof s, "%" PRIx32, static_cast<std::uint32_t>(c));
  return s;
}

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6)), out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12)), out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18)), out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F)), out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// ---- Field texts of every shape ----

const std::vector<char32_t> separators = {U'.', U',', U'.', U',', U'\u00b7', U'\u066b', U'\uff0e', U'\uff0c', U'?'};

std::string Digits(std::size_t most) {
  std::string out;
  for (std::size_t n = Below(most + 1); n > 0; --n) out += static_cast<char>('0' + Below(10));
  return out;
}

// The exact decimal expansion of a binary value, with `sep` for the point: "%.Ne" prints every digit exactly, and
// no midpoint between two doubles has more than 770 significant digits.
std::string Exact(long double v, char32_t sep, int digits) {
  std::vector<char> buffer(static_cast<std::size_t>(digits) + 16);
  std::snprintf(buffer.data(), buffer.size(), "%.*Le", digits, v);
  std::string s = buffer.data();
  const std::size_t e = s.find('e');
  std::string mantissa = s.substr(0, e), exponent = s.substr(e);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  const std::size_t point = mantissa.find('.');
  if (point != std::string::npos) mantissa.replace(point, 1, Utf8(sep));
  return mantissa + exponent;
}

// Just above or just below a value whose expansion ends in `text`'s last mantissa digit.
std::string Nudged(std::string text, bool up) {
  const std::size_t e = text.find('e');
  std::string tail = text.substr(e);
  text.resize(e);
  if (up) return text + std::string(Below(40), '0') + "1" + tail;
  if (text.back() >= '1' && text.back() <= '9') {
    --text.back();
    return text + "99999999999999999999" + tail;
  }
  return text + tail;
}

float RandomSingle() { return std::bit_cast<float>(static_cast<std::uint32_t>(Below(1ull << 32))); }
double RandomDouble() { return std::bit_cast<double>(static_cast<std::uint64_t>(random_())); }

// Half-way between a single and the next one, or between two doubles, and near there: the cases that tell a
// correctly rounding reader from one that rounds twice.
std::string Midpoint(char32_t sep) {
  long double low, high;
  int digits = 120;  // enough for any midpoint between two singles
  if (OneIn(2)) {
    float f = std::fabs(RandomSingle());
    if (OneIn(4)) f = std::bit_cast<float>(static_cast<std::uint32_t>(Below(0x00800000)));  // subnormal
    if (OneIn(8)) f = std::numeric_limits<float>::max();                                    // the overflow threshold
    if (!std::isfinite(f)) f = 1.0f;
    low = f, high = std::nextafter(f, std::numeric_limits<float>::infinity());
    if (f == std::numeric_limits<float>::max()) high = 0x1p128L;
  } else {
    double d = std::fabs(RandomDouble());
    if (OneIn(4)) d = std::bit_cast<double>(Below(1ull << 52));  // subnormal
    if (OneIn(8)) d = std::numeric_limits<double>::max();
    if (!std::isfinite(d)) d = 1.0;
    low = d, high = std::nextafter(d, std::numeric_limits<double>::infinity());
    digits = 770;
    if (d == std::numeric_limits<double>::max()) high = 0x1p1024L;
  }
  std::string text = Exact(low + (high - low) / 2, sep, digits);
  if (!OneIn(3)) text = Nudged(text, OneIn(2));
  return (OneIn(4) ? "-" : "") + text;
}

std::string Decimal(char32_t sep) {
  std::string text = OneIn(4) ? (OneIn(2) ? "-" : "+") : "";
  text += Digits(OneIn(10) ? 60 : 8);
  if (!OneIn(3)) text += Utf8(sep) + Digits(OneIn(10) ? 60 : 8);
  if (OneIn(3)) {
    text += OneIn(2) ? "e" : "E";
    if (OneIn(2)) text += OneIn(2) ? "-" : "+";
    text += OneIn(20) ? "99999999999999999999" : std::to_string(Below(OneIn(2) ? 50 : 400));
  }
  return text;
}

// The same text as a Chinese input method types it in full-width mode.
std::string FullWidth(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    out += (u >= 0x21 && u <= 0x7E && !OneIn(4)) ? Utf8(u + 0xFEE0) : std::string(1, c);
  }
  return out;
}

std::string Spaced(std::string text) {
  const std::vector<std::string> spaces = {" ", "\t", "\u3000", "  "};
  if (OneIn(2)) text = Pick(spaces) + text;
  if (OneIn(2)) text += Pick(spaces);
  return text;
}

// Malformed UTF-8 and other bytes no number contains.
std::string Damaged(std::string text) {
  const std::vector<std::string> bad = {"\xff",         "\xc3",
                                        "\xc0\xb1",     "\xed\xa0\x80",
                                        "\x80",         "\xf4\x90\x80\x80",
                                        "\xe2\x82",     std::string(1, '\0'),
                                        "\xef\xbf\xbd", "\xe2\x80\xae"};
  const std::size_t at = Below(text.size() + 1);
  return text.insert(at, Pick(bad));
}

std::string Odd() {
  const std::vector<std::string> odd = {"",
                                        " ",
                                        "inf",
                                        "-inf",
                                        "nan",
                                        "infinity",
                                        "0x1p3",
                                        ".",
                                        "+",
                                        "-",
                                        "1e",
                                        "1e+",
                                        "e5",
                                        "1.2.3",
                                        "1 0",
                                        "--1",
                                        "5m",
                                        "1e2.5",
                                        "２个",
                                        "六",
                                        "1_000",
                                        "0e0",
                                        "-0",
                                        ".5",
                                        "5.",
                                        "1E3",
                                        "1e-45",
                                        "7e-46",
                                        "1e39",
                                        "3.4028235e38",
                                        "3.4028236e38",
                                        "4.9e-324",
                                        "2.5e-324",
                                        "1.7976931348623158e308",
                                        "1.7976931348623159e308",
                                        "1e400"};
  return Pick(odd);
}

std::string AnyFieldText(char32_t sep) {
  std::string text;
  switch (Below(10)) {
    case 0:
    case 1:
    case 2:
      text = Decimal(sep);
      break;
    case 3:
    case 4:
    case 5:
      text = Midpoint(sep);
      break;
    case 6:
      text = Odd();
      break;
    case 7:
      text = std::string(Below(1200), '0') + Decimal(sep);  // long
      break;
    case 8:
      text = Decimal(OneIn(2) ? sep : Pick(separators));  // perhaps the wrong separator
      break;
    default:
      for (std::size_t n = Below(12); n > 0; --n) text += static_cast<char>(Below(256));  // any bytes
  }
  if (OneIn(8)) text = FullWidth(text);
  if (OneIn(6)) text = Spaced(text);
  if (OneIn(20)) text = Damaged(text);
  return text;
}

// ---- Arguments of the calculations ----

float Argument() {
  static const std::vector<float> edges = {0.0f,
                                           -0.0f,
                                           1.0f,
                                           -1.0f,
                                           std::numeric_limits<float>::max(),
                                           -std::numeric_limits<float>::max(),
                                           std::numeric_limits<float>::denorm_min(),
                                           std::numeric_limits<float>::min(),
                                           std::numeric_limits<float>::infinity(),
                                           std::numeric_limits<float>::quiet_NaN(),
                                           1e19f,
                                           1e-19f,
                                           0.9f,
                                           6.0f};
  switch (Below(8)) {
    case 0:
      return Pick(edges);
    case 1:
      return RandomSingle();
    case 2:
      return static_cast<float>(std::ldexp(static_cast<double>(Below(1 << 24)), static_cast<int>(Below(80)) - 40));
    default:  // engineering values: a few digits, one or two decimals
      return static_cast<float>(static_cast<double>(Below(20000)) /
                                static_cast<double>(Pick(std::vector{1, 10, 100}))) *
             (OneIn(10) ? -1.0f : 1.0f);
  }
}

// A number field's text: mostly a plain number, sometimes any field text.
std::string ArgumentText(char32_t sep) {
  if (OneIn(5)) return AnyFieldText(sep);
  std::string text = FormatResult(Argument(), sep);
  return OneIn(10) ? "" : text;
}

// ---- Outcomes, written as differential_test.js writes them ----

std::string Failed(const NumberFailure& f, bool withDivisor) {
  std::string out = std::string("!") + (f.kind == FailureKind::NotANumber       ? "NotANumber"
                                        : f.kind == FailureKind::DivisionByZero ? "DivisionByZero"
                                                                                : "Overflow");
  out += ":" + (f.input ? std::string(SymbolOf(*f.input)) : std::string("-"));
  if (withDivisor) out += f.zeroDivisor ? ":1" : ":0";
  return out;
}

// FNV-1a of the working and the notes: they are long, and every character counts.
std::string Hash(const std::vector<WorkingLine>& working, const std::vector<std::string>& notes) {
  std::string all;
  for (const WorkingLine& line : working) all += LineText(line) + "\n";
  for (const std::string& note : notes) all += note + "\n";
  std::uint32_t h = 2166136261u;
  for (const char c : all) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  char s[9];
  std::snprintf(s, sizeof s, "%08" PRIx32, h);
  return s;
}

std::string Of(const InfluenceOrdinates& y) {
  std::string flags;
  for (const bool b : y.beyondSupport) flags += b ? '1' : '0';
  return Hex(y.Y1) + "," + Hex(y.Y2) + "," + Hex(y.Y3) + "," + Hex(y.Y4) + "," + Hex(y.SumY) + "," + Hex(y.J) + "," +
         Hex(y.B) + "," + Hex(y.W) + "," + flags;
}

template <class T>
std::string Outcome(const Result<T>& r, char32_t sep, bool withDivisor = false) {
  if (!r) return Failed(r.error(), withDivisor);
  if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
    return "=" + Hex(*r);
  } else if constexpr (std::is_same_v<T, InfluenceOrdinates>) {
    return "=" + Of(*r) + "," + Hash(WorkingOf(*r, sep), {});
  } else if constexpr (std::is_same_v<T, VerticalLoads>) {
    return "=" + Hex(r->Dmax) + "," + Hex(r->Dmin) + "," + Hex(r->Z) + "," + Hex(r->Pmax) + "," + Hex(r->Pmin) + "," +
           Of(r->ordinates) + "," + Hash(WorkingOf(*r, sep), HowReached(*r, sep));
  } else if constexpr (std::is_same_v<T, MinWheelPressure>) {
    return "=" + Hex(r->Pmin) + "," + Hex(r->Pmax) + "," + Hex(r->G) + "," + Hex(r->Q) + "," + Hex(r->S) + "," +
           Hex(r->N) + "," + Hash(WorkingOf(*r, sep), HowReached(*r, sep));
  } else {
    return "=" + Hex(r->H) + "," + Hex(r->H1) + "," + Hex(r->G1) + "," + Hex(r->Q) + "," + Hex(r->AlphaH) + "," +
           Hex(r->Z) + "," + Hex(r->N) + "," + Of(r->ordinates) + "," + Hash(WorkingOf(*r, sep), HowReached(*r, sep));
  }
}

void Line(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : "\t") + f;
  std::puts(line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <seed> <rounds>\n", argv[0]);
    return 2;
  }
  random_.seed(std::strtoull(argv[1], nullptr, 10));
  const long rounds = std::strtol(argv[2], nullptr, 10);

  for (long i = 0; i < rounds; ++i) {
    char32_t sep = U'.';
    for (int k = 0; k < 5; ++k) {
      // Field texts, read as singles and as doubles.
      sep = Pick(separators);
      const std::string text = AnyFieldText(sep);
      Line({"P", HexSeparator(sep), Hex(text), Outcome(ParseFieldValue(text, sep), sep)});
      Line({"D", HexSeparator(sep), Hex(text), Outcome(ParseFieldDouble(text, sep), sep)});
    }
    for (int k = 0; k < 3; ++k) {
      // Result texts: any single, and the singles next to where the notation changes.
      float v = RandomSingle();
      if (OneIn(2)) {
        v = std::nextafter(Pick(std::vector{9999999.5f, 0.0001f, 0.00009999999f, 1e7f, 1.0f}), OneIn(2) ? 0.0f : 1e9f);
      }
      if (OneIn(3)) v = Argument();
      sep = Pick(separators);
      Line({"F", HexSeparator(sep), Hex(v), Hex(FormatResult(v, sep))});
    }

    // The calculations from numbers, with J and N as text where the core takes them so.
    const float J = Argument(), B = Argument(), W = Argument(), Z = Argument(), Pmax = Argument(), Pmin = Argument();
    Line({"O", Hex(J), Hex(B), Hex(W), Outcome(ComputeOrdinates(J, B, W), U'.')});
    Line({"V", Hex(Z), Hex(J), Hex(B), Hex(W), Hex(Pmax), Hex(Pmin),
          Outcome(ComputeVerticalLoads(Z, J, B, W, Pmax, Pmin), U'.')});
    const std::string jText = ArgumentText(sep), nText = ArgumentText(sep);
    Line({"OT", HexSeparator(sep), Hex(jText), Hex(B), Hex(W), Outcome(ComputeOrdinates({jText, sep}, B, W), sep)});
    const float G = Argument(), Q = Argument(), G1 = Argument(), AlphaH = Argument(), N = Argument();
    Line({"M", HexSeparator(sep), Hex(Pmax), Hex(G), Hex(Q), Hex(nText),
          Outcome(ComputeMinWheelPressure(Pmax, G, Q, {nText, sep}), sep)});
    Line({"H", HexSeparator(sep), Hex(G1), Hex(Q), Hex(AlphaH), Hex(Z), Hex(N), Hex(jText), Hex(B), Hex(W),
          Outcome(ComputeHorizontalLoads(G1, Q, AlphaH, Z, N, {jText, sep}, B, W), sep)});

    // The calculations from their fields' texts, as the windows make them.
    std::vector<std::string> t;
    for (int k = 0; k < 8; ++k) t.push_back(ArgumentText(sep));
    Line({"VT", HexSeparator(sep), Hex(t[0]), Hex(t[1]), Hex(t[2]), Hex(t[3]), Hex(t[4]), Hex(t[5]),
          Outcome(ComputeVerticalLoads(VerticalLoadTexts{t[0], t[1], t[2], t[3], t[4], t[5]}, sep), sep, true)});
    Line({"MT", HexSeparator(sep), Hex(t[0]), Hex(t[1]), Hex(t[2]), Hex(t[3]),
          Outcome(ComputeMinWheelPressure(MinWheelPressureTexts{t[0], t[1], t[2], t[3]}, sep), sep, true)});
    Line({"HT", HexSeparator(sep), Hex(t[0]), Hex(t[1]), Hex(t[2]), Hex(t[3]), Hex(t[4]), Hex(t[5]), Hex(t[6]),
          Hex(t[7]),
          Outcome(ComputeHorizontalLoads(HorizontalLoadTexts{t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7]}, sep), sep,
                  true)});
  }
  return 0;
}
