#include "dm1frm.h"

#include "schema.h"
#include "sql.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

TDM1 *current = nullptr;

quint32 bigEndian(const QByteArray &b, int at, int len)
{
    quint32 v = 0;
    for (int i = 0; i < len; ++i)
        v = (v << 8) | uchar(b.at(at + i));
    return v;
}

// A truncated file still opens; its header tells how long it must be.
QString checkHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return f.errorString();
    const QByteArray header = f.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QStringLiteral("不是数据库文件");
    quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return QStringLiteral("数据库文件已损坏");
    const quint32 changeCounter = bigEndian(header, 24, 4);
    const quint32 pages = bigEndian(header, 28, 4);
    const quint32 validFor = bigEndian(header, 92, 4);
    const qint64 size = f.size();
    if (size % pageSize != 0)
        return QStringLiteral("数据库文件不完整");
    if (pages != 0 && changeCounter == validFor && qint64(pages) * pageSize > size)
        return QStringLiteral("数据库文件不完整");
    return {};
}

QString missingTables(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select name from sqlite_master where type='table'")))
        return q.lastError().databaseText().isEmpty() ? q.lastError().text() : q.lastError().databaseText();
    QStringList present;
    while (q.next())
        present << q.value(0).toString();
    QStringList missing;
    for (const QString &t : Schema::tableNames())
        if (!present.contains(t))
            missing << t;
    return missing.isEmpty() ? QString() : QStringLiteral("缺少数据表: ") + missing.join(QLatin1Char(','));
}

// A save cut short by a crash or a power cut leaves its rollback journal beside the file.
// The engine rolls it back at the first read of a writing connection; the read-only check
// below cannot, and would call the file broken for good. So a writing connection has that
// first read before anything else looks at the file.
void rollBackInterruptedSave(const QString &path)
{
    const QFileInfo journal(path + QStringLiteral("-journal"));
    if (!QFileInfo(path).isFile() || !journal.isFile() || journal.size() == 0)
        return;
    const QString name = QStringLiteral("recover-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select count(*) from sqlite_master"));
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

SharedQuery::SharedQuery(QString statement, QObject *parent)
    : QObject(parent)
    , m_statement(std::move(statement))
{
}

void SharedQuery::setStatement(const QString &statement, const QVariantList &values)
{
    m_statement = statement;
    m_values = values;
    m_open = false;
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    QString problem;
    if (!db.isOpen()) {
        problem = QStringLiteral("数据库没有连接");
    } else {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(statement)) {
            problem = q.lastError().databaseText();
            if (problem.isEmpty())
                problem = q.lastError().text();
        }
    }
    if (!problem.isEmpty()) {
        // Grids showing the old rows empty themselves before the error is reported.
        Q_EMIT changed();
        throw DbError(problem);
    }
    m_open = true;
    Q_EMIT changed();
}

void SharedQuery::close()
{
    m_open = false;
    Q_EMIT changed();
}

void SharedQuery::refresh()
{
    Q_EMIT changed();
}

TDM1::TDM1(QObject *parent)
    : QObject(parent)
{
    current = this;
}

TDM1::~TDM1()
{
    close();
    if (current == this)
        current = nullptr;
}

TDM1 *TDM1::instance()
{
    return current;
}

bool TDM1::open(const QString &path, QString *error)
{
    close();
    rollBackInterruptedSave(path);
    const QString problem = CheckDatabaseFile(path);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        QString why;
        if (!db.open()) {
            why = db.lastError().text();
        } else {
            QSqlQuery q(db);
            // DELETE journal: between transactions the file alone is the whole database,
            // so a plain file copy is a complete backup.
            for (const char *pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL",
                                       "PRAGMA foreign_keys=OFF"}) {
                if (!q.exec(QString::fromLatin1(pragma))) {
                    why = q.lastError().text();
                    break;
                }
            }
            q.finish();
            if (why.isEmpty())
                why = missingTables(db);
        }
        if (!why.isEmpty()) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
            if (error)
                *error = why;
            return false;
        }
    }
    m_path = path;
    return true;
}

void TDM1::close()
{
    Sql::forgetPreparedStatements();
    if (!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    m_path.clear();
}

bool TDM1::isOpen() const
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).isOpen();
}

QString CheckDatabaseFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return QStringLiteral("找不到数据库文件");
    QString problem = checkHeader(path);
    if (!problem.isEmpty())
        return problem;
    const QString name = QStringLiteral("check-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            problem = db.lastError().text();
        else
            problem = missingTables(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}
