#include "app/tab_painter.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

namespace app {

namespace look = tab_look;

int tab_row_height(const QFont& caption_font) {
    return std::max(look::min_row_height, QFontMetrics(caption_font).height());
}

TabLayout layout_tabs(const QList<int>& caption_widths, int control_width, int row_height) {
    const int limit = control_width - look::strip_right_margin;  // last column a tab may reach
    TabLayout layout;
    int x = look::first_tab_x;
    int row = 0;
    for (const int caption_width : caption_widths) {
        const int w = std::max(look::min_tab_width, std::min(caption_width + look::caption_padding, limit));
        if (x != look::first_tab_x && x + w - 1 > limit) {
            x = look::first_tab_x;
            ++row;
        }
        layout.tabs.append(QRect(x, look::first_row_y + row * row_height, w, row_height));
        x += w;
    }
    layout.rows = row + 1;
    layout.page_top = look::first_row_y + layout.rows * row_height;
    return layout;
}

TabLayout layout_tabs(const QStringList& captions, const QFont& caption_font, int control_width) {
    const QFontMetrics metrics(caption_font);
    QList<int> widths;
    for (const QString& caption : captions) widths.append(metrics.horizontalAdvance(caption));
    return layout_tabs(widths, control_width, tab_row_height(caption_font));
}

look::TabColours tab_colours(bool selected, bool hovered) {
    if (hovered) return look::hovered_tab;
    return selected ? look::selected_tab : look::normal_tab;
}

QRect caption_box(const QRect& tab) {
    return tab.adjusted(look::caption_inset_left, look::caption_inset_top, -look::caption_inset_right, 0);
}

namespace {

void set_pixel(QPainter& painter, int x, int y, const QColor& colour) { painter.fillRect(x, y, 1, 1, colour); }

// The caption on one line, its line box (the font's height) centred in the caption box, rounding up,
// starting at the box's left edge and cut off at its right edge.
void draw_caption(QPainter& painter, const QRect& tab, const QString& caption, const QColor& colour) {
    const QRect box = caption_box(tab);
    const QFontMetrics metrics(painter.font());
    const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    painter.save();
    painter.setClipRect(box);
    painter.setPen(colour);
    painter.drawText(QPoint(box.left(), baseline), caption);
    painter.restore();
}

// A tab of width w and height h, in its own columns 0..w-1 and rows 0..h-1: filled, outlined on top
// (columns 2..w-2), left (column 1) and right (column w-1) from row 1 down, the two corner pixels
// (2,1) and (w-2,1) set, and column 0 and the pixels (1,0) and (w-1,0) in the background colour.
void draw_tab(QPainter& painter, const QRect& tab, const QString& caption, const look::TabColours& colours,
              const QColor& caption_colour) {
    const int x = tab.x(), y = tab.y(), w = tab.width(), h = tab.height();
    const int cut = look::corner_cut;
    painter.fillRect(tab, colours.fill);
    painter.fillRect(x + cut, y, w - 2 * cut + 1, 1, look::line);
    painter.fillRect(x + 1, y + 1, 1, h - 1, look::line);
    painter.fillRect(x + w - 1, y + 1, 1, h - 1, look::line);
    set_pixel(painter, x + cut, y + 1, look::line);
    set_pixel(painter, x + w - cut, y + 1, look::line);
    painter.fillRect(x, y, 1, h, look::background);
    set_pixel(painter, x + 1, y, look::background);
    set_pixel(painter, x + w - 1, y, look::background);
    draw_caption(painter, tab, caption, caption_colour);
}

// The page area: its inside filled, a one-pixel frame, and the frame's top line under the selected
// tab (over that tab's top-line columns) in the selected tab's fill, so that the tab opens into it.
void draw_page_area(QPainter& painter, const QRect& area, const QRect* selected_tab, const QColor& opening) {
    if (area.isEmpty()) return;
    painter.fillRect(area.adjusted(1, 1, -1, -1), look::page_fill);
    painter.fillRect(area.x(), area.y(), area.width(), 1, look::line);
    painter.fillRect(area.x(), area.bottom(), area.width(), 1, look::line);
    painter.fillRect(area.x(), area.y(), 1, area.height(), look::line);
    painter.fillRect(area.right(), area.y(), 1, area.height(), look::line);
    if (selected_tab) {
        const int cut = look::corner_cut;
        painter.fillRect(selected_tab->x() + cut, area.y(), selected_tab->width() - 2 * cut + 1, 1, opening);
    }
}

}  // namespace

QImage paint_tab_control(QSize size, const QStringList& captions, const QFont& caption_font, int selected,
                         int hovered, const QList<bool>& enabled) {
    QImage image(size, QImage::Format_RGB32);
    const TabLayout layout = layout_tabs(captions, caption_font, size.width());
    const int count = int(captions.size());
    const bool has_selected = selected >= 0 && selected < count;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(caption_font);
    painter.fillRect(image.rect(), look::background);

    const auto draw = [&](int i) {
        const look::TabColours colours = tab_colours(i == selected, i == hovered);
        const bool is_enabled = i >= enabled.size() || enabled[i];
        draw_tab(painter, layout.tabs[i], captions[i], colours, is_enabled ? colours.caption : look::disabled_caption);
    };
    for (int i = 0; i < count; ++i)
        if (i != selected) draw(i);
    if (has_selected) draw(selected);

    const QRect page_area(0, layout.page_top, size.width(), size.height() - layout.page_top);
    const QColor opening = has_selected ? tab_colours(true, selected == hovered).fill : QColor();
    draw_page_area(painter, page_area, has_selected ? &layout.tabs[selected] : nullptr, opening);
    return image;
}

}  // namespace app
