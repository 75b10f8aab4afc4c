#include "caozuorenyuanfrm.h"

#include "common/windowsupport.h"
#include "operatorstore.h"
#include "permissionboxes.h"
#include "xiugaicaozuoyuanfrm.h"

#include "common/dialogs.h"
#include "common/shell.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

Tcaozuorenyuan::Tcaozuorenyuan(QWidget *parent)
    : ChildWindow(parent, QPoint(270, 0), QSize(600, 470))
{
    setObjectName(QStringLiteral("Tcaozuorenyuan"));
    setWindowTitle(QStringLiteral("操作人员设置"));

    auto *listGroup = new QGroupBox(QStringLiteral("操作人员列表"), this);
    listGroup->setObjectName(QStringLiteral("listGroup"));
    m_operatorGrid = new QTableWidget(0, 2, listGroup);
    m_operatorGrid->setObjectName(QStringLiteral("operatorGrid"));
    m_operatorGrid->setHorizontalHeaderLabels({QStringLiteral("编号"), QStringLiteral("姓名")});
    m_operatorGrid->verticalHeader()->hide();
    m_operatorGrid->verticalHeader()->setDefaultSectionSize(22);
    m_operatorGrid->horizontalHeader()->setFixedHeight(20);
    m_operatorGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_operatorGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_operatorGrid->setColumnWidth(0, 88);
    m_operatorGrid->setColumnWidth(1, 88);
    m_operatorGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_operatorGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_operatorGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_operatorGrid->setFixedWidth(88 * 2 + 2 * m_operatorGrid->frameWidth()
                                  + m_operatorGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    auto *hint = new QLabel(QStringLiteral("双击编号即在右边显示该操作人员的权限！"), listGroup);
    hint->setObjectName(QStringLiteral("hintLabel"));
    hint->setWordWrap(true);
    hint->setFixedWidth(m_operatorGrid->width());
    auto *listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(m_operatorGrid, 1);
    listLayout->addWidget(hint);

    m_permissions = new PermissionBoxes(PermissionBoxes::Toggle::None, this);

    m_addButton = makeButton(QStringLiteral("新增"), QStringLiteral("addButton"), this);
    m_modifyButton = makeButton(QStringLiteral("修改"), QStringLiteral("modifyButton"), this);
    m_deleteButton = makeButton(QStringLiteral("删除"), QStringLiteral("deleteButton"), this);
    m_closeButton = makeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(listGroup);
    top->addWidget(m_permissions, 1);
    auto *buttons = CentredButtonRow({m_addButton, m_modifyButton, m_deleteButton, m_closeButton});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(m_operatorGrid, &QTableWidget::cellDoubleClicked, this, [this] { ShowOperatorFlags(); });
    connect(m_addButton, &QPushButton::clicked, this, [this] { addButtonClick(); });
    connect(m_modifyButton, &QPushButton::clicked, this, [this] { modifyButtonClick(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { deleteButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });
}

void Tcaozuorenyuan::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    LoadOperatorList();
    // Coming back to the window (from the new-operator window, say) shows the table as it is now.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()); frame && !m_watchingFrame) {
        m_watchingFrame = true;
        connect(frame, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if (!(before & Qt::WindowActive) && (now & Qt::WindowActive))
                        LoadOperatorList();
                });
    }
}

void Tcaozuorenyuan::LoadOperatorList()
{
    const QList<OperatorStore::Entry> entries = OperatorStore::entries();
    m_operatorGrid->clearContents();
    m_operatorGrid->setRowCount(int(entries.size()));
    for (int row = 0; row < entries.size(); ++row) {
        const QStringList cells{entries.at(row).code, entries.at(row).name};
        for (int column = 0; column < 2; ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            item->setTextAlignment(Qt::AlignCenter);
            m_operatorGrid->setItem(row, column, item);
        }
    }
    if (!entries.isEmpty())
        m_operatorGrid->setCurrentCell(0, 0);
    ShowOperatorFlags();
}

void Tcaozuorenyuan::ShowOperatorFlags()
{
    const int row = m_operatorGrid->currentRow();
    m_permissions->setFlags(row < 0 ? PermissionSet{} : OperatorStore::permissionsOf(selectedCode()));
}

QString Tcaozuorenyuan::selectedCode() const
{
    const QTableWidgetItem *item = m_operatorGrid->item(m_operatorGrid->currentRow(), 0);
    return item ? item->text() : QString();
}

QString Tcaozuorenyuan::selectedName() const
{
    const QTableWidgetItem *item = m_operatorGrid->item(m_operatorGrid->currentRow(), 1);
    return item ? item->text() : QString();
}

void Tcaozuorenyuan::addButtonClick()
{
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(QStringLiteral("新增操作人员"), QStringLiteral("Txinzengcaozuorenyuan"));
}

void Tcaozuorenyuan::modifyButtonClick()
{
    if (m_operatorGrid->currentRow() < 0)
        return;
    const QString code = selectedCode();
    if (code == QStringLiteral("0001")) {
        Dialogs::message(QStringLiteral("提示"),
                         QStringLiteral("对不起！系统管理员的信息不能修改！如要修改密码，请点击“密码修改”！"),
                         MsgIcon::Error, MsgButtons::Ok, window());
        return;
    }
    Txiugaicaozuoyuan *dialog = Txiugaicaozuoyuan::instance();
    dialog->setOperatorCode(code);
    dialog->exec();
    LoadOperatorList();
}

void Tcaozuorenyuan::DeleteOperator()
{
    if (m_operatorGrid->currentRow() < 0)
        return;
    const QString code = selectedCode();
    if (code == QStringLiteral("0001") && selectedName() == QStringLiteral("系统管理员")) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("对不起！系统管理员不能删除！"),
                         MsgIcon::Error, MsgButtons::Ok, window());
        return;
    }
    if (!Dialogs::confirm(QStringLiteral("删除记录"), QStringLiteral("确实删除记录？该操作不可恢复！"),
                          MsgIcon::Question, window()))
        return;
    OperatorStore::remove(code);
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("删除操作人员成功！"), MsgIcon::Information,
                     MsgButtons::Ok, window());
    LoadOperatorList();
}
