// Several cranes on one rail at one column: unequal bays, different cranes, two or four wheels a side. The texts
// are read into numbers (a failure names the crane and the input, its message written here), then every group,
// order, way round and wheel over the column is tried for the largest reaction. All in double.
#pragma once

#include "crane_texts.h"
#include "working.h"

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

/// A crane's texts, in CraneTextNames order.
enum class CraneField : unsigned char {
  Name,
  Pmax,
  Pmin,
  B,
  WheelsPerSide,
  Spacings,
  EndDistance,
  Duty,
  AlphaH,
  Q,
  Q1,
  BrakingWheels
};
inline constexpr std::size_t CraneFieldCount = 12;
/// The column caption the window, the messages and the accessible names use ("Pmax", "轮距").
std::string_view CaptionOf(CraneField field);
/// The crane's own texts by field, and the key a file gives each ("duty").
std::string CraneTexts::* MemberOf(CraneField field);
std::string_view FileKeyOf(CraneField field);

enum class ArrangementField : unsigned char { J1, J2, Order, MaxOnRail, OtherSpanCranes, Crane };
/// The arrangement's own texts by field (not Crane), and the key a file gives each ("maxOnRail").
std::string CraneArrangementTexts::* MemberOf(ArrangementField field);
std::string_view FileKeyOf(ArrangementField field);
/// The input a failure blames: one of the arrangement's own, or `craneField` of crane `crane` (0-based).
struct ArrangementInput {
  ArrangementField field = ArrangementField::J1;
  std::size_t crane = 0;
  CraneField craneField = CraneField::Name;
  bool operator==(const ArrangementInput&) const = default;
};

enum class ArrangementFailureKind : unsigned char {
  Empty,          // a text that must be given is blank
  NotANumber,     // a number's text is not one
  NotPositive,    // J, B or a spacing ≤ 0
  Negative,       // a load, an end distance, αH, Q or Q1 below 0
  TooLong,        // spacings and end distance longer than B
  WheelCount,     // wheels per side other than 2 or 4
  SpacingCount,   // spacings that do not match the wheels per side
  SpacingText,    // not numbers joined by "+"
  NoCrane,        // an empty table
  TooManyCranes,  // more than MaxCranes
  Choice,         // order, duty, cranes on the rail, other spans' cranes or braking wheels outside their choices
};
struct ArrangementFailure {
  ArrangementFailureKind kind;
  ArrangementInput input;
  std::string message;  // Chinese, naming the crane and the input
};

/// One crane as numbers.
struct Crane {
  std::string name;  // never blank: "吊车N" when none was typed
  double Pmax = 0, Pmin = 0, B = 0;
  std::vector<double> spacings{};       // wheels per side − 1 of them
  std::optional<double> endDistance{};  // none: symmetric
  bool heavyDuty = false;               // A6–A8
  std::optional<double> alphaH{}, Q{}, Q1{};
  std::optional<double> brakingWheels{};  // none: half the wheels per side
};
enum class CraneOrder : unsigned char { Free, Entered };
struct CraneArrangementData {
  double J1 = 0, J2 = 0;
  std::vector<Crane> cranes{};
  CraneOrder order = CraneOrder::Free;
  int maxOnRail = 2;
  int otherSpanCranes = 0;
};

/// The texts as numbers; the first text that cannot be read fails, in the table's order, then Validate's checks.
std::expected<CraneArrangementData, ArrangementFailure> ReadCraneArrangement(const CraneArrangementTexts& texts,
                                                                             char32_t decimalSeparator = U'.');
/// What numbers from elsewhere (the page's API) must satisfy as well.
std::optional<ArrangementFailure> Validate(const CraneArrangementData& data, char32_t decimalSeparator = U'.');

/// The wheels from the left buffer, m, left to right.
std::vector<double> WheelOffsets(const Crane& crane);
/// The influence ordinate of the middle support's reaction at x (m from the column, + right); 0 beyond the outer
/// supports. `beyond` tells a wheel past a support from one exactly over it.
double Ordinate(double x, double J1, double J2, bool* beyond = nullptr);
/// Table 6.2.2 of GB 50009 for 1..4 cranes counted.
double ReductionFactor(int cranesCounted, bool heavyDuty);

struct PlacedWheel {
  std::size_t crane;  // in the table
  std::size_t wheel;  // along the crane as entered, 0-based
  double x, y;
  bool beyond = false;  // past an outer support: y = 0
};
/// One group, in one order and each crane one way round, with one wheel over the column.
struct Placement {
  std::vector<std::size_t> order{};  // cranes left to right
  std::vector<bool> reversed{};      // for each of `order`
  std::size_t criticalWheel = 0;     // in `wheels`
  std::vector<PlacedWheel> wheels{};
  int cranesCounted = 0;  // the group and the other spans' cranes, at most 4
  bool heavyDuty = false;
  double Z = 0, sum = 0, value = 0;  // value = Z × Σ load × y
};
/// Each arrangement tried, at its best wheel.
struct Trial {
  std::vector<std::size_t> order;
  std::vector<bool> reversed;
  std::size_t wheel;  // over the column, counted along the train
  double Z, value;
};

/// The largest Z × Σ load × y; `load[c][w]` is the load of wheel w of crane c as entered. Ties go to the fewer
/// cranes, then the earlier order, then the lower wheel. `trials` is filled when given.
Placement Search(const CraneArrangementData& data, const std::vector<std::vector<double>>& load, int maxOnRail,
                 int otherSpanCranes, std::vector<Trial>* trials = nullptr);

struct CraneArrangement {
  CraneArrangementData data{};
  Placement vertical{};
  double Dmax = 0, Dmin = 0, sumPmin = 0;
  std::vector<Trial> trials{};
  std::vector<double> T{};                // per wheel of each crane, when every crane has αH, Q and Q1
  std::optional<Placement> horizontal{};  // with T; at most 2 cranes
  double H1 = 0;
  std::vector<double> longitudinal{};  // T_L of each crane
  double longitudinalRail = 0;         // the two largest
};
/// What each wheel of the critical position puts on the column: its Pmax, Pmin and (with H1) T times its ordinate.
struct WheelShare {
  double Pmax, Pmin;
  std::optional<double> T;
};
struct WheelShares {
  std::vector<WheelShare> wheels{};  // as Placement::wheels
  WheelShare sum{};
};
struct CraneArrangement;
WheelShares SharesOf(const CraneArrangement& arrangement);

/// The search for numbers that Validate accepts.
CraneArrangement ComputeCraneArrangement(const CraneArrangementData& data);

enum class ArrangementResult : unsigned char { Dmax, Dmin, Z, CranesCounted, H1, LongitudinalRail, Longitudinal };
/// "Dmax", "cranesCounted", "longitudinalRail".
std::string_view NameOf(ArrangementResult result);
struct ArrangementValue {
  ArrangementResult id;
  double value;
  std::string text;        // FormatValue's
  std::string howReached;  // the note its field shows
  std::size_t crane = 0;   // with Longitudinal
};
struct ArrangementAnswer {
  CraneArrangement record{};
  std::vector<ArrangementValue> results{};       // Dmax, Dmin, Z, CranesCounted, H1 when computed, LongitudinalRail
  std::vector<ArrangementValue> longitudinal{};  // each crane's T_L
  std::vector<WorkingLine> working{};
  std::vector<std::string> warnings{};
};
/// The window's one call: read, check, search, and write every text.
std::expected<ArrangementAnswer, ArrangementFailure> CalculateCraneArrangement(const CraneArrangementTexts& texts,
                                                                               char32_t decimalSeparator = U'.');
/// The same for numbers (the page's API).
std::expected<ArrangementAnswer, ArrangementFailure> CalculateCraneArrangement(const CraneArrangementData& data,
                                                                               char32_t decimalSeparator = U'.');

/// "吊车2（K）" where the crane's name differs from its place, else "吊车2".
std::string CraneLabel(const CraneArrangementData& data, std::size_t crane);
/// "吊车2 + 吊车1（反向），轮 3 在柱上：Z = 0.9，195": a line of the sheet's table of arrangements tried.
std::string TrialText(const CraneArrangementData& data, const Trial& trial, char32_t decimalSeparator = U'.');
/// A wheel as the working and the figure name it: "吊车1 轮2".
std::string WheelLabel(const PlacedWheel& wheel);

}  // namespace kelvaro
