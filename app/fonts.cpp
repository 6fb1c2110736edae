#include "app/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace app {
namespace {

// The preferred Song face; when it is missing, the first face that writes Simplified Chinese.
const QString preferred_song_face = QStringLiteral("AR PL UMing CN");

QString& platform_default_family() {
    static QString family;
    return family;
}

QString installed_song_face() {
    if (QFontDatabase::hasFamily(preferred_song_face)) return preferred_song_face;
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? preferred_song_face : chinese.front();
}

}  // namespace

void install_fonts() {
    platform_default_family() = QApplication::font().family();
    QFont::insertSubstitution(QString::fromUtf16(song_family), installed_song_face());
    QApplication::setFont(make_font(default_gui_font));
}

QFont make_font(const FontSpec& spec) {
    QFont font;
    if (spec.face == FontFace::no_face)
        font.setFamily(platform_default_family());
    else
        font.setFamily(QString::fromUtf16(song_family));
    font.setPixelSize(spec.pixel_size);
    font.setWeight(QFont::Weight(spec.weight));
    if (spec.pixel_size <= largest_unsmoothed_pixel_size) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace app
