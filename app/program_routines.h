#pragma once

// The program's own routines around the calculators' handlers. They do nothing; the shell calls them at
// their points of the program's life.

namespace app {

// Called once the shell is initialised, before on_program_end is registered.
void prepare_program();

// The end-of-program routine: called once at a normal end, never after a fatal error.
void on_program_end();

// Bound to the main window's created event; runs before the window is first shown.
void on_main_window_created();

}  // namespace app
