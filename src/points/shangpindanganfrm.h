#pragma once

#include "common/childwindow.h"
#include "data/dm1frm.h"
#include "productstore.h"

#include <QComboBox>

#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class RecordGrid;

// An editable drop-down that fills its list afresh each time it opens.
class RefreshingComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit RefreshingComboBox(std::function<QStringList()> entries, QWidget *parent = nullptr);
    void showPopup() override;

private:
    std::function<QStringList()> m_entries;
};

// The product catalogue: the products the purchase and returns windows offer. A grid of
// the product query, an edit panel showing its current record, the navigator that adds,
// edits, saves, cancels and deletes, a quick search and the export.
class Tshangpindangan : public ChildWindow
{
    Q_OBJECT
public:
    enum class State { Browse, Insert, Edit };

    explicit Tshangpindangan(QWidget *parent = nullptr);

    State state() const { return m_state; }
    SharedQuery *productQuery() { return &m_products; }
    RecordGrid *productGrid() const { return m_productGrid; }
    QToolButton *newButton() const { return m_newButton; }
    QToolButton *deleteButton() const { return m_deleteButton; }
    QToolButton *editButton() const { return m_editButton; }
    QToolButton *saveButton() const { return m_saveButton; }
    QToolButton *cancelButton() const { return m_cancelButton; }
    RefreshingComboBox *categoryBox() const { return m_categoryBox; }
    QLineEdit *codeEdit() const { return m_codeEdit; }
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QLineEdit *unitEdit() const { return m_unitEdit; }
    QLineEdit *priceEdit() const { return m_priceEdit; }
    QComboBox *columnBox() const { return m_columnBox; }
    QLineEdit *searchEdit() const { return m_searchEdit; }
    QPushButton *searchButton() const { return m_searchButton; }
    QPushButton *cancelSearchButton() const { return m_cancelSearchButton; }
    QPushButton *exportButton() const { return m_exportButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void FormShow();
    void newButtonClick();
    void editButtonClick();
    // False when the database refused the record, which stays in editing.
    bool saveButtonClick();
    void cancelButtonClick();
    void deleteButtonClick();
    void searchButtonClick();
    void cancelSearchButtonClick();
    void exportButtonClick();

private:
    QGroupBox *buildNavigator();
    QWidget *buildPanel();
    QGroupBox *buildSearch();
    void setState(State state);
    // The panel shows the grid's current record.
    void showCurrent();
    // Typing into the panel while browsing starts editing the record shown (or a new one).
    void panelEdited();
    void selectRecord(qint64 number, int fallbackRow);
    qint64 currentNumber() const;
    ProductStore::Product panelProduct() const;

    SharedQuery m_products;
    State m_state = State::Browse;
    bool m_showing = false;
    RecordGrid *m_productGrid;
    QToolButton *m_newButton;
    QToolButton *m_deleteButton;
    QToolButton *m_editButton;
    QToolButton *m_saveButton;
    QToolButton *m_cancelButton;
    RefreshingComboBox *m_categoryBox;
    QLineEdit *m_codeEdit;
    QLineEdit *m_nameEdit;
    QLineEdit *m_unitEdit;
    QLineEdit *m_priceEdit;
    QComboBox *m_columnBox;
    QLineEdit *m_searchEdit;
    QPushButton *m_searchButton;
    QPushButton *m_cancelSearchButton;
    QPushButton *m_exportButton;
    QPushButton *m_closeButton;
};
