#include "app/program.h"

#include <cfenv>
#include <chrono>
#include <new>

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include "app/app_icon.h"
#include "app/event_dispatch.h"
#include "app/fatal_error.h"
#include "app/focus.h"
#include "app/fonts.h"
#include "app/frame_extents.h"
#include "app/key_handling.h"
#include "app/main_window.h"
#include "app/main_window_form.h"
#include "app/platform_setup.h"
#include "app/program_routines.h"
#include "app/termination_signals.h"
#include "app/window_placement.h"

namespace app {
namespace {

using Routine = void (*)();

QPointer<MainWindow> the_main_window;
Routine end_of_program_routine = nullptr;
bool loop_running = false;
int quit_code = 0;

// The window manager answers within a few milliseconds; without an answer the frame counts as none.
constexpr std::chrono::milliseconds frame_extents_timeout{100};

void on_main_window_destroyed() {
    dispatch_event(form::main_window, form::window_event::destroyed);
    if (loop_running) QCoreApplication::exit(0);
}

QRect primary_screen_geometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) fatal_error(QStringLiteral("找不到屏幕。"));
    return screen->geometry();
}

// A window made native before it is shown has static gravity on X11: its position is the client's.
void place(MainWindow& window, const FrameExtents& frame) {
    const form::Window& settings = form::main_window;
    const WindowPlacement placement =
        place_window(QSize(settings.outer_size.width, settings.outer_size.height),
                     QSize(settings.minimum_client_size.width, settings.minimum_client_size.height), frame,
                     primary_screen_geometry());
    window.setFixedSize(placement.client_size);
    const QPoint client_position = placement.frame_position + QPoint(frame.left, frame.top);
    window.move(client_position);
    // Moving a hidden widget does not reach its native window; the window manager must see the position as
    // the program's own choice, or it places the window itself.
    if (QWindow* native = window.windowHandle()) native->setPosition(client_position);
}

}  // namespace

int run_program(int argc, char** argv) {
    if (!prepare_platform()) return fatal_exit_status;
    QApplication application(argc, argv);
    platform_started();
    try {
        program_start();
    } catch (const std::bad_alloc&) {
        fatal_error(QStringLiteral("内存不足。"));
    }
    return end_program(quit_code);
}

int program_start() {
    initialise_shell();
    reset_floating_point();
    prepare_program();
    end_of_program_routine = on_program_end;
    load_main_window();
    quit_code = run_message_loop();
    return 0;
}

void initialise_shell() {
    install_fonts();
    QApplication::setWindowIcon(application_icon());
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(new KeyHandling(qApp));
}

void reset_floating_point() {
    // The default environment: round to nearest, all exceptions masked (and on x87, 64-bit precision).
    std::fesetenv(FE_DFL_ENV);
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__GLIBC__)
    fedisableexcept(FE_ALL_EXCEPT);
#endif
}

void load_main_window() {
    QCoreApplication::processEvents();
    raise_event_hold();

    auto* window = new MainWindow;
    the_main_window = window;
    // Fixed before the window manager is asked, so that it measures the frame of a window it may not resize.
    window->setFixedSize(QSize(form::main_window.outer_size.width, form::main_window.outer_size.height));
    QObject::connect(window, &QObject::destroyed, &on_main_window_destroyed);
    const FrameExtentsQuery frame_query(*window);  // answered while the controls are made
    window->build_controls();
    place(*window, frame_query.answer(frame_extents_timeout).value_or(FrameExtents{}));

    QCoreApplication::processEvents();
    lower_event_hold();

    for (int event : {form::window_event::created, form::window_event::moved, form::window_event::resized})
        if (the_main_window) dispatch_event(form::main_window, event);
    if (!the_main_window) return;

    window->show();
    window->activateWindow();
    if (QWidget* first = first_in_focus_cycle(*window)) first->setFocus(Qt::ActiveWindowFocusReason);
}

int run_message_loop() {
    // A window closed while it was being built leaves nothing to run.
    if (!the_main_window) return 0;
    end_on_termination_signals();
    loop_running = true;
    return QApplication::exec();
}

int loop_exit_code() { return quit_code; }

int end_program(int exit_code) {
    hold_events_for_good();
    if (const Routine routine = std::exchange(end_of_program_routine, nullptr)) routine();
    return exit_code;
}

void forget_end_of_program_routine() { end_of_program_routine = nullptr; }

MainWindow* main_window() { return the_main_window.data(); }

}  // namespace app
