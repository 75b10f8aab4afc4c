#pragma once

#include "common/childwindow.h"
#include "records/gridcolumn.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class RecordGrid;
class SharedQuery;

// The replacement and verbal loss histories: "显示全部", an exact-match quick find on one
// column, export, and the record grid of a shared query that openers fill beforehand.
class HistoryWindow : public ChildWindow
{
    Q_OBJECT
public:
    struct Setup
    {
        QPoint position;
        QSize size;
        QString table;
        QStringList findColumns;
        QString listTitle;
        QList<GridColumn> columns;
    };

    HistoryWindow(QWidget *parent, const Setup &setup, SharedQuery *query);

    void showAllButtonClick();
    void findButtonClick();
    void valueEditReturnPressed();
    void excelButtonClick();
    void exitButtonClick();

    QPushButton *showAllButton;
    QGroupBox *findGroup;
    QComboBox *columnBox;
    QLineEdit *valueEdit;
    QPushButton *findButton;
    QPushButton *excelButton;
    QPushButton *exitButton;
    QGroupBox *listGroup;
    RecordGrid *recordGrid;

private:
    Setup m_setup;
    SharedQuery *m_query;
};
