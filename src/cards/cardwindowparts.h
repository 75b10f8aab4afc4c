#pragma once

#include <QString>

class MemberPanel;
class QLabel;
class QWidget;

// Parts the verbal loss and card replacement windows share.

// The centred heading inside the window.
QLabel *MakeCardHeading(const QString &text, QWidget *parent);
// Puts the panel's pick list under its name field.
void PlaceCardPickList(MemberPanel *panel, QWidget *window);
