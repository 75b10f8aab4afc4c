#include "common/session.h"
#include "data/sql.h"
#include "operators/caozuorenyuanfrm.h"
#include "operators/operatoreditor.h"
#include "operators/operatorstore.h"
#include "operators/permissionboxes.h"
#include "operators/xinzengcaozuorenyuanfrm.h"
#include "operators/xiugaicaozuoyuanfrm.h"
#include "support/committed.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

QStringList gridRows(Tcaozuorenyuan &w)
{
    QStringList rows;
    QTableWidget *grid = w.operatorGrid();
    for (int r = 0; r < grid->rowCount(); ++r)
        rows << grid->item(r, 0)->text() + QLatin1Char('/') + grid->item(r, 1)->text();
    return rows;
}

QList<int> checkedFlags(PermissionBoxes *boxes)
{
    QList<int> flags;
    for (int n = 1; n <= 23; ++n)
        if (boxes->checkBox(n)->isChecked())
            flags << n;
    return flags;
}

QList<int> storedFlags(const QString &code)
{
    QList<int> flags;
    const PermissionSet set = OperatorStore::permissionsOf(code);
    for (int n = 1; n <= 23; ++n)
        if (set[n - 1])
            flags << n;
    return flags;
}

QPoint cellCentre(QTableWidget *grid, int row, int column)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

void clickRow(QTableWidget *grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, 0));
}

void doubleClickRow(QTableWidget *grid, int row, int column = 0)
{
    // A real double click starts with the press that selects the row.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
}

void fill(OperatorEditor *e, const QString &code, const QString &name, const QString &password,
          const QString &repeat, const QList<int> &flags = {})
{
    e->codeEdit()->setText(code);
    e->nameEdit()->setText(name);
    e->passwordEdit()->setText(password);
    e->repeatEdit()->setText(repeat);
    for (int n : flags)
        e->permissions()->checkBox(n)->setChecked(true);
}

// 0002 with a password and three flags, 0003 without either.
void addTwoOperators(Fixture &fx)
{
    fx.exec("insert into 操作员 (操作员, 姓名, 密码, \"2\", \"9\", \"23\") values ('0002', '李四', 'pw2', 1, 1, 1)");
    fx.exec("insert into 操作员 (操作员, 姓名) values ('0003', '王五')");
}

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listShowsOperatorsAndFlags();
    void addRefusals_data();
    void addRefusals();
    void addSavesQuotedAndLongInput();
    void addErrorKeepsInput();
    void toggleAllFlags();
    void modifyRefusesCode0001_data();
    void modifyRefusesCode0001();
    void modifyDialogFilledAndReused();
    void modifyWithoutRetypedPassword();
    void modifyThroughTheList();
    void deleteAdministrator_data();
    void deleteAdministrator();
    void deleteOwnRowAndCancel();
    void listPicksUpOperatorsAddedElsewhere();
};

void TestOperators::listShowsOperatorsAndFlags()
{
    Fixture fx;
    addTwoOperators(fx);
    Tcaozuorenyuan w;
    w.show();
    QCOMPARE(gridRows(w), QStringList({"0001/系统管理员", "0002/李四", "0003/王五"}));
    QCOMPARE(w.operatorGrid()->currentRow(), 0);
    QCOMPARE(checkedFlags(w.permissions()).size(), 23);
    QCOMPARE(w.permissions()->checkBox(20)->text(), QString("积分手动清零"));

    clickRow(w.operatorGrid(), 1);
    QCOMPARE(checkedFlags(w.permissions()).size(), 23); // a click alone shows nothing new
    doubleClickRow(w.operatorGrid(), 1);
    QCOMPARE(checkedFlags(w.permissions()), QList<int>({2, 9, 23}));
    doubleClickRow(w.operatorGrid(), 2, 1);
    QCOMPARE(checkedFlags(w.permissions()), QList<int>());
    // Ticking boxes here writes nothing.
    w.permissions()->checkBox(1)->setChecked(true);
    QCOMPARE(storedFlags("0003"), QList<int>());
}

void TestOperators::addRefusals_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("repeat");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("fieldsAfter"); // code, name, password, repeat
    QTest::newRow("empty code") << "" << "a" << "a" << "编号不能为空！"
                                << QStringList({"", "赵六", "a", "a"});
    QTest::newRow("duplicate code keeps the rest")
        << "0002" << "a" << "b" << "此编号已经存在！" << QStringList({"", "赵六", "a", "b"});
    QTest::newRow("passwords differ") << "0009" << "abc" << "abC" << "两次密码不一致！"
                                      << QStringList({"0009", "赵六", "", ""});
    QTest::newRow("repeat missing") << "0009" << "abc" << "" << "两次密码不一致！"
                                    << QStringList({"0009", "赵六", "", ""});
}

void TestOperators::addRefusals()
{
    QFETCH(QString, code);
    QFETCH(QString, password);
    QFETCH(QString, repeat);
    QFETCH(QString, message);
    QFETCH(QStringList, fieldsAfter);
    Fixture fx;
    addTwoOperators(fx);
    Txinzengcaozuorenyuan w;
    w.show();
    OperatorEditor *e = w.editor();
    fill(e, code, "赵六", password, repeat, {4, 5});
    e->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({message}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("提示"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    QCOMPARE(QStringList({e->codeEdit()->text(), e->nameEdit()->text(), e->passwordEdit()->text(),
                          e->repeatEdit()->text()}),
             fieldsAfter);
    QCOMPARE(checkedFlags(e->permissions()), QList<int>({4, 5}));
    QCOMPARE(fx.count("操作员"), 3);
    QCOMPARE(OperatorStore::nameOf("0002"), QString("李四"));
}

void TestOperators::addSavesQuotedAndLongInput()
{
    Fixture fx;
    CommittedCountDialogs dialogs("select count(*) from 操作员");
    const QString code = "0'9\"; drop table 操作员; --";
    const QString name = QString(200, QChar(0x5f20));
    const QString password = QString(200, QLatin1Char('\'')) + "Pw";
    Txinzengcaozuorenyuan w;
    w.show();
    OperatorEditor *e = w.editor();
    fill(e, code, name, password, password, {1, 13, 23});
    e->saveButton()->click();
    QCOMPARE(dialogs.texts(), QStringList({"新增操作人员成功！"}));
    QCOMPARE(dialogs.messages[0].icon, MsgIcon::Information);
    QCOMPARE(dialogs.committedCounts, QList<int>({2})); // shown after the commit
    const std::optional<OperatorStore::Operator> op = OperatorStore::find(code);
    QVERIFY(op);
    QCOMPARE(op->name, name);
    QCOMPARE(op->password, password);
    QCOMPARE(storedFlags(code), QList<int>({1, 13, 23}));
    QCOMPARE(fx.scalar("select \"2\" from 操作员 where 操作员 = ?", {code}).toInt(), 0);
    // Ready for the next operator.
    QVERIFY(w.isVisible());
    for (QLineEdit *edit : {e->codeEdit(), e->nameEdit(), e->passwordEdit(), e->repeatEdit()})
        QVERIFY(edit->text().isEmpty());
    QCOMPARE(checkedFlags(e->permissions()), QList<int>());
    // An operator without name or password.
    fill(e, "0003", "", "", "");
    e->saveButton()->click();
    QCOMPARE(fx.count("操作员"), 3);
    QCOMPARE(fx.scalar("select 密码 from 操作员 where 操作员 = '0003'").toString(), QString(""));
}

void TestOperators::addErrorKeepsInput()
{
    Fixture fx;
    fx.exec("create trigger refuse before insert on 操作员 begin select raise(abort, '磁盘已满'); end");
    Txinzengcaozuorenyuan w;
    w.show();
    fill(w.editor(), "0005", "钱七", "x", "x", {3});
    w.editor()->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"磁盘已满"}));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::None);
    QCOMPARE(w.editor()->codeEdit()->text(), QString("0005"));
    QCOMPARE(w.editor()->passwordEdit()->text(), QString("x"));
    QCOMPARE(checkedFlags(w.editor()->permissions()), QList<int>({3}));
    QCOMPARE(fx.count("操作员"), 1);
    // Nothing is left open: the next statement runs in a transaction of its own.
    fx.exec("drop trigger refuse");
    w.editor()->saveButton()->click();
    QCOMPARE(fx.count("操作员"), 2);
}

void TestOperators::toggleAllFlags()
{
    Fixture fx;
    Txinzengcaozuorenyuan w;
    w.show();
    PermissionBoxes *boxes = w.editor()->permissions();
    QPushButton *toggle = boxes->toggleAllButton();
    QCOMPARE(toggle->text(), QString("全选"));
    boxes->checkBox(7)->setChecked(true);
    toggle->click();
    QCOMPARE(checkedFlags(boxes).size(), 23);
    QCOMPARE(toggle->text(), QString("全清"));
    toggle->click();
    QCOMPARE(checkedFlags(boxes), QList<int>());
    QCOMPARE(toggle->text(), QString("全选"));
}

void TestOperators::modifyRefusesCode0001_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("administrator") << "系统管理员";
    QTest::newRow("renamed") << "老板";
}

void TestOperators::modifyRefusesCode0001()
{
    QFETCH(QString, name);
    Fixture fx;
    fx.exec("update 操作员 set 姓名 = ?", {name});
    Tcaozuorenyuan w;
    w.show();
    w.modifyButton()->click();
    QCOMPARE(fx.dialogs.texts(),
             QStringList({"对不起！系统管理员的信息不能修改！如要修改密码，请点击“密码修改”！"}));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    QVERIFY(!Txiugaicaozuoyuan::instance()->isVisible());
}

void TestOperators::modifyDialogFilledAndReused()
{
    Fixture fx;
    addTwoOperators(fx);
    CommittedCountDialogs dialogs("select count(*) from 操作员 where 姓名 = '李四四'");
    Txiugaicaozuoyuan *d = Txiugaicaozuoyuan::instance();
    QCOMPARE(Txiugaicaozuoyuan::instance(), d);
    OperatorEditor *e = d->editor();
    QVERIFY(e->codeEdit()->isReadOnly());
    e->repeatEdit()->setText("left over");
    d->setOperatorCode("0002");
    d->show();
    QCOMPARE(e->codeEdit()->text(), QString("0002"));
    QCOMPARE(e->nameEdit()->text(), QString("李四"));
    QCOMPARE(e->passwordEdit()->text(), QString("pw2"));
    QVERIFY(e->repeatEdit()->text().isEmpty());
    QCOMPARE(checkedFlags(e->permissions()), QList<int>({2, 9, 23}));
    e->permissions()->toggleAllButton()->click();

    e->nameEdit()->setText("李四四");
    e->passwordEdit()->setText("n'ew");
    e->repeatEdit()->setText("n'ew");
    e->permissions()->checkBox(5)->setChecked(false);
    e->saveButton()->click();
    QCOMPARE(dialogs.texts(), QStringList({"修改操作人员成功！请牢记编号和密码！"}));
    QCOMPARE(dialogs.committedCounts, QList<int>({1}));
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));
    const std::optional<OperatorStore::Operator> op = OperatorStore::find("0002");
    QCOMPARE(op->name, QString("李四四"));
    QCOMPARE(op->password, QString("n'ew"));
    QCOMPARE(storedFlags("0002").size(), 22);
    QVERIFY(!storedFlags("0002").contains(5));
    QCOMPARE(OperatorStore::nameOf("0003"), QString("王五"));

    // The same dialog again, refilled for another operator; the toggle keeps its caption.
    d->setOperatorCode("0003");
    d->show();
    QCOMPARE(e->nameEdit()->text(), QString("王五"));
    QVERIFY(e->passwordEdit()->text().isEmpty());
    QCOMPARE(checkedFlags(e->permissions()), QList<int>());
    QCOMPARE(e->permissions()->toggleAllButton()->text(), QString("全清"));
    e->closeButton()->click();
    QVERIFY(!d->isVisible());
    QCOMPARE(Txiugaicaozuoyuan::instance(), d);
}

void TestOperators::modifyWithoutRetypedPassword()
{
    Fixture fx;
    addTwoOperators(fx);
    Txiugaicaozuoyuan d;
    d.setOperatorCode("0002");
    d.show();
    d.editor()->nameEdit()->setText("改名");
    d.editor()->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"两次密码不一致！"}));
    QVERIFY(d.isVisible());
    QVERIFY(d.editor()->passwordEdit()->text().isEmpty());
    QVERIFY(d.editor()->repeatEdit()->text().isEmpty());
    QCOMPARE(OperatorStore::nameOf("0002"), QString("李四"));
    // Both fields now empty: the save goes through and clears the password.
    fx.dialogs.clear();
    d.editor()->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"修改操作人员成功！请牢记编号和密码！"}));
    QCOMPARE(OperatorStore::find("0002")->password, QString());
    QCOMPARE(OperatorStore::nameOf("0002"), QString("改名"));
}

void TestOperators::modifyThroughTheList()
{
    Fixture fx;
    addTwoOperators(fx);
    Tcaozuorenyuan w;
    w.show();
    w.operatorGrid()->setCurrentCell(2, 0);
    QString shownCode;
    QTimer::singleShot(0, [&] {
        Txiugaicaozuoyuan *d = Txiugaicaozuoyuan::instance();
        shownCode = d->editor()->codeEdit()->text();
        d->editor()->nameEdit()->setText("王五五");
        d->editor()->saveButton()->click();
        if (d->isVisible())
            d->reject();
    });
    w.modifyButton()->click();
    QCOMPARE(shownCode, QString("0003"));
    QCOMPARE(fx.dialogs.texts(), QStringList({"修改操作人员成功！请牢记编号和密码！"}));
    // The list shows the change and starts again from the first operator.
    QCOMPARE(gridRows(w), QStringList({"0001/系统管理员", "0002/李四", "0003/王五五"}));
    QCOMPARE(w.operatorGrid()->currentRow(), 0);
}

void TestOperators::deleteAdministrator_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("deletable");
    QTest::newRow("named 系统管理员") << "系统管理员" << false;
    QTest::newRow("renamed") << "老板" << true;
}

void TestOperators::deleteAdministrator()
{
    QFETCH(QString, name);
    QFETCH(bool, deletable);
    Fixture fx;
    addTwoOperators(fx);
    fx.exec("update 操作员 set 姓名 = ? where 操作员 = '0001'", {name});
    Tcaozuorenyuan w;
    w.show();
    w.deleteButton()->click();
    if (!deletable) {
        QCOMPARE(fx.dialogs.texts(), QStringList({"对不起！系统管理员不能删除！"}));
        QCOMPARE(fx.count("操作员"), 3);
        return;
    }
    QCOMPARE(fx.dialogs.texts(), QStringList({"确实删除记录？该操作不可恢复！", "删除操作人员成功！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("删除记录"));
    QCOMPARE(fx.dialogs.messages[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(fx.dialogs.messages[1].icon, MsgIcon::Information);
    QVERIFY(!OperatorStore::exists("0001"));
    // The remaining operators, with the first one's flags.
    QCOMPARE(gridRows(w), QStringList({"0002/李四", "0003/王五"}));
    QCOMPARE(w.operatorGrid()->currentRow(), 0);
    QCOMPARE(checkedFlags(w.permissions()), QList<int>({2, 9, 23}));
}

void TestOperators::deleteOwnRowAndCancel()
{
    Fixture fx;
    addTwoOperators(fx);
    SetCurrentOperator("0002", "pw2");
    Tcaozuorenyuan w;
    w.show();
    w.operatorGrid()->setCurrentCell(1, 0);
    fx.dialogs.answers << MsgResult::Cancel;
    w.deleteButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"确实删除记录？该操作不可恢复！"}));
    QCOMPARE(fx.count("操作员"), 3);
    w.operatorGrid()->setCurrentCell(1, 0);
    w.deleteButton()->click();
    QVERIFY(!OperatorStore::exists("0002"));
    QCOMPARE(CurrentOperatorCode(), QString("0002"));
    // An empty table: the buttons find no row and do nothing.
    fx.exec("delete from 操作员");
    w.LoadOperatorList();
    fx.dialogs.clear();
    w.deleteButton()->click();
    w.modifyButton()->click();
    QVERIFY(fx.dialogs.messages.isEmpty());
    QCOMPARE(checkedFlags(w.permissions()), QList<int>());
}

void TestOperators::listPicksUpOperatorsAddedElsewhere()
{
    Fixture fx(false);
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    main.show();
    QVERIFY(main.issueMenuCommand("操作人员及权限设置"));
    auto *list = qobject_cast<Tcaozuorenyuan *>(main.clientArea()->activeSubWindow()->widget());
    QVERIFY(list);
    QCOMPARE(list->parentWidget()->pos(), QPoint(270, 0));
    list->addButton()->click();
    auto *add = qobject_cast<Txinzengcaozuorenyuan *>(main.clientArea()->activeSubWindow()->widget());
    QVERIFY(add);
    QCOMPARE(add->parentWidget()->windowTitle(), QString("新增操作人员"));
    QCOMPARE(add->parentWidget()->pos(), QPoint(250, 0));
    fill(add->editor(), "0002", "李四", "", "");
    add->editor()->saveButton()->click();
    QCOMPARE(gridRows(*list).size(), 1);
    main.clientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(list->parentWidget()));
    QCOMPARE(gridRows(*list), QStringList({"0001/系统管理员", "0002/李四"}));
    main.clientArea()->closeAllSubWindows();
    fx.dialogs.answers << MsgResult::Ok << MsgResult::Cancel;
    main.close();
}

HYJF_TEST_MAIN(TestOperators)
#include "tst_operators.moc"
