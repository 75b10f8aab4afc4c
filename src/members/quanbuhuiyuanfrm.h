#pragma once

#include "common/childwindow.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class RecordGrid;

// The member list: every member, the members above a number of points or those of one
// card category, in a sortable grid with a count, for export and print.
//
// The grid shows the data module's all-members query, which outlives the window: opened
// again, it shows what the last "显示全部" or points query found.
class Tquanbuhuiyuan : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tquanbuhuiyuan(QWidget *parent = nullptr);

    QPushButton *showAllButton() const { return m_showAllButton; }
    QLineEdit *pointsEdit() const { return m_pointsEdit; }
    QPushButton *pointsQueryButton() const { return m_pointsQueryButton; }
    QComboBox *categoryBox() const { return m_categoryBox; }
    QPushButton *categoryQueryButton() const { return m_categoryQueryButton; }
    QPushButton *excelButton() const { return m_excelButton; }
    QPushButton *printButton() const { return m_printButton; }
    QPushButton *exitButton() const { return m_exitButton; }
    RecordGrid *memberGrid() const { return m_memberGrid; }

    void FormShow();
    void showAllButtonClick();
    void pointsQueryButtonClick();
    void categoryQueryButtonClick();
    void excelButtonClick();
    void printButtonClick();

private:
    QGroupBox *buildPointsGroup(QWidget *parent);
    QGroupBox *buildCategoryGroup(QWidget *parent);

    QPushButton *m_showAllButton;
    QLineEdit *m_pointsEdit;
    QPushButton *m_pointsQueryButton;
    QComboBox *m_categoryBox;
    QPushButton *m_categoryQueryButton;
    QPushButton *m_excelButton;
    QPushButton *m_printButton;
    QPushButton *m_exitButton;
    RecordGrid *m_memberGrid;
};
