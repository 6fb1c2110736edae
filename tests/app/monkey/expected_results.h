#pragma once

// What a calculate click must write, computed from the texts of its input boxes by the program's own
// conversions and arithmetic, step by step in the handlers' order, without running a handler.

#include <string_view>

#include "window_names.h"

namespace monkey {

// Profit = revenue - cost; margin = ((revenue - cost) / revenue) * 100.
Results gross_margin(std::string_view revenue, std::string_view cost);

// Price = cost / (1 - margin / 100); profit = the price as written, read back, - cost.
Results selling_price(std::string_view cost, std::string_view margin);

// Rate = ((current - previous) / previous) * 100; value = current - previous.
Results growth(std::string_view current, std::string_view previous);

}  // namespace monkey
