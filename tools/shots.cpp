// huiyuanjifen-shots DIR: renders every window offscreen, filled with sample data, to PNG.
#include "seeder.h"

#include "app/application.h"
#include "app/guanyufrm.h"
#include "app/mainfrm.h"
#include "app/menus.h"
#include "app/program.h"
#include "common/basefolder.h"
#include "common/scripteddialogs.h"
#include "common/session.h"
#include "common/shell.h"
#include "data/dm1frm.h"
#include "operators/guaqifrm.h"
#include "operators/login.h"
#include "operators/xiugaicaozuoyuanfrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

bool save(QWidget *w, const QString &dir, const QString &name)
{
    settle();
    const QString file = QDir(dir).filePath(name + QStringLiteral(".png"));
    const bool ok = w->grab().save(file);
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << file << "\n";
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: huiyuanjifen-shots DIR\n";
        return 2;
    }
    const QString out = QDir(app.arguments().at(1)).absolutePath();
    QDir().mkpath(out);
    const QString dist = QCoreApplication::applicationDirPath();

    QTemporaryDir base;
    QDir(base.path()).mkpath(QStringLiteral("database"));
    QDir(base.path()).mkpath(QStringLiteral("image"));
    QDir(base.path()).mkpath(QStringLiteral("backup"));
    QFile::copy(QDir(dist).filePath(QStringLiteral("image/海岸.jpg")),
                QDir(base.path()).filePath(QStringLiteral("image/海岸.jpg")));
    BaseFolder::setPath(base.path());

    ScriptedDialogs dialogs;
    RegisterAllWindows();
    TDM1 dm;
    QString error;
    SeedOptions options;
    options.members = 60;
    options.journal = 600;
    if (!SeedDatabase(BaseFolder::databasePath(), options, &error)) {
        QTextStream(stderr) << error << "\n";
        return 1;
    }
    dm.close();

    bool ok = true;
    TMAIN mainWindow;
    TMAIN::modalRunner() = [&](QDialog *d) {
        auto *login = static_cast<Tloginform *>(d);
        login->show();
        ok &= save(login, out, QStringLiteral("Tloginform"));
        login->loginButtonClick();
        login->hide();
        return login->result();
    };
    if (mainWindow.startUp() != TMAIN::StartResult::Running) {
        QTextStream(stderr) << "start-up failed: " << dialogs.texts().join(QLatin1Char(' ')) << "\n";
        return 1;
    }
    mainWindow.resize(1366, 768);
    mainWindow.show();
    mainWindow.reminderTimer()->stop();
    mainWindow.shopNameTimer()->stop();
    ok &= save(&mainWindow, out, QStringLiteral("TMAIN"));

    Tguanyu about;
    about.show();
    ok &= save(&about, out, QStringLiteral("Tguanyu"));
    about.close();

    for (const MenuItemEntry &entry : MenuItems()) {
        if (entry.windowClass.isEmpty() || !WindowRegistry::hasWindow(entry.windowClass))
            continue;
        mainWindow.openChildWindow(entry.title, entry.windowClass);
        ok &= save(&mainWindow, out, entry.windowClass);
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }
    // Dialogs that other windows open rather than a menu item.
    for (const QString &dialogClass : {QStringLiteral("Txiugai")}) {
        if (!WindowRegistry::hasWindow(dialogClass))
            continue;
        QWidget *dialog = WindowRegistry::create(dialogClass, &mainWindow);
        dialog->show();
        ok &= save(dialog, out, dialogClass);
        delete dialog;
    }
    // Windows that no menu item opens by itself.
    mainWindow.openChildWindow(QStringLiteral("操作人员设置"), QStringLiteral("Tcaozuorenyuan"));
    mainWindow.openChildWindow(QStringLiteral("新增操作人员"), QStringLiteral("Txinzengcaozuorenyuan"));
    ok &= save(&mainWindow, out, QStringLiteral("Txinzengcaozuorenyuan"));
    mainWindow.clientArea()->closeAllSubWindows();
    settle();

    Txiugaicaozuoyuan *modify = Txiugaicaozuoyuan::instance();
    modify->setOperatorCode(QStringLiteral("0002"));
    modify->show();
    ok &= save(modify, out, QStringLiteral("Txiugaicaozuoyuan"));
    modify->hide();

    Tguaqi lock;
    lock.show();
    ok &= save(&lock, out, QStringLiteral("Tguaqi"));
    lock.passwordEdit()->setText(CurrentOperatorPassword());
    lock.leaveButtonClick();
    ok &= save(&lock, out, QStringLiteral("Tguaqi-locked"));
    lock.hide();


    // Record windows again, with their rows listed the way an operator lists them.
    struct Listing
    {
        QString windowClass, title;
        QStringList ticks;
        QString button;
    };
    const QList<Listing> listings{
        {QStringLiteral("Txiangxijilu"), QStringLiteral("会员积分增减历史记录"),
         {QStringLiteral("allDatesBox"), QStringLiteral("allMembersBox")}, QStringLiteral("queryButton")},
        {QStringLiteral("Txiaofeijilu"), QStringLiteral("查询会员消费记录"),
         {QStringLiteral("allDatesBox"), QStringLiteral("allMembersBox")}, QStringLiteral("queryButton")},
        {QStringLiteral("Tguashilishi"), QStringLiteral("会员卡更换历史记录"), {}, QStringLiteral("showAllButton")},
        {QStringLiteral("Tkoutoujilu"), QStringLiteral("会员卡挂失记录"), {}, QStringLiteral("showAllButton")},
    };
    for (const Listing &l : listings) {
        if (!WindowRegistry::hasWindow(l.windowClass))
            continue;
        QWidget *w = mainWindow.openChildWindow(l.title, l.windowClass);
        for (const QString &tick : l.ticks)
            if (auto *box = w->findChild<QCheckBox *>(tick))
                box->setChecked(true);
        if (auto *button = w->findChild<QPushButton *>(l.button))
            button->click();
        ok &= save(&mainWindow, out, l.windowClass + QStringLiteral("-rows"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }
    mainWindow.setAttribute(Qt::WA_DeleteOnClose, false);
    return ok ? 0 : 1;
}
