// Fuzz target: number_to_text on any double, taken from the input's first
// eight bytes (little-endian; shorter inputs filled with zero bytes).
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "writing_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint64_t bits = 0;
  if (size > 0) std::memcpy(&bits, data, std::min(size, sizeof bits));
  fuzz::check_written_text(std::bit_cast<double>(bits));
  return 0;
}
