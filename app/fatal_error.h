#pragma once

// Fatal errors of the shell: a modal message box, then the end of the process with status 255 (-1).

#include <QString>

namespace app {

// Holds all events for good, forgets the end-of-program routine, shows `what` under a general message and
// ends the process once the user has dismissed the box. Never returns.
[[noreturn]] void fatal_error(const QString& what);

// Called by fatal_error before the box, so that the end-of-program routine is not run.
void forget_end_of_program_routine();

// The process's status after a fatal error.
inline constexpr int fatal_exit_status = 255;

}  // namespace app
