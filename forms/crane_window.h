// The several-cranes window described once: Kelvaro's own window, laid out in rows by the toolkit (no twips): the
// bays, the crane table, the options, the results and the buttons, each with its caption, unit and the name a
// screen reader (and an outside check) finds it by. The desktop builds its grid from this, the page its HTML.
#pragma once

#include "crane_arrangement.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvaro::forms {

/// One of a choice's values: the text the core reads and the text the window shows.
struct ChoiceItem {
  std::string_view value;
  std::string_view text;
};

/// A bay: J1 or J2.
struct BayRow {
  ArrangementField field;
  std::string_view caption;  // "左跨柱距"
  std::string_view symbol;   // "J1"; also its accessible name
  std::string_view unit;     // "m"
};

/// A column of the crane table.
struct CraneColumn {
  CraneField field;
  std::string_view unit;                // "kN", "m", "t" or empty
  std::string_view hint;                // shown in an empty cell ("空：对称")
  std::span<const ChoiceItem> choices;  // a choice box; empty for a text cell
  int widthChars;                       // the cell's width in average characters
};

/// An option below the table, chosen from a list.
struct OptionRow {
  ArrangementField field;
  std::string_view caption;
  std::span<const ChoiceItem> choices;
};

/// A result row: its caption, its symbol and unit, and which result it shows.
struct ResultRow {
  ArrangementResult result;
  std::string_view caption;
  std::string_view symbol;
  std::string_view unit;
};

enum class CraneButton : unsigned char { Calculate, AddCrane, RemoveCrane, Clear, Save, Open, Close };
struct CraneButtonRow {
  CraneButton does;
  std::string_view text;
};

struct CraneWindowDescription {
  std::string_view caption;
  std::string_view icon;
  std::span<const BayRow> bays;
  std::span<const CraneColumn> columns;  // in CraneTextNames order
  std::span<const OptionRow> options;
  std::span<const ResultRow> results;
  std::span<const CraneButtonRow> buttons;
  std::string_view diagramName;  // the figure's accessible name
  std::size_t firstCranes;       // rows the window opens with
};

const CraneWindowDescription& CraneArrangementWindow();

/// The texts the window opens with and the worked example its screenshot and tests use (K and L on 6 m and 12 m).
CraneArrangementTexts CraneArrangementDefaults();
CraneArrangementTexts CraneArrangementExample();

/// "吊车1 Pmax", "吊车2 轮距": the accessible name of a crane's input (crane 0-based).
std::string CraneInputName(std::size_t crane, CraneField field);
/// The accessible name of a result's field: "Dmax", "吊车1 T_L".
std::string ResultName(ArrangementResult result, std::size_t crane = 0);
/// The key a calculation file gives a result as shown: "Dmax", ..., "longitudinal1" for crane 1's T_L.
std::string ResultFileKey(ArrangementResult result, std::size_t crane = 0);
/// The accessible name of the input a failure blames.
std::string InputName(const ArrangementInput& input);

/// A file's texts as the window can show them. A choice written as the window shows it ("A6–A8") is taken as its
/// value ("A6-A8"); a choice the window does not offer, a blank one included, is refused with a message worded as
/// the file reader words its own, so that opening changes nothing rather than show another choice than the file's.
std::optional<std::string> TakeChoices(CraneArrangementTexts& texts, std::string_view fileName);

/// The keyboard shortcut that opens the window from every calculator, as the tooltip of 计算 names it.
inline constexpr std::string_view CraneWindowShortcut = "Ctrl+M";
/// The context menu item of every calculator window.
inline constexpr std::string_view CraneWindowMenuText = "多台吊车荷载计算…";

}  // namespace kelvaro::forms
