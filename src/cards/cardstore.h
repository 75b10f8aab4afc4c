#pragma once

#include <QString>

// The statements of the verbal loss window and the card replacement window. Every save runs
// in one transaction; a DbError leaves nothing of it behind.
namespace CardStore {

// Sets the card's verbal loss flag and opens a loss record under the name given (the name
// field as the operator left it). False, nothing written, when no member holds the card.
bool ReportLoss(const QString &card, const QString &name);

// Clears the flag and closes every open loss record of the card with one date, time and
// operator. A card whose records were purged has its flag cleared all the same. False,
// nothing written, when no member holds the card.
bool CancelLoss(const QString &card);

enum class Replacement {
    Done,
    NewEmpty, // no new number given
    NewReplacedAway, // the new number was itself replaced by another card once
    NewExists, // a member holds the new number already (also the old number itself)
    OldMissing, // no member holds the old number (nothing to renumber)
};

// Gives the member of oldCard the number newCard: the member row (flag cleared), its journal
// and consumption rows move to the new number, a replacement record keeps the name and the
// points given (text as shown; empty stores nothing), and the open loss records of the old
// card are closed. The checks on the new number run inside the same transaction.
Replacement ReplaceCard(const QString &oldCard, const QString &newCard, const QString &name,
                        const QString &points);

} // namespace CardStore
