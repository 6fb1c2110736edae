#include "app/fatal_error.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMessageBox>

#include "app/event_dispatch.h"
#include "app/main_window.h"
#include "app/program.h"

namespace app {

void fatal_error(const QString& what) {
    hold_events_for_good();
    forget_end_of_program_routine();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quellmar"), QStringLiteral("程序发生严重错误，必须退出。"),
                    QMessageBox::Ok, main_window());
    box.setInformativeText(what);
    box.exec();
    std::fflush(nullptr);
    std::_Exit(fatal_exit_status);
}

}  // namespace app
