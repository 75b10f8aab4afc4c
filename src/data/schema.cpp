#include "schema.h"

#include "sql.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// SQLite keeps a letter typed into a number column as text; these checks make it refuse.
QString number(const QString &column, const QString &extra = {})
{
    return QStringLiteral("\"%1\" REAL%2 CHECK (typeof(\"%1\") IN ('integer','real','null'))")
        .arg(column, extra);
}

QString boolean(const QString &column, const QString &extra = {})
{
    return QStringLiteral("\"%1\" INTEGER%2 CHECK (\"%1\" IS NULL OR \"%1\" IN (0, 1))")
        .arg(column, extra);
}

QString text(const QString &column)
{
    return QStringLiteral("\"%1\" TEXT").arg(column);
}

QString table(const QString &name, const QStringList &columns)
{
    return QStringLiteral("CREATE TABLE \"%1\" (\n  %2\n)").arg(name, columns.join(QStringLiteral(",\n  ")));
}

QStringList buildCreateStatements()
{
    QStringList s;
    s << table(QStringLiteral("会员卡信息"),
               {QStringLiteral("\"会员卡号\" TEXT NOT NULL"), text("卡类别"), text("会员姓名"),
                text("性别"), text("身份证号"), text("会员生日"), text("生日"), text("地址"),
                text("固定电话"), text("手机"), text("引荐人卡号"), text("引荐人姓名"),
                text("起用日期"), number("积分", QStringLiteral(" DEFAULT 0")),
                boolean("口头挂失标志", QStringLiteral(" DEFAULT 0"))});
    s << table(QStringLiteral("卡类别"),
               {text("卡类别"), number("折扣"), number("积分比例"), number("自动变卡下限"),
                boolean("允许兑换礼品"), boolean("允许返现金")});
    s << table(QStringLiteral("流水记录"),
               {text("编号"), text("会员卡号"), text("会员姓名"), number("增减积分"),
                text("增减原因"), text("退/换货说明"), text("兑换礼品"), number("返现金"),
                text("商品"), text("引荐人卡号"), text("引荐人姓名"), text("日期"), text("时间"),
                text("经手人")});
    s << table(QStringLiteral("消费记录"),
               {text("编号"), text("会员卡号"), text("会员姓名"), text("商品"), text("单位"),
                number("数量"), number("消费金额"), text("增减原因"), text("退/换货说明"),
                text("日期"), text("时间"), text("经手人")});
    s << table(QStringLiteral("挂失记录"),
               {text("旧卡号"), text("新卡号"), text("会员姓名"), number("原有积分"), text("日期"),
                text("时间"), text("经手人")});
    s << table(QStringLiteral("口头挂失记录"),
               {text("会员卡号"), text("会员姓名"), text("口头挂失日期"), text("口头挂失时间"),
                text("挂失经手人"), text("取消挂失日期"), text("取消挂失时间"),
                text("取消挂失经手人")});
    QStringList operatorColumns{QStringLiteral("\"操作员\" TEXT NOT NULL"), text("姓名"), text("密码")};
    for (int flag = 1; flag <= 23; ++flag)
        operatorColumns << boolean(QString::number(flag), QStringLiteral(" DEFAULT 0"));
    s << table(QStringLiteral("操作员"), operatorColumns);
    s << table(QStringLiteral("小票"), {text("店铺"), text("票尾")});
    s << table(QStringLiteral("商品档案"),
               {QStringLiteral("\"编号\" INTEGER PRIMARY KEY AUTOINCREMENT"), text("所属类别"),
                text("商品编号"), text("商品名称"), text("单位"), number("预设单价")});
    s << table(QStringLiteral("引荐积分"), {number("引荐积分")});
    s << table(QStringLiteral("自动变卡"), {text("自动变卡")});
    s << table(QStringLiteral("团队"),
               {text("团队成员卡号"), text("团队成员姓名"), text("卡号"), text("姓名")});

    // One index for every lookup a window makes.
    s << QStringLiteral("CREATE UNIQUE INDEX \"会员卡信息_会员卡号\" ON \"会员卡信息\" (\"会员卡号\")")
      << QStringLiteral("CREATE INDEX \"会员卡信息_生日\" ON \"会员卡信息\" (\"生日\")")
      << QStringLiteral("CREATE INDEX \"会员卡信息_卡类别\" ON \"会员卡信息\" (\"卡类别\")")
      << QStringLiteral("CREATE UNIQUE INDEX \"卡类别_卡类别\" ON \"卡类别\" (\"卡类别\")")
      << QStringLiteral("CREATE INDEX \"流水记录_会员卡号\" ON \"流水记录\" (\"会员卡号\", \"增减原因\")")
      << QStringLiteral("CREATE INDEX \"流水记录_编号\" ON \"流水记录\" (\"编号\")")
      << QStringLiteral("CREATE INDEX \"流水记录_日期\" ON \"流水记录\" (\"日期\")")
      // The journal window sorts millions of rows by any of its columns: each has an index
      // to read in order. The footer's two sums read the (增减积分, 返现金) index alone.
      << QStringLiteral("CREATE INDEX \"流水记录_增减积分\" ON \"流水记录\" (\"增减积分\", \"返现金\")")
      << QStringLiteral("CREATE INDEX \"流水记录_返现金\" ON \"流水记录\" (\"返现金\")")
      << QStringLiteral("CREATE INDEX \"流水记录_会员姓名\" ON \"流水记录\" (\"会员姓名\")")
      << QStringLiteral("CREATE INDEX \"流水记录_商品\" ON \"流水记录\" (\"商品\")")
      << QStringLiteral("CREATE INDEX \"流水记录_兑换礼品\" ON \"流水记录\" (\"兑换礼品\")")
      << QStringLiteral("CREATE INDEX \"流水记录_增减原因\" ON \"流水记录\" (\"增减原因\")")
      << QStringLiteral("CREATE INDEX \"流水记录_退换货说明\" ON \"流水记录\" (\"退/换货说明\")")
      << QStringLiteral("CREATE INDEX \"流水记录_时间\" ON \"流水记录\" (\"时间\")")
      << QStringLiteral("CREATE INDEX \"流水记录_经手人\" ON \"流水记录\" (\"经手人\")")
      << QStringLiteral("CREATE INDEX \"消费记录_会员卡号\" ON \"消费记录\" (\"会员卡号\", \"消费金额\")")
      << QStringLiteral("CREATE INDEX \"消费记录_编号\" ON \"消费记录\" (\"编号\")")
      << QStringLiteral("CREATE INDEX \"消费记录_日期\" ON \"消费记录\" (\"日期\")")
      << QStringLiteral("CREATE INDEX \"挂失记录_旧卡号\" ON \"挂失记录\" (\"旧卡号\")")
      << QStringLiteral("CREATE INDEX \"挂失记录_新卡号\" ON \"挂失记录\" (\"新卡号\")")
      << QStringLiteral("CREATE INDEX \"挂失记录_日期\" ON \"挂失记录\" (\"日期\")")
      << QStringLiteral("CREATE INDEX \"口头挂失记录_会员卡号\" ON \"口头挂失记录\" (\"会员卡号\")")
      << QStringLiteral("CREATE INDEX \"口头挂失记录_日期\" ON \"口头挂失记录\" (\"口头挂失日期\")")
      << QStringLiteral("CREATE UNIQUE INDEX \"操作员_操作员\" ON \"操作员\" (\"操作员\")")
      << QStringLiteral("CREATE INDEX \"商品档案_商品编号\" ON \"商品档案\" (\"商品编号\")")
      << QStringLiteral("CREATE INDEX \"团队_团队成员卡号\" ON \"团队\" (\"团队成员卡号\")");
    return s;
}

QStringList buildInitialisation()
{
    QStringList flags, trues;
    for (int flag = 1; flag <= 23; ++flag) {
        flags << QStringLiteral("\"%1\"").arg(flag);
        trues << QStringLiteral("1");
    }
    return {
        QStringLiteral("delete from 挂失记录"),
        QStringLiteral("delete from 口头挂失记录"),
        QStringLiteral("delete from 流水记录"),
        QStringLiteral("delete from 会员卡信息"),
        QStringLiteral("delete from 消费记录"),
        QStringLiteral("delete from 卡类别"),
        QStringLiteral("delete from 商品档案"),
        QStringLiteral("update 自动变卡 set 自动变卡='否'"),
        QStringLiteral("delete from 操作员"),
        QStringLiteral("insert into 操作员 (\"操作员\", \"姓名\", %1)\nvalues ('0001', '系统管理员', %2)")
            .arg(flags.join(QStringLiteral(", ")), trues.join(QStringLiteral(", "))),
        QStringLiteral("delete from 引荐积分"),
        QStringLiteral("insert into 引荐积分 (\"引荐积分\") values (0)"),
        QStringLiteral("update 小票 set 店铺='青禾岭软件', 票尾='谢谢惠顾！'"),
    };
}

} // namespace

namespace Schema {

const QStringList &tableNames()
{
    static const QStringList names{
        QStringLiteral("会员卡信息"), QStringLiteral("卡类别"),   QStringLiteral("流水记录"),
        QStringLiteral("消费记录"),   QStringLiteral("挂失记录"), QStringLiteral("口头挂失记录"),
        QStringLiteral("操作员"),     QStringLiteral("小票"),     QStringLiteral("商品档案"),
        QStringLiteral("引荐积分"),   QStringLiteral("自动变卡"), QStringLiteral("团队")};
    return names;
}

const QStringList &createStatements()
{
    static const QStringList statements = buildCreateStatements();
    return statements;
}

const QStringList &initialisationStatements()
{
    static const QStringList statements = buildInitialisation();
    return statements;
}

bool createDatabase(const QString &path, QString *error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("文件已存在: %1").arg(path);
        return false;
    }
    const QString name = QStringLiteral("mkdb-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            ok = false;
            if (error)
                *error = db.lastError().text();
        } else {
            QStringList all{QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("BEGIN")};
            all << createStatements();
            // The single-row tables exist before the initialisation only updates them.
            all << QStringLiteral("insert into 小票 (店铺, 票尾) values ('', '')")
                << QStringLiteral("insert into 自动变卡 (自动变卡) values ('否')");
            all << initialisationStatements() << QStringLiteral("COMMIT");
            QSqlQuery q(db);
            for (const QString &s : all) {
                if (!q.exec(s)) {
                    ok = false;
                    if (error)
                        *error = q.lastError().text() + QStringLiteral(": ") + s;
                    break;
                }
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}

} // namespace Schema
