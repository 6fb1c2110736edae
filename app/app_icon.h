#pragma once

#include <QIcon>

namespace app {

// The application's icon, drawn here: a blue tile with a white percent sign over a rising bar.
QIcon application_icon();

}  // namespace app
