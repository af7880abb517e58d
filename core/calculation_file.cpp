// The reader: cheap checks of the raw text first (size, NUL bytes, nesting), then the JSON library without
// exceptions, then every key and type of the format. Nothing reaches a window unless the whole file passed.
#include "calculation_file.h"
#include "calculation_file_keys.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <set>

namespace kelvaro {
namespace {

using Json = nlohmann::ordered_json;
using Failure = std::unexpected<FileError>;

struct Scan {
  bool blank = true;
  bool nul = false;
  bool tooDeep = false;
  bool unclosed = false;  // ends inside a string, an object or an array
};

// One pass over the bytes, so that nesting is bounded before the parser recurses into it.
Scan PreScan(std::string_view text) {
  Scan scan;
  int depth = 0;
  bool inString = false, escaped = false;
  for (const char c : text) {
    if (c == '\0') {
      scan.nul = true;
      return scan;
    }
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') scan.blank = false;
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > MaxNesting) {
        scan.tooDeep = true;
        return scan;
      }
    } else if ((c == '}' || c == ']') && depth > 0) {
      --depth;
    }
  }
  scan.unclosed = inString || depth > 0;
  return scan;
}

std::string_view TypeName(const Json& value) {
  if (value.is_object()) return "对象";
  if (value.is_array()) return "数组";
  if (value.is_string()) return "文本";
  if (value.is_boolean()) return "true 或 false";
  if (value.is_null()) return "null";
  return "数字";
}

std::string Quoted(std::string_view text) { return "“" + QuoteFieldText(text) + "”"; }

// Checks one JSON object against the keys it may and must have; words each failure for the file and the place.
class Reader {
 public:
  explicit Reader(std::string_view file) : file_(file) {}

  Failure fail(FileFault fault, std::string_view what) const {
    return Failure(FileError{fault, "无法打开“" + QuoteFileName(file_) + "”：" + std::string(what)});
  }

  // `place` says where, as a message puts it: "“inputs”中".
  std::optional<FileError> onlyKeys(const Json& object, std::span<const std::string_view> allowed,
                                    std::string_view place) const {
    for (const auto& [key, value] : object.items()) {
      if (std::ranges::find(allowed, key) == allowed.end()) {
        return fail(FileFault::UnknownKey, std::string(place) + "有不认识的键" + Quoted(key) + "。").error();
      }
    }
    return std::nullopt;
  }

  std::expected<const Json*, FileError> member(const Json& object, std::string_view key, std::string_view place) const {
    const auto found = object.find(std::string(key));
    if (found == object.end()) return fail(FileFault::MissingKey, std::string(place) + "缺少" + Quoted(key) + "。");
    return &*found;
  }

  std::expected<std::string, FileError> text(const Json& object, std::string_view key, std::string_view place) const {
    auto value = member(object, key, place);
    if (!value) return Failure(value.error());
    if (!(*value)->is_string()) {
      return fail(FileFault::WrongType, std::string(place) + "的" + Quoted(key) + "应为文本（带引号），文件中是" +
                                            std::string(TypeName(**value)) + "。");
    }
    const auto& s = (*value)->get_ref<const std::string&>();
    if (const std::size_t n = TextLength(s); n > MaxTextLength) {
      return fail(FileFault::TooLong, std::string(place) + "的" + Quoted(key) + "有 " + std::to_string(n) +
                                          " 个字符，一个输入框最多容纳 " + std::to_string(MaxTextLength) + " 个。");
    }
    return s;
  }

 private:
  std::string_view file_;
};

std::expected<CalculationTexts, FileError> ReadFields(const Reader& r, Calculation calculation, const Json& inputs) {
  constexpr std::string_view Place = "“inputs”中";
  std::vector<std::string_view> allowed;
  for (const Input input : InputsOf(calculation)) allowed.push_back(FileKeyOf(input));
  if (auto e = r.onlyKeys(inputs, allowed, Place)) return Failure(*e);
  FieldTexts out{calculation};
  for (const Input input : InputsOf(calculation)) {
    auto t = r.text(inputs, FileKeyOf(input), Place);
    if (!t) return Failure(t.error());
    out.texts[static_cast<std::size_t>(input)] = std::move(*t);
  }
  return out;
}

std::expected<CraneTexts, FileError> ReadCrane(const Reader& r, const Json& crane, std::size_t index) {
  const std::string place = "第 " + std::to_string(index + 1) + " 台吊车（“cranes”）中";
  if (!crane.is_object()) {
    return r.fail(FileFault::WrongType,
                  place.substr(0, place.size() - 3) + "应为对象，文件中是" + std::string(TypeName(crane)) + "。");
  }
  if (auto e = r.onlyKeys(crane, CraneKeys(), place)) return Failure(*e);
  CraneTexts out;
  for (const auto& [key, field] : CraneTextNames) {
    auto t = r.text(crane, key, place);
    if (!t) return Failure(t.error());
    out.*field = std::move(*t);
  }
  return out;
}

std::expected<CalculationTexts, FileError> ReadArrangement(const Reader& r, const Json& inputs) {
  constexpr std::string_view Place = "“inputs”中";
  if (auto e = r.onlyKeys(inputs, ArrangementKeys(), Place)) return Failure(*e);
  CraneArrangementTexts out;
  for (const auto& [key, field] : ArrangementTextNames) {
    auto t = r.text(inputs, key, Place);
    if (!t) return Failure(t.error());
    out.*field = std::move(*t);
  }
  auto cranes = r.member(inputs, "cranes", Place);
  if (!cranes) return Failure(cranes.error());
  if (!(*cranes)->is_array()) {
    return r.fail(FileFault::WrongType, "“cranes”应为数组，文件中是" + std::string(TypeName(**cranes)) + "。");
  }
  const std::size_t count = (*cranes)->size();
  if (count < 1 || count > MaxCranes) {
    return r.fail(FileFault::CraneCount, "“cranes”应有 1 到 " + std::to_string(MaxCranes) + " 台吊车，文件中有 " +
                                             std::to_string(count) + " 台。");
  }
  for (std::size_t i = 0; i < count; ++i) {
    auto crane = ReadCrane(r, (**cranes)[i], i);
    if (!crane) return Failure(crane.error());
    out.cranes.push_back(std::move(*crane));
  }
  return out;
}

// What the file says about itself: its format and version before anything else, so that a newer file is named
// as newer rather than as one with keys this program does not know.
std::expected<CalculationTexts, FileError> ReadTop(const Reader& r, const Json& file) {
  constexpr std::string_view Top = "文件顶层";
  const auto format = file.is_object() ? file.find("format") : file.end();
  if (!file.is_object() || format == file.end() || *format != FormatName) {
    return r.fail(FileFault::OtherFormat, "这不是 Kelvaro 的计算文件（没有 \"format\": \"kelvaro-calculation\"）。");
  }
  auto version = r.member(file, "version", Top);
  if (!version) return Failure(version.error());
  if (!(*version)->is_number_integer() || (*version)->get<std::int64_t>() < 1) {
    const std::string found = (*version)->is_number_integer() ? std::to_string((*version)->get<std::int64_t>())
                                                              : std::string(TypeName(**version));
    return r.fail(FileFault::BadVersion, "“version”应为正整数，文件中是" + found + "。");
  }
  if (const auto v = (*version)->get<std::int64_t>(); v > FileVersion) {
    return r.fail(FileFault::NewerVersion, "这是第 " + std::to_string(v) + " 版的计算文件，需要能读第 " +
                                               std::to_string(v) + " 版文件的 Kelvaro；此版本只能读第 " +
                                               std::to_string(FileVersion) + " 版。");
  }
  if (auto e = r.onlyKeys(file, TopKeys(), Top)) return Failure(*e);
  for (const std::string_view note : {"program", "saved"}) {
    if (file.contains(note)) {
      if (auto t = r.text(file, note, Top); !t) return Failure(t.error());
    }
  }
  if (const auto results = file.find("results"); results != file.end()) {
    if (!results->is_object()) {
      return r.fail(FileFault::WrongType, "“results”应为对象，文件中是" + std::string(TypeName(*results)) + "。");
    }
    for (const auto& [key, value] : results->items()) {
      if (auto t = r.text(*results, key, "“results”中"); !t) return Failure(t.error());
    }
  }
  auto kind = r.text(file, "calculation", Top);
  if (!kind) return Failure(kind.error());
  auto inputs = r.member(file, "inputs", Top);
  if (!inputs) return Failure(inputs.error());
  const auto calculation = CalculationNamed(*kind);
  if (!calculation && *kind != ArrangementName) {
    return r.fail(FileFault::UnknownCalculation, "不认识的计算" + Quoted(*kind) +
                                                     "；能打开的有 VerticalLoads、MinWheelPressure、HorizontalLoads、"
                                                     "CraneArrangement。");
  }
  if (!(*inputs)->is_object()) {
    return r.fail(FileFault::WrongType, "“inputs”应为对象，文件中是" + std::string(TypeName(**inputs)) + "。");
  }
  return calculation ? ReadFields(r, *calculation, **inputs) : ReadArrangement(r, **inputs);
}

}  // namespace

std::expected<CalculationTexts, FileError> ReadCalculationFile(std::string_view content, std::string_view fileName) {
  const Reader r(fileName);
  if (content.size() > MaxFileBytes)
    return Failure(FileError{FileFault::TooLarge, FileMessage(FileFault::TooLarge, fileName, content.size())});
  const Scan scan = PreScan(content);
  if (scan.nul) return r.fail(FileFault::NulByte, "文件含有 NUL 字节，不是文本文件。");
  if (scan.tooDeep) {
    return r.fail(FileFault::TooDeep, "对象和数组嵌套超过 " + std::to_string(MaxNesting) + " 层，不是计算文件。");
  }
  if (scan.blank) return r.fail(FileFault::Empty, "文件是空的。");

  // A key given twice would leave it to the parser which one counts: such a file is refused instead.
  std::vector<std::set<std::string>> keys;
  std::string duplicate;
  const Json::parser_callback_t noteKeys = [&](int, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::object_start) keys.emplace_back();
    if (event == Json::parse_event_t::object_end && !keys.empty()) keys.pop_back();
    if (event == Json::parse_event_t::key && !keys.empty() && parsed.is_string()) {
      const auto& key = parsed.get_ref<const std::string&>();
      if (!keys.back().insert(key).second && duplicate.empty()) duplicate = key;
    }
    return true;
  };
  const Json file = Json::parse(content, noteKeys, /*allow_exceptions=*/false);
  if (file.is_discarded()) {
    if (scan.unclosed) return r.fail(FileFault::Truncated, "文件不完整，像是保存或传送时被截断了。");
    return r.fail(FileFault::NotJson, "文件不是 JSON 格式，不是 Kelvaro 的计算文件。");
  }
  if (!duplicate.empty()) return r.fail(FileFault::DuplicateKey, "键" + Quoted(duplicate) + "出现了不止一次。");
  return ReadTop(r, file);
}

}  // namespace kelvaro
