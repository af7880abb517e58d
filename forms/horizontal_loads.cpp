// Form5: the transverse horizontal load of one crane H and the braking force on the column H1.
#include "forms_table.h"

namespace kelvaro::forms {
namespace {

constexpr Control Controls[] = {
    // kind            name       in        left  top  width height  caption / default text  TabIndex
    {Kind::Frame, "Frame2", "", {120, 120, 6975, 2535}, "吊车横向水平刹车力", 0},
    {Kind::Button, "Command3", "Frame2", {240, 240, 975, 255}, "系数", 8},
    {Kind::Label, "Label15", "Frame2", {1320, 240, 375, 255}, "αH:", 17},
    {Kind::TextBox, "Text5", "Frame2", {1680, 240, 855, 270}, "0.12", 7},
    {Kind::Button, "Command1", "Frame2", {3120, 240, 1215, 255}, "折减系数", 35},
    {Kind::Label, "Label4", "Frame2", {4440, 240, 255, 255}, "Z:", 36},
    {Kind::TextBox, "Text3", "Frame2", {4680, 240, 735, 270}, "0.9", 37},
    {Kind::Label, "Label6", "Frame2", {240, 600, 975, 255}, "小  车  重", 25},
    {Kind::Label, "Label7", "Frame2", {1320, 600, 255, 255}, "G1：", 26},
    {Kind::TextBox, "Text1", "Frame2", {1680, 600, 855, 270}, "", 27},
    {Kind::Label, "Label17", "Frame2", {2640, 600, 255, 255}, "t", 31},
    {Kind::Label, "Label5", "Frame2", {3120, 600, 1335, 255}, "所有吊车轮总数", 38},
    {Kind::Label, "Label19", "Frame2", {4440, 600, 255, 255}, "N:", 39},
    {Kind::TextBox, "Text4", "Frame2", {4680, 600, 735, 270}, "4", 40},
    {Kind::Label, "Label20", "Frame2", {5520, 600, 255, 255}, "个", 41},
    {Kind::Label, "Label14", "Frame2", {240, 960, 1335, 255}, "吊车额定起重量", 28},
    {Kind::Label, "Label16", "Frame2", {1560, 960, 255, 255}, "Q：", 29},
    {Kind::TextBox, "Text2", "Frame2", {1800, 960, 735, 270}, "", 30},
    {Kind::Label, "Label18", "Frame2", {2640, 960, 255, 255}, "t", 32},
    {Kind::Label, "Label3", "Frame2", {3000, 1080, 1815, 255}, "正反两个方向的刹车力", 34},
    {Kind::Label, "Label11", "Frame2", {5040, 1080, 255, 255}, "H1:", 20},
    {Kind::ResultLabel, "Label13", "Frame2", {5400, 1080, 855, 255}, " ", 18},
    {Kind::Label, "Label32", "Frame2", {6360, 1100, 255, 255}, "Kn", 9},
    {Kind::Label, "Label25", "Frame2", {240, 1320, 855, 255}, "柱    距", 16},
    {Kind::Label, "Label2", "Frame2", {1320, 1320, 255, 255}, "J:", 24},
    {Kind::TextBox, "Text6", "Frame2", {1680, 1320, 855, 270}, "6", 6},
    {Kind::Label, "Label26", "Frame2", {2640, 1320, 255, 255}, "米", 15},
    {Kind::Label, "Label1", "Frame2", {3000, 1440, 2055, 255}, "每台吊车的横向水平荷载", 33},
    {Kind::Label, "Label10", "Frame2", {5160, 1440, 255, 255}, "H:", 21},
    {Kind::ResultLabel, "Label12", "Frame2", {5400, 1440, 855, 255}, " ", 19},
    {Kind::Label, "Label31", "Frame2", {6360, 1460, 255, 255}, "Kn", 10},
    {Kind::Label, "Label27", "Frame2", {240, 1680, 855, 255}, "吊车宽度", 14},
    {Kind::Label, "Label8", "Frame2", {1320, 1680, 255, 255}, "B:", 23},
    {Kind::TextBox, "Text7", "Frame2", {1680, 1680, 855, 270}, "", 5},
    {Kind::Label, "Label29", "Frame2", {2640, 1680, 255, 255}, "米", 12},
    {Kind::Label, "Label28", "Frame2", {240, 2040, 735, 255}, "大车轮距", 13},
    {Kind::Label, "Label9", "Frame2", {1320, 2040, 255, 255}, "W:", 22},
    {Kind::TextBox, "Text8", "Frame2", {1680, 2040, 855, 270}, "", 4},
    {Kind::Label, "Label30", "Frame2", {2640, 2040, 255, 255}, "米", 11},
    {Kind::Button, "Command4", "Frame2", {3960, 2040, 855, 300}, "计算", 3},
    {Kind::Button, "Command5", "Frame2", {4800, 2040, 855, 300}, "清空", 2},
    {Kind::Button, "Command6", "Frame2", {5640, 2040, 855, 300}, "退出", 1},
};

constexpr ButtonRole Buttons[] = {
    {"Command4", Does::Calculate},
    {"Command5", Does::Clear},
    {"Command6", Does::Close},
    {"Command3", Does::Open, FormId::AlphaCoefficient},
    {"Command1", Does::Open, FormId::CoefficientTable},
};

constexpr Field Fields[] = {
    {"Text5", "", "Label15", "", Input::AlphaH},          {"Text3", "", "Label4", "", Input::Z},
    {"Text1", "Label6", "Label7", "Label17", Input::G1},  {"Text4", "Label5", "Label19", "Label20", Input::N},
    {"Text2", "Label14", "Label16", "Label18", Input::Q}, {"Text6", "Label25", "Label2", "Label26", Input::J},
    {"Text7", "Label27", "Label8", "Label29", Input::B},  {"Text8", "Label28", "Label9", "Label30", Input::W},
};
constexpr std::string_view CheckOrder[] = {"Text5", "Text6", "Text7", "Text8", "Text1", "Text2", "Text3", "Text4"};
constexpr std::string_view ClearList[] = {"Text5", "Text6", "Text7", "Text8", "Text1", "Text2", "Text3", "Text4"};
constexpr ResultField Results[] = {
    {"Label12", "", "Label10", "Label31", ResultId::H},
    {"Label13", "", "Label11", "Label32", ResultId::H1},
};
constexpr Typed Example[] = {{"Text1", "3.5"}, {"Text2", "10"}, {"Text7", "5.5"}, {"Text8", "4.4"}};

constexpr Calculator Calc{Calculation::HorizontalLoads, Fields, CheckOrder, ClearList, Results, Example};

}  // namespace

constexpr Form HorizontalLoadsForm{FormId::HorizontalLoads,
                                   "Form5",
                                   "吊车横向水平刹车力",
                                   7230,
                                   2805,
                                   "icons/horizontal_load_window.svg",
                                   Controls,
                                   {},
                                   Buttons,
                                   &Calc};
static_assert(Consistent(HorizontalLoadsForm));
const Form& HorizontalLoadsWindow() { return HorizontalLoadsForm; }

}  // namespace kelvaro::forms
