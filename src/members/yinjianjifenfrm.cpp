#include "yinjianjifenfrm.h"

#include "memberstore.h"
#include "common/windowsupport.h"

#include "common/dialogs.h"
#include "data/sql.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool ReferralKeyAccepted(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c.unicode() < 32
           || c.unicode() == 255;
}

Tyinjianjifen::Tyinjianjifen(QWidget *parent)
    : ChildWindow(parent, QPoint(380, 0), QSize(334, 157))
{
    setObjectName(QStringLiteral("Tyinjianjifen"));
    setWindowTitle(QStringLiteral("引荐人增加积分设置"));
    KeepMinimiseOnly(this);

    auto *caption = new QLabel(QStringLiteral("每引荐一位新会员\n引荐人增加积分"), this);
    caption->setObjectName(QStringLiteral("captionLabel"));
    m_bonusEdit = new QLineEdit(this);
    m_bonusEdit->setObjectName(QStringLiteral("bonusEdit"));
    m_bonusEdit->installEventFilter(this);
    // Pasted text passes no key filter; it is sifted the same way.
    connect(m_bonusEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        QString kept;
        for (const QChar c : text)
            if (ReferralKeyAccepted(c))
                kept += c;
        if (kept != text)
            m_bonusEdit->setText(kept);
    });
    m_confirmButton = new QPushButton(QStringLiteral("确定"), this);
    m_confirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_exitButton = new QPushButton(QStringLiteral("退出"), this);
    m_exitButton->setObjectName(QStringLiteral("exitButton"));
    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { close(); });

    auto *row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_bonusEdit, 1);
    row->addWidget(new QLabel(QStringLiteral("分"), this));
    auto *buttons = CentredButtonRow({m_confirmButton, m_exitButton});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);

    FormShow();
}

void Tyinjianjifen::FormShow()
{
    m_bonusEdit->clear();
    try {
        m_bonusEdit->setText(MemberStore::referralBonusText());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
    }
}

bool Tyinjianjifen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bonusEdit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Ctrl+letter is a control character (a shortcut such as paste), not typed text.
        if (key->modifiers() & Qt::ControlModifier)
            return ChildWindow::eventFilter(watched, event);
        const QString text = key->text();
        for (const QChar c : text)
            if (!ReferralKeyAccepted(c))
                return true;
    }
    return ChildWindow::eventFilter(watched, event);
}

void Tyinjianjifen::confirmButtonClick()
{
    if (m_bonusEdit->text().isEmpty()) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("请填写完整！"), MsgIcon::Error,
                         MsgButtons::Ok, this);
        return;
    }
    try {
        MemberStore::setReferralBonus(m_bonusEdit->text());
    } catch (const DbError &e) {
        ShowStandardError(MemberStore::plainEngineText(
                              e.text(), {{QStringLiteral("引荐积分"), QStringLiteral("引荐积分")}}),
                          this);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("修改成功！"), MsgIcon::Information,
                     MsgButtons::Ok, this);
    close();
}
