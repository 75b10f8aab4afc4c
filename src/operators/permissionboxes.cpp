#include "permissionboxes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

namespace {
const int Rows = 12;
}

PermissionBoxes::PermissionBoxes(Toggle toggle, QWidget *parent)
    : QGroupBox(QStringLiteral("权限列表"), parent)
{
    setObjectName(QStringLiteral("permissionGroup"));
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(4);
    for (const PermissionFlag &f : PermissionFlags()) {
        auto *box = new QCheckBox(f.name, this);
        box->setObjectName(QStringLiteral("flagBox%1").arg(f.flag));
        grid->addWidget(box, (f.flag - 1) % Rows, (f.flag - 1) / Rows);
        m_boxes << box;
    }
    if (toggle == Toggle::Shown) {
        m_toggleAllButton = new QPushButton(QStringLiteral("全选"), this);
        m_toggleAllButton->setObjectName(QStringLiteral("toggleAllButton"));
        m_toggleAllButton->setAutoDefault(false);
        grid->addWidget(m_toggleAllButton, Rows - 1, 1, Qt::AlignLeft);
        connect(m_toggleAllButton, &QPushButton::clicked, this, [this] { ToggleAllFlags(); });
    }
}

PermissionSet PermissionBoxes::flags() const
{
    PermissionSet result{};
    for (int i = 0; i < 23; ++i)
        result[i] = m_boxes.at(i)->isChecked();
    return result;
}

void PermissionBoxes::setFlags(const PermissionSet &flags)
{
    for (int i = 0; i < 23; ++i)
        m_boxes.at(i)->setChecked(flags[i]);
}

void PermissionBoxes::setAll(bool on)
{
    for (QCheckBox *box : m_boxes)
        box->setChecked(on);
}

void PermissionBoxes::ToggleAllFlags()
{
    const bool selectAll = m_toggleAllButton->text() == QStringLiteral("全选");
    setAll(selectAll);
    m_toggleAllButton->setText(selectAll ? QStringLiteral("全清") : QStringLiteral("全选"));
}
