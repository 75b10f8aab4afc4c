#include "windows.h"

#include "backup.h"
#include "datacommands.h"
#include "restore.h"
#include "zhenglifrm.h"

#include "common/shell.h"

void RegisterMaintenanceWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tzhengli"), [](QWidget *p) { return new Tzhengli(p); });
    WindowRegistry::addCommand(QStringLiteral("数据备份"), [] { ManualBackup(); });
    WindowRegistry::addCommand(QStringLiteral("数据恢复"), [] { RestoreDatabase(); });
    WindowRegistry::addCommand(QStringLiteral("积分手动清零"), [] { ZeroAllPoints(); });
    WindowRegistry::addCommand(QStringLiteral("数据初始化"), [] { InitialiseData(); });
}
