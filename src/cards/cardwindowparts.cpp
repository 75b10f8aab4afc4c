#include "cardwindowparts.h"

#include "data/memberpanel.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>

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

void PlaceCardPickList(MemberPanel *panel, QWidget *window)
{
    const QWidget *name = panel->nameEdit();
    const QPoint below = name->mapTo(window, QPoint(0, name->height() + 2));
    panel->pickGroup()->setGeometry(below.x(), below.y(), 400, 200);
}
