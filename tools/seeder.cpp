#include "seeder.h"

#include "common/clock.h"
#include "data/dm1frm.h"
#include "data/schema.h"
#include "data/sql.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

namespace {

const QStringList surnames{"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴", "徐", "孙", "胡", "朱", "高", "林", "何", "郭", "马", "罗"};
const QStringList givenNames{"伟", "芳", "娜", "秀英", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛", "明", "超", "秀兰", "霞", "平", "刚", "桂英", "晓东", "海燕"};
const QStringList streets{"解放路", "人民路", "中山路", "建设街", "和平里", "青年路", "滨江路", "花园街"};

struct Product
{
    QString group, code, name, unit;
    double price;
};

struct Category
{
    QString name;
    double discount, ratio, threshold;
};

const QList<Category> categories{{"普通卡", 100, 10, 0}, {"银卡", 95, 10, 1000}, {"金卡", 90, 8, 5000}, {"钻石卡", 85, 5, 20000}};

double round2(double v)
{
    return std::floor(v * 100 + 0.5 + 1e-9) / 100;
}

class Writer
{
public:
    explicit Writer(const QString &statement)
        : q(QSqlDatabase::database())
    {
        if (!q.prepare(statement))
            throw DbError(q.lastError().text());
    }
    void run(const QVariantList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        if (!q.exec())
            throw DbError(q.lastError().text());
    }

private:
    QSqlQuery q;
};

QString journalNumber(qint64 n)
{
    return QString::number(n).rightJustified(10, QLatin1Char('0'));
}

} // namespace

bool SeedDatabase(const QString &path, const SeedOptions &options, QString *error)
{
    if (!Schema::createDatabase(path, error))
        return false;
    TDM1 *dm = TDM1::instance();
    if (!dm || !dm->open(path, error))
        return false;
    QRandomGenerator rng(options.seed);
    const QDate today = Clock::today();
    try {
        // A throw-away file until it is complete: no syncing, a large page cache, and the
        // history tables' indexes built once at the end rather than row by row.
        Sql::exec(QStringLiteral("PRAGMA synchronous=OFF"));
        Sql::exec(QStringLiteral("PRAGMA cache_size=-524288"));
        Sql::exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
        QStringList deferredIndexes;
        {
            QSqlQuery q = Sql::exec(QStringLiteral("select name, sql from sqlite_master where type = 'index' "
                                                   "and sql is not null and tbl_name in ('流水记录', '消费记录')"));
            QStringList names;
            while (q.next()) {
                names << q.value(0).toString();
                deferredIndexes << q.value(1).toString();
            }
            for (const QString &name : std::as_const(names))
                Sql::exec(QStringLiteral("drop index \"%1\"").arg(name));
        }
        TransactionGuard tx;
        Sql::exec(QStringLiteral("update 小票 set 店铺='青禾岭生活超市', 票尾='谢谢惠顾！欢迎再次光临。'"));
        Sql::exec(QStringLiteral("update 自动变卡 set 自动变卡='是'"));
        Sql::exec(QStringLiteral("update 引荐积分 set 引荐积分=10"));
        Sql::exec(QStringLiteral("insert into 操作员 (操作员, 姓名, 密码, \"9\", \"13\", \"14\", \"15\", \"19\") values ('0002', '张丽', '123', 1, 1, 1, 1, 1)"));
        Writer cat(QStringLiteral("insert into 卡类别 (卡类别, 折扣, 积分比例, 自动变卡下限, 允许兑换礼品, 允许返现金) values (?,?,?,?,?,?)"));
        for (const Category &c : categories)
            cat.run({c.name, c.discount, c.ratio, c.threshold, 1, c.name == QStringLiteral("普通卡") ? 0 : 1});

        // Products
        const QStringList groups{"食品", "饮料", "日用", "文具", "服装"};
        const QStringList items{"大米", "面粉", "牛奶", "果汁", "洗发水", "牙膏", "笔记本", "圆珠笔", "T恤", "袜子", "饼干", "茶叶", "毛巾", "香皂", "酸奶"};
        const QStringList units{"袋", "瓶", "盒", "支", "件", "双", "包"};
        const int productCount = options.products > 0 ? options.products : qBound(30, options.members / 10, 20000);
        QList<Product> products;
        Writer prod(QStringLiteral("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values (?,?,?,?,?)"));
        for (int i = 0; i < productCount; ++i) {
            Product p{groups.at(i % groups.size()), QStringLiteral("SP%1").arg(i + 1, 5, 10, QLatin1Char('0')),
                      items.at(i % items.size()) + (i >= items.size() ? QString::number(i / items.size() + 1) + QStringLiteral("号") : QString()),
                      units.at(i % units.size()), double(rng.bounded(100, 20000)) / 100};
            prod.run({p.group, p.code, p.name, p.unit, p.price});
            products << p;
        }

        // Members
        struct Member
        {
            QString card, name;
            double points = 0;
        };
        QList<Member> members;
        Writer mem(QStringLiteral("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 会员生日, 生日, 地址, 固定电话, 手机, 引荐人卡号, 引荐人姓名, 起用日期) values (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        Writer journal(QStringLiteral("insert into 流水记录 (编号, 会员卡号, 会员姓名, 增减积分, 增减原因, \"退/换货说明\", 兑换礼品, 返现金, 日期, 时间, 经手人) values (?,?,?,?,?,?,?,?,?,?,?)"));
        Writer line(QStringLiteral("insert into 消费记录 (编号, 会员卡号, 会员姓名, 商品, 单位, 数量, 消费金额, 增减原因, \"退/换货说明\", 日期, 时间, 经手人) values (?,?,?,?,?,?,?,?,?,?,?,?)"));
        const QDate firstDay = today.addDays(-3 * 365);
        int referrals = 0;
        for (int i = 0; i < options.members; ++i) {
            Member m{QStringLiteral("8800%1").arg(i + 1, 6, 10, QLatin1Char('0')),
                     surnames.at(rng.bounded(surnames.size())) + givenNames.at(rng.bounded(givenNames.size()))};
            const QDate birth = QDate(1950, 1, 1).addDays(rng.bounded(365 * 55));
            const QString id = QStringLiteral("%1%2%3").arg(110101 + rng.bounded(800)).arg(birth.toString(QStringLiteral("yyyyMMdd"))).arg(rng.bounded(1000, 9999));
            QString refCard, refName;
            int referrer = -1;
            if (i > 5 && rng.bounded(5) == 0) {
                referrer = int(rng.bounded(i));
                refCard = members.at(referrer).card;
                refName = members.at(referrer).name;
            }
            const QDate issued = firstDay.addDays(qint64(i) * 30 / qMax(1, options.members));
            mem.run({m.card, categories.first().name, m.name, rng.bounded(2) ? QStringLiteral("女") : QStringLiteral("男"), id,
                     Clock::dateText(birth), QStringLiteral("%1-%2").arg(birth.month()).arg(birth.day()),
                     QStringLiteral("%1%2号").arg(streets.at(rng.bounded(streets.size()))).arg(rng.bounded(1, 300)),
                     QStringLiteral("0571-8%1").arg(rng.bounded(1000000, 9999999)),
                     QStringLiteral("13%1").arg(rng.bounded(100000000, 999999999)), refCard, refName,
                     Clock::dateText(issued)});
            members << m;
            if (referrer >= 0 && referrals < options.journal) {
                journal.run({QString(), refCard, refName, 10.0, QStringLiteral("引荐会员"), QString(), QString(), QVariant(),
                             Clock::dateText(issued), QStringLiteral("09:00:00"), QStringLiteral("0001")});
                members[referrer].points += 10;
                ++referrals;
            }
        }

        // History, oldest first, so journal numbers rise with the dates.
        const int days = qMax(1, int(firstDay.daysTo(today)));
        const int history = options.journal - referrals;
        qint64 linesWritten = 0;
        for (int n = 1; n <= history && !members.isEmpty(); ++n) {
            Member &m = members[rng.bounded(members.size())];
            const QDate day = firstDay.addDays(qint64(n) * days / qMax(1, history));
            const QString date = Clock::dateText(day);
            const QString time = QTime(8, 0).addSecs(rng.bounded(13 * 3600)).toString(QStringLiteral("HH:mm:ss"));
            const QString number = journalNumber(n);
            const QString op = rng.bounded(3) ? QStringLiteral("0002") : QStringLiteral("0001");
            const Category &c = categories.first();
            const int kind = rng.bounded(100);
            if (kind < 88 || m.points < 5) {
                int lines = 1 + rng.bounded(4);
                if (options.consumption >= 0) {
                    // Keeps the lines written in step with the count asked for.
                    const qint64 due = qint64(n) * options.consumption / qMax(1, history) - linesWritten;
                    lines = int(qBound(qint64(1), due + lines - 2, qint64(8)));
                    if (linesWritten + lines > options.consumption)
                        lines = int(qMax<qint64>(0, options.consumption - linesWritten));
                }
                linesWritten += lines;
                double amount = 0;
                for (int l = 0; l < lines; ++l) {
                    const Product &p = products.at(rng.bounded(products.size()));
                    const int qty = 1 + rng.bounded(3);
                    const double value = round2(p.price * qty * c.discount / 100);
                    amount += value;
                    line.run({number, m.card, m.name, p.name, p.unit, double(qty), value, QStringLiteral("购物消费"), QString(), date, time, op});
                }
                const double pts = round2(amount / c.ratio);
                journal.run({number, m.card, m.name, pts, QStringLiteral("购物消费"), QString(), QString(), QVariant(), date, time, op});
                m.points = round2(m.points + pts);
            } else if (kind < 95) {
                const bool exchange = kind >= 93;
                const QString reason = exchange ? QStringLiteral("换货") : QStringLiteral("退货");
                const QString note = exchange ? QStringLiteral("尺码不合适") : QStringLiteral("质量问题");
                const Product &p = products.at(rng.bounded(products.size()));
                const double value = round2(p.price * c.discount / 100);
                const double pts = qMin(m.points, round2(value / c.ratio));
                if (options.consumption < 0 || linesWritten < options.consumption) {
                    line.run({number, m.card, m.name, p.name, p.unit, -1.0, -value, reason, note, date, time, op});
                    ++linesWritten;
                }
                journal.run({number, m.card, m.name, -pts, reason, note, QString(), QVariant(), date, time, op});
                m.points = round2(m.points - pts);
            } else {
                const double pts = std::floor(m.points / 2);
                const bool cash = rng.bounded(2);
                journal.run({number, m.card, m.name, -pts, QStringLiteral("兑换积分"), QString(),
                             cash ? QString() : QStringLiteral("保温杯"), cash ? pts / 10 : 0.0, date, time, op});
                m.points = round2(m.points - pts);
            }
        }

        Writer points(QStringLiteral("update 会员卡信息 set 积分 = ?, 卡类别 = ? where 会员卡号 = ?"));
        for (const Member &m : members) {
            QString category = categories.first().name;
            for (const Category &c : categories)
                if (m.points >= c.threshold)
                    category = c.name;
            points.run({m.points, category, m.card});
        }

        // One replaced card and one open verbal loss report.
        if (members.size() >= 3) {
            const Member &old = members.at(1);
            const QString newCard = old.card + QStringLiteral("B");
            const QString date = Clock::todayText();
            Sql::exec(QStringLiteral("update 会员卡信息 set 会员卡号 = ? where 会员卡号 = ?"), {newCard, old.card});
            Sql::exec(QStringLiteral("update 流水记录 set 会员卡号 = ? where 会员卡号 = ?"), {newCard, old.card});
            Sql::exec(QStringLiteral("update 消费记录 set 会员卡号 = ? where 会员卡号 = ?"), {newCard, old.card});
            Sql::exec(QStringLiteral("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名, 原有积分, 日期, 时间, 经手人) values (?,?,?,?,?,?,?)"),
                      {old.card, newCard, old.name, old.points, date, QStringLiteral("10:15:00"), QStringLiteral("0001")});
            const Member &lost = members.at(2);
            Sql::exec(QStringLiteral("update 会员卡信息 set 口头挂失标志 = 1 where 会员卡号 = ?"), {lost.card});
            Sql::exec(QStringLiteral("insert into 口头挂失记录 (会员卡号, 会员姓名, 口头挂失日期, 口头挂失时间, 挂失经手人) values (?,?,?,?,?)"),
                      {lost.card, lost.name, date, QStringLiteral("11:20:00"), QStringLiteral("0001")});
        }
        tx.commit();
        for (const QString &index : std::as_const(deferredIndexes))
            Sql::exec(index);
        Sql::exec(QStringLiteral("PRAGMA synchronous=FULL"));
        Sql::exec(QStringLiteral("ANALYZE"));
    } catch (const DbError &e) {
        if (error)
            *error = e.text();
        return false;
    }
    return true;
}
