#pragma once

#include "reportmodel.h"

#include <QString>

class QWidget;

// Report receipts on an ordinary printer, shown first in a print preview.
inline const QString ReportPreviewTitle = QStringLiteral("小票打印预览");

// Opens the data sets the layout names for the card and journal number. Throws DbError.
ReportData LoadReportData(const ReportLayout &layout, const QString &cardNumber,
                          const QString &journalNumber);
PreparedReport PrepareReportReceipt(const ReportLayout &layout, const QString &cardNumber,
                                    const QString &journalNumber);

// Prepares the report and shows it through the report preview, from which the operator
// prints. A database error is thrown to the caller.
void PrintReportReceipt(QWidget *parent, const ReportLayout &layout, const QString &cardNumber,
                        const QString &journalNumber);
