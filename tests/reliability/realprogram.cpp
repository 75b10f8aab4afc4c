#include "realprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace {

const QStringList OutsideNames { "home", "runtime", "config", "cache", "data", "state", "tmp" };

QString distFolder()
{
    return qEnvironmentVariable("HYJF_DIST");
}

bool copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo &entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (!entry.isDir() && QFile::exists(target))
            continue; // the test's own file
        if (entry.isDir() ? !copyFolder(entry.filePath(), target)
                          : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

} // namespace

RealProgram::RealProgram()
{
    for (const QString &name : OutsideNames)
        QDir(m_root.path()).mkpath(name);
    QFile::setPermissions(outside("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

RealProgram::~RealProgram()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished(5000);
    }
    // Asked to end, the X server removes its socket and lock file from /tmp.
    if (m_xserver.state() != QProcess::NotRunning) {
        m_xserver.terminate();
        if (!m_xserver.waitForFinished(5000)) {
            m_xserver.kill();
            m_xserver.waitForFinished(5000);
        }
    }
}

QString RealProgram::missingTools()
{
    QStringList missing;
    for (const char *tool : { "Xvfb", "xdotool" })
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing << QString::fromLatin1(tool);
    if (!QFile::exists(distFolder() + "/huiyuanjifen"))
        missing << "the built program (HYJF_DIST)";
    return missing.join(", ");
}

QString RealProgram::folder() const
{
    return QDir(m_root.path()).filePath("program");
}

QString RealProgram::outside(const QString &name) const
{
    return QDir(m_root.path()).filePath(name);
}

QStringList RealProgram::outsideFolders() const
{
    QStringList folders;
    for (const QString &name : OutsideNames)
        folders << outside(name);
    return folders;
}

bool RealProgram::start(QString *why)
{
    // The program's folder as the build makes it, without the other tools.
    QDir().mkpath(folder());
    for (const char *entry : { "database", "backup", "image" }) {
        if (!copyFolder(distFolder() + "/" + entry, folder() + "/" + entry)) {
            *why = QString("cannot copy ") + entry;
            return false;
        }
    }
    for (const char *file : { "huiyuanjifen", "help.html" }) {
        if (!QFile::exists(folder() + "/" + file)
            && !QFile::copy(distFolder() + "/" + file, folder() + "/" + file)) {
            *why = QString("cannot copy ") + file;
            return false;
        }
    }

    // The X server picks a free display itself and writes its number, once it accepts
    // connections, to the descriptor given (here its standard output).
    m_xserver.start("Xvfb",
                    { "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp" });
    if (!m_xserver.waitForStarted(5000)) {
        *why = "Xvfb does not start";
        return false;
    }
    QByteArray number;
    while (!number.contains('\n') && m_xserver.state() == QProcess::Running
           && m_xserver.waitForReadyRead(20000))
        number += m_xserver.readAllStandardOutput();
    if (number.trimmed().isEmpty()) {
        *why = "Xvfb gives no display: " + QString::fromLocal8Bit(m_xserver.readAllStandardError());
        return false;
    }
    m_display = ":" + QString::fromLatin1(number.trimmed());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *variable : { "QT_QPA_PLATFORM", "XAUTHORITY", "WAYLAND_DISPLAY" })
        env.remove(variable);
    env.insert("DISPLAY", m_display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HOME", outside("home"));
    env.insert("XDG_RUNTIME_DIR", outside("runtime"));
    env.insert("XDG_CONFIG_HOME", outside("config"));
    env.insert("XDG_CACHE_HOME", outside("cache"));
    env.insert("XDG_DATA_HOME", outside("data"));
    env.insert("XDG_STATE_HOME", outside("state"));
    env.insert("TMPDIR", outside("tmp"));
    m_program.setProcessEnvironment(env);
    m_program.setWorkingDirectory(outside("home"));
    m_program.start(folder() + "/huiyuanjifen", {});
    if (!m_program.waitForStarted(5000)) {
        *why = m_program.errorString();
        return false;
    }
    return true;
}

bool RealProgram::xdotool(const QStringList &arguments, QByteArray *output, int timeoutMs)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    tool.setProcessEnvironment(env);
    tool.start("xdotool", arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return false;
    }
    if (output)
        *output = tool.readAllStandardOutput();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

QString RealProgram::waitForWindow(const QString &pattern, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs && m_program.state() == QProcess::Running;
         waited += 100) {
        QByteArray found;
        // The X server is this program's alone, so its windows are all the program's.
        if (xdotool({ "search", "--onlyvisible", "--name", pattern }, &found)
            && !found.trimmed().isEmpty())
            return QString::fromLatin1(found.trimmed().split('\n').constLast());
        QThread::msleep(100);
    }
    return {};
}

bool RealProgram::keys(const QString &window, const QStringList &keys)
{
    return xdotool(QStringList { "windowfocus", "--sync", window, "key", "--delay", "50" } + keys);
}

bool RealProgram::click(const QString &window, int x, int y)
{
    return xdotool({ "windowfocus", "--sync", window, "mousemove", "--window", window,
                     QString::number(x), QString::number(y), "click", "1" });
}

QString RealProgram::state()
{
    QString text
        = QString("program %1").arg(m_program.state() == QProcess::Running ? "running" : "ended");
    if (m_program.state() == QProcess::NotRunning)
        text += QString(" (status %1, code %2)")
                    .arg(int(m_program.exitStatus()))
                    .arg(m_program.exitCode());
    text += QString(", X server %1 on %2; ")
                .arg(m_xserver.state() == QProcess::Running ? "running" : "ended", m_display);
    QByteArray windows;
    xdotool({ "search", "--name", "." }, &windows);
    for (const QByteArray &id : windows.trimmed().split('\n')) {
        QByteArray name;
        xdotool({ "getwindowname", QString::fromLatin1(id) }, &name);
        text += QString::fromLatin1(id) + " " + QString::fromUtf8(name.trimmed()) + "; ";
    }
    return text + QString::fromLocal8Bit(m_program.readAllStandardError().right(2000));
}

bool RealProgram::waitForExit(int timeoutMs)
{
    return m_program.waitForFinished(timeoutMs);
}
