#pragma once

#include "data/memberpanel.h"
#include "data/sql.h"
#include "support/commitwatchingdialogs.h"
#include "support/fixture.h"
#include "support/openedwindows.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

// A business window with a member panel, open over the test's small shop and driven as at the
// counter. The shop is set up first; open() then shows the window.
template<class Window>
struct Desk
{
    void open()
    {
        window = std::make_unique<Window>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    MemberPanel *panel() const { return window->memberPanel(); }
    void lookUp(const QString &card)
    {
        panel()->cardEdit()->setText(card);
        QTest::keyClick(panel()->cardEdit(), Qt::Key_Return);
    }
    // Finds products by the picker's search and takes the given row of the results.
    void addProduct(const QString &search, int row = 0)
    {
        auto *picker = window->productPicker();
        picker->searchEdit()->setText(search);
        QTest::keyClick(picker->searchEdit(), Qt::Key_Return);
        picker->pickGrid()->setCurrentIndex(picker->pickGrid()->model()->index(row, 0));
        picker->pickGridDoubleClick();
    }
    double points(const QString &card = "8001") const
    {
        return Sql::scalar("select 积分 from 会员卡信息 where 会员卡号 = ?", {card}).toDouble();
    }

    Fixture fx;
    CommitWatchingDialogs dialogs; // installed over the fixture's
    OpenedWindowsShell shell;
    std::unique_ptr<Window> window;
};
