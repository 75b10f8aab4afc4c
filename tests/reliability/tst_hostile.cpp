#include "hostilefields.h"

#include "common/numtext.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QFile>
#include <QStringEncoder>

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
    const std::optional<QString> entered = f.enter(window.get(), text);
    QVERIFY(entered);
    const QString shown = *entered;
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
        QVERIFY2(fx.dialogs.messages.first().icon == MsgIcon::Error,
                 qPrintable(fx.dialogs.texts().join(' ')));
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
    QTest::newRow("statement") << QString("'; drop table 会员卡信息; --")
                               << QString("'; drop table 会员卡信息; --");
    QTest::newRow("quotes and backslashes")
        << QString("\"C:\\新\\\" '") << QString("\"C:\\新\\\" '");
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
    AddCategory(fx, { "普通卡", 100, 1, 0 });
    AddMember(fx, "8001", text, "普通卡", 0);
    fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values ('日用', "
            "'SP001', ?, '条', 10)",
            { text });
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
