// The names a calculation file uses, shared by its reader and its writer (not part of the core's interface).
#pragma once

#include "calculation.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace kelvaro {

inline constexpr std::string_view FormatName = "kelvaro-calculation";
inline constexpr std::string_view ArrangementName = "CraneArrangement";

/// An input's key in "inputs": the enum's own name ("AlphaH", where the window shows "αH").
std::string_view FileKeyOf(Input input);
/// The calculation a file's "calculation" names; nullopt for CraneArrangement and for names this program lacks.
std::optional<Calculation> CalculationNamed(std::string_view name);

/// A text's length as fields count it: UTF-16 units (a character beyond U+FFFF counts two).
std::size_t TextLength(std::string_view utf8);

/// The keys each object of a file may have.
std::span<const std::string_view> TopKeys();
std::span<const std::string_view> ArrangementKeys();
std::span<const std::string_view> CraneKeys();

}  // namespace kelvaro
