#pragma once

#include <QString>

// One copy of the program at a time: an exclusive lock on a file named after the mutex,
// held until the process ends. The kernel drops the lock when the process dies, so a
// crashed copy never blocks the next start.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name, const QString &folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // False when another holder has the lock.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

inline const QString MutexName = QStringLiteral("reroravivizerazeduduvidirezori");
