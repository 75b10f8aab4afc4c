#include "windows.h"

#include "leibiefrm.h"
#include "xiugaifrm.h"
#include "xinhuiyuanfrm.h"
#include "yinjianjifenfrm.h"

#include "common/shell.h"

void RegisterMembersWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tleibie"), [](QWidget *p) { return new Tleibie(p); });
    WindowRegistry::addWindow(QStringLiteral("Tyinjianjifen"),
                              [](QWidget *p) { return new Tyinjianjifen(p); });
    WindowRegistry::addWindow(QStringLiteral("Txinhuiyuan"),
                              [](QWidget *p) { return new Txinhuiyuan(p); });
    // Opened modally by the registration window's "修改/删除", never from a menu.
    WindowRegistry::addWindow(QStringLiteral("Txiugai"), [](QWidget *p) { return new Txiugai(p); });
}
