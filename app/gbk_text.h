#pragma once

// Conversion between the window's texts (Unicode) and the handlers' texts (GBK bytes). The converters are
// made on first use, so start-up does not pay for them.

#include <string>
#include <string_view>

#include <QString>

namespace app {

// A character that GBK lacks becomes "?".
std::string to_gbk(const QString& text);

// Bytes that are not valid GBK become U+FFFD.
QString from_gbk(std::string_view bytes);

}  // namespace app
