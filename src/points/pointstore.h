#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>

// The statements of the purchase window (and of the returns window, which shares the
// product search and the basket).
namespace PointStore {

// Products whose code or name contains the text anywhere (quotes, "%" and "_" literally):
// 所属类别, 商品编号, 商品名称, 单位, 预设单价. Scrollable, for a grid.
QSqlQuery searchProducts(const QString &text);

// Money per point of the category; 0 when there is no such category or no ratio.
double pointsRatio(const QString &category);

// One basket line as it is stored: texts as the basket holds them; the amount is the
// line's amount after the discount.
struct ConsumptionLine
{
    QString product;
    QString unit;
    QString quantity;
    QString amount;
};

struct Purchase
{
    QString card;
    QString name;
    QString points; // as the points field holds it
    QList<ConsumptionLine> lines;
};

// Saves a purchase in one transaction: the points onto the member, one journal row and one
// consumption row per line under the next journal number, then the automatic category
// change from the balance as stored. Returns the journal number it used. Throws DbError
// (everything rolled back) on any failure, also when no member holds the card.
QString savePurchase(const Purchase &purchase);

// The member's points as stored, as text.
QString storedPoints(const QString &card);

// The member's journal rows, for the journal window: one value, the card.
QString journalStatement();

} // namespace PointStore
