#pragma once

// What assistive technologies see of an edit box: editable text named by its accessible name, with its
// value, cursor and selection readable through the text interface.

namespace app {

class EditBox;

// Registers the factory with Qt's accessibility; safe to call more than once.
void install_edit_box_accessibility();

// Tells an active screen reader that the box's text, cursor or selection changed.
void notify_accessibility(EditBox& box, bool text_changed);

}  // namespace app
