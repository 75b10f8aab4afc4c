#include "hostileinput.h"

#include "common/gbk.h"
#include "common/inifile.h"
#include "common/numtext.h"
#include "common/shell.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "operators/xiugaicaozuoyuanfrm.h"
#include "points/basketgrid.h"
#include "points/productpicker.h"
#include "records/recordgrid.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QDialog>
#include <QFile>
#include <QStringEncoder>
#include <QPushButton>
#include <QTableView>

#include <functional>
#include <memory>
#include <optional>

namespace {

using Widget = std::unique_ptr<QWidget>;

// A text the settings file can carry: GBK, one line, and as Windows reads a value back
// (blanks around it and one pair of surrounding quotes gone).
QString AsIniCarriesIt(const QString &text)
{
    QString v = Gbk::decode(Gbk::encode(text));
    v.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    v = v.trimmed();
    if (v.size() >= 2
        && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
            || (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))))
        v = v.mid(1, v.size() - 2);
    return v;
}

QWidget *Child(QWidget *window, const QString &objectName)
{
    QWidget *w = window->findChild<QWidget *>(objectName);
    if (!w)
        qFatal("no control named %s in %s", qPrintable(objectName), window->metaObject()->className());
    return w;
}

void Click(QWidget *window, const QString &button)
{
    auto *b = qobject_cast<QAbstractButton *>(Child(window, button));
    if (!b)
        qFatal("%s is no button", qPrintable(button));
    b->click();
}

void Enter(QWidget *window, const QString &field, const QString &text)
{
    PasteInto(Child(window, field), text);
}

void Return(QWidget *window, const QString &field)
{
    QTest::keyClick(InputTarget(Child(window, field)), Qt::Key_Return);
}

Widget Open(const QString &windowClass)
{
    Widget w(WindowRegistry::create(windowClass, nullptr));
    if (!w)
        qFatal("no window class %s", qPrintable(windowClass));
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("window %s not active", qPrintable(windowClass));
    return w;
}

std::optional<QString> StoredText(const QString &statement, const QVariantList &values = {})
{
    QSqlQuery q = Sql::exec(statement, values);
    if (!q.next())
        return std::nullopt;
    return Sql::text(q.value(0));
}

// The shop every business window works in: one category, a member with points, products.
void SmallShop(Fixture &fx)
{
    AddCategory(fx, {"普通卡", 100, 1, 0});
    AddMember(fx, "8001", "张三", "普通卡", 500);
    fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values ('日用', 'SP001', '毛巾', '条', 10)");
}

void LookUp(QWidget *window, const QString &card)
{
    auto *panel = window->findChild<MemberPanel *>();
    panel->cardEdit()->setText(card);
    QTest::keyClick(panel->cardEdit(), Qt::Key_Return);
}

// Fills the first basket line with a product found by its code.
void AddProduct(QWidget *window, const QString &code)
{
    auto *picker = window->findChild<ProductPicker *>();
    picker->searchEdit()->setText(code);
    QTest::keyClick(picker->searchEdit(), Qt::Key_Return);
    picker->pickGrid()->setCurrentIndex(picker->pickGrid()->model()->index(0, 0));
    picker->pickGridDoubleClick();
}

// One text field that reaches the database (or the settings file): how its window opens
// ready for the field, how the operator saves, and where the text ends up.
struct TextField
{
    QString name;
    std::function<Widget(Fixture &)> open;
    QString field;
    QString twin; // a field that must repeat the text (password confirmation)
    std::function<void(QWidget *)> commit;
    std::function<std::optional<QString>()> stored;
    QString emptyRefusal; // the message an empty field gets instead of a save
    bool settingsFile = false;
};

QList<TextField> TextFields()
{
    QList<TextField> list;

    // Categories: the name is the only text; the other fields are numbers.
    list << TextField{"category name", [](Fixture &fx) {
                          AddCategory(fx, {"普通卡", 100, 1, 0});
                          Widget w = Open("Tleibie");
                          Click(w.get(), "newButton");
                          Enter(w.get(), "ratioEdit", "7");
                          Enter(w.get(), "discountEdit", "90");
                          return w;
                      },
                      "nameEdit", {}, [](QWidget *w) { Click(w, "saveButton"); },
                      [] { return StoredText("select 卡类别 from 卡类别 where 积分比例 = 7"); }};

    // Registration: every text of the member row, the card number included.
    const auto registration = [](Fixture &fx) {
        AddCategory(fx, {"普通卡", 100, 1, 0});
        Widget w = Open("Txinhuiyuan");
        Enter(w.get(), "cardEdit", "H1");
        Enter(w.get(), "nameEdit", "登记");
        return w;
    };
    const auto saveMember = [](QWidget *w) { Click(w, "saveButton"); };
    list << TextField{"registration card", registration, "cardEdit", {}, saveMember,
                      [] { return StoredText("select 会员卡号 from 会员卡信息 where 会员姓名 = '登记'"); },
                      "卡号不能为空!"};
    const QList<QPair<QString, QString>> memberColumns{
        {"categoryBox", "卡类别"}, {"nameEdit", "会员姓名"},  {"sexBox", "性别"},
        {"idEdit", "身份证号"},     {"addressEdit", "地址"},   {"phoneEdit", "固定电话"},
        {"mobileEdit", "手机"},     {"referrerCardEdit", "引荐人卡号"}, {"referrerNameEdit", "引荐人姓名"}};
    for (const auto &[field, column] : memberColumns) {
        const QString statement = QString("select \"%1\" from 会员卡信息 where 会员卡号 = 'H1'").arg(column);
        list << TextField{"registration " + field, registration, field, {}, saveMember,
                          [statement] { return StoredText(statement); }};
    }

    // Member edit: the dialog loads a member by card, then stores what its fields show.
    const auto memberEdit = [](Fixture &fx) {
        SmallShop(fx);
        Widget w = Open("Txiugai");
        Enter(w.get(), "cardEdit", "8001");
        Return(w.get(), "cardEdit");
        return w;
    };
    for (const auto &[field, column] : memberColumns) {
        if (field == "sexBox" || field == "idEdit")
            continue; // the same statement as the other columns; the corpus there adds nothing
        const QString statement = QString("select \"%1\" from 会员卡信息 where 会员卡号 = '8001'").arg(column);
        list << TextField{"member edit " + field, memberEdit, field, {},
                          [](QWidget *w) { Click(w, "saveButton"); },
                          [statement] { return StoredText(statement); }};
    }

    // Operators: a new one, a modified one, and the own password.
    const auto newOperator = [](Fixture &) {
        Widget w = Open("Txinzengcaozuorenyuan");
        Enter(w.get(), "codeEdit", "0009");
        Enter(w.get(), "nameEdit", "收银");
        return w;
    };
    const auto saveOperator = [](QWidget *w) { Click(w, "saveButton"); };
    list << TextField{"new operator code", newOperator, "codeEdit", {}, saveOperator,
                      [] { return StoredText("select 操作员 from 操作员 where 姓名 = '收银'"); }, "编号不能为空！"};
    list << TextField{"new operator name", newOperator, "nameEdit", {}, saveOperator,
                      [] { return StoredText("select 姓名 from 操作员 where 操作员 = '0009'"); }};
    list << TextField{"new operator password", newOperator, "passwordEdit", "repeatEdit", saveOperator,
                      [] { return StoredText("select 密码 from 操作员 where 操作员 = '0009'"); }};
    const auto modifyOperator = [](Fixture &fx) {
        // No password: the unchanged password needs no retyping.
        fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0002', '李四', '')");
        // The run's one dialog; deleting it after the test makes the next test a fresh one.
        Widget w(Txiugaicaozuoyuan::instance());
        Txiugaicaozuoyuan::instance()->setOperatorCode("0002");
        w->show();
        QApplication::setActiveWindow(w.get());
        return w;
    };
    list << TextField{"modified operator name", modifyOperator, "nameEdit", {}, saveOperator,
                      [] { return StoredText("select 姓名 from 操作员 where 操作员 = '0002'"); }};
    list << TextField{"modified operator password", modifyOperator, "passwordEdit", "repeatEdit", saveOperator,
                      [] { return StoredText("select 密码 from 操作员 where 操作员 = '0002'"); }};
    list << TextField{"own password", [](Fixture &) { return Open("Txiugaimima"); }, "newPasswordEdit",
                      "confirmPasswordEdit", [](QWidget *w) { Click(w, "confirmButton"); },
                      [] { return StoredText("select 密码 from 操作员 where 操作员 = '0001'"); }};

    // Shop settings: the shop name and footer go to the receipt table, the rest to myini.ini.
    const auto settings = [](Fixture &) { return Open("Tdayinshezhi"); };
    const auto saveSettings = [](QWidget *w) { Click(w, "saveButton"); };
    list << TextField{"shop name", settings, "shopNameEdit", {}, saveSettings,
                      [] { return StoredText("select 店铺 from 小票"); }};
    list << TextField{"receipt footer", settings, "footerEdit", {}, saveSettings,
                      [] { return StoredText("select 票尾 from 小票"); }};
    const QList<QPair<QString, QString>> iniKeys{{"shopNameEdit", "店铺名称"},
                                                 {"sloganEdit", "广告语"},
                                                 {"pictureEdit", "背景图片"},
                                                 {"portBox", "打印端口"}};
    for (const auto &[field, key] : iniKeys) {
        TextField f{"settings file " + field, settings, field, {}, saveSettings,
                    [key] { return AppSettings::readString(key, "<missing>"); }};
        f.settingsFile = true;
        if (field == "portBox")
            f.emptyRefusal = "请选择POS打印端口！";
        list << f;
    }

    // The business windows: a return's note, a redemption's gift, and the product texts a
    // sale copies from the catalogue into its consumption rows.
    list << TextField{"return note", [](Fixture &fx) {
                          SmallShop(fx);
                          Widget w = Open("Ttuihuo");
                          LookUp(w.get(), "8001");
                          AddProduct(w.get(), "SP001");
                          return w;
                      },
                      "noteEdit", {}, [](QWidget *w) { Click(w, "confirmButton"); },
                      [] { return StoredText("select \"退/换货说明\" from 消费记录"); }};
    list << TextField{"redemption gift", [](Fixture &fx) {
                          SmallShop(fx);
                          Widget w = Open("Tduihuan");
                          LookUp(w.get(), "8001");
                          Enter(w.get(), "pointsEdit", "10");
                          return w;
                      },
                      "giftEdit", {}, [](QWidget *w) { Click(w, "confirmButton"); },
                      [] { return StoredText("select 兑换礼品 from 流水记录"); }};
    list << TextField{"replacement new card", [](Fixture &fx) {
                          SmallShop(fx);
                          Widget w = Open("Tguashi");
                          LookUp(w.get(), "8001");
                          return w;
                      },
                      "newCardEdit", {}, [](QWidget *w) { Click(w, "confirmButton"); },
                      [] { return StoredText("select 会员卡号 from 会员卡信息 where 会员姓名 = '张三'"); },
                      "请输入新卡号！"};
    const QList<QPair<QString, QString>> productColumns{
        {"categoryBox", "所属类别"}, {"codeEdit", "商品编号"}, {"nameEdit", "商品名称"}, {"unitEdit", "单位"}};
    for (const auto &[field, column] : productColumns) {
        const QString statement = QString("select \"%1\" from 商品档案 where 预设单价 = 3").arg(column);
        list << TextField{"catalogue " + field, [](Fixture &) {
                              Widget w = Open("Tshangpindangan");
                              Click(w.get(), "newButton");
                              Enter(w.get(), "priceEdit", "3");
                              return w;
                          },
                          field, {}, [](QWidget *w) { Click(w, "saveButton"); },
                          [statement] { return StoredText(statement); }};
    }
    return list;
}


// Values stored for the searches: the corpus itself and near misses that a "%" or "_"
// taken as a wildcard, or a dropped quote or backslash, would also find.
QStringList SearchedValues()
{
    QStringList values;
    for (const HostileText &t : HostileTexts())
        if (!t.text.isEmpty())
            values << t.text;
    values << "50abc_off" << "50%xoff" << "OBriens " << "引号" << "C:新x" << "会员卡" << "张 三" << "drop table";
    return values;
}

QStringList ModelColumn(QAbstractItemModel *model, int column)
{
    while (model->canFetchMore({}))
        model->fetchMore({});
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells << model->index(row, column).data().toString();
    return cells;
}

QStringList GridColumnCells(RecordGrid *grid, const QString &field)
{
    int column = -1;
    for (int c = 0; c < grid->columns().size(); ++c)
        if (grid->columns().at(c).field == field)
            column = c;
    if (column < 0)
        qFatal("no grid column %s", qPrintable(field));
    QStringList cells;
    for (int row = 0; row < grid->totalRowCount(); ++row)
        cells << grid->cellText(row, column);
    return cells;
}

// One search field: the window over the stored values, the search as the operator runs
// it, and the stored values of the rows it finds.
struct SearchField
{
    QString name;
    std::function<Widget(Fixture &)> open;
    std::function<void(QWidget *, const QString &)> search;
    std::function<QStringList(QWidget *)> found;
    bool exact = false; // equality, not a substring
};

QList<SearchField> SearchFields()
{
    QList<SearchField> list;
    // Member searches: card "M<i>" holds value i in all four searched columns.
    using Column = MemberPanel::SearchColumn;
    const QList<QPair<QString, Column>> memberSearches{{"name", Column::Name},
                                                       {"identity", Column::Identity},
                                                       {"phone", Column::Phone},
                                                       {"mobile", Column::Mobile}};
    // The panel is shared: every column in the purchase window, the name in the others.
    QList<QPair<QString, QPair<QString, Column>>> panelSearches;
    for (const auto &[label, column] : memberSearches)
        panelSearches << qMakePair(QString("Tzengjiajifen"), qMakePair(label, column));
    for (const char *cls : {"Ttuihuo", "Tduihuan", "Tjifenchaxun", "Tkoutou", "Tguashi"})
        panelSearches << qMakePair(QString(cls), qMakePair(QString("name"), Column::Name));
    for (const auto &[windowClass, search] : panelSearches) {
        const Column c = search.second;
        const QString cls = windowClass;
        list << SearchField{"member search " + search.first + " in " + windowClass,
                            [cls](Fixture &fx) {
                                AddCategory(fx, {"普通卡", 100, 1, 0});
                                const QStringList values = SearchedValues();
                                for (int i = 0; i < values.size(); ++i)
                                    fx.exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 身份证号, 固定电话, 手机) "
                                            "values (?, '普通卡', ?, ?, ?, ?)",
                                            {QString("M%1").arg(i), values[i], values[i], values[i], values[i]});
                                return Open(cls);
                            },
                            [c](QWidget *w, const QString &text) {
                                QLineEdit *edit = w->findChild<MemberPanel *>()->searchEdit(c);
                                PasteInto(edit, text);
                                QTest::keyClick(edit, Qt::Key_Return);
                            },
                            [](QWidget *w) {
                                const QStringList values = SearchedValues();
                                QStringList found;
                                for (const QString &card :
                                     ModelColumn(w->findChild<MemberPanel *>()->pickGrid()->model(), 0))
                                    found << values.value(card.mid(1).toInt());
                                return found;
                            }};
    }
    // Products: code "#<i>" and name value i.
    const auto products = [](Fixture &fx) {
        AddCategory(fx, {"普通卡", 100, 1, 0});
        AddMember(fx, "8001", "张三", "普通卡", 500);
        const QStringList values = SearchedValues();
        for (int i = 0; i < values.size(); ++i)
            fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values ('类', ?, ?, '个', 1)",
                    {QString("#%1").arg(i), values[i]});
    };
    list << SearchField{"basket product search",
                        [products](Fixture &fx) {
                            products(fx);
                            Widget w = Open("Tzengjiajifen");
                            LookUp(w.get(), "8001");
                            return w;
                        },
                        [](QWidget *w, const QString &text) {
                            QLineEdit *edit = w->findChild<ProductPicker *>()->searchEdit();
                            PasteInto(edit, text);
                            QTest::keyClick(edit, Qt::Key_Return);
                        },
                        [](QWidget *w) { return ModelColumn(w->findChild<ProductPicker *>()->pickGrid()->model(), 2); }};
    list << SearchField{"catalogue search",
                        [products](Fixture &fx) {
                            products(fx);
                            return Open("Tshangpindangan");
                        },
                        [](QWidget *w, const QString &text) {
                            qobject_cast<QComboBox *>(Child(w, "columnBox"))->setCurrentText("商品名称");
                            Enter(w, "searchEdit", text);
                            Click(w, "searchButton");
                        },
                        [](QWidget *w) { return GridColumnCells(w->findChild<RecordGrid *>(), "商品名称"); }};
    list << SearchField{"member list by category",
                        [](Fixture &fx) {
                            const QStringList values = SearchedValues();
                            for (int i = 0; i < values.size(); ++i)
                                fx.exec("insert into 会员卡信息 (会员卡号, 卡类别) values (?, ?)", {QString("M%1").arg(i), values[i]});
                            return Open("Tquanbuhuiyuan");
                        },
                        [](QWidget *w, const QString &text) {
                            Enter(w, "categoryBox", text);
                            Click(w, "categoryQueryButton");
                        },
                        [](QWidget *w) {
                            const QStringList values = SearchedValues();
                            QStringList found;
                            for (const QString &card : GridColumnCells(w->findChild<RecordGrid *>(), "会员卡号"))
                                found << values.value(card.mid(1).toInt());
                            return found;
                        },
                        true};
    // Record filters and history quick finds compare for equality.
    const QList<QPair<QString, QString>> recordWindows{{"journal filter", "Txiangxijilu"},
                                                       {"consumption filter", "Txiaofeijilu"}};
    for (const auto &[label, windowClass] : recordWindows) {
        const QString cls = windowClass;
        list << SearchField{label,
                            [cls](Fixture &fx) {
                                for (const QString &v : SearchedValues()) {
                                    fx.exec("insert into 流水记录 (编号, 会员卡号, 会员姓名, 增减积分, 日期) values ('1', 'x', ?, 1, '2026-03-01')", {v});
                                    fx.exec("insert into 消费记录 (编号, 会员卡号, 会员姓名, 数量, 日期) values ('1', 'x', ?, 1, '2026-03-01')", {v});
                                }
                                return Open(cls);
                            },
                            [](QWidget *w, const QString &text) {
                                qobject_cast<QComboBox *>(Child(w, "columnBox"))->setCurrentText("会员姓名");
                                Click(w, "allDatesBox");
                                Enter(w, "valueEdit", text);
                                Click(w, "queryButton");
                            },
                            [](QWidget *w) { return GridColumnCells(w->findChild<RecordGrid *>(), "会员姓名"); },
                            true};
    }
    const QList<QPair<QString, QString>> historyWindows{{"loss history find", "Tkoutoujilu"},
                                                        {"replacement history find", "Tguashilishi"}};
    for (const auto &[label, windowClass] : historyWindows) {
        const QString cls = windowClass;
        list << SearchField{label,
                            [cls](Fixture &fx) {
                                for (const QString &v : SearchedValues()) {
                                    fx.exec("insert into 口头挂失记录 (会员卡号, 会员姓名) values ('x', ?)", {v});
                                    fx.exec("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名) values ('x', 'y', ?)", {v});
                                }
                                return Open(cls);
                            },
                            [](QWidget *w, const QString &text) {
                                qobject_cast<QComboBox *>(Child(w, "columnBox"))->setCurrentText("会员姓名");
                                Enter(w, "valueEdit", text);
                                Return(w, "valueEdit");
                            },
                            [](QWidget *w) { return GridColumnCells(w->findChild<RecordGrid *>(), "会员姓名"); },
                            true};
    }
    return list;
}


// One number field: a window ready for it, how the operator saves, and the stored number
// it decides (text as the windows show it; nothing when there is no row).
struct NumberField
{
    QString name;
    std::function<Widget(Fixture &)> open;
    // Where the text goes; by default the control named field.
    std::function<QWidget *(QWidget *, const QString &)> enter;
    std::function<void(QWidget *)> commit;
    std::function<std::optional<QString>()> stored;
};

std::function<QWidget *(QWidget *, const QString &)> PasteField(const QString &field)
{
    return [field](QWidget *w, const QString &text) {
        QWidget *f = Child(w, field);
        PasteInto(f, text);
        return f;
    };
}

// Types into a basket cell through its editor and commits it with Enter.
std::function<QWidget *(QWidget *, const QString &)> PasteBasketCell(int column)
{
    return [column](QWidget *w, const QString &text) -> QWidget * {
        auto *basket = w->findChild<BasketGrid *>();
        basket->setFocus();
        basket->setCurrentCell(0, column);
        basket->editItem(basket->item(0, column));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        if (!editor)
            return nullptr;
        PasteInto(editor, text);
        const QString shown = editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        // The cell is what the line stores; it must show what the editor accepted.
        if (basket->cellText(0, column) != shown)
            qWarning("basket cell %s, editor %s", qPrintable(basket->cellText(0, column)), qPrintable(shown));
        return editor;
    };
}

QList<NumberField> NumberFields()
{
    QList<NumberField> list;
    const auto category = [](Fixture &fx) {
        fx.exec("update 自动变卡 set 自动变卡 = '是'");
        Widget w = Open("Tleibie");
        Click(w.get(), "newButton");
        Enter(w.get(), "nameEdit", "新卡");
        return w;
    };
    const QList<QPair<QString, QString>> categoryColumns{
        {"ratioEdit", "积分比例"}, {"discountEdit", "折扣"}, {"thresholdEdit", "自动变卡下限"}};
    for (const auto &[field, column] : categoryColumns) {
        const QString statement = QString("select \"%1\" from 卡类别 where 卡类别 = '新卡'").arg(column);
        list << NumberField{"category " + field, category, PasteField(field),
                            [](QWidget *w) { Click(w, "saveButton"); },
                            [statement] { return StoredText(statement); }};
    }
    list << NumberField{"referral bonus", [](Fixture &) { return Open("Tyinjianjifen"); }, PasteField("bonusEdit"),
                        [](QWidget *w) { Click(w, "confirmButton"); },
                        [] { return StoredText("select 引荐积分 from 引荐积分"); }};
    // Ratio 1 and no discount: the journal points are the amount itself.
    const auto journalPoints = [] { return StoredText("select abs(增减积分) from 流水记录"); };
    const auto purchase = [](Fixture &fx) {
        SmallShop(fx);
        Widget w = Open("Tzengjiajifen");
        LookUp(w.get(), "8001");
        return w;
    };
    const auto purchaseWithProduct = [purchase](Fixture &fx) {
        Widget w = purchase(fx);
        AddProduct(w.get(), "SP001");
        return w;
    };
    const auto confirm = [](QWidget *w) { Click(w, "confirmButton"); };
    list << NumberField{"purchase amount", purchase, PasteField("amountEdit"), confirm, journalPoints};
    list << NumberField{"basket price", purchaseWithProduct, PasteBasketCell(BasketGrid::Price), confirm,
                        [] { return StoredText("select 消费金额 from 消费记录"); }};
    list << NumberField{"basket quantity", purchaseWithProduct, PasteBasketCell(BasketGrid::Quantity), confirm,
                        [] { return StoredText("select 数量 from 消费记录"); }};
    list << NumberField{"exchange difference",
                        [](Fixture &fx) {
                            SmallShop(fx);
                            Widget w = Open("Ttuihuo");
                            LookUp(w.get(), "8001");
                            Click(w.get(), "exchangeButton");
                            AddProduct(w.get(), "SP001");
                            return w;
                        },
                        PasteField("discountedEdit"), confirm, journalPoints};
    const auto redemption = [](Fixture &fx) {
        SmallShop(fx);
        Widget w = Open("Tduihuan");
        LookUp(w.get(), "8001");
        return w;
    };
    list << NumberField{"redeemed points", redemption, PasteField("pointsEdit"), confirm, journalPoints};
    list << NumberField{"redeemed cash",
                        [redemption](Fixture &fx) {
                            Widget w = redemption(fx);
                            Click(w.get(), "cashButton");
                            Enter(w.get(), "pointsEdit", "10");
                            return w;
                        },
                        PasteField("cashEdit"), confirm, [] { return StoredText("select 返现金 from 流水记录"); }};
    list << NumberField{"catalogue price",
                        [](Fixture &) {
                            Widget w = Open("Tshangpindangan");
                            Click(w.get(), "newButton");
                            Enter(w.get(), "nameEdit", "新品");
                            return w;
                        },
                        PasteField("priceEdit"), [](QWidget *w) { Click(w, "saveButton"); },
                        [] { return StoredText("select 预设单价 from 商品档案 where 商品名称 = '新品'"); }};
    return list;
}

bool TablesIntact()
{
    const int tables = Sql::scalar("select count(*) from sqlite_master where type = 'table' and name not like 'sqlite%'").toInt();
    return tables == 12;
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textStoredAsTyped_data();
    void textStoredAsTyped();
    void searchesMatchLiterally_data();
    void searchesMatchLiterally();
    void numbersRefusedOrStoredAsShown_data();
    void numbersRefusedOrStoredAsShown();
    void portReceiptPrintsWhatGbkHas_data();
    void portReceiptPrintsWhatGbkHas();
};

void TestHostile::textStoredAsTyped_data()
{
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<QString>("text");
    const QList<TextField> fields = TextFields();
    for (int i = 0; i < fields.size(); ++i)
        for (const HostileText &t : HostileTexts())
            QTest::addRow("%s: %s", qPrintable(fields[i].name), t.name) << i << t.text;
}

void TestHostile::textStoredAsTyped()
{
    QFETCH(int, fieldIndex);
    QFETCH(QString, text);
    const TextField f = TextFields().at(fieldIndex);
    Fixture fx;
    OpenedWindowsShell shell;
    AddMember(fx, "CANARY", "哨兵", "无"); // a statement that broke out would take it along
    Widget window = f.open(fx);
    QWidget *top = window.get();
    QWidget *field = Child(top, f.field);
    PasteInto(field, text);
    if (!f.twin.isEmpty())
        PasteInto(Child(top, f.twin), text);
    QCOMPARE(FieldText(field), text);
    fx.dialogs.clear();

    f.commit(top);

    QVERIFY(TablesIntact());
    QCOMPARE(fx.count("会员卡信息", "会员卡号 = 'CANARY'"), 1);
    if (text.isEmpty() && !f.emptyRefusal.isEmpty()) {
        QCOMPARE(fx.dialogs.lastText(), f.emptyRefusal);
        if (!f.settingsFile) // nothing stored, or what was there before
            QVERIFY(f.stored().value_or("<none>") != QString());
        return;
    }
    for (const ScriptedDialogs::Message &m : fx.dialogs.messages)
        QVERIFY2(m.icon != MsgIcon::Error, qPrintable(m.caption + ": " + m.text.left(300)));
    const std::optional<QString> stored = f.stored();
    QVERIFY2(stored, "nothing stored");
    QCOMPARE(*stored, f.settingsFile ? AsIniCarriesIt(text) : text);
}

void TestHostile::searchesMatchLiterally_data()
{
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<QString>("text");
    const QList<SearchField> fields = SearchFields();
    for (int i = 0; i < fields.size(); ++i)
        for (const HostileText &t : HostileTexts())
            QTest::addRow("%s: %s", qPrintable(fields[i].name), t.name) << i << t.text;
}

void TestHostile::searchesMatchLiterally()
{
    QFETCH(int, fieldIndex);
    QFETCH(QString, text);
    const SearchField f = SearchFields().at(fieldIndex);
    Fixture fx;
    OpenedWindowsShell shell;
    Widget window = f.open(fx);
    f.search(window.get(), text);

    QVERIFY2(fx.dialogs.messages.isEmpty(), qPrintable(fx.dialogs.texts().join(' ').left(300)));
    QVERIFY(TablesIntact());
    QStringList expected;
    for (const QString &v : SearchedValues())
        if (f.exact ? v == text : v.contains(text, Qt::CaseInsensitive))
            expected << v;
    QStringList found = f.found(window.get());
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
}

void TestHostile::numbersRefusedOrStoredAsShown_data()
{
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<QString>("text");
    const QList<NumberField> fields = NumberFields();
    for (int i = 0; i < fields.size(); ++i)
        for (const HostileText &t : HostileNumbers())
            QTest::addRow("%s: %s", qPrintable(fields[i].name), t.name) << i << t.text;
}

// Either the field refuses the text (and what it shows instead is what is stored), or the
// save is refused with a message and nothing changes, or a text that reads as a number is
// stored as that number. Never a part of it, a zero, or a row without a word.
void TestHostile::numbersRefusedOrStoredAsShown()
{
    QFETCH(int, fieldIndex);
    QFETCH(QString, text);
    const NumberField f = NumberFields().at(fieldIndex);
    Fixture fx;
    OpenedWindowsShell shell;
    Widget window = f.open(fx);
    const std::optional<QString> before = f.stored();
    QWidget *field = f.enter(window.get(), text);
    QVERIFY(field);
    const QString shown = FieldText(field);
    f.commit(window.get());

    QVERIFY(TablesIntact());
    const std::optional<QString> after = f.stored();
    bool typedIsNumber = false;
    const double typed = TextNumber(text, &typedIsNumber);
    if (shown == text && after != before) {
        // Taken as it stands: only a number, stored as the number typed.
        QVERIFY2(typedIsNumber, qPrintable("stored " + after.value_or("nothing")));
        QVERIFY(after);
        bool ok = false;
        QCOMPARE(TextNumber(*after, &ok), typed);
    } else if (shown == text) {
        QVERIFY2(!fx.dialogs.messages.isEmpty(), "refused without a word");
        QVERIFY2(fx.dialogs.messages.first().icon == MsgIcon::Error, qPrintable(fx.dialogs.texts().join(' ')));
    } else if (after != before) {
        // The field showed something else; whatever it showed is what was stored.
        QVERIFY(after);
        bool ok = false;
        const double showNumber = TextNumber(shown.isEmpty() ? QStringLiteral("0") : shown, &ok);
        QVERIFY(ok);
        QCOMPARE(TextNumber(*after, &ok), showNumber);
    }
}

void TestHostile::portReceiptPrintsWhatGbkHas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("printed");
    QTest::newRow("outside GBK") << QString("会员😀卡\U0001F600") << QString("会员?卡?");
    QTest::newRow("statement") << QString("'; drop table 会员卡信息; --") << QString("'; drop table 会员卡信息; --");
    QTest::newRow("quotes and backslashes") << QString("\"C:\\新\\\" '") << QString("\"C:\\新\\\" '");
}

// The shop name, the member's name and the product name, each as typed, on a purchase
// receipt printed to a port that is a file.
void TestHostile::portReceiptPrintsWhatGbkHas()
{
    QFETCH(QString, text);
    QFETCH(QString, printed);
    Fixture fx;
    OpenedWindowsShell shell;
    const QString port = fx.file("receipt.prn");
    {
        Widget settings = Open("Tdayinshezhi");
        Enter(settings.get(), "shopNameEdit", text);
        Enter(settings.get(), "portBox", port);
        Click(settings.get(), "posPrinterRadio");
        auto *print = qobject_cast<QAbstractButton *>(Child(settings.get(), "printReceiptCheck"));
        if (!print->isChecked())
            print->click();
        Click(settings.get(), "saveButton");
    }
    AddCategory(fx, {"普通卡", 100, 1, 0});
    AddMember(fx, "8001", text, "普通卡", 0);
    fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values ('日用', 'SP001', ?, '条', 10)", {text});
    Widget w = Open("Tzengjiajifen");
    LookUp(w.get(), "8001");
    AddProduct(w.get(), "SP001");
    Click(w.get(), "confirmButton");
    QCOMPARE(fx.dialogs.lastText(), QString("增加积分成功！"));

    QFile f(port);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QByteArray expected = QStringEncoder("GBK").encode(printed);
    // Shop name, member name and product line each carry the text.
    QCOMPARE(bytes.count(expected), 3);
    QVERIFY(!bytes.contains("\xF0\x9F"));
}

HYJF_TEST_MAIN(TestHostile)
#include "tst_hostile.moc"
