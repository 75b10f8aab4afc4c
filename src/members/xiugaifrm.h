#pragma once

#include "memberstore.h"

#include <QDialog>

class MemberForm;
class QPushButton;

// Corrects or deletes one member. The card number is locked once the member is loaded:
// a new number comes only from a card replacement.
class Txiugai : public QDialog
{
    Q_OBJECT
public:
    explicit Txiugai(QWidget *parent = nullptr);

    MemberForm *form() const { return m_form; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *deleteButton() const { return m_deleteButton; }
    QPushButton *exitButton() const { return m_exitButton; }
    bool isLoaded() const;

    void FormShow();
    void cardEditEnter();
    void saveButtonClick();
    void deleteButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // False when a stored date cannot be read: the member then stays partly shown.
    bool fill(const MemberStore::MemberRow &row);
    void setLoaded(bool loaded);

    MemberForm *m_form;
    QPushButton *m_saveButton;
    QPushButton *m_deleteButton;
    QPushButton *m_exitButton;
};
