#include "reportpreview.h"

#include <QPrintPreviewDialog>
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
    dialog.exec();
}

void install(PreviewProvider *provider)
{
    installed = provider;
}

} // namespace ReportPreview
