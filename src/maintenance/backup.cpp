#include "backup.h"

#include "common/basefolder.h"
#include "common/clock.h"
#include "common/dialogs.h"
#include "common/safecopy.h"
#include "common/shell.h"
#include "data/dm1frm.h"
#include "data/sql.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

QString &proposedName()
{
    static QString name = Clock::todayText();
    return name;
}

} // namespace

bool CopyDatabase(const QString &target)
{
    // The write lock keeps every other connection from changing the file during the copy, and
    // it cannot be taken inside a transaction of our own, whose pages may be half in the file.
    std::optional<TransactionGuard> writeLock;
    if (TDM1 *dm = TDM1::instance(); dm && dm->isOpen()) {
        try {
            writeLock.emplace();
        } catch (const DbError &) {
            return false;
        }
    }
    return CopyFileReplacing(BaseFolder::databasePath(), target);
}

QString DailyBackupPath()
{
    return QDir(BaseFolder::backupFolder()).filePath(Clock::todayText() + QStringLiteral(".bak"));
}

void ExitBackup(Shell *shell)
{
    // The backup folder is part of the installation; a missing one means the copy fails.
    const bool copied = QFileInfo(BaseFolder::backupFolder()).isDir()
                        && CopyDatabase(DailyBackupPath());
    if (!copied) {
        Dialogs::message(QStringLiteral("错误"), QStringLiteral("备份数据失败，请重试！"), MsgIcon::Error);
        return;
    }
    const bool again = Dialogs::confirm(
        QStringLiteral("提示"),
        QStringLiteral("退出系统前软件已经自动进行数据备份！备份文件名称为当前日期，备份文件存放地址为软件安装目录下的“backup”文件夹下。您还需要再次手动备份，以便保留备份文件副本吗？点击“确定”再次进行备份，点击“取消”不再次备份！"));
    if (again && shell)
        shell->issueMenuCommand(QStringLiteral("数据备份"));
}

QString ManualBackupName()
{
    return proposedName();
}

void PresetManualBackupName()
{
    proposedName() = Clock::todayText();
}

void ManualBackup()
{
    const QString chosen = Dialogs::saveFileName(BackupFilter, proposedName());
    if (chosen.isEmpty())
        return;
    proposedName() = chosen;
    // Always appended, so a chosen "x.BAK" is never overwritten: the copy goes to "x.BAK.bak".
    const QString target = chosen + QStringLiteral(".bak");
    if (CopyDatabase(target))
        Dialogs::message(QStringLiteral("提示！"), QStringLiteral("备份数据成功！"), MsgIcon::Information);
    else
        Dialogs::message(QStringLiteral("错误！"), QStringLiteral("备份数据失败，请重试！!"), MsgIcon::Error);
}
