#pragma once

#include "common/basefolder.h"
#include "common/scripteddialogs.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

// Scripted dialogs that, at every message, count rows through a second connection, which
// sees only what has been committed. Shows whether a success message came after the commit.
class CommittedCountDialogs : public ScriptedDialogs
{
public:
    explicit CommittedCountDialogs(QString countStatement)
        : m_statement(std::move(countStatement))
    {
    }

    MsgResult message(QWidget *parent, const QString &caption, const QString &text, MsgIcon icon,
                      MsgButtons buttons) override
    {
        committedCounts << committedCount();
        return ScriptedDialogs::message(parent, caption, text, icon, buttons);
    }

    int committedCount() const
    {
        const QString name = QUuid::createUuid().toString();
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(BaseFolder::databasePath());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (db.open()) {
                QSqlQuery q(db);
                if (q.exec(m_statement) && q.next())
                    count = q.value(0).toInt();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return count;
    }

    QList<int> committedCounts;

private:
    QString m_statement;
};
