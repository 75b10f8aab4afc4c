#include "memberform.h"

#include "common/clock.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit *textField(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QComboBox *listField(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    // Typed text is taken as it stands and never joins the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QDateEdit *dateField(QWidget *parent, const char *name)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setMinimumDate(QDate(100, 1, 1));
    return edit;
}

QLabel *redLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: red;"));
    return label;
}

} // namespace

void SetComboText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    if (index >= 0)
        box->setCurrentIndex(index);
    box->setEditText(text);
}

MemberForm::MemberForm(const QString &cardPrompt, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("memberForm"));
    m_cardEdit = textField(this, "cardEdit");
    m_categoryBox = listField(this, "categoryBox");
    m_nameEdit = textField(this, "nameEdit");
    m_sexBox = listField(this, "sexBox");
    m_idEdit = textField(this, "idEdit");
    m_birthdayEdit = dateField(this, "birthdayEdit");
    m_addressEdit = textField(this, "addressEdit");
    m_phoneEdit = textField(this, "phoneEdit");
    m_mobileEdit = textField(this, "mobileEdit");
    m_startDateEdit = dateField(this, "startDateEdit");
    m_referrerCardEdit = textField(this, "referrerCardEdit");
    m_referrerCardEdit->setPlaceholderText(QStringLiteral("请刷卡或输入引荐人卡号后回车"));
    m_referrerNameEdit = textField(this, "referrerNameEdit");

    auto *left = new QFormLayout;
    if (!cardPrompt.isEmpty()) {
        auto *prompt = redLabel(cardPrompt, this);
        prompt->setObjectName(QStringLiteral("cardPromptLabel"));
        left->addRow(QString(), prompt);
    }
    left->addRow(QStringLiteral("会员卡号"), m_cardEdit);
    left->addRow(QStringLiteral("卡类别"), m_categoryBox);
    left->addRow(QStringLiteral("会员姓名"), m_nameEdit);
    left->addRow(QStringLiteral("会员性别"), m_sexBox);
    left->addRow(QStringLiteral("身份证号"), m_idEdit);
    left->addRow(QStringLiteral("会员生日"), m_birthdayEdit);

    auto *right = new QFormLayout;
    right->addRow(QStringLiteral("地址"), m_addressEdit);
    right->addRow(QStringLiteral("固定电话"), m_phoneEdit);
    right->addRow(QStringLiteral("手机号码"), m_mobileEdit);
    right->addRow(QStringLiteral("起用日期"), m_startDateEdit);
    auto *referrerPrompt = redLabel(QStringLiteral("请刷卡或输入卡号后回车！"), this);
    referrerPrompt->setObjectName(QStringLiteral("referrerPromptLabel"));
    right->addRow(QString(), referrerPrompt);
    right->addRow(QStringLiteral("引荐人卡号"), m_referrerCardEdit);
    right->addRow(QStringLiteral("引荐人姓名"), m_referrerNameEdit);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    // Tab walks the same way as Enter.
    const QList<QWidget *> order = inputs();
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));
}

QList<QWidget *> MemberForm::inputs() const
{
    return {m_cardEdit,    m_categoryBox,   m_nameEdit,         m_sexBox,
            m_idEdit,      m_birthdayEdit,  m_addressEdit,      m_phoneEdit,
            m_mobileEdit,  m_startDateEdit, m_referrerCardEdit, m_referrerNameEdit};
}

void MemberForm::loadLists(const QStringList &categories)
{
    m_categoryBox->clear();
    m_categoryBox->addItems(categories);
    m_sexBox->clear();
    m_sexBox->addItems({QStringLiteral("男"), QStringLiteral("女")});
    selectFirstEntries();
}

void MemberForm::selectFirstEntries()
{
    for (QComboBox *box : {m_categoryBox, m_sexBox}) {
        box->setCurrentIndex(box->count() > 0 ? 0 : -1);
        // A typed text stays in the edit line unless it is put back explicitly.
        box->setEditText(box->count() > 0 ? box->itemText(0) : QString());
    }
}

void MemberForm::clearFields()
{
    for (QLineEdit *edit : {m_cardEdit, m_nameEdit, m_idEdit, m_addressEdit, m_phoneEdit,
                            m_mobileEdit, m_referrerCardEdit, m_referrerNameEdit})
        edit->clear();
    m_birthdayEdit->setDate(Clock::today());
    m_startDateEdit->setDate(Clock::today());
}

MemberStore::MemberEntry MemberForm::entry() const
{
    MemberStore::MemberEntry e;
    e.card = m_cardEdit->text();
    e.category = m_categoryBox->currentText();
    e.name = m_nameEdit->text();
    e.sex = m_sexBox->currentText();
    e.idNumber = m_idEdit->text();
    e.birthday = m_birthdayEdit->date();
    e.address = m_addressEdit->text();
    e.phone = m_phoneEdit->text();
    e.mobile = m_mobileEdit->text();
    e.startDate = m_startDateEdit->date();
    e.referrerCard = m_referrerCardEdit->text();
    e.referrerName = m_referrerNameEdit->text();
    return e;
}
