// The windows that compute nothing: the reduction coefficient table (Form2), the About window (Form4) and the
// note on αH (Form6).
#include "forms_table.h"

namespace kelvaro::forms {
namespace {

constexpr Control TableControls[] = {
    // kind            name        in  left top  width height  picture                  TabIndex
    {Kind::Picture, "Picture1", "", {0, 0, 5655, 2415}, "coefficient_table.svg", 0},
};
// A screen reader cannot read the picture: it reads the table instead.
constexpr ControlNote TableNotes[] = {
    {.control = "Picture1",
     .accessibleName = "表4-2 多台吊车竖向和水平荷载折减系数",
     .accessibleDescription = "按参与组合的吊车台数和吊车工作级别取值。"
                              "2台：A1~A5 为 0.9，A6~A8 为 0.95；"
                              "3台：A1~A5 为 0.85，A6~A8 为 0.90；"
                              "4台：A1~A5 为 0.8，A6~A8 为 0.85。"},
};

// One text broken at fixed places, even inside a word: each label holds exactly its piece.
constexpr Control AboutControls[] = {
    // kind          name       in  left  top   width height  caption                                   TabIndex
    {Kind::Label, "Label7", "", {840, 120, 3015, 375}, "Kelvaro", 6},
    {Kind::Label, "Label1", "", {120, 600, 4575, 255}, "本程序为Kelvaro的程序，同时可以", 0},
    {Kind::Label, "Label2", "", {120, 960, 4455, 255}, "计算最小轮压和吊车横向水平刹车力。各个程序之间彼", 1},
    {Kind::Label, "Label8", "", {120, 1320, 4335, 255}, "此独立存在，在运算时互不影响，因此，允许多个程序", 8},
    {Kind::Label, "Label3", "", {120, 1680, 4455, 255}, "同时运行。", 2},
    {Kind::Label, "Label4", "", {2160, 2040, 1695, 255}, "开发者：Kelvaro 开发组", 3},
    {Kind::Label, "Label5", "", {2160, 2280, 1695, 255}, "版本：2007-06-28", 4},
    {Kind::Label, "Label6", "", {2160, 2520, 1575, 255}, "QQ：—", 5},
    {Kind::Button, "Command1", "", {3600, 2640, 975, 300}, "OK", 7},
};
// The title's Kai face goes by different names on different systems; the first one installed is taken.
constexpr std::string_view KaiFaces[] = {"楷体_GB2312", "KaiTi_GB2312",  "楷体",           "KaiTi",
                                         "STKaiti",     "AR PL UKai CN", "AR PL KaitiM GB"};
constexpr Font TitleFont{KaiFaces, 14.25, true};
constexpr ControlNote AboutNotes[] = {{.control = "Label7", .font = &TitleFont}};
constexpr ButtonRole AboutButtons[] = {{"Command1", Does::Close}};

constexpr Control AlphaControls[] = {
    // kind          name       in  left  top   width height  caption                                        TabIndex
    {Kind::Label, "Label1", "", {240, 240, 4095, 255}, "αH——系数", 0},
    {Kind::Label, "Label5", "", {240, 600, 4335, 255}, "对软钩吊车：当额定起重量不大于10t时，应取0.12；", 4},
    {Kind::Label, "Label2", "", {1320, 960, 2895, 255}, "当额定起重量为16-50t，应取0.10；", 1},
    {Kind::Label, "Label3", "", {1320, 1320, 3255, 255}, "当额定起重量不小于75t时，应取0.08。", 2},
    {Kind::Label, "Label4", "", {240, 1680, 2535, 255}, "对硬钩吊车：应取0.20；", 3},
    {Kind::Button, "Command1", "", {3240, 2040, 1095, 300}, "*明白了*", 5},
};
constexpr ButtonRole AlphaButtons[] = {{"Command1", Does::Close}};

}  // namespace

constexpr Form CoefficientTableForm{FormId::CoefficientTable,
                                    "Form2",
                                    "折减系数",
                                    5685,
                                    2415,
                                    "icons/coefficient_table_window.svg",
                                    TableControls,
                                    TableNotes,
                                    {},
                                    nullptr};
constexpr Form AboutForm{FormId::About, "Form4",    "关于Kelvaro", 4680,   3090, "icons/about_window.svg",
                         AboutControls, AboutNotes, AboutButtons,  nullptr};
constexpr Form AlphaCoefficientForm{FormId::AlphaCoefficient,
                                    "Form6",
                                    "αH系数",
                                    4560,
                                    2445,
                                    "icons/alpha_coefficient_window.svg",
                                    AlphaControls,
                                    {},
                                    AlphaButtons,
                                    nullptr};
static_assert(Consistent(CoefficientTableForm));
static_assert(Consistent(AboutForm));
static_assert(Consistent(AlphaCoefficientForm));

const Form& CoefficientTableWindow() { return CoefficientTableForm; }
const Form& AboutWindow() { return AboutForm; }
const Form& AlphaCoefficientWindow() { return AlphaCoefficientForm; }

}  // namespace kelvaro::forms
