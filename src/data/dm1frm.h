#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

// A statement with its bound values that grids show. The opening window sets it; every
// grid showing the same shared query shows the same rows. A query starts closed (grids
// show no rows) even when it carries a statement, as the data module's queries do.
class SharedQuery : public QObject
{
    Q_OBJECT
public:
    explicit SharedQuery(QString statement = {}, QObject *parent = nullptr);

    const QString &statement() const { return m_statement; }
    const QVariantList &values() const { return m_values; }
    bool isOpen() const { return m_open; }

    // Sets the statement and opens the query. The statement is prepared first: one the
    // engine refuses throws DbError, and the query is left closed (grids empty).
    void setStatement(const QString &statement, const QVariantList &values = {});
    // Grids show no rows until the next setStatement.
    void close();
    // Grids run the statement again (after a save changed its rows).
    void refresh();

Q_SIGNALS:
    void changed();

private:
    QString m_statement;
    QVariantList m_values;
    bool m_open = false;
};

// The data module: the one connection of the run and the standing queries.
class TDM1 : public QObject
{
    Q_OBJECT
public:
    explicit TDM1(QObject *parent = nullptr);
    ~TDM1() override;

    static TDM1 *instance();

    // Opens the database file after checking that it is one of ours: it exists, is a
    // whole SQLite file and holds the twelve tables. Never creates a file.
    bool open(const QString &path, QString *error = nullptr);
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }

    // Grid queries shared between windows.
    SharedQuery ADOQuery3{QStringLiteral("select * from 会员卡信息")};
    SharedQuery ADOQuery5{QStringLiteral("select * from 会员卡信息")};
    SharedQuery ADOQuery6{QStringLiteral("select * from 会员卡信息")};
    SharedQuery ADOQuery7;
    SharedQuery ADOQuery8{QStringLiteral("select * from 流水记录")};
    SharedQuery ADOQuery9;
    SharedQuery ADOQuery10{QStringLiteral("select * from 口头挂失记录")};
    SharedQuery ADOQuery12;

private:
    QString m_path;
};

// Checks a file without opening a connection on it: empty when it is a database of this
// program, otherwise what is wrong. Used before a restore too.
QString CheckDatabaseFile(const QString &path);
