#pragma once

// The look of the tab control: its colours and its geometry, in pixels. Everything that draws or lays
// out the tab strip takes its numbers from here.

#include <QColor>

namespace app::tab_look {

// Colours of one tab in one state.
struct TabColours {
    QColor fill;
    QColor caption;
};

inline constexpr TabColours normal_tab{QColor(255, 255, 255), QColor(0, 0, 0)};
inline constexpr TabColours hovered_tab{QColor(255, 255, 215), QColor(255, 0, 0)};  // wins over selected
inline constexpr TabColours selected_tab{QColor(236, 236, 236), QColor(0, 0, 255)};
inline constexpr QColor disabled_caption{128, 128, 128};

inline constexpr QColor background{255, 255, 238};  // the whole control, around and behind the tabs
inline constexpr QColor page_fill{236, 236, 236};   // inside the page area's frame
inline constexpr QColor line{192, 96, 0};           // tab outlines and the page area's frame

// Tab strip layout. A tab is as wide as its caption plus caption_padding, at least min_tab_width and
// at most the control's width minus strip_right_margin; a tab whose last column would lie right of
// (control width - strip_right_margin) starts a new row. Rows are min_row_height high, or the caption
// font's height when that is larger.
inline constexpr int first_tab_x = 1;
inline constexpr int first_row_y = 2;
inline constexpr int min_row_height = 20;
inline constexpr int caption_padding = 11;
inline constexpr int min_tab_width = 50;
inline constexpr int strip_right_margin = 3;

// Caption box inside a tab: the tab's rectangle with these insets; the caption is one line, left
// aligned and vertically centred in that box.
inline constexpr int caption_inset_left = 6;
inline constexpr int caption_inset_top = 2;
inline constexpr int caption_inset_right = 4;

// Cut top corners: the outline's top row runs from column corner_cut to column w - corner_cut, and the
// pixels (corner_cut, 1) and (w - corner_cut, 1) close the corners diagonally.
inline constexpr int corner_cut = 2;

}  // namespace app::tab_look
