// The monkey's events, each checked as soon as it is made, and what each event must do.

#include "monkey.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <span>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include "app/tab_control.h"
#include "calc/control_text.h"

namespace monkey {

using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t recent_events_kept = 25;

bool is_printable_ascii(QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }

std::discrete_distribution<std::size_t> by_weight(std::span<const double> weights) {
    return std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
}

}  // namespace

Monkey::Monkey(app::MainWindow& window, std::uint64_t seed, bool trace)
    : window_(&window), seed_(seed), trace_(trace), random_(seed), choose_(by_weight(action_weights())),
      page_(window.tab_control().current_index()) {}

void Monkey::act() {
    if (failed()) return;
    const Action& action = actions[choose_(random_)];
    action_ = action.name;
    ++counts_.actions;
    (this->*action.run)();
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
    // Half the keys come as the platform delivers them, through the window (where the main window's key
    // handling sees each key twice), the other half straight to the focused widget.
    const bool through_window = chance(random_, 0.5);
    const QString description = u"%1 on %2%3"_s.arg(what, focus_name(), through_window ? u" (through the window)"_s : QString());
    if (through_window)
        QTest::sendKeyEvent(QTest::Click, window_->windowHandle(), key, text, modifiers);
    else
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
void Monkey::click(QWidget& target, QPoint at, Expectation expected, const QString& what, bool twice) {
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
    expected.hovered_tab = expected_highlight(target, in_window, expected.page != page_);
    const Snapshot before = take_snapshot(*window_);
    if (twice)
        QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, in_window);
    else
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

// The tab that must be highlighted after a click at a point, none where that cannot be known. A click
// where the pointer already rests does not move it, and the highlight stays as it is.
//
// A pointer that lands on a control of the page clears the highlight of the tab it came from, even
// when no point of the tab control lay between (test_tab_highlight); where another window came up under
// the pointer the highlight is unknown until the pointer moves onto the tab control itself or a click
// selects a page.
std::optional<int> Monkey::expected_highlight(const QWidget& target, QPoint in_window, bool selects_page) {
    const QPoint global = window_->mapToGlobal(in_window);
    const bool moves = pointer_ != global;
    pointer_ = global;
    if (selects_page) {
        highlight_known_ = true;
        return -1;
    }
    if (window_->spec_of(&target) != nullptr) return highlight_known_ ? std::optional<int>(-1) : std::nullopt;
    if (moves && &target == &window_->tab_control()) highlight_known_ = true;
    if (!highlight_known_) return std::nullopt;
    return moves ? tab_under(in_window) : window_->tab_control().hovered_index();
}

// The tab at a point of the window, -1 where the tab strip is not what lies there.
int Monkey::tab_under(QPoint in_window) const {
    const app::TabControl& tabs = window_->tab_control();
    if (window_->childAt(in_window) != &tabs) return -1;
    const QPoint in_tabs = tabs.mapFrom(window_.data(), in_window);
    for (int tab = 0; tab < tabs.count(); ++tab)
        if (tabs.tab_rect(tab).contains(in_tabs) && tabs.is_tab_enabled(tab)) return tab;
    return -1;
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
