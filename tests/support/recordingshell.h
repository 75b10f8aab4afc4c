#pragma once

#include "common/shell.h"

#include <QHash>

// A main window that only records what is asked of it, installed as the shell while it lives.
class RecordingShell : public Shell
{
public:
    RecordingShell() { Shell::setInstance(this); }
    ~RecordingShell() override
    {
        if (Shell::instance() == this)
            Shell::setInstance(nullptr);
    }

    bool activateChildWindow(const QString &) override { return false; }
    QWidget *openChildWindow(const QString &title, const QString &) override
    {
        opened << title;
        return nullptr;
    }
    bool issueMenuCommand(const QString &item) override
    {
        commands << item;
        return false;
    }
    void setCommandEnabled(const QString &, bool) override {}
    void setToolButtonEnabled(const QString &, bool) override {}
    void setOperatorText(const QString &) override {}
    void setShopName(const QString &) override {}
    void reloadBackground(const QString &) override {}
    QWidget *mainWidget() override { return nullptr; }
    void terminate() override { ++terminated; }

    QStringList opened;
    QStringList commands;
    int terminated = 0;
};
