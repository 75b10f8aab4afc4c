#pragma once

#include "common/childwindow.h"

class PermissionBoxes;
class QPushButton;
class QTableWidget;

// The operator list: codes and names on the left, the flags of the operator shown last on
// the right (for reading only), and the commands to add, modify and delete operators.
class Tcaozuorenyuan : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tcaozuorenyuan(QWidget *parent = nullptr);

    QTableWidget *operatorGrid() const { return m_operatorGrid; }
    PermissionBoxes *permissions() const { return m_permissions; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *modifyButton() const { return m_modifyButton; }
    QPushButton *deleteButton() const { return m_deleteButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void LoadOperatorList();
    void ShowOperatorFlags();

    void addButtonClick();
    void modifyButtonClick();
    void deleteButtonClick() { DeleteOperator(); }
    void DeleteOperator();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString selectedCode() const;
    QString selectedName() const;

    QTableWidget *m_operatorGrid;
    PermissionBoxes *m_permissions;
    QPushButton *m_addButton;
    QPushButton *m_modifyButton;
    QPushButton *m_deleteButton;
    QPushButton *m_closeButton;
    bool m_watchingFrame = false;
};
