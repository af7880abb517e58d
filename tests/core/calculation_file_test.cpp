// Calculation files: the format as a table of files and what opening each gives, and the round trip of any texts.
#include "calculation_file.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kelvaro::test {
namespace {

using enum FileFault;

// A file of one kind with the given inputs (a JSON object's members), and the rest as the writer puts it.
std::string File(std::string_view calculation, std::string_view inputs, std::string_view more = "") {
  return R"({"format": "kelvaro-calculation", "version": 1, "calculation": ")" + std::string(calculation) +
         R"(", "inputs": {)" + std::string(inputs) + "}" + std::string(more) + "}";
}
const std::string Vertical = R"("Z": "0.9", "J": "6", "B": "5.5", "W": "4.4", "Pmax": "100", "Pmin": "30")";
const std::string Crane =
    R"({"name": "吊车1", "Pmax": "100", "Pmin": "30", "B": "5.5", "wheelsPerSide": "2", "spacings": "4.4",
        "endDistance": "", "duty": "A1-A5", "alphaH": "", "Q": "10", "Q1": "", "brakingWheels": ""})";
const std::string Arrangement = R"("J1": "6", "J2": "6", "order": "free", "maxOnRail": "2", "otherSpanCranes": "0")";

struct Good {
  std::string name, file;
  std::string_view kind;
  std::vector<std::pair<Input, std::string_view>> texts;  // for a form's kind
};

TEST(CalculationFile, GoodFilesOfEachKindOpen) {
  const std::vector<Good> rows = {
      {"vertical", File("VerticalLoads", Vertical), "VerticalLoads", {{Input::Z, "0.9"}, {Input::Pmin, "30"}}},
      {"min wheel",
       File("MinWheelPressure", R"("Pmax": "100", "G": "20", "Q": "10", "N": "2")"),
       "MinWheelPressure",
       {{Input::N, "2"}, {Input::G, "20"}}},
      {"horizontal, texts as typed",
       File("HorizontalLoads",
            R"("G1": "3,5", "Q": " 10", "AlphaH": "0.12", "Z": "", "N": "4", "J": "6", "B": "5.5", "W": "四")"),
       "HorizontalLoads",
       {{Input::G1, "3,5"}, {Input::Q, " 10"}, {Input::Z, ""}, {Input::W, "四"}}},
      {"notes and results",
       File("VerticalLoads", Vertical,
            R"(, "program": "Kelvaro 1.0", "saved": "2024-05-01", "results": {"Dmax": "1"})"),
       "VerticalLoads",
       {{Input::J, "6"}}},
      {"escapes",
       File("MinWheelPressure", R"("Pmax": "\"\\\u0000\u00e9", "G": "\t", "Q": "", "N": "\ud83d\ude00")"),
       "MinWheelPressure",
       {{Input::Pmax, std::string_view("\"\\\0\xC3\xA9", 5)}, {Input::N, "😀"}}},
      {"byte order mark", "\xEF\xBB\xBF" + File("VerticalLoads", Vertical), "VerticalLoads", {}},
      {"one crane", File("CraneArrangement", Arrangement + R"(, "cranes": [)" + Crane + "]"), "CraneArrangement", {}},
  };
  for (const Good& row : rows) {
    SCOPED_TRACE(row.name);
    const auto opened = ReadCalculationFile(row.file, "a.kelvaro");
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_EQ(KindName(*opened), row.kind);
    for (const auto& [input, text] : row.texts) {
      EXPECT_EQ(std::get<FieldTexts>(*opened).texts[static_cast<std::size_t>(input)], text) << SymbolOf(input);
    }
  }
}

TEST(CalculationFile, ArrangementKeepsEveryCrane) {
  const auto opened = ReadCalculationFile(
      File("CraneArrangement", Arrangement + R"(, "cranes": [)" + Crane + "," + Crane + "," + Crane + "]"), "c");
  ASSERT_TRUE(opened) << opened.error().message;
  const auto& a = std::get<CraneArrangementTexts>(*opened);
  EXPECT_EQ(a.J1, "6");
  EXPECT_EQ(a.order, "free");
  ASSERT_EQ(a.cranes.size(), 3u);
  EXPECT_EQ(a.cranes[2].name, "吊车1");
  EXPECT_EQ(a.cranes[2].duty, "A1-A5");
}

struct Bad {
  std::string name, file;
  FileFault fault;
  std::string message;  // after "无法打开“x.kelvaro”："
};

TEST(CalculationFile, EveryBadFileIsRefusedWithItsMessage) {
  const std::string vertical = File("VerticalLoads", Vertical);
  const std::vector<Bad> rows = {
      {"empty", "", Empty, "文件是空的。"},
      {"blank", " \n\t", Empty, "文件是空的。"},
      {"not JSON", "Z=0.9\nJ=6\n", NotJson, "文件不是 JSON 格式，不是 Kelvaro 的计算文件。"},
      {"truncated", vertical.substr(0, vertical.size() / 2), Truncated, "文件不完整，像是保存或传送时被截断了。"},
      {"truncated in a string", vertical.substr(0, 20), Truncated, "文件不完整，像是保存或传送时被截断了。"},
      {"NUL byte", vertical + std::string(1, '\0'), NulByte, "文件含有 NUL 字节，不是文本文件。"},
      {"deep nesting", std::string(9, '[') + std::string(9, ']'), TooDeep, "对象和数组嵌套超过 8 层，不是计算文件。"},
      {"deep nesting, unclosed", std::string(100000, '['), TooDeep, "对象和数组嵌套超过 8 层，不是计算文件。"},
      {"another format", R"({"format": "other", "version": 1})", OtherFormat,
       "这不是 Kelvaro 的计算文件（没有 \"format\": \"kelvaro-calculation\"）。"},
      {"an array", "[1, 2]", OtherFormat, "这不是 Kelvaro 的计算文件（没有 \"format\": \"kelvaro-calculation\"）。"},
      {"newer version", R"({"format": "kelvaro-calculation", "version": 2, "calculation": "X", "more": 1})",
       NewerVersion, "这是第 2 版的计算文件，需要能读第 2 版文件的 Kelvaro；此版本只能读第 1 版。"},
      {"version as text", R"({"format": "kelvaro-calculation", "version": "1"})", BadVersion,
       "“version”应为正整数，文件中是文本。"},
      {"version zero", R"({"format": "kelvaro-calculation", "version": 0})", BadVersion,
       "“version”应为正整数，文件中是0。"},
      {"no version", R"({"format": "kelvaro-calculation"})", MissingKey, "文件顶层缺少“version”。"},
      {"unknown calculation", File("Wind", ""), UnknownCalculation,
       "不认识的计算“Wind”；能打开的有 VerticalLoads、MinWheelPressure、HorizontalLoads、CraneArrangement。"},
      {"input a number",
       File("VerticalLoads", R"("Z": 0.9, "J": "6", "B": "5.5", "W": "4.4", "Pmax": "1", "Pmin": "3")"), WrongType,
       "“inputs”中的“Z”应为文本（带引号），文件中是数字。"},
      {"input null", File("MinWheelPressure", R"("Pmax": null, "G": "20", "Q": "10", "N": "2")"), WrongType,
       "“inputs”中的“Pmax”应为文本（带引号），文件中是null。"},
      {"inputs an array", File("VerticalLoads", "").replace(File("VerticalLoads", "").find("{}"), 2, "[]"), WrongType,
       "“inputs”应为对象，文件中是数组。"},
      {"unknown input", File("VerticalLoads", Vertical + R"(, "G": "20")"), UnknownKey, "“inputs”中有不认识的键“G”。"},
      {"symbol, not name", File("HorizontalLoads", R"("αH": "0.12")"), UnknownKey, "“inputs”中有不认识的键“αH”。"},
      {"unknown top key", File("VerticalLoads", Vertical, R"(, "author": "x")"), UnknownKey,
       "文件顶层有不认识的键“author”。"},
      {"missing input", File("MinWheelPressure", R"("Pmax": "100", "G": "20", "Q": "10")"), MissingKey,
       "“inputs”中缺少“N”。"},
      {"no inputs", R"({"format": "kelvaro-calculation", "version": 1, "calculation": "VerticalLoads"})", MissingKey,
       "文件顶层缺少“inputs”。"},
      {"duplicate key", File("MinWheelPressure", R"("Pmax": "100", "Pmax": "1", "G": "20", "Q": "10", "N": "2")"),
       DuplicateKey, "键“Pmax”出现了不止一次。"},
      {"too long",
       File("MinWheelPressure", R"("Pmax": ")" + std::string(2049, '1') + R"(", "G": "", "Q": "", "N": "")"), TooLong,
       "“inputs”中的“Pmax”有 2049 个字符，一个输入框最多容纳 2048 个。"},
      {"invalid UTF-8", File("MinWheelPressure", "\"Pmax\": \"\xC3\x28\", \"G\": \"\", \"Q\": \"\", \"N\": \"\""),
       NotJson, "文件不是 JSON 格式，不是 Kelvaro 的计算文件。"},
      {"no cranes", File("CraneArrangement", Arrangement + R"(, "cranes": [])"), CraneCount,
       "“cranes”应有 1 到 4 台吊车，文件中有 0 台。"},
      {"five cranes",
       File("CraneArrangement",
            Arrangement + R"(, "cranes": [)" + Crane + "," + Crane + "," + Crane + "," + Crane + "," + Crane + "]"),
       CraneCount, "“cranes”应有 1 到 4 台吊车，文件中有 5 台。"},
      {"crane not an object", File("CraneArrangement", Arrangement + R"(, "cranes": ["x"])"), WrongType,
       "第 1 台吊车（“cranes”）应为对象，文件中是文本。"},
      {"crane with an unknown key",
       File("CraneArrangement",
            Arrangement + R"(, "cranes": [)" + Crane + "," + Crane.substr(0, Crane.size() - 1) + R"(, "speed": "1"}])"),
       UnknownKey, "第 2 台吊车（“cranes”）中有不认识的键“speed”。"},
      {"result not a text", File("VerticalLoads", Vertical, R"(, "results": {"Dmax": 1})"), WrongType,
       "“results”中的“Dmax”应为文本（带引号），文件中是数字。"},
  };
  for (const Bad& row : rows) {
    SCOPED_TRACE(row.name);
    const auto opened = ReadCalculationFile(row.file, "x.kelvaro");
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().fault, row.fault);
    EXPECT_EQ(opened.error().message, "无法打开“x.kelvaro”：" + row.message);
  }
}

TEST(CalculationFile, SizeIsCheckedBeforeAnythingElse) {
  const auto opened = ReadCalculationFile(std::string(MaxFileBytes + 1, '\0'), "big.kelvaro");
  ASSERT_FALSE(opened);
  EXPECT_EQ(opened.error().message,
            "无法打开“big.kelvaro”：文件有 1048577 字节，太大了；计算文件最多 1048576 字节（1 MiB）。");
}

TEST(CalculationFile, MessagesQuoteTheFileNameSafely) {
  const auto opened = ReadCalculationFile("", "a\u202Eb\nc.kelvaro");
  ASSERT_FALSE(opened);
  EXPECT_EQ(opened.error().message, "无法打开“a\uFFFDb\uFFFDc.kelvaro”：文件是空的。");
  EXPECT_EQ(FileMessage(FileFault::SaveFailed, "d.kelvaro", 0, "No space left on device"),
            "无法保存“d.kelvaro”：写入失败（No space left on device）。原来的文件保持原样。");
}

// The writer refuses what the reader would refuse, so that every file saved opens again.
TEST(CalculationFile, WriterRefusesWhatCouldNotBeOpened) {
  FieldTexts tooLong{Calculation::MinWheelPressure};
  tooLong.texts[static_cast<std::size_t>(Input::N)] = std::string(MaxTextLength + 1, 'x');
  auto written = WriteCalculationFile(tooLong, "n.kelvaro");
  ASSERT_FALSE(written);
  EXPECT_EQ(written.error().message, "无法保存“n.kelvaro”：“N”有 2049 个字符，一个输入框最多容纳 2048 个。");
  FieldTexts broken{Calculation::MinWheelPressure};
  broken.texts[static_cast<std::size_t>(Input::G)] = "\xFF";
  EXPECT_EQ(WriteCalculationFile(broken, "g").error().fault, NotUtf8);
  EXPECT_EQ(WriteCalculationFile(CraneArrangementTexts{}, "none").error().fault, CraneCount);
}

// Any texts, saved and opened again, are the same texts; the largest file the writer can make still opens.
std::string RandomText(std::mt19937& random, std::size_t longest) {
  static constexpr char32_t Pool[] = {U'0',      U'9',  U'.',  U',',  U'-',      U'e',          U' ',      U'"',
                                      U'\\',     U'/',  U'\0', U'\t', U'\n',     U'\x7F',       U'\u0085', U'\u202E',
                                      U'\u2028', U'吊', U'车', U'α',  U'\uFFFD', U'\U0001F600', U'\uFEFF'};
  std::string text;
  const std::size_t length = std::uniform_int_distribution<std::size_t>(0, longest)(random);
  // Counted as fields count: a character beyond U+FFFF takes two of the `length` units.
  for (std::size_t units = 0; units < length;) {
    const char32_t cp = Pool[std::uniform_int_distribution<std::size_t>(0, std::size(Pool) - 1)(random)];
    units += cp > 0xFFFF ? 2 : 1;
    if (units <= length) AppendUtf8(text, cp);
  }
  return text;
}

TEST(CalculationFile, AnyTextsRoundTrip) {
  std::mt19937 random(20240501);
  for (int round = 0; round < 300; ++round) {
    const std::size_t longest = round % 50 == 0 ? MaxTextLength : 12;
    FieldTexts fields{static_cast<Calculation>(round % CalculationCount)};
    for (const Input input : InputsOf(fields.calculation)) {
      fields.texts[static_cast<std::size_t>(input)] = RandomText(random, longest);
    }
    CraneArrangementTexts arrangement;
    for (const auto& [key, member] : ArrangementTextNames) arrangement.*member = RandomText(random, longest);
    arrangement.cranes.resize(1 + round % MaxCranes);
    for (CraneTexts& crane : arrangement.cranes) {
      for (const auto& [key, member] : CraneTextNames) crane.*member = RandomText(random, longest);
    }
    for (const CalculationTexts& texts : {CalculationTexts(fields), CalculationTexts(arrangement)}) {
      const auto written = WriteCalculationFile(texts, "r", {"Kelvaro", "2024-05-01", {{"Dmax", "1"}}});
      ASSERT_TRUE(written) << written.error().message;
      const auto opened = ReadCalculationFile(*written, "r");
      ASSERT_TRUE(opened) << opened.error().message << "\n" << *written;
      if (const auto* f = std::get_if<FieldTexts>(&*opened)) {
        EXPECT_EQ(f->calculation, fields.calculation);
        EXPECT_EQ(f->texts, fields.texts);
      } else {
        const auto& a = std::get<CraneArrangementTexts>(*opened);
        EXPECT_EQ(a.J1, arrangement.J1);
        EXPECT_EQ(a.otherSpanCranes, arrangement.otherSpanCranes);
        ASSERT_EQ(a.cranes.size(), arrangement.cranes.size());
        for (std::size_t i = 0; i < a.cranes.size(); ++i) {
          for (const auto& [key, member] : CraneTextNames)
            EXPECT_EQ(a.cranes[i].*member, arrangement.cranes[i].*member);
        }
      }
    }
  }
}

// The worst case the size limit was chosen for: four cranes, every text as long and as escaped as it may be.
TEST(CalculationFile, LargestWritableFileOpens) {
  const std::string worst(MaxTextLength, '\x01');
  CraneArrangementTexts arrangement;
  for (const auto& [key, member] : ArrangementTextNames) arrangement.*member = worst;
  arrangement.cranes.resize(MaxCranes);
  for (CraneTexts& crane : arrangement.cranes) {
    for (const auto& [key, member] : CraneTextNames) crane.*member = worst;
  }
  const auto written = WriteCalculationFile(arrangement, "w", {"Kelvaro", "2024-05-01", {}});
  ASSERT_TRUE(written);
  EXPECT_LE(written->size(), MaxFileBytes);
  EXPECT_TRUE(ReadCalculationFile(*written, "w"));
}

}  // namespace
}  // namespace kelvaro::test
