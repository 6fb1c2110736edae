// Starts the shell as the program does and, once the main window is shown, does what its one argument
// says, so that a test can watch the process's output and exit status:
//   escape           presses Esc in the focused box
//   unknown-control  reads a box name the form does not have, and dismisses the error box when it shows,
//                    printing "box: <its texts>"; prints "returned" should the read ever return
//   terminate        sends itself SIGTERM, then types into the focused box, which must still happen

#include <csignal>
#include <cstdio>

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/edit_box.h"
#include "app/main_window.h"
#include "app/platform_setup.h"
#include "app/program.h"
#include "calc/control_text.h"

namespace {

void dismiss_error_box_when_shown() {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        poll->stop();
        std::printf("box: %s %s\n", qPrintable(box->text()), qPrintable(box->informativeText()));
        std::fflush(stdout);
        box->accept();
    });
    poll->start(10);
}

void act(const QString& action) {
    if (action == QLatin1String("escape")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else if (action == QLatin1String("unknown-control")) {
        dismiss_error_box_when_shown();
        calc::get_control_text("不存在的编辑框");
        std::printf("returned\n");
    } else if (action == QLatin1String("terminate")) {
        ::kill(::getpid(), SIGTERM);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        if (auto* box = qobject_cast<app::EditBox*>(QApplication::focusWidget()))
            std::printf("typed %s\n", qPrintable(box->text()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!app::prepare_platform()) return 255;
    QApplication application(argc, argv);
    app::platform_started();
    const QString action = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTimer wait_for_window;
    QObject::connect(&wait_for_window, &QTimer::timeout, [&] {
        app::MainWindow* window = app::main_window();
        if (window == nullptr || !window->isActiveWindow()) return;
        wait_for_window.stop();
        act(action);
    });
    wait_for_window.start(10);
    app::program_start();
    std::printf("loop ended\n");
    return app::end_program(app::loop_exit_code());
}
