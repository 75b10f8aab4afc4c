#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAbstractItemModel;
class QBoxLayout;
class QHBoxLayout;
class QToolButton;
class QGroupBox;
class QPushButton;
class QSize;
class QTableView;
class QWidget;

// The framework's standard error dialog: the application title, an error icon, the text.
void ShowStandardError(const QString &text, QWidget *parent = nullptr);
// A failed transactional save: the error's own text in a plain box under the application title.
void ShowSaveFailure(const QString &text, QWidget *parent = nullptr);

// A push button that Enter in another control never presses by accident.
QPushButton *MakeButton(const QString &text, const QString &objectName, QWidget *parent);

// A row of buttons centred under a window's controls. A spacing below zero keeps the style's.
QHBoxLayout *CentredButtonRow(const QList<QPushButton *> &buttons, int minimumWidth = 0,
                              int spacing = -1);

// A pop-up pick list inside a window: a read-only, row-selecting grid of search results over
// the window's other controls and a small "隐藏" button. Hidden until the window shows it.
struct PickListParts
{
    QGroupBox *group;
    QTableView *grid;
    QPushButton *hideButton;
};
PickListParts MakePickList(const QString &title, const QString &namePrefix, QWidget *host,
                           QAbstractItemModel *model, QObject *viewportFilter, const QSize &size);

// One button of a record navigator (新增, 删除, 修改, …): a caption under a standard picture,
// added to the navigator's layout.
QToolButton *MakeNavigatorButton(QWidget *group, QBoxLayout *layout, const QString &caption,
                                 const QString &objectName, int standardPixmap, int minimumWidth);

// Gives the frame a child window gets in the main window a minimise but no maximise button.
void KeepMinimiseOnly(QWidget *window);

// Enter in a control moves the focus to the next one of the chain, or runs the control's
// own action where one is given. Enter in combo boxes and date pickers is taken too.
class EnterChain : public QObject
{
    Q_OBJECT
public:
    explicit EnterChain(QObject *parent);

    // The control's Enter moves to the next control added (nothing for the last one).
    void add(QWidget *control);
    // The control's Enter runs action instead.
    void add(QWidget *control, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Link
    {
        QWidget *control;
        std::function<void()> action;
    };
    void enter(int index);

    QList<Link> m_links;
};
