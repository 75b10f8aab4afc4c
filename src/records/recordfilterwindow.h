#pragma once

#include "common/childwindow.h"
#include "gridcolumn.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class RecordGrid;
class SharedQuery;

// The journal and consumption views: a date range, one column equal to a value, two
// boxes that lift either condition, and the record grid of a shared query.
class RecordFilterWindow : public ChildWindow
{
    Q_OBJECT
public:
    struct Setup
    {
        QSize size;
        QString table;
        QStringList filterColumns;
        QString allDatesText;
        QString allMembersText;
        QString queryText;
        QList<GridColumn> columns;
        QString exportCaption;
        bool startsEmpty = false; // closes the query on opening
    };

    RecordFilterWindow(QWidget *parent, const Setup &setup, SharedQuery *query);

    void queryButtonClick();
    void excelButtonClick();
    void exitButtonClick();

    QGroupBox *dateGroup;
    QDateEdit *fromDateEdit;
    QDateEdit *toDateEdit;
    QGroupBox *otherGroup;
    QComboBox *columnBox;
    QLineEdit *valueEdit;
    QCheckBox *allDatesBox;
    QCheckBox *allMembersBox;
    QPushButton *queryButton;
    QPushButton *excelButton;
    QPushButton *exitButton;
    RecordGrid *recordGrid;

protected:
    // The opening state: first column, no value, both dates today, both boxes clear.
    void reset();

private:
    Setup m_setup;
    SharedQuery *m_query;
};
