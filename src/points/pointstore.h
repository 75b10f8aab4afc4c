#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>

#include <optional>

// The statements of the purchase, returns and redemption windows.
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
    // A return or exchange takes the points off again; its journal points, quantities and
    // amounts are stored negative, and its rows carry the operator's note.
    bool returned = false;
    QString reason = QStringLiteral("购物消费");
    QString note;
};

// Saves a purchase (or a return) in one transaction: the points onto the member (or off),
// one journal row and one consumption row per line under the next journal number, then the
// automatic category change from the balance as stored. Returns the journal number it
// used. Throws DbError (everything rolled back) on any failure, also when no member holds
// the card.
QString savePurchase(const Purchase &purchase);

struct Redemption
{
    QString card;
    QString name;
    QString points; // as typed, above 0
    QString gift;   // as typed, may be empty
    QString cash;   // as typed, "0" when nothing was typed
};

// Saves a redemption in one transaction: the points off the member, one journal row with
// the gift and the cash, then the automatic category change. The stored balance is checked
// inside the transaction, so a balance another window has lowered since the member was
// shown cannot be overdrawn: nothing when the points exceed it (nothing saved), otherwise
// the journal number used. Throws DbError (everything rolled back) on any failure.
std::optional<QString> saveRedemption(const Redemption &redemption);

// The kinds of redemption a card category grants; neither for a category that is gone.
struct RedemptionRights
{
    bool gifts = false;
    bool cash = false;
};
RedemptionRights redemptionRights(const QString &category);

// The member's points as stored, as text.
QString storedPoints(const QString &card);

// The member's journal rows, for the journal window: one value, the card.
QString journalStatement();

} // namespace PointStore
