#include "windows.h"

#include "zengjiajifenfrm.h"

#include "common/shell.h"

void RegisterPointsWindows()
{
    WindowRegistry::addWindow(QStringLiteral("Tzengjiajifen"), [](QWidget *p) { return new Tzengjiajifen(p); });
}
