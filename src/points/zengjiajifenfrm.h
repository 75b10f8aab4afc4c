#pragma once

#include "pointstore.h"

#include "common/childwindow.h"

#include <QString>

class BasketGrid;
class JournalNumberLabel;
class MemberPanel;
class ProductPicker;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
struct MemberPanelVariant;
struct TransactionReceipt;

// What the returns window changes in the purchase window's layout and messages.
struct BasketWindowVariant
{
    QString title;
    QString heading;
    QString basketCaption;
    QString amountCaption;
    QString pointsCaption;
    QString halfFilledMessage; // a line with only one of category and code, on "确定"
    QString negativeMessage;   // points below zero, on "确定"
    QString successMessage;
    // Returns: the discounted amount can be typed (an exchange's price difference), a
    // search with no product keeps the pick list, and the points come off on saving.
    bool returns = false;

    static BasketWindowVariant purchase();
    static BasketWindowVariant returnsWindow();
};

// The purchase window: a member by card, a basket filled from the product catalogue or an
// amount typed directly, the member's discount and points ratio, and on "确定" the points
// saved with their journal and consumption rows and the receipt printed.
class Tzengjiajifen : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tzengjiajifen(QWidget *parent = nullptr);

    const BasketWindowVariant &variant() const { return m_variant; }

    MemberPanel *memberPanel() const { return m_memberPanel; }
    ProductPicker *productPicker() const { return m_productPicker; }
    BasketGrid *basketGrid() const { return m_basketGrid; }
    QLabel *journalNumberLabel() const;
    QLineEdit *amountEdit() const { return m_amountEdit; }
    QLineEdit *discountEdit() const { return m_discountEdit; }
    QLineEdit *discountedEdit() const { return m_discountedEdit; }
    QLineEdit *pointsEdit() const { return m_pointsEdit; }
    QPushButton *deleteLineButton() const { return m_deleteLineButton; }
    QPushButton *addLinesButton() const { return m_addLinesButton; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *detailButton() const { return m_detailButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void FormShow();
    void amountEditChange();
    void discountedEditChange();
    void confirmButtonClick();
    void detailButtonClick();

protected:
    Tzengjiajifen(const BasketWindowVariant &variant, const MemberPanelVariant &panelVariant, QWidget *parent);

    // Room between the basket and the amount line for a window's own controls.
    QBoxLayout *extraRow() const { return m_extraRow; }
    // What a window adds to the save (reason, note) just before it runs.
    virtual void completeSave(PointStore::Purchase &purchase) const { Q_UNUSED(purchase); }
    // After a member search and on every reset: a window's own fields to empty.
    virtual void clearExtras() {}

    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Shows the next journal number (JournalNumberLabel::refresh).
    void showJournalNumber(bool report);
    // After a member was loaded: the discount and the points ratio may differ now.
    void recalculateForMember();
    // The receipt of the transaction just saved, from the window's texts.
    TransactionReceipt receipt(const QString &journalNumber) const;
    void reset();
    void placePickLists();

    BasketWindowVariant m_variant;
    QBoxLayout *m_extraRow;
    MemberPanel *m_memberPanel;
    ProductPicker *m_productPicker;
    BasketGrid *m_basketGrid;
    JournalNumberLabel *m_journalNumberLabel;
    QLineEdit *m_amountEdit;
    QLineEdit *m_discountEdit;
    QLineEdit *m_discountedEdit;
    QLineEdit *m_pointsEdit;
    QPushButton *m_deleteLineButton;
    QPushButton *m_addLinesButton;
    QPushButton *m_confirmButton;
    QPushButton *m_detailButton;
    QPushButton *m_closeButton;
    bool m_discountedTyped = false; // an exchange difference typed over the rule's result
};
