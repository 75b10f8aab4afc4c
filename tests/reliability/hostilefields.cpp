#include "hostilefields.h"

#include "common/inifile.h"
#include "operators/xiugaicaozuoyuanfrm.h"
#include "points/basketgrid.h"
#include "records/recordgrid.h"

#include <QCoreApplication>

QList<TextField> TextFields()
{
    QList<TextField> list;

    // Categories: the name is the only text; the other fields are numbers.
    list << TextField { "category name",
                        [](Fixture &fx) {
                            AddCategory(fx, { "普通卡", 100, 1, 0 });
                            Widget w = Open("Tleibie");
                            Click(w.get(), "newButton");
                            Enter(w.get(), "ratioEdit", "7");
                            Enter(w.get(), "discountEdit", "90");
                            return w;
                        },
                        "nameEdit",
                        {},
                        [](QWidget *w) { Click(w, "saveButton"); },
                        [] { return StoredText("select 卡类别 from 卡类别 where 积分比例 = 7"); } };

    // Registration: every text of the member row, the card number included.
    const auto registration = [](Fixture &fx) {
        AddCategory(fx, { "普通卡", 100, 1, 0 });
        Widget w = Open("Txinhuiyuan");
        Enter(w.get(), "cardEdit", "H1");
        Enter(w.get(), "nameEdit", "登记");
        return w;
    };
    const auto saveMember = [](QWidget *w) { Click(w, "saveButton"); };
    list << TextField {
        "registration card",
        registration,
        "cardEdit",
        {},
        saveMember,
        [] { return StoredText("select 会员卡号 from 会员卡信息 where 会员姓名 = '登记'"); },
        "卡号不能为空!"
    };
    const QList<QPair<QString, QString>> memberColumns { { "categoryBox", "卡类别" },
                                                         { "nameEdit", "会员姓名" },
                                                         { "sexBox", "性别" },
                                                         { "idEdit", "身份证号" },
                                                         { "addressEdit", "地址" },
                                                         { "phoneEdit", "固定电话" },
                                                         { "mobileEdit", "手机" },
                                                         { "referrerCardEdit", "引荐人卡号" },
                                                         { "referrerNameEdit", "引荐人姓名" } };
    for (const auto &[field, column] : memberColumns) {
        const QString statement
            = QString("select \"%1\" from 会员卡信息 where 会员卡号 = 'H1'").arg(column);
        list << TextField { "registration " + field,
                            registration,
                            field,
                            {},
                            saveMember,
                            [statement] { return StoredText(statement); } };
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
        const QString statement
            = QString("select \"%1\" from 会员卡信息 where 会员卡号 = '8001'").arg(column);
        list << TextField { "member edit " + field,
                            memberEdit,
                            field,
                            {},
                            [](QWidget *w) { Click(w, "saveButton"); },
                            [statement] { return StoredText(statement); } };
    }

    // Operators: a new one, a modified one, and the own password.
    const auto newOperator = [](Fixture &) {
        Widget w = Open("Txinzengcaozuorenyuan");
        Enter(w.get(), "codeEdit", "0009");
        Enter(w.get(), "nameEdit", "收银");
        return w;
    };
    const auto saveOperator = [](QWidget *w) { Click(w, "saveButton"); };
    list << TextField { "new operator code",
                        newOperator,
                        "codeEdit",
                        {},
                        saveOperator,
                        [] { return StoredText("select 操作员 from 操作员 where 姓名 = '收银'"); },
                        "编号不能为空！" };
    list << TextField { "new operator name",
                        newOperator,
                        "nameEdit",
                        {},
                        saveOperator,
                        [] { return StoredText("select 姓名 from 操作员 where 操作员 = '0009'"); } };
    list << TextField { "new operator password",
                        newOperator,
                        "passwordEdit",
                        "repeatEdit",
                        saveOperator,
                        [] {
                            return StoredText("select 密码 from 操作员 where 操作员 = '0009'");
                        } };
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
    list << TextField { "modified operator name", modifyOperator, "nameEdit", {}, saveOperator, [] {
                           return StoredText("select 姓名 from 操作员 where 操作员 = '0002'");
                       } };
    list << TextField { "modified operator password",
                        modifyOperator,
                        "passwordEdit",
                        "repeatEdit",
                        saveOperator,
                        [] {
                            return StoredText("select 密码 from 操作员 where 操作员 = '0002'");
                        } };
    list << TextField { "own password",
                        [](Fixture &) { return Open("Txiugaimima"); },
                        "newPasswordEdit",
                        "confirmPasswordEdit",
                        [](QWidget *w) { Click(w, "confirmButton"); },
                        [] {
                            return StoredText("select 密码 from 操作员 where 操作员 = '0001'");
                        } };

    // Shop settings: the shop name and footer go to the receipt table, the rest to myini.ini.
    const auto settings = [](Fixture &) { return Open("Tdayinshezhi"); };
    const auto saveSettings = [](QWidget *w) { Click(w, "saveButton"); };
    list << TextField { "shop name",    settings,
                        "shopNameEdit", {},
                        saveSettings,   [] { return StoredText("select 店铺 from 小票"); } };
    list << TextField { "receipt footer", settings,
                        "footerEdit",     {},
                        saveSettings,     [] { return StoredText("select 票尾 from 小票"); } };
    const QList<QPair<QString, QString>> iniKeys { { "shopNameEdit", "店铺名称" },
                                                   { "sloganEdit", "广告语" },
                                                   { "pictureEdit", "背景图片" },
                                                   { "portBox", "打印端口" } };
    for (const auto &[field, key] : iniKeys) {
        TextField f { "settings file " + field, settings, field, {}, saveSettings, [key] {
                         return AppSettings::readString(key, "<missing>");
                     } };
        f.settingsFile = true;
        if (field == "portBox")
            f.emptyRefusal = "请选择POS打印端口！";
        list << f;
    }

    // The business windows: a return's note, a redemption's gift, and the product texts a
    // sale copies from the catalogue into its consumption rows.
    list << TextField { "return note",
                        [](Fixture &fx) {
                            SmallShop(fx);
                            Widget w = Open("Ttuihuo");
                            LookUp(w.get(), "8001");
                            AddProduct(w.get(), "SP001");
                            return w;
                        },
                        "noteEdit",
                        {},
                        [](QWidget *w) { Click(w, "confirmButton"); },
                        [] { return StoredText("select \"退/换货说明\" from 消费记录"); } };
    list << TextField { "redemption gift",
                        [](Fixture &fx) {
                            SmallShop(fx);
                            Widget w = Open("Tduihuan");
                            LookUp(w.get(), "8001");
                            Enter(w.get(), "pointsEdit", "10");
                            return w;
                        },
                        "giftEdit",
                        {},
                        [](QWidget *w) { Click(w, "confirmButton"); },
                        [] { return StoredText("select 兑换礼品 from 流水记录"); } };
    list << TextField {
        "replacement new card",
        [](Fixture &fx) {
            SmallShop(fx);
            Widget w = Open("Tguashi");
            LookUp(w.get(), "8001");
            return w;
        },
        "newCardEdit",
        {},
        [](QWidget *w) { Click(w, "confirmButton"); },
        [] { return StoredText("select 会员卡号 from 会员卡信息 where 会员姓名 = '张三'"); },
        "请输入新卡号！"
    };
    const QList<QPair<QString, QString>> productColumns { { "categoryBox", "所属类别" },
                                                          { "codeEdit", "商品编号" },
                                                          { "nameEdit", "商品名称" },
                                                          { "unitEdit", "单位" } };
    for (const auto &[field, column] : productColumns) {
        const QString statement
            = QString("select \"%1\" from 商品档案 where 预设单价 = 3").arg(column);
        list << TextField { "catalogue " + field,
                            [](Fixture &) {
                                Widget w = Open("Tshangpindangan");
                                Click(w.get(), "newButton");
                                Enter(w.get(), "priceEdit", "3");
                                return w;
                            },
                            field,
                            {},
                            [](QWidget *w) { Click(w, "saveButton"); },
                            [statement] { return StoredText(statement); } };
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
    values << "50abc_off"
           << "50%xoff"
           << "OBriens "
           << "引号"
           << "C:新x"
           << "会员卡"
           << "张 三"
           << "drop table";
    return values;
}

static QStringList ModelColumn(QAbstractItemModel *model, int column)
{
    while (model->canFetchMore({}))
        model->fetchMore({});
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells << model->index(row, column).data().toString();
    return cells;
}

static QStringList GridColumnCells(RecordGrid *grid, const QString &field)
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

QList<SearchField> SearchFields()
{
    QList<SearchField> list;
    // Member searches: card "M<i>" holds value i in all four searched columns.
    using Column = MemberPanel::SearchColumn;
    const QList<QPair<QString, Column>> memberSearches { { "name", Column::Name },
                                                         { "identity", Column::Identity },
                                                         { "phone", Column::Phone },
                                                         { "mobile", Column::Mobile } };
    // The panel is shared: every column in the purchase window, the name in the others.
    QList<QPair<QString, QPair<QString, Column>>> panelSearches;
    for (const auto &[label, column] : memberSearches)
        panelSearches << qMakePair(QString("Tzengjiajifen"), qMakePair(label, column));
    for (const char *cls : { "Ttuihuo", "Tduihuan", "Tjifenchaxun", "Tkoutou", "Tguashi" })
        panelSearches << qMakePair(QString(cls), qMakePair(QString("name"), Column::Name));
    for (const auto &[windowClass, search] : panelSearches) {
        const Column c = search.second;
        const QString cls = windowClass;
        list << SearchField { "member search " + search.first + " in " + windowClass,
                              [cls](Fixture &fx) {
                                  AddCategory(fx, { "普通卡", 100, 1, 0 });
                                  const QStringList values = SearchedValues();
                                  for (int i = 0; i < values.size(); ++i)
                                      fx.exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, "
                                              "身份证号, 固定电话, 手机) "
                                              "values (?, '普通卡', ?, ?, ?, ?)",
                                              { QString("M%1").arg(i), values[i], values[i],
                                                values[i], values[i] });
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
                                  for (const QString &card : ModelColumn(
                                           w->findChild<MemberPanel *>()->pickGrid()->model(), 0))
                                      found << values.value(card.mid(1).toInt());
                                  return found;
                              } };
    }
    // Products: code "#<i>" and name value i.
    const auto products = [](Fixture &fx) {
        AddCategory(fx, { "普通卡", 100, 1, 0 });
        AddMember(fx, "8001", "张三", "普通卡", 500);
        const QStringList values = SearchedValues();
        for (int i = 0; i < values.size(); ++i)
            fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values "
                    "('类', ?, ?, '个', 1)",
                    { QString("#%1").arg(i), values[i] });
    };
    list << SearchField { "basket product search",
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
                          [](QWidget *w) {
                              return ModelColumn(
                                  w->findChild<ProductPicker *>()->pickGrid()->model(), 2);
                          } };
    list << SearchField {
        "catalogue search",
        [products](Fixture &fx) {
            products(fx);
            return Open("Tshangpindangan");
        },
        [](QWidget *w, const QString &text) {
            qobject_cast<QComboBox *>(Child(w, "columnBox"))->setCurrentText("商品名称");
            Enter(w, "searchEdit", text);
            Click(w, "searchButton");
        },
        [](QWidget *w) { return GridColumnCells(w->findChild<RecordGrid *>(), "商品名称"); }
    };
    list << SearchField { "member list by category",
                          [](Fixture &fx) {
                              const QStringList values = SearchedValues();
                              for (int i = 0; i < values.size(); ++i)
                                  fx.exec("insert into 会员卡信息 (会员卡号, 卡类别) values (?, ?)",
                                          { QString("M%1").arg(i), values[i] });
                              return Open("Tquanbuhuiyuan");
                          },
                          [](QWidget *w, const QString &text) {
                              Enter(w, "categoryBox", text);
                              Click(w, "categoryQueryButton");
                          },
                          [](QWidget *w) {
                              const QStringList values = SearchedValues();
                              QStringList found;
                              for (const QString &card :
                                   GridColumnCells(w->findChild<RecordGrid *>(), "会员卡号"))
                                  found << values.value(card.mid(1).toInt());
                              return found;
                          },
                          true };
    // Record filters and history quick finds compare for equality.
    const QList<QPair<QString, QString>> recordWindows { { "journal filter", "Txiangxijilu" },
                                                         { "consumption filter", "Txiaofeijilu" } };
    for (const auto &[label, windowClass] : recordWindows) {
        const QString cls = windowClass;
        list << SearchField {
            label,
            [cls](Fixture &fx) {
                for (const QString &v : SearchedValues()) {
                    fx.exec("insert into 流水记录 (编号, 会员卡号, 会员姓名, 增减积分, 日期) "
                            "values ('1', 'x', ?, 1, '2026-03-01')",
                            { v });
                    fx.exec("insert into 消费记录 (编号, 会员卡号, 会员姓名, 数量, 日期) values "
                            "('1', 'x', ?, 1, '2026-03-01')",
                            { v });
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
            true
        };
    }
    const QList<QPair<QString, QString>> historyWindows {
        { "loss history find", "Tkoutoujilu" }, { "replacement history find", "Tguashilishi" }
    };
    for (const auto &[label, windowClass] : historyWindows) {
        const QString cls = windowClass;
        list << SearchField {
            label,
            [cls](Fixture &fx) {
                for (const QString &v : SearchedValues()) {
                    fx.exec("insert into 口头挂失记录 (会员卡号, 会员姓名) values ('x', ?)", { v });
                    fx.exec("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名) values ('x', 'y', ?)",
                            { v });
                }
                return Open(cls);
            },
            [](QWidget *w, const QString &text) {
                qobject_cast<QComboBox *>(Child(w, "columnBox"))->setCurrentText("会员姓名");
                Enter(w, "valueEdit", text);
                Return(w, "valueEdit");
            },
            [](QWidget *w) { return GridColumnCells(w->findChild<RecordGrid *>(), "会员姓名"); },
            true
        };
    }
    return list;
}

static NumberField::Entry PasteField(const QString &field)
{
    return [field](QWidget *w, const QString &text) -> std::optional<QString> {
        QWidget *f = Child(w, field);
        PasteInto(f, text);
        return FieldText(f);
    };
}

// Types into a basket cell through its editor and commits it with Enter.
static NumberField::Entry PasteBasketCell(int column)
{
    return [column](QWidget *w, const QString &text) -> std::optional<QString> {
        auto *basket = w->findChild<BasketGrid *>();
        basket->setFocus();
        basket->setCurrentCell(0, column);
        basket->editItem(basket->item(0, column));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        if (!editor)
            return std::nullopt;
        PasteInto(editor, text);
        const QString shown = editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        // The cell is what the line stores; it must show what the editor accepted.
        if (basket->cellText(0, column) != shown) {
            qWarning("basket cell %s, editor %s", qPrintable(basket->cellText(0, column)),
                     qPrintable(shown));
            return std::nullopt;
        }
        return shown;
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
    const QList<QPair<QString, QString>> categoryColumns { { "ratioEdit", "积分比例" },
                                                           { "discountEdit", "折扣" },
                                                           { "thresholdEdit", "自动变卡下限" } };
    for (const auto &[field, column] : categoryColumns) {
        const QString statement
            = QString("select \"%1\" from 卡类别 where 卡类别 = '新卡'").arg(column);
        list << NumberField { "category " + field, category, PasteField(field),
                              [](QWidget *w) { Click(w, "saveButton"); },
                              [statement] { return StoredText(statement); } };
    }
    list << NumberField { "referral bonus", [](Fixture &) { return Open("Tyinjianjifen"); },
                          PasteField("bonusEdit"), [](QWidget *w) { Click(w, "confirmButton"); },
                          [] { return StoredText("select 引荐积分 from 引荐积分"); } };
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
    list << NumberField { "purchase amount", purchase, PasteField("amountEdit"), confirm,
                          journalPoints };
    list << NumberField { "basket price", purchaseWithProduct, PasteBasketCell(BasketGrid::Price),
                          confirm, [] { return StoredText("select 消费金额 from 消费记录"); } };
    list << NumberField { "basket quantity", purchaseWithProduct,
                          PasteBasketCell(BasketGrid::Quantity), confirm,
                          [] { return StoredText("select 数量 from 消费记录"); } };
    list << NumberField { "exchange difference",
                          [](Fixture &fx) {
                              SmallShop(fx);
                              Widget w = Open("Ttuihuo");
                              LookUp(w.get(), "8001");
                              Click(w.get(), "exchangeButton");
                              AddProduct(w.get(), "SP001");
                              return w;
                          },
                          PasteField("discountedEdit"), confirm, journalPoints };
    const auto redemption = [](Fixture &fx) {
        SmallShop(fx);
        Widget w = Open("Tduihuan");
        LookUp(w.get(), "8001");
        return w;
    };
    list << NumberField { "redeemed points", redemption, PasteField("pointsEdit"), confirm,
                          journalPoints };
    list << NumberField { "redeemed cash",
                          [redemption](Fixture &fx) {
                              Widget w = redemption(fx);
                              Click(w.get(), "cashButton");
                              Enter(w.get(), "pointsEdit", "10");
                              return w;
                          },
                          PasteField("cashEdit"), confirm,
                          [] { return StoredText("select 返现金 from 流水记录"); } };
    list << NumberField {
        "catalogue price",
        [](Fixture &) {
            Widget w = Open("Tshangpindangan");
            Click(w.get(), "newButton");
            Enter(w.get(), "nameEdit", "新品");
            return w;
        },
        PasteField("priceEdit"), [](QWidget *w) { Click(w, "saveButton"); },
        [] { return StoredText("select 预设单价 from 商品档案 where 商品名称 = '新品'"); }
    };
    return list;
}
