#pragma once

#include <benchmark/benchmark.h>

#include <QList>
#include <QMap>
#include <QString>

// One line of the printed table. A line passes when its ratio is at most 1.
struct ResultLine
{
    QString operation;
    QString size;
    QString median;
    QString target;
    double ratio = 0;
    bool measured = true; // false: the operation could not run (reason in median)
};

// Median real time per benchmark (milliseconds), collected from the runs' aggregates.
class MedianCollector : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;

    // Registered name -> median in milliseconds; missing when it never ran.
    QMap<QString, double> medians;
    QMap<QString, QString> errors;
};

QString Millis(double ms);
QString Count(qint64 n);

// Prints the table in Markdown; true when every line passed.
bool PrintTable(const QList<ResultLine> &lines);
