#pragma once

#include <QIcon>
#include <QImage>

namespace app {

// The application's icon, drawn here: a blue tile with a white percent sign over a rising bar.
QIcon application_icon();

// The same picture at one size, square, on a transparent ground; needs no running application, so the
// build can render the installed theme icons from it.
QImage application_icon_image(int size);

}  // namespace app
