#pragma once

#include "dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

// A dialog provider that shows nothing: it records every message and answers from a
// script (OK, or Yes, when the script is empty). Used by tests and the screenshot tool.
class ScriptedDialogs : public DialogProvider
{
public:
    struct Message
    {
        QString caption;
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    MsgResult message(QWidget *parent, const QString &caption, const QString &text, MsgIcon icon,
                      MsgButtons buttons) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &initial) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &initial,
                         int *selectedFilter) override;
    bool openDocument(const QString &path) override;

    QList<Message> messages;
    QQueue<MsgResult> answers;
    QQueue<QString> fileNames;    // answers of the open and save dialogs; empty = cancel
    QQueue<int> filterChoices;    // 1-based filter chosen in the save dialog
    QList<int> shownFilters;      // 1-based filter the save dialog showed first
    QStringList fileFilters;      // filters the dialogs were shown with
    QStringList initialNames;     // initial names the dialogs were shown with
    QStringList openedDocuments;

    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear();
};
