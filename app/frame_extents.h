#pragma once

// Asks the X window manager how thick a frame it will put around a window that is not mapped yet
// (_NET_REQUEST_FRAME_EXTENTS), so the window can be sized and placed by its outer size from its first
// frame. On other platforms, or when the window manager does not answer in time, the frame counts as
// none.

#include <chrono>
#include <optional>

#include <QWidget>

#include "app/window_placement.h"

namespace app {

class FrameExtentsQuery {
public:
    // Creates the window's native window, still unmapped, and sends the request.
    explicit FrameExtentsQuery(QWidget& window);

    // The window manager's answer, waiting at most `timeout` for it; none without an answer.
    std::optional<FrameExtents> answer(std::chrono::milliseconds timeout) const;

private:
    void* connection_ = nullptr;  // xcb_connection_t, null off X11 or without a window manager
    unsigned window_ = 0;
    unsigned extents_atom_ = 0;
};

}  // namespace app
