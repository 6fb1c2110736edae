#include "app/event_dispatch.h"

#include "app/handler_reads.h"

namespace app {
namespace {

int hold_count = 0;
bool held_for_good = false;

void call(form::Handler handler) {
    if (handler == nullptr || events_held()) return;
    const HandlerReads reads;
    handler();
}

}  // namespace

void raise_event_hold() { ++hold_count; }

void lower_event_hold() {
    if (hold_count > 0) --hold_count;
}

void hold_events_for_good() { held_for_good = true; }

bool events_held() { return held_for_good || hold_count > 0; }

void dispatch_event(const form::Window& owner, int event_number) { call(form::bound_handler(owner, event_number)); }

void dispatch_event(const form::Control& owner, int event_number) { call(form::bound_handler(owner, event_number)); }

}  // namespace app
