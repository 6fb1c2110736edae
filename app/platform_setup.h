#pragma once

// What must be settled before the QApplication exists.

namespace app {

// Turns off every desktop scale factor (places and sizes are pixels), and makes a failure to open the
// display print one line and end the process with status 255 instead of aborting. Returns false, after
// printing that line, when there is no display to open at all.
bool prepare_platform();

// Call once the QApplication exists: passes on the messages held back while the platform started.
void platform_started();

}  // namespace app
