#include "results.h"

#include <QLocale>
#include <QTextStream>

#include <cstdio>

bool MedianCollector::ReportContext(const Context &)
{
    return true;
}

void MedianCollector::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        const QString name = QString::fromStdString(run.run_name.function_name);
        if (run.error_occurred) {
            errors[name] = QString::fromStdString(run.error_message);
            std::fprintf(stderr, "  %s: %s\n", qPrintable(name), run.error_message.c_str());
            continue;
        }
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
            continue;
        // Every case reports in milliseconds.
        const double ms = run.GetAdjustedRealTime();
        medians[name] = ms;
        std::fprintf(stderr, "  %-40s %10.3f ms\n", qPrintable(name), ms);
    }
}

QString Millis(double ms)
{
    if (ms >= 100)
        return QString::number(ms, 'f', 0) + QStringLiteral(" ms");
    if (ms >= 1)
        return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
    return QString::number(ms, 'f', 3) + QStringLiteral(" ms");
}

QString Count(qint64 n)
{
    QLocale c(QLocale::English);
    return c.toString(n);
}

bool PrintTable(const QList<ResultLine> &lines)
{
    QTextStream out(stdout);
    out << "| Operation | Size | Median | Target | Ratio |\n|---|---|---|---|---|\n";
    bool all = true;
    for (const ResultLine &l : lines) {
        const bool pass = l.measured && l.ratio <= 1.0;
        all = all && pass;
        const QString ratio = l.measured ? QString::number(l.ratio, 'f', 2) + (pass ? QString() : QStringLiteral(" MISSED"))
                                         : QStringLiteral("not measured");
        out << "| " << l.operation << " | " << l.size << " | " << l.median << " | " << l.target << " | " << ratio
            << " |\n";
    }
    out.flush();
    return all;
}
