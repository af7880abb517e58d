// A stand-in for the sheet's 9-point face, for tests of the figure's layout: an ASCII character half an em, an
// ideograph a whole one.
#pragma once

#include "figure.h"

namespace kelvaro::sheet::test {

inline const TextMeasure NinePoint{[](std::string_view text) {
                                     double width = 0;
                                     for (const char c : text) {
                                       const auto b = static_cast<unsigned char>(c);
                                       if ((b & 0xC0) != 0x80) width += b < 0x80 ? 18 : 32;
                                     }
                                     return width;
                                   },
                                   37};

}  // namespace kelvaro::sheet::test
