// huiyuanjifen-shots DIR: renders every window offscreen, filled with sample data, to PNG.
#include "seeder.h"

#include "app/application.h"
#include "app/guanyufrm.h"
#include "app/mainfrm.h"
#include "app/menus.h"
#include "app/program.h"
#include "cards/guashifrm.h"
#include "cards/koutoufrm.h"
#include "common/basefolder.h"
#include "common/scripteddialogs.h"
#include "common/reportpreview.h"
#include "common/session.h"
#include "common/shell.h"
#include "data/dm1frm.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "members/jifenchaxunfrm.h"
#include "operators/guaqifrm.h"
#include "operators/login.h"
#include "operators/xiugaicaozuoyuanfrm.h"
#include "points/duihuanfrm.h"
#include "points/productpicker.h"
#include "points/tuihuofrm.h"
#include "points/zengjiajifenfrm.h"
#include "receipts/reportlayouts.h"
#include "receipts/reportreceipt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
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

// Shows a report preview without blocking, long enough to take its picture.
class ShotPreview : public PreviewProvider
{
public:
    ShotPreview(QString dir, QString name, bool *ok)
        : m_dir(std::move(dir)), m_name(std::move(name)), m_ok(ok)
    {
    }
    void preview(QWidget *parent, const QString &title, const ReportPainter &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(title);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter *p) { paint(p); });
        dialog.resize(900, 700);
        dialog.show();
        // The paper is a metre long: show its width, where the receipt is.
        if (auto *view = dialog.findChild<QPrintPreviewWidget *>())
            view->fitToWidth();
        *m_ok &= save(&dialog, m_dir, m_name);
        dialog.close();
    }

private:
    QString m_dir;
    QString m_name;
    bool *m_ok;
};

void shootReportReceipts(QWidget *parent, const QString &out, bool *ok)
{
    const QString purchase = Sql::text(Sql::scalar(QStringLiteral("select max(编号) from 消费记录")));
    const QString redemption = Sql::text(Sql::scalar(
        QStringLiteral("select max(编号) from 流水记录 where 增减原因 = ?"), {QStringLiteral("兑换积分")}));
    const struct
    {
        QString name;
        ReportLayout layout;
        QString number;
    } reports[] = {{QStringLiteral("ReportReceipt"), PurchaseReportLayout(), purchase},
                   {QStringLiteral("ReportReceiptRedemption"), RedemptionReportLayout(), redemption}};
    for (const auto &r : reports) {
        if (r.number.isEmpty())
            continue;
        const QString card = Sql::text(
            Sql::scalar(QStringLiteral("select 会员卡号 from 流水记录 where 编号 = ?"), {r.number}));
        ShotPreview shot(out, r.name, ok);
        ReportPreview::install(&shot);
        PrintReportReceipt(parent, r.layout, card, r.number);
        ReportPreview::install(nullptr);
    }
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

    shootReportReceipts(&mainWindow, out, &ok);

    // A purchase being entered: a member read by card and two products in the basket.
    if (auto *purchase = qobject_cast<Tzengjiajifen *>(
            mainWindow.openChildWindow(QStringLiteral("购物或换货增加积分"), QStringLiteral("Tzengjiajifen")))) {
        purchase->memberPanel()->cardEdit()->setText(QStringLiteral("8800000005"));
        purchase->memberPanel()->LookUpCard();
        for (const QString &code : {QStringLiteral("SP00002"), QStringLiteral("SP00007")}) {
            purchase->productPicker()->searchEdit()->setText(code);
            purchase->productPicker()->searchButtonClick();
            purchase->productPicker()->pickGridDoubleClick();
        }
        ok &= save(&mainWindow, out, QStringLiteral("Tzengjiajifen-purchase"));
        purchase->memberPanel()->nameEdit()->setText(QStringLiteral("王"));
        purchase->memberPanel()->SearchMembers(MemberPanel::SearchColumn::Name);
        ok &= save(&mainWindow, out, QStringLiteral("Tzengjiajifen-search"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }


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
        {QStringLiteral("Tquanbuhuiyuan"), QStringLiteral("全部会员信息"), {}, QStringLiteral("showAllButton")},
        {QStringLiteral("Tshengri"), QStringLiteral("会员生日提醒"), {}, QStringLiteral("fiveDayButton")},
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
    // The member query with a member shown, then with a search's pick list.
    if (auto *query = qobject_cast<Tjifenchaxun *>(
            mainWindow.openChildWindow(QStringLiteral("会员查询"), QStringLiteral("Tjifenchaxun")))) {
        query->memberPanel()->cardEdit()->setText(QStringLiteral("8800000005"));
        query->memberPanel()->LookUpCard();
        ok &= save(&mainWindow, out, QStringLiteral("Tjifenchaxun-member"));
        query->memberPanel()->nameEdit()->setText(QStringLiteral("王"));
        query->memberPanel()->SearchMembers(MemberPanel::SearchColumn::Name);
        ok &= save(&mainWindow, out, QStringLiteral("Tjifenchaxun-search"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }
    // An exchange being entered: the goods brought back and a note.
    if (auto *returns = qobject_cast<Ttuihuo *>(
            mainWindow.openChildWindow(QStringLiteral("退/换货减积分"), QStringLiteral("Ttuihuo")))) {
        returns->memberPanel()->cardEdit()->setText(QStringLiteral("8800000005"));
        returns->memberPanel()->LookUpCard();
        returns->productPicker()->searchEdit()->setText(QStringLiteral("SP00002"));
        returns->productPicker()->searchButtonClick();
        returns->productPicker()->pickGridDoubleClick();
        returns->exchangeButton()->setChecked(true);
        returns->noteEdit()->setText(QStringLiteral("尺码不合适，换大一号"));
        ok &= save(&mainWindow, out, QStringLiteral("Ttuihuo-exchange"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }

    // A redemption ready to save: a member admitted and the points typed.
    if (auto *redemption = qobject_cast<Tduihuan *>(
            mainWindow.openChildWindow(QStringLiteral("积分兑换"), QStringLiteral("Tduihuan")))) {
        redemption->memberPanel()->cardEdit()->setText(QStringLiteral("8800000005"));
        redemption->memberPanel()->LookUpCard();
        redemption->pointsEdit()->setText(QStringLiteral("50"));
        redemption->giftEdit()->setText(QStringLiteral("保温杯一只"));
        ok &= save(&mainWindow, out, QStringLiteral("Tduihuan-gift"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }

    // A card about to be reported lost, and one about to be replaced by a new number.
    if (auto *loss = qobject_cast<Tkoutou *>(
            mainWindow.openChildWindow(QStringLiteral("会员卡挂失及取消"), QStringLiteral("Tkoutou")))) {
        loss->memberPanel()->cardEdit()->setText(QStringLiteral("8800000005"));
        loss->memberPanel()->LookUpCard();
        ok &= save(&mainWindow, out, QStringLiteral("Tkoutou-member"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }
    if (auto *replacement = qobject_cast<Tguashi *>(
            mainWindow.openChildWindow(QStringLiteral("会员卡更换"), QStringLiteral("Tguashi")))) {
        replacement->memberPanel()->cardEdit()->setText(QStringLiteral("8800000005"));
        replacement->memberPanel()->LookUpCard();
        replacement->newCardEdit()->setText(QStringLiteral("8800009999"));
        ok &= save(&mainWindow, out, QStringLiteral("Tguashi-member"));
        mainWindow.clientArea()->closeAllSubWindows();
        settle();
    }

    mainWindow.setAttribute(Qt::WA_DeleteOnClose, false);
    return ok ? 0 : 1;
}
