#include "windows.h"

#include "common/shell.h"
#include "xiangxijilufrm.h"
#include "xiaofeijilufrm.h"

void RegisterRecordsWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Txiangxijilu"),
                              [](QWidget *p) { return new Txiangxijilu(p); });
    WindowRegistry::addWindow(QStringLiteral("Txiaofeijilu"),
                              [](QWidget *p) { return new Txiaofeijilu(p); });
}
