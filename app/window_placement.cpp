#include "app/window_placement.h"

#include <algorithm>

namespace app {

WindowPlacement place_window(QSize outer_size, QSize minimum_client, const FrameExtents& frame, const QRect& screen) {
    const QSize frame_size(frame.left + frame.right, frame.top + frame.bottom);
    const QSize client = (outer_size - frame_size).expandedTo(minimum_client);
    const QSize outer = client + frame_size;
    // C++ integer division truncates toward zero.
    const QPoint corner(screen.x() + (screen.width() - outer.width()) / 2,
                        screen.y() + (screen.height() - outer.height()) / 2);
    return {corner, client};
}

}  // namespace app
