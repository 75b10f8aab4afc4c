#include "common/apptexts.h"
#include "data/sql.h"
#include "members/categorymodel.h"
#include "members/leibiefrm.h"
#include "members/yinjianjifenfrm.h"
#include "support/fixture.h"
#include "support/testmain.h"
#include "typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>

namespace {

void addCategory(Fixture &fx, const QString &name, const QVariant &discount, const QVariant &ratio,
                 const QVariant &threshold = {}, int gift = 1, int cash = 0)
{
    fx.exec("insert into 卡类别 (卡类别, 折扣, 积分比例, 自动变卡下限, 允许兑换礼品, 允许返现金) "
            "values (?, ?, ?, ?, ?, ?)",
            {name, discount, ratio, threshold, gift, cash});
}

// One category row as text, column by column, NULL shown as "null".
QString categoryRow(const QString &name)
{
    QSqlQuery q = Sql::exec("select 卡类别, 折扣, 积分比例, 自动变卡下限, 允许兑换礼品, 允许返现金 "
                            "from 卡类别 where 卡类别 = ?",
                            {name});
    if (!q.next())
        return "missing";
    QStringList cells;
    for (int i = 0; i < 6; ++i)
        cells << (q.value(i).isNull() ? QString("null") : Sql::text(q.value(i)));
    return cells.join('|');
}

QStringList categoryNames()
{
    // All columns, so the rows come in table order rather than from the name index.
    QSqlQuery q = Sql::exec("select * from 卡类别");
    QStringList names;
    while (q.next())
        names << q.value("卡类别").toString();
    return names;
}

} // namespace

class TestCategories : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensWithSwitchListAndNote_data();
    void opensWithSwitchListAndNote();
    void switchStoresEveryRow();
    void switchOnEmptyTable();
    void addThroughWindow_data();
    void addThroughWindow();
    void editAndEmptyNumberIsNull();
    void cancelDiscardsAndDisablesSave();
    void refusedSaveStaysPending_data();
    void refusedSaveStaysPending();
    void deleteAskedAndDone();
    void deletePendingNewRowTouchesNoStoredRow();
    void deleteOnEmptyList();
    void gridRowShowsInFields();
    void enterChain_data();
    void enterChain();
    void textsStoredAsTyped();

    void referralKeys_data();
    void referralKeys();
    void referralFieldFilter();
    void referralStored();
    void referralEmptyRefused();
};

void TestCategories::opensWithSwitchListAndNote_data()
{
    QTest::addColumn<QStringList>("switchRows");
    QTest::addColumn<bool>("on");
    QTest::newRow("是") << QStringList{"是"} << true;
    QTest::newRow("否") << QStringList{"否"} << false;
    QTest::newRow("other text") << QStringList{"yes"} << false;
    QTest::newRow("no row") << QStringList{} << false;
}

void TestCategories::opensWithSwitchListAndNote()
{
    QFETCH(QStringList, switchRows);
    QFETCH(bool, on);
    Fixture fx;
    fx.exec("delete from 自动变卡");
    for (const QString &r : switchRows)
        fx.exec("insert into 自动变卡 (自动变卡) values (?)", {r});
    addCategory(fx, "银卡", 95, 10, 1000);
    addCategory(fx, "普通卡", 100, 0.5, 0, 0, 1);

    Tleibie w;
    QCOMPARE(w.childPosition(), QPoint(90, 0));
    QCOMPARE(w.childSize(), QSize(824, 430));
    QCOMPARE(w.autoChangeRadio()->isChecked(), on);
    QCOMPARE(w.manualChangeRadio()->isChecked(), !on);
    QCOMPARE(w.thresholdEdit()->isEnabled(), on);
    QVERIFY(!w.saveButton()->isEnabled());

    // Table order, first row in the fields.
    QCOMPARE(w.ADOQuery4()->rowCount(), 2);
    QCOMPARE(w.nameEdit()->text(), QString("银卡"));
    QCOMPARE(w.ratioEdit()->text(), QString("10"));
    QCOMPARE(w.discountEdit()->text(), QString("95"));
    QCOMPARE(w.thresholdEdit()->text(), QString("1000"));
    QVERIFY(w.giftCheck()->isChecked());
    QVERIFY(!w.cashCheck()->isChecked());

    // The grid: five columns in this order and width, no threshold, read-only.
    QTableView *grid = w.categoryGrid();
    QHeaderView *header = grid->horizontalHeader();
    QStringList titles;
    QList<int> widths;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (grid->isColumnHidden(logical))
            continue;
        titles << w.ADOQuery4()->headerData(logical, Qt::Horizontal).toString();
        widths << grid->columnWidth(logical);
    }
    QCOMPARE(titles, QStringList({"卡类别", "积分比例", "允许兑换礼品", "允许返现金", "折扣"}));
    QCOMPARE(widths, QList<int>({85, 85, 80, 80, 40}));
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    const QModelIndex ratio = w.ADOQuery4()->index(1, w.ADOQuery4()->ratioColumn());
    QCOMPARE(ratio.data().toString(), QString("0.5"));
    QCOMPARE(ratio.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(w.ADOQuery4()->index(1, w.ADOQuery4()->cashColumn()).data().toString(), QString("是"));

    const auto *note = w.findChild<QLabel *>("noteLabel");
    QVERIFY(note);
    const QStringList lines = note->text().split('\n');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.first(), QString("   说明："));
    QCOMPARE(lines.at(4), QString("7.5折就填75，如果没有折扣就填100；   "));
    QCOMPARE(lines.last(), QString("当前的类别（设置了“卡类别根据积分自动改变”的前提下）。"));
}

void TestCategories::switchStoresEveryRow()
{
    Fixture fx;
    fx.exec("insert into 自动变卡 (自动变卡) values ('否')");
    Tleibie w;
    QVERIFY(!w.thresholdEdit()->isEnabled());
    w.autoChangeRadio()->setChecked(true);
    QVERIFY(!w.thresholdEdit()->isEnabled()); // only the confirmation changes it
    w.switchConfirmButton()->click();
    QCOMPARE(fx.count("自动变卡", "自动变卡 = '是'"), 2);
    QCOMPARE(fx.count("自动变卡"), 2);
    QVERIFY(w.thresholdEdit()->isEnabled());
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.last().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("修改成功！"));
    QCOMPARE(fx.dialogs.messages.last().icon, MsgIcon::Information);

    w.manualChangeRadio()->setChecked(true);
    w.switchConfirmButton()->click();
    QCOMPARE(fx.count("自动变卡", "自动变卡 = '否'"), 2);
    QVERIFY(!w.thresholdEdit()->isEnabled());
}

void TestCategories::switchOnEmptyTable()
{
    Fixture fx;
    fx.exec("delete from 自动变卡");
    Tleibie w;
    QVERIFY(w.manualChangeRadio()->isChecked());
    w.autoChangeRadio()->setChecked(true);
    w.switchConfirmButton()->click();
    QCOMPARE(fx.dialogs.lastText(), QString("修改成功！"));
    QCOMPARE(fx.count("自动变卡"), 0);
    Tleibie again;
    QVERIFY(again.manualChangeRadio()->isChecked());
}

void TestCategories::addThroughWindow_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<QString>("stored");
    QTest::newRow("switch on") << true << "金卡|80|12.5|5000|1|0";
    // With the switch off the threshold cannot be typed, so the category has none.
    QTest::newRow("switch off") << false << "金卡|80|12.5|null|1|0";
}

void TestCategories::addThroughWindow()
{
    QFETCH(bool, switchOn);
    QFETCH(QString, stored);
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = ?", {switchOn ? "是" : "否"});
    addCategory(fx, "普通卡", 100, 10, 0);
    Tleibie w;
    ShowActive(w);
    QVERIFY(w.nameEdit()->isReadOnly());

    w.newButton()->click();
    QVERIFY(w.saveButton()->isEnabled());
    QVERIFY(w.isPending());
    QCOMPARE(w.nameEdit()->text(), QString());
    QVERIFY(!w.nameEdit()->isReadOnly());
    ReplaceText(w.nameEdit(), "金卡");
    ReplaceText(w.ratioEdit(), "12.5");
    w.giftCheck()->setChecked(true);
    ReplaceText(w.discountEdit(), "80");
    if (w.thresholdEdit()->isEnabled())
        ReplaceText(w.thresholdEdit(), "5000");
    QCOMPARE(fx.count("卡类别"), 1); // nothing stored before "保存"

    w.saveButton()->click();
    QVERIFY(fx.dialogs.messages.isEmpty());
    QCOMPARE(categoryRow("金卡"), stored);
    QVERIFY(!w.saveButton()->isEnabled());
    QVERIFY(!w.isPending());
    QCOMPARE(w.ADOQuery4()->rowCount(), 2);
    QCOMPARE(w.nameEdit()->text(), QString("金卡"));
    QCOMPARE(categoryRow("普通卡"), QString("普通卡|100|10|0|1|0"));
}

void TestCategories::editAndEmptyNumberIsNull()
{
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = '是'");
    addCategory(fx, "普通卡", 100, 10, 0);
    addCategory(fx, "银卡", 95, 10, 1000, 1, 1);
    Tleibie w;
    ShowActive(w);
    w.categoryGrid()->selectRow(1);
    QCOMPARE(w.nameEdit()->text(), QString("银卡"));
    w.editButton()->click();
    QVERIFY(w.saveButton()->isEnabled());
    ReplaceText(w.nameEdit(), "银卡'贵宾");
    ReplaceText(w.ratioEdit(), "0.3");
    w.discountEdit()->clear();
    ReplaceText(w.thresholdEdit(), " ");
    w.cashCheck()->setChecked(false);
    w.saveButton()->click();
    QVERIFY2(fx.dialogs.messages.isEmpty(), qPrintable(fx.dialogs.texts().join(' ')));
    QCOMPARE(categoryRow("银卡'贵宾"), QString("银卡'贵宾|null|0.3|null|1|0"));
    QCOMPARE(categoryRow("银卡"), QString("missing"));
    QCOMPARE(categoryRow("普通卡"), QString("普通卡|100|10|0|1|0"));
    QCOMPARE(w.nameEdit()->text(), QString("银卡'贵宾"));
    QCOMPARE(w.discountEdit()->text(), QString());
    QVERIFY(!w.saveButton()->isEnabled());
}

void TestCategories::cancelDiscardsAndDisablesSave()
{
    Fixture fx;
    addCategory(fx, "普通卡", 100, 10, 0);
    addCategory(fx, "银卡", 95, 10, 1000);
    Tleibie w;
    ShowActive(w);
    w.categoryGrid()->selectRow(1);

    w.newButton()->click();
    ReplaceText(w.nameEdit(), "金卡");
    w.cancelButton()->click();
    QVERIFY(!w.saveButton()->isEnabled());
    QVERIFY(!w.isPending());
    QCOMPARE(w.ADOQuery4()->rowCount(), 2);
    QCOMPARE(w.nameEdit()->text(), QString("银卡"));
    QCOMPARE(categoryNames(), QStringList({"普通卡", "银卡"}));

    w.editButton()->click();
    ReplaceText(w.ratioEdit(), "99");
    w.cancelButton()->click();
    QVERIFY(!w.saveButton()->isEnabled());
    QCOMPARE(w.ratioEdit()->text(), QString("10"));
    QCOMPARE(categoryRow("银卡"), QString("银卡|95|10|1000|1|0"));
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestCategories::refusedSaveStaysPending_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("discount");
    QTest::addColumn<QString>("explains");
    QTest::newRow("letter in ratio") << "金卡" << "1o" << "90" << "“积分比例”只能填写数字";
    QTest::newRow("letter in discount") << "金卡" << "10" << "八十" << "“消费折扣率”只能填写数字";
    QTest::newRow("duplicate name") << "普通卡" << "10" << "90" << "“卡类别”已经存在";
}

void TestCategories::refusedSaveStaysPending()
{
    QFETCH(QString, name);
    QFETCH(QString, ratio);
    QFETCH(QString, discount);
    QFETCH(QString, explains);
    Fixture fx;
    addCategory(fx, "普通卡", 100, 10, 0);
    Tleibie w;
    ShowActive(w);
    w.newButton()->click();
    ReplaceText(w.nameEdit(), name);
    ReplaceText(w.ratioEdit(), ratio);
    ReplaceText(w.discountEdit(), discount);
    w.saveButton()->click();

    QCOMPARE(fx.dialogs.messages.size(), 1);
    const ScriptedDialogs::Message m = fx.dialogs.messages.first();
    QCOMPARE(m.caption, AppTexts::ApplicationTitle);
    QCOMPARE(m.icon, MsgIcon::Error);
    QVERIFY2(m.text.startsWith(explains), qPrintable(m.text));
    QCOMPARE(categoryNames(), QStringList({"普通卡"}));
    // Still pending with what was typed: correct it and save again.
    QVERIFY(w.isPending());
    QVERIFY(w.saveButton()->isEnabled());
    QCOMPARE(w.nameEdit()->text(), name);
    ReplaceText(w.nameEdit(), "金卡");
    ReplaceText(w.ratioEdit(), "8");
    ReplaceText(w.discountEdit(), "90");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(categoryRow("金卡"), QString("金卡|90|8|null|0|0"));
    QVERIFY(!w.isPending());

    // A refused edit of a stored row can be cancelled back to what is stored.
    w.editButton()->click();
    ReplaceText(w.ratioEdit(), "x");
    w.saveButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 2);
    w.cancelButton()->click();
    QCOMPARE(w.ratioEdit()->text(), QString("8"));
    QCOMPARE(categoryRow("金卡"), QString("金卡|90|8|null|0|0"));
}

void TestCategories::deleteAskedAndDone()
{
    Fixture fx;
    addCategory(fx, "普通卡", 100, 10, 0);
    addCategory(fx, "银卡", 95, 10, 1000);
    fx.exec("insert into 会员卡信息 (会员卡号, 卡类别) values ('A1', '银卡')");
    Tleibie w;
    w.categoryGrid()->selectRow(1);

    fx.dialogs.answers.enqueue(MsgResult::Cancel);
    w.deleteButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    const ScriptedDialogs::Message ask = fx.dialogs.messages.first();
    QCOMPARE(ask.caption, QString("删除提示"));
    QCOMPARE(ask.text, QString("确实删除当前会员类别？该操作不可恢复！"));
    QCOMPARE(ask.icon, MsgIcon::Question);
    QCOMPARE(ask.buttons, MsgButtons::OkCancel);
    QCOMPARE(categoryNames(), QStringList({"普通卡", "银卡"}));

    w.deleteButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 3);
    QCOMPARE(fx.dialogs.messages.last().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("删除当前会员类别成功！"));
    QCOMPARE(fx.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(categoryNames(), QStringList({"普通卡"}));
    QCOMPARE(w.ADOQuery4()->rowCount(), 1);
    QCOMPARE(w.nameEdit()->text(), QString("普通卡"));
    // Members keep the text of a deleted category.
    QCOMPARE(fx.scalar("select 卡类别 from 会员卡信息").toString(), QString("银卡"));
}

void TestCategories::deletePendingNewRowTouchesNoStoredRow()
{
    Fixture fx;
    addCategory(fx, "普通卡", 100, 10, 0);
    Tleibie w;
    w.newButton()->click();
    w.nameEdit()->setText("金卡");
    w.deleteButton()->click();
    QCOMPARE(fx.dialogs.texts(),
             QStringList({"确实删除当前会员类别？该操作不可恢复！", "删除当前会员类别成功！"}));
    QCOMPARE(categoryNames(), QStringList({"普通卡"}));
    QVERIFY(!w.isPending());
    QVERIFY(!w.saveButton()->isEnabled());
    QCOMPARE(w.nameEdit()->text(), QString("普通卡"));
}

void TestCategories::deleteOnEmptyList()
{
    Fixture fx;
    Tleibie w;
    QCOMPARE(w.nameEdit()->text(), QString());
    w.deleteButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 2);
    QCOMPARE(fx.dialogs.messages.last().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.messages.last().icon, MsgIcon::Error);

    // On an empty list "修改" has nothing to edit and starts a new row.
    w.editButton()->click();
    QVERIFY(w.isPending());
    w.nameEdit()->setText("普通卡");
    QVERIFY(w.saveButtonClick());
    QCOMPARE(categoryRow("普通卡"), QString("普通卡|null|null|null|0|0"));
}

void TestCategories::gridRowShowsInFields()
{
    Fixture fx;
    addCategory(fx, "普通卡", 100, 10, 0);
    addCategory(fx, "银卡", 95, 0.1 + 0.2, 1000, 0, 1);
    Tleibie w;
    w.categoryGrid()->selectRow(1);
    QCOMPARE(w.nameEdit()->text(), QString("银卡"));
    QCOMPARE(w.ratioEdit()->text(), QString("0.3"));
    QVERIFY(!w.giftCheck()->isChecked());
    QVERIFY(w.cashCheck()->isChecked());
    // While a row is pending the list cannot move away from it.
    w.editButton()->click();
    QVERIFY(!w.categoryGrid()->isEnabled());
    w.cancelButton()->click();
    QVERIFY(w.categoryGrid()->isEnabled());
}

void TestCategories::enterChain_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::newRow("threshold enabled") << true;
    QTest::newRow("threshold disabled") << false;
}

void TestCategories::enterChain()
{
    QFETCH(bool, switchOn);
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = ?", {switchOn ? "是" : "否"});
    Tleibie w;
    ShowActive(w);
    w.newButton()->click();
    QCOMPARE(QApplication::focusWidget(), w.nameEdit());
    const QList<QWidget *> chain{w.ratioEdit(), w.giftCheck(), w.cashCheck(), w.discountEdit()};
    for (QWidget *next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(),
             switchOn ? static_cast<QWidget *>(w.thresholdEdit()) : w.discountEdit());
}

void TestCategories::textsStoredAsTyped()
{
    Fixture fx;
    Tleibie w;
    const QStringList names{"𠀀卡😀", " 金卡 ", "a'b\"c;--", QString(200, QChar(0x5361))};
    for (const QString &name : names) {
        w.newButton()->click();
        w.nameEdit()->setText(name);
        w.ratioEdit()->setText("10");
        QVERIFY(w.saveButtonClick());
    }
    QCOMPARE(categoryNames(), names);
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestCategories::referralKeys_data()
{
    QTest::addColumn<QChar>("c");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << QChar('0') << true;
    QTest::newRow("9") << QChar('9') << true;
    QTest::newRow("backspace") << QChar(8) << true;
    QTest::newRow("code 31") << QChar(31) << true;
    QTest::newRow("code 255") << QChar(255) << true;
    QTest::newRow("blank") << QChar(' ') << false;
    QTest::newRow("minus") << QChar('-') << false;
    QTest::newRow("point") << QChar('.') << false;
    QTest::newRow("letter") << QChar('a') << false;
    QTest::newRow("full-width digit") << QChar(0xFF11) << false;
    QTest::newRow("code 254") << QChar(254) << false;
}

void TestCategories::referralKeys()
{
    QFETCH(QChar, c);
    QFETCH(bool, accepted);
    QCOMPARE(ReferralKeyAccepted(c), accepted);
}

void TestCategories::referralFieldFilter()
{
    Fixture fx;
    Tyinjianjifen w;
    ShowActive(w);
    QLineEdit *edit = w.bonusEdit();
    QCOMPARE(edit->text(), QString("0"));
    edit->clear();
    TypeText(edit, "1a2-3.4 ５x");
    QCOMPARE(edit->text(), QString("1234"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString("123"));
    // Pasted text is sifted too.
    QApplication::clipboard()->setText("7e-5");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QString("12375"));
}

void TestCategories::referralStored()
{
    Fixture fx;
    fx.exec("update 引荐积分 set 引荐积分 = 15");
    auto *w = new Tyinjianjifen;
    QPointer<Tyinjianjifen> alive(w);
    w->show();
    QCOMPARE(w->childPosition(), QPoint(380, 0));
    QCOMPARE(w->childSize(), QSize(334, 157));
    QCOMPARE(w->bonusEdit()->text(), QString("15"));
    w->bonusEdit()->setText("0");
    w->confirmButton()->click();
    QCOMPARE(fx.scalar("select 引荐积分 from 引荐积分").toDouble(), 0.0);
    QCOMPARE(fx.scalar("select typeof(引荐积分) from 引荐积分").toString(), QString("real"));
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("修改成功！"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    QTRY_VERIFY(!alive);

    Tyinjianjifen again;
    again.bonusEdit()->setText("25");
    again.exitButton()->click();
    QCOMPARE(fx.scalar("select 引荐积分 from 引荐积分").toDouble(), 0.0);
}

void TestCategories::referralEmptyRefused()
{
    Fixture fx;
    fx.exec("update 引荐积分 set 引荐积分 = 15");
    Tyinjianjifen w;
    w.show();
    w.bonusEdit()->clear();
    w.confirmButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.lastText(), QString("请填写完整！"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QVERIFY(w.isVisible());
    QCOMPARE(fx.scalar("select 引荐积分 from 引荐积分").toDouble(), 15.0);

    // Code 255 passes the filter but is no number: the engine refuses it, nothing changes.
    w.bonusEdit()->setText(QString(QChar(255)));
    w.confirmButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 2);
    QCOMPARE(fx.dialogs.messages.last().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.messages.last().icon, MsgIcon::Error);
    QVERIFY(w.isVisible());
    QCOMPARE(fx.scalar("select 引荐积分 from 引荐积分").toDouble(), 15.0);
}

HYJF_TEST_MAIN(TestCategories)
#include "tst_categories.moc"
