#include "calc/handlers.h"

#include "calc/control_text.h"

namespace calc {

void on_gross_margin_calculate() {}
void on_gross_margin_clear() {}
void on_price_calculate() {}
void on_price_clear() {}
void on_growth_calculate() {}
void on_growth_clear() {}

}  // namespace calc
