#include "app/main_window_form.h"

#include <algorithm>

#include "app/program_routines.h"
#include "calc/handlers.h"

namespace app::form {
namespace {
using enum Kind;
using colours::black;
using colours::red;
}  // namespace

const Window main_window{
    .title = "Quellmar",
    .outer_size = {549, 354},
    .stored_position = {50, 50},
    .minimum_client_size = {543, 327},
    .enter_moves_focus = true,
    .escape_closes = true,
    .f1_opens_help = false,
    .on_created = on_main_window_created,
};

// Each caption is 41 bytes: the spaces place the words in their tabs.
const TabControlSettings tab_control{
    .place = {9, 7},
    .size = {527, 313},
    .captions = {"                毛利率计算               ", "               同比增长计算              "},
    .caption_font = song(12, regular),
    .first_page = 0,
};

// kind, name, page, {left, top, width, height}, text, font, text colour, takes the focus, tab number,
// click handler, and for an edit box the label beside it. First row of each page on top.
const std::array<Control, 49> controls{{
    // First page.
    {label, "标签3", 0, {16, 288, 234, 13}, "{销售成本/（1-毛利率%)}=毛利额计算公式", default_gui_font, black, false, 0, nullptr},
    {button, "清空按钮2", 0, {268, 275, 57, 25}, "清空数值", default_gui_font, std::nullopt, true, 12, calc::on_price_clear},
    {label, "标签30", 0, {495, 272, 25, 29}, "元", song(20, regular), black, false, 0, nullptr},
    {label, "标签29", 0, {496, 235, 25, 29}, "元", song(20, regular), black, false, 0, nullptr},
    {edit_box, "销售价格编辑框8", 0, {387, 271, 110, 30}, "", no_face(20, bold), black, true, 11, nullptr, "标签26"},
    {label, "标签26", 0, {331, 271, 59, 29}, "毛利额为", song(14, regular), red, false, 0, nullptr},
    {edit_box, "销售价格编辑框7", 0, {387, 234, 110, 30}, "", no_face(20, bold), black, true, 10, nullptr, "标签25"},
    {label, "标签25", 0, {330, 236, 59, 29}, "销售价为", song(14, regular), red, false, 0, nullptr},
    {button, "售价计算结果1", 0, {267, 243, 57, 28}, "计算等于", default_gui_font, std::nullopt, true, 9, calc::on_price_calculate},
    {label, "标签27", 0, {244, 247, 15, 29}, "%", song(32, regular), black, false, 0, nullptr},
    {edit_box, "商品毛利率编辑框6", 0, {161, 249, 80, 30}, "", no_face(21, bold), black, true, 8, nullptr, "标签24"},
    {label, "标签28", 0, {122, 251, 25, 29}, "元", song(20, regular), black, false, 0, nullptr},
    {label, "标签24", 0, {160, 228, 92, 13}, "输入商品毛利率 ", default_gui_font, black, false, 0, nullptr},
    {edit_box, "商品成本编辑框5", 0, {22, 251, 100, 30}, "", no_face(21, bold), black, true, 7, nullptr, "标签23"},
    {label, "标签23", 0, {16, 228, 135, 13}, "输入商品成本(销售成本) ", default_gui_font, black, false, 0, nullptr},
    {label, "标签18", 0, {216, 28, 103, 37}, "毛利率计算", song(19, bold), black, false, 0, nullptr},
    {label, "标签31", 0, {125, 186, 286, 37}, "算一下以毛利率计算该卖多少?", song(19, bold), black, false, 0, nullptr},
    {button, "清空按钮1", 0, {271, 121, 57, 25}, "清空数值", default_gui_font, std::nullopt, true, 6, calc::on_gross_margin_clear},
    {label, "标签10", 0, {87, 154, 352, 13}, "销售毛利率计算公式={（销售收入-销售成本）/销售收入}*100% ", default_gui_font, black, false, 0, nullptr},
    {label, "标签17", 0, {501, 111, 15, 29}, "%", song(32, regular), black, false, 0, nullptr},
    {label, "标签16", 0, {499, 78, 25, 29}, "元", song(20, regular), black, false, 0, nullptr},
    {edit_box, "毛利率编辑框4", 0, {388, 115, 110, 30}, "", no_face(20, bold), black, true, 5, nullptr, "标签15"},
    {label, "标签15", 0, {331, 115, 75, 29}, "毛利率为", song(14, regular), red, false, 0, nullptr},
    {edit_box, "毛利额编辑框3", 0, {388, 80, 110, 30}, "", no_face(20, bold), black, true, 4, nullptr, "标签14"},
    {label, "标签14", 0, {331, 83, 78, 29}, "毛利额为", song(14, regular), red, false, 0, nullptr},
    {button, "毛利率计算结果", 0, {270, 91, 57, 28}, "计算等于", default_gui_font, std::nullopt, true, 3, calc::on_gross_margin_calculate},
    {edit_box, "销售成本编辑框2", 0, {151, 95, 110, 30}, "", no_face(20, bold), black, true, 2, nullptr, "标签19"},
    {edit_box, "销售额收入编辑框1", 0, {19, 96, 110, 30}, "", no_face(21, bold), black, true, 1, nullptr, "标签9"},
    {label, "标签19", 0, {148, 75, 154, 13}, "输入商品成本(销售成本) ", default_gui_font, black, false, 0, nullptr},
    {label, "标签9", 0, {7, 74, 134, 13}, "输入商品售价(销售收入)", default_gui_font, black, false, 0, nullptr},
    // Second page.
    {button, "清空按钮3", 1, {349, 153, 57, 25}, "清空数值", default_gui_font, std::nullopt, true, 6, calc::on_growth_clear},
    {label, "标签22", 1, {412, 165, 101, 14}, "增长(下降)值", song(16, regular), red, false, 0, nullptr},
    {edit_box, "增长值编辑框4", 1, {410, 132, 100, 30}, "", no_face(21, bold), black, true, 17, nullptr, "标签22"},
    {label, "标签21", 1, {411, 81, 100, 14}, "增长(下降)率", song(16, regular), red, false, 0, nullptr},
    {label, "标签8", 1, {145, 103, 63, 13}, "输入上期数", default_gui_font, black, false, 0, nullptr},
    {label, "标签7", 1, {36, 104, 63, 13}, "输入本期数", default_gui_font, black, false, 0, nullptr},
    {label, "标签6", 1, {509, 97, 15, 29}, "%", song(32, regular), black, false, 0, nullptr},
    {edit_box, "增长率编辑框3", 1, {410, 98, 100, 30}, "", no_face(21, bold), black, true, 16, nullptr, "标签21"},
    {button, "增长率计算结果1", 1, {349, 116, 57, 28}, "计算等于", default_gui_font, std::nullopt, true, 15, calc::on_growth_calculate},
    {label, "标签13", 1, {253, 120, 102, 29}, "上期数×100%", song(16, regular), red, false, 0, nullptr},
    {label, "标签20", 1, {226, 119, 27, 29}, ")÷", song(20, bold), red, false, 0, nullptr},
    {label, "标签11", 1, {114, 120, 13, 29}, "-", song(20, bold), red, false, 0, nullptr},
    {label, "标签12", 1, {1, 120, 15, 29}, "(", song(20, bold), red, false, 0, nullptr},
    {edit_box, "上期数编辑框2", 1, {126, 120, 100, 30}, "", no_face(21, bold), black, true, 14, nullptr, "标签8"},
    {label, "标签5", 1, {94, 228, 272, 13}, "也可理解为 =（本期数－上期数）÷上期数×100%", default_gui_font, black, false, 0, nullptr},
    {label, "标签4", 1, {71, 192, 395, 13}, "同期增长率公式 =（本年的指标值-去年同期的值）÷去年同期的值*100%", default_gui_font, black, false, 0, nullptr},
    {edit_box, "本期数编辑框1", 1, {15, 121, 100, 30}, "", no_face(21, bold), black, true, 13, nullptr, "标签7"},
    {label, "标签2", 1, {35, 265, 444, 13}, "也可理解为目标增长率 =（本期A点指标值-本期目标指标值)÷本期目标指标值*100%", default_gui_font, black, false, 0, nullptr},
    {label, "标签1", 1, {164, 46, 199, 37}, "同比(同期\\目标)增长率计算", song(14, bold), black, false, 0, nullptr},
}};

Handler bound_handler(const Window& owner, int event_number) {
    return event_number == window_event::created ? owner.on_created : nullptr;
}

Handler bound_handler(const Control& owner, int event_number) {
    return owner.kind == button && event_number == button_event::click ? owner.on_click : nullptr;
}

std::optional<std::size_t> find_control(std::string_view name) {
    const auto found = std::ranges::find(controls, name, &Control::name);
    if (found == controls.end()) return std::nullopt;
    return static_cast<std::size_t>(found - controls.begin());
}

}  // namespace app::form
