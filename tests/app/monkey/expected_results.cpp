#include "expected_results.h"

#include "calc/arithmetic.h"
#include "calc/numeric_text.h"

namespace monkey {

using calc::divide;
using calc::multiply;
using calc::number_to_text;
using calc::subtract;
using calc::text_to_number;

// Nothing writes an input box during a click, so every read of one box gives the same number: each box
// is read once here.

Results gross_margin(std::string_view revenue, std::string_view cost) {
    const double r = text_to_number(revenue);
    const double c = text_to_number(cost);
    const double margin = multiply(divide(subtract(r, c), r), 100.0);
    return {number_to_text(subtract(r, c)), number_to_text(margin)};
}

Results selling_price(std::string_view cost, std::string_view margin) {
    const double k = text_to_number(cost);
    const double g = text_to_number(margin);
    const std::string price = number_to_text(divide(k, subtract(1.0, divide(g, 100.0))));
    return {price, number_to_text(subtract(text_to_number(price), k))};
}

Results growth(std::string_view current, std::string_view previous) {
    const double a = text_to_number(current);
    const double b = text_to_number(previous);
    const double rate = multiply(divide(subtract(a, b), b), 100.0);
    return {number_to_text(rate), number_to_text(subtract(a, b))};
}

const std::array<Calculator, 3>& calculators() {
    static const std::array<Calculator, 3> table{{
        {"毛利率计算结果", "清空按钮1", {"销售额收入编辑框1", "销售成本编辑框2"}, {"毛利额编辑框3", "毛利率编辑框4"}, 0,
         gross_margin},
        {"售价计算结果1", "清空按钮2", {"商品成本编辑框5", "商品毛利率编辑框6"}, {"销售价格编辑框7", "销售价格编辑框8"},
         0, selling_price},
        {"增长率计算结果1", "清空按钮3", {"本期数编辑框1", "上期数编辑框2"}, {"增长率编辑框3", "增长值编辑框4"}, 1, growth},
    }};
    return table;
}

}  // namespace monkey
