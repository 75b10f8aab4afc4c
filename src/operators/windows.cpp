#include "windows.h"

#include "caozuorenyuanfrm.h"
#include "guaqifrm.h"
#include "xinzengcaozuorenyuanfrm.h"
#include "xiugaimimafrm.h"

#include "common/shell.h"

void RegisterOperatorsWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tcaozuorenyuan"),
                              [](QWidget *p) { return new Tcaozuorenyuan(p); });
    WindowRegistry::addWindow(QStringLiteral("Txinzengcaozuorenyuan"),
                              [](QWidget *p) { return new Txinzengcaozuorenyuan(p); });
    WindowRegistry::addWindow(QStringLiteral("Txiugaimima"), [](QWidget *p) { return new Txiugaimima(p); });
    // The toolbar button of that caption.
    WindowRegistry::addCommand(QStringLiteral("暂时离开"), [] { LockScreen(); });
}
