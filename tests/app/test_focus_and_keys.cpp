// Keys and focus: the two focus cycles in both directions, the tie between equal tab numbers, the focus
// on a page switch and after deactivation, Enter as Tab, Space as a click, Esc as the close box.

#include <QSignalSpy>
#include <QTest>

#include "app/event_dispatch.h"
#include "app/focus.h"
#include "app/tab_control.h"
#include "shell_fixture.h"

using namespace shell_test;
using namespace Qt::StringLiterals;

namespace {

const QStringList first_page_cycle{
    u"销售额收入编辑框1"_s, u"销售成本编辑框2"_s, u"毛利率计算结果"_s,   u"毛利额编辑框3"_s,
    u"毛利率编辑框4"_s,     u"清空按钮1"_s,       u"商品成本编辑框5"_s,  u"商品毛利率编辑框6"_s,
    u"售价计算结果1"_s,     u"销售价格编辑框7"_s, u"销售价格编辑框8"_s, u"清空按钮2"_s};
const QStringList second_page_cycle{u"清空按钮3"_s,     u"本期数编辑框1"_s, u"上期数编辑框2"_s,
                                    u"增长率计算结果1"_s, u"增长率编辑框3"_s, u"增长值编辑框4"_s};

void click_tab(int index) {
    app::TabControl& tabs = window().tab_control();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tab_rect(index).center());
}

void press_on_focused(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

}  // namespace

class FocusAndKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    SHELL_FIXTURE

    void first_box_has_the_focus_when_shown() { QCOMPARE(focused_name(), u"销售额收入编辑框1"_s); }

    void focus_cycles_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("cycle");
        QTest::addColumn<Qt::Key>("backward_key");
        QTest::newRow("first page, Shift+Tab") << 0 << first_page_cycle << Qt::Key_Tab;
        QTest::newRow("first page, Backtab") << 0 << first_page_cycle << Qt::Key_Backtab;
        QTest::newRow("second page, Shift+Tab") << 1 << second_page_cycle << Qt::Key_Tab;
        QTest::newRow("second page, Backtab") << 1 << second_page_cycle << Qt::Key_Backtab;
    }
    void focus_cycles() {
        QFETCH(int, page);
        QFETCH(QStringList, cycle);
        QFETCH(Qt::Key, backward_key);
        if (page == 1) click_tab(1);
        QCOMPARE(focused_name(), cycle.front());
        for (qsizetype step = 1; step <= cycle.size(); ++step) {
            press_on_focused(Qt::Key_Tab);
            QCOMPARE(focused_name(), cycle[step % cycle.size()]);
        }
        for (qsizetype step = cycle.size() - 1; step >= 0; --step) {
            press_on_focused(backward_key, Qt::ShiftModifier);
            QCOMPARE(focused_name(), cycle[step]);
        }
    }

    // 清空按钮1 and 清空按钮3 share tab number 6: with both visible the later one in the form goes first.
    void equal_tab_numbers_put_the_later_control_first() {
        control("清空按钮3").show();
        const std::vector<QWidget*> cycle = app::focus_cycle(window());
        const auto at = [&](std::string_view name) { return std::ranges::find(cycle, &control(name)) - cycle.begin(); };
        QCOMPARE(at("清空按钮3") + 1, at("清空按钮1"));
        QCOMPARE(at("毛利率编辑框4") + 1, at("清空按钮3"));
        QCOMPARE(at("清空按钮1") + 1, at("商品成本编辑框5"));
    }

    void a_focus_outside_the_cycle_enters_it_at_its_ends() {
        window().tab_control().setFocusPolicy(Qt::StrongFocus);  // force the tab control to hold the focus
        window().tab_control().setFocus();
        press_on_focused(Qt::Key_Tab);
        QCOMPARE(focused_name(), first_page_cycle.front());
        window().tab_control().setFocus();
        press_on_focused(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused_name(), first_page_cycle.back());
    }

    void page_switch_shows_exactly_the_page_and_focuses_its_first_control() {
        box("销售成本编辑框2").set_text(u"88"_s);
        QSignalSpy changed(&window().tab_control(), &app::TabControl::current_changed);
        click_tab(1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(focused_name(), u"清空按钮3"_s);
        for (std::size_t row = 0; row < app::form::controls.size(); ++row)
            QCOMPARE(window().control(row).isVisible(), app::form::controls[row].page == 1);
        click_tab(1);  // the shown page's tab changes nothing
        QCOMPARE(changed.count(), 1);
        click_tab(0);
        QCOMPARE(focused_name(), u"销售额收入编辑框1"_s);
        QCOMPARE(box("销售成本编辑框2").text(), u"88"_s);
        for (std::size_t row = 0; row < app::form::controls.size(); ++row)
            QCOMPARE(window().control(row).isVisible(), app::form::controls[row].page == 0);
    }

    void enter_moves_like_tab_and_never_clicks_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers{};
        QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers{Qt::KeypadModifier};
    }
    void enter_moves_like_tab_and_never_clicks() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QSignalSpy clicked(&button("毛利率计算结果"), &QPushButton::clicked);
        box("销售额收入编辑框1").set_text(u"100"_s);
        for (qsizetype step = 1; step <= first_page_cycle.size(); ++step) {
            press_on_focused(key, modifiers);
            QCOMPARE(focused_name(), first_page_cycle[step % first_page_cycle.size()]);
        }
        QCOMPARE(clicked.count(), 0);
        QVERIFY(box("毛利额编辑框3").text().isEmpty());
        QCOMPARE(box("销售额收入编辑框1").text(), u"100"_s);
    }

    void ctrl_tab_is_not_a_focus_move() {
        press_on_focused(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(focused_name(), first_page_cycle.front());
    }

    void space_presses_the_focused_button_and_runs_its_handler() {
        box("商品成本编辑框5").setFocus();
        QTest::keyClicks(&box("商品成本编辑框5"), u"100"_s);
        press_on_focused(Qt::Key_Tab);
        QTest::keyClicks(&box("商品毛利率编辑框6"), u"30"_s);
        press_on_focused(Qt::Key_Tab);
        QCOMPARE(focused_name(), u"售价计算结果1"_s);
        press_on_focused(Qt::Key_Space);
        QCOMPARE(box("销售价格编辑框7").text(), u"142.8571428571"_s);
        QCOMPARE(box("销售价格编辑框8").text(), u"42.8571428571"_s);
        press_on_focused(Qt::Key_Tab);
        press_on_focused(Qt::Key_Tab);
        press_on_focused(Qt::Key_Tab);
        QCOMPARE(focused_name(), u"清空按钮2"_s);
        press_on_focused(Qt::Key_Space);
        for (const char* name : {"商品成本编辑框5", "商品毛利率编辑框6", "销售价格编辑框7", "销售价格编辑框8"})
            QVERIFY2(box(name).text().isEmpty(), name);
    }

    void held_events_run_no_handler() {
        box("销售额收入编辑框1").set_text(u"5"_s);
        app::raise_event_hold();
        button("清空按钮1").click();
        app::lower_event_hold();
        QCOMPARE(box("销售额收入编辑框1").text(), u"5"_s);
        button("清空按钮1").click();
        QVERIFY(box("销售额收入编辑框1").text().isEmpty());
    }

    void focus_returns_after_another_window_was_active() {
        box("商品毛利率编辑框6").setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QCOMPARE(focused_name(), u"商品毛利率编辑框6"_s);
    }

    void escape_closes_the_window_from_any_control_data() {
        QTest::addColumn<QString>("focused");
        QTest::newRow("edit box") << u"毛利额编辑框3"_s;
        QTest::newRow("button") << u"清空按钮2"_s;
    }
    void escape_closes_the_window_from_any_control() {
        QFETCH(QString, focused);
        window().findChild<QWidget*>(focused)->setFocus();
        QPointer<app::MainWindow> shown = &window();
        press_on_focused(Qt::Key_Escape);
        QTRY_VERIFY(shown.isNull());  // closed and destroyed
        QVERIFY(open_window());       // for cleanup()
    }
};

QTEST_MAIN(FocusAndKeysTest)
#include "test_focus_and_keys.moc"
