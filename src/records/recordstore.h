#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

// The statements of the journal and consumption views.
namespace RecordStore {

struct Filter
{
    bool allDates = false;
    bool allMembers = false;
    QDate from;
    QDate to;
    QString column; // checked against the table's columns by the caller
    QString value;
};

struct Statement
{
    QString text;
    QVariantList values;
};

// The listing of table (流水记录 or 消费记录) under the four combinations of the two boxes:
// every row, one column equal to the value, dates between from and to (both days
// included), or both conditions.
Statement filtered(const QString &table, const Filter &filter);

} // namespace RecordStore
