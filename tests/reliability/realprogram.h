#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The built program run as a user runs it: a copy of the ready-to-run folder, on its own X
// server (Xvfb), with HOME, the XDG folders and TMPDIR pointed at empty folders of its own.
// The test plays the operator with xdotool: it waits for windows by caption and types.
class RealProgram
{
public:
    RealProgram();
    ~RealProgram();

    // Empty when Xvfb, xdotool or the built program are missing.
    static QString missingTools();

    QString folder() const; // the program's folder
    QString outside(const QString &name) const; // home, runtime, config, cache, data, state, tmp
    QStringList outsideFolders() const;

    // Copies the ready-to-run folder (a file the test put there first stays), starts the
    // X server and the program.
    bool start(QString *why);
    // The window of the program whose caption matches the pattern (an extended regular
    // expression); empty when none showed in time.
    QString waitForWindow(const QString &pattern, int timeoutMs = 30000);
    bool keys(const QString &window, const QStringList &keys);
    bool click(const QString &window, int x, int y);
    // What the program and the X server are doing, and the program's last error output.
    QString state();
    bool waitForExit(int timeoutMs = 30000);

    QProcess &process() { return m_program; }

private:
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr, int timeoutMs = 10000);

    QTemporaryDir m_root;
    QString m_display;
    QProcess m_xserver;
    QProcess m_program;
};
