#include "monkey.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include "app/program.h"
#include "app/tab_control.h"
#include "calc/control_text.h"

namespace monkey {
namespace {

using namespace Qt::StringLiterals;

constexpr std::size_t recent_events_kept = 25;

QString name_of(std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); }

std::size_t box_index(std::string_view name) {
    return std::size_t(std::ranges::find(boxes, name) - boxes.begin());
}

bool is_printable_ascii(QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }

// The boxes and buttons of a page.
std::vector<std::string_view> page_controls(int page, bool want_boxes) {
    std::vector<std::string_view> names;
    for (std::string_view name : focus_cycle(page))
        if ((std::ranges::find(boxes, name) != boxes.end()) == want_boxes) names.push_back(name);
    return names;
}

}  // namespace

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

Monkey::Monkey(app::MainWindow& window, std::uint64_t seed, bool trace)
    : window_(&window), seed_(seed), trace_(trace), random_(seed), page_(window.tab_control().current_index()) {}

void Monkey::act() {
    if (failed()) return;
    static const std::discrete_distribution<std::size_t> choose = [] {
        std::vector<double> weights;
        for (const Action& action : actions) weights.push_back(action.weight);
        return std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
    }();
    std::discrete_distribution<std::size_t> draw = choose;
    const Action& action = actions[draw(random_)];
    action_ = action.name;
    ++counts_.actions;
    (this->*action.run)();
}

// --- Actions ----------------------------------------------------------------------------------------

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
    click(button, button.rect().center(), expected, u"click %1"_s.arg(name_of(name)));
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

// --- Helpers of the actions ------------------------------------------------------------------------

std::optional<std::size_t> Monkey::focused_box() const {
    QWidget* control = focused_control(*window_);
    if (control == nullptr) return std::nullopt;
    const std::size_t box = box_index(window_->spec_of(control)->name);
    if (box == boxes.size()) return std::nullopt;
    return box;
}

std::size_t Monkey::ensure_box_focused() {
    if (const std::optional<std::size_t> box = focused_box()) return *box;
    click_box();
    return focused_box().value_or(0);  // after a failed click, nothing more is done anyway
}

// Select all, then type or paste the text over the selection.
void Monkey::replace_text(std::size_t box, const QString& text, bool pasting) {
    key(Qt::Key_A, Qt::ControlModifier);
    if (pasting)
        paste(text);
    else
        type(text);
    check_text(box, text);
}

void Monkey::check_text(std::size_t box, const QString& text) {
    if (failed()) return;
    if (QString problem = check_box_text(*window_, box, text); !problem.isEmpty()) fail(problem);
}

// --- Events ------------------------------------------------------------------------------------------

void Monkey::key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text, const QString& what) {
    if (failed()) return;
    const Expectation expected = for_key(key, modifiers);
    const Snapshot before = take_snapshot(*window_);
    const QString description = u"%1 on %2"_s.arg(what, focus_name());
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, text, modifiers);
    QCoreApplication::processEvents();  // repaints, as between a user's keys
    finish(description, before, expected);
}

// The text a keyboard gives with the key: a letter with Ctrl gives its control character.
void Monkey::key(Qt::Key pressed, Qt::KeyboardModifiers modifiers) {
    const QString what = QKeySequence(modifiers | pressed).toString();
    const bool control_letter = (modifiers & Qt::ControlModifier) && pressed >= Qt::Key_A && pressed <= Qt::Key_Z;
    const char ascii = control_letter ? char(pressed - Qt::Key_A + 1) : QTest::keyToAscii(pressed);
    key(pressed, modifiers, ascii != 0 ? QString(QChar(ascii)) : QString(), what);
}

void Monkey::type(const QString& characters) {
    for (const QChar c : characters) {
        const Qt::Key code = is_printable_ascii(c) ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown;
        key(code, Qt::NoModifier, QString(c), u"type \"%1\""_s.arg(shown(QString(c))));
    }
}

void Monkey::paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    key(Qt::Key_V, Qt::ControlModifier, u"\x16"_s, u"Ctrl+V of \"%1\""_s.arg(shown(text)));
}

// An input method shows the text being composed, then commits it. Only a widget that takes input-method
// text gets either.
void Monkey::compose(const QString& text) {
    if (failed()) return;
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || !target->testAttribute(Qt::WA_InputMethodEnabled)) return;
    // Composing over a selection may remove the selected text at once, or only with the commit.
    Expectation expected = nothing_changes();
    expected.focus = focused_control(*window_);
    if (const std::optional<std::size_t> box = focused_box()) expected.may_change.set(*box);
    Snapshot before = take_snapshot(*window_);
    QInputMethodEvent preedit(text, {});
    QApplication::sendEvent(target, &preedit);
    QCoreApplication::processEvents();
    finish(u"compose \"%1\" in %2"_s.arg(shown(text), focus_name()), before, expected);
    if (failed()) return;

    before = take_snapshot(*window_);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(target, &commit);
    QCoreApplication::processEvents();
    finish(u"commit \"%1\" in %2"_s.arg(shown(text), focus_name()), before, expected);
}

// A press and release of the left button at a point of the target, delivered through the window as the
// platform delivers it: the widget under the point gets it.
void Monkey::click(QWidget& target, QPoint at, const Expectation& expected, const QString& what) {
    if (failed()) return;
    const QPoint in_window = target.mapTo(window_.data(), at);
    QWidget* hit = window_->childAt(in_window);
    if (hit == nullptr) hit = window_.data();  // its own background
    if (hit != &target && !target.isAncestorOf(hit)) {
        ++counts_.events;
        fail(u"%1: the point (%2, %3) lies on %4, not on the target"_s.arg(what)
                 .arg(in_window.x()).arg(in_window.y()).arg(hit ? hit->objectName() : u"nothing"_s));
        return;
    }
    const Snapshot before = take_snapshot(*window_);
    QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, in_window);
    finish(what, before, expected);
}

void Monkey::finish(const QString& what, const Snapshot& before, const Expectation& expected) {
    ++counts_.events;
    const QString line = u"#%1 %2%3"_s.arg(counts_.events).arg(what, expected.note);
    if (trace_) std::fprintf(stderr, "%s\n", qPrintable(line));
    recent_.push_back(line);
    if (recent_.size() > recent_events_kept) recent_.pop_front();
    if (window_.isNull()) return fail(u"the main window is gone"_s);
    if (QString problem = check_event(*window_, before, expected); !problem.isEmpty()) fail(problem);
}

// --- Expectations ----------------------------------------------------------------------------------

Expectation Monkey::nothing_changes() const {
    Expectation expected;
    expected.page = page_;
    return expected;
}

// Tab, Enter and Return without Ctrl, Alt or Shift move the focus forward, Shift+Tab backward; Space on
// a button presses it; any other key goes to the focused control, and only a focused box may change.
Expectation Monkey::for_key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    const bool forward = held == Qt::NoModifier && (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter);
    const bool backward = held == Qt::ShiftModifier && (key == Qt::Key_Tab || key == Qt::Key_Backtab);
    QWidget* focused = focused_control(*window_);
    Expectation expected = nothing_changes();
    if (forward || backward) {
        expected.focus = cycle_neighbour(forward);
        return expected;
    }
    if (focused == nullptr) return expected;
    const std::string_view name = window_->spec_of(focused)->name;
    if (const std::size_t box = box_index(name); box < boxes.size()) {
        expected.may_change.set(box);
        expected.focus = focused;
    } else if (key == Qt::Key_Space && held == Qt::NoModifier) {
        expected = for_button(name);
        expected.focus = focused;
    }
    return expected;
}

// A calculate button writes its two results as the formulas give them for the input boxes' texts of
// this moment; a clear button empties its calculator's four boxes.
Expectation Monkey::for_button(std::string_view button) {
    Expectation expected = nothing_changes();
    for (const Calculator& calculator : calculators()) {
        if (button == calculator.calculate) {
            ++counts_.calculate_clicks;
            const std::string first = calc::get_control_text(calculator.inputs[0]).value_or("");
            const std::string second = calc::get_control_text(calculator.inputs[1]).value_or("");
            const Results results = calculator.formula(first, second);
            expected.note = u" with \"%1\" and \"%2\", expecting \"%3\" and \"%4\""_s.arg(
                shown(box_text(*window_, box_index(calculator.inputs[0]))), shown(box_text(*window_, box_index(calculator.inputs[1]))),
                QString::fromStdString(results.first), QString::fromStdString(results.second));
            for (std::size_t i = 0; i < 2; ++i) expected.may_change.set(box_index(calculator.results[i]));
            expected.required = {{box_index(calculator.results[0]), results.first},
                                 {box_index(calculator.results[1]), results.second}};
        } else if (button == calculator.clear) {
            ++counts_.clear_clicks;
            for (std::string_view box : {calculator.inputs[0], calculator.inputs[1], calculator.results[0], calculator.results[1]}) {
                expected.may_change.set(box_index(box));
                expected.required.emplace_back(box_index(box), std::nullopt);
            }
        }
    }
    return expected;
}

// The control that Tab (forward) or Shift+Tab goes to from the focused one, along the shown page's
// cycle; nullptr where the focus is on no control, since then nothing moves.
QWidget* Monkey::cycle_neighbour(bool forward) const {
    QWidget* focused = focused_control(*window_);
    if (focused == nullptr) return nullptr;
    const auto cycle = focus_cycle(page_);
    const auto at = std::ranges::find(cycle, window_->spec_of(focused)->name);
    if (at == cycle.end()) return &widget(forward ? cycle.front() : cycle.back());
    const std::size_t i = std::size_t(at - cycle.begin());
    return &widget(cycle[(i + (forward ? 1 : cycle.size() - 1)) % cycle.size()]);
}

QWidget& Monkey::widget(std::string_view name) const { return *window_->control(name); }

QString Monkey::focus_name() const {
    QWidget* control = focused_control(*window_);
    return control ? control->objectName() : u"(no control)"_s;
}

void Monkey::fail(const QString& problem) {
    QString report = u"seed %1, event %2, action \"%3\": %4\nthe last events:\n"_s.arg(seed_).arg(counts_.events).arg(action_, problem);
    for (const QString& line : recent_) report += u"  "_s + line + u'\n';
    report += u"the boxes:\n"_s;
    if (!window_.isNull())
        for (std::size_t box = 0; box < boxes.size(); ++box)
            report += u"  %1 \"%2\"\n"_s.arg(name_of(boxes[box]), shown(box_text(*window_, box)));
    report += u"to repeat: QUELLMAR_MONKEY_SEED=%1 QUELLMAR_MONKEY_EVENTS=%2"_s.arg(seed_).arg(counts_.events);
    failure_ = report;
}

}  // namespace monkey
