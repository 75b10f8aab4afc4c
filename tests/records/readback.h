#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads exported files back into rows of cell texts, independently of the writers.
namespace Readback {
using Table = QList<QStringList>;
// RFC 4180 fields separated by the separator; a leading BOM is dropped.
Table delimited(const QByteArray &bytes, QChar separator);
// Texts of the <th>/<td> cells of each <tr>, entities decoded.
Table html(const QString &text);
// Cell texts of an RTF table: \cell ends a cell, \row a row; escapes decoded.
Table rtf(const QByteArray &bytes);
// One member of a zip file, inflated; empty when missing.
QByteArray zipMember(const QString &zipPath, const QString &member);

struct SheetCell
{
    QString text;
    bool number = false;
};
using Sheet = QList<QList<SheetCell>>;
// The cells of xl/worksheets/sheet1.xml, by row and column reference.
Sheet xlsxSheet(const QString &path);
} // namespace Readback
