// The tab control widget driven by mouse events on the offscreen platform: hover, page selection,
// the current_changed signal and the repaints they cause.

#include <QSignalSpy>
#include <QtTest>

#include "app/tab_control.h"
#include "song_font.h"

namespace {

const QColor normal_fill(255, 255, 255);
const QColor hovered_fill(255, 255, 215);
const QColor selected_fill(236, 236, 236);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// Shows the control at the form's size with the pointer over its page area, away from the tabs.
bool show_with_pointer_on_page(app::TabControl& tabs) {
    tabs.resize(527, 313);
    tabs.show();
    if (!QTest::qWaitForWindowExposed(&tabs)) return false;
    QTest::mouseMove(&tabs, QPoint(200, 150));
    return tabs.hovered_index() == -1;
}

// A pixel inside a tab that its caption never covers: just inside its top-left corner.
QPoint fill_pixel(const QRect& tab) { return tab.topLeft() + QPoint(3, 2); }

}  // namespace

class TabControlTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void mouse_hovers_and_selects_pages();
    void leaving_the_control_clears_the_hover();
    void other_buttons_and_disabled_tabs_change_nothing();
};

void TabControlTest::initTestCase() {
    QVERIFY2(tab_test::song_face_installed(), "the Song face (fonts-arphic-uming) is not installed");
}

// A test that stopped between a press and its release leaves QTest's button state pressed.
void TabControlTest::cleanup() {
    if (!QTest::currentTestFailed()) return;
    QWidget any;
    QTest::mouseRelease(&any, Qt::LeftButton);
}

void TabControlTest::mouse_hovers_and_selects_pages() {
    app::TabControl tabs(tab_test::form_captions, tab_test::caption_font());
    PaintCounter paints;
    tabs.installEventFilter(&paints);
    QSignalSpy changed(&tabs, &app::TabControl::current_changed);
    QVERIFY(show_with_pointer_on_page(tabs));
    QCOMPARE(tabs.focusPolicy(), Qt::NoFocus);
    QCOMPARE(tabs.current_index(), 0);
    QCOMPARE(tabs.hovered_index(), -1);

    const QRect first = tabs.tab_rect(0), second = tabs.tab_rect(1);
    QCOMPARE(first, QRect(1, 2, 257, 20));
    QCOMPARE(second, QRect(258, 2, 257, 20));
    const auto pixel = [&](const QRect& tab) { return QColor(tabs.grab().toImage().pixel(fill_pixel(tab))); };
    QCOMPARE(pixel(first), selected_fill);
    QCOMPARE(pixel(second), normal_fill);

    // Hover follows the pointer and repaints when it changes tab.
    int before = paints.count;
    QTest::mouseMove(&tabs, second.center());
    QCOMPARE(tabs.hovered_index(), 1);
    QTRY_VERIFY(paints.count > before);
    QCOMPARE(pixel(second), hovered_fill);

    // ... but not while it stays over the same tab.
    QTest::qWait(50);
    before = paints.count;
    QTest::mouseMove(&tabs, second.center() + QPoint(5, 1));
    QCOMPARE(tabs.hovered_index(), 1);
    QTest::qWait(100);
    QCOMPARE(paints.count, before);

    QTest::mouseMove(&tabs, first.center());
    QCOMPARE(tabs.hovered_index(), 0);
    QCOMPARE(pixel(first), hovered_fill);  // under the mouse wins over selected
    QCOMPARE(pixel(second), normal_fill);
    QTest::mouseMove(&tabs, QPoint(520, 10));  // the strip right of the tabs
    QCOMPARE(tabs.hovered_index(), -1);
    QTest::mouseMove(&tabs, QPoint(200, 150));  // the page area
    QCOMPARE(tabs.hovered_index(), -1);

    // Pressing on the shown page's tab changes nothing.
    QTest::mouseMove(&tabs, first.center());
    QTest::mousePress(&tabs, Qt::LeftButton, {}, first.center());
    QTest::mouseRelease(&tabs, Qt::LeftButton, {}, first.center());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(tabs.current_index(), 0);
    QCOMPARE(tabs.hovered_index(), 0);

    // Pressing on the other tab selects it, clears the hover until the pointer moves, and repaints.
    QTest::mouseMove(&tabs, second.center());
    QTest::qWait(50);
    before = paints.count;
    QTest::mousePress(&tabs, Qt::LeftButton, {}, second.center());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 1);
    QCOMPARE(tabs.current_index(), 1);
    QCOMPARE(tabs.hovered_index(), -1);
    QTRY_VERIFY(paints.count > before);
    QTest::mouseRelease(&tabs, Qt::LeftButton, {}, second.center());
    QCOMPARE(tabs.hovered_index(), -1);
    QCOMPARE(pixel(second), selected_fill);
    QCOMPARE(pixel(first), normal_fill);

    QTest::mouseMove(&tabs, second.center() + QPoint(1, 0));
    QCOMPARE(tabs.hovered_index(), 1);
    QCOMPARE(pixel(second), hovered_fill);

    QTest::mouseMove(&tabs, first.center());
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, first.center());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), 0);
    QCOMPARE(tabs.current_index(), 0);
    QCOMPARE(tabs.hovered_index(), -1);
}

void TabControlTest::leaving_the_control_clears_the_hover() {
    app::TabControl tabs(tab_test::form_captions, tab_test::caption_font());
    QVERIFY(show_with_pointer_on_page(tabs));
    QTest::mouseMove(&tabs, tabs.tab_rect(1).center());
    QCOMPARE(tabs.hovered_index(), 1);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&tabs, &leave);
    QCOMPARE(tabs.hovered_index(), -1);
    QCOMPARE(QColor(tabs.grab().toImage().pixel(fill_pixel(tabs.tab_rect(1)))), normal_fill);
}

void TabControlTest::other_buttons_and_disabled_tabs_change_nothing() {
    app::TabControl tabs(tab_test::form_captions, tab_test::caption_font());
    QSignalSpy changed(&tabs, &app::TabControl::current_changed);
    QVERIFY(show_with_pointer_on_page(tabs));
    const QPoint second = tabs.tab_rect(1).center();
    QTest::mouseClick(&tabs, Qt::RightButton, {}, second);
    QTest::mouseClick(&tabs, Qt::MiddleButton, {}, second);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(tabs.current_index(), 0);

    QTest::mouseMove(&tabs, second);
    QCOMPARE(tabs.hovered_index(), 1);
    tabs.set_tab_enabled(1, false);
    QVERIFY(!tabs.is_tab_enabled(1));
    QCOMPARE(tabs.hovered_index(), -1);
    QTest::mouseMove(&tabs, second + QPoint(1, 0));
    QCOMPARE(tabs.hovered_index(), -1);
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, second);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(tabs.current_index(), 0);
}

QTEST_MAIN(TabControlTest)
#include "test_tab_control.moc"
