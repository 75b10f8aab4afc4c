#pragma once

#include "common/childwindow.h"

class BasketGrid;
class MemberPanel;
class ProductPicker;
class QLabel;
class QLineEdit;
class QPushButton;

// The purchase window: a member by card, a basket filled from the product catalogue or an
// amount typed directly, the member's discount and points ratio, and on "确定" the points
// saved with their journal and consumption rows and the receipt printed.
class Tzengjiajifen : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tzengjiajifen(QWidget *parent = nullptr);

    MemberPanel *memberPanel() const { return m_memberPanel; }
    ProductPicker *productPicker() const { return m_productPicker; }
    BasketGrid *basketGrid() const { return m_basketGrid; }
    QLabel *journalNumberLabel() const { return m_journalNumberLabel; }
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
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Shows the next journal number. Quietly keeps the label when the number cannot be
    // formed, unless asked to report (on showing and after a save), or the failure is new.
    void showJournalNumber(bool report);
    // After a member was loaded: the discount and the points ratio may differ now.
    void recalculateForMember();
    void reset();
    void placePickLists();

    MemberPanel *m_memberPanel;
    ProductPicker *m_productPicker;
    BasketGrid *m_basketGrid;
    QLabel *m_journalNumberLabel;
    QLineEdit *m_amountEdit;
    QLineEdit *m_discountEdit;
    QLineEdit *m_discountedEdit;
    QLineEdit *m_pointsEdit;
    QPushButton *m_deleteLineButton;
    QPushButton *m_addLinesButton;
    QPushButton *m_confirmButton;
    QPushButton *m_detailButton;
    QPushButton *m_closeButton;
    QString m_journalError;
};
