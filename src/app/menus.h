#pragma once

#include <QList>
#include <QString>

// The menu bar in display order. An item with a window class opens that child window
// under the given title; the others run a command registered under the item's caption.
struct MenuItemEntry
{
    QString menu;
    QString item;
    QString windowClass;
    QString title;
};

struct ToolButtonEntry
{
    QString caption;
    QString menuItem; // the command it issues; empty for the lock and exit buttons
};

const QStringList &MenuNames();
const QList<MenuItemEntry> &MenuItems();
const QList<ToolButtonEntry> &ToolButtons();
