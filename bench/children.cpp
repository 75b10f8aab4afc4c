#include "children.h"

#include "app/mainfrm.h"
#include "app/program.h"
#include "common/basefolder.h"
#include "data/dm1frm.h"
#include "records/xiangxijilufrm.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>

namespace {

QProcess *startChild(const QString &mode, const QString &base)
{
    auto *child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(), {mode, base});
    return child;
}

// The first line the child writes, or empty when it ends without one.
QByteArray firstLine(QProcess *child)
{
    while (!child->canReadLine()) {
        if (!child->waitForReadyRead(30000))
            return {};
    }
    return child->readLine().trimmed();
}

qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace

int RunStartupChild(int argc, char **argv, const QString &base)
{
    BaseFolder::setPath(base);
    // The login window is where start-up ends: report it shown and leave the program.
    TMAIN::modalRunner() = [](QDialog *dialog) {
        dialog->show();
        QCoreApplication::processEvents();
        std::printf("login\n");
        std::fflush(stdout);
        return int(QDialog::Rejected);
    };
    int programArgc = 1;
    Q_UNUSED(argc);
    return RunProgram(programArgc, argv);
}

int RunMemoryChild(const QString &base)
{
    BaseFolder::setPath(base);
    TDM1 dm;
    QString error;
    if (!dm.open(BaseFolder::databasePath(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Txiangxijilu window;
    window.resize(window.childSize());
    window.show();
    window.allDatesBox->setChecked(true);
    window.allMembersBox->setChecked(true);
    window.queryButtonClick();
    QCoreApplication::processEvents();
    std::printf("%lld\n", residentKilobytes());
    return 0;
}

void RegisterStartup(const QString &base)
{
    benchmark::RegisterBenchmark("startup to login", [base](benchmark::State &state) {
        for (auto _ : state) {
            QElapsedTimer clock;
            clock.start();
            QProcess *child = startChild(QStringLiteral("--startup-child"), base);
            const QByteArray line = firstLine(child);
            state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
            child->waitForFinished(30000);
            delete child;
            if (line != "login") {
                state.SkipWithError("the program showed no login window");
                break;
            }
        }
    })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(7)
        ->ReportAggregatesOnly(true);
}

double MeasureJournalWindowMemory(const QString &base)
{
    QProcess *child = startChild(QStringLiteral("--memory-child"), base);
    bool ok = false;
    const qint64 kilobytes = firstLine(child).toLongLong(&ok);
    child->waitForFinished(60000);
    delete child;
    return ok && kilobytes > 0 ? double(kilobytes) / 1024 : -1;
}
