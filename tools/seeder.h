#pragma once

#include <QString>

struct SeedOptions
{
    int members = 200;
    int journal = 2000;     // journal rows in all, the referral rows included
    int consumption = -1;   // consumption rows in all; -1: one to four per purchase
    int products = -1;      // -1: a tenth of the members, 30 to 20,000
    quint32 seed = 20081205;
};

// Writes a new database at path, filled with a believable shop: categories with
// thresholds, products, members with birthdays and referrers, and a history of
// purchases, returns, exchanges and redemptions, one replaced card and one open loss
// report. Every member's points equal the sum of his journal rows; every consumption
// row belongs to a journal number. Leaves the database open on the default connection.
bool SeedDatabase(const QString &path, const SeedOptions &options, QString *error);
