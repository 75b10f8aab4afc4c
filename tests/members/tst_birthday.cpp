#include "app/mainfrm.h"
#include "common/basefolder.h"
#include "common/clock.h"
#include "common/gbk.h"
#include "common/inifile.h"
#include "common/reportpreview.h"
#include "data/sql.h"
#include "members/memberviewstore.h"
#include "members/shengrifrm.h"
#include "records/recordgrid.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

// One member per birthday key; the card number is the key itself ("null" stores NULL).
void addBirthdays(Fixture &fx, const QStringList &keys)
{
    for (const QString &key : keys)
        fx.exec("insert into 会员卡信息 (会员卡号, 会员姓名, 生日, 会员生日, 固定电话, 手机) "
                "values (?, '寿星', ?, '1990-01-01', '0571-1', '139')",
                { key, key == "null" ? QVariant(QMetaType(QMetaType::QString)) : QVariant(key) });
}

QStringList gridCards(RecordGrid *grid)
{
    QStringList cards;
    for (int row = 0; row < grid->totalRowCount(); ++row)
        cards << grid->cellText(row, 0);
    cards.sort();
    return cards;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CapturePreview : public PreviewProvider
{
public:
    CapturePreview() { ReportPreview::install(this); }
    ~CapturePreview() override { ReportPreview::install(nullptr); }
    void preview(QWidget *, const QString &title, const ReportPainter &) override
    {
        titles << title;
    }
    QStringList titles;
};

} // namespace

class TestBirthday : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void comingBirthdays_data();
    void comingBirthdays();
    void listUsesTheBirthdayIndex();
    void reminderSwitchRoundTrip_data();
    void reminderSwitchRoundTrip();
    void unwritableSettingIsIgnored();
    void printAndExport();
};

void TestBirthday::comingBirthdays_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("days");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("30 December") << QDate(2026, 12, 30) << 3
                                 << QStringList { "1-1", "12-30", "12-31" };
    QTest::newRow("31 December") << QDate(2026, 12, 31) << 3
                                 << QStringList { "1-1", "1-2", "12-31" };
    QTest::newRow("31 December, five days")
        << QDate(2026, 12, 31) << 5 << QStringList { "1-1", "1-2", "1-3", "1-4", "12-31" };
    QTest::newRow("leap year") << QDate(2028, 2, 28) << 3 << QStringList { "2-28", "2-29", "3-1" };
    QTest::newRow("common year") << QDate(2027, 2, 28) << 3 << QStringList { "2-28", "3-1", "3-2" };
    QTest::newRow("leap day itself")
        << QDate(2028, 2, 29) << 3 << QStringList { "2-29", "3-1", "3-2" };
    QTest::newRow("common year, five days")
        << QDate(2027, 2, 26) << 5 << QStringList { "2-27", "2-28", "3-1", "3-2" };
    QTest::newRow("leading zeros never") << QDate(2026, 6, 8) << 3 << QStringList { "6-9" };
    QTest::newRow("nobody") << QDate(2026, 8, 1) << 5 << QStringList {};
}

void TestBirthday::comingBirthdays()
{
    QFETCH(QDate, today);
    QFETCH(int, days);
    QFETCH(QStringList, listed);
    Fixture fx;
    addBirthdays(fx,
                 { "12-29", "12-30", "12-31", "1-1", "1-2", "1-3", "1-4", "2-27", "2-28", "2-29",
                   "3-1", "3-2", "3-3", "6-9", "06-09", "06-9", "6-09", "", "null" });
    Tshengri w;
    w.show();
    QVERIFY(gridCards(w.birthdayGrid()).isEmpty()); // the fixture's 14 March
    // Each press takes the date again.
    Clock::setFixed(QDateTime(today, QTime(23, 59, 59)));
    (days == 3 ? w.threeDayButton() : w.fiveDayButton())->click();
    QCOMPARE(gridCards(w.birthdayGrid()), listed);
    QCOMPARE(MemberViewStore::cards(MemberViewStore::birthdayList(today, days)).size(),
             listed.size());
}

void TestBirthday::listUsesTheBirthdayIndex()
{
    Fixture fx;
    const MemberViewStore::Statement s = MemberViewStore::birthdayList(QDate(2026, 12, 30), 5);
    QSqlQuery plan = Sql::exec("explain query plan " + s.text, s.values);
    QStringList steps;
    while (plan.next())
        steps << plan.value(3).toString();
    QVERIFY2(steps.join(' ').contains("INDEX 会员卡信息_生日"), qPrintable(steps.join(" | ")));
    QVERIFY2(!steps.join(' ').contains("SCAN"), qPrintable(steps.join(" | ")));
}

void TestBirthday::reminderSwitchRoundTrip_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("no file: on") << QByteArray() << true;
    QTest::newRow("off") << Gbk::encode("[程序参数]\r\n店铺名称=小店\r\n提醒=0\r\n") << false;
    QTest::newRow("on") << Gbk::encode("[程序参数]\r\n提醒=1\r\n店铺名称=小店\r\n") << true;
}

void TestBirthday::reminderSwitchRoundTrip()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, ticked);
    Fixture fx;
    addBirthdays(fx, { "3-14", "3-16", "3-17" });
    if (!ini.isEmpty())
        fx.writeIni(ini);
    QPointer<Tshengri> w = new Tshengri;
    w->show();
    QCOMPARE(w->autoShowBox()->isChecked(), ticked);
    // Opening lists the three days from today.
    QCOMPARE(gridCards(w->birthdayGrid()), QStringList({ "3-14", "3-16" }));

    w->autoShowBox()->setChecked(!ticked);
    w->exitButton()->click();
    QCoreApplication::processEvents();
    QVERIFY(!w);
    QCOMPARE(AppSettings::readBool("提醒", ticked), !ticked);
    if (!ini.isEmpty()) // the other keys stay
        QCOMPARE(AppSettings::readString("店铺名称", {}), QString("小店"));

    w = new Tshengri;
    QCOMPARE(w->autoShowBox()->isChecked(), !ticked);
    w->autoShowBox()->setChecked(ticked);
    w->close();
    QCoreApplication::processEvents();
    QCOMPARE(AppSettings::readBool("提醒", !ticked), ticked);
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestBirthday::unwritableSettingIsIgnored()
{
    Fixture fx;
    // A folder where the file should be: nothing can be read or written there.
    QVERIFY(QDir().mkpath(BaseFolder::iniPath()));
    QPointer<Tshengri> w = new Tshengri;
    w->show();
    QVERIFY(w->autoShowBox()->isChecked());
    w->autoShowBox()->setChecked(false);
    QVERIFY(w->close());
    QCoreApplication::processEvents();
    QVERIFY(!w);
    QVERIFY(fx.dialogs.messages.isEmpty());
    QVERIFY(QFileInfo(BaseFolder::iniPath()).isDir());
}

void TestBirthday::printAndExport()
{
    Fixture fx;
    addBirthdays(fx, { "3-14", "3-18", "3-20" });
    Tshengri w;
    w.show();
    w.fiveDayButton()->click();
    QCOMPARE(gridCards(w.birthdayGrid()), QStringList({ "3-14", "3-18" }));

    CapturePreview preview;
    w.printButton()->click();
    QCOMPARE(preview.titles, QStringList { "三日或五日后过生日的会员" });

    // The export writes the list shown: the five-day one.
    fx.dialogs.fileNames << fx.file("birthdays");
    fx.dialogs.filterChoices << 2;
    w.excelButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList { "导出数据成功！" });
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    const QByteArray csv = readFile(fx.file("birthdays.csv"));
    QVERIFY(csv.contains("3-18"));
    QVERIFY(!csv.contains("3-20"));
}

HYJF_TEST_MAIN(TestBirthday)
#include "tst_birthday.moc"
