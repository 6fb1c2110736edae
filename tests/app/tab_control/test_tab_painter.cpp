// The tab control's picture, pixel by pixel, from its drawing rules: no stored screenshots.

#include <QFontMetrics>
#include <QPainter>
#include <QtTest>

#include "app/tab_painter.h"
#include "pixel_checks.h"
#include "song_font.h"

using tab_test::caption_font;
using tab_test::form_captions;
using tab_test::ink_in;
using tab_test::mismatch_in;

namespace {

const QSize form_size(527, 313);

// Where the layout rules put the form's two tabs: captions 246 px wide, tabs 257 px, one row 20 high,
// so the page area starts at 22.
const QRect first_tab(1, 2, 257, 20);
const QRect second_tab(258, 2, 257, 20);
const QRect form_tabs[] = {first_tab, second_tab};
constexpr int form_page_top = 22;

const QColor background(255, 255, 238);
const QColor line(192, 96, 0);
const QColor page_fill(236, 236, 236);
const QColor normal_fill(255, 255, 255);
const QColor hovered_fill(255, 255, 215);
const QColor selected_fill(236, 236, 236);
const QColor normal_caption(0, 0, 0);
const QColor hovered_caption(255, 0, 0);
const QColor selected_caption(0, 0, 255);
const QColor disabled_caption(128, 128, 128);

// Selected and hovered tab of the form's control, and a name for the pair.
struct State {
    const char* name;
    int selected;
    int hovered;
};
const State states[] = {
    {"first selected", 0, -1},
    {"second selected", 1, -1},
    {"first selected, second hovered", 0, 1},
    {"first selected and hovered", 0, 0},
};

QColor fill_of(const State& state, int tab) {
    if (tab == state.hovered) return hovered_fill;
    return tab == state.selected ? selected_fill : normal_fill;
}

QImage paint_form(int selected, int hovered, const QList<bool>& enabled = {}) {
    return app::paint_tab_control(form_size, form_captions, caption_font(), selected, hovered, enabled);
}

// The inside of a tab that only its fill and its caption may colour: columns 2 .. w-2, rows 1 .. h-1,
// without the two corner pixels of the outline.
QList<QPoint> tab_inside(const QRect& tab) {
    QList<QPoint> points;
    for (int y = tab.top() + 1; y <= tab.bottom(); ++y)
        for (int x = tab.left() + 2; x <= tab.right() - 1; ++x)
            if (!(y == tab.top() + 1 && (x == tab.left() + 2 || x == tab.right() - 1))) points.append({x, y});
    return points;
}

}  // namespace

class TabPainterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void form_captions_fit_one_row();
    void layout_rows_and_clamps_data();
    void layout_rows_and_clamps();
    void taller_font_makes_taller_rows();
    void background_around_tabs_data();
    void background_around_tabs();
    void tab_outline_and_cut_corners_data();
    void tab_outline_and_cut_corners();
    void fill_and_caption_colour_by_state_data();
    void fill_and_caption_colour_by_state();
    void caption_placement_data();
    void caption_placement();
    void page_frame_and_opening_data();
    void page_frame_and_opening();
    void wrapped_row_moves_page_area_down();
    void clamped_tab_widths_data();
    void clamped_tab_widths();
};

void TabPainterTest::initTestCase() {
    QVERIFY2(tab_test::song_face_installed(), "the Song face (fonts-arphic-uming) is not installed");
}

void TabPainterTest::form_captions_fit_one_row() {
    const QFontMetrics metrics(caption_font());
    for (const QString& caption : form_captions) QCOMPARE(metrics.horizontalAdvance(caption), 246);
    const app::TabLayout layout = app::layout_tabs(form_captions, caption_font(), form_size.width());
    QCOMPARE(layout.tabs, QList<QRect>({first_tab, second_tab}));
    QCOMPARE(layout.tabs[1].x() + layout.tabs[1].width(), 515);
    QCOMPARE(layout.rows, 1);
    QCOMPARE(layout.page_top, form_page_top);
}

void TabPainterTest::layout_rows_and_clamps_data() {
    QTest::addColumn<QList<int>>("caption_widths");
    QTest::addColumn<int>("control_width");
    QTest::addColumn<QList<QRect>>("tabs");
    QTest::addColumn<int>("page_top");

    QTest::newRow("last column on the limit stays in the row")
        << QList<int>{0, 0} << 103 << QList<QRect>{{1, 2, 50, 20}, {51, 2, 50, 20}} << 22;
    QTest::newRow("last column one past the limit wraps")
        << QList<int>{0, 0} << 102 << QList<QRect>{{1, 2, 50, 20}, {1, 22, 50, 20}} << 42;
    QTest::newRow("width clamps up to 50 until the caption passes 39")
        << QList<int>{39, 40} << 527 << QList<QRect>{{1, 2, 50, 20}, {51, 2, 51, 20}} << 22;
    QTest::newRow("width clamps down to the control width minus 3, the next tab wraps")
        << QList<int>{1000, 0} << 527 << QList<QRect>{{1, 2, 524, 20}, {1, 22, 50, 20}} << 42;
    QTest::newRow("a widest tab after another starts its own row")
        << QList<int>{0, 1000} << 527 << QList<QRect>{{1, 2, 50, 20}, {1, 22, 524, 20}} << 42;
    QTest::newRow("a wrapped row fills up like the first")
        << QList<int>{200, 200, 200, 200} << 527
        << QList<QRect>{{1, 2, 211, 20}, {212, 2, 211, 20}, {1, 22, 211, 20}, {212, 22, 211, 20}} << 42;
    QTest::newRow("three rows") << QList<int>{300, 300, 300} << 527
                                << QList<QRect>{{1, 2, 311, 20}, {1, 22, 311, 20}, {1, 42, 311, 20}} << 62;
    QTest::newRow("no tabs keep one empty row") << QList<int>{} << 527 << QList<QRect>{} << 22;
}

void TabPainterTest::layout_rows_and_clamps() {
    QFETCH(QList<int>, caption_widths);
    QFETCH(int, control_width);
    QFETCH(QList<QRect>, tabs);
    QFETCH(int, page_top);
    const app::TabLayout layout = app::layout_tabs(caption_widths, control_width, 20);
    QCOMPARE(layout.tabs, tabs);
    QCOMPARE(layout.page_top, page_top);
}

// Rows are as high as the caption font when it is higher than 20 px, and the page area follows them.
void TabPainterTest::taller_font_makes_taller_rows() {
    QFont font = caption_font();
    font.setPixelSize(32);
    const int height = QFontMetrics(font).height();
    QVERIFY(height > 20);
    QCOMPARE(app::tab_row_height(font), height);
    QCOMPARE(app::tab_row_height(caption_font()), 20);
    const app::TabLayout layout = app::layout_tabs({QStringLiteral("毛利率")}, font, 527);
    QCOMPARE(layout.tabs, QList<QRect>({QRect(1, 2, 3 * 32 + 11, height)}));
    QCOMPARE(layout.page_top, 2 + height);
}

void TabPainterTest::background_around_tabs_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("hovered");
    QTest::addColumn<QRect>("area");
    const struct {
        const char* name;
        QRect area;
    } areas[] = {
        {"rows 0 and 1 over the full width", QRect(0, 0, 527, 2)},
        {"column 0 beside the tabs", QRect(0, 0, 1, form_page_top)},
        {"strip right of the last tab", QRect(515, 2, 12, 20)},
    };
    for (const State& state : states)
        for (const auto& [name, area] : areas)
            QTest::addRow("%s, %s", name, state.name) << state.selected << state.hovered << area;
}

void TabPainterTest::background_around_tabs() {
    QFETCH(int, selected);
    QFETCH(int, hovered);
    QFETCH(QRect, area);
    const QString mismatch = mismatch_in(paint_form(selected, hovered), area, background);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

// Each pixel class of a tab, in the tab's own columns 0 .. w-1 and rows 0 .. h-1 (w = 257, h = 20).
void TabPainterTest::tab_outline_and_cut_corners_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("hovered");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QRect>("local_area");
    QTest::addColumn<QColor>("colour");
    const int w = 257, h = 20;
    for (const State& state : states)
        for (int tab = 0; tab < 2; ++tab) {
            const QColor fill = fill_of(state, tab);
            const struct {
                const char* name;
                QRect area;
                QColor colour;
            } classes[] = {
                {"top line, columns 2 to w-2", QRect(2, 0, w - 3, 1), line},
                {"left line, column 1 from row 1", QRect(1, 1, 1, h - 1), line},
                {"right line, column w-1 from row 1", QRect(w - 1, 1, 1, h - 1), line},
                {"left corner pixel (2,1)", QRect(2, 1, 1, 1), line},
                {"right corner pixel (w-2,1)", QRect(w - 2, 1, 1, 1), line},
                {"column 0, all rows", QRect(0, 0, 1, h), background},
                {"cut corner (1,0)", QRect(1, 0, 1, 1), background},
                {"cut corner (w-1,0)", QRect(w - 1, 0, 1, 1), background},
                {"fill beside the left corner pixel", QRect(3, 1, 1, 1), fill},
                {"fill beside the right corner pixel", QRect(w - 3, 1, 1, 1), fill},
                {"fill inside the left line", QRect(2, 2, 1, h - 2), fill},
                {"fill inside the right line", QRect(w - 2, 2, 1, h - 2), fill},
            };
            for (const auto& [name, area, colour] : classes)
                QTest::addRow("tab %d %s, %s", tab, name, state.name)
                    << state.selected << state.hovered << tab << area << colour;
        }
}

void TabPainterTest::tab_outline_and_cut_corners() {
    QFETCH(int, selected);
    QFETCH(int, hovered);
    QFETCH(int, tab);
    QFETCH(QRect, local_area);
    QFETCH(QColor, colour);
    const QRect area = local_area.translated(form_tabs[tab].topLeft());
    const QString mismatch = mismatch_in(paint_form(selected, hovered), area, colour);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TabPainterTest::fill_and_caption_colour_by_state_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("hovered");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QColor>("caption");
    QTest::newRow("normal") << 0 << -1 << QList<bool>{} << 1 << normal_fill << normal_caption;
    QTest::newRow("selected") << 0 << -1 << QList<bool>{} << 0 << selected_fill << selected_caption;
    QTest::newRow("hovered") << 0 << 1 << QList<bool>{} << 1 << hovered_fill << hovered_caption;
    QTest::newRow("hovered and selected") << 0 << 0 << QList<bool>{} << 0 << hovered_fill << hovered_caption;
    QTest::newRow("normal first tab, second selected") << 1 << -1 << QList<bool>{} << 0 << normal_fill << normal_caption;
    QTest::newRow("selected second tab") << 1 << -1 << QList<bool>{} << 1 << selected_fill << selected_caption;
    QTest::newRow("disabled") << 0 << -1 << QList<bool>{true, false} << 1 << normal_fill << disabled_caption;
    QTest::newRow("disabled and selected") << 1 << -1 << QList<bool>{true, false} << 1 << selected_fill << disabled_caption;
}

// Inside the outline a tab shows nothing but its fill and its caption.
void TabPainterTest::fill_and_caption_colour_by_state() {
    QFETCH(int, selected);
    QFETCH(int, hovered);
    QFETCH(QList<bool>, enabled);
    QFETCH(int, tab);
    QFETCH(QColor, fill);
    QFETCH(QColor, caption);
    const QImage image = paint_form(selected, hovered, enabled);
    int fill_pixels = 0, caption_pixels = 0;
    for (const QPoint& p : tab_inside(form_tabs[tab])) {
        const QColor colour(image.pixel(p));
        if (colour == fill)
            ++fill_pixels;
        else if (colour == caption)
            ++caption_pixels;
        else
            QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3").arg(p.x()).arg(p.y()).arg(colour.name())));
    }
    QVERIFY2(caption_pixels > 50, qPrintable(QString::number(caption_pixels)));  // five or six characters
    QVERIFY(fill_pixels > caption_pixels);
}

// The caption's pixels are exactly those of its text written from 6 px right of the tab's left edge,
// its 12-px line centred in the 18 rows under the tab's top 2 (so its top 5 and its baseline 16 rows
// below the tab's top), and cut off 4 px before the tab's right edge.
void TabPainterTest::caption_placement_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("leading_spaces");
    QTest::newRow("first tab") << 0 << 16;
    QTest::newRow("second tab") << 1 << 15;
}

void TabPainterTest::caption_placement() {
    QFETCH(int, tab);
    QFETCH(int, leading_spaces);
    const QRect rect = form_tabs[tab];
    QImage expected(form_size, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setFont(caption_font());
        painter.setPen(Qt::black);
        painter.setClipRect(QRect(rect.x() + 6, rect.y() + 2, rect.width() - 10, 18));
        painter.drawText(QPoint(rect.x() + 6, rect.y() + 16), form_captions[tab]);
    }
    const QImage image = paint_form(1 - tab, -1);  // the tab is normal: black on white
    for (const QPoint& p : tab_inside(rect)) {
        const bool inked = QColor(image.pixel(p)) == normal_caption;
        const bool expected_ink = QColor(expected.pixel(p)) == QColor(Qt::black);
        if (inked != expected_ink)
            QFAIL(qPrintable(QStringLiteral("caption pixel (%1,%2) is %3").arg(p.x()).arg(p.y()).arg(inked ? "set" : "clear")));
    }
    // The words stand where the leading spaces (6 px each) put them.
    const int words_left = rect.x() + 6 + 6 * leading_spaces;
    const tab_test::Ink ink = ink_in(image, rect, normal_caption);
    QVERIFY(ink.count > 0);
    QVERIFY2(ink.bounds.left() >= words_left && ink.bounds.left() < words_left + 3,
             qPrintable(QString::number(ink.bounds.left())));
}

void TabPainterTest::page_frame_and_opening_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("hovered");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QColor>("colour");
    const int top = form_page_top, bottom = form_size.height() - 1, right = form_size.width() - 1;
    for (const State& state : states) {
        const QRect tab = form_tabs[state.selected];
        const int open_left = tab.x() + 2, open_right = tab.x() + tab.width() - 2;
        const struct {
            const char* name;
            QRect area;
            QColor colour;
        } parts[] = {
            {"left edge", QRect(0, top, 1, bottom - top + 1), line},
            {"right edge", QRect(right, top, 1, bottom - top + 1), line},
            {"bottom edge", QRect(0, bottom, right + 1, 1), line},
            {"inside", QRect(1, top + 1, right - 1, bottom - top - 1), page_fill},
            {"top edge left of the opening", QRect(0, top, open_left, 1), line},
            {"opening under the selected tab", QRect(open_left, top, open_right - open_left + 1, 1), fill_of(state, state.selected)},
            {"top edge right of the opening", QRect(open_right + 1, top, right - open_right, 1), line},
        };
        for (const auto& [name, area, colour] : parts)
            QTest::addRow("%s, %s", name, state.name) << state.selected << state.hovered << area << colour;
    }
}

void TabPainterTest::page_frame_and_opening() {
    QFETCH(int, selected);
    QFETCH(int, hovered);
    QFETCH(QRect, area);
    QFETCH(QColor, colour);
    const QString mismatch = mismatch_in(paint_form(selected, hovered), area, colour);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

// A third, short tab does not fit beside the form's two: it starts a second row at x = 1, 50 px wide,
// and the page area starts 2 + 20 x 2 = 42 down, opening under that tab when it is selected.
void TabPainterTest::wrapped_row_moves_page_area_down() {
    const QStringList captions = form_captions + QStringList{QStringLiteral("第三页")};
    const QRect third(1, 22, 50, 20);
    const app::TabLayout layout = app::layout_tabs(captions, caption_font(), form_size.width());
    QCOMPARE(layout.tabs, QList<QRect>({first_tab, second_tab, third}));
    QCOMPARE(layout.page_top, 42);

    const QImage image = app::paint_tab_control(form_size, captions, caption_font(), 2, -1);
    const struct {
        const char* name;
        QRect area;
        QColor colour;
    } parts[] = {
        {"third tab's top line", QRect(3, 22, 47, 1), line},
        {"third tab's left line", QRect(2, 23, 1, 19), line},
        {"third tab's right line", QRect(50, 23, 1, 19), line},
        {"third tab's column 0 and cut corners", QRect(1, 22, 2, 1), background},
        {"third tab's right cut corner", QRect(50, 22, 1, 1), background},
        {"second row right of the third tab", QRect(51, 22, 476, 20), background},
        {"page top left of the opening", QRect(0, 42, 3, 1), line},
        {"opening under the third tab", QRect(3, 42, 47, 1), selected_fill},
        {"page top right of the opening", QRect(50, 42, 477, 1), line},
        {"page inside", QRect(1, 43, 525, 269), page_fill},
        {"first tab's bottom row, now a normal tab", QRect(3, 21, 2, 1), normal_fill},
    };
    for (const auto& [name, area, colour] : parts) {
        const QString mismatch = mismatch_in(image, area, colour);
        QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(name, mismatch)));
    }
    QVERIFY(ink_in(image, third, selected_caption).count > 0);
}

// A tab clamped at either end keeps its outline at its clamped edge and its caption 4 px inside it.
void TabPainterTest::clamped_tab_widths_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("tab");
    QTest::newRow("short caption, 50 px") << QStringLiteral("页") << QRect(1, 2, 50, 20);
    QTest::newRow("long caption, control width minus 3") << QString(60, QChar(u'毛')) << QRect(1, 2, 524, 20);
}

void TabPainterTest::clamped_tab_widths() {
    QFETCH(QString, caption);
    QFETCH(QRect, tab);
    QCOMPARE(app::layout_tabs({caption}, caption_font(), form_size.width()).tabs, QList<QRect>({tab}));
    const QImage image = app::paint_tab_control(form_size, {caption}, caption_font(), 0, -1);
    const int last = tab.right();  // column w-1
    const struct {
        const char* name;
        QRect area;
        QColor colour;
    } parts[] = {
        {"top line", QRect(tab.x() + 2, 2, tab.width() - 3, 1), line},
        {"right line", QRect(last, 3, 1, 19), line},
        {"right corner pixel", QRect(last - 1, 3, 1, 1), line},
        {"right cut corner", QRect(last, 2, 1, 1), background},
        {"strip right of the tab", QRect(last + 1, 0, form_size.width() - last - 1, 22), background},
        {"the 3 fill columns before the right line", QRect(last - 3, 4, 3, 18), selected_fill},
    };
    for (const auto& [name, area, colour] : parts) {
        const QString mismatch = mismatch_in(image, area, colour);
        QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(name, mismatch)));
    }
    const tab_test::Ink ink = ink_in(image, tab, selected_caption);
    QVERIFY(ink.count > 0);
    QVERIFY(ink.bounds.left() >= tab.x() + 6);
    QVERIFY(ink.bounds.right() <= last - 4);
    if (tab.width() == form_size.width() - 3) QVERIFY(ink.bounds.right() > last - 4 - 12);  // cut off, not ended
}

QTEST_MAIN(TabPainterTest)
#include "test_tab_painter.moc"
