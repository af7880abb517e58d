#include "messages.h"

namespace kelvaro {

std::string EmptyFieldsMessage(std::span<const Input> empty) {
  std::string names;
  for (const Input input : empty) {
    if (!names.empty()) names += "、";
    names += SymbolOf(input);
  }
  return names + (empty.size() > 1 ? " 是空的。请在每一栏输入一个数。" : " 是空的。请输入一个数。");
}

std::string FailureMessage(const NumberFailure& failure, std::string_view quotedText, char32_t separator) {
  if (!failure.input) {
    return "计算中出现的数值太大，超出了单精度数的范围（约 ±" + FormatResult(3.4e38f, separator) +
           "）。请检查输入的数值。";
  }
  const std::string symbol(SymbolOf(*failure.input));
  if (failure.zeroDivisor || failure.kind == FailureKind::DivisionByZero) {
    return symbol + " 为 0，不能作除数。请输入一个不为 0 的数。";
  }
  if (failure.kind == FailureKind::Overflow) return symbol + " 的数值太大，超出了可以计算的范围。";
  if (quotedText.empty()) return EmptyFieldsMessage(std::span(&*failure.input, 1));
  return symbol + " 的内容“" + std::string(quotedText) + "”不是一个数。请输入数字，例如 6 或 " +
         FormatResult(0.9f, separator) + "。";
}

}  // namespace kelvaro
