#pragma once

// The colours of the window and its controls, as RGB triples of 0 to 255. The button-face colour is
// not ours: it comes from the platform's palette.

#include <QColor>

namespace app::colours {

struct Rgb {
    int red;
    int green;
    int blue;

    constexpr QColor to_qcolor() const { return QColor(red, green, blue); }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb white{255, 255, 255};

// Background of the edit boxes; their text colour is the form's.
inline constexpr Rgb edit_box_background = white;

// The platform's standard colour of window and button backgrounds; labels and the window's client area
// are filled with it.
QColor button_face();

}  // namespace app::colours
