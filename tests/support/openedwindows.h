#pragma once

#include "common/shell.h"

#include <QList>
#include <QPair>
#include <QString>

// A main window that only records which child windows it was asked to open, so a test can
// see which records window a business window offers without building the records windows.
class OpenedWindowsShell : public Shell
{
public:
    OpenedWindowsShell() { Shell::setInstance(this); }
    ~OpenedWindowsShell() override { Shell::setInstance(nullptr); }

    bool activateChildWindow(const QString &) override { return false; }
    QWidget *openChildWindow(const QString &title, const QString &windowClass) override
    {
        opened << qMakePair(title, windowClass);
        return nullptr;
    }
    bool issueMenuCommand(const QString &) override { return false; }
    void setCommandEnabled(const QString &, bool) override {}
    void setToolButtonEnabled(const QString &, bool) override {}
    void setOperatorText(const QString &) override {}
    void setShopName(const QString &) override {}
    void reloadBackground(const QString &) override {}
    QWidget *mainWidget() override { return nullptr; }
    void terminate() override {}

    QList<QPair<QString, QString>> opened; // title, window class
};
