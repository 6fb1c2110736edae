// The texts written for infinities and NaN values, and the values they read back as.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace calc {

struct non_finite_text {
  std::string_view text;
  std::uint64_t bits;  // the value the text reads back as
};

inline constexpr std::uint64_t default_nan_bits = 0xFFF8000000000000;  // what invalid operations give

inline constexpr non_finite_text positive_infinity_text{"1.#INF", 0x7FF0000000000000};
inline constexpr non_finite_text negative_infinity_text{"-1.#INF", 0xFFF0000000000000};
inline constexpr non_finite_text default_nan_text{"-1.#IND", default_nan_bits};
inline constexpr non_finite_text positive_nan_text{"1.#QNAN", 0x7FF8000000000000};
inline constexpr non_finite_text negative_nan_text{"-1.#QNAN", 0xFFF8000000000001};

inline constexpr std::array<non_finite_text, 5> non_finite_texts{
    positive_infinity_text, negative_infinity_text, default_nan_text, positive_nan_text, negative_nan_text};

}  // namespace calc
