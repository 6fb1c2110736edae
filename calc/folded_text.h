// Walking a GBK text character by character as its folded copy reads,
// without making the copy.
#pragma once

#include <string_view>

#include "calc/full_width.h"

namespace calc {

// The text ends at its end or at its first NUL byte.
constexpr std::string_view until_nul(std::string_view text) { return text.substr(0, text.find('\0')); }

class folded_cursor {
 public:
  static constexpr int end_of_text = -1;
  static constexpr int unfolded_pair = 0x100;  // a double-byte character with no fold

  explicit folded_cursor(std::string_view text)
      : position_(reinterpret_cast<const unsigned char*>(text.data())), end_(position_ + text.size()) {}

  // The current character of the folded text: a byte 0..FF, unfolded_pair or end_of_text.
  // A lead byte that is the last byte of the text is dropped and ends the text.
  int peek() const {
    if (position_ == end_) return end_of_text;
    if (!is_lead_byte(*position_)) return *position_;
    if (position_ + 1 == end_) return end_of_text;
    const int folded = fold_pair(position_[0], position_[1]);
    return folded >= 0 ? folded : unfolded_pair;
  }
  void advance() { position_ += is_lead_byte(*position_) ? 2 : 1; }

  // Raw position, for fast loops over plain ASCII bytes and for scanning a part again.
  const unsigned char* position() const { return position_; }
  const unsigned char* end() const { return end_; }
  void move_to(const unsigned char* position) { position_ = position; }

  // Consumes 'word' if the folded text continues with it.
  bool consume(std::string_view word) {
    folded_cursor probe = *this;
    for (char c : word) {
      if (probe.peek() != static_cast<unsigned char>(c)) return false;
      probe.advance();
    }
    *this = probe;
    return true;
  }

 private:
  const unsigned char* position_;
  const unsigned char* end_;
};

constexpr bool is_digit(int c) { return c >= '0' && c <= '9'; }

}  // namespace calc
