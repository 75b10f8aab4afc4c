#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Statements of the member query, the member list and the birthday reminder. The windows
// put them on the shared grid queries; every value is bound. Nothing here shows a message.
namespace MemberViewStore {

struct Statement
{
    QString text;
    QVariantList values;
};

// Every member.
Statement allMembers();
// Members whose points exceed the number (a member with exactly that many is left out).
Statement membersAbovePoints(double points);
Statement membersOfCategory(const QString &category);
// Members whose birthday key is one of the `days` calendar days from `first` on. The keys
// are looked up in the birthday index, so the list costs the same for any number of members.
Statement birthdayList(const QDate &first, int days);
// The journal rows of one card ("详细记录").
Statement memberJournal(const QString &card);

// Runs a statement and gives the card numbers of its rows, in the order they come.
QStringList cards(const Statement &statement);

} // namespace MemberViewStore
