#pragma once

#include "hostileinput.h"

#include "common/gbk.h"
#include "common/shell.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "points/productpicker.h"
#include "support/fixture.h"
#include "support/members.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QTableView>

#include <memory>
#include <optional>

// How the hostile input tests open windows and work their controls by object name.
using Widget = std::unique_ptr<QWidget>;

// A text the settings file can carry: GBK, one line, and as Windows reads a value back
// (blanks around it and one pair of surrounding quotes gone).
inline QString AsIniCarriesIt(const QString &text)
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

inline QWidget *Child(QWidget *window, const QString &objectName)
{
    QWidget *w = window->findChild<QWidget *>(objectName);
    if (!w)
        qFatal("no control named %s in %s", qPrintable(objectName),
               window->metaObject()->className());
    return w;
}

inline void Click(QWidget *window, const QString &button)
{
    auto *b = qobject_cast<QAbstractButton *>(Child(window, button));
    if (!b)
        qFatal("%s is no button", qPrintable(button));
    b->click();
}

inline void Enter(QWidget *window, const QString &field, const QString &text)
{
    PasteInto(Child(window, field), text);
}

inline void Return(QWidget *window, const QString &field)
{
    QTest::keyClick(InputTarget(Child(window, field)), Qt::Key_Return);
}

inline Widget Open(const QString &windowClass)
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

inline std::optional<QString> StoredText(const QString &statement, const QVariantList &values = {})
{
    QSqlQuery q = Sql::exec(statement, values);
    if (!q.next())
        return std::nullopt;
    return Sql::text(q.value(0));
}

// The shop every business window works in: one category, a member with points, products.
inline void SmallShop(Fixture &fx)
{
    AddCategory(fx, { "普通卡", 100, 1, 0 });
    AddMember(fx, "8001", "张三", "普通卡", 500);
    fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values ('日用', "
            "'SP001', '毛巾', '条', 10)");
}

inline void LookUp(QWidget *window, const QString &card)
{
    auto *panel = window->findChild<MemberPanel *>();
    panel->cardEdit()->setText(card);
    QTest::keyClick(panel->cardEdit(), Qt::Key_Return);
}

// Fills the first basket line with a product found by its code.
inline void AddProduct(QWidget *window, const QString &code)
{
    auto *picker = window->findChild<ProductPicker *>();
    picker->searchEdit()->setText(code);
    QTest::keyClick(picker->searchEdit(), Qt::Key_Return);
    picker->pickGrid()->setCurrentIndex(picker->pickGrid()->model()->index(0, 0));
    picker->pickGridDoubleClick();
}

// Twelve tables: no typed text ended a statement and began another.
inline bool TablesIntact()
{
    const int tables
        = Sql::scalar(
              "select count(*) from sqlite_master where type = 'table' and name not like 'sqlite%'")
              .toInt();
    return tables == 12;
}
