#include "jifenchaxunfrm.h"

#include "memberviewstore.h"

#include "common/shell.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "data/memberpanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tjifenchaxun::Tjifenchaxun(QWidget *parent)
    : ChildWindow(parent, QPoint(130, 0), QSize(700, 400))
{
    setObjectName(QStringLiteral("Tjifenchaxun"));
    setWindowTitle(QStringLiteral("会员查询"));
    KeepMinimiseOnly(this);

    auto *heading = new QLabel(QStringLiteral("会员信息查询"), this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    QFont headingFont = heading->font();
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #1f3f9f;"));

    m_memberPanel = new MemberPanel(MemberPanelVariant::query(), this);
    auto *memberGroup = new QGroupBox(this);
    memberGroup->setObjectName(QStringLiteral("memberGroup"));
    (new QVBoxLayout(memberGroup))->addWidget(m_memberPanel);

    m_detailButton = MakeButton(QStringLiteral("详细记录"), QStringLiteral("detailButton"), this);
    m_exitButton = MakeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);
    auto *buttons = CentredButtonRow({m_detailButton, m_exitButton}, 80, 12);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(heading);
    layout->addWidget(memberGroup);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_detailButton, &QPushButton::clicked, this, [this] { detailButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

void Tjifenchaxun::FormShow()
{
    m_memberPanel->clear();
    m_memberPanel->setCurrentCard(QString());
    m_memberPanel->pickGroup()->hide();
    m_memberPanel->cardEdit()->setFocus();
}

void Tjifenchaxun::detailButtonClick()
{
    // Before any lookup the current card is empty, which lists no journal rows.
    const MemberViewStore::Statement s
        = MemberViewStore::memberJournal(m_memberPanel->currentCard());
    TDM1::instance()->ADOQuery8.setStatement(s.text, s.values);
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(QStringLiteral("会员积分增减详细记录"),
                               QStringLiteral("Txiangxijilu"));
}

void Tjifenchaxun::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    placePickList();
    m_memberPanel->cardEdit()->setFocus();
}

void Tjifenchaxun::resizeEvent(QResizeEvent *event)
{
    ChildWindow::resizeEvent(event);
    placePickList();
}

void Tjifenchaxun::placePickList()
{
    const QWidget *name = m_memberPanel->nameEdit();
    const QPoint below = name->mapTo(this, QPoint(0, name->height() + 2));
    m_memberPanel->pickGroup()->setGeometry(below.x(), below.y(), 430, 200);
}
