#include "scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (&Dialogs::current() == this)
        Dialogs::install(nullptr);
}

MsgResult ScriptedDialogs::message(QWidget *, const QString &caption, const QString &text,
                                   MsgIcon icon, MsgButtons buttons)
{
    messages.append({caption, text, icon, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &filter, const QString &initial)
{
    fileFilters << filter;
    initialNames << initial;
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &filter, const QString &initial,
                                      int *selectedFilter)
{
    fileFilters << filter;
    initialNames << initial;
    if (selectedFilter) {
        const int count = int(Dialogs::qtFilters(filter).size());
        const int shown = *selectedFilter >= 1 && *selectedFilter <= count ? *selectedFilter : 1;
        shownFilters << shown;
        // Without a scripted choice the operator keeps the filter shown.
        *selectedFilter = filterChoices.isEmpty() ? shown : filterChoices.dequeue();
    }
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool ScriptedDialogs::openDocument(const QString &path)
{
    openedDocuments << path;
    return true;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Message &m : messages)
        result << m.text;
    return result;
}

void ScriptedDialogs::clear()
{
    messages.clear();
    answers.clear();
    fileNames.clear();
    filterChoices.clear();
    shownFilters.clear();
    fileFilters.clear();
    initialNames.clear();
    openedDocuments.clear();
}
