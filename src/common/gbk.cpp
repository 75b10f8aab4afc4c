#include "gbk.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Gbk {

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    const auto ucs4 = text.toUcs4();
    for (uint u : ucs4) {
        const char32_t cp = u;
        if (cp < 0x80) {
            out += char(cp);
            continue;
        }
        QStringEncoder enc("GBK", QStringConverter::Flag::Stateless);
        const QString one = QString::fromUcs4(&cp, 1);
        QByteArray bytes = enc.encode(one);
        // ICU substitutes unmappable characters instead of failing; a round trip tells.
        QStringDecoder dec("GBK", QStringConverter::Flag::Stateless);
        const QString back = dec.decode(bytes);
        if (enc.hasError() || bytes.isEmpty() || back != one)
            out += '?';
        else
            out += bytes;
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    // Real GBK text is almost never valid UTF-8, so a file that is valid UTF-8 with
    // non-ASCII bytes was written by a UTF-8 editor.
    bool ascii = true;
    for (char c : bytes)
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString viaUtf8 = utf8.decode(bytes);
        if (!utf8.hasError())
            return viaUtf8;
    }
    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    return gbk.decode(bytes);
}

int byteLength(const QString &text)
{
    return int(encode(text).size());
}

} // namespace Gbk
