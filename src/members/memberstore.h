#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Statements of the member windows: categories and programme settings, registration,
// edit and deletion. Failures throw DbError with the engine's text; nothing here shows
// a message.
namespace MemberStore {

// What the registration and edit windows write.
struct MemberEntry
{
    QString card;
    QString category;
    QString name;
    QString sex;
    QString idNumber;
    QDate birthday;
    QString address;
    QString phone;
    QString mobile;
    QDate startDate;
    QString referrerCard;
    QString referrerName;
};

// A stored member as the edit window shows it; dates as stored text.
struct MemberRow
{
    QString card;
    QString category;
    QString name;
    QString sex;
    QString idNumber;
    QString birthday;
    QString address;
    QString phone;
    QString mobile;
    QString startDate;
    QString referrerCard;
    QString referrerName;
    bool verballyLost = false;
};

// Category names in table order.
QStringList categoryNames();

// The automatic category change switch: on only when the first row holds "是".
bool autoChangeOn();
// Rewrites every row; a table without rows stays empty.
void setAutoChange(bool on);

// The referral bonus of the first row, as the windows show numbers; empty without a row.
QString referralBonusText();
// Digits become the number; anything else goes to the engine, which refuses it.
void setReferralBonus(const QString &text);

// A number that was once replaced away (it stands as an old card) can never be used again.
bool isReplacedCard(const QString &card);
bool memberExists(const QString &card);
std::optional<MemberRow> member(const QString &card);

struct Registration
{
    bool bonusCredited = false; // the referrer's row took the bonus and it was journaled
    double bonus = 0;
};

// In one transaction: the member row, and with a referrer card the bonus on the referrer's
// points plus its journal row. A referrer card that no member holds gets neither, since the
// journal must not claim points that were never added.
Registration registerMember(const MemberEntry &entry);

// In one transaction: the member row (生日 recomputed from the birthday) and the 团队 rows
// naming the member. Points and the verbal loss flag are never touched.
void updateMember(const MemberEntry &entry);

// Only the member row goes; its journal, consumption and loss history stay.
void deleteMember(const QString &card);

// The engine's refusal of a value, said plainly: a type check failure names the field by
// its label, a duplicate key says that the value exists. Other texts come back unchanged.
QString plainEngineText(const QString &engineText, const QList<QPair<QString, QString>> &labels);

} // namespace MemberStore
