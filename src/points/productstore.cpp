#include "productstore.h"

#include "data/sql.h"

#include <QSqlQuery>

namespace {

QVariantList values(const ProductStore::Product &p)
{
    const QVariant price = p.price.isEmpty() ? QVariant(QMetaType(QMetaType::Double)) : QVariant(p.price);
    return {p.category, p.code, p.name, p.unit, price};
}

} // namespace

namespace ProductStore {

QString byCategoryStatement()
{
    return QStringLiteral("select * from 商品档案 order by 所属类别");
}

QString byNumberStatement()
{
    return QStringLiteral("select * from 商品档案 order by 编号");
}

const QStringList &searchColumns()
{
    static const QStringList columns{QStringLiteral("商品编号"), QStringLiteral("所属类别"), QStringLiteral("商品名称")};
    return columns;
}

QString searchStatement(const QString &column)
{
    if (!searchColumns().contains(column))
        throw DbError(QStringLiteral("“%1”不是可以查找的列！").arg(column));
    return QStringLiteral("select * from 商品档案 where coalesce(%1, '') like ? escape '\\'").arg(column);
}

QStringList categories()
{
    QStringList list;
    QSqlQuery q = Sql::exec(QStringLiteral("select distinct 所属类别 from 商品档案"));
    while (q.next())
        list << Sql::text(q.value(0));
    return list;
}

qint64 insert(const Product &product)
{
    QSqlQuery q = Sql::exec(QStringLiteral("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) "
                                           "values (?, ?, ?, ?, ?)"),
                            values(product));
    return q.lastInsertId().toLongLong();
}

void update(qint64 number, const Product &product)
{
    QVariantList v = values(product);
    v << number;
    Sql::exec(QStringLiteral("update 商品档案 set 所属类别 = ?, 商品编号 = ?, 商品名称 = ?, 单位 = ?, 预设单价 = ? "
                             "where 编号 = ?"),
              v);
}

void remove(qint64 number)
{
    Sql::exec(QStringLiteral("delete from 商品档案 where 编号 = ?"), {number});
}

} // namespace ProductStore
