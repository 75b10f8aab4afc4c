#include "exportgrid.h"

#include "common/dialogs.h"
#include "recordgrid.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include <memory>

ExportError::ExportError(const QString &text)
    : std::runtime_error(text.toStdString())
    , m_text(text)
{
}

namespace GridExport {

QString filter()
{
    return QStringLiteral("文本|*.TXT|CSV|*.CSV|HTLM|*.HTM|RTF|*.RTF|XLS|*.XLSX");
}

QString extension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Text:
        return QStringLiteral("txt");
    case ExportFormat::Csv:
        return QStringLiteral("csv");
    case ExportFormat::Html:
        return QStringLiteral("htm");
    case ExportFormat::Rtf:
        return QStringLiteral("rtf");
    case ExportFormat::Excel:
        return QStringLiteral("xlsx");
    }
    return QStringLiteral("txt");
}

QString fileName(const QString &chosen, ExportFormat format)
{
    const QString ext = extension(format);
    if (chosen.right(ext.size()).compare(ext, Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen + QLatin1Char('.') + ext;
}

} // namespace GridExport

namespace {
// Beyond this many rows the export shows how far it is.
constexpr qint64 ProgressFrom = 5000;
} // namespace

bool ExportGrid(RecordGrid *grid)
{
    QWidget *window = grid->window();
    int filter = grid->exportFilter();
    const QString chosen
        = Dialogs::saveFileName(GridExport::filter(), QStringLiteral("file1"), &filter, window);
    if (chosen.isEmpty())
        return false;
    filter = qBound(1, filter, 5);
    grid->setExportFilter(filter);
    const auto format = ExportFormat(filter);
    const QString path = GridExport::fileName(chosen, format);
    if (QFileInfo::exists(path)
        && !Dialogs::confirm(
            QStringLiteral("系统提示"),
            QStringLiteral("%1 已存在。\n要替换它吗？").arg(QFileInfo(path).fileName()),
            MsgIcon::Question, window))
        return false;

    const GridSnapshot snapshot = grid->snapshot();
    const qint64 total = grid->totalRowCount();
    std::unique_ptr<QProgressDialog> dialog;
    GridExport::Progress progress;
    if (total > ProgressFrom) {
        dialog = std::make_unique<QProgressDialog>(QStringLiteral("正在导出数据…"),
                                                   QStringLiteral("取消"), 0,
                                                   int(qMin<qint64>(total, INT_MAX)), window);
        dialog->setObjectName(QStringLiteral("exportProgress"));
        dialog->setWindowTitle(QStringLiteral("导出数据"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setValue(0);
        progress = [d = dialog.get()](qint64 written) {
            d->setValue(int(qMin<qint64>(written, d->maximum())));
            return !d->wasCanceled();
        };
    }
    return GridExport::write(snapshot, path, format, progress);
}
