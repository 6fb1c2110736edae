#include "app/platform_setup.h"

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

#include <QByteArray>
#include <QList>
#include <QPair>
#include <utility>
#include <QString>
#include <QtGlobal>

#include "app/fatal_error.h"

namespace app {
namespace {

QtMessageHandler previous_handler = nullptr;

// Messages of the platform's start are held back: when it fails, the first of them says best why, and
// only that is printed.
bool platform_starting = true;
QList<QPair<QtMsgType, QString>> held_messages;

void handle_message(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const QString& reason = held_messages.isEmpty() ? message : held_messages.front().second;
        std::fprintf(stderr, "quellmar: %s: %s\n", platform_starting ? "cannot start" : "fatal error",
                     qPrintable(reason.section(QLatin1Char('\n'), 0, 0)));
        std::fflush(stderr);
        _exit(fatal_exit_status);
    }
    if (platform_starting)
        held_messages.append({type, message});
    else if (previous_handler != nullptr)
        previous_handler(type, context, message);
}

bool no_display_configured() {
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

bool prepare_platform() {
    // A box may hold many megabytes. Blocks that large are mapped on their own, at any point in the run,
    // so that the memory goes back to the system as soon as the text is dropped (glibc would otherwise
    // raise the threshold after the first such block and keep the next ones in its heap).
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    previous_handler = qInstallMessageHandler(handle_message);
    if (no_display_configured()) {
        std::fprintf(stderr, "quellmar: cannot start: no display (DISPLAY is not set)\n");
        return false;
    }
    return true;
}

void platform_started() {
    platform_starting = false;
    for (const auto& [type, message] : std::exchange(held_messages, {}))
        if (previous_handler != nullptr) previous_handler(type, QMessageLogContext(), message);
}

}  // namespace app
