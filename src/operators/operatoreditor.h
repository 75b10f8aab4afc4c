#pragma once

#include "operatorstore.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class PermissionBoxes;

// The layout the new-operator window and the modify dialog share: "基本信息" with code,
// name and the password typed twice, "权限列表" with the toggle, and "保存"/"退出".
class OperatorEditor : public QWidget
{
    Q_OBJECT
public:
    explicit OperatorEditor(QWidget *parent = nullptr);

    QLineEdit *codeEdit() const { return m_codeEdit; }
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QLineEdit *passwordEdit() const { return m_passwordEdit; }
    QLineEdit *repeatEdit() const { return m_repeatEdit; }
    PermissionBoxes *permissions() const { return m_permissions; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    // The operator as typed (the password from the password field).
    OperatorStore::Operator input() const;

    // The checks both saves make before writing; false after showing the refusal.
    bool checkCodeGiven();
    bool checkPasswordsMatch();

    // A failed save: the engine's text, the input stays.
    void showSaveError(const QString &text);

private:
    QLineEdit *m_codeEdit;
    QLineEdit *m_nameEdit;
    QLineEdit *m_passwordEdit;
    QLineEdit *m_repeatEdit;
    PermissionBoxes *m_permissions;
    QPushButton *m_saveButton;
    QPushButton *m_closeButton;
};
