#include "fixture.h"

#include "common/basefolder.h"
#include "common/clock.h"
#include "common/session.h"
#include "data/schema.h"
#include "data/sql.h"

#include <QDir>
#include <QFile>
#include <QTest>

Fixture::Fixture(bool openDatabase)
{
    QDir dir(m_dir.path());
    dir.mkpath(QStringLiteral("database"));
    dir.mkpath(QStringLiteral("backup"));
    dir.mkpath(QStringLiteral("image"));
    BaseFolder::setPath(m_dir.path());
    Clock::setFixed(fixedNow());
    SetCurrentOperator(QStringLiteral("0001"), QString());
    QString error;
    if (!Schema::createDatabase(BaseFolder::databasePath(), &error))
        qFatal("cannot create the test database: %s", qPrintable(error));
    if (openDatabase && !dm.open(BaseFolder::databasePath(), &error))
        qFatal("cannot open the test database: %s", qPrintable(error));
}

Fixture::~Fixture()
{
    dm.close();
    Clock::setFixed({});
    BaseFolder::setPath({});
}

QString Fixture::file(const QString &relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

void Fixture::exec(const QString &statement, const QVariantList &values)
{
    Sql::exec(statement, values);
}

QVariant Fixture::scalar(const QString &statement, const QVariantList &values)
{
    return Sql::scalar(statement, values);
}

int Fixture::count(const QString &table, const QString &where, const QVariantList &values)
{
    QString statement = QStringLiteral("select count(*) from \"%1\"").arg(table);
    if (!where.isEmpty())
        statement += QStringLiteral(" where ") + where;
    return Sql::scalar(statement, values).toInt();
}

void Fixture::writeIni(const QByteArray &bytes)
{
    QFile f(BaseFolder::iniPath());
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the settings file");
}
