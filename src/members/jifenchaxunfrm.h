#pragma once

#include "common/childwindow.h"

class MemberPanel;
class QPushButton;

// The member query: one member by card number or found by a partial name, identity
// number or telephone, with the purchase count and total spending, and the member's
// points journal on "详细记录". Nothing here writes to the database.
class Tjifenchaxun : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tjifenchaxun(QWidget *parent = nullptr);

    MemberPanel *memberPanel() const { return m_memberPanel; }
    QPushButton *detailButton() const { return m_detailButton; }
    QPushButton *exitButton() const { return m_exitButton; }

    void FormShow();
    void detailButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placePickList();

    MemberPanel *m_memberPanel;
    QPushButton *m_detailButton;
    QPushButton *m_exitButton;
};
