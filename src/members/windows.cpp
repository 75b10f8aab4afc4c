#include "windows.h"

#include "jifenchaxunfrm.h"
#include "leibiefrm.h"
#include "quanbuhuiyuanfrm.h"
#include "shengrifrm.h"
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
    WindowRegistry::addWindow(QStringLiteral("Tjifenchaxun"),
                              [](QWidget *p) { return new Tjifenchaxun(p); });
    WindowRegistry::addWindow(QStringLiteral("Tquanbuhuiyuan"),
                              [](QWidget *p) { return new Tquanbuhuiyuan(p); });
    WindowRegistry::addWindow(QStringLiteral("Tshengri"), [](QWidget *p) { return new Tshengri(p); });
    // Opened modally by the registration window's "修改/删除", never from a menu.
    WindowRegistry::addWindow(QStringLiteral("Txiugai"), [](QWidget *p) { return new Txiugai(p); });
}
