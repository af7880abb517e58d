// A file's choices as the several-cranes window can show them: by value or as shown, anything else refused with
// the reader's wording, so that opening never shows another choice than the file's.
#include "crane_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kelvaro::forms {
namespace {

TEST(TakeChoices, TakesValuesAndShownTextsAndRefusesTheRest) {
  const struct {
    const char* tag;
    std::string CraneArrangementTexts::* option;  // or null, for crane 1's member
    std::string CraneTexts::* crane;
    std::string text;
    std::optional<std::string> taken;  // the value the window shows; none: refused with `message`
    std::string message;
  } rows[] = {
      {"a value", nullptr, &CraneTexts::duty, "A6-A8", "A6-A8", ""},
      {"the duty as the window shows it, with its dash", nullptr, &CraneTexts::duty, "A6–A8", "A6-A8", ""},
      {"an order as the window shows it", &CraneArrangementTexts::order, nullptr, "按表中顺序", "entered", ""},
      {"wheels per side", nullptr, &CraneTexts::wheelsPerSide, "4", "4", ""},
      {"a duty the window does not offer", nullptr, &CraneTexts::duty, "A9", std::nullopt,
       "无法打开“f.kelvaro”：第 1 台吊车（“cranes”）中的“duty”应为 A1-A5 或 A6-A8，文件中是“A9”。"},
      {"three wheels", nullptr, &CraneTexts::wheelsPerSide, "3", std::nullopt,
       "无法打开“f.kelvaro”：第 1 台吊车（“cranes”）中的“wheelsPerSide”应为 2 或 4，文件中是“3”。"},
      {"a number the core would read, but no choice of the window", nullptr, &CraneTexts::wheelsPerSide, "2.0",
       std::nullopt, "无法打开“f.kelvaro”：第 1 台吊车（“cranes”）中的“wheelsPerSide”应为 2 或 4，文件中是“2.0”。"},
      {"five cranes on the rail", &CraneArrangementTexts::maxOnRail, nullptr, "5", std::nullopt,
       "无法打开“f.kelvaro”：“inputs”中的“maxOnRail”应为 1、2、3 或 4，文件中是“5”。"},
      {"a blank choice", &CraneArrangementTexts::otherSpanCranes, nullptr, "", std::nullopt,
       "无法打开“f.kelvaro”：“inputs”中的“otherSpanCranes”应为 0、1 或 2，文件中是空的。"},
      {"an order by another name", &CraneArrangementTexts::order, nullptr, "任意", std::nullopt,
       "无法打开“f.kelvaro”：“inputs”中的“order”应为 free 或 entered，文件中是“任意”。"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    CraneArrangementTexts texts = CraneArrangementExample();
    std::string& text = row.option ? texts.*row.option : texts.cranes.front().*row.crane;
    text = row.text;
    const std::optional<std::string> failure = TakeChoices(texts, "f.kelvaro");
    if (row.taken) {
      EXPECT_EQ(failure, std::nullopt);
      EXPECT_EQ(text, *row.taken);
    } else {
      EXPECT_EQ(failure, row.message);
    }
  }
}

}  // namespace
}  // namespace kelvaro::forms
