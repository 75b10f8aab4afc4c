#pragma once

#include "memberstore.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// The twelve member inputs shared by registration and edit: left column card number to
// birthday, right column address to referrer name.
class MemberForm : public QWidget
{
    Q_OBJECT
public:
    // cardPrompt, when given, stands above the card number field.
    explicit MemberForm(const QString &cardPrompt, QWidget *parent = nullptr);

    QLineEdit *cardEdit() const { return m_cardEdit; }
    QComboBox *categoryBox() const { return m_categoryBox; }
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QComboBox *sexBox() const { return m_sexBox; }
    QLineEdit *idEdit() const { return m_idEdit; }
    QDateEdit *birthdayEdit() const { return m_birthdayEdit; }
    QLineEdit *addressEdit() const { return m_addressEdit; }
    QLineEdit *phoneEdit() const { return m_phoneEdit; }
    QLineEdit *mobileEdit() const { return m_mobileEdit; }
    QDateEdit *startDateEdit() const { return m_startDateEdit; }
    QLineEdit *referrerCardEdit() const { return m_referrerCardEdit; }
    QLineEdit *referrerNameEdit() const { return m_referrerNameEdit; }

    // The inputs in the order Enter walks through them.
    QList<QWidget *> inputs() const;

    // Fills the category list (table order) and the sex list, selecting their first entries.
    void loadLists(const QStringList &categories);
    void selectFirstEntries();
    // Empties the eight text fields and puts both dates to today.
    void clearFields();

    MemberStore::MemberEntry entry() const;

private:
    QLineEdit *m_cardEdit;
    QComboBox *m_categoryBox;
    QLineEdit *m_nameEdit;
    QComboBox *m_sexBox;
    QLineEdit *m_idEdit;
    QDateEdit *m_birthdayEdit;
    QLineEdit *m_addressEdit;
    QLineEdit *m_phoneEdit;
    QLineEdit *m_mobileEdit;
    QDateEdit *m_startDateEdit;
    QLineEdit *m_referrerCardEdit;
    QLineEdit *m_referrerNameEdit;
};

// Selects the entry with this text, or shows the text itself when the list lacks it.
void SetComboText(QComboBox *box, const QString &text);
