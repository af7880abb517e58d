#include "calculation.h"

namespace kelvaro {

// Placeholder: cut by code points; to be replaced by extended grapheme clusters.
std::string QuoteFieldText(std::string_view text) { return std::string(text.substr(0, 96)); }

}  // namespace kelvaro
