#include "data/sql.h"
#include "points/pointstore.h"
#include "points/shangpindanganfrm.h"
#include "records/recordgrid.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <memory>

namespace {

struct Catalogue
{
    Catalogue()
    {
        fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values "
                "('食品', 'SP003', '饼干', '包', 4.5), ('日用', 'SP001', '毛巾', '条', 11.11), "
                "('饮料', 'SP002', '果汁', '瓶', 6), ('日用', 'A_1', '100%棉袜', '双', 9.9)");
        window = std::make_unique<Tshangpindangan>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    RecordGrid *grid() const { return window->productGrid(); }
    QStringList column(const QString &field) const
    {
        QStringList cells;
        for (int row = 0; row < grid()->totalRowCount(); ++row)
            cells << Sql::text(grid()->value(row, field));
        return cells;
    }
    QStringList panel() const
    {
        return {window->categoryBox()->currentText(), window->codeEdit()->text(), window->nameEdit()->text(),
                window->unitEdit()->text(), window->priceEdit()->text()};
    }

    Fixture fx;
    std::unique_ptr<Tshangpindangan> window;
};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensByCategory();
    void addEditAndCancel();
    void typingStartsEditing();
    void refusedSaveStaysInEditing();
    void deleteAsksFirst();
    void search_data();
    void search();
    void categoryListFollowsTheProducts();
    void enterMovesThroughThePanel();
    void exportWritesEveryProduct();
};

void TestCatalogue::opensByCategory()
{
    Catalogue c;
    QCOMPARE(c.window->childPosition(), QPoint(100, 0));
    QCOMPARE(c.window->childSize(), QSize(829, 601));
    QCOMPARE(c.column("所属类别"), QStringList({"日用", "日用", "食品", "饮料"}));
    QCOMPARE(c.window->columnBox()->currentText(), QString("商品编号"));
    QCOMPARE(c.window->columnBox()->count(), 3);
    QVERIFY(c.window->searchEdit()->text().isEmpty());
    QStringList headings;
    QList<int> widths;
    for (const GridColumn &col : c.grid()->columns()) {
        headings << col.heading();
        widths << col.width;
    }
    QCOMPARE(headings, QStringList({"所属类别", "商品编号", "商品名称", "单位", "预设单价"}));
    QCOMPARE(widths, QList<int>({80, 100, 150, 65, 65}));
    // The panel shows the first record, ready for browsing.
    QCOMPARE(c.grid()->currentRow(), 0);
    QCOMPARE(c.panel().at(0), QString("日用"));
    QCOMPARE(c.window->state(), Tshangpindangan::State::Browse);
    QVERIFY(!c.window->saveButton()->isEnabled() && !c.window->cancelButton()->isEnabled());
    QVERIFY(c.window->newButton()->isEnabled() && c.window->editButton()->isEnabled());
    // Moving in the grid moves the panel.
    c.grid()->setCurrentRow(3);
    QCOMPARE(c.panel(), QStringList({"饮料", "SP002", "果汁", "瓶", "6"}));
}

void TestCatalogue::addEditAndCancel()
{
    Catalogue c;
    c.window->newButton()->click();
    QCOMPARE(c.window->state(), Tshangpindangan::State::Insert);
    QCOMPARE(c.panel(), QStringList({"", "", "", "", ""}));
    QVERIFY(!c.grid()->isEnabled());
    c.window->categoryBox()->setEditText("文具");
    c.window->codeEdit()->setText("SP'9");
    c.window->nameEdit()->setText("铅笔\"2B\"");
    c.window->unitEdit()->setText("支");
    c.window->priceEdit()->setText("1.5");
    QVERIFY(c.window->saveButtonClick());
    QCOMPARE(c.window->state(), Tshangpindangan::State::Browse);
    QCOMPARE(c.fx.count("商品档案"), 5);
    QCOMPARE(c.panel(), QStringList({"文具", "SP'9", "铅笔\"2B\"", "支", "1.5"}));
    QCOMPARE(Sql::text(c.grid()->value(c.grid()->currentRow(), "商品编号")), QString("SP'9"));
    // The purchase window finds it at once.
    QSqlQuery found = PointStore::searchProducts("SP'");
    QVERIFY(found.next());
    QCOMPARE(found.value("商品名称").toString(), QString("铅笔\"2B\""));

    c.window->editButton()->click();
    QCOMPARE(c.window->state(), Tshangpindangan::State::Edit);
    c.window->priceEdit()->setText("");
    c.window->unitEdit()->setText("盒");
    QVERIFY(c.window->saveButtonClick());
    QCOMPARE(c.fx.scalar("select 单位 from 商品档案 where 商品编号 = ?", {"SP'9"}).toString(), QString("盒"));
    QVERIFY(c.fx.scalar("select 预设单价 from 商品档案 where 商品编号 = ?", {"SP'9"}).isNull());
    QCOMPARE(c.fx.count("商品档案"), 5);

    c.window->editButton()->click();
    c.window->nameEdit()->setText("不要的名字");
    c.window->cancelButton()->click();
    QCOMPARE(c.window->nameEdit()->text(), QString("铅笔\"2B\""));
    QCOMPARE(c.fx.count("商品档案", "商品名称 = '不要的名字'"), 0);
}

void TestCatalogue::typingStartsEditing()
{
    Catalogue c;
    c.grid()->setCurrentRow(2);
    QTest::keyClicks(c.window->nameEdit(), "XL");
    QCOMPARE(c.window->state(), Tshangpindangan::State::Edit);
    QVERIFY(c.window->saveButtonClick());
    QCOMPARE(c.fx.count("商品档案", "商品名称 = '饼干XL'"), 1);
    QCOMPARE(c.fx.count("商品档案"), 4);
}

void TestCatalogue::refusedSaveStaysInEditing()
{
    Catalogue c;
    c.window->newButton()->click();
    c.window->codeEdit()->setText("SP010");
    c.window->priceEdit()->setText("12a");
    QVERIFY(!c.window->saveButtonClick());
    QCOMPARE(c.fx.dialogs.messages.size(), 1);
    QCOMPARE(c.fx.dialogs.messages.last().icon, MsgIcon::Error);
    QVERIFY(c.fx.dialogs.lastText().contains("CHECK", Qt::CaseInsensitive));
    QCOMPARE(c.window->state(), Tshangpindangan::State::Insert);
    QCOMPARE(c.window->codeEdit()->text(), QString("SP010"));
    QCOMPARE(c.fx.count("商品档案"), 4);
    c.window->priceEdit()->setText("12");
    QVERIFY(c.window->saveButtonClick());
    QCOMPARE(c.fx.scalar("select 预设单价 from 商品档案 where 商品编号 = 'SP010'").toDouble(), 12.0);
}

void TestCatalogue::deleteAsksFirst()
{
    Catalogue c;
    c.grid()->setCurrentRow(1);
    const QString code = c.window->codeEdit()->text();
    c.fx.dialogs.answers << MsgResult::Cancel;
    c.window->deleteButton()->click();
    QCOMPARE(c.fx.dialogs.lastText(), QString("Delete record?"));
    QCOMPARE(c.fx.dialogs.messages.last().buttons, MsgButtons::OkCancel);
    QCOMPARE(c.fx.count("商品档案"), 4);
    c.window->deleteButton()->click();
    QCOMPARE(c.fx.count("商品档案"), 3);
    QCOMPARE(c.fx.count("商品档案", "商品编号 = ?", {code}), 0);
    QCOMPARE(c.grid()->currentRow(), 1);
    QCOMPARE(c.window->codeEdit()->text(), Sql::text(c.grid()->value(1, "商品编号")));
    // Deleting a record being added only abandons it.
    c.fx.dialogs.clear();
    c.window->newButton()->click();
    c.window->deleteButton()->click();
    QVERIFY(c.fx.dialogs.messages.isEmpty());
    QCOMPARE(c.window->state(), Tshangpindangan::State::Browse);
    QCOMPARE(c.fx.count("商品档案"), 3);
}

void TestCatalogue::search_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("empty text lists all") << "商品编号" << "" << QStringList({"A_1", "SP001", "SP002", "SP003"});
    QTest::newRow("code anywhere") << "商品编号" << "00" << QStringList({"SP001", "SP002", "SP003"});
    QTest::newRow("underscore literal") << "商品编号" << "_" << QStringList({"A_1"});
    QTest::newRow("category") << "所属类别" << "日" << QStringList({"A_1", "SP001"});
    QTest::newRow("percent literal") << "商品名称" << "%" << QStringList({"A_1"});
    QTest::newRow("quote finds nothing") << "商品名称" << "'" << QStringList();
}

void TestCatalogue::search()
{
    QFETCH(QString, column);
    QFETCH(QString, text);
    QFETCH(QStringList, codes);
    Catalogue c;
    c.window->columnBox()->setCurrentText(column);
    c.window->searchEdit()->setText(text);
    QTest::keyClick(c.window->searchEdit(), Qt::Key_Return);
    QStringList found = c.column("商品编号");
    found.sort();
    QCOMPARE(found, codes);
    // "取消查找" brings every product back, by record number.
    c.window->cancelSearchButton()->click();
    QCOMPARE(c.column("商品编号"), QStringList({"SP003", "SP001", "SP002", "A_1"}));
}

void TestCatalogue::categoryListFollowsTheProducts()
{
    Catalogue c;
    RefreshingComboBox *box = c.window->categoryBox();
    box->showPopup();
    QStringList listed;
    for (int i = 0; i < box->count(); ++i)
        listed << box->itemText(i);
    listed.sort();
    QCOMPARE(listed, QStringList({"日用", "食品", "饮料"}));
    box->hidePopup();

    c.window->newButton()->click();
    box->setEditText("文具");
    c.window->codeEdit()->setText("SP020");
    box->showPopup(); // not saved yet: not offered, and the typed text stays
    QCOMPARE(box->findText("文具"), -1);
    QCOMPARE(box->currentText(), QString("文具"));
    box->hidePopup();
    QVERIFY(c.window->saveButtonClick());
    box->showPopup();
    QVERIFY(box->findText("文具") >= 0);
    QCOMPARE(box->count(), 4);
    box->hidePopup();
}

void TestCatalogue::enterMovesThroughThePanel()
{
    Catalogue c;
    c.window->categoryBox()->setFocus();
    const QList<QWidget *> chain{c.window->codeEdit(), c.window->nameEdit(), c.window->unitEdit(),
                                 c.window->priceEdit()};
    for (QWidget *next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void TestCatalogue::exportWritesEveryProduct()
{
    Catalogue c;
    c.fx.dialogs.fileNames << QString(); // cancelled: nothing written, no message
    c.window->exportButton()->click();
    QVERIFY(c.fx.dialogs.messages.isEmpty());
    const QString file = c.fx.file("products");
    c.fx.dialogs.fileNames << file;
    c.fx.dialogs.filterChoices << 2;
    c.window->exportButton()->click();
    QCOMPARE(c.fx.dialogs.lastText(), QString("导出数据成功！"));
    QCOMPARE(c.fx.dialogs.messages.last().caption, QString("提示"));
    QCOMPARE(c.fx.dialogs.messages.last().icon, MsgIcon::Information);
    QFile f(file + ".csv");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString csv = QString::fromUtf8(f.readAll());
    QVERIFY(csv.contains("所属类别"));
    QCOMPARE(csv.count("SP00"), 3);
    QVERIFY(csv.contains("100%棉袜"));
}

HYJF_TEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
