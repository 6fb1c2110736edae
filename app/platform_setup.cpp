#include "app/platform_setup.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "app/fatal_error.h"

namespace app {
namespace {

QtMessageHandler previous_handler = nullptr;

// Qt reports a platform it cannot start as a fatal message and would then abort.
void handle_message(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (previous_handler != nullptr) previous_handler(type, context, message);
        return;
    }
    std::fprintf(stderr, "quellmar: cannot start: %s\n", qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
    std::fflush(stderr);
    _exit(fatal_exit_status);
}

bool no_display_configured() {
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

bool prepare_platform() {
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

}  // namespace app
