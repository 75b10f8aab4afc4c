#include "reportpreview.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {
PreviewProvider *installed = nullptr;
}

namespace ReportPreview {

void show(QWidget *parent, const QString &title, const ReportPainter &paint)
{
    if (installed) {
        installed->preview(parent, title, paint);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *p) { paint(p); });
    dialog.resize(900, 700);
    // Receipts are long narrow pages: fitting the whole page would make them unreadable.
    if (auto *view = dialog.findChild<QPrintPreviewWidget *>())
        view->fitToWidth();
    dialog.exec();
}

void install(PreviewProvider *provider)
{
    installed = provider;
}

} // namespace ReportPreview
