// Writes the application icon as the PNG sizes of the hicolor theme:
//   render_icons OUTPUT_DIR SIZE...   ->   OUTPUT_DIR/SIZExSIZE/apps/quellmar.png
// The picture is the one the window shows, drawn by the same code.

#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QString>

#include "app/app_icon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR SIZE...\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = output.filePath(folder + QStringLiteral("/" QUELLMAR_ICON_NAME ".png"));
        if (size <= 0 || !output.mkpath(folder) || !app::application_icon_image(size).save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
