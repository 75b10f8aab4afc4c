#include "cardwindowparts.h"

#include "data/memberpanel.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

QLabel *MakeCardHeading(const QString &text, QWidget *parent)
{
    auto *heading = new QLabel(text, parent);
    heading->setObjectName(QStringLiteral("headingLabel"));
    QFont font = heading->font();
    font.setPixelSize(22);
    font.setBold(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #1f3f9f;"));
    return heading;
}

QHBoxLayout *MakeButtonRow(const QList<QPushButton *> &buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *b : buttons) {
        b->setMinimumWidth(80);
        row->addWidget(b);
        row->addSpacing(12);
    }
    row->addStretch();
    return row;
}

void PlaceCardPickList(MemberPanel *panel, QWidget *window)
{
    const QWidget *name = panel->nameEdit();
    const QPoint below = name->mapTo(window, QPoint(0, name->height() + 2));
    panel->pickGroup()->setGeometry(below.x(), below.y(), 400, 200);
}
