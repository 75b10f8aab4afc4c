#include "common/windowsupport.h"
#include "zhenglifrm.h"

#include "maintenancestore.h"

#include "common/clock.h"
#include "common/dialogs.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tzhengli::Tzhengli(QWidget *parent)
    : ChildWindow(parent, QPoint(310, 100), QSize(400, 210))
{
    setObjectName(QStringLiteral("Tzhengli"));
    setWindowTitle(QStringLiteral("数据整理"));

    auto *heading = new QLabel(QStringLiteral("历史数据删除（请谨慎操作）"), this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: red; font-weight: bold; font-size: 16px;"));
    auto *warning = new QLabel(QStringLiteral("删除之前最好进行数据库备份"), this);
    warning->setObjectName(QStringLiteral("warningLabel"));
    warning->setAlignment(Qt::AlignCenter);
    warning->setStyleSheet(QStringLiteral("color: red;"));

    m_dateEdit = new QDateEdit(Clock::today(), this);
    m_dateEdit->setObjectName(QStringLiteral("dateEdit"));
    m_dateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_dateEdit->setCalendarPopup(true);

    m_confirmButton = MakeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);

    auto *line = new QHBoxLayout;
    line->addStretch();
    line->addWidget(new QLabel(QStringLiteral("删除"), this));
    line->addWidget(m_dateEdit);
    line->addWidget(new QLabel(QStringLiteral("之前的历史流水数据"), this));
    line->addStretch();
    auto *buttons = CentredButtonRow({m_confirmButton, m_closeButton});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(warning);
    layout->addStretch();
    layout->addLayout(line);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });
}

void Tzhengli::CleanupHistory()
{
    if (!Dialogs::confirm(QStringLiteral("删除历史记录"), QStringLiteral("确实删除历史记录？该操作不可恢复！"),
                          MsgIcon::None, window()))
        return;
    MaintenanceStore::deleteHistoryBefore(m_dateEdit->date());
    Dialogs::message(QStringLiteral("提示！"), QStringLiteral("删除成功！"), MsgIcon::Information,
                     MsgButtons::Ok, window());
}
