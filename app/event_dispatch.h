#pragma once

// Delivery of the window's and the controls' events to the handlers the form binds to them. Handlers run
// synchronously on the user-interface thread. While the event hold count is above zero no handler runs:
// it is raised while the window is being built, and for good once the program ends or fails.

#include "app/main_window_form.h"

namespace app {

void raise_event_hold();
void lower_event_hold();
void hold_events_for_good();
bool events_held();

// Calls the handler bound to this event of this owner, if there is one and events are not held.
void dispatch_event(const form::Window& owner, int event_number);
void dispatch_event(const form::Control& owner, int event_number);

}  // namespace app
