#pragma once

#include <QByteArray>
#include <QString>

// GBK is the code page of the settings file and of receipt printers.
namespace Gbk {
// Characters GBK cannot encode become "?".
QByteArray encode(const QString &text);
// Falls back to UTF-8 for bytes that are not GBK (a settings file saved by a Linux editor).
QString decode(const QByteArray &bytes);
// Width in single-byte columns: what a receipt printer spends on the text.
int byteLength(const QString &text);
} // namespace Gbk
