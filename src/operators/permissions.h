#pragma once

#include <QList>
#include <QString>

#include <array>

class Shell;

// The 23 permission flags: the check-box caption of the operator windows, the menu item
// it enables and, for seven of them, the toolbar button beside it.
struct PermissionFlag
{
    int flag;
    QString name;
    QString menuItem;
    QString toolButton; // empty when the flag has none
};

const QList<PermissionFlag> &PermissionFlags();

using PermissionSet = std::array<bool, 23>; // index 0 is flag 1

// Disables the 23 items and 7 buttons, then enables those the flags grant.
void ApplyPermissions(Shell &shell, const PermissionSet &flags);
