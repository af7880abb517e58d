// Form1, the main window: vertical crane loads Dmax and Dmin on a column, under the influence-line diagram; it
// opens the other windows.
#include "forms_table.h"

namespace kelvaro::forms {
namespace {

constexpr Control Controls[] = {
    // kind            name        in        left  top   width height  caption / default text    TabIndex
    {Kind::Picture, "Picture1", "", {120, 120, 5535, 2535}, "influence_diagram.svg", 0},
    {Kind::Frame, "Frame2", "", {120, 2760, 5535, 2535}, "Dmax和Dmin计算", 1},
    {Kind::Button, "Command3", "Frame2", {120, 240, 975, 255}, "折减系数", 2},
    {Kind::Label, "Label15", "Frame2", {1200, 240, 135, 255}, "Z:", 17},
    {Kind::TextBox, "Text5", "Frame2", {1440, 240, 855, 270}, "0.9", 3},
    {Kind::Label, "Label10", "Frame2", {3240, 240, 495, 255}, "Dmax:", 10},
    {Kind::ResultLabel, "Label12", "Frame2", {3840, 240, 855, 255}, " ", 12},
    {Kind::Label, "Label31", "Frame2", {4800, 240, 255, 255}, "Kn", 24},
    {Kind::Label, "Label11", "Frame2", {3240, 600, 495, 255}, "Dmin:", 11},
    {Kind::ResultLabel, "Label13", "Frame2", {3840, 600, 855, 255}, " ", 13},
    {Kind::Label, "Label32", "Frame2", {4800, 600, 255, 255}, "Kn", 25},
    {Kind::Label, "Label25", "Frame2", {240, 720, 855, 255}, "柱    距", 18},
    {Kind::Label, "Label2", "Frame2", {1200, 720, 255, 255}, "J:", 4},
    {Kind::TextBox, "Text6", "Frame2", {1440, 720, 855, 270}, "6", 5},
    {Kind::Label, "Label26", "Frame2", {2280, 720, 255, 255}, "米", 19},
    {Kind::Label, "Label27", "Frame2", {240, 1080, 855, 255}, "吊车宽度", 20},
    {Kind::Label, "Label8", "Frame2", {1200, 1080, 255, 255}, "B:", 6},
    {Kind::TextBox, "Text7", "Frame2", {1440, 1080, 855, 270}, "", 8},
    {Kind::Label, "Label29", "Frame2", {2280, 1080, 255, 255}, "米", 22},
    {Kind::Button, "Command2", "Frame2", {3360, 1320, 1935, 300}, "吊车横向水平刹车力", 34},
    {Kind::Label, "Label28", "Frame2", {240, 1440, 735, 255}, "大车轮距", 21},
    {Kind::Label, "Label9", "Frame2", {1200, 1440, 255, 255}, "W:", 7},
    {Kind::TextBox, "Text8", "Frame2", {1440, 1440, 855, 270}, "", 9},
    {Kind::Label, "Label30", "Frame2", {2280, 1440, 255, 255}, "米", 23},
    {Kind::Button, "Command1", "Frame2", {3600, 1680, 1695, 300}, "关于本程序", 33},
    {Kind::Label, "Label1", "Frame2", {960, 1800, 495, 255}, "Pmax:", 27},
    {Kind::TextBox, "Text9", "Frame2", {1440, 1800, 855, 270}, "", 28},
    {Kind::Label, "Label4", "Frame2", {2400, 1800, 255, 255}, "Kn", 31},
    {Kind::Label, "Label3", "Frame2", {960, 2160, 495, 255}, "Pmin:", 30},
    {Kind::TextBox, "Text10", "Frame2", {1440, 2160, 855, 270}, "", 29},
    {Kind::Label, "Label5", "Frame2", {2400, 2160, 255, 255}, "Kn", 32},
    {Kind::Button, "Command4", "Frame2", {2760, 2160, 855, 300}, "计算", 14},
    {Kind::Button, "Command5", "Frame2", {3600, 2160, 855, 300}, "清空", 15},
    {Kind::Button, "Command6", "Frame2", {4440, 2160, 855, 300}, "退出", 16},
    {Kind::Button, "Command7", "", {3480, 3720, 1935, 300}, "吊车最小轮压计算", 26},
};

constexpr ControlNote Notes[] = {
    {.control = "Picture1", .accessibleName = "吊车轮压位置及吊车梁支承反力影响线"},
    // Belongs to the window, not the frame, yet lies over the frame: it must be drawn in front of it.
    {.control = "Command7", .raised = true},
};

constexpr ButtonRole Buttons[] = {
    {"Command4", Does::Calculate},
    {"Command5", Does::Clear},
    {"Command6", Does::Close},
    {"Command3", Does::Open, FormId::CoefficientTable},
    {"Command7", Does::Open, FormId::MinWheelPressure},
    {"Command2", Does::Open, FormId::HorizontalLoads},
    {"Command1", Does::Open, FormId::About},
};

constexpr Field Fields[] = {
    {"Text5", "", "Label15", "", Input::Z},
    {"Text6", "Label25", "Label2", "Label26", Input::J},
    {"Text7", "Label27", "Label8", "Label29", Input::B},
    {"Text8", "Label28", "Label9", "Label30", Input::W},
    {"Text9", "", "Label1", "Label4", Input::Pmax},
    {"Text10", "", "Label3", "Label5", Input::Pmin},
};
constexpr std::string_view CheckOrder[] = {"Text5", "Text6", "Text7", "Text8", "Text9", "Text10"};
constexpr std::string_view ClearList[] = {"Text5", "Text6", "Text7", "Text8", "Text9", "Text10"};
constexpr ResultField Results[] = {
    {"Label12", "", "Label10", "Label31", ResultId::Dmax},
    {"Label13", "", "Label11", "Label32", ResultId::Dmin},
};
constexpr Typed Example[] = {{"Text7", "5.5"}, {"Text8", "4.4"}, {"Text9", "100"}, {"Text10", "30"}};

constexpr Calculator Calc{Calculation::VerticalLoads, Fields, CheckOrder, ClearList, Results, Example};

}  // namespace

constexpr Form VerticalLoadsForm{FormId::VerticalLoads,
                                 "Form1",
                                 "吊车Dmax和Dmin计算",
                                 5790,
                                 5430,
                                 "icons/main_window.svg",
                                 Controls,
                                 Notes,
                                 Buttons,
                                 &Calc};
static_assert(Consistent(VerticalLoadsForm));
const Form& VerticalLoadsWindow() { return VerticalLoadsForm; }

}  // namespace kelvaro::forms
