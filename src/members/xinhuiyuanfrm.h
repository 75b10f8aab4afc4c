#pragma once

#include "common/childwindow.h"

#include <functional>

class MemberForm;
class QDialog;
class QPushButton;

// Registers a new member card; a referrer named on registration earns the referral bonus.
// Also the way into the member edit dialog.
class Txinhuiyuan : public ChildWindow
{
    Q_OBJECT
public:
    explicit Txinhuiyuan(QWidget *parent = nullptr);

    MemberForm *form() const { return m_form; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *exitButton() const { return m_exitButton; }

    void FormShow();
    // The two refusals of a card number; false when the number was refused (and emptied).
    bool cardEditExit();
    void idEditExit();
    void referrerCardEditEnter();
    void saveButtonClick();
    void editButtonClick();

    // Runs the edit dialog modally; tests replace it to drive the dialog.
    static std::function<int(QDialog *)> &modalRunner();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reset();

    MemberForm *m_form;
    QPushButton *m_saveButton;
    QPushButton *m_editButton;
    QPushButton *m_exitButton;
};
