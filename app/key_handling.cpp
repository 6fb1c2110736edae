#include "app/key_handling.h"

#include <QKeyEvent>
#include <QWidget>

#include "app/focus.h"
#include "app/main_window.h"
#include "app/main_window_form.h"
#include "app/program.h"

namespace app {
namespace {

enum class KeyAction { none, focus_forward, focus_backward, enter, close_window };

KeyAction action_for(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (held == Qt::NoModifier) {
        switch (key.key()) {
            case Qt::Key_Tab: return KeyAction::focus_forward;
            case Qt::Key_Return:
            case Qt::Key_Enter: return KeyAction::enter;
            case Qt::Key_Escape: return KeyAction::close_window;
            default: return KeyAction::none;
        }
    }
    // X delivers Shift+Tab as Backtab; synthesised input may deliver it as Tab with Shift.
    if (held == Qt::ShiftModifier && (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab))
        return KeyAction::focus_backward;
    return KeyAction::none;
}

}  // namespace

bool KeyHandling::eventFilter(QObject* receiver, QEvent* event) {
    // A key from the window system passes through here twice, first for the window's QWindow, then for
    // the focused widget: act on the second only.
    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType()) return false;
    MainWindow* window = main_window();
    if (window == nullptr || static_cast<QWidget*>(receiver)->window() != window) return false;

    switch (action_for(*static_cast<QKeyEvent*>(event))) {
        case KeyAction::none: return false;
        case KeyAction::focus_forward: move_focus(*window, true); return true;
        case KeyAction::focus_backward: move_focus(*window, false); return true;
        case KeyAction::enter:
            // No control of the form takes Enter itself and no button is the default button.
            if (form::main_window.enter_moves_focus) move_focus(*window, true);
            return true;
        case KeyAction::close_window:
            if (!form::main_window.escape_closes) return false;
            window->close();
            return true;
    }
    return false;
}

}  // namespace app
