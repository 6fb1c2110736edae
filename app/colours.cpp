#include "app/colours.h"

#include <QApplication>
#include <QPalette>

namespace app::colours {

QColor button_face() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

}  // namespace app::colours
