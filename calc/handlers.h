// The click handlers of the calculators' buttons.
#pragma once

namespace calc {

void on_gross_margin_calculate();
void on_gross_margin_clear();
void on_price_calculate();
void on_price_clear();
void on_growth_calculate();
void on_growth_clear();

}  // namespace calc
