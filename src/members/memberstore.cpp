#include "memberstore.h"

#include "birthday.h"

#include "common/clock.h"
#include "common/numtext.h"
#include "common/session.h"
#include "data/sql.h"

#include <QSqlQuery>

namespace MemberStore {

namespace {

// A number field's text as the engine should receive it: empty is NULL, a number is that
// number, anything else stays text so that the column's type check refuses it.
QVariant numberValue(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QVariant();
    bool ok = false;
    const double value = TextNumber(text, &ok);
    return ok ? QVariant(value) : QVariant(text);
}

} // namespace

QStringList categoryNames()
{
    // The whole row: a query on the name alone is answered from its index, in name order.
    QSqlQuery q = Sql::exec(QStringLiteral("select * from 卡类别"));
    QStringList names;
    while (q.next())
        names << Sql::text(q.value(QStringLiteral("卡类别")));
    return names;
}

bool autoChangeOn()
{
    return Sql::text(Sql::scalar(QStringLiteral("select 自动变卡 from 自动变卡")))
           == QStringLiteral("是");
}

void setAutoChange(bool on)
{
    Sql::execute(QStringLiteral("update 自动变卡 set 自动变卡 = ?"),
                 {on ? QStringLiteral("是") : QStringLiteral("否")});
}

QString referralBonusText()
{
    return Sql::text(Sql::scalar(QStringLiteral("select 引荐积分 from 引荐积分")));
}

void setReferralBonus(const QString &text)
{
    Sql::execute(QStringLiteral("update 引荐积分 set 引荐积分 = ?"), {numberValue(text)});
}

bool isReplacedCard(const QString &card)
{
    const QVariant old = Sql::scalar(
        QStringLiteral("select 旧卡号 from 挂失记录 where 旧卡号 = ?"), {card});
    return !Sql::text(old).isEmpty();
}

bool memberExists(const QString &card)
{
    return Sql::scalar(QStringLiteral("select 1 from 会员卡信息 where 会员卡号 = ?"), {card})
        .isValid();
}

std::optional<MemberRow> member(const QString &card)
{
    QSqlQuery q = Sql::exec(QStringLiteral("select * from 会员卡信息 where 会员卡号 = ?"), {card});
    if (!q.next())
        return std::nullopt;
    const auto t = [&q](const char *column) { return Sql::text(q.value(QString::fromUtf8(column))); };
    MemberRow row;
    row.card = t("会员卡号");
    row.category = t("卡类别");
    row.name = t("会员姓名");
    row.sex = t("性别");
    row.idNumber = t("身份证号");
    row.birthday = t("会员生日");
    row.address = t("地址");
    row.phone = t("固定电话");
    row.mobile = t("手机");
    row.startDate = t("起用日期");
    row.referrerCard = t("引荐人卡号");
    row.referrerName = t("引荐人姓名");
    row.verballyLost = Sql::isTrue(q.value(QStringLiteral("口头挂失标志")));
    return row;
}

Registration registerMember(const MemberEntry &e)
{
    Registration result;
    TransactionGuard transaction;
    Sql::execute(QStringLiteral(
                     "insert into 会员卡信息 ([生日], [会员卡号], [卡类别], [会员姓名], [性别], "
                     "[身份证号], [会员生日], [地址], [固定电话], [手机], [引荐人卡号], "
                     "[引荐人姓名], [起用日期]) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {BirthdayKey(e.birthday), e.card, e.category, e.name, e.sex, e.idNumber,
                  Clock::dateText(e.birthday), e.address, e.phone, e.mobile, e.referrerCard,
                  e.referrerName, Clock::dateText(e.startDate)});
    if (!e.referrerCard.isEmpty()) {
        // A missing or empty setting credits nothing rather than turning the points NULL.
        result.bonus = Sql::scalar(QStringLiteral("select 引荐积分 from 引荐积分")).toDouble();
        const int credited = Sql::execute(
            QStringLiteral("update 会员卡信息 set 积分 = round(coalesce(积分, 0) + ?, 2) "
                           "where 会员卡号 = ?"),
            {result.bonus, e.referrerCard});
        if (credited > 0) {
            Sql::execute(QStringLiteral("insert into 流水记录 ([会员卡号], [会员姓名], [增减积分], "
                                        "[增减原因], [日期], [时间], [经手人]) "
                                        "values (?, ?, ?, ?, ?, ?, ?)"),
                         {e.referrerCard, e.referrerName, result.bonus, QStringLiteral("引荐会员"),
                          Clock::todayText(), Clock::nowTimeText(), CurrentOperatorCode()});
            result.bonusCredited = true;
        }
    }
    transaction.commit();
    return result;
}

void updateMember(const MemberEntry &e)
{
    TransactionGuard transaction;
    const int changed = Sql::execute(QStringLiteral("update 会员卡信息 set 卡类别 = ?, 会员姓名 = ?, 性别 = ?, "
                                "身份证号 = ?, 会员生日 = ?, 地址 = ?, 固定电话 = ?, 手机 = ?, "
                                "引荐人卡号 = ?, 引荐人姓名 = ?, 起用日期 = ?, 生日 = ? "
                                "where 会员卡号 = ?"),
                 {e.category, e.name, e.sex, e.idNumber, Clock::dateText(e.birthday), e.address,
                  e.phone, e.mobile, e.referrerCard, e.referrerName, Clock::dateText(e.startDate),
                  BirthdayKey(e.birthday), e.card});
    // Deleted meanwhile by another user of the file: saving nothing is no success.
    if (changed == 0)
        throw DbError(QStringLiteral("此卡号不存在！"));
    Sql::execute(QStringLiteral("update 团队 set 团队成员姓名 = ?, 卡号 = ?, 姓名 = ? "
                                "where 团队成员卡号 = ?"),
                 {e.name, e.referrerCard, e.referrerName, e.card});
    transaction.commit();
}

void deleteMember(const QString &card)
{
    Sql::execute(QStringLiteral("delete from 会员卡信息 where 会员卡号 = ?"), {card});
}

QString plainEngineText(const QString &engineText, const QList<QPair<QString, QString>> &labels)
{
    for (const auto &[column, label] : labels) {
        const QString quoted = QLatin1Char('"') + column + QLatin1Char('"');
        if (engineText.contains(QStringLiteral("CHECK constraint failed"))
            && engineText.contains(quoted))
            return QStringLiteral("“%1”只能填写数字，不能保存！\n%2").arg(label, engineText);
        if (engineText.contains(QStringLiteral("UNIQUE constraint failed"))
            && engineText.contains(QLatin1Char('.') + column))
            return QStringLiteral("“%1”已经存在，不能重复！\n%2").arg(label, engineText);
    }
    return engineText;
}

} // namespace MemberStore
