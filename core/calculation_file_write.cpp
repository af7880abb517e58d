// The writer, the names a file uses, and the messages of failures found outside the reader.
#include "calculation_file.h"
#include "calculation_file_keys.h"
#include "utf8.h"

#include <nlohmann/json.hpp>

namespace kelvaro {
namespace {

using Json = nlohmann::ordered_json;
using Failure = std::unexpected<FileError>;

constexpr std::array<std::string_view, InputCount> InputKeys{"Z", "J", "B", "W",  "Pmax",  "Pmin",
                                                             "G", "Q", "N", "G1", "AlphaH"};

constexpr std::array<std::string_view, 7> TopKeyList{"format", "version", "calculation", "program",
                                                     "saved",  "inputs",  "results"};
constexpr auto ArrangementKeyList = [] {
  std::array<std::string_view, ArrangementTextNames.size() + 1> keys{};
  for (std::size_t i = 0; i < ArrangementTextNames.size(); ++i) keys[i] = ArrangementTextNames[i].first;
  keys.back() = "cranes";
  return keys;
}();
constexpr auto CraneKeyList = [] {
  std::array<std::string_view, CraneTextNames.size()> keys{};
  for (std::size_t i = 0; i < CraneTextNames.size(); ++i) keys[i] = CraneTextNames[i].first;
  return keys;
}();

std::string Opening(std::string_view verb, std::string_view file) {
  return std::string(verb) + "“" + QuoteFileName(file) + "”：";
}

bool WellFormed(std::string_view text) {
  while (!text.empty()) {
    const auto cp = DecodeFront(text);
    if (!cp) return false;
    text.remove_prefix(cp->length);
  }
  return true;
}

// A text the reader would refuse is refused here already, so that a file that was saved always opens.
std::optional<FileError> Unwritable(std::string_view key, std::string_view text, std::string_view file) {
  if (!WellFormed(text)) {
    return FileError{FileFault::NotUtf8,
                     Opening("无法保存", file) + "“" + std::string(key) + "”不是有效的 UTF-8 文本。"};
  }
  if (const std::size_t n = TextLength(text); n > MaxTextLength) {
    return FileError{FileFault::TooLong, Opening("无法保存", file) + "“" + std::string(key) + "”有 " +
                                             std::to_string(n) + " 个字符，一个输入框最多容纳 " +
                                             std::to_string(MaxTextLength) + " 个。"};
  }
  return std::nullopt;
}

}  // namespace

std::size_t TextLength(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    n += byte >= 0xF0 ? 2 : (byte & 0xC0) != 0x80;
  }
  return n;
}

std::string_view FileKeyOf(Input input) { return InputKeys[static_cast<std::size_t>(input)]; }

std::optional<Calculation> CalculationNamed(std::string_view name) {
  for (int i = 0; i < CalculationCount; ++i) {
    if (NameOf(static_cast<Calculation>(i)) == name) return static_cast<Calculation>(i);
  }
  return std::nullopt;
}

std::span<const std::string_view> TopKeys() { return TopKeyList; }
std::span<const std::string_view> ArrangementKeys() { return ArrangementKeyList; }
std::span<const std::string_view> CraneKeys() { return CraneKeyList; }

InputTexts FieldTexts::views() const {
  InputTexts views{};
  for (std::size_t i = 0; i < texts.size(); ++i) views[i] = texts[i];
  return views;
}

std::string_view KindName(const CalculationTexts& texts) {
  if (const auto* fields = std::get_if<FieldTexts>(&texts)) return NameOf(fields->calculation);
  return ArrangementName;
}

std::string SuggestedFileName(const CalculationTexts& texts, std::string_view date) {
  return std::string(KindName(texts)) + (date.empty() ? "" : "-") + std::string(date) + ".kelvaro";
}

std::expected<std::string, FileError> WriteCalculationFile(const CalculationTexts& texts, std::string_view fileName,
                                                           const FileNotes& notes) {
  Json file = Json::object();
  file["format"] = FormatName;
  file["version"] = FileVersion;
  file["calculation"] = KindName(texts);
  if (!notes.program.empty()) file["program"] = notes.program;
  if (!notes.saved.empty()) file["saved"] = notes.saved;
  Json inputs = Json::object();
  const auto put = [&](Json& object, std::string_view key, const std::string& text) -> std::optional<FileError> {
    if (auto e = Unwritable(key, text, fileName)) return e;
    object[std::string(key)] = text;
    return std::nullopt;
  };
  if (const auto* fields = std::get_if<FieldTexts>(&texts)) {
    for (const Input input : InputsOf(fields->calculation)) {
      if (auto e = put(inputs, FileKeyOf(input), fields->texts[static_cast<std::size_t>(input)])) return Failure(*e);
    }
  } else {
    const auto& arrangement = std::get<CraneArrangementTexts>(texts);
    for (const auto& [key, member] : ArrangementTextNames) {
      if (auto e = put(inputs, key, arrangement.*member)) return Failure(*e);
    }
    if (arrangement.cranes.empty() || arrangement.cranes.size() > MaxCranes) {
      return Failure(FileError{FileFault::CraneCount,
                               Opening("无法保存", fileName) + "吊车应有 1 到 " + std::to_string(MaxCranes) + " 台。"});
    }
    Json cranes = Json::array();
    for (const CraneTexts& crane : arrangement.cranes) {
      Json row = Json::object();
      for (const auto& [key, member] : CraneTextNames) {
        if (auto e = put(row, key, crane.*member)) return Failure(*e);
      }
      cranes.push_back(std::move(row));
    }
    inputs["cranes"] = std::move(cranes);
  }
  file["inputs"] = std::move(inputs);
  if (!notes.results.empty()) {
    Json results = Json::object();
    for (const auto& [name, text] : notes.results) results[name] = text;
    file["results"] = std::move(results);
  }
  // The notes are the program's own words; a byte that is not UTF-8 among them is replaced, never a reason to fail.
  return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string FileMessage(FileFault fault, std::string_view fileName, std::uint64_t size, std::string_view reason) {
  const std::string opening = Opening("无法打开", fileName);
  const std::string why = reason.empty() ? std::string() : "（" + std::string(reason) + "）";
  switch (fault) {
    case FileFault::TooLarge:
      return opening + "文件有 " + std::to_string(size) + " 字节，太大了；计算文件最多 " +
             std::to_string(MaxFileBytes) + " 字节（1 MiB）。";
    case FileFault::Directory:
      return opening + "这是一个文件夹，不是计算文件。";
    case FileFault::NoPermission:
      return opening + "没有读取这个文件的权限。";
    case FileFault::NotFound:
      return opening + "文件不存在。";
    case FileFault::NoWindow:
      return opening + "这是多台吊车荷载计算的文件，此版本还没有它的窗口。";
    case FileFault::SaveFailed:
      return Opening("无法保存", fileName) + "写入失败" + why + "。原来的文件保持原样。";
    default:
      return opening + "读取失败" + why + "。";
  }
}

}  // namespace kelvaro
