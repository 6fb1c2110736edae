#pragma once

// The program's life: start-up, the main window, the message loop and the end.
//
//   run_program -> program_start -> prepare_program -> on_program_end registered -> load_main_window
//               -> run_message_loop (the handlers run inside it) -> end_program(the loop's exit code)

namespace app {

class MainWindow;

// The whole program: prepares the platform, runs program_start, then ends. Returns the process's exit
// status: 0 after the main window has closed, 255 when no display can be opened.
int run_program(int argc, char** argv);

// Initialises the shell, resets the floating-point state, prepares, builds the window and runs the loop.
// Returns 0 once the loop has ended.
int program_start();

// Everything the shell sets up before any window: fonts, the application icon, the key handling.
void initialise_shell();

// Rounding to nearest, every floating-point exception masked.
void reset_floating_point();

// Builds the main window from its form with events held, raises its created, moved and resized events,
// shows it centred on the primary screen and puts the focus on its first control.
void load_main_window();

// Delivers messages until the main window has closed; returns the quit request's code.
int run_message_loop();

// The code of the quit request that ended the message loop.
int loop_exit_code();

// Holds events for good and calls the registered end-of-program routine once. Returns the exit code.
int end_program(int exit_code);

// The main window while it exists, nullptr before and after.
MainWindow* main_window();

}  // namespace app
