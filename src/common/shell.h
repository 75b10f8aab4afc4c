#pragma once

#include <QString>

#include <functional>

class QWidget;

// What windows may ask of the main window. Subsystems never include the application
// itself: they open each other's windows by title and class name through here.
class Shell
{
public:
    virtual ~Shell() = default;

    // Brings an open child window with exactly this title to the front.
    virtual bool activateChildWindow(const QString &title) = 0;
    // Activates it, or creates a window of the registered class under that title.
    virtual QWidget *openChildWindow(const QString &title, const QString &windowClass) = 0;
    // Runs a menu item's command, only while the item is enabled. False when it was not run.
    virtual bool issueMenuCommand(const QString &item) = 0;

    virtual void setCommandEnabled(const QString &item, bool enabled) = 0;
    virtual void setToolButtonEnabled(const QString &caption, bool enabled) = 0;
    virtual void setOperatorText(const QString &text) = 0;
    // Window title and first title line.
    virtual void setShopName(const QString &name) = 0;
    virtual void reloadBackground(const QString &path) = 0;
    virtual QWidget *mainWidget() = 0;
    // Ends the program at once: no exit question, no automatic backup (after a restore).
    virtual void terminate() = 0;

    static Shell *instance();
    static void setInstance(Shell *shell);
};

// Window classes and menu commands that subsystems offer to the shell.
using WindowFactory = std::function<QWidget *(QWidget *parent)>;
using CommandAction = std::function<void()>;

namespace WindowRegistry {
void addWindow(const QString &windowClass, WindowFactory factory);
void addCommand(const QString &item, CommandAction action);
QWidget *create(const QString &windowClass, QWidget *parent);
bool hasWindow(const QString &windowClass);
CommandAction command(const QString &item); // empty when none
} // namespace WindowRegistry
