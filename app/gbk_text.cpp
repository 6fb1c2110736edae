#include "app/gbk_text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

namespace app {

std::string to_gbk(const QString& text) {
    static QStringEncoder encoder("GBK");
    encoder.resetState();
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString from_gbk(std::string_view bytes) {
    static QStringDecoder decoder("GBK");
    decoder.resetState();
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace app
