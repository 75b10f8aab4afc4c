#pragma once

#include "common/scripteddialogs.h"
#include "data/dm1frm.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A fresh program folder for one test: a new database with the reference content, no
// settings file, an empty backup folder, scripted dialogs, a fixed clock and operator.
class Fixture
{
public:
    explicit Fixture(bool openDatabase = true);
    ~Fixture();

    QString base() const { return m_dir.path(); }
    QString file(const QString &relative) const;
    // Runs a statement on the open database (a test's own setup or check).
    void exec(const QString &statement, const QVariantList &values = {});
    QVariant scalar(const QString &statement, const QVariantList &values = {});
    int count(const QString &table, const QString &where = {}, const QVariantList &values = {});
    void writeIni(const QByteArray &bytes);

    ScriptedDialogs dialogs;
    TDM1 dm;

    static QDateTime fixedNow() { return QDateTime(QDate(2026, 3, 14), QTime(10, 30, 15)); }

private:
    QTemporaryDir m_dir;
};
