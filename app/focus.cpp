#include "app/focus.h"

#include <algorithm>
#include <ranges>

#include <QApplication>

#include "app/main_window.h"
#include "app/main_window_form.h"
#include "app/tab_control.h"

namespace app {
namespace {

struct Candidate {
    QWidget* widget;
    int tab_number;
};

}  // namespace

std::vector<QWidget*> focus_cycle(const MainWindow& window) {
    std::vector<Candidate> candidates;
    for (std::size_t row = form::controls.size(); row-- > 0;) {
        QWidget& control = window.control(row);
        if (form::controls[row].takes_focus && control.isVisibleTo(&window) && control.isEnabled())
            candidates.push_back({&control, form::controls[row].tab_number});
    }
    // Collected from the end of the form, so a stable sort puts the later of equal tab numbers first.
    std::ranges::stable_sort(candidates, {}, &Candidate::tab_number);
    std::vector<QWidget*> cycle;
    cycle.reserve(candidates.size());
    for (const Candidate& c : candidates) cycle.push_back(c.widget);
    return cycle;
}

QWidget* first_in_focus_cycle(const MainWindow& window) {
    const std::vector<QWidget*> cycle = focus_cycle(window);
    return cycle.empty() ? nullptr : cycle.front();
}

void move_focus(MainWindow& window, bool forward) {
    QWidget* focused = QApplication::focusWidget();
    const bool on_a_control = focused != nullptr && (window.spec_of(focused) != nullptr || focused == &window.tab_control());
    if (!on_a_control) return;
    const std::vector<QWidget*> cycle = focus_cycle(window);
    if (cycle.empty()) return;
    const auto at = std::ranges::find(cycle, focused);
    QWidget* target = nullptr;
    if (at == cycle.end())
        target = forward ? cycle.front() : cycle.back();
    else if (forward)
        target = std::next(at) == cycle.end() ? cycle.front() : *std::next(at);
    else
        target = at == cycle.begin() ? cycle.back() : *std::prev(at);
    if (target != focused) target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

QWidget* page_focus_control(const MainWindow& window, int page) {
    QWidget* best = nullptr;
    int best_tab_number = 0;
    for (std::size_t row = 0; row < form::controls.size(); ++row) {
        const form::Control& spec = form::controls[row];
        QWidget& control = window.control(row);
        if (spec.page != page || spec.kind == form::Kind::label || !control.isEnabled()) continue;
        if (best == nullptr || spec.tab_number < best_tab_number) {
            best = &control;
            best_tab_number = spec.tab_number;
        }
    }
    return best;
}

}  // namespace app
