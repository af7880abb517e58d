// The several-cranes sheet for the calculation book (计算书) as plain data: sections of lines and tables and the
// figure, split into A4 pages (one up to eight wheels, two beyond). Every number is the core's text; the desktop
// paints it, and any other front end may.
#pragma once

#include "crane_arrangement.h"
#include "crane_figure.h"

#include <string>
#include <vector>

namespace kelvaro::forms {

struct SheetTable {
  std::vector<std::string> header{};
  std::vector<std::vector<std::string>> rows{};
  bool lastRowIsSum = false;
};

struct SheetSection {
  std::string heading{};
  std::vector<std::string> lines{};  // before the table and the figure
  SheetTable table{};                // empty header: none
  bool figure = false;               // the critical position's figure after the lines
  bool newPage = false;              // starts the second page
};

struct CraneSheet {
  std::string title{};
  std::string blanks{};  // the line for the project's name and the signatures, under the title
  std::vector<SheetSection> sections{};
  Figure figure{};
  int pages = 1;
};

/// The sheet of a calculation that succeeded: its texts as typed and the core's answer.
CraneSheet CraneSheetOf(const CraneArrangementTexts& texts, const ArrangementAnswer& answer,
                        char32_t decimalSeparator = U'.');

/// The footer of page `page` (0-based): the program and "第 1 页，共 2 页".
std::string CraneSheetFooter(const CraneSheet& sheet, int page);

}  // namespace kelvaro::forms
