#pragma once

#include "basketgrid.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;
class QTableView;

// The product search of the purchase and returns windows: the search field with its
// button, and the pick list "请双击选中的商品" that pops up over the window holding the
// picker (its parent); a double click hands the product to the window.
class ProductPicker : public QWidget
{
    Q_OBJECT
public:
    // keepListWhenEmpty: a double click on an empty result leaves the list open (returns).
    explicit ProductPicker(bool keepListWhenEmpty, QWidget *parent = nullptr);

    QLineEdit *searchEdit() const { return m_searchEdit; }
    QPushButton *searchButton() const { return m_searchButton; }
    QGroupBox *pickGroup() const { return m_pickGroup; }
    QTableView *pickGrid() const { return m_pickGrid; }
    QPushButton *hideButton() const { return m_hideButton; }
    // Every row of the result (fetches them all; for tests and small results).
    int resultCount() const;
    BasketGrid::Product product(int row) const;

    void searchButtonClick();
    // What a double click in the list does with its current row.
    void pickGridDoubleClick();

Q_SIGNALS:
    void productChosen(const BasketGrid::Product &product);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_keepListWhenEmpty;
    QLineEdit *m_searchEdit;
    QPushButton *m_searchButton;
    QGroupBox *m_pickGroup;
    QTableView *m_pickGrid;
    QSqlQueryModel *m_model;
    QPushButton *m_hideButton;
};
