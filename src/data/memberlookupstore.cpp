#include "memberlookupstore.h"

#include "scrollquery.h"
#include "sql.h"

namespace MemberLookupStore {

QString columnName(SearchColumn column)
{
    switch (column) {
    case SearchColumn::Name:
        return QStringLiteral("会员姓名");
    case SearchColumn::Identity:
        return QStringLiteral("身份证号");
    case SearchColumn::Phone:
        return QStringLiteral("固定电话");
    case SearchColumn::Mobile:
        return QStringLiteral("手机");
    }
    return {};
}

bool isReplaced(const QString &card)
{
    const QVariant old = Sql::scalar(QStringLiteral("select 旧卡号 from 挂失记录 where 旧卡号 = ?"), {card});
    return !Sql::text(old).isEmpty();
}

std::optional<Member> member(const QString &card)
{
    const std::optional<QSqlRecord> row = Sql::firstRow(QStringLiteral("select * from 会员卡信息 where 会员卡号 = ?"), {card});
    if (!row)
        return std::nullopt;
    const auto text = [&row](const char *column) { return Sql::text(row->value(QString::fromUtf8(column))); };
    Member m;
    m.card = text("会员卡号");
    // A row whose card number reads empty counts as no member, so an empty field finds none.
    if (m.card.isEmpty())
        return std::nullopt;
    m.category = text("卡类别");
    m.name = text("会员姓名");
    m.sex = text("性别");
    m.identity = text("身份证号");
    m.birthday = text("会员生日");
    m.address = text("地址");
    m.phone = text("固定电话");
    m.mobile = text("手机");
    m.points = text("积分");
    m.issued = text("起用日期");
    m.verballyLost = Sql::isTrue(row->value(QStringLiteral("口头挂失标志")));
    return m;
}

qint64 purchaseCount(const QString &card)
{
    return Sql::scalar(QStringLiteral("select count(*) from 流水记录 where 会员卡号 = ? and 增减原因 = '购物消费'"),
                       {card})
        .toLongLong();
}

QString totalAmount(const QString &card)
{
    const QString total = Sql::text(
        Sql::scalar(QStringLiteral("select sum(消费金额) as zongjine from 消费记录 where 会员卡号 = ?"), {card}));
    return total.isEmpty() ? QStringLiteral("0") : total;
}

QString categoryDiscount(const QString &category)
{
    return Sql::text(Sql::scalar(QStringLiteral("select 折扣 from 卡类别 where 卡类别 = ?"), {category}));
}

QString containsPattern(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('%'), QLatin1String("\\%"));
    escaped.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QSqlQuery search(SearchColumn column, const QString &text)
{
    // The column comes from the fixed list above, never from typed text. An empty cell
    // counts as empty text, so an empty search lists every member.
    return ScrollableQuery(QStringLiteral("select 会员卡号, 会员姓名, 身份证号 from 会员卡信息 "
                                          "where coalesce(%1, '') like ? escape '\\'")
                               .arg(columnName(column)),
                           {containsPattern(text)});
}

QString replacementRecordsStatement()
{
    return QStringLiteral("select * from 挂失记录 where 旧卡号 = ?");
}

QString lossRecordsStatement()
{
    return QStringLiteral("select * from 口头挂失记录 where 会员卡号 = ?");
}

} // namespace MemberLookupStore
