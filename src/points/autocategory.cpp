#include "autocategory.h"

#include "data/sql.h"

#include <QSqlQuery>

void ApplyAutoCategoryChange(const QString &card, double newBalance)
{
    if (Sql::text(Sql::scalar(QStringLiteral("select 自动变卡 from 自动变卡"))) != QStringLiteral("是"))
        return;

    QSqlQuery q = Sql::exec(QStringLiteral("select 卡类别, 自动变卡下限 from 卡类别 order by 自动变卡下限 asc"));
    QString reached;
    bool found = false;
    while (q.next()) {
        const QString category = Sql::text(q.value(0));
        const QVariant threshold = q.value(1);
        if (threshold.isNull())
            throw DbError(QStringLiteral("卡类别“%1”的“卡类别自动改变积分底限”为空，不能自动改变卡类别！"
                                         "请先在会员卡类别设置中填写。")
                              .arg(category));
        if (threshold.toDouble() <= newBalance) {
            reached = category;
            found = true;
        }
    }
    if (found)
        Sql::execute(QStringLiteral("update 会员卡信息 set 卡类别 = ? where 会员卡号 = ?"), {reached, card});
}
