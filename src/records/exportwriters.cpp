// The five export formats. Every writer gets the grid's titles, then its rows one by one
// from a forward-only query, so an export of any size holds one row at a time.
#include "exportgrid.h"

#include "data/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cstdio>
#include <memory>

namespace {

// Excel holds at most this many characters in a cell.
constexpr qsizetype MaxCellText = 32767;

struct Cell
{
    QVariant value;
    QString text;
};

// Characters below the blank other than tab and line breaks are not allowed in XML and
// mean nothing in a document.
QString withoutControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r'))
            out += c;
    return out;
}

class Writer
{
public:
    virtual ~Writer() = default;
    virtual void header(const QList<GridColumn> &columns) = 0;
    virtual void row(const QList<Cell> &cells) = 0;
    // Makes the file the target; false leaves the target as it was.
    virtual void finish() = 0;
};

// Text formats go through a QSaveFile: nothing replaces the target until commit.
class StreamWriter : public Writer
{
public:
    explicit StreamWriter(const QString &path)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly))
            throw ExportError(
                QStringLiteral("无法写入文件 %1：%2").arg(path, m_file.errorString()));
    }
    ~StreamWriter() override
    {
        if (m_file.isOpen())
            m_file.cancelWriting();
    }

    void finish() override
    {
        trailer();
        flush();
        if (!m_file.commit())
            throw ExportError(
                QStringLiteral("无法写入文件 %1：%2").arg(m_file.fileName(), m_file.errorString()));
    }

protected:
    virtual void trailer() { }
    void put(const QByteArray &bytes)
    {
        m_buffer += bytes;
        if (m_buffer.size() > (1 << 16))
            flush();
    }
    void put(const QString &text) { put(text.toUtf8()); }

private:
    void flush()
    {
        if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
            throw ExportError(
                QStringLiteral("无法写入文件 %1：%2").arg(m_file.fileName(), m_file.errorString()));
        m_buffer.clear();
    }

    QSaveFile m_file;
    QByteArray m_buffer;
};

// Tab- or comma-separated. Fields holding the separator, a quote or a line break are
// quoted with inner quotes doubled (RFC 4180), so every cell reads back as it was.
class DelimitedWriter : public StreamWriter
{
public:
    DelimitedWriter(const QString &path, QChar separator, bool bom)
        : StreamWriter(path)
        , m_separator(separator)
    {
        if (bom)
            put(QByteArrayLiteral("\xEF\xBB\xBF"));
    }

    void header(const QList<GridColumn> &columns) override
    {
        QStringList titles;
        for (const GridColumn &c : columns)
            titles << c.heading();
        line(titles);
    }

    void row(const QList<Cell> &cells) override
    {
        QStringList texts;
        for (const Cell &c : cells)
            texts << c.text;
        line(texts);
    }

private:
    void line(const QStringList &fields)
    {
        QString out;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i)
                out += m_separator;
            out += quoted(fields.at(i));
        }
        out += QStringLiteral("\r\n");
        put(out);
    }

    QString quoted(const QString &field) const
    {
        if (!field.contains(m_separator) && !field.contains(QLatin1Char('"'))
            && !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
            return field;
        QString inner = field;
        inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + inner + QLatin1Char('"');
    }

    QChar m_separator;
};

class HtmlWriter : public StreamWriter
{
public:
    explicit HtmlWriter(const QString &path)
        : StreamWriter(path)
    {
        put(QStringLiteral(
                "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                "<style>table { border-collapse: collapse; } th, td { border: 1px solid #808080; "
                "padding: 2px 6px; white-space: pre-wrap; text-align: center; }</style>\n"
                "</head>\n<body>\n<table>\n")
                .arg(escaped(QFileInfo(path).completeBaseName())));
    }

    void header(const QList<GridColumn> &columns) override
    {
        QString out = QStringLiteral("<tr>");
        for (const GridColumn &c : columns)
            out += QStringLiteral("<th>") + escaped(c.heading()) + QStringLiteral("</th>");
        put(out + QStringLiteral("</tr>\n"));
    }

    void row(const QList<Cell> &cells) override
    {
        QString out = QStringLiteral("<tr>");
        for (const Cell &c : cells)
            out += QStringLiteral("<td>") + escaped(c.text) + QStringLiteral("</td>");
        put(out + QStringLiteral("</tr>\n"));
    }

private:
    void trailer() override { put(QByteArrayLiteral("</table>\n</body>\n</html>\n")); }

    static QString escaped(const QString &text) { return withoutControls(text).toHtmlEscaped(); }
};

// A real RTF table; every character beyond ASCII as a \u escape, so the file is plain
// ASCII and reads the same under any code page.
class RtfWriter : public StreamWriter
{
public:
    explicit RtfWriter(const QString &path)
        : StreamWriter(path)
    {
        put(QByteArrayLiteral(
            "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n"
            "\\viewkind4\\pard\\f0\\fs18\n"));
    }

    void header(const QList<GridColumn> &columns) override
    {
        int right = 0;
        m_rowStart = QByteArrayLiteral("\\trowd\\trgaph60\\trleft0");
        for (const GridColumn &c : columns) {
            right += qMax(1, c.width) * 15; // twips at 96 dots per inch
            m_rowStart
                += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                   "\\clbrdrr\\brdrs\\brdrw10\\cellx"
                + QByteArray::number(right);
        }
        m_rowStart += '\n';
        QStringList titles;
        for (const GridColumn &c : columns)
            titles << c.heading();
        line(titles, true);
    }

    void row(const QList<Cell> &cells) override
    {
        QStringList texts;
        for (const Cell &c : cells)
            texts << c.text;
        line(texts, false);
    }

private:
    void trailer() override { put(QByteArrayLiteral("\\pard\n}\n")); }

    void line(const QStringList &texts, bool bold)
    {
        QByteArray out = m_rowStart;
        for (const QString &t : texts) {
            out += "\\pard\\intbl\\qc ";
            if (bold)
                out += "{\\b ";
            out += escaped(t);
            if (bold)
                out += '}';
            out += "\\cell\n";
        }
        out += "\\row\n";
        put(out);
    }

    static QByteArray escaped(const QString &text)
    {
        QByteArray out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const ushort u = text.at(i).unicode();
            if (u == '\\' || u == '{' || u == '}') {
                out += '\\';
                out += char(u);
            } else if (u == '\t') {
                out += "\\tab ";
            } else if (u == '\r') {
                if (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('\n'))
                    out += "\\line ";
            } else if (u == '\n') {
                out += "\\line ";
            } else if (u < 0x20) {
                // nothing: control characters mean nothing in a document
            } else if (u < 0x80) {
                out += char(u);
            } else {
                // Signed 16-bit, as RTF readers expect; surrogate pairs stay two escapes.
                out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
            }
        }
        return out;
    }

    QByteArray m_rowStart;
};

// An Excel workbook through libxlsxwriter, in constant-memory mode: rows go to disk as
// they are written. Numbers become number cells, everything else text as the grid shows it.
class XlsxWriter : public Writer
{
public:
    explicit XlsxWriter(const QString &path)
        : m_path(path)
        , m_temp(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".export-XXXXXX.xlsx")))
    {
        if (!m_temp.open())
            throw ExportError(
                QStringLiteral("无法写入文件 %1：%2").arg(path, m_temp.errorString()));
        m_temp.close();
        m_tempDir = QFile::encodeName(QDir::tempPath());
        lxw_workbook_options options {};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = m_tempDir.data();
        m_book = workbook_new_opt(QFile::encodeName(m_temp.fileName()).constData(), &options);
        if (!m_book)
            throw ExportError(QStringLiteral("无法写入文件 %1").arg(path));
        m_sheet = workbook_add_worksheet(m_book, "Sheet1");
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
    }
    ~XlsxWriter() override
    {
        if (m_book) {
            workbook_close(m_book);
            m_book = nullptr;
        }
    }

    void header(const QList<GridColumn> &columns) override
    {
        for (int i = 0; i < columns.size(); ++i) {
            check(worksheet_set_column(m_sheet, lxw_col_t(i), lxw_col_t(i),
                                       qMax(4.0, columns.at(i).width / 7.0), nullptr));
            writeText(i, columns.at(i).heading(), m_bold);
        }
        ++m_row;
    }

    void row(const QList<Cell> &cells) override
    {
        if (m_row >= LXW_ROW_MAX)
            throw ExportError(
                QStringLiteral("数据超过 Excel 工作表的最大行数（%1 行），请改用其他格式导出。")
                    .arg(LXW_ROW_MAX - 1));
        for (int i = 0; i < cells.size(); ++i) {
            const Cell &c = cells.at(i);
            if (IsNumberValue(c.value) && m_numberColumns.value(i, true))
                check(worksheet_write_number(m_sheet, m_row, lxw_col_t(i), c.value.toDouble(),
                                             nullptr));
            else
                writeText(i, c.text, nullptr);
        }
        ++m_row;
    }

    void finish() override
    {
        const lxw_error error = workbook_close(m_book);
        m_book = nullptr;
        if (error != LXW_NO_ERROR)
            throw ExportError(QStringLiteral("无法写入文件 %1：%2")
                                  .arg(m_path, QString::fromUtf8(lxw_strerror(error))));
        // rename() replaces the target in one step.
        if (std::rename(QFile::encodeName(m_temp.fileName()).constData(),
                        QFile::encodeName(m_path).constData())
            != 0)
            throw ExportError(QStringLiteral("无法写入文件 %1").arg(m_path));
        m_temp.setAutoRemove(false);
    }

    // Columns shown as text (times, dates, ticks) stay text even where the engine holds a number.
    void setNumberColumns(const QList<bool> &numbers) { m_numberColumns = numbers; }

private:
    void writeText(int column, const QString &text, lxw_format *format)
    {
        if (text.isEmpty() && !format)
            return;
        QString clean = withoutControls(text);
        if (clean.size() > MaxCellText)
            clean.truncate(MaxCellText);
        check(worksheet_write_string(m_sheet, m_row, lxw_col_t(column), clean.toUtf8().constData(),
                                     format));
    }

    void check(lxw_error error)
    {
        if (error != LXW_NO_ERROR)
            throw ExportError(QStringLiteral("无法写入文件 %1：%2")
                                  .arg(m_path, QString::fromUtf8(lxw_strerror(error))));
    }

    QString m_path;
    QTemporaryFile m_temp;
    QByteArray m_tempDir;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_row_t m_row = 0;
    QList<bool> m_numberColumns;
};

std::unique_ptr<Writer> makeWriter(const QString &path, ExportFormat format,
                                   const QList<GridColumn> &columns)
{
    switch (format) {
    case ExportFormat::Text:
        return std::make_unique<DelimitedWriter>(path, QLatin1Char('\t'), false);
    case ExportFormat::Csv:
        return std::make_unique<DelimitedWriter>(path, QLatin1Char(','), true);
    case ExportFormat::Html:
        return std::make_unique<HtmlWriter>(path);
    case ExportFormat::Rtf:
        return std::make_unique<RtfWriter>(path);
    case ExportFormat::Excel: {
        auto xlsx = std::make_unique<XlsxWriter>(path);
        QList<bool> numbers;
        for (const GridColumn &c : columns)
            numbers << (c.format == CellFormat::Plain);
        xlsx->setNumberColumns(numbers);
        return xlsx;
    }
    }
    throw ExportError(QStringLiteral("未知的文件类型"));
}

} // namespace

namespace GridExport {

bool write(const GridSnapshot &grid, const QString &path, ExportFormat format,
           const Progress &progress)
{
    std::unique_ptr<Writer> writer = makeWriter(path, format, grid.columns);
    writer->header(grid.columns);
    if (!grid.statement.isEmpty()) {
        QSqlQuery q = Sql::exec(grid.statement, grid.values);
        const QSqlRecord record = q.record();
        QList<int> at;
        for (const GridColumn &c : grid.columns)
            at << record.indexOf(c.field);
        qint64 written = 0;
        QList<Cell> cells(grid.columns.size());
        while (q.next()) {
            for (int i = 0; i < at.size(); ++i) {
                cells[i].value = at.at(i) < 0 ? QVariant() : q.value(at.at(i));
                cells[i].text = CellText(cells[i].value, grid.columns.at(i).format);
            }
            writer->row(cells);
            ++written;
            if (progress && written % 500 == 0 && !progress(written))
                return false;
        }
        if (progress && !progress(written))
            return false;
    }
    writer->finish();
    return true;
}

} // namespace GridExport
