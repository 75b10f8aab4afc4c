#include "windows.h"

#include "common/shell.h"
#include "guashifrm.h"
#include "guashilishifrm.h"
#include "koutoufrm.h"
#include "koutoujilufrm.h"

void RegisterCardsWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tguashilishi"),
                              [](QWidget *p) { return new Tguashilishi(p); });
    WindowRegistry::addWindow(QStringLiteral("Tkoutoujilu"),
                              [](QWidget *p) { return new Tkoutoujilu(p); });
    WindowRegistry::addWindow(QStringLiteral("Tkoutou"), [](QWidget *p) { return new Tkoutou(p); });
    WindowRegistry::addWindow(QStringLiteral("Tguashi"), [](QWidget *p) { return new Tguashi(p); });
}
