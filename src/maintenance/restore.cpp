#include "restore.h"

#include "backup.h"

#include "common/basefolder.h"
#include "common/clock.h"
#include "common/dialogs.h"
#include "common/safecopy.h"
#include "common/shell.h"
#include "data/dm1frm.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Puts the chosen file in place with the connection closed; false when the database in use
// is left as it was.
bool replaceDatabase(const QString &chosen)
{
    const QString database = BaseFolder::databasePath();
    const QString keep = PreRestoreBackupPath();
    if (!QFileInfo(BaseFolder::backupFolder()).isDir() || !CopyFileReplacing(database, keep))
        return false;
    return CopyFileReplacing(chosen, database);
}

} // namespace

QString PreRestoreBackupPath()
{
    const QDateTime now = Clock::now();
    return QDir(BaseFolder::backupFolder())
        .filePath(QStringLiteral("恢复前备份_%1_%2.bak")
                      .arg(Clock::dateText(now.date()), now.time().toString(QStringLiteral("HHmmss"))));
}

void RestoreDatabase()
{
    if (!Dialogs::confirm(QStringLiteral("数据恢复"),
                          QStringLiteral("数据库恢复将要覆盖原来数据库中所有的数据，继续吗？")))
        return;
    const QString chosen = Dialogs::openFileName(BackupFilter);
    if (chosen.isEmpty())
        return;
    if (!CheckDatabaseFile(chosen).isEmpty()) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("所选文件不是有效的数据库备份！"),
                         MsgIcon::Error);
        return;
    }

    TDM1 *dm = TDM1::instance();
    if (dm)
        dm->close();
    if (!replaceDatabase(chosen)) {
        if (dm)
            dm->open(BaseFolder::databasePath());
        Dialogs::message(QStringLiteral("错误"), QStringLiteral("恢复数据失败，请重试！!"), MsgIcon::Error);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("恢复数据成功！请重新启动软件！"),
                     MsgIcon::Information);
    if (Shell *shell = Shell::instance())
        shell->terminate();
}
