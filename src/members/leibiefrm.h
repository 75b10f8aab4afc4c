#pragma once

#include "common/childwindow.h"

class CategoryModel;
class QCheckBox;
class QDataWidgetMapper;
class QLineEdit;
class QRadioButton;
class QPushButton;
class QTableView;
class QToolButton;

// Card categories and the automatic category change switch. The fields show the current
// row of the category list; a row changes only after "新增" or "修改" until it is saved or
// cancelled.
class Tleibie : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tleibie(QWidget *parent = nullptr);

    // The standing category query, "select * from 卡类别", edited in place.
    CategoryModel *ADOQuery4() const { return m_categories; }
    bool isPending() const { return m_pending != Pending::None; }

    QRadioButton *autoChangeRadio() const { return m_autoChangeRadio; }
    QRadioButton *manualChangeRadio() const { return m_manualChangeRadio; }
    QPushButton *switchConfirmButton() const { return m_switchConfirmButton; }
    QToolButton *newButton() const { return m_newButton; }
    QToolButton *deleteButton() const { return m_deleteButton; }
    QToolButton *editButton() const { return m_editButton; }
    QToolButton *saveButton() const { return m_saveButton; }
    QToolButton *cancelButton() const { return m_cancelButton; }
    QToolButton *exitButton() const { return m_exitButton; }
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QLineEdit *ratioEdit() const { return m_ratioEdit; }
    QCheckBox *giftCheck() const { return m_giftCheck; }
    QCheckBox *cashCheck() const { return m_cashCheck; }
    QLineEdit *discountEdit() const { return m_discountEdit; }
    QLineEdit *thresholdEdit() const { return m_thresholdEdit; }
    QTableView *categoryGrid() const { return m_categoryGrid; }

    void FormShow();
    void switchConfirmButtonClick();
    void newButtonClick();
    void editButtonClick();
    // False when the pending row was refused and stays pending.
    bool saveButtonClick();
    void cancelButtonClick();
    void deleteButtonClick();

private:
    enum class Pending { None, New, Edit };

    QWidget *buildSwitchGroup();
    QWidget *buildNavigationGroup();
    QWidget *buildFields();
    QWidget *buildGrid();
    void buildEnterChain();
    void setPending(Pending pending);
    void showRow(int row);
    int currentRow() const;

    CategoryModel *m_categories;
    QDataWidgetMapper *m_mapper;
    Pending m_pending = Pending::None;

    QRadioButton *m_autoChangeRadio;
    QRadioButton *m_manualChangeRadio;
    QPushButton *m_switchConfirmButton;
    QToolButton *m_newButton;
    QToolButton *m_deleteButton;
    QToolButton *m_editButton;
    QToolButton *m_saveButton;
    QToolButton *m_cancelButton;
    QToolButton *m_exitButton;
    QLineEdit *m_nameEdit;
    QLineEdit *m_ratioEdit;
    QCheckBox *m_giftCheck;
    QCheckBox *m_cashCheck;
    QLineEdit *m_discountEdit;
    QLineEdit *m_thresholdEdit;
    QTableView *m_categoryGrid;
};
