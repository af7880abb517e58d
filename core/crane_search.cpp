// The critical position of several cranes. The reaction is piecewise linear in the train's position with its
// peaks where a wheel stands over the column, so trying every wheel there, for every group, order and way round,
// finds the largest exactly without stepping.
#include "crane_arrangement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numeric>

namespace kelvaro {
namespace {

// Results this close count as equal, so that rounding never decides between arrangements.
constexpr double Tie = 1e-9;
bool Better(double candidate, double best) {
  return candidate > best + Tie * std::max(std::abs(candidate), std::abs(best));
}

struct Piece {
  std::size_t crane;
  bool reversed;
};

// One crane one way round: its wheels from its left buffer, and which wheel as entered each one is.
struct Side {
  std::vector<double> offsets;
  std::vector<std::size_t> wheel;
};

class Searcher {
 public:
  Searcher(const CraneArrangementData& data, const std::vector<std::vector<double>>& load, int otherSpanCranes,
           std::vector<Trial>* trials)
      : data_(data), load_(load), others_(otherSpanCranes), trials_(trials) {
    for (const Crane& c : data.cranes) {
      Side normal{WheelOffsets(c), {}}, reversed;
      const std::size_t n = normal.offsets.size();
      for (std::size_t w = 0; w < n; ++w) {
        normal.wheel.push_back(w);
        reversed.offsets.push_back(c.B - normal.offsets[n - 1 - w]);
        reversed.wheel.push_back(n - 1 - w);
      }
      bool same = true;
      for (std::size_t w = 0; w < n; ++w) same = same && std::abs(reversed.offsets[w] - normal.offsets[w]) <= Tie * c.B;
      sides_.push_back({normal, reversed});
      asymmetric_.push_back(!same);
    }
  }

  // Groups of `size` cranes in every order the option allows, each asymmetric crane either way round.
  void Grow(std::vector<Piece>& group, std::size_t size, unsigned used) {
    if (group.size() == size) {
      Try(group);
      return;
    }
    const std::size_t n = data_.cranes.size();
    for (std::size_t c = 0; c < n; ++c) {
      if (used & (1u << c)) continue;
      if (data_.order == CraneOrder::Entered && (group.empty() ? c + size > n : c != group.back().crane + 1)) continue;
      for (const bool reversed : {false, true}) {
        if (reversed && !asymmetric_[c]) continue;
        group.push_back({c, reversed});
        Grow(group, size, used | (1u << c));
        group.pop_back();
      }
    }
  }

  Placement best;

 private:
  void Try(const std::vector<Piece>& group) {
    // The train buffer to buffer from 0: each wheel's place, load and crane.
    x_.clear(), loads_.clear(), of_.clear();
    double start = 0;
    bool heavy = false;
    for (std::size_t g = 0; g < group.size(); ++g) {
      const Crane& crane = data_.cranes[group[g].crane];
      const Side& side = sides_[group[g].crane][group[g].reversed ? 1 : 0];
      for (std::size_t w = 0; w < side.offsets.size(); ++w) {
        x_.push_back(start + side.offsets[w]);
        loads_.push_back(load_[group[g].crane][side.wheel[w]]);
        of_.push_back(g);
      }
      start += crane.B;
      heavy = heavy || crane.heavyDuty;
    }
    const int counted = std::min(static_cast<int>(group.size()) + others_, static_cast<int>(MaxCranes));
    const double Z = ReductionFactor(counted, heavy);
    std::optional<std::size_t> bestWheel;
    double bestValue = 0;
    for (std::size_t w = 0; w < x_.size(); ++w) {
      double sum = 0;
      unsigned onBeams = 0;
      for (std::size_t i = 0; i < x_.size(); ++i) {
        const double y = Ordinate(x_[i] - x_[w], data_.J1, data_.J2);
        sum += loads_[i] * y;
        if (y > 0) onBeams |= 1u << of_[i];
      }
      // A crane with no wheel on the beams is not in this group: the smaller group is tried on its own.
      if (onBeams != (1u << group.size()) - 1) continue;
      const double value = Z * sum;
      if (!bestWheel || Better(value, bestValue)) bestWheel = w, bestValue = value;
      if (!found_ || Better(value, best.value)) Keep(group, w, counted, heavy, Z, sum);
    }
    if (trials_ && bestWheel) trials_->push_back({Order(group), Reversed(group), *bestWheel, Z, bestValue});
  }

  void Keep(const std::vector<Piece>& group, std::size_t w, int counted, bool heavy, double Z, double sum) {
    found_ = true;
    best = Placement{Order(group), Reversed(group), w, {}, counted, heavy, Z, sum, Z * sum};
    for (std::size_t i = 0; i < x_.size(); ++i) {
      const Piece& piece = group[of_[i]];
      const Side& side = sides_[piece.crane][piece.reversed ? 1 : 0];
      const std::size_t first = static_cast<std::size_t>(std::find(of_.begin(), of_.end(), of_[i]) -
                                                         of_.begin());  // the crane's first wheel in the train
      PlacedWheel wheel{piece.crane, side.wheel[i - first], x_[i] - x_[w], 0};
      wheel.y = Ordinate(wheel.x, data_.J1, data_.J2, &wheel.beyond);
      best.wheels.push_back(wheel);
    }
  }

  static std::vector<std::size_t> Order(const std::vector<Piece>& group) {
    std::vector<std::size_t> out;
    for (const Piece& p : group) out.push_back(p.crane);
    return out;
  }
  static std::vector<bool> Reversed(const std::vector<Piece>& group) {
    std::vector<bool> out;
    for (const Piece& p : group) out.push_back(p.reversed);
    return out;
  }

  const CraneArrangementData& data_;
  const std::vector<std::vector<double>>& load_;
  int others_;
  std::vector<Trial>* trials_;
  std::vector<std::array<Side, 2>> sides_;
  std::vector<bool> asymmetric_;
  bool found_ = false;
  std::vector<double> x_, loads_;
  std::vector<std::size_t> of_;
};

}  // namespace

std::vector<double> WheelOffsets(const Crane& crane) {
  const double span = std::accumulate(crane.spacings.begin(), crane.spacings.end(), 0.0);
  double x = crane.endDistance ? *crane.endDistance : (crane.B - span) / 2;
  std::vector<double> out{x};
  for (const double s : crane.spacings) out.push_back(x += s);
  return out;
}

double Ordinate(double x, double J1, double J2, bool* beyond) {
  const double y = x < 0 ? 1 + x / J1 : 1 - x / J2;
  if (beyond) *beyond = y < 0;
  return y < 0 ? 0 : y;
}

double ReductionFactor(int cranesCounted, bool heavyDuty) {
  constexpr std::array<std::array<double, 2>, 4> table{{{1.0, 1.0}, {0.90, 0.95}, {0.85, 0.90}, {0.80, 0.85}}};
  const auto row = static_cast<std::size_t>(std::clamp(cranesCounted, 1, 4) - 1);
  return table[row][heavyDuty ? 1 : 0];
}

Placement Search(const CraneArrangementData& data, const std::vector<std::vector<double>>& load, int maxOnRail,
                 int otherSpanCranes, std::vector<Trial>* trials) {
  Searcher searcher(data, load, otherSpanCranes, trials);
  const auto most = std::min(data.cranes.size(), static_cast<std::size_t>(std::max(maxOnRail, 1)));
  std::vector<Piece> group;
  for (std::size_t size = 1; size <= most; ++size) searcher.Grow(group, size, 0);
  return searcher.best;
}

CraneArrangement ComputeCraneArrangement(const CraneArrangementData& data) {
  CraneArrangement r;
  r.data = data;
  std::vector<std::vector<double>> Pmax, T;
  bool horizontal = true;
  for (const Crane& c : data.cranes) {
    const auto wheels = static_cast<double>(c.spacings.size() + 1);
    Pmax.emplace_back(c.spacings.size() + 1, c.Pmax);
    horizontal = horizontal && c.alphaH && c.Q && c.Q1;
    if (horizontal) r.T.push_back(*c.alphaH * (*c.Q + *c.Q1) * Gravity / (2 * wheels));
    r.longitudinal.push_back(0.1 * c.brakingWheels.value_or(wheels / 2) * c.Pmax);
  }
  r.vertical = Search(data, Pmax, data.maxOnRail, data.otherSpanCranes, &r.trials);
  for (const PlacedWheel& w : r.vertical.wheels) r.sumPmin += data.cranes[w.crane].Pmin * w.y;
  r.Dmax = r.vertical.value;
  r.Dmin = r.vertical.Z * r.sumPmin;
  if (horizontal && !data.cranes.empty()) {
    for (std::size_t c = 0; c < data.cranes.size(); ++c) T.emplace_back(data.cranes[c].spacings.size() + 1, r.T[c]);
    r.horizontal = Search(data, T, std::min(data.maxOnRail, 2), 0);
    r.H1 = r.horizontal->value;
  } else {
    r.T.clear();
  }
  std::vector<double> sorted = r.longitudinal;
  std::ranges::sort(sorted, std::greater<>());
  for (std::size_t i = 0; i < sorted.size() && i < 2; ++i) r.longitudinalRail += sorted[i];
  return r;
}

}  // namespace kelvaro
