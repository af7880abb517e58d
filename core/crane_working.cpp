// The several-cranes results as texts: the working line by line, each result's note, the warnings and the lines
// of the arrangements tried, all written here so that both editions and the sheet show the same words.
#include "crane_arrangement.h"

#include <algorithm>
#include <array>
#include <functional>

namespace kelvaro {
namespace {

// Numbers as the results show them; a negative number put into a formula is bracketed.
class Writer {
 public:
  explicit Writer(char32_t separator) : separator_(separator) {}
  std::string operator()(double v) const {
    std::string text = FormatValue(v, separator_);
    return text.starts_with('-') ? "(" + text + ")" : text;
  }
  std::string result(double v) const { return FormatValue(v, separator_); }

 private:
  char32_t separator_;
};

std::string_view DutyText(bool heavy) { return heavy ? "A6–A8" : "A1–A5"; }

// "100 × 0.2666667 + 100 × 1": each wheel's load by its ordinate, left to right.
std::string Products(const Placement& p, const std::vector<double>& load, const Writer& n) {
  std::string out;
  for (const PlacedWheel& w : p.wheels) {
    if (!out.empty()) out += " + ";
    out += n(load[w.crane]) + " × " + n(w.y);
  }
  return out;
}

std::vector<WorkingLine> Ordinates(const CraneArrangementData& d, const Placement& p, const Writer& n) {
  std::vector<WorkingLine> lines;
  for (const PlacedWheel& w : p.wheels) {
    const bool left = w.x < 0;
    lines.push_back({"y（" + WheelLabel(w) + "）", left ? "1 + x / J1" : "1 − x / J2",
                     (left ? "1 + " : "1 − ") + n(w.x) + " / " + n(left ? d.J1 : d.J2), n.result(w.y), "", w.beyond});
  }
  return lines;
}

std::string ZNumbers(const Placement& p) {
  const int own = static_cast<int>(p.order.size());
  std::string text = std::to_string(p.cranesCounted) + " 台（本轨道 " + std::to_string(own);
  if (p.cranesCounted > own) text += "，其他跨 " + std::to_string(p.cranesCounted - own);
  return text + "），" + std::string(DutyText(p.heavyDuty));
}

std::vector<double> PerCrane(const CraneArrangementData& d, double Crane::* member) {
  std::vector<double> out;
  for (const Crane& c : d.cranes) out.push_back(c.*member);
  return out;
}

std::vector<std::string> Warnings(const CraneArrangement& r, char32_t sep) {
  std::vector<std::string> out;
  const CraneArrangementData& d = r.data;
  for (std::size_t c = 0; c < d.cranes.size(); ++c) {
    if (d.cranes[c].Pmin > d.cranes[c].Pmax) {
      out.push_back(CraneLabel(d, c) + " 的 Pmin（" + FormatValue(d.cranes[c].Pmin, sep) + "）大于 Pmax（" +
                    FormatValue(d.cranes[c].Pmax, sep) + "），请核对。");
    }
  }
  for (const PlacedWheel& w : r.vertical.wheels) {
    if (w.beyond) out.push_back(WheelLabel(w) + " 在相邻支座以外，不计入本柱的荷载。");
  }
  const auto heavy = std::ranges::count_if(d.cranes, [](const Crane& c) { return c.heavyDuty; });
  if (heavy > 0 && heavy < std::ssize(d.cranes)) {
    out.push_back("吊车的工作级别不同（A1–A5 与 A6–A8），计入的吊车中有 A6–A8 时 Z 按 A6–A8 取值。");
  }
  return out;
}

}  // namespace

std::string_view NameOf(ArrangementResult result) {
  constexpr std::array<std::string_view, 7> names{"Dmax",        "Dmin", "Z", "cranesCounted", "H1", "longitudinalRail",
                                                  "longitudinal"};
  const auto i = static_cast<std::size_t>(result);
  return i < names.size() ? names[i] : std::string_view();
}

WheelShares SharesOf(const CraneArrangement& r) {
  WheelShares out{{}, {0, 0, r.T.empty() ? std::nullopt : std::optional<double>(0)}};
  for (const PlacedWheel& w : r.vertical.wheels) {
    const Crane& c = r.data.cranes[w.crane];
    const WheelShare& share = out.wheels.emplace_back(
        c.Pmax * w.y, c.Pmin * w.y, r.T.empty() ? std::nullopt : std::optional<double>(r.T[w.crane] * w.y));
    out.sum.Pmax += share.Pmax, out.sum.Pmin += share.Pmin;
    if (share.T) *out.sum.T += *share.T;
  }
  return out;
}

std::string WheelLabel(const PlacedWheel& wheel) {
  return "吊车" + std::to_string(wheel.crane + 1) + " 轮" + std::to_string(wheel.wheel + 1);
}

std::string TrialText(const CraneArrangementData& d, const Trial& t, char32_t sep) {
  std::string text;
  for (std::size_t g = 0; g < t.order.size(); ++g) {
    if (g > 0) text += " + ";
    text += CraneLabel(d, t.order[g]) + (t.reversed[g] ? "（反向）" : "");
  }
  return text + "，第 " + std::to_string(t.wheel + 1) + " 个车轮在柱上：Z = " + FormatValue(t.Z, sep) +
         "，Z·ΣPmax·y = " + FormatValue(t.value, sep);
}

std::expected<ArrangementAnswer, ArrangementFailure> CalculateCraneArrangement(const CraneArrangementTexts& texts,
                                                                               char32_t sep) {
  const auto data = ReadCraneArrangement(texts, sep);
  if (!data) return std::unexpected(data.error());
  return CalculateCraneArrangement(*data, sep);
}

std::expected<ArrangementAnswer, ArrangementFailure> CalculateCraneArrangement(const CraneArrangementData& data,
                                                                               char32_t sep) {
  if (auto failure = Validate(data, sep)) return std::unexpected(std::move(*failure));
  const Writer n(sep);
  ArrangementAnswer a{ComputeCraneArrangement(data), {}, {}, {}, {}};
  const CraneArrangement& r = a.record;
  const Placement& v = r.vertical;
  const std::string critical = WheelLabel(v.wheels[v.criticalWheel]) + " 在柱上";

  a.working = Ordinates(data, v, n);
  const std::string sumMax = Products(v, PerCrane(data, &Crane::Pmax), n);
  const std::string sumMin = Products(v, PerCrane(data, &Crane::Pmin), n);
  a.working.push_back({"ΣPmax·y", "Σ Pmax × y", sumMax, n.result(v.sum), "kN"});
  a.working.push_back({"ΣPmin·y", "Σ Pmin × y", sumMin, n.result(r.sumPmin), "kN"});
  a.working.push_back({"Z", "GB 50009 表 6.2.2", ZNumbers(v), n.result(v.Z), ""});
  a.working.push_back({"Dmax", "Z × ΣPmax·y", n(v.Z) + " × " + n(v.sum), n.result(r.Dmax), "kN"});
  a.working.push_back({"Dmin", "Z × ΣPmin·y", n(v.Z) + " × " + n(r.sumPmin), n.result(r.Dmin), "kN"});

  const std::string zNote = "Z = " + n.result(v.Z) + "（" + ZNumbers(v) + "）";
  a.results = {
      {ArrangementResult::Dmax, r.Dmax, n.result(r.Dmax),
       "Dmax = Z × ΣPmax·y\n" + critical + "，" + zNote + "，ΣPmax·y = " + n.result(v.sum)},
      {ArrangementResult::Dmin, r.Dmin, n.result(r.Dmin),
       "Dmin = Z × ΣPmin·y，与 Dmax 同一位置\n" + zNote + "，ΣPmin·y = " + n.result(r.sumPmin)},
      {ArrangementResult::Z, v.Z, n.result(v.Z),
       "GB 50009 表 6.2.2：" + ZNumbers(v) + (v.heavyDuty ? "\n计入的吊车中有 A6–A8，按 A6–A8 一栏取值" : "")},
      {ArrangementResult::CranesCounted, static_cast<double>(v.cranesCounted), std::to_string(v.cranesCounted),
       ZNumbers(v)},
  };

  if (r.horizontal) {
    const Placement& h = *r.horizontal;
    std::string tNote;
    for (std::size_t c = 0; c < data.cranes.size(); ++c) {
      const Crane& k = data.cranes[c];
      const std::string quantity = "T（吊车" + std::to_string(c + 1) + "）";
      a.working.push_back({quantity, "αH × (Q + Q1) × g / (2 × 每侧轮数)",
                           n(*k.alphaH) + " × (" + n(*k.Q) + " + " + n(*k.Q1) + ") × " + n(Gravity) + " / (2 × " +
                               std::to_string(k.spacings.size() + 1) + ")",
                           n.result(r.T[c]), "kN"});
      tNote += (tNote.empty() ? "" : "，") + quantity + " = " + n.result(r.T[c]);
    }
    a.working.push_back({"ΣT·y", "Σ T × y", Products(h, r.T, n), n.result(h.sum), "kN"});
    a.working.push_back({"H1", "Z × ΣT·y", n(h.Z) + " × " + n(h.sum), n.result(r.H1), "kN"});
    a.results.push_back({ArrangementResult::H1, r.H1, n.result(r.H1),
                         "H1 = Z × ΣT·y，至多 2 台吊车\n" + WheelLabel(h.wheels[h.criticalWheel]) + " 在柱上，" +
                             tNote + "，Z = " + n.result(h.Z)});
  }

  std::string rail;
  for (std::size_t c = 0; c < data.cranes.size(); ++c) {
    const Crane& k = data.cranes[c];
    const double braking = k.brakingWheels.value_or(static_cast<double>(k.spacings.size() + 1) / 2);
    const std::string numbers = "0.1 × " + n(braking) + " × " + n(k.Pmax);
    a.working.push_back({"T_L（吊车" + std::to_string(c + 1) + "）", "0.1 × 制动轮数 × Pmax", numbers,
                         n.result(r.longitudinal[c]), "kN"});
    a.longitudinal.push_back({ArrangementResult::Longitudinal, r.longitudinal[c], n.result(r.longitudinal[c]),
                              "T_L = 0.1 × 制动轮数 × Pmax = " + numbers + "，不乘 Z", c});
  }
  std::vector<double> largest = r.longitudinal;
  std::ranges::sort(largest, std::greater<>());
  largest.resize(std::min<std::size_t>(largest.size(), 2));
  for (const double t : largest) rail += (rail.empty() ? "" : " + ") + n(t);
  a.working.push_back({"T_L", "两个最大的 T_L 之和", rail, n.result(r.longitudinalRail), "kN"});
  a.results.push_back({ArrangementResult::LongitudinalRail, r.longitudinalRail, n.result(r.longitudinalRail),
                       "T_L = 两个最大的 T_L 之和 = " + rail + "，未折减"});
  a.warnings = Warnings(r, sep);
  return a;
}

}  // namespace kelvaro
