#include "appwindows.h"

#include "dayinshezhifrm.h"

#include "common/shell.h"

void RegisterAppWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tdayinshezhi"),
                              [](QWidget *p) { return new Tdayinshezhi(p); });
}
