#pragma once

// The form of the main window: its settings, the tab control's settings and every control of the two
// pages, in stacking order (a control covers every later control of the list that it overlaps). The
// window is built from this table and nothing else; names and texts are UTF-8.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "app/colours.h"
#include "app/fonts.h"

namespace app::form {

using Handler = void (*)();

enum class Kind { label, edit_box, button };

struct Rect {
    int left;  // from the tab control's top-left corner
    int top;
    int width;
    int height;
};

struct Size {
    int width;
    int height;
};

struct Point {
    int x;
    int y;
};

struct Control {
    Kind kind;
    std::string_view name;  // unique in the form
    int page;               // 0: first page, 1: second page
    Rect rect;
    std::string_view text;
    FontSpec font;
    std::optional<colours::Rgb> text_colour;  // none: the platform's button text colour
    bool takes_focus;                         // part of the focus cycle
    int tab_number;                           // 0 for controls that do not take the focus
    Handler on_click;                         // buttons only; nullptr for none
    std::string_view label_beside = {};       // edit boxes: the name of the label that says what they hold
};

struct Window {
    std::string_view title;
    Size outer_size;            // title bar and frame included
    Point stored_position;      // not used: the window is centred on the screen
    Size minimum_client_size;   // the tab control's right and bottom edges plus a 7-pixel margin
    bool enter_moves_focus;
    bool escape_closes;
    bool f1_opens_help;
    Handler on_created;
};

struct TabControlSettings {
    Point place;  // in the window's client area
    Size size;
    std::array<std::string_view, 2> captions;
    FontSpec caption_font;
    int first_page;
};

// Event numbers within each kind of owner.
namespace window_event {
inline constexpr int created = 0;
inline constexpr int moved = 1;
inline constexpr int resized = 2;
inline constexpr int close_query = 3;
inline constexpr int destroyed = 4;
}  // namespace window_event
namespace button_event {
inline constexpr int click = 0;
}
namespace edit_box_event {
inline constexpr int content_changed = 0;
}

extern const Window main_window;
extern const TabControlSettings tab_control;
extern const std::array<Control, 49> controls;

// The handler bound to an event of an owner, nullptr when none is.
Handler bound_handler(const Window& owner, int event_number);
Handler bound_handler(const Control& owner, int event_number);

// Index of the control with this name in `controls`, none for an unknown name.
std::optional<std::size_t> find_control(std::string_view name);

}  // namespace app::form
