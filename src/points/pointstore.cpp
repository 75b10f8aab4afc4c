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
    const QString reason = QStringLiteral("购物消费");

    TransactionGuard transaction;
    // Taken inside the transaction, so two windows showing the same number cannot both
    // save under it.
    const QString number = NextJournalNumber();
    if (Sql::execute(QStringLiteral("update 会员卡信息 set 积分 = round(积分 + ?, 2) where 会员卡号 = ?"),
                     {pointsValue, purchase.card})
        == 0)
        throw DbError(QStringLiteral("此卡号不存在！"));
    Sql::exec(QStringLiteral("insert into 流水记录 (编号, 会员卡号, 会员姓名, 增减积分, 增减原因, 日期, 时间, 经手人) "
                             "values (?, ?, ?, ?, ?, ?, ?, ?)"),
              {number, purchase.card, purchase.name, pointsValue, reason, Clock::todayText(), Clock::nowTimeText(),
               CurrentOperatorCode()});
    for (const ConsumptionLine &line : purchase.lines)
        Sql::exec(QStringLiteral("insert into 消费记录 (编号, 会员卡号, 会员姓名, 商品, 单位, 数量, 消费金额, 增减原因, "
                                 "日期, 时间, 经手人) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {number, purchase.card, purchase.name, line.product, line.unit, numberValue(line.quantity),
                   numberValue(line.amount), reason, Clock::todayText(), Clock::nowTimeText(), CurrentOperatorCode()});
    const double balance = Sql::scalar(QStringLiteral("select 积分 from 会员卡信息 where 会员卡号 = ?"), {purchase.card})
                               .toDouble();
    ApplyAutoCategoryChange(purchase.card, balance);
    transaction.commit();
    return number;
}

} // namespace PointStore
