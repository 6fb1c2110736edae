// Access to the texts of the window's boxes, by control name (UTF-8).
// Texts are GBK bytes. Defined by whoever links quellmar_calc: the window
// shell, or a test's in-memory store.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The box's current text; nullopt for an empty box.
std::optional<std::string> get_control_text(std::string_view control_name);

// Replaces the whole text of the box.
void set_control_text(std::string_view control_name, std::string_view text);

}  // namespace calc
