#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// The statements of the product catalogue window.
namespace ProductStore {

struct Product
{
    QString category;
    QString code;
    QString name;
    QString unit;
    QString price; // as typed: empty is no price, anything else goes to the database as it is
};

// The catalogue as it opens (by category), and after "取消查找" (by record number).
QString byCategoryStatement();
QString byNumberStatement();
// The three columns the quick search offers, in the order of its drop-down.
const QStringList &searchColumns();
// Products whose column contains the text anywhere; one value, the pattern of
// MemberLookupStore::containsPattern. Throws DbError for a column not offered.
QString searchStatement(const QString &column);

// The categories in use, as the database lists them.
QStringList categories();

// New record; returns its 编号. The database refuses what it refuses (a price that is
// no number): DbError with its text.
qint64 insert(const Product &product);
void update(qint64 number, const Product &product);
void remove(qint64 number);

} // namespace ProductStore
