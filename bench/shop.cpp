#include "shop.h"

#include "data/dm1frm.h"
#include "data/sql.h"

#include <QSqlQuery>

#include <cstdio>
#include <cstdlib>

Shop Shop::open(const QString &path)
{
    QString error;
    if (!TDM1::instance()->open(path, &error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(error));
        std::exit(2);
    }
    Shop shop;
    shop.path = path;
    shop.members = Sql::scalar(QStringLiteral("select count(*) from 会员卡信息")).toLongLong();
    shop.journalRows = Sql::scalar(QStringLiteral("select count(*) from 流水记录")).toLongLong();
    shop.consumptionRows = Sql::scalar(QStringLiteral("select count(*) from 消费记录")).toLongLong();
    shop.products = Sql::scalar(QStringLiteral("select count(*) from 商品档案")).toLongLong();

    // Every 997th member: the lookups touch cold and warm parts of the indexes alike.
    QSqlQuery q = Sql::exec(QStringLiteral("select 会员卡号 from 会员卡信息 where 口头挂失标志 = 0 "
                                           "and 会员卡号 not in (select 旧卡号 from 挂失记录) "
                                           "and rowid % 997 = 1 limit 200"));
    while (q.next())
        shop.cards << q.value(0).toString();
    q = Sql::exec(QStringLiteral("select 会员卡号 from 会员卡信息 where 口头挂失标志 = 0 "
                                 "and 会员卡号 not in (select 旧卡号 from 挂失记录) "
                                 "and rowid % 97 = 50 limit 100"));
    while (q.next())
        shop.spareCards << q.value(0).toString();
    q = Sql::exec(QStringLiteral("select 会员卡号 from 会员卡信息 where 口头挂失标志 = 0 order by 积分 desc limit 64"));
    while (q.next())
        shop.richCards << q.value(0).toString();
    q = Sql::exec(QStringLiteral("select 所属类别, 商品编号, 商品名称, 单位, 预设单价 from 商品档案 "
                                 "where 编号 % 101 = 7 limit 50"));
    while (q.next())
        shop.basketProducts << BasketGrid::Product{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                                   q.value(3).toString(), Sql::text(q.value(4))};
    if (shop.cards.size() < 2 || shop.richCards.isEmpty() || shop.basketProducts.size() < 5) {
        std::fprintf(stderr, "%s is too small a shop to measure\n", qPrintable(path));
        std::exit(2);
    }
    return shop;
}
