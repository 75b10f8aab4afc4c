#include "app/mainfrm.h"
#include "common/apptexts.h"
#include "common/clock.h"
#include "data/sql.h"
#include "members/birthday.h"
#include "members/memberform.h"
#include "members/xinhuiyuanfrm.h"
#include "members/xiugaifrm.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"
#include "typing.h"

#include <QComboBox>
#include <QDateEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>

namespace {

void addMember(Fixture &fx, const QString &card, const QString &name, double points = 0)
{
    fx.exec("insert into 会员卡信息 (会员卡号, 会员姓名, 积分, 会员生日, 起用日期) "
            "values (?, ?, ?, '1980-01-01', '2020-01-01')",
            {card, name, points});
}

// Every column of a member row, NULL as "null".
QStringList memberColumns(const QString &card)
{
    QSqlQuery q = Sql::exec("select * from 会员卡信息 where 会员卡号 = ?", {card});
    if (!q.next())
        return {"missing"};
    QStringList cells;
    for (int i = 0; i < q.record().count(); ++i)
        cells << q.record().fieldName(i) + "=" + (q.value(i).isNull() ? QString("null") : Sql::text(q.value(i)));
    return cells;
}

void fillAll(MemberForm *f, const QString &card)
{
    f->cardEdit()->setText(card);
    f->categoryBox()->setCurrentIndex(1);
    f->nameEdit()->setText("王芳");
    f->sexBox()->setCurrentIndex(1);
    f->idEdit()->setText("110101199003061234");
    f->birthdayEdit()->setDate(QDate(1990, 3, 6));
    f->addressEdit()->setText("人民路1号");
    f->phoneEdit()->setText("010-12345678");
    f->mobileEdit()->setText("13900000000");
    f->startDateEdit()->setDate(QDate(2026, 3, 1));
}

void expectReset(Txinhuiyuan &w)
{
    MemberForm *f = w.form();
    for (QLineEdit *e : {f->cardEdit(), f->nameEdit(), f->idEdit(), f->addressEdit(), f->phoneEdit(),
                         f->mobileEdit(), f->referrerCardEdit(), f->referrerNameEdit()})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(f->birthdayEdit()->date(), Clock::today());
    QCOMPARE(f->startDateEdit()->date(), Clock::today());
    QCOMPARE(f->categoryBox()->currentIndex(), f->categoryBox()->count() > 0 ? 0 : -1);
    QCOMPARE(f->categoryBox()->currentText(), f->categoryBox()->itemText(0));
    QCOMPARE(f->sexBox()->currentText(), QString("男"));
}

} // namespace

class TestRegistration : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void birthdayFromIdNumber_data();
    void birthdayFromIdNumber();
    void opensReset();
    void registerWithoutReferrer();
    void registerWithReferrer();
    void unknownReferrerOnEnter();
    void unheldReferrerCardCreditsNothing();
    void cardRefusals_data();
    void cardRefusals();
    void emptyCardRefusedAtSave();
    void birthdayFromIdField();
    void failedSaveRollsBackAndKeepsFields();
    void emptyCategoryTable();
    void textsStoredAsTyped();
    void enterChain();
    void editButtonOpensEditDialog();
    void menuAndToolbarOpenWindows();
};

void TestRegistration::birthdayFromIdNumber_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("key");
    const int no = IdBirthday::NoBirthday, valid = IdBirthday::Valid, bad = IdBirthday::Invalid;
    QTest::newRow("18 digits") << "110101199003061234" << valid << QDate(1990, 3, 6) << "3-6";
    QTest::newRow("18 ending X") << "11010119801231123X" << valid << QDate(1980, 12, 31) << "12-31";
    QTest::newRow("18 leap day") << "110101200002291234" << valid << QDate(2000, 2, 29) << "2-29";
    QTest::newRow("15, inside window") << "110101800306123" << valid << QDate(1980, 3, 6) << "3-6";
    QTest::newRow("15, first year of window") << "110101760101123" << valid << QDate(1976, 1, 1) << "1-1";
    // More than 50 years back: the year lands in the coming century.
    QTest::newRow("15, before window") << "110101751231123" << valid << QDate(2075, 12, 31) << "12-31";
    QTest::newRow("15, this century") << "110101050705123" << valid << QDate(2005, 7, 5) << "7-5";
    QTest::newRow("17 characters") << "11010119900306123" << no << QDate() << "";
    QTest::newRow("16 characters") << "1101011990030612" << no << QDate() << "";
    QTest::newRow("empty") << "" << no << QDate() << "";
    QTest::newRow("month 13") << "110101199013061234" << bad << QDate() << "";
    QTest::newRow("30 February") << "110101199002301234" << bad << QDate() << "";
    QTest::newRow("29 February, no leap year") << "110101190002291234" << bad << QDate() << "";
    QTest::newRow("letters in date") << "1101011990O3061234" << bad << QDate() << "";
    QTest::newRow("15, day 00") << "110101800300123" << bad << QDate() << "";
    QTest::newRow("year 0000") << "110101000001011234" << bad << QDate() << "";
}

void TestRegistration::birthdayFromIdNumber()
{
    QFETCH(QString, id);
    QFETCH(int, outcome);
    QFETCH(QDate, date);
    QFETCH(QString, key);
    const IdBirthday found = BirthdayFromIdNumber(id, 2026);
    QCOMPARE(int(found.outcome), outcome);
    QCOMPARE(found.date, date);
    if (outcome == IdBirthday::Valid)
        QCOMPARE(BirthdayKey(found.date), key);
}

void TestRegistration::opensReset()
{
    Fixture fx;
    fx.exec("insert into 卡类别 (卡类别) values ('银卡'), ('普通卡')");
    Txinhuiyuan w;
    QCOMPARE(w.childPosition(), QPoint(250, 0));
    MemberForm *f = w.form();
    QCOMPARE(f->categoryBox()->count(), 2);
    QCOMPARE(f->categoryBox()->itemText(0), QString("银卡"));
    QCOMPARE(f->sexBox()->count(), 2);
    QCOMPARE(f->sexBox()->itemText(1), QString("女"));
    QCOMPARE(f->referrerCardEdit()->placeholderText(), QString("请刷卡或输入引荐人卡号后回车"));
    expectReset(w);
}

void TestRegistration::registerWithoutReferrer()
{
    Fixture fx;
    fx.exec("insert into 卡类别 (卡类别) values ('普通卡'), ('银卡')");
    fx.exec("update 引荐积分 set 引荐积分 = 10");
    addMember(fx, "OTHER", "别人", 7);
    Txinhuiyuan w;
    fillAll(w.form(), "C001");
    w.form()->categoryBox()->setEditText("自定义卡");
    w.form()->sexBox()->setEditText("未知");
    w.saveButton()->click();

    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("新增会员成功！"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    QCOMPARE(memberColumns("C001"),
             QStringList({"会员卡号=C001", "卡类别=自定义卡", "会员姓名=王芳", "性别=未知",
                          "身份证号=110101199003061234", "会员生日=1990-03-06", "生日=3-6",
                          "地址=人民路1号", "固定电话=010-12345678", "手机=13900000000",
                          "引荐人卡号=", "引荐人姓名=", "起用日期=2026-03-01", "积分=0",
                          "口头挂失标志=0"}));
    QCOMPARE(fx.count("会员卡信息"), 2);
    QCOMPARE(fx.count("流水记录"), 0);
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = 'OTHER'").toDouble(), 7.0);
    // The lists show their first entries again, not the previous member's values.
    expectReset(w);
}

void TestRegistration::registerWithReferrer()
{
    Fixture fx;
    fx.exec("update 引荐积分 set 引荐积分 = 10");
    addMember(fx, "R1", "李强", 5.25);
    Txinhuiyuan w;
    ShowActive(w);
    fillAll(w.form(), "C002");
    w.form()->referrerCardEdit()->setFocus();
    TypeText(w.form()->referrerCardEdit(), "R1");
    QTest::keyClick(w.form()->referrerCardEdit(), Qt::Key_Return);
    QCOMPARE(w.form()->referrerNameEdit()->text(), QString("李强"));
    QCOMPARE(QApplication::focusWidget(), w.form()->referrerNameEdit());
    ReplaceText(w.form()->referrerNameEdit(), "李强（老客户）");
    w.saveButton()->click();

    QCOMPARE(fx.dialogs.texts(), QStringList({"新增会员成功！"}));
    QCOMPARE(fx.count("会员卡信息"), 2);
    QCOMPARE(fx.scalar("select 引荐人卡号 || '|' || 引荐人姓名 from 会员卡信息 where 会员卡号 = 'C002'")
                 .toString(),
             QString("R1|李强（老客户）"));
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = 'R1'").toDouble(), 15.25);
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = 'C002'").toDouble(), 0.0);
    QCOMPARE(fx.count("流水记录"), 1);
    QSqlQuery q = Sql::exec("select * from 流水记录");
    QVERIFY(q.next());
    QVERIFY(q.value("编号").isNull());
    QCOMPARE(q.value("会员卡号").toString(), QString("R1"));
    QCOMPARE(q.value("会员姓名").toString(), QString("李强（老客户）"));
    QCOMPARE(q.value("增减积分").toDouble(), 10.0);
    QCOMPARE(q.value("增减原因").toString(), QString("引荐会员"));
    QCOMPARE(q.value("日期").toString(), QString("2026-03-14"));
    QCOMPARE(q.value("时间").toString(), QString("10:30:15"));
    QCOMPARE(q.value("经手人").toString(), QString("0001"));
    for (const char *unset : {"退/换货说明", "兑换礼品", "返现金", "商品", "引荐人卡号", "引荐人姓名"})
        QVERIFY2(q.value(QString::fromUtf8(unset)).isNull(), unset);
    expectReset(w);
    QCOMPARE(QApplication::focusWidget(), w.form()->cardEdit());
}

void TestRegistration::unknownReferrerOnEnter()
{
    Fixture fx;
    Txinhuiyuan w;
    ShowActive(w);
    w.form()->referrerCardEdit()->setFocus();
    TypeText(w.form()->referrerCardEdit(), "NOBODY");
    QTest::keyClick(w.form()->referrerCardEdit(), Qt::Key_Return);
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("引荐人卡号不存在！"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QCOMPARE(w.form()->referrerCardEdit()->text(), QString("NOBODY"));
    QCOMPARE(QApplication::focusWidget(), w.form()->referrerCardEdit());
}

void TestRegistration::unheldReferrerCardCreditsNothing()
{
    Fixture fx;
    fx.exec("update 引荐积分 set 引荐积分 = 10");
    addMember(fx, "R1", "李强", 5);
    Txinhuiyuan w;
    fillAll(w.form(), "C003");
    w.form()->referrerCardEdit()->setText("R9"); // typed, lookup never run
    w.form()->referrerNameEdit()->setText("某人");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"新增会员成功！"}));
    QCOMPARE(fx.count("会员卡信息", "会员卡号 = 'C003' and 引荐人卡号 = 'R9'"), 1);
    // No member holds R9: no points were added, so no journal row may claim any.
    QCOMPARE(fx.count("流水记录"), 0);
    QCOMPARE(fx.scalar("select sum(积分) from 会员卡信息").toDouble(), 5.0);
}

void TestRegistration::cardRefusals_data()
{
    QTest::addColumn<bool>("atSave");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    const QString lost = "此卡已经挂失，不能使用!", exists = "此卡号已经存在！";
    QTest::newRow("replaced away, leaving") << false << "OLD1" << "系统提示" << lost << int(MsgIcon::Question);
    QTest::newRow("replaced away, save") << true << "OLD1" << "系统提示" << lost << int(MsgIcon::Question);
    QTest::newRow("existing, leaving") << false << "NEW1" << "提示" << exists << int(MsgIcon::Error);
    QTest::newRow("existing, save") << true << "NEW1" << "提示" << exists << int(MsgIcon::Error);
}

void TestRegistration::cardRefusals()
{
    QFETCH(bool, atSave);
    QFETCH(QString, card);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, icon);
    Fixture fx;
    // OLD1 was replaced by NEW1: nobody holds OLD1 any more, and still it is refused.
    addMember(fx, "NEW1", "张三");
    fx.exec("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名) values ('OLD1', 'NEW1', '张三')");
    Txinhuiyuan w;
    ShowActive(w);
    fillAll(w.form(), QString());
    w.form()->cardEdit()->setFocus();
    TypeText(w.form()->cardEdit(), card);
    if (atSave) {
        w.saveButtonClick();
    } else {
        QTest::keyClick(w.form()->cardEdit(), Qt::Key_Tab);
        QTRY_COMPARE(fx.dialogs.messages.size(), 1);
    }
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, caption);
    QCOMPARE(fx.dialogs.lastText(), text);
    QCOMPARE(int(fx.dialogs.messages.first().icon), icon);
    QCOMPARE(fx.dialogs.messages.first().buttons, MsgButtons::Ok);
    QCOMPARE(w.form()->cardEdit()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), w.form()->cardEdit());
    QCOMPARE(fx.count("会员卡信息"), 1);
    QCOMPARE(w.form()->nameEdit()->text(), QString("王芳"));
}

void TestRegistration::emptyCardRefusedAtSave()
{
    Fixture fx;
    Txinhuiyuan w;
    ShowActive(w);
    // Leaving an empty field checks it, finds nothing to refuse, and says nothing.
    w.form()->cardEdit()->setFocus();
    QTest::keyClick(w.form()->cardEdit(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QVERIFY(fx.dialogs.messages.isEmpty());
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("系统提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("卡号不能为空!"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Question);
    QCOMPARE(fx.count("会员卡信息"), 0);
}

void TestRegistration::birthdayFromIdField()
{
    Fixture fx;
    Txinhuiyuan w;
    ShowActive(w);
    QDateEdit *birthday = w.form()->birthdayEdit();
    QLineEdit *id = w.form()->idEdit();
    const auto leaveWith = [&](const QString &text) {
        id->setFocus();
        ReplaceText(id, text);
        QTest::keyClick(id, Qt::Key_Tab);
        QCoreApplication::processEvents();
    };
    birthday->setDate(QDate(2001, 1, 1));
    leaveWith("11010119801231123X");
    QCOMPARE(birthday->date(), QDate(1980, 12, 31));
    leaveWith("110101800306123");
    QCOMPARE(birthday->date(), QDate(1980, 3, 6));
    leaveWith("12345");
    QCOMPARE(birthday->date(), QDate(1980, 3, 6));
    QVERIFY(fx.dialogs.messages.isEmpty());
    leaveWith("110101199013061234");
    QCOMPARE(birthday->date(), QDate(1980, 3, 6));
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QVERIFY2(fx.dialogs.lastText().contains("1990-13-06"), qPrintable(fx.dialogs.lastText()));
}

void TestRegistration::failedSaveRollsBackAndKeepsFields()
{
    Fixture fx;
    fx.exec("update 引荐积分 set 引荐积分 = 10");
    addMember(fx, "R1", "李强", 5);
    // The last step of the save fails: everything before it must go too.
    fx.exec("create trigger journal_full before insert on 流水记录 "
            "begin select raise(abort, '磁盘空间不足'); end");
    Txinhuiyuan w;
    fillAll(w.form(), "C004");
    w.form()->referrerCardEdit()->setText("R1");
    w.form()->referrerNameEdit()->setText("李强");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.lastText(), QString("磁盘空间不足"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::None);
    QCOMPARE(fx.count("会员卡信息"), 1);
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = 'R1'").toDouble(), 5.0);
    QCOMPARE(w.form()->cardEdit()->text(), QString("C004"));
    QCOMPARE(w.form()->nameEdit()->text(), QString("王芳"));
    QCOMPARE(w.form()->referrerCardEdit()->text(), QString("R1"));
    QCOMPARE(w.form()->birthdayEdit()->date(), QDate(1990, 3, 6));

    fx.exec("drop trigger journal_full");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.lastText(), QString("新增会员成功！"));
    QCOMPARE(fx.count("流水记录"), 1);
}

void TestRegistration::emptyCategoryTable()
{
    Fixture fx;
    Txinhuiyuan w;
    QCOMPARE(w.form()->categoryBox()->count(), 0);
    w.form()->cardEdit()->setText("C005");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.lastText(), QString("新增会员成功！"));
    QCOMPARE(fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = 'C005'").toString(), QString());
    QCOMPARE(fx.scalar("select 性别 from 会员卡信息 where 会员卡号 = 'C005'").toString(), QString("男"));
}

void TestRegistration::textsStoredAsTyped()
{
    Fixture fx;
    Txinhuiyuan w;
    const QStringList cards{" A'1 ", "x\"; drop table 会员卡信息;--", QString(200, 'C'), "卡😀𠀀"};
    for (const QString &card : cards) {
        w.form()->cardEdit()->setText(card);
        w.form()->nameEdit()->setText(card + "名");
        w.form()->addressEdit()->setText(QString(200, QChar(0x8DEF)));
        w.saveButton()->click();
        QCOMPARE(fx.dialogs.lastText(), QString("新增会员成功！"));
        QCOMPARE(fx.scalar("select 会员姓名 from 会员卡信息 where 会员卡号 = ?", {card}).toString(),
                 card + "名");
    }
    QCOMPARE(fx.count("会员卡信息"), 4);
    // Blanks count: " A'1 " is held, "A'1" is not.
    w.form()->cardEdit()->setText("A'1");
    QVERIFY(w.cardEditExit());
    w.form()->cardEdit()->setText(" A'1 ");
    QVERIFY(!w.cardEditExit());
}

void TestRegistration::enterChain()
{
    Fixture fx;
    fx.exec("insert into 卡类别 (卡类别) values ('普通卡')");
    Txinhuiyuan w;
    ShowActive(w);
    const QList<QWidget *> inputs = w.form()->inputs();
    inputs.first()->setFocus();
    for (int i = 1; i < inputs.size() - 1; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(inputs.at(i)->hasFocus(), qPrintable(inputs.at(i)->objectName()));
    }
    // Enter in the referrer card looks the card up instead (nothing typed: refused).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(fx.dialogs.lastText(), QString("引荐人卡号不存在！"));
    w.form()->referrerNameEdit()->setFocus();
    QTest::keyClick(w.form()->referrerNameEdit(), Qt::Key_Return);
    QVERIFY(w.saveButton()->hasFocus());
    QCOMPARE(w.form()->categoryBox()->count(), 1); // Enter never adds typed text to a list
    QCOMPARE(fx.count("会员卡信息"), 0);
}

void TestRegistration::editButtonOpensEditDialog()
{
    Fixture fx;
    Txinhuiyuan w;
    w.form()->nameEdit()->setText("保留");
    QPointer<QDialog> shown;
    QString title;
    bool isEditDialog = false;
    Txinhuiyuan::modalRunner() = [&](QDialog *d) {
        shown = d;
        title = d->windowTitle();
        isEditDialog = qobject_cast<Txiugai *>(d) != nullptr;
        return int(QDialog::Rejected);
    };
    w.editButton()->click();
    Txinhuiyuan::modalRunner() = [](QDialog *d) { return d->exec(); };
    QVERIFY(isEditDialog);
    QCOMPARE(title, QString("修改会员信息"));
    QVERIFY(!shown); // destroyed when it closes
    QCOMPARE(w.form()->nameEdit()->text(), QString("保留"));
}

void TestRegistration::menuAndToolbarOpenWindows()
{
    Fixture fx;
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    const QList<QPair<QString, QString>> items{{"会员卡类别设置", "Tleibie"},
                                               {"引荐人增加积分设置", "Tyinjianjifen"},
                                               {"新增修改会员信息", "Txinhuiyuan"}};
    for (const auto &[item, windowClass] : items) {
        QVERIFY(main.issueMenuCommand(item));
        QMdiSubWindow *sub = main.clientArea()->activeSubWindow();
        QVERIFY(sub);
        QCOMPARE(sub->widget()->metaObject()->className(), windowClass.toLatin1());
        QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint) || windowClass == "Txinhuiyuan");
    }
    main.clientArea()->closeAllSubWindows();
    QCoreApplication::processEvents();
    main.toolButton("会员管理")->click();
    QVERIFY(main.clientArea()->activeSubWindow());
    QCOMPARE(main.clientArea()->activeSubWindow()->windowTitle(), QString("新增/修改会员信息"));
    QVERIFY(qobject_cast<Txinhuiyuan *>(main.clientArea()->activeSubWindow()->widget()));
}

HYJF_TEST_MAIN(TestRegistration)
#include "tst_registration.moc"
