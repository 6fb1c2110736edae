// The fold table of full-width and other double-byte characters that the
// number reader treats as their ASCII counterparts.
#pragma once

namespace calc {

// A byte of 0x80 or above starts a double-byte character with the byte after it.
constexpr bool is_lead_byte(unsigned char byte) { return byte >= 0x80; }

// The single byte that the pair (lead, trail) folds to, or -1 when the pair
// is not folded and stays a double-byte character.
//   A1 A1 -> 20 (ideographic space)      A1 AB -> 7E (full-width tilde)
//   A1 EE, A1 EF -> 2A (the two stars)   A3 xx -> xx - 80 for xx in [A1, FE]
constexpr int fold_pair(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return trail - 0x80;
  if (lead == 0xA1) {
    if (trail == 0xA1) return 0x20;
    if (trail == 0xAB) return 0x7E;
    if (trail == 0xEE || trail == 0xEF) return 0x2A;
  }
  return -1;
}

}  // namespace calc
