#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// Paints every page of a report onto the printer it is given.
using ReportPainter = std::function<void(QPrinter *printer)>;

// Print previews go through here so tests can capture the prepared report.
class PreviewProvider
{
public:
    virtual ~PreviewProvider() = default;
    virtual void preview(QWidget *parent, const QString &title, const ReportPainter &paint) = 0;
};

namespace ReportPreview {
void show(QWidget *parent, const QString &title, const ReportPainter &paint);
void install(PreviewProvider *provider); // nullptr restores the real preview dialog
} // namespace ReportPreview
