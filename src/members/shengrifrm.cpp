#include "shengrifrm.h"

#include "memberviewstore.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "records/exportgrid.h"
#include "records/recordgrid.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString reminderKey = QStringLiteral("提醒");

} // namespace

Tshengri::Tshengri(QWidget *parent)
    : ChildWindow(parent, QPoint(200, 0), QSize(605, 602))
{
    setObjectName(QStringLiteral("Tshengri"));
    setWindowTitle(QStringLiteral("会员生日提醒"));
    KeepMinimiseOnly(this);

    auto *group = new QGroupBox(QStringLiteral("会员生日提醒"), this);
    group->setObjectName(QStringLiteral("reminderGroup"));
    m_threeDayButton
        = MakeButton(QStringLiteral("三日内（默认）"), QStringLiteral("threeDayButton"), group);
    m_fiveDayButton = MakeButton(QStringLiteral("五日内"), QStringLiteral("fiveDayButton"), group);
    m_printButton = MakeButton(QStringLiteral("打印"), QStringLiteral("printButton"), group);
    m_excelButton = MakeButton(QStringLiteral("EXCEL"), QStringLiteral("excelButton"), group);
    m_exitButton = MakeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), group);
    m_autoShowBox = new QCheckBox(QStringLiteral("启动后自动显示"), group);
    m_autoShowBox->setObjectName(QStringLiteral("autoShowBox"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b :
         { m_threeDayButton, m_fiveDayButton, m_printButton, m_excelButton, m_exitButton })
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(m_autoShowBox);

    m_birthdayGrid = new RecordGrid(group);
    m_birthdayGrid->setObjectName(QStringLiteral("birthdayGrid"));
    m_birthdayGrid->setColumns({ { QStringLiteral("会员卡号"), {}, 100 },
                                 { QStringLiteral("会员姓名"), {}, 100 },
                                 { QStringLiteral("会员生日"), {}, 100 },
                                 { QStringLiteral("固定电话"), {}, 120 },
                                 { QStringLiteral("手机"), {}, 130 } });

    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(buttons);
    groupLayout->addWidget(m_birthdayGrid, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(group);

    connect(m_threeDayButton, &QPushButton::clicked, this, [this] { threeDayButtonClick(); });
    connect(m_fiveDayButton, &QPushButton::clicked, this, [this] { fiveDayButtonClick(); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { printButtonClick(); });
    connect(m_excelButton, &QPushButton::clicked, this, [this] { excelButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

void Tshengri::FormShow()
{
    m_autoShowBox->setChecked(AppSettings::readBool(reminderKey, true));
    m_birthdayGrid->setQuery(&TDM1::instance()->ADOQuery3);
    threeDayButtonClick();
}

void Tshengri::showDays(int days)
{
    // Each press takes today's date again: the window may stay open past midnight.
    const MemberViewStore::Statement s = MemberViewStore::birthdayList(Clock::today(), days);
    TDM1::instance()->ADOQuery3.setStatement(s.text, s.values);
}

void Tshengri::threeDayButtonClick()
{
    showDays(3);
}

void Tshengri::fiveDayButtonClick()
{
    showDays(5);
}

void Tshengri::printButtonClick()
{
    m_birthdayGrid->print(QStringLiteral("三日或五日后过生日的会员"), 13);
}

void Tshengri::excelButtonClick()
{
    if (ExportGrid(m_birthdayGrid))
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("导出数据成功！"),
                         MsgIcon::Information, MsgButtons::Ok, this);
}

void Tshengri::closeEvent(QCloseEvent *event)
{
    // A settings file that cannot be written must not keep the window open.
    AppSettings::writeBool(reminderKey, m_autoShowBox->isChecked());
    ChildWindow::closeEvent(event);
}
