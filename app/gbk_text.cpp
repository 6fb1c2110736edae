#include "app/gbk_text.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

namespace app {
namespace {

// The characters Unicode calls default-ignorable: soft hyphen, zero-width space and joiners, direction
// marks, word joiner, byte order mark, variation selectors, tags and the like. None is in GBK, and the
// converter drops them without a trace, so that "1", a zero-width space and "5" would read as 15;
// they become "?" like every other character GBK lacks.
constexpr std::pair<char32_t, char32_t> default_ignorable[] = {
    {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
    {0x180B, 0x180F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
    {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

bool is_default_ignorable(char32_t c) {
    return std::any_of(std::begin(default_ignorable), std::end(default_ignorable),
                       [c](const auto& range) { return range.first <= c && c <= range.second; });
}

// Converts the stretches between default-ignorable characters, and writes "?" for each of those.
void append_converted(std::string& bytes, QStringView text) {
    static QStringEncoder encoder("GBK");
    const auto append = [&](QStringView part) {
        if (part.isEmpty()) return;
        encoder.resetState();
        const QByteArray converted = encoder.encode(part);
        bytes.append(converted.constData(), static_cast<std::size_t>(converted.size()));
    };
    qsizetype stretch = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair) c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (c < 0xAD || !is_default_ignorable(c)) {
            i += pair;
            continue;
        }
        append(text.sliced(stretch, i - stretch));
        bytes += '?';
        i += pair;
        stretch = i + 1;
    }
    append(text.sliced(stretch));
}

}  // namespace

// GBK keeps ASCII as it is, so the ASCII start of a text, which for a number is usually all of it, is
// narrowed in one pass straight into the result; only the rest goes through the converter.
std::string to_gbk(const QString& text) {
    const QStringView view(text);
    const auto first_wide = std::find_if(view.begin(), view.end(), [](QChar c) { return c.unicode() >= 0x80; });
    const auto ascii = static_cast<std::size_t>(first_wide - view.begin());

    std::string bytes(ascii, '\0');
    std::transform(view.begin(), first_wide, bytes.begin(), [](QChar c) { return static_cast<char>(c.unicode()); });
    if (first_wide == view.end()) return bytes;

    append_converted(bytes, view.sliced(static_cast<qsizetype>(ascii)));
    return bytes;
}

QString from_gbk(std::string_view bytes) {
    static QStringDecoder decoder("GBK");
    decoder.resetState();
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace app
