// The monkey's actions: what a user does, each made of one or more events.

#include "monkey.h"

#include <QApplication>
#include <QTest>

#include "app/program.h"
#include "app/tab_control.h"

namespace monkey {

using namespace Qt::StringLiterals;

// The weights say how often each action is drawn.
const std::array<Monkey::Action, 17> Monkey::actions{{
    {"work a calculator", 6, &Monkey::work_calculator},
    {"type a number", 18, &Monkey::type_number},
    {"replace a box's text by a number", 14, &Monkey::retype_number},
    {"type noise", 6, &Monkey::type_noise},
    {"compose through an input method", 5, &Monkey::compose_text},
    {"paste a short text", 5, &Monkey::paste_short_text},
    {"paste a long text", 0.02, &Monkey::paste_long_text},
    {"press editing keys", 12, &Monkey::press_editing_keys},
    {"press Ctrl and a letter", 2, &Monkey::press_control_letter},
    {"click a button", 12, &Monkey::click_button},
    {"press Space", 4, &Monkey::press_space},
    {"press a focus key", 12, &Monkey::press_focus_key},
    {"click a tab", 3, &Monkey::click_tab},
    {"click into a box", 6, &Monkey::click_box},
    {"click anywhere but on a button", 3, &Monkey::click_anywhere},
    {"switch to another window and back", 0.5, &Monkey::leave_and_return},
    {"close with Esc and start again", 0.2, &Monkey::close_and_restart},
}};

std::vector<double> Monkey::action_weights() {
    std::vector<double> weights;
    for (const Action& action : actions) weights.push_back(action.weight);
    return weights;
}

// Typed where the focus is: into a box, or onto a button, which ignores it (a space presses it).
void Monkey::type_number() { type(number_text(random_)); }

void Monkey::retype_number() {
    const std::size_t box = ensure_box_focused();
    const QString text = number_text(random_);
    if (!text.isEmpty()) replace_text(box, text, false);
}

void Monkey::type_noise() { type(typed_noise(random_)); }

void Monkey::compose_text() {
    const QString text = chance(random_, 0.5) ? number_text(random_) : typed_noise(random_);
    if (text.isEmpty()) return;
    const std::size_t box = ensure_box_focused();
    if (chance(random_, 0.5)) {
        key(Qt::Key_A, Qt::ControlModifier);
        compose(text);
        check_text(box, text);
    } else {
        compose(text);
    }
}

void Monkey::paste_short_text() {
    const QString text = pasted_text(random_);
    if (chance(random_, 0.5) && !text.isEmpty() && all_printable(text))
        replace_text(ensure_box_focused(), text, true);
    else
        paste(text);
}

// Over an input box of the shown page, and then its calculator reads it.
void Monkey::paste_long_text() {
    ++counts_.long_pastes;
    std::vector<const Calculator*> shown_calculators;
    for (const Calculator& calculator : calculators())
        if (calculator.page == page_) shown_calculators.push_back(&calculator);
    const Calculator& calculator = *shown_calculators[std::size_t(uniform(random_, 0, int(shown_calculators.size()) - 1))];
    const std::string_view input = calculator.inputs[std::size_t(uniform(random_, 0, 1))];
    click_box(input);
    replace_text(box_index(input), long_pasted_text(random_), true);
    click_button(calculator.calculate);
}

void Monkey::press_editing_keys() {
    static constexpr std::array<Qt::Key, 8> keys{Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,  Qt::Key_End,
                                                 Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Up,    Qt::Key_Down};
    for (int n = uniform(random_, 1, 4); n > 0; --n) {
        if (chance(random_, 0.1)) {
            key(Qt::Key_A, Qt::ControlModifier);
            continue;
        }
        const Qt::Key pressed = keys[uniform(random_, 0, int(keys.size()) - 1)];
        key(pressed, chance(random_, 0.2) ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

// A letter with Ctrl types its control character: Ctrl+A selects all, Ctrl+X, C and V cut, copy and
// paste, Ctrl+Z undoes; the rest do nothing in a box.
void Monkey::press_control_letter() {
    const int letter = uniform(random_, 0, 25);
    key(Qt::Key(Qt::Key_A + letter), Qt::ControlModifier);
}

// As a user who knows what the window is for: show the calculator's page, type a number into each input
// box over what it held, press calculate.
void Monkey::work_calculator() {
    const Calculator& calculator = calculators()[std::size_t(uniform(random_, 0, int(calculators().size()) - 1))];
    if (calculator.page != page_) click_tab(calculator.page);
    for (std::string_view input : calculator.inputs) {
        click_box(input);
        const QString text = number_text(random_);
        if (!text.isEmpty()) replace_text(box_index(input), text, chance(random_, 0.2));
    }
    click_button(calculator.calculate);
}

// Calculate buttons more often than clear buttons, so that results build on earlier inputs.
void Monkey::click_button() {
    std::vector<std::string_view> buttons;
    for (const Calculator& calculator : calculators()) {
        if (calculator.page != page_) continue;
        buttons.push_back(chance(random_, 0.75) ? calculator.calculate : calculator.clear);
    }
    click_button(buttons[uniform(random_, 0, int(buttons.size()) - 1)]);
}

void Monkey::click_button(std::string_view name) {
    QWidget& button = widget(name);
    Expectation expected = for_button(name);
    expected.focus = &button;
    const bool twice = chance(random_, 0.1);  // a double click presses it twice, to the same results
    click(button, button.rect().center(), expected, u"%1 %2"_s.arg(twice ? u"double-click"_s : u"click"_s, name_of(name)), twice);
}

void Monkey::press_space() { key(Qt::Key_Space); }

void Monkey::press_focus_key() {
    switch (uniform(random_, 0, 6)) {
        case 0: key(Qt::Key_Tab); break;
        case 1: key(Qt::Key_Tab, Qt::ShiftModifier); break;
        case 2: key(Qt::Key_Backtab, Qt::ShiftModifier); break;
        case 3: key(Qt::Key_Return); break;
        case 4: key(Qt::Key_Enter); break;
        case 5: key(Qt::Key_Enter, Qt::KeypadModifier); break;
        default: key(Qt::Key_Tab, Qt::ControlModifier); break;  // not a focus move
    }
}

void Monkey::click_tab() { click_tab(uniform(random_, 0, window_->tab_control().count() - 1)); }

void Monkey::click_tab(int page) {
    app::TabControl& tabs = window_->tab_control();
    Expectation expected = nothing_changes();
    if (page != page_) {
        expected.page = page;
        expected.focus = &widget(page_first_control(page));
        ++counts_.page_switches;
    }
    click(tabs, tabs.tab_rect(page).center(), expected, u"click tab %1"_s.arg(page));
    page_ = page;
}

void Monkey::click_box() {
    const std::vector<std::string_view> names = page_controls(page_, true);
    click_box(names[uniform(random_, 0, int(names.size()) - 1)]);
}

void Monkey::click_box(std::string_view name) {
    QWidget& box = widget(name);
    Expectation expected = nothing_changes();
    expected.focus = &box;
    // Anywhere in the box but on its sunken edge.
    const QPoint at(uniform(random_, 3, box.width() - 4), uniform(random_, 3, box.height() - 4));
    click(box, at, expected, u"click into %1"_s.arg(name_of(name)));
}

// A point of the window chosen at random: on a box it takes the focus, on a tab it shows that tab's
// page, on a label, the page area or the window's background it does nothing. Buttons are left out,
// since whether a click on a button's very edge presses it is the style's affair.
void Monkey::click_anywhere() {
    const QPoint at(uniform(random_, 0, window_->width() - 1), uniform(random_, 0, window_->height() - 1));
    QWidget* hit = window_->childAt(at);
    QWidget* control = hit;
    while (control != nullptr && window_->spec_of(control) == nullptr) control = control->parentWidget();
    Expectation expected = nothing_changes();
    expected.focus = focused_control(*window_);
    QWidget& target = control ? *control : hit ? *hit : *window_;
    if (control != nullptr) {
        const app::form::Control& spec = *window_->spec_of(control);
        if (spec.kind == app::form::Kind::button) return;
        if (spec.kind == app::form::Kind::edit_box) expected.focus = control;
    } else if (hit == &window_->tab_control()) {
        const QPoint in_tabs = window_->tab_control().mapFrom(window_.data(), at);
        for (int page = 0; page < window_->tab_control().count(); ++page) {
            if (!window_->tab_control().tab_rect(page).contains(in_tabs) || page == page_) continue;
            expected.page = page;
            expected.focus = &widget(page_first_control(page));
            ++counts_.page_switches;
        }
    }
    click(target, target.mapFrom(window_.data(), at), expected, u"click at (%1, %2) on %3"_s.arg(at.x()).arg(at.y()).arg(target.objectName()));
    page_ = expected.page;
}

// Another window becomes the active one, then the main window again: the control that had the focus has
// it again.
void Monkey::leave_and_return() {
    if (failed()) return;
    Expectation expected = nothing_changes();
    expected.focus = focused_control(*window_);
    const Snapshot before = take_snapshot(*window_);
    QWidget other;
    other.setWindowTitle(u"another program"_s);
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other)) return fail(u"another window could not be made active"_s);
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.data())) return fail(u"the main window did not become active again"_s);
    // The other window came up under the pointer without the pointer crossing into it, as a screen would
    // report it: what the tab control makes of that is unknown.
    highlight_known_ = false;
    finish(u"switch to another window and back"_s, before, expected);
}

// Esc closes the window from whatever has the focus; the program started again shows a new window with
// empty boxes, the first page and the focus in its first box.
void Monkey::close_and_restart() {
    if (failed()) return;
    const QString description = u"Esc on %1, then a new window"_s.arg(focus_name());
    const QPointer<app::MainWindow> closing = window_;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!closing.isNull()) {
        ++counts_.events;
        return fail(u"%1: the window is still open"_s.arg(description));
    }
    app::load_main_window();
    window_ = app::main_window();
    if (window_.isNull() || !QTest::qWaitForWindowActive(window_.data())) {
        ++counts_.events;
        return fail(u"%1: the new window did not open"_s.arg(description));
    }
    page_ = 0;
    Expectation expected = nothing_changes();
    expected.focus = &widget(page_first_control(0));
    for (std::size_t box = 0; box < boxes.size(); ++box) {
        expected.may_change.set(box);
        expected.required.emplace_back(box, std::nullopt);
    }
    finish(description, Snapshot{}, expected);
}

}  // namespace monkey
