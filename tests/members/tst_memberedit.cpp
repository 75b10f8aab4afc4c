#include "common/apptexts.h"
#include "common/clock.h"
#include "data/sql.h"
#include "members/memberform.h"
#include "members/xinhuiyuanfrm.h"
#include "members/xiugaifrm.h"
#include "support/fixture.h"
#include "support/testmain.h"
#include "typing.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

void addMember(Fixture &fx, const QString &card, const QString &name, double points = 0,
               const QString &birthday = "1985-07-20")
{
    fx.exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 会员生日, 生日, 地址, "
            "固定电话, 手机, 引荐人卡号, 引荐人姓名, 起用日期, 积分) "
            "values (?, '金卡', ?, '女', '110101198507201234', ?, '7-20', '花园街8号', '0571-1', "
            "'13800000000', 'R1', '李强', '2020-05-01', ?)",
            {card, name, birthday, points});
}

QString memberRow(const QString &card)
{
    QSqlQuery q = Sql::exec("select * from 会员卡信息 where 会员卡号 = ?", {card});
    if (!q.next())
        return "missing";
    QStringList cells;
    for (int i = 0; i < q.record().count(); ++i)
        cells << (q.value(i).isNull() ? QString("null") : Sql::text(q.value(i)));
    return cells.join('|');
}

const QString storedRow = "M1|金卡|赵敏|女|110101198507201234|1985-07-20|7-20|花园街8号|0571-1|"
                          "13800000000|R1|李强|2020-05-01|12.5|0";

void load(Txiugai &d, const QString &card)
{
    d.form()->cardEdit()->setFocus();
    ReplaceText(d.form()->cardEdit(), card);
    QTest::keyClick(d.form()->cardEdit(), Qt::Key_Return);
}

void expectUnloaded(Txiugai &d)
{
    QVERIFY(!d.isLoaded());
    QVERIFY(!d.form()->cardEdit()->isReadOnly());
    QVERIFY(!d.saveButton()->isEnabled());
    QVERIFY(!d.deleteButton()->isEnabled());
}

} // namespace

class TestMemberEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensEmpty();
    void loadRefusals_data();
    void loadRefusals();
    void loadFillsAndLocks();
    void birthdayOnlyChange();
    void changedReferrerMovesNoPoints();
    void failedSaveRollsBack();
    void saveOfVanishedMemberFails();
    void deleteAskedKeepsHistoryFreesNumber();
    void unreadableStoredDate();
    void enterChain();
};

void TestMemberEdit::opensEmpty()
{
    Fixture fx;
    fx.exec("insert into 卡类别 (卡类别) values ('银卡'), ('金卡')");
    Txiugai d;
    QCOMPARE(d.windowTitle(), QString("修改会员信息"));
    QCOMPARE(d.form()->categoryBox()->currentText(), QString("银卡"));
    QCOMPARE(d.form()->sexBox()->currentText(), QString("男"));
    QCOMPARE(d.form()->birthdayEdit()->date(), Clock::today());
    QCOMPARE(d.form()->startDateEdit()->date(), Clock::today());
    expectUnloaded(d);
}

void TestMemberEdit::loadRefusals_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::newRow("replaced away") << "OLD1" << "系统提示" << "此卡已经挂失，不能使用！" << int(MsgIcon::Question);
    QTest::newRow("unknown") << "NONE" << "提示！" << "此卡号不存在！" << int(MsgIcon::Error);
    QTest::newRow("verbally lost") << "LOST" << "系统提示" << "此卡已经口头挂失，不能使用!" << int(MsgIcon::Question);
}

void TestMemberEdit::loadRefusals()
{
    QFETCH(QString, card);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, icon);
    Fixture fx;
    addMember(fx, "LOST", "丢卡人");
    fx.exec("update 会员卡信息 set 口头挂失标志 = 1 where 会员卡号 = 'LOST'");
    fx.exec("insert into 挂失记录 (旧卡号, 新卡号) values ('OLD1', 'NEW1')");
    addMember(fx, "OLD1", "旧卡残留"); // even a member row under the old number stays closed
    Txiugai d;
    ShowActive(d);
    load(d, card);
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, caption);
    QCOMPARE(fx.dialogs.lastText(), text);
    QCOMPARE(int(fx.dialogs.messages.first().icon), icon);
    expectUnloaded(d);
    QCOMPARE(d.form()->nameEdit()->text(), QString());
}

void TestMemberEdit::loadFillsAndLocks()
{
    Fixture fx;
    fx.exec("insert into 卡类别 (卡类别) values ('银卡')");
    addMember(fx, "M1", "赵敏", 12.5);
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    QVERIFY(fx.dialogs.messages.isEmpty());
    QVERIFY(d.isLoaded());
    QVERIFY(d.form()->cardEdit()->isReadOnly());
    QVERIFY(d.saveButton()->isEnabled());
    QVERIFY(d.deleteButton()->isEnabled());
    QVERIFY(d.form()->categoryBox()->hasFocus());
    MemberForm *f = d.form();
    QCOMPARE(f->categoryBox()->currentText(), QString("金卡")); // not in the list, shown as stored
    QCOMPARE(f->nameEdit()->text(), QString("赵敏"));
    QCOMPARE(f->sexBox()->currentText(), QString("女"));
    QCOMPARE(f->idEdit()->text(), QString("110101198507201234"));
    QCOMPARE(f->birthdayEdit()->date(), QDate(1985, 7, 20));
    QCOMPARE(f->addressEdit()->text(), QString("花园街8号"));
    QCOMPARE(f->phoneEdit()->text(), QString("0571-1"));
    QCOMPARE(f->mobileEdit()->text(), QString("13800000000"));
    QCOMPARE(f->startDateEdit()->date(), QDate(2020, 5, 1));
    QCOMPARE(f->referrerCardEdit()->text(), QString("R1"));
    QCOMPARE(f->referrerNameEdit()->text(), QString("李强"));
    // The locked number cannot be typed over, and Enter there loads nothing again.
    f->nameEdit()->setText("改过");
    f->cardEdit()->setFocus();
    TypeText(f->cardEdit(), "X");
    QTest::keyClick(f->cardEdit(), Qt::Key_Return);
    QCOMPARE(f->cardEdit()->text(), QString("M1"));
    QCOMPARE(f->nameEdit()->text(), QString("改过"));
}

void TestMemberEdit::birthdayOnlyChange()
{
    Fixture fx;
    addMember(fx, "M1", "赵敏", 12.5);
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    d.form()->birthdayEdit()->setDate(QDate(1986, 3, 6));
    d.saveButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("修改成功！"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    QString expected = storedRow;
    expected.replace("1985-07-20|7-20", "1986-03-06|3-6");
    QCOMPARE(memberRow("M1"), expected);
    expectUnloaded(d);
    QCOMPARE(d.form()->nameEdit()->text(), QString());
    QCOMPARE(d.form()->birthdayEdit()->date(), Clock::today());
    QCOMPARE(d.form()->categoryBox()->currentText(), QString("金卡")); // the lists keep their text
    QCOMPARE(d.form()->sexBox()->currentText(), QString("女"));
}

void TestMemberEdit::changedReferrerMovesNoPoints()
{
    Fixture fx;
    fx.exec("update 引荐积分 set 引荐积分 = 10");
    addMember(fx, "M1", "赵敏", 12.5);
    addMember(fx, "R2", "新引荐人", 3);
    fx.exec("insert into 团队 values ('M1', '旧名', 'R1', '李强'), ('M2', '别人', 'R1', '李强')");
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    d.form()->nameEdit()->setText("赵敏'改");
    d.form()->referrerCardEdit()->setText("R2");
    d.form()->referrerNameEdit()->setText("新引荐人");
    d.saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"修改成功！"}));
    QCOMPARE(fx.scalar("select 引荐人卡号 || '|' || 引荐人姓名 || '|' || 会员姓名 from 会员卡信息 "
                       "where 会员卡号 = 'M1'")
                 .toString(),
             QString("R2|新引荐人|赵敏'改"));
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = 'M1'").toDouble(), 12.5);
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = 'R2'").toDouble(), 3.0);
    QCOMPARE(fx.count("流水记录"), 0);
    QCOMPARE(fx.scalar("select 团队成员姓名 || '|' || 卡号 || '|' || 姓名 from 团队 "
                       "where 团队成员卡号 = 'M1'")
                 .toString(),
             QString("赵敏'改|R2|新引荐人"));
    QCOMPARE(fx.scalar("select 团队成员姓名 || '|' || 卡号 from 团队 where 团队成员卡号 = 'M2'").toString(),
             QString("别人|R1"));
}

void TestMemberEdit::failedSaveRollsBack()
{
    Fixture fx;
    addMember(fx, "M1", "赵敏", 12.5);
    fx.exec("drop table 团队");
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    d.form()->nameEdit()->setText("新名字");
    d.form()->birthdayEdit()->setDate(QDate(1990, 1, 2));
    d.saveButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::None);
    QVERIFY2(fx.dialogs.lastText().contains("团队"), qPrintable(fx.dialogs.lastText()));
    QCOMPARE(memberRow("M1"), storedRow);
    // Still loaded with what was typed.
    QVERIFY(d.isLoaded());
    QCOMPARE(d.form()->nameEdit()->text(), QString("新名字"));
    QCOMPARE(d.form()->birthdayEdit()->date(), QDate(1990, 1, 2));
}

void TestMemberEdit::saveOfVanishedMemberFails()
{
    Fixture fx;
    addMember(fx, "M1", "赵敏");
    fx.exec("insert into 团队 values ('M1', '赵敏', 'R1', '李强')");
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    fx.exec("delete from 会员卡信息"); // gone behind the dialog's back
    d.form()->nameEdit()->setText("新名字");
    d.saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"此卡号不存在！"}));
    QCOMPARE(fx.dialogs.messages.first().caption, AppTexts::ApplicationTitle);
    QVERIFY(d.isLoaded());
    QCOMPARE(fx.count("会员卡信息"), 0);
    QCOMPARE(fx.scalar("select 团队成员姓名 from 团队").toString(), QString("赵敏"));
}

void TestMemberEdit::deleteAskedKeepsHistoryFreesNumber()
{
    Fixture fx;
    addMember(fx, "M1", "赵敏", 12.5);
    fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000001', 'M1', 12.5, '购物消费')");
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    fx.dialogs.answers.enqueue(MsgResult::Cancel);
    d.deleteButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("确实要删除该会员？该操作不可恢复！请谨慎操作！"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Question);
    QCOMPARE(fx.dialogs.messages.first().buttons, MsgButtons::OkCancel);
    QVERIFY(d.isLoaded());
    QCOMPARE(memberRow("M1"), storedRow);

    d.deleteButton()->click();
    QCOMPARE(fx.dialogs.lastText(), QString("删除成功！"));
    QCOMPARE(fx.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(memberRow("M1"), QString("missing"));
    QCOMPARE(fx.count("流水记录", "会员卡号 = 'M1'"), 1);
    expectUnloaded(d);
    QCOMPARE(d.form()->nameEdit()->text(), QString("赵敏")); // shown until the next load

    // Only old cards and existing members block a number: M1 can be registered again.
    Txinhuiyuan w;
    w.form()->cardEdit()->setText("M1");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.lastText(), QString("新增会员成功！"));
    QCOMPARE(fx.count("会员卡信息", "会员卡号 = 'M1'"), 1);
}

void TestMemberEdit::unreadableStoredDate()
{
    Fixture fx;
    addMember(fx, "M1", "赵敏", 0, "20/07/1985");
    Txiugai d;
    ShowActive(d);
    load(d, "M1");
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QVERIFY(fx.dialogs.lastText().contains("20/07/1985"));
    expectUnloaded(d);
    QCOMPARE(d.form()->nameEdit()->text(), QString("赵敏")); // partly shown
    QCOMPARE(d.form()->addressEdit()->text(), QString());
}

void TestMemberEdit::enterChain()
{
    Fixture fx;
    addMember(fx, "M1", "赵敏");
    Txiugai d;
    ShowActive(d);
    // Not loaded: Enter in the last field goes nowhere.
    d.form()->referrerNameEdit()->setFocus();
    QTest::keyClick(d.form()->referrerNameEdit(), Qt::Key_Return);
    QVERIFY(d.form()->referrerNameEdit()->hasFocus());

    load(d, "M1");
    const QList<QWidget *> inputs = d.form()->inputs();
    for (int i = 2; i < inputs.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(inputs.at(i)->hasFocus(), qPrintable(inputs.at(i)->objectName()));
    }
    QVERIFY(fx.dialogs.messages.isEmpty()); // no referrer lookup here
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(d.saveButton()->hasFocus());
    QVERIFY(d.isLoaded()); // Enter never presses a button by itself
}

HYJF_TEST_MAIN(TestMemberEdit)
#include "tst_memberedit.moc"
