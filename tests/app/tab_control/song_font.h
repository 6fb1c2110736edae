#pragma once

// The caption font of the main window's tab control: 宋体 at 12 px, regular, drawn without smoothing.

#include <QFont>
#include <QFontInfo>
#include <QString>

namespace tab_test {

inline const QString song_face = QStringLiteral("AR PL UMing CN");

inline QFont caption_font() {
    QFont::insertSubstitution(QStringLiteral("宋体"), song_face);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

inline bool song_face_installed() { return QFontInfo(caption_font()).family() == song_face; }

// The two page captions of the main window.
inline const QStringList form_captions{
    QStringLiteral("                毛利率计算               "),
    QStringLiteral("               同比增长计算              "),
};

}  // namespace tab_test
