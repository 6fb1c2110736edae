#pragma once

// A monkey: a user who acts on the real main window at random, as a seeded generator draws it, and who
// checks the window after every single event (a key press, an input-method commit, a mouse click).
// An action is one or more events: typing a word, pasting, pressing a focus key, clicking a button or a
// tab. The first failed check stops the monkey; failure() then says what went wrong, where and after
// which events.

#include <cstdint>
#include <array>
#include <deque>
#include <random>
#include <vector>
#include <optional>
#include <string_view>

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/main_window.h"
#include "invariants.h"
#include "random_texts.h"

namespace monkey {

struct Counts {
    long events = 0;
    long actions = 0;
    long calculate_clicks = 0;  // by mouse or Space
    long clear_clicks = 0;
    long page_switches = 0;
    long long_pastes = 0;
};

class Monkey {
public:
    // `trace` prints every event as it is made, for following a run that crashes.
    Monkey(app::MainWindow& window, std::uint64_t seed, bool trace);

    void act();  // one action drawn at random

    const Counts& counts() const { return counts_; }
    bool failed() const { return !failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

private:
    struct Action {
        const char* name;
        double weight;
        void (Monkey::*run)();
    };
    static const std::array<Action, 17> actions;
    static std::vector<double> action_weights();

    // Actions.
    void work_calculator();
    void type_number();
    void retype_number();
    void type_noise();
    void compose_text();
    void paste_short_text();
    void paste_long_text();
    void press_editing_keys();
    void press_control_letter();
    void click_button();
    void press_space();
    void press_focus_key();
    void click_tab();
    void click_box();
    void click_anywhere();
    void leave_and_return();
    void close_and_restart();
    void click_button(std::string_view name);
    void click_tab(int page);
    void click_box(std::string_view name);

    // Events. Each is checked as soon as it is made; none is made after a failure.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text, const QString& what);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    void type(const QString& characters);  // one key press per character
    void paste(const QString& text);       // Ctrl+V with the text on the clipboard
    void compose(const QString& text);     // a preedit, then its commit
    void click(QWidget& target, QPoint at, Expectation expected, const QString& what, bool twice = false);
    void finish(const QString& what, const Snapshot& before, const Expectation& expected);

    // Helpers for the actions.
    std::optional<std::size_t> focused_box() const;
    std::size_t ensure_box_focused();  // clicks a box of the shown page unless one has the focus
    void replace_text(std::size_t box, const QString& text, bool pasting);
    void check_text(std::size_t box, const QString& text);

    // What events must do.
    Expectation nothing_changes() const;
    Expectation for_key(Qt::Key key, Qt::KeyboardModifiers modifiers);  // counts the clicks it foresees
    Expectation for_button(std::string_view button);
    QWidget* cycle_neighbour(bool forward) const;
    int tab_under(QPoint in_window) const;
    std::optional<int> expected_highlight(const QWidget& target, QPoint in_window, bool selects_page);
    QWidget& widget(std::string_view name) const;
    QString focus_name() const;

    void fail(const QString& problem);

    QPointer<app::MainWindow> window_;
    std::uint64_t seed_;
    bool trace_;
    Random random_;
    std::discrete_distribution<std::size_t> choose_;  // an action, by weight
    int page_ = 0;                   // the page the user has chosen
    std::optional<QPoint> pointer_;  // where the last click left the mouse pointer, on the screen
    bool highlight_known_ = true;    // whether the tab highlight can be foreseen (see expected_highlight)
    const char* action_ = "";
    Counts counts_;
    std::deque<QString> recent_;  // the last events, for the report
    QString failure_;
};

}  // namespace monkey
