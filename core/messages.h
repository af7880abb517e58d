// What the user is told when a calculation cannot be made, in Chinese; the same words in every front end.
#pragma once

#include "calculations.h"

#include <span>
#include <string>
#include <string_view>

namespace kelvaro {

/// The caption of the failure message.
inline constexpr std::string_view FailureTitle = "无法计算";
/// The button that dismisses a message.
inline constexpr std::string_view MessageButton = "确定";

/// Names every empty field, in the order they were checked: "Pmax、Pmin 是空的。…".
std::string EmptyFieldsMessage(std::span<const Input> empty);

/// Names the blamed input and says what is wrong with it; `quotedText` is its text as the message may quote it
/// (cut short and made safe by QuoteFieldText).
std::string FailureMessage(const NumberFailure& failure, std::string_view quotedText, char32_t decimalSeparator = U'.');

}  // namespace kelvaro
