#include "windows.h"

#include "duihuanfrm.h"
#include "shangpindanganfrm.h"
#include "tuihuofrm.h"
#include "zengjiajifenfrm.h"

#include "common/shell.h"

void RegisterPointsWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tshangpindangan"), [](QWidget *p) { return new Tshangpindangan(p); });
    WindowRegistry::addWindow(QStringLiteral("Tzengjiajifen"), [](QWidget *p) { return new Tzengjiajifen(p); });
    WindowRegistry::addWindow(QStringLiteral("Ttuihuo"), [](QWidget *p) { return new Ttuihuo(p); });
    WindowRegistry::addWindow(QStringLiteral("Tduihuan"), [](QWidget *p) { return new Tduihuan(p); });
}
