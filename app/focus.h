#pragma once

// The keyboard focus of the main window. The focus cycle is made afresh at every move: the controls that
// are visible, enabled and may take the focus, by ascending tab number; of two with the same tab number
// the one later in the form comes first.

#include <vector>

#include <QWidget>

namespace app {

class MainWindow;

std::vector<QWidget*> focus_cycle(const MainWindow& window);

QWidget* first_in_focus_cycle(const MainWindow& window);

// Moves the focus from the focused control to the next (forward) or previous control of the cycle, round
// the ends. A focused control outside the cycle moves to its first (forward) or last control; with the
// focus on no control of the window, nothing moves.
void move_focus(MainWindow& window, bool forward);

// The control that gets the focus when a page is shown: of the page's enabled controls that are not
// labels, the one with the lowest tab number, the first in the form on a tie.
QWidget* page_focus_control(const MainWindow& window, int page);

}  // namespace app
