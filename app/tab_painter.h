#pragma once

// The tab control as pure functions: where its tabs go and what it looks like, without a widget.

#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

#include "app/tab_look.h"

namespace app {

// Where the tabs of a control W pixels wide go, for captions c_0 .. c_{n-1} pixels wide and rows h
// pixels high (constants from tab_look):
//
//   w_i  = max(min_tab_width, min(c_i + caption_padding, W - strip_right_margin))
//   x_0  = first_tab_x,  r_0 = 0
//   x_i  = x_{i-1} + w_{i-1},  r_i = r_{i-1}          when x_{i-1} + w_{i-1} + w_i - 1 <= W - strip_right_margin
//   x_i  = first_tab_x,        r_i = r_{i-1} + 1      otherwise (the tab's last column would pass the limit)
//   tab_i = QRect(x_i, first_row_y + r_i * h, w_i, h)
//   page_top = first_row_y + rows * h,  rows = r_{n-1} + 1  (1 when there are no tabs)
//
// So the first tab of a row never wraps, tabs of one row touch, and a tab of the largest width fits a
// row by itself exactly. The page area runs from page_top to the control's bottom over its full width.
struct TabLayout {
    QList<QRect> tabs;  // one per caption, in page order
    int rows = 1;
    int page_top = 0;
};

// max(min_row_height, the font's character height: ascent + descent).
int tab_row_height(const QFont& caption_font);

TabLayout layout_tabs(const QList<int>& caption_widths, int control_width, int row_height);
TabLayout layout_tabs(const QStringList& captions, const QFont& caption_font, int control_width);

// What a tab shows, by its state: under the mouse wins over selected.
tab_look::TabColours tab_colours(bool selected, bool hovered);

// The caption box of a tab: its rectangle less the caption insets.
QRect caption_box(const QRect& tab);

// Everything one repaint of the control draws, as an image of the control's size (RGB32): the
// background, the tabs (each non-selected one in page order, then the selected one), the captions and
// the framed page area opening under the selected tab. `selected` and `hovered` are tab indexes, -1
// (or any index out of range) for none. A tab whose entry in `enabled` is false shows a grey caption;
// missing entries count as enabled. Lines and fills are whole pixels; only the caption text goes
// through the font's rasteriser.
QImage paint_tab_control(QSize size, const QStringList& captions, const QFont& caption_font, int selected,
                         int hovered, const QList<bool>& enabled = {});

}  // namespace app
