// Form3: a crane's minimum wheel pressure Pmin from Pmax, the crane's total weight G, its rated load Q and the
// number of wheels at each end N. The result is shown in a text box.
#include "forms_table.h"

namespace kelvaro::forms {
namespace {

constexpr Control Controls[] = {
    // kind            name       in        left  top  width height  caption / default text  TabIndex
    {Kind::Frame, "Frame1", "", {120, 120, 3135, 3015}, "吊车最小轮压计算", 0},
    {Kind::Label, "Label19", "Frame1", {120, 360, 1215, 255}, "吊车最大轮压", 9},
    {Kind::Label, "Label1", "Frame1", {1320, 360, 495, 255}, "Pmax:", 22},
    {Kind::TextBox, "Text1", "Frame1", {1800, 360, 855, 270}, "", 7},
    {Kind::Label, "Label16", "Frame1", {2760, 360, 255, 255}, "Kn", 16},
    {Kind::Label, "Label17", "Frame1", {120, 720, 1335, 255}, "吊 车 总 重 量", 15},
    {Kind::Label, "Label3", "Frame1", {1560, 720, 255, 255}, "G:", 21},
    {Kind::TextBox, "Text2", "Frame1", {1800, 720, 855, 270}, "", 6},
    {Kind::Label, "Label18", "Frame1", {2760, 720, 255, 255}, "t", 14},
    {Kind::Label, "Label20", "Frame1", {120, 1080, 1335, 255}, "吊车额定起重量", 13},
    {Kind::Label, "Label4", "Frame1", {1560, 1080, 135, 255}, "Q:", 20},
    {Kind::TextBox, "Text3", "Frame1", {1800, 1080, 855, 270}, "", 5},
    {Kind::Label, "Label21", "Frame1", {2760, 1080, 255, 255}, "t", 12},
    {Kind::Label, "Label5", "Frame1", {120, 1560, 1215, 255}, "每 端 轮 数", 19},
    {Kind::Label, "Label14", "Frame1", {1560, 1560, 255, 255}, "N:", 17},
    {Kind::TextBox, "Text4", "Frame1", {1800, 1560, 855, 270}, "2", 4},
    {Kind::Label, "Label22", "Frame1", {2760, 1560, 255, 255}, "个", 11},
    {Kind::Label, "Label24", "Frame1", {120, 2160, 1095, 255}, "吊车最小轮压", 8},
    {Kind::Label, "Label6", "Frame1", {1320, 2160, 495, 255}, "Pmin:", 18},
    {Kind::TextBox, "Text9", "Frame1", {1800, 2160, 855, 270}, "", 1},
    {Kind::Label, "Label23", "Frame1", {2760, 2160, 255, 255}, "Kn", 10},
    {Kind::Button, "Command1", "Frame1", {720, 2520, 855, 300}, "计算", 3},
    {Kind::Button, "Command2", "Frame1", {1560, 2520, 735, 300}, "清空", 2},
    {Kind::Button, "Command3", "Frame1", {2280, 2520, 735, 300}, "退出", 23},
};

constexpr ButtonRole Buttons[] = {
    {"Command1", Does::Calculate},
    {"Command2", Does::Clear},
    {"Command3", Does::Close},
};

constexpr Field Fields[] = {
    {"Text1", "Label19", "Label1", "Label16", Input::Pmax},
    {"Text2", "Label17", "Label3", "Label18", Input::G},
    {"Text3", "Label20", "Label4", "Label21", Input::Q},
    {"Text4", "Label5", "Label14", "Label22", Input::N},
};
constexpr std::string_view CheckOrder[] = {"Text1", "Text2", "Text3", "Text4"};
// The result box is cleared with the inputs.
constexpr std::string_view ClearList[] = {"Text1", "Text2", "Text3", "Text4", "Text9"};
constexpr ResultField Results[] = {{"Text9", "Label24", "Label6", "Label23", ResultId::Pmin}};
constexpr Typed Example[] = {{"Text1", "100"}, {"Text2", "20"}, {"Text3", "10"}};

constexpr Calculator Calc{Calculation::MinWheelPressure, Fields, CheckOrder, ClearList, Results, Example};

}  // namespace

constexpr Form MinWheelPressureForm{FormId::MinWheelPressure,
                                    "Form3",
                                    "吊车最小轮压计算",
                                    3345,
                                    3240,
                                    "icons/min_wheel_window.svg",
                                    Controls,
                                    {},
                                    Buttons,
                                    &Calc};
static_assert(Consistent(MinWheelPressureForm));
const Form& MinWheelPressureWindow() { return MinWheelPressureForm; }

}  // namespace kelvaro::forms
