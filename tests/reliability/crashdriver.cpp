// Runs the program's own saves on one database in a loop until it is killed. The crash
// safety test kills it at random moments and checks the books after every kill.
//
//   crashdriver DATABASE SEED PREFIX
//
// Before a save that creates a card number it writes "begin <kind> <card...>" to stdout,
// after the commit "done <kind> <card...>"; each line is one write(), so a kill leaves
// whole lines only. PREFIX keeps the card numbers of different runs apart.

#include "cards/cardstore.h"
#include "common/numtext.h"
#include "common/session.h"
#include "data/dm1frm.h"
#include "data/sql.h"
#include "members/memberstore.h"
#include "operators/operatorstore.h"
#include "points/pointstore.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <random>
#include <unistd.h>

namespace {

struct Member
{
    QString card;
    QString name;
};

class Driver
{
public:
    Driver(quint64 seed, QString prefix)
        : m_rng(seed)
        , m_prefix(std::move(prefix))
    {
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return below(100) < percent; }
    // A positive amount with two decimals, as the windows compute points and amounts.
    QString money(int maxCents) { return NumberText((1 + below(maxCents)) / 100.0); }
    QString newCard() { return QStringLiteral("%1-%2").arg(m_prefix).arg(++m_serial); }
    QString newCode() { return QStringLiteral("%1-op%2").arg(m_prefix).arg(++m_serial); }

    static void report(const QString &line)
    {
        const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
        // One write per line: a kill never leaves half a line in the pipe.
        if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) < 0)
            ::_exit(3);
    }

    // A member as the windows pick one; lost cards are refused by the card lookup.
    std::optional<Member> anyMember(bool includeLost = false)
    {
        const QString where = includeLost ? QString() : QStringLiteral(" where 口头挂失标志 = 0");
        const int count
            = Sql::scalar(QStringLiteral("select count(*) from 会员卡信息") + where).toInt();
        if (count == 0)
            return std::nullopt;
        QSqlQuery q
            = Sql::exec(QStringLiteral("select 会员卡号, 会员姓名 from 会员卡信息%1 order by rowid "
                                       "limit 1 offset ?")
                            .arg(where),
                        { below(count) });
        if (!q.next())
            return std::nullopt;
        return Member { Sql::text(q.value(0)), Sql::text(q.value(1)) };
    }

    std::optional<QString> anyOperator()
    {
        const QStringList codes = Sql::text(Sql::scalar(QStringLiteral(
                                                "select group_concat(操作员, char(10)) from 操作员 "
                                                "where 操作员 <> '0001'")))
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (codes.isEmpty())
            return std::nullopt;
        return codes.at(below(int(codes.size())));
    }

    void registration()
    {
        MemberStore::MemberEntry e;
        e.card = newCard();
        const QStringList categories = MemberStore::categoryNames();
        e.category = categories.value(below(int(categories.size())));
        e.name = QStringLiteral("会员%1").arg(m_serial);
        e.sex = chance(50) ? QStringLiteral("男") : QStringLiteral("女");
        e.birthday = QDate(1980, 1, 1).addDays(below(9000));
        e.startDate = QDate::currentDate();
        if (chance(70)) {
            if (const std::optional<Member> referrer = anyMember()) {
                e.referrerCard = referrer->card;
                e.referrerName = referrer->name;
            }
        }
        report(QStringLiteral("begin register ") + e.card);
        MemberStore::registerMember(e);
        report(QStringLiteral("done register ") + e.card);
    }

    void purchase(const QString &reason)
    {
        const std::optional<Member> m = anyMember();
        if (!m)
            return registration();
        PointStore::Purchase p;
        p.card = m->card;
        p.name = m->name;
        p.points = money(5000);
        p.reason = reason;
        p.returned = reason != QStringLiteral("购物消费");
        if (p.returned)
            p.note = QStringLiteral("质量问题");
        const int lines = below(4); // a basket may be empty
        for (int i = 0; i < lines; ++i)
            p.lines.append({ QStringLiteral("商品%1").arg(below(50)), QStringLiteral("件"),
                             QString::number(1 + below(5)), money(20000) });
        PointStore::savePurchase(p);
    }

    void redemption()
    {
        const std::optional<Member> m = anyMember();
        if (!m)
            return registration();
        PointStore::Redemption r;
        r.card = m->card;
        r.name = m->name;
        r.points = money(3000); // sometimes above the balance: refused, nothing saved
        r.gift = chance(50) ? QStringLiteral("毛巾") : QString();
        r.cash = chance(50) ? money(1000) : QStringLiteral("0");
        PointStore::saveRedemption(r);
    }

    void operatorChange()
    {
        const std::optional<QString> some = anyOperator();
        const int what = some ? below(3) : 0;
        OperatorStore::Operator op;
        op.name = QStringLiteral("收银员%1").arg(m_serial);
        op.password = QStringLiteral("pw%1").arg(below(1000));
        for (bool &flag : op.flags)
            flag = chance(50);
        if (what == 0) {
            op.code = newCode();
            OperatorStore::add(op);
        } else if (what == 1) {
            op.code = *some;
            OperatorStore::modify(*some, op);
        } else {
            OperatorStore::remove(*some);
        }
    }

    // A loss report on a card in use, its cancellation on a lost one.
    void lossReport()
    {
        const std::optional<Member> m = anyMember(true);
        if (!m)
            return registration();
        if (MemberStore::member(m->card)->verballyLost)
            CardStore::CancelLoss(m->card);
        else
            CardStore::ReportLoss(m->card, m->name);
    }

    // Lost or not, a card gets a new number with the balance the window shows.
    void replacement()
    {
        const std::optional<Member> m = anyMember(true);
        if (!m)
            return registration();
        const QString card = newCard();
        report(QStringLiteral("begin replace %1 %2").arg(m->card, card));
        if (CardStore::ReplaceCard(m->card, card, m->name, PointStore::storedPoints(m->card))
            == CardStore::Replacement::Done)
            report(QStringLiteral("done replace %1 %2").arg(m->card, card));
    }

    // Each kind of save with its weight; a new kind is one more line here.
    const std::vector<std::pair<int, std::function<void()>>> saves {
        { 3, [this] { registration(); } },
        { 6, [this] { purchase(QStringLiteral("购物消费")); } },
        { 2, [this] { purchase(QStringLiteral("退货")); } },
        { 2, [this] { purchase(QStringLiteral("换货")); } },
        { 3, [this] { redemption(); } },
        { 2, [this] { operatorChange(); } },
        { 2, [this] { lossReport(); } },
        { 1, [this] { replacement(); } },
    };

    void runOne()
    {
        int total = 0;
        for (const auto &save : saves)
            total += save.first;
        int pick = below(total);
        for (const auto &save : saves) {
            if (pick < save.first)
                return save.second();
            pick -= save.first;
        }
    }

private:
    std::mt19937_64 m_rng;
    QString m_prefix;
    int m_serial = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: crashdriver DATABASE SEED PREFIX\n");
        return 2;
    }
    SetCurrentOperator(QStringLiteral("0001"), QString());
    TDM1 dm;
    QString error;
    if (!dm.open(args.at(1), &error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(args.at(1)), qPrintable(error));
        return 1;
    }
    Driver driver(args.at(2).toULongLong(), args.at(3));
    Driver::report(QStringLiteral("ready"));
    for (;;) {
        try {
            driver.runOne();
        } catch (const DbError &e) {
            // A refused save rolled back; the books must still balance, so carry on.
            Driver::report(QStringLiteral("refused ") + e.text().simplified());
        }
    }
}
