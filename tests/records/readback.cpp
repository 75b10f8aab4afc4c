#include "readback.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zlib.h>

namespace Readback {

Table delimited(const QByteArray &bytes, QChar separator)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    Table rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            any = true;
        } else if (c == separator) {
            row << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\r') && i + 1 < text.size()
                   && text.at(i + 1) == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            any = false;
            ++i;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty() || !row.isEmpty()) {
        row << field;
        rows << row;
    }
    return rows;
}

Table html(const QString &text)
{
    Table rows;
    static const QRegularExpression tr(QStringLiteral("<tr>(.*?)</tr>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<t[hd]>(.*?)</t[hd]>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    for (auto r = tr.globalMatch(text); r.hasNext();) {
        const QString inner = r.next().captured(1);
        QStringList row;
        for (auto c = cell.globalMatch(inner); c.hasNext();) {
            QString t = c.next().captured(1);
            t.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&#39;"), QStringLiteral("'"))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            row << t;
        }
        rows << row;
    }
    return rows;
}

Table rtf(const QByteArray &bytes)
{
    Table rows;
    QStringList row;
    QString cell;
    int skip = 0; // characters after \uN to skip (\uc1)
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\\') {
            const char next = i + 1 < bytes.size() ? bytes.at(i + 1) : '\0';
            if (next == '\\' || next == '{' || next == '}') {
                cell += QLatin1Char(next);
                ++i;
                continue;
            }
            qsizetype j = i + 1;
            QByteArray word;
            while (j < bytes.size() && std::isalpha(uchar(bytes.at(j))))
                word += bytes.at(j++);
            QByteArray number;
            if (j < bytes.size() && (bytes.at(j) == '-' || std::isdigit(uchar(bytes.at(j)))))
                do
                    number += bytes.at(j++);
                while (j < bytes.size() && std::isdigit(uchar(bytes.at(j))));
            if (j < bytes.size() && bytes.at(j) == ' ')
                ++j;
            i = j - 1;
            if (word == "u") {
                cell += QChar(ushort(short(number.toInt())));
                skip = 1;
            } else if (word == "tab") {
                cell += QLatin1Char('\t');
            } else if (word == "line") {
                cell += QLatin1Char('\n');
            } else if (word == "cell") {
                row << cell;
                cell.clear();
            } else if (word == "row") {
                rows << row;
                row.clear();
            } else if (word == "fonttbl") {
                // The font table is no cell text: skip to its closing brace.
                int depth = 1;
                while (i + 1 < bytes.size() && depth > 0) {
                    ++i;
                    if (bytes.at(i) == '{')
                        ++depth;
                    else if (bytes.at(i) == '}')
                        --depth;
                }
            } else if (word == "intbl" || word == "pard" || word == "trowd") {
                if (word != "intbl")
                    cell.clear();
            }
            continue;
        }
        if (c == '{' || c == '}' || c == '\n' || c == '\r')
            continue;
        if (skip > 0) {
            --skip;
            continue;
        }
        cell += QLatin1Char(c);
    }
    return rows;
}

namespace {
quint32 le(const QByteArray &b, qsizetype at, int len)
{
    quint32 v = 0;
    for (int i = len - 1; i >= 0; --i)
        v = (v << 8) | uchar(b.at(at + i));
    return v;
}
} // namespace

QByteArray zipMember(const QString &zipPath, const QString &member)
{
    QFile f(zipPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray zip = f.readAll();
    const qsizetype end = zip.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (end < 0)
        return {};
    const int entries = int(le(zip, end + 10, 2));
    qsizetype at = le(zip, end + 16, 4);
    for (int e = 0; e < entries; ++e) {
        const int method = int(le(zip, at + 10, 2));
        const quint32 packed = le(zip, at + 20, 4);
        const quint32 size = le(zip, at + 24, 4);
        const int nameLen = int(le(zip, at + 28, 2));
        const int extraLen = int(le(zip, at + 30, 2));
        const int commentLen = int(le(zip, at + 32, 2));
        const quint32 local = le(zip, at + 42, 4);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLen));
        at += 46 + nameLen + extraLen + commentLen;
        if (name != member)
            continue;
        const qsizetype data = local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0)
            return raw;
        QByteArray out(qsizetype(size), '\0');
        z_stream s {};
        inflateInit2(&s, -MAX_WBITS);
        s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.data()));
        s.avail_in = uInt(raw.size());
        s.next_out = reinterpret_cast<Bytef *>(out.data());
        s.avail_out = uInt(out.size());
        const int rc = inflate(&s, Z_FINISH);
        inflateEnd(&s);
        return rc == Z_STREAM_END ? out : QByteArray();
    }
    return {};
}

Sheet xlsxSheet(const QString &path)
{
    Sheet sheet;
    QXmlStreamReader xml(zipMember(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    static const QRegularExpression ref(QStringLiteral("^([A-Z]+)(\\d+)$"));
    SheetCell cell;
    int row = -1, column = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            const auto m = ref.match(xml.attributes().value(QLatin1String("r")).toString());
            column = 0;
            for (const QChar ch : m.captured(1))
                column = column * 26 + (ch.unicode() - 'A' + 1);
            --column;
            row = m.captured(2).toInt() - 1;
            cell = {};
            cell.number = xml.attributes().value(QLatin1String("t")).isEmpty();
        } else if (xml.isStartElement()
                   && (xml.name() == QLatin1String("t") || xml.name() == QLatin1String("v"))) {
            cell.text += xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
            while (sheet.size() <= row)
                sheet.append(QList<SheetCell>());
            while (sheet[row].size() <= column)
                sheet[row].append(SheetCell());
            sheet[row][column] = cell;
        }
    }
    return sheet;
}

} // namespace Readback
