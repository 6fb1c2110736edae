#pragma once

// The controls the monkey acts on, by their names in the form, with what the program does with them: the
// focus cycle of each page and the three calculators with their buttons and boxes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace monkey {

// The two result texts of one calculate click, as the program must write them (GBK bytes).
struct Results {
    std::string first;
    std::string second;
};

// The results computed from the texts of the two input boxes.
using Formula = Results (*)(std::string_view first_input, std::string_view second_input);

struct Calculator {
    std::string_view calculate;  // button
    std::string_view clear;      // button
    std::array<std::string_view, 2> inputs;
    std::array<std::string_view, 2> results;  // written in this order
    int page;
    Formula formula;
};

// Tab, Enter and Shift+Tab walk these in order, round the ends.
inline constexpr std::array<std::string_view, 12> first_page_cycle{
    "销售额收入编辑框1", "销售成本编辑框2", "毛利率计算结果",   "毛利额编辑框3",
    "毛利率编辑框4",     "清空按钮1",       "商品成本编辑框5",  "商品毛利率编辑框6",
    "售价计算结果1",     "销售价格编辑框7", "销售价格编辑框8", "清空按钮2"};
inline constexpr std::array<std::string_view, 6> second_page_cycle{
    "清空按钮3", "本期数编辑框1", "上期数编辑框2", "增长率计算结果1", "增长率编辑框3", "增长值编辑框4"};

inline std::span<const std::string_view> focus_cycle(int page) {
    if (page == 0) return first_page_cycle;
    return second_page_cycle;
}

// Where the focus goes when a page is shown.
inline std::string_view page_first_control(int page) { return page == 0 ? "销售额收入编辑框1" : "清空按钮3"; }

inline constexpr std::array<std::string_view, 12> boxes{
    "销售额收入编辑框1", "销售成本编辑框2", "毛利额编辑框3",   "毛利率编辑框4",
    "商品成本编辑框5",   "商品毛利率编辑框6", "销售价格编辑框7", "销售价格编辑框8",
    "本期数编辑框1",     "上期数编辑框2",   "增长率编辑框3",   "增长值编辑框4"};

const std::array<Calculator, 3>& calculators();

// Index in `boxes`; boxes.size() for a name that is no box.
inline std::size_t box_index(std::string_view name) { return std::size_t(std::ranges::find(boxes, name) - boxes.begin()); }

// The boxes, or the buttons, of a page, in the order of its focus cycle.
inline std::vector<std::string_view> page_controls(int page, bool want_boxes) {
    std::vector<std::string_view> names;
    for (std::string_view name : focus_cycle(page))
        if ((box_index(name) < boxes.size()) == want_boxes) names.push_back(name);
    return names;
}

// The form's names are UTF-8.
inline QString name_of(std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); }

}  // namespace monkey
