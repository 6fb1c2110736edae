// Conversions between box texts (GBK bytes) and doubles.
#pragma once

#include <string>
#include <string_view>

namespace calc {

// Copy of the text with the full-width forms of ASCII characters, the
// ideographic space, the full-width tilde and the two stars folded to single
// bytes; other double-byte characters are copied, a lone lead byte at the
// end is dropped.
std::string fold_full_width(std::string_view gbk_text);

// The number at the start of the text (after folding and leading white
// space); +0 when there is none. Any bytes; never fails.
double text_to_number(std::string_view gbk_text);

// The text written into a result box: 13 significant digits, plain or
// exponent form, 1 to 20 ASCII characters.
std::string number_to_text(double value);

}  // namespace calc
