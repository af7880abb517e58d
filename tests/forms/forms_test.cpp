// The window descriptions: each table keeps the rules every consumer relies on, and the names for screen readers
// and the tab order that both editions take from it are the ones the windows have always had.
#include "form.h"
#include "forms_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace kelvaro;
using namespace kelvaro::forms;

TEST(Forms, EveryDescriptionIsConsistent) {
  ASSERT_EQ(AllForms().size(), static_cast<std::size_t>(FormCount));
  std::set<std::string_view> objectNames;
  for (int i = 0; i < FormCount; ++i) {
    const Form& form = *AllForms()[static_cast<std::size_t>(i)];
    SCOPED_TRACE(form.objectName);
    EXPECT_EQ(ProblemOf(form), "");
    EXPECT_EQ(static_cast<int>(form.id), i);
    EXPECT_TRUE(objectNames.insert(form.objectName).second);
    // Every button does something, and every focusable control is visited by Tab.
    for (const Control& c : form.controls) {
      if (c.kind != Kind::Button) continue;
      bool hasRole = false;
      for (const ButtonRole& b : form.buttons) hasRole = hasRole || b.button == c.name;
      EXPECT_TRUE(hasRole) << c.name;
    }
    std::size_t focusable = 0;
    for (const Control& c : form.controls) focusable += Focusable(c.kind) ? 1 : 0;
    EXPECT_EQ(TabOrder(form).size(), focusable);
    EXPECT_EQ(PaintOrder(form).size(), form.controls.size());
  }
}

// Rules the compile-time check must refuse: one broken copy of a good table per rule.
TEST(Forms, TheCheckRefusesABrokenTable) {
  constexpr Control Good[] = {{Kind::Frame, "Frame1", "", {0, 0, 100, 100}, "", 0},
                              {Kind::Button, "Command1", "Frame1", {0, 0, 50, 50}, "", 1}};
  constexpr Control SameName[] = {{Kind::Frame, "Frame1", "", {0, 0, 100, 100}, "", 0},
                                  {Kind::Button, "Frame1", "", {0, 0, 50, 50}, "", 1}};
  constexpr Control Outside[] = {{Kind::Frame, "Frame1", "", {0, 0, 100, 100}, "", 0},
                                 {Kind::Button, "Command1", "Frame1", {60, 0, 50, 50}, "", 1}};
  constexpr Control NoFrame[] = {{Kind::Button, "Command1", "Frame1", {0, 0, 50, 50}, "", 0}};
  constexpr Control TabGap[] = {{Kind::Frame, "Frame1", "", {0, 0, 100, 100}, "", 0},
                                {Kind::Button, "Command1", "Frame1", {0, 0, 50, 50}, "", 2}};
  constexpr ButtonRole NotAButton[] = {{"Frame1", Does::Close}};
  const auto form = [](std::span<const Control> controls, std::span<const ButtonRole> buttons = {}) {
    return Form{FormId::About, "FormX", "", 200, 200, "", controls, {}, buttons, nullptr};
  };
  const struct {
    const char* why;
    Form form;
    std::string_view problem;
  } rows[] = {
      {"a good table", form(Good), ""},
      {"names are unique", form(SameName), "two controls with one name"},
      {"a control fits its frame", form(Outside), "a control outside its container"},
      {"a container is a frame before it", form(NoFrame), "a control in something that is not a frame before it"},
      {"TabIndex is a permutation", form(TabGap), "a TabIndex out of range"},
      {"a button role names a button", form(Good, NotAButton), "a button role for something that is not a button"},
  };
  for (const auto& row : rows) EXPECT_EQ(ProblemOf(row.form), row.problem) << row.why;
}

TEST(Forms, AccessibleNamesComeFromTheLabels) {
  const struct {
    FormId form;
    std::string_view control, name, description;
  } rows[] = {
      {FormId::VerticalLoads, "Text5", "Z", ""},
      {FormId::VerticalLoads, "Text6", "柱距 J", "单位：米"},
      {FormId::VerticalLoads, "Text9", "Pmax", "单位：Kn"},
      {FormId::VerticalLoads, "Label12", "", "Dmax，单位 Kn"},
      {FormId::VerticalLoads, "Picture1", "吊车轮压位置及吊车梁支承反力影响线", ""},
      {FormId::MinWheelPressure, "Text2", "吊车总重量 G", "单位：t"},
      {FormId::MinWheelPressure, "Text4", "每端轮数 N", "单位：个"},
      {FormId::MinWheelPressure, "Text9", "吊车最小轮压 Pmin", "单位：Kn"},
      {FormId::HorizontalLoads, "Text1", "小车重 G1", "单位：t"},
      {FormId::HorizontalLoads, "Text5", "αH", ""},
      {FormId::HorizontalLoads, "Label13", "", "H1，单位 Kn"},
      {FormId::About, "Label7", "", ""},
  };
  for (const auto& row : rows) {
    const Form& form = FormOf(row.form);
    const Control* control = ControlNamed(form, row.control);
    ASSERT_NE(control, nullptr) << row.control;
    EXPECT_EQ(AccessibleName(form, *control), row.name) << row.control;
    EXPECT_EQ(AccessibleDescription(form, *control), row.description) << row.control;
  }
}

TEST(Forms, TabOrderAndPaintOrder) {
  const auto main = TabOrder(FormOf(FormId::VerticalLoads));
  EXPECT_EQ(main, (std::vector<std::string_view>{"Picture1", "Command3", "Text5", "Text6", "Text7", "Text8", "Command4",
                                                 "Command5", "Command6", "Command7", "Text9", "Text10", "Command1",
                                                 "Command2"}));
  // Command7 lies over the frame and is drawn after everything in it.
  const auto painted = PaintOrder(FormOf(FormId::VerticalLoads));
  EXPECT_EQ(painted.front()->name, "Picture1");
  EXPECT_EQ(painted.back()->name, "Command7");
}

}  // namespace
