// The writer, the names a file uses, and the messages of failures found outside the reader.
#include "calculation_file.h"
#include "calculation_file_keys.h"
#include "utf8.h"

namespace kelvaro {
namespace {

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

// A JSON string: only the quote, the backslash and the controls are escaped, every other character is itself.
std::string Quote(std::string_view text) {
  constexpr char Hex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += Hex[byte >> 4];
      out += Hex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The notes' bytes that are not UTF-8, as U+FFFD: a file must be UTF-8 throughout.
std::string Replaced(std::string_view text) {
  std::string out;
  for (const char32_t cp : DecodeReplacing(text)) AppendUtf8(out, cp);
  return out;
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
  // Written here rather than by the JSON library: its escapes go through the C library's printf, which the
  // browser's module does not have, and the two editions must write the same bytes.
  std::string out = "{\n  \"format\": " + Quote(FormatName) + ",\n  \"version\": " + std::to_string(FileVersion) +
                    ",\n  \"calculation\": " + Quote(KindName(texts));
  if (!notes.program.empty()) out += ",\n  \"program\": " + Quote(Replaced(notes.program));
  if (!notes.saved.empty()) out += ",\n  \"saved\": " + Quote(Replaced(notes.saved));
  std::optional<FileError> refused;
  // Members of an object `indent` deep, one to a line.
  const auto members = [&](const auto& rows, std::string_view indent) {
    std::string body;
    for (const auto& [key, text] : rows) {
      if (!refused) refused = Unwritable(key, text, fileName);
      body +=
          (body.empty() ? "" : ",") + std::string("\n") + std::string(indent) + "  " + Quote(key) + ": " + Quote(text);
    }
    return "{" + body + "\n" + std::string(indent) + "}";
  };
  std::vector<std::pair<std::string_view, std::string_view>> inputs;
  if (const auto* fields = std::get_if<FieldTexts>(&texts)) {
    for (const Input input : InputsOf(fields->calculation)) {
      inputs.emplace_back(FileKeyOf(input), fields->texts[static_cast<std::size_t>(input)]);
    }
    out += ",\n  \"inputs\": " + members(inputs, "  ");
  } else {
    const auto& arrangement = std::get<CraneArrangementTexts>(texts);
    if (arrangement.cranes.empty() || arrangement.cranes.size() > MaxCranes) {
      return Failure(FileError{FileFault::CraneCount,
                               Opening("无法保存", fileName) + "吊车应有 1 到 " + std::to_string(MaxCranes) + " 台。"});
    }
    for (const auto& [key, member] : ArrangementTextNames) inputs.emplace_back(key, arrangement.*member);
    std::string object = members(inputs, "  ");
    object.resize(object.size() - 4);  // "\n  }": the cranes come before the end
    object += ",\n    \"cranes\": [";
    for (std::size_t i = 0; i < arrangement.cranes.size(); ++i) {
      std::vector<std::pair<std::string_view, std::string_view>> row;
      for (const auto& [key, member] : CraneTextNames) row.emplace_back(key, arrangement.cranes[i].*member);
      object += (i == 0 ? "\n      " : ",\n      ") + members(row, "      ");
    }
    out += ",\n  \"inputs\": " + object + "\n    ]\n  }";
  }
  if (refused) return Failure(*refused);
  if (!notes.results.empty()) {
    std::vector<std::pair<std::string, std::string>> results;
    for (const auto& [name, text] : notes.results) results.emplace_back(Replaced(name), Replaced(text));
    out += ",\n  \"results\": " + members(results, "  ");
    if (refused) return Failure(*refused);
  }
  return out + "\n}\n";
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
