#include "windowsupport.h"

#include "common/apptexts.h"
#include "common/dialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

void ShowStandardError(const QString &text, QWidget *parent)
{
    Dialogs::message(AppTexts::ApplicationTitle, text, MsgIcon::Error, MsgButtons::Ok, parent);
}

void ShowSaveFailure(const QString &text, QWidget *parent)
{
    Dialogs::message(AppTexts::ApplicationTitle, text, MsgIcon::None, MsgButtons::Ok, parent);
}

namespace {

// The main window puts a child into a frame of its own; the frame's buttons are set the
// moment the child moves into it, before it shows.
class FrameButtons : public QObject
{
public:
    explicit FrameButtons(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ParentChange) {
            auto *window = static_cast<QWidget *>(watched);
            if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
                frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint
                                      | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                      | Qt::WindowCloseButtonHint);
        }
        return false;
    }
};

} // namespace

void KeepMinimiseOnly(QWidget *window)
{
    new FrameButtons(window);
}

EnterChain::EnterChain(QObject *parent)
    : QObject(parent)
{
}

void EnterChain::add(QWidget *control)
{
    add(control, {});
}

void EnterChain::add(QWidget *control, std::function<void()> action)
{
    m_links.append({control, std::move(action)});
    control->installEventFilter(this);
    // An editable combo box types into its own line edit, which sees the key first.
    if (auto *box = qobject_cast<QComboBox *>(control); box && box->lineEdit())
        box->lineEdit()->installEventFilter(this);
}

bool EnterChain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    for (int i = 0; i < m_links.size(); ++i) {
        QWidget *control = m_links.at(i).control;
        if (watched == control || (watched->parent() == control && qobject_cast<QLineEdit *>(watched))) {
            if (auto *box = qobject_cast<QComboBox *>(control); box && box->view()->isVisible())
                return false; // Enter picks an entry of the open list
            enter(i);
            return true;
        }
    }
    return false;
}

void EnterChain::enter(int index)
{
    if (m_links.at(index).action) {
        m_links.at(index).action();
        return;
    }
    if (index + 1 < m_links.size())
        m_links.at(index + 1).control->setFocus(Qt::TabFocusReason);
}

QPushButton *MakeButton(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout *CentredButtonRow(const QList<QPushButton *> &buttons, int minimumWidth, int spacing)
{
    auto *row = new QHBoxLayout;
    if (spacing >= 0)
        row->setSpacing(spacing);
    row->addStretch();
    for (QPushButton *button : buttons) {
        if (minimumWidth > 0)
            button->setMinimumWidth(minimumWidth);
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

PickListParts MakePickList(const QString &title, const QString &namePrefix, QWidget *host,
                           QAbstractItemModel *model, QObject *viewportFilter, const QSize &size)
{
    auto *group = new QGroupBox(title, host);
    group->setObjectName(namePrefix + QStringLiteral("PickGroup"));
    group->setAutoFillBackground(true);
    auto *grid = new QTableView(group);
    grid->setObjectName(namePrefix + QStringLiteral("PickGrid"));
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->verticalHeader()->hide();
    if (viewportFilter)
        grid->viewport()->installEventFilter(viewportFilter);
    QPushButton *hide = MakeButton(QStringLiteral("隐藏"), namePrefix + QStringLiteral("HideButton"), group);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(hide);
    auto *layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
    group->resize(size);
    group->hide();
    return {group, grid, hide};
}

QToolButton *MakeNavigatorButton(QWidget *group, QBoxLayout *layout, const QString &caption,
                                 const QString &objectName, int standardPixmap, int minimumWidth)
{
    auto *b = new QToolButton(group);
    b->setObjectName(objectName);
    b->setText(caption);
    b->setIcon(group->style()->standardIcon(QStyle::StandardPixmap(standardPixmap)));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumWidth(minimumWidth);
    layout->addWidget(b);
    return b;
}
