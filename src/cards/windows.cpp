#include "windows.h"

#include "common/shell.h"
#include "guashilishifrm.h"
#include "koutoujilufrm.h"

void RegisterCardsWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tguashilishi"),
                              [](QWidget *p) { return new Tguashilishi(p); });
    WindowRegistry::addWindow(QStringLiteral("Tkoutoujilu"),
                              [](QWidget *p) { return new Tkoutoujilu(p); });
}
