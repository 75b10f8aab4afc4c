#include "cardstore.h"

#include "common/clock.h"
#include "common/numtext.h"
#include "common/session.h"
#include "data/sql.h"

#include <QVariant>

namespace CardStore {

namespace {

bool setLossFlag(const QString &card, bool lost)
{
    return Sql::execute(QStringLiteral("update 会员卡信息 set 口头挂失标志 = ? where 会员卡号 = ?"),
                        { lost ? 1 : 0, card })
        > 0;
}

void closeOpenLossRecords(const QString &card)
{
    Sql::exec(QStringLiteral(
                  "update 口头挂失记录 set 取消挂失日期 = ?, 取消挂失时间 = ?, 取消挂失经手人 = ? "
                  "where 会员卡号 = ? and 取消挂失日期 is null and 取消挂失时间 is null "
                  "and 取消挂失经手人 is null"),
              { Clock::todayText(), Clock::nowTimeText(), CurrentOperatorCode(), card });
}

bool exists(const QString &statement, const QString &value)
{
    return Sql::scalar(statement, { value }).isValid();
}

QVariant pointsValue(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QVariant(QMetaType(QMetaType::Double));
    bool ok = false;
    const double value = TextNumber(text, &ok);
    if (!ok)
        throw DbError(QStringLiteral("“%1”不是有效的积分！").arg(text));
    return value;
}

} // namespace

bool ReportLoss(const QString &card, const QString &name)
{
    TransactionGuard transaction;
    if (!setLossFlag(card, true))
        return false;
    Sql::exec(
        QStringLiteral(
            "insert into 口头挂失记录 (会员卡号, 会员姓名, 口头挂失日期, 口头挂失时间, 挂失经手人) "
            "values (?, ?, ?, ?, ?)"),
        { card, name, Clock::todayText(), Clock::nowTimeText(), CurrentOperatorCode() });
    transaction.commit();
    return true;
}

bool CancelLoss(const QString &card)
{
    TransactionGuard transaction;
    if (!setLossFlag(card, false))
        return false;
    closeOpenLossRecords(card);
    transaction.commit();
    return true;
}

Replacement ReplaceCard(const QString &oldCard, const QString &newCard, const QString &name,
                        const QString &points)
{
    if (newCard.isEmpty())
        return Replacement::NewEmpty;
    const QVariant pointsShown = pointsValue(points);

    TransactionGuard transaction;
    // Checked inside the transaction, so no other save can take the number in between.
    if (exists(QStringLiteral("select 旧卡号 from 挂失记录 where 旧卡号 = ?"), newCard))
        return Replacement::NewReplacedAway;
    if (exists(QStringLiteral("select 会员卡号 from 会员卡信息 where 会员卡号 = ?"), newCard))
        return Replacement::NewExists;

    if (Sql::execute(QStringLiteral(
                         "update 会员卡信息 set 口头挂失标志 = 0, 会员卡号 = ? where 会员卡号 = ?"),
                     { newCard, oldCard })
        == 0)
        return Replacement::OldMissing;
    Sql::exec(QStringLiteral("update 流水记录 set 会员卡号 = ? where 会员卡号 = ?"),
              { newCard, oldCard });
    Sql::exec(QStringLiteral("update 消费记录 set 会员卡号 = ? where 会员卡号 = ?"),
              { newCard, oldCard });
    Sql::exec(QStringLiteral(
                  "insert into 挂失记录 (旧卡号, 新卡号, 会员姓名, 原有积分, 日期, 时间, 经手人) "
                  "values (?, ?, ?, ?, ?, ?, ?)"),
              { oldCard, newCard, name, pointsShown, Clock::todayText(), Clock::nowTimeText(),
                CurrentOperatorCode() });
    closeOpenLossRecords(oldCard);
    transaction.commit();
    return Replacement::Done;
}

} // namespace CardStore
