// The texts of the several-cranes calculation exactly as typed: what its window shows, what a calculation file keeps
// and what the search reads. Each member has one name, used by files and by the page alike.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

/// One crane of the table. Blank texts mean the default the window states (a symmetric crane, half the wheels
/// braking).
struct CraneTexts {
  std::string name{};               // "吊车1" unless the user names it
  std::string Pmax{}, Pmin{};       // kN per wheel
  std::string B{};                  // bridge width, buffer face to buffer face, m
  std::string wheelsPerSide{};      // "2" or "4"
  std::string spacings{};           // "4.4", or "1.6+5.2+1.6" for four wheels
  std::string endDistance{};        // left buffer to the first wheel, m; blank: symmetric
  std::string duty{};               // "A1-A5" or "A6-A8"
  std::string alphaH{}, Q{}, Q1{};  // for the horizontal loads; Q and Q1 in t
  std::string brakingWheels{};      // braking wheels per side; blank: half
};

struct CraneArrangementTexts {
  std::string J1{}, J2{};  // left and right bay, m
  std::vector<CraneTexts> cranes{};
  std::string order = "free";  // "free" or "entered"
  std::string maxOnRail = "2";
  std::string otherSpanCranes = "0";
};

/// The names of a crane's texts, in the table's column order.
inline constexpr std::array<std::pair<std::string_view, std::string CraneTexts::*>, 12> CraneTextNames{{
    {"name", &CraneTexts::name},
    {"Pmax", &CraneTexts::Pmax},
    {"Pmin", &CraneTexts::Pmin},
    {"B", &CraneTexts::B},
    {"wheelsPerSide", &CraneTexts::wheelsPerSide},
    {"spacings", &CraneTexts::spacings},
    {"endDistance", &CraneTexts::endDistance},
    {"duty", &CraneTexts::duty},
    {"alphaH", &CraneTexts::alphaH},
    {"Q", &CraneTexts::Q},
    {"Q1", &CraneTexts::Q1},
    {"brakingWheels", &CraneTexts::brakingWheels},
}};

/// The names of the arrangement's own texts.
inline constexpr std::array<std::pair<std::string_view, std::string CraneArrangementTexts::*>, 5> ArrangementTextNames{{
    {"J1", &CraneArrangementTexts::J1},
    {"J2", &CraneArrangementTexts::J2},
    {"order", &CraneArrangementTexts::order},
    {"maxOnRail", &CraneArrangementTexts::maxOnRail},
    {"otherSpanCranes", &CraneArrangementTexts::otherSpanCranes},
}};

/// At most four cranes on one rail's table.
inline constexpr std::size_t MaxCranes = 4;

}  // namespace kelvaro
