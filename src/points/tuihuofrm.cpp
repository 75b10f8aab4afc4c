#include "tuihuofrm.h"

#include "data/memberpanel.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

Ttuihuo::Ttuihuo(QWidget *parent)
    : Tzengjiajifen(BasketWindowVariant::returnsWindow(), MemberPanelVariant::returns(), parent)
{
    setObjectName(QStringLiteral("Ttuihuo"));

    auto *kindGroup = new QGroupBox(QStringLiteral("请您选择"), this);
    kindGroup->setObjectName(QStringLiteral("kindGroup"));
    m_returnButton = new QRadioButton(QStringLiteral("退货"), kindGroup);
    m_returnButton->setObjectName(QStringLiteral("returnButton"));
    m_exchangeButton = new QRadioButton(QStringLiteral("换货"), kindGroup);
    m_exchangeButton->setObjectName(QStringLiteral("exchangeButton"));
    auto *kindLayout = new QHBoxLayout(kindGroup);
    kindLayout->setContentsMargins(8, 2, 8, 2);
    kindLayout->addWidget(m_returnButton);
    kindLayout->addSpacing(20);
    kindLayout->addWidget(m_exchangeButton);

    auto *noteCaption = new QLabel(QStringLiteral("退/换货说明："), this);
    m_noteEdit = new QLineEdit(this);
    m_noteEdit->setObjectName(QStringLiteral("noteEdit"));
    noteCaption->setBuddy(m_noteEdit);

    extraRow()->addWidget(kindGroup);
    extraRow()->addSpacing(12);
    extraRow()->addWidget(noteCaption);
    extraRow()->addWidget(m_noteEdit, 1);

    // The kind is chosen once when the window opens and kept from one save to the next.
    m_returnButton->setChecked(true);
    clearExtras();
}

QString Ttuihuo::reason() const
{
    return m_exchangeButton->isChecked() ? QStringLiteral("换货") : QStringLiteral("退货");
}

void Ttuihuo::completeSave(PointStore::Purchase &purchase) const
{
    purchase.reason = reason();
    purchase.note = m_noteEdit->text();
}

void Ttuihuo::clearExtras()
{
    // Called from the shared reset before this window's own controls exist.
    if (m_noteEdit)
        m_noteEdit->clear();
}
