#pragma once

#include <QString>

// The journal number of the next points transaction: the largest number in 流水记录 plus
// one, as ten zero-padded digits. Purchases, returns and redemptions share the sequence;
// nothing is reserved, a number is taken once a journal row is saved with it.
// Throws DbError when the stored maximum is no whole number or the sequence is used up.
QString NextJournalNumber();

// The rule itself, on the maximum as read (empty when the table has no numbered row).
QString JournalNumberAfter(const QString &maximum);

inline constexpr qint64 LastJournalNumber = 9999999999LL;
