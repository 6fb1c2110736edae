#include "app/gbk_text.h"

#include <algorithm>

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

namespace app {

// GBK keeps ASCII as it is, so the ASCII start of a text, which for a number is usually all of it, is
// narrowed in one pass straight into the result; only the rest goes through the converter.
std::string to_gbk(const QString& text) {
    const QStringView view(text);
    const auto first_wide = std::find_if(view.begin(), view.end(), [](QChar c) { return c.unicode() >= 0x80; });
    const auto ascii = static_cast<std::size_t>(first_wide - view.begin());

    std::string bytes(ascii, '\0');
    std::transform(view.begin(), first_wide, bytes.begin(), [](QChar c) { return static_cast<char>(c.unicode()); });
    if (first_wide == view.end()) return bytes;

    static QStringEncoder encoder("GBK");
    encoder.resetState();
    const QByteArray rest = encoder.encode(view.sliced(static_cast<qsizetype>(ascii)));
    bytes.append(rest.constData(), static_cast<std::size_t>(rest.size()));
    return bytes;
}

QString from_gbk(std::string_view bytes) {
    static QStringDecoder decoder("GBK");
    decoder.resetState();
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace app
