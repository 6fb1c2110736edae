#pragma once

// Where the main window goes and how large its client area is. The form gives the window's outer size,
// frame included; the window manager's frame is measured before the window is first mapped.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace app {

struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    friend constexpr bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

struct WindowPlacement {
    QPoint frame_position;  // outer top-left corner
    QSize client_size;
};

// The outer rectangle centred on the screen, each corner coordinate screen + (screen size - outer size) / 2
// with the division rounded toward zero, so a window larger than the screen gets negative coordinates.
// The client area is the outer size less the frame, but never less than minimum_client; a window
// manager with a thick frame makes the window larger instead.
WindowPlacement place_window(QSize outer_size, QSize minimum_client, const FrameExtents& frame, const QRect& screen);

}  // namespace app
