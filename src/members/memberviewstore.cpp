#include "memberviewstore.h"

#include "birthday.h"

#include "data/sql.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace MemberViewStore {

Statement allMembers()
{
    return { QStringLiteral("select * from 会员卡信息"), {} };
}

Statement membersAbovePoints(double points)
{
    return { QStringLiteral("select * from 会员卡信息 where 积分 > ?"), { points } };
}

Statement membersOfCategory(const QString &category)
{
    return { QStringLiteral("select * from 会员卡信息 where 卡类别 = ?"), { category } };
}

Statement birthdayList(const QDate &first, int days)
{
    const QStringList keys = BirthdayKeys(first, days);
    Statement s;
    QStringList marks;
    for (const QString &key : keys) {
        marks << QStringLiteral("?");
        s.values << key;
    }
    // An empty list of days lists nobody rather than making the statement invalid.
    if (marks.isEmpty()) {
        marks << QStringLiteral("?");
        s.values << QVariant(QMetaType(QMetaType::QString));
    }
    s.text = QStringLiteral("select * from 会员卡信息 where 生日 in (%1)")
                 .arg(marks.join(QStringLiteral(", ")));
    return s;
}

Statement memberJournal(const QString &card)
{
    return { QStringLiteral("select * from 流水记录 where 会员卡号 = ?"), { card } };
}

QStringList cards(const Statement &statement)
{
    QSqlQuery q = Sql::exec(statement.text, statement.values);
    QStringList result;
    const int column = q.record().indexOf(QStringLiteral("会员卡号"));
    while (q.next())
        result << Sql::text(q.value(column));
    return result;
}

} // namespace MemberViewStore
