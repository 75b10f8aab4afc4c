#include "program.h"

#include "application.h"
#include "appwindows.h"
#include "mainfrm.h"

#include "cards/windows.h"
#include "common/singleinstance.h"
#include "data/dm1frm.h"
#include "maintenance/backup.h"
#include "maintenance/windows.h"
#include "members/windows.h"
#include "operators/windows.h"
#include "operators/xiugaicaozuoyuanfrm.h"
#include "points/windows.h"
#include "receipts/windows.h"
#include "records/windows.h"

#include <QGuiApplication>
#include <QScreen>

void RegisterAllWindows()
{
    RegisterAppWindows();
    RegisterRecordsWindows();
    RegisterReceiptsWindows();
    RegisterMembersWindows();
    RegisterOperatorsWindows();
    RegisterCardsWindows();
    RegisterPointsWindows();
    RegisterMaintenanceWindows();
}

int RunProgram(int argc, char **argv)
{
    Application app(argc, argv);

    // A second copy ends at once: no window, no message, no database access.
    SingleInstance instance(MutexName);
    if (!instance.acquire())
        return 0;

    RegisterAllWindows();
    TDM1 dm;
    PresetManualBackupName();
    TMAIN mainWindow;
    if (mainWindow.startUp() != TMAIN::StartResult::Running)
        return 0;
    // Hidden until the operator list asks for it, then reused for the whole run.
    Txiugaicaozuoyuan modifyOperatorDialog(&mainWindow);
    // Without a window manager "maximised" means nothing; take the whole screen anyway.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    return app.exec();
}
