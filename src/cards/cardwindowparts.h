#pragma once

#include <QList>
#include <QString>

class MemberPanel;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// Parts the verbal loss and card replacement windows share.

// The centred heading inside the window.
QLabel *MakeCardHeading(const QString &text, QWidget *parent);
// The buttons centred in one row.
QHBoxLayout *MakeButtonRow(const QList<QPushButton *> &buttons);
// Puts the panel's pick list under its name field.
void PlaceCardPickList(MemberPanel *panel, QWidget *window);
