#pragma once

#include "gridcolumn.h"

#include <QString>

#include <functional>
#include <stdexcept>

class RecordGrid;

// The five file types of the export dialog, by their 1-based position in its list.
enum class ExportFormat { Text = 1, Csv = 2, Html = 3, Rtf = 4, Excel = 5 };

// A file that could not be written; its text names the file and the reason. Export
// failures are left to the application's error dialog.
class ExportError : public std::runtime_error
{
public:
    explicit ExportError(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

namespace GridExport {
// The save dialog's file types, in this order.
QString filter();
QString extension(ExportFormat format);
// The name as chosen, with "." and the extension appended unless it already ends in
// the extension (compared without regard to case).
QString fileName(const QString &chosen, ExportFormat format);

// Called every few hundred rows with the rows written so far; false stops the export.
using Progress = std::function<bool(qint64 written)>;
// Writes the titles and every row of the grid's statement (not only the fetched rows)
// through a temporary file renamed over the target, so a failed or stopped export
// leaves an existing file as it was. Throws ExportError. False when stopped.
bool write(const GridSnapshot &grid, const QString &path, ExportFormat format,
           const Progress &progress = {});
} // namespace GridExport

// Asks for a file (proposing "file1" and the grid's last file type, XLS at first),
// applies the extension rule, asks before replacing an existing file, and writes every
// row, showing a progress dialog for large grids. True when a file was written: the
// window then shows its own success message. Nothing happens when the operator cancels.
bool ExportGrid(RecordGrid *grid);
