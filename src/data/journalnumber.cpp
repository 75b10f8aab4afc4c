#include "journalnumber.h"

#include "sql.h"

QString JournalNumberAfter(const QString &maximum)
{
    QString digits = maximum;
    if (digits.isEmpty() || digits == QLatin1String(" "))
        digits = QStringLiteral("0000000000");
    else
        digits = digits.left(10);

    // Counted in 64 bits: ten digits go far beyond what 32 bits hold.
    bool ok = true;
    for (const QChar c : digits)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const qint64 value = ok ? digits.toLongLong(&ok) : 0;
    if (!ok)
        throw DbError(QStringLiteral("“%1”不是有效的单据编号！").arg(digits));
    if (value >= LastJournalNumber)
        throw DbError(QStringLiteral("单据编号已经用到%1，不能再增加新的单据！").arg(LastJournalNumber));
    return QString::number(value + 1).rightJustified(10, QLatin1Char('0'));
}

QString NextJournalNumber()
{
    const QVariant maximum = Sql::scalar(QStringLiteral("select max(编号) as 最大编号 from 流水记录"));
    return JournalNumberAfter(Sql::text(maximum));
}
