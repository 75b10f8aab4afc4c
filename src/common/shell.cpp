#include "shell.h"

#include <QHash>

namespace {
Shell *current = nullptr;

QHash<QString, WindowFactory> &factories()
{
    static QHash<QString, WindowFactory> map;
    return map;
}

QHash<QString, CommandAction> &commands()
{
    static QHash<QString, CommandAction> map;
    return map;
}
} // namespace

Shell *Shell::instance()
{
    return current;
}

void Shell::setInstance(Shell *shell)
{
    current = shell;
}

namespace WindowRegistry {

void addWindow(const QString &windowClass, WindowFactory factory)
{
    factories().insert(windowClass, std::move(factory));
}

void addCommand(const QString &item, CommandAction action)
{
    commands().insert(item, std::move(action));
}

QWidget *create(const QString &windowClass, QWidget *parent)
{
    const auto it = factories().constFind(windowClass);
    return it == factories().cend() ? nullptr : (*it)(parent);
}

bool hasWindow(const QString &windowClass)
{
    return factories().contains(windowClass);
}

CommandAction command(const QString &item)
{
    return commands().value(item);
}

} // namespace WindowRegistry
