#pragma once

#include "common/childwindow.h"

#include "data/memberpanel.h"

class JournalNumberLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The redemption window: a member whose card category grants the chosen kind spends
// points on a gift or on cash paid out. The save takes the points off with one journal
// row holding the gift and the cash; no consumption rows.
class Tduihuan : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tduihuan(QWidget *parent = nullptr);

    MemberPanel *memberPanel() const { return m_memberPanel; }
    QRadioButton *giftButton() const { return m_giftButton; }
    QRadioButton *cashButton() const { return m_cashButton; }
    QLabel *journalNumberLabel() const;
    QLineEdit *pointsEdit() const { return m_pointsEdit; }
    QLineEdit *giftEdit() const { return m_giftEdit; }
    QLineEdit *cashEdit() const { return m_cashEdit; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *detailButton() const { return m_detailButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void FormShow();
    // Admits the member just loaded only if the category grants the selected kind.
    void checkRights(MemberPanel::Source source);
    void confirmButtonClick();
    void detailButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void clearInputs();
    void reset();
    void placePickList();

    MemberPanel *m_memberPanel;
    QRadioButton *m_giftButton;
    QRadioButton *m_cashButton;
    JournalNumberLabel *m_journalNumberLabel;
    QLineEdit *m_pointsEdit;
    QLineEdit *m_giftEdit;
    QLineEdit *m_cashEdit;
    QPushButton *m_confirmButton;
    QPushButton *m_detailButton;
    QPushButton *m_closeButton;
};
