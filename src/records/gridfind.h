#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class RecordGrid;

// The grid's find dialog (Ctrl+F): a value in one column, found from the row after the
// current one on each "查找下一个".
class GridFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit GridFindDialog(RecordGrid *grid);

    // Fills the column list from the grid and selects its current column.
    void prepare();
    void findNextButtonClick();

    QComboBox *columnBox;
    QLineEdit *valueEdit;
    QCheckBox *wholeCellBox;
    QPushButton *findNextButton;
    QPushButton *closeButton;

private:
    RecordGrid *m_grid;
};
