#pragma once

// The main window's key handling, ahead of the focused control: Tab and Shift+Tab move the focus along
// the focus cycle, Enter moves it like Tab (no button of the form is a default button, so Enter never
// presses one), Esc closes the window as its close box does. Any other key goes on to the control.

#include <QObject>

namespace app {

class KeyHandling : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;
};

}  // namespace app
