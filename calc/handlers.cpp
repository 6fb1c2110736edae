#include "calc/handlers.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "calc/arithmetic.h"
#include "calc/control_text.h"
#include "calc/numeric_text.h"

namespace calc {
namespace {

// The boxes of the three calculators (UTF-8 names).
constexpr std::string_view revenue_box = "销售额收入编辑框1";
constexpr std::string_view cost_of_sales_box = "销售成本编辑框2";
constexpr std::string_view gross_profit_box = "毛利额编辑框3";
constexpr std::string_view gross_margin_box = "毛利率编辑框4";

constexpr std::string_view goods_cost_box = "商品成本编辑框5";
constexpr std::string_view target_margin_box = "商品毛利率编辑框6";
constexpr std::string_view selling_price_box = "销售价格编辑框7";
constexpr std::string_view price_profit_box = "销售价格编辑框8";

constexpr std::string_view current_period_box = "本期数编辑框1";
constexpr std::string_view previous_period_box = "上期数编辑框2";
constexpr std::string_view growth_rate_box = "增长率编辑框3";
constexpr std::string_view growth_value_box = "增长值编辑框4";

constexpr double percent = 100.0;
constexpr double one = 1.0;

// Every read goes to the box afresh; an empty box reads as the empty text.
double read_box(std::string_view box) { return text_to_number(get_control_text(box).value_or(std::string())); }

void write_box(std::string_view box, double value) { set_control_text(box, number_to_text(value)); }

void empty_boxes(std::initializer_list<std::string_view> boxes) {
  for (std::string_view box : boxes) set_control_text(box, {});
}

}  // namespace

// gross profit = revenue - cost; gross margin = ((revenue - cost) / revenue) * 100,
// the margin from the input boxes, not from the written profit.
void on_gross_margin_calculate() {
  const double r1 = read_box(revenue_box);
  const double c1 = read_box(cost_of_sales_box);
  const double profit = subtract(r1, c1);
  write_box(gross_profit_box, profit);

  const double r2 = read_box(revenue_box);
  const double c2 = read_box(cost_of_sales_box);
  const double difference = subtract(r2, c2);
  const double r3 = read_box(revenue_box);
  const double quotient = divide(difference, r3);
  const double margin = multiply(quotient, percent);
  write_box(gross_margin_box, margin);
}

void on_gross_margin_clear() { empty_boxes({revenue_box, cost_of_sales_box, gross_profit_box, gross_margin_box}); }

// selling price = cost / (1 - margin / 100); its profit = the price as written - cost,
// so that the profit agrees with the price the user sees.
void on_price_calculate() {
  const double k1 = read_box(goods_cost_box);
  const double g = read_box(target_margin_box);
  const double fraction = divide(g, percent);
  const double divisor = subtract(one, fraction);
  const double price = divide(k1, divisor);
  write_box(selling_price_box, price);

  const double p = read_box(selling_price_box);
  const double k2 = read_box(goods_cost_box);
  const double profit = subtract(p, k2);
  write_box(price_profit_box, profit);
}

void on_price_clear() { empty_boxes({goods_cost_box, target_margin_box, selling_price_box, price_profit_box}); }

// growth rate = ((current - previous) / previous) * 100; growth value = current - previous.
void on_growth_calculate() {
  const double a1 = read_box(current_period_box);
  const double b1 = read_box(previous_period_box);
  const double change = subtract(a1, b1);
  const double b2 = read_box(previous_period_box);
  const double quotient = divide(change, b2);
  const double rate = multiply(quotient, percent);
  write_box(growth_rate_box, rate);

  const double a2 = read_box(current_period_box);
  const double b3 = read_box(previous_period_box);
  const double value = subtract(a2, b3);
  write_box(growth_value_box, value);
}

void on_growth_clear() { empty_boxes({current_period_box, previous_period_box, growth_rate_box, growth_value_box}); }

}  // namespace calc
