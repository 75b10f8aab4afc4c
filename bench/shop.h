#pragma once

#include "points/basketgrid.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the cases need to know about the seeded database they run on.
struct Shop
{
    QString path;
    qint64 members = 0;
    qint64 journalRows = 0;
    qint64 consumptionRows = 0;
    qint64 products = 0;
    QStringList cards;     // members a lookup loads (neither replaced nor lost), spread out
    QStringList richCards; // members with a large balance, for returns and redemptions
    QStringList spareCards; // members no other case loads, for card replacements
    QList<BasketGrid::Product> basketProducts; // products spread over the catalogue

    // Opens the database on the default connection and reads the facts above.
    static Shop open(const QString &path);
};
