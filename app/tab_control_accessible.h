#pragma once

// What assistive technologies see of the tab control: a page tab list whose first children are its
// page tabs, named by their captions without the padding spaces, the shown one selected, each
// pressable to show its page; the page controls follow as further children.

namespace app {

// Registers the factory with Qt's accessibility; safe to call more than once.
void install_tab_control_accessibility();

}  // namespace app
