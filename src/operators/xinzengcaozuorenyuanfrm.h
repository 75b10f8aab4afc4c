#pragma once

#include "common/childwindow.h"

class OperatorEditor;

// New operators, one after the other: the window stays open after each save.
class Txinzengcaozuorenyuan : public ChildWindow
{
    Q_OBJECT
public:
    explicit Txinzengcaozuorenyuan(QWidget *parent = nullptr);

    OperatorEditor *editor() const { return m_editor; }

    void FormShow();
    void saveButtonClick() { AddOperator(); }
    void AddOperator();

protected:
    void showEvent(QShowEvent *event) override;

private:
    OperatorEditor *m_editor;
    bool m_shown = false;
};
