#include "pointstore.h"

#include "autocategory.h"
#include "pointsmath.h"

#include "common/clock.h"
#include "common/session.h"
#include "data/journalnumber.h"
#include "data/memberlookupstore.h"
#include "data/scrollquery.h"
#include "data/sql.h"

namespace {

// A number for a number column: empty text is NULL, anything else must be a number.
QVariant numberValue(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QVariant(QMetaType(QMetaType::Double));
    const std::optional<long double> value = ReadExtended(text);
    if (!value)
        throw DbError(NotANumberMessage(text));
    return double(*value);
}

// Minus a number for a number column; zero stays 0, without a sign.
QVariant negated(const QVariant &value)
{
    if (value.isNull() || value.toDouble() == 0)
        return value;
    return -value.toDouble();
}

// Deducts the points from the member; false when no member holds the card.
bool takePointsOff(const QString &card, const QVariant &points)
{
    return Sql::execute(QStringLiteral("update 会员卡信息 set 积分 = round(积分 - ?, 2) where 会员卡号 = ?"),
                        {points, card})
           > 0;
}

double storedBalance(const QString &card)
{
    return Sql::scalar(QStringLiteral("select 积分 from 会员卡信息 where 会员卡号 = ?"), {card}).toDouble();
}

} // namespace

namespace PointStore {

QSqlQuery searchProducts(const QString &text)
{
    const QString pattern = MemberLookupStore::containsPattern(text);
    return ScrollableQuery(QStringLiteral("select 所属类别, 商品编号, 商品名称, 单位, 预设单价 from 商品档案 "
                                          "where coalesce(商品编号, '') like ? escape '\\' "
                                          "or coalesce(商品名称, '') like ? escape '\\'"),
                           {pattern, pattern});
}

double pointsRatio(const QString &category)
{
    const QVariant ratio = Sql::scalar(QStringLiteral("select 积分比例 from 卡类别 where 卡类别 = ?"), {category});
    return ratio.isNull() ? 0.0 : ratio.toDouble();
}

RedemptionRights redemptionRights(const QString &category)
{
    QSqlQuery q = Sql::exec(QStringLiteral("select 允许兑换礼品, 允许返现金 from 卡类别 where 卡类别 = ?"), {category});
    RedemptionRights rights;
    if (q.next()) {
        rights.gifts = q.value(0).toInt() != 0;
        rights.cash = q.value(1).toInt() != 0;
    }
    return rights;
}

QString storedPoints(const QString &card)
{
    return Sql::text(Sql::scalar(QStringLiteral("select 积分 from 会员卡信息 where 会员卡号 = ?"), {card}));
}

QString journalStatement()
{
    return QStringLiteral("select * from 流水记录 where 会员卡号 = ?");
}

QString savePurchase(const Purchase &purchase)
{
    const QString points = purchase.points.trimmed();
    const QVariant pointsValue = numberValue(points.isEmpty() ? QStringLiteral("0") : points);
    const QVariant journalPoints = purchase.returned ? negated(pointsValue) : pointsValue;
    // Purchases leave the note column empty; a return writes it as typed.
    const QVariant note = purchase.returned ? QVariant(purchase.note) : QVariant(QMetaType(QMetaType::QString));

    TransactionGuard transaction;
    // Taken inside the transaction, so two windows showing the same number cannot both
    // save under it.
    const QString number = NextJournalNumber();
    const bool found = purchase.returned
                           ? takePointsOff(purchase.card, pointsValue)
                           : Sql::execute(QStringLiteral("update 会员卡信息 set 积分 = round(积分 + ?, 2) "
                                                         "where 会员卡号 = ?"),
                                          {pointsValue, purchase.card})
                                 > 0;
    if (!found)
        throw DbError(QStringLiteral("此卡号不存在！"));
    Sql::exec(QStringLiteral("insert into 流水记录 (\"退/换货说明\", 编号, 会员卡号, 会员姓名, 增减积分, 增减原因, 日期, 时间, "
                             "经手人) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {note, number, purchase.card, purchase.name, journalPoints, purchase.reason, Clock::todayText(),
               Clock::nowTimeText(), CurrentOperatorCode()});
    for (const ConsumptionLine &line : purchase.lines) {
        QVariant quantity = numberValue(line.quantity);
        QVariant amount = numberValue(line.amount);
        if (purchase.returned) {
            quantity = negated(quantity);
            amount = negated(amount);
        }
        Sql::exec(QStringLiteral("insert into 消费记录 (\"退/换货说明\", 编号, 会员卡号, 会员姓名, 商品, 单位, 数量, 消费金额, "
                                 "增减原因, 日期, 时间, 经手人) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {note, number, purchase.card, purchase.name, line.product, line.unit, quantity, amount,
                   purchase.reason, Clock::todayText(), Clock::nowTimeText(), CurrentOperatorCode()});
    }
    ApplyAutoCategoryChange(purchase.card, storedBalance(purchase.card));
    transaction.commit();
    return number;
}

std::optional<QString> saveRedemption(const Redemption &redemption)
{
    const QVariant pointsValue = numberValue(redemption.points);
    const QString cash = redemption.cash.trimmed().isEmpty() ? QStringLiteral("0") : redemption.cash;
    const QVariant cashValue = numberValue(cash);

    TransactionGuard transaction;
    const QString number = NextJournalNumber();
    QSqlQuery member = Sql::exec(QStringLiteral("select 积分 from 会员卡信息 where 会员卡号 = ?"), {redemption.card});
    if (!member.next())
        throw DbError(QStringLiteral("此卡号不存在！"));
    // The balance as stored now, not as the panel showed it when the member was read.
    if (pointsValue.toDouble() > member.value(0).toDouble())
        return std::nullopt;
    takePointsOff(redemption.card, pointsValue);
    Sql::exec(QStringLiteral("insert into 流水记录 (编号, 会员卡号, 会员姓名, 兑换礼品, 返现金, 增减积分, 增减原因, 日期, "
                             "时间, 经手人) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {number, redemption.card, redemption.name, redemption.gift, cashValue, negated(pointsValue),
               QStringLiteral("兑换积分"), Clock::todayText(), Clock::nowTimeText(), CurrentOperatorCode()});
    ApplyAutoCategoryChange(redemption.card, storedBalance(redemption.card));
    transaction.commit();
    return number;
}

} // namespace PointStore
