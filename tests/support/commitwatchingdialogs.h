#pragma once

#include "common/basefolder.h"
#include "common/scripteddialogs.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

// Scripted dialogs that note, at every message, how many journal rows another connection
// sees: only committed rows count there.
class CommitWatchingDialogs : public ScriptedDialogs
{
public:
    MsgResult message(QWidget *parent, const QString &caption, const QString &text, MsgIcon icon,
                      MsgButtons buttons) override
    {
        committedJournalRows << committedCount();
        return ScriptedDialogs::message(parent, caption, text, icon, buttons);
    }
    static int committedCount()
    {
        const QString name = QUuid::createUuid().toString();
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(BaseFolder::databasePath());
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
            if (db.open()) {
                QSqlQuery q(db);
                if (q.exec("select count(*) from 流水记录") && q.next())
                    count = q.value(0).toInt();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return count;
    }
    QList<int> committedJournalRows;
};
