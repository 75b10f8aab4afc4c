#pragma once

#include "zengjiajifenfrm.h"

class QLineEdit;
class QRadioButton;

// The returns window: the purchase window with the points taken off again. The operator
// chooses a return or an exchange, may type the exchange's price difference as the
// discounted amount, and adds a note; the rows are written with negative points,
// quantities and amounts.
class Ttuihuo : public Tzengjiajifen
{
    Q_OBJECT
public:
    explicit Ttuihuo(QWidget *parent = nullptr);

    QRadioButton *returnButton() const { return m_returnButton; }
    QRadioButton *exchangeButton() const { return m_exchangeButton; }
    QLineEdit *noteEdit() const { return m_noteEdit; }
    // "退货" or "换货", after the choice.
    QString reason() const;

protected:
    void completeSave(PointStore::Purchase &purchase) const override;
    void clearExtras() override;

private:
    QRadioButton *m_returnButton = nullptr;
    QRadioButton *m_exchangeButton = nullptr;
    QLineEdit *m_noteEdit = nullptr;
};
