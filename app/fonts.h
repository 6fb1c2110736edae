#pragma once

// Every font of the window, given by face, pixel size and weight. Sizes are pixels (the em height) and
// never points, so no screen resolution or desktop scale factor changes them.

#include <QFont>

namespace app {

enum class FontFace {
    song,         // 宋体, mapped to the Song face installed on this machine
    no_face,      // the platform's default face
    default_gui,  // the default GUI font: the Song face at default_gui_pixel_size
};

struct FontSpec {
    FontFace face;
    int pixel_size;
    int weight;  // 400 regular, 700 bold

    friend constexpr bool operator==(const FontSpec&, const FontSpec&) = default;
};

inline constexpr int regular = 400;
inline constexpr int bold = 700;

// The 13-pixel labels of the form were laid out for a 12-pixel Song face.
inline constexpr int default_gui_pixel_size = 12;
inline constexpr FontSpec default_gui_font{FontFace::default_gui, default_gui_pixel_size, regular};

constexpr FontSpec song(int pixel_size, int weight) { return {FontFace::song, pixel_size, weight}; }
constexpr FontSpec no_face(int pixel_size, int weight) { return {FontFace::no_face, pixel_size, weight}; }

// The family name the form uses for the Song face.
inline constexpr char16_t song_family[] = u"宋体";

// Text at or below this pixel size is drawn without antialiasing, so the Song face's crisp built-in
// bitmaps are used.
inline constexpr int largest_unsmoothed_pixel_size = 16;

// Maps 宋体 to the installed Song face (or, when it is missing, to a Chinese face the platform has),
// remembers the platform's default face and makes the default GUI font the application font. Call once,
// after the QApplication exists.
void install_fonts();

QFont make_font(const FontSpec& spec);

}  // namespace app
