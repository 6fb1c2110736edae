#pragma once

// The controls of the form as Qt widgets: making one from its row of the form, and reading and replacing
// its text whatever its kind.

#include <QString>
#include <QWidget>

#include "app/main_window_form.h"

namespace app {

// Makes the control as a hidden child of `parent`, with the settings of its kind and its own row. It
// raises its row's events through dispatch_event.
QWidget* make_control(const form::Control& spec, QWidget* parent);

QString control_text(const form::Control& spec, const QWidget& control);

// For an edit box, raises its content-changed event once the text is in place.
void set_control_text(const form::Control& spec, QWidget& control, const QString& text);

}  // namespace app
