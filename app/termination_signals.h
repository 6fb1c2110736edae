#pragma once

// SIGTERM, SIGINT and SIGHUP, as a session's end or a terminal sends them, end the program as closing
// its window does: the event in hand is finished, the window closes, the end-of-program routine runs
// and the exit status is 0. The signal handler only writes a byte into a pipe; the message loop reads it.

namespace app {

// Installs the handlers; called when the message loop starts, so that before it a signal still ends
// the process at once.
void end_on_termination_signals();

}  // namespace app
