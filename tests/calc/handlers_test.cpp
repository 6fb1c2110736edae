#include "calc/handlers.h"

#include <gtest/gtest.h>

#include "box_store.h"

namespace {

using box_store::access;

const std::string revenue = "销售额收入编辑框1", cost = "销售成本编辑框2", profit = "毛利额编辑框3",
                  margin = "毛利率编辑框4";
const std::string goods_cost = "商品成本编辑框5", target_margin = "商品毛利率编辑框6",
                  price = "销售价格编辑框7", price_profit = "销售价格编辑框8";
const std::string current = "本期数编辑框1", previous = "上期数编辑框2", rate = "增长率编辑框3",
                  growth = "增长值编辑框4";

struct Handlers : ::testing::Test {
  void SetUp() override { box_store::reset(); }
  static std::string box(const std::string& name) { return box_store::boxes[name]; }
};

// ---- read order and count, write order ------------------------------------------

TEST_F(Handlers, GrossMarginReadsRevenueThriceCostTwiceInOrder) {
  box_store::boxes = {{revenue, "3"}, {cost, "1"}};
  calc::on_gross_margin_calculate();
  const std::vector<access> expected{
      {'g', revenue, "3"},     {'g', cost, "1"},  {'s', profit, "2"}, {'g', revenue, "3"},
      {'g', cost, "1"},        {'g', revenue, "3"}, {'s', margin, "66.66666666667"}};
  EXPECT_EQ(box_store::log, expected);
}

TEST_F(Handlers, PriceProfitComesFromThePriceTextJustWritten) {
  box_store::boxes = {{goods_cost, "100"}, {target_margin, "30"}};
  calc::on_price_calculate();
  const std::vector<access> expected{{'g', goods_cost, "100"},
                                     {'g', target_margin, "30"},
                                     {'s', price, "142.8571428571"},
                                     {'g', price, "142.8571428571"},
                                     {'g', goods_cost, "100"},
                                     {'s', price_profit, "42.8571428571"}};
  EXPECT_EQ(box_store::log, expected);
}

TEST_F(Handlers, GrowthReadsCurrentTwicePreviousThriceInOrder) {
  box_store::boxes = {{current, "100"}, {previous, "120"}};
  calc::on_growth_calculate();
  const std::vector<access> expected{{'g', current, "100"},  {'g', previous, "120"},
                                     {'g', previous, "120"}, {'s', rate, "-16.66666666667"},
                                     {'g', current, "100"},  {'g', previous, "120"},
                                     {'s', growth, "-20"}};
  EXPECT_EQ(box_store::log, expected);
}

TEST_F(Handlers, ClearButtonsEmptyTheirFourBoxesInOrderAndReadNothing) {
  const std::vector<std::pair<void (*)(), std::vector<std::string>>> cases{
      {calc::on_gross_margin_clear, {revenue, cost, profit, margin}},
      {calc::on_price_clear, {goods_cost, target_margin, price, price_profit}},
      {calc::on_growth_clear, {current, previous, rate, growth}}};
  for (const auto& [handler, names] : cases) {
    box_store::reset();
    for (const auto& name : names) box_store::boxes[name] = "7";
    handler();
    std::vector<access> expected;
    for (const auto& name : names) expected.push_back({'s', name, ""});
    EXPECT_EQ(box_store::log, expected);
  }
}

// ---- results --------------------------------------------------------------------

struct two_inputs {
  const char* first;
  const char* second;
  const char* result1;
  const char* result2;
};

TEST_F(Handlers, GrossMarginResults) {
  const two_inputs cases[] = {
      {"", "", "0", "-1.#IND"},          {"0", "50", "-50", "-1.#INF"},  {"", "-50", "50", "1.#INF"},
      {"0", "0", "0", "-1.#IND"},        {"80", "100", "-20", "-25"},    {"-100", "50", "-150", "150"},
      {"3", "1", "2", "66.66666666667"}, {"abc", "5", "-5", "-1.#INF"},  {"1e300", "-1e300", "2e+300", "200"},
      {"\xA3\xB1\xA3\xB0\xA3\xB0", "25", "75", "75"},
  };
  for (const auto& c : cases) {
    box_store::reset();
    box_store::boxes = {{revenue, c.first}, {cost, c.second}};
    calc::on_gross_margin_calculate();
    EXPECT_EQ(box(profit), c.result1) << c.first << " " << c.second;
    EXPECT_EQ(box(margin), c.result2) << c.first << " " << c.second;
    EXPECT_EQ(box(revenue), c.first);
    EXPECT_EQ(box(cost), c.second);
  }
}

TEST_F(Handlers, PriceResultsIncludingNonFiniteReadBack) {
  const two_inputs cases[] = {
      {"100", "30", "142.8571428571", "42.8571428571"},
      {"100", "100", "1.#INF", "1.#INF"},
      {"-50", "100", "-1.#INF", "-1.#INF"},
      {"0", "100", "-1.#IND", "-1.#IND"},
      {"", "100", "-1.#IND", "-1.#IND"},
      {"100", "150", "-200", "-300"},
      {"100", "-25", "80", "-20"},
      {"50", "", "50", "0"},
      {"1e20", "30", "1.428571428571e+020", "4.28571428571e+019"},
  };
  for (const auto& c : cases) {
    box_store::reset();
    box_store::boxes = {{goods_cost, c.first}, {target_margin, c.second}};
    calc::on_price_calculate();
    EXPECT_EQ(box(price), c.result1) << c.first << " " << c.second;
    EXPECT_EQ(box(price_profit), c.result2) << c.first << " " << c.second;
  }
}

TEST_F(Handlers, GrowthResults) {
  const two_inputs cases[] = {
      {"120", "100", "20", "20"},          {"100", "120", "-16.66666666667", "-20"},
      {"1", "3", "-66.66666666667", "-2"}, {"50", "-100", "-150", "150"},
      {"5", "0", "1.#INF", "5"},           {"-5", "", "-1.#INF", "-5"},
      {"0", "0", "-1.#IND", "0"},          {"", "", "-1.#IND", "0"},
      {"-7", "-7", "0", "0"},              {"7", "7", "0", "0"},
  };
  for (const auto& c : cases) {
    box_store::reset();
    box_store::boxes = {{current, c.first}, {previous, c.second}};
    calc::on_growth_calculate();
    EXPECT_EQ(box(rate), c.result1) << c.first << " " << c.second;
    EXPECT_EQ(box(growth), c.result2) << c.first << " " << c.second;
  }
}

}  // namespace
