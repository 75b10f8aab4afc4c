#pragma once

#include <QSqlQuery>
#include <QString>

#include <optional>

// The statements of the member card lookup and the member search, shared by every window
// that starts from a member card.
namespace MemberLookupStore {

// A member's row as the panel shows it: every value as text.
struct Member
{
    QString card;
    QString category;
    QString name;
    QString sex;
    QString identity;
    QString birthday;
    QString address;
    QString phone;
    QString mobile;
    QString points;
    QString issued;
    bool verballyLost = false;
};

// The columns the four search buttons search.
enum class SearchColumn { Name, Identity, Phone, Mobile };
QString columnName(SearchColumn column);

// True when the card was replaced by another card (it stands in 挂失记录 as 旧卡号).
bool isReplaced(const QString &card);
// Nothing when no member holds the card.
std::optional<Member> member(const QString &card);
// Journal rows of the card whose reason is 购物消费.
qint64 purchaseCount(const QString &card);
// Sum of 消费金额 over the card's consumption rows as text; "0" when there are none.
QString totalAmount(const QString &card);
// 折扣 of the category as text; empty when there is no such category.
QString categoryDiscount(const QString &category);

// Members whose column contains the text anywhere (quotes, "%" and "_" taken literally):
// 会员卡号, 会员姓名, 身份证号. A scrollable query for a grid that fetches rows as needed.
QSqlQuery search(SearchColumn column, const QString &text);

// Statements and values of the record windows a refused card offers.
QString replacementRecordsStatement();
QString lossRecordsStatement();

// "%", "_" and "\" escaped for like ... escape '\', wrapped in "%".
QString containsPattern(const QString &text);

} // namespace MemberLookupStore
