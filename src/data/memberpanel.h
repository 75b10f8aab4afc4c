#pragma once

#include "memberlookupstore.h"

#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;

class QPushButton;
class QSqlQueryModel;
class QTableView;
class QToolButton;

// How one window uses the member panel. The six windows that start from a member card
// differ only in these points; the factories below give each window's set.
struct MemberPanelVariant
{
    // Enter in the card field always asks this first for a card that was replaced away.
    QString replacedQuestion;
    QString replacedTitle; // title of the replacement history it offers
    bool replacedCheckOnPick = false;
    bool pickListStaysOpenAfterReplacedQuestion = false;

    // Verbally lost cards are refused, offering their loss records under these titles.
    bool refuseLost = true;
    QString lostTitle;
    QString lostTitleOnPick;

    bool totals = false;   // "消费次数:" and "累计金额:"
    bool discount = false; // fills the discount field the window hands over
    bool lossBox = false;  // tick box "挂失标志" beside the card field
    bool searchClearsLossBox = false;
    bool remembersCard = true;   // the current card used by "详细记录"
    bool focusAfterPick = false; // the focus target also gets the focus after a pick

    QString searchHint; // tool tip of the four search buttons
    QString pickTitle;  // title of the pick list group
    QString colon;      // ":" or "：" after the value captions

    static MemberPanelVariant purchase();
    static MemberPanelVariant returns();
    static MemberPanelVariant redemption();
    static MemberPanelVariant query();
    static MemberPanelVariant verbalLoss();
    static MemberPanelVariant replacement();
};

// The card field, the member panel, the four search buttons and the member pick list that
// the business windows share, with the card lookup (LookUpCard), the member search
// (SearchMembers) and the pick (PickMember).
//
// The pick list is a pop-up group of the window that holds the panel (the panel's parent),
// hidden at first; the window places it with pickGroup()->setGeometry().
//
// What a window does once a member is loaded (enabling its inputs, focusing one) is either
// registered here (setEnabledWhileLoaded, setFocusTarget) or done on memberLoaded().
// Registered widgets are enabled only while a member is loaded: a refused lookup, a
// search, an edit of the card field or clear() disables them again.
class MemberPanel : public QWidget
{
    Q_OBJECT
public:
    enum class Source { Lookup, Pick };
    using SearchColumn = MemberLookupStore::SearchColumn;

    explicit MemberPanel(const MemberPanelVariant &variant, QWidget *parent = nullptr);

    const MemberPanelVariant &variant() const { return m_variant; }

    QLineEdit *cardEdit() const { return m_cardEdit; }
    QLabel *cardPrompt() const { return m_cardPrompt; }
    // The card field's row: windows add their own widgets (journal number, new card).
    QHBoxLayout *cardRow() const { return m_cardRow; }
    QLineEdit *searchEdit(SearchColumn column) const;
    QToolButton *searchButton(SearchColumn column) const;
    QLineEdit *nameEdit() const { return searchEdit(SearchColumn::Name); }
    QLabel *categoryValue() const { return m_categoryValue; }
    QLabel *sexValue() const { return m_sexValue; }
    QLabel *birthdayValue() const { return m_birthdayValue; }
    QLabel *addressValue() const { return m_addressValue; }
    QLabel *pointsValue() const { return m_pointsValue; }
    QLabel *issuedValue() const { return m_issuedValue; }
    QLabel *purchaseCountValue() const { return m_purchaseCountValue; }
    QLabel *totalAmountValue() const { return m_totalAmountValue; }
    QCheckBox *lossBox() const { return m_lossBox; }
    QGroupBox *pickGroup() const { return m_pickGroup; }
    QTableView *pickGrid() const { return m_pickGrid; }
    QPushButton *hideButton() const { return m_hideButton; }
    // Every row of the last search (fetches them all; for tests and small results).
    int pickRowCount() const;

    // The discount field of the window (purchase and returns), filled by the lookup.
    void setDiscountField(QLineEdit *field) { m_discountField = field; }
    void setEnabledWhileLoaded(const QList<QWidget *> &widgets);
    // Gets the focus after a lookup by Enter (and after a pick where the variant says so).
    void setFocusTarget(QWidget *widget) { m_focusTarget = widget; }

    bool isLoaded() const { return m_loaded; }
    // The member of the last successful lookup or pick, while loaded.
    const std::optional<MemberLookupStore::Member> &member() const { return m_member; }
    QString currentCard() const { return m_currentCard; }
    void setCurrentCard(const QString &card) { m_currentCard = card; }

    void LookUpCard();
    void SearchMembers(SearchColumn column);
    void PickMember();
    // Empties the card field, the search fields, every value, the discount and the tick box.
    void clear();

Q_SIGNALS:
    void memberLoaded(MemberPanel::Source source);
    // A search is about to run: the window empties its own dependent fields.
    void searchStarted();
    void loadedChanged(bool loaded);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool refuseReplaced(const QString &card, bool onPick);
    // Steps from the member read to the discount; false when the card was refused.
    bool loadMember(const QString &card, Source source);
    void offerLossRecords(const QString &card, const QString &title);
    void fill(const MemberLookupStore::Member &m);
    void clearValues();
    void setLoaded(bool loaded);
    void hidePickList();

    MemberPanelVariant m_variant;
    QLineEdit *m_cardEdit;
    QLabel *m_cardPrompt;
    QHBoxLayout *m_cardRow;
    QCheckBox *m_lossBox = nullptr;
    QLineEdit *m_searchEdits[4];
    QToolButton *m_searchButtons[4];
    QLabel *m_categoryValue;
    QLabel *m_sexValue;
    QLabel *m_birthdayValue;
    QLabel *m_addressValue;
    QLabel *m_pointsValue;
    QLabel *m_issuedValue;
    QLabel *m_purchaseCountValue = nullptr;
    QLabel *m_totalAmountValue = nullptr;
    QGroupBox *m_pickGroup;
    QTableView *m_pickGrid;
    QSqlQueryModel *m_pickModel;
    QPushButton *m_hideButton;
    QPointer<QLineEdit> m_discountField;
    QList<QPointer<QWidget>> m_whileLoaded;
    QPointer<QWidget> m_focusTarget;
    std::optional<MemberLookupStore::Member> m_member;
    QString m_currentCard;
    QString m_loadedCard;
    bool m_loaded = false;
};
