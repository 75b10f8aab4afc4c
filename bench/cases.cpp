#include "cases.h"

#include "data/journalnumber.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "points/duihuanfrm.h"
#include "points/tuihuofrm.h"
#include "points/zengjiajifenfrm.h"
#include "records/exportgrid.h"
#include "records/recordgrid.h"
#include "records/xiangxijilufrm.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

#include <functional>
#include <memory>

namespace {

using benchmark::State;

// The windows the cases drive, made on first use and shown offscreen as an operator has them.
struct Windows
{
    std::unique_ptr<Tzengjiajifen> purchase;
    std::unique_ptr<Ttuihuo> returns;
    std::unique_ptr<Tduihuan> redemption;
};

Windows &windows()
{
    static Windows w;
    return w;
}

template<typename T>
T *shown(std::unique_ptr<T> &window)
{
    if (!window) {
        window = std::make_unique<T>();
        window->resize(window->childSize());
        window->show();
        QCoreApplication::processEvents();
    }
    return window.get();
}

benchmark::internal::Benchmark *add(const QString &name, std::function<void(State &)> body)
{
    return benchmark::RegisterBenchmark(name.toStdString().c_str(),
                                        [body](State &state) {
                                            try {
                                                body(state);
                                            } catch (const DbError &e) {
                                                state.SkipWithError(e.text().toStdString().c_str());
                                            } catch (const ExportError &e) {
                                                state.SkipWithError(e.text().toStdString().c_str());
                                            }
                                        })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->ReportAggregatesOnly(true);
}

qint64 lastJournalRow()
{
    return Sql::scalar(QStringLiteral("select max(rowid) from 流水记录")).toLongLong();
}

void lookUp(MemberPanel *panel, const QString &card)
{
    panel->cardEdit()->setText(card);
    panel->LookUpCard();
}

// Runs saves through a window's "确定"; each iteration's member and inputs are set up
// untimed. Fails the case unless every save wrote its journal row.
void saveLoop(State &state, const std::function<void(int)> &prepare, const std::function<void()> &confirm)
{
    const qint64 before = lastJournalRow();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare(i++);
        state.ResumeTiming();
        confirm();
    }
    if (lastJournalRow() - before != i)
        state.SkipWithError("a save wrote no journal row");
}

Txiangxijilu *openJournalOnAllRows()
{
    auto *w = new Txiangxijilu;
    w->resize(w->childSize());
    w->show();
    w->allDatesBox->setChecked(true);
    w->allMembersBox->setChecked(true);
    w->queryButtonClick();
    QCoreApplication::processEvents();
    return w;
}

} // namespace

void RegisterLookupAndSave(const Shop &shop, const QString &suffix)
{
    add(QStringLiteral("LookUpCard") + suffix, [&shop](State &state) {
        MemberPanel *panel = shown(windows().purchase)->memberPanel();
        // Each member once untimed, as the floor does: both then read pages already in memory.
        for (const QString &card : shop.cards)
            lookUp(panel, card);
        int i = 0;
        for (auto _ : state) {
            state.PauseTiming();
            panel->cardEdit()->setText(shop.cards.at(i++ % shop.cards.size()));
            state.ResumeTiming();
            panel->LookUpCard();
        }
        if (!panel->isLoaded())
            state.SkipWithError("the lookup loaded no member");
    })->Iterations(200)->Repetitions(7);

    add(QStringLiteral("purchase save") + suffix, [&shop](State &state) {
        if (Sql::text(Sql::scalar(QStringLiteral("select 自动变卡 from 自动变卡"))) != QStringLiteral("是")) {
            state.SkipWithError("the automatic category change is off");
            return;
        }
        Tzengjiajifen *w = shown(windows().purchase);
        saveLoop(
            state,
            [&](int i) {
                lookUp(w->memberPanel(), shop.cards.at((i * 7) % shop.cards.size()));
                for (int k = 0; k < 5; ++k)
                    w->basketGrid()->addProduct(shop.basketProducts.at((i + k) % shop.basketProducts.size()));
            },
            [w] { w->confirmButtonClick(); });
    })->Iterations(20)->Repetitions(5);
}

void RegisterLookupFloor(const Shop &shop)
{
    add(QStringLiteral("lookup floor"), [&shop](State &state) {
        QSqlDatabase db = QSqlDatabase::database();
        const QStringList statements{
            QStringLiteral("select 旧卡号 from 挂失记录 where 旧卡号 = ?"),
            QStringLiteral("select * from 会员卡信息 where 会员卡号 = ?"),
            QStringLiteral("select count(*) from 流水记录 where 会员卡号 = ? and 增减原因 = '购物消费'"),
            QStringLiteral("select sum(消费金额) as zongjine from 消费记录 where 会员卡号 = ?"),
            QStringLiteral("select 折扣 from 卡类别 where 卡类别 = ?"),
            QStringLiteral("select 积分比例 from 卡类别 where 卡类别 = ?"),
        };
        std::vector<QSqlQuery> queries;
        for (const QString &s : statements) {
            queries.emplace_back(db);
            queries.back().setForwardOnly(true);
            if (!queries.back().prepare(s)) {
                state.SkipWithError("a lookup statement did not prepare");
                return;
            }
        }
        QVariant sink;
        const auto lookUpBare = [&](const QString &card) {
            QString category;
            for (size_t k = 0; k < queries.size(); ++k) {
                QSqlQuery &q = queries[k];
                q.bindValue(0, k >= 4 ? QVariant(category) : QVariant(card));
                q.exec();
                if (q.next()) {
                    // Reads the whole row, as a lookup fills the panel from it.
                    for (int c = 0; c < q.record().count(); ++c)
                        sink = q.value(c);
                    if (k == 1)
                        category = q.value(1).toString();
                }
                q.finish();
            }
        };
        for (const QString &card : shop.cards)
            lookUpBare(card);
        int i = 0;
        for (auto _ : state) {
            lookUpBare(shop.cards.at(i++ % shop.cards.size()));
            benchmark::DoNotOptimize(sink);
        }
    })->Iterations(200)->Repetitions(7);
}

void RegisterShopCases(const Shop &shop, qint64 exportRows, const QString &exportFolder)
{
    add(QStringLiteral("SearchMembers"), [](State &state) {
        MemberPanel *panel = shown(windows().purchase)->memberPanel();
        for (auto _ : state) {
            state.PauseTiming();
            panel->nameEdit()->setText(QStringLiteral("秀"));
            state.ResumeTiming();
            panel->SearchMembers(MemberPanel::SearchColumn::Name);
        }
        if (panel->pickGrid()->model()->rowCount() == 0)
            state.SkipWithError("the search found nobody");
    })->Iterations(10)->Repetitions(5);

    // A part of a name nobody has: the engine reads the whole table before the list shows.
    add(QStringLiteral("SearchMembers, no match"), [](State &state) {
        MemberPanel *panel = shown(windows().purchase)->memberPanel();
        for (auto _ : state) {
            state.PauseTiming();
            panel->nameEdit()->setText(QStringLiteral("无此人"));
            state.ResumeTiming();
            panel->SearchMembers(MemberPanel::SearchColumn::Name);
        }
        if (panel->pickGrid()->model()->rowCount() != 0)
            state.SkipWithError("the search found somebody");
    })->Iterations(10)->Repetitions(5);

    add(QStringLiteral("PickMember"), [](State &state) {
        MemberPanel *panel = shown(windows().purchase)->memberPanel();
        panel->nameEdit()->setText(QStringLiteral("秀"));
        panel->SearchMembers(MemberPanel::SearchColumn::Name);
        QAbstractItemModel *model = panel->pickGrid()->model();
        const int rows = model->rowCount();
        int i = 0;
        for (auto _ : state) {
            state.PauseTiming();
            panel->pickGrid()->setCurrentIndex(model->index((i++ * 37) % rows, 0));
            state.ResumeTiming();
            panel->PickMember();
        }
        if (!panel->isLoaded())
            state.SkipWithError("the pick loaded no member");
    })->Iterations(200)->Repetitions(7);

    add(QStringLiteral("return save"), [&shop](State &state) {
        Ttuihuo *w = shown(windows().returns);
        saveLoop(
            state,
            [&](int i) {
                lookUp(w->memberPanel(), shop.richCards.at(i % shop.richCards.size()));
                w->basketGrid()->addProduct(shop.basketProducts.at(i % shop.basketProducts.size()));
                w->findChild<QLineEdit *>(QStringLiteral("noteEdit"))->setText(QStringLiteral("质量问题"));
            },
            [w] { w->confirmButtonClick(); });
    })->Iterations(20)->Repetitions(5);

    add(QStringLiteral("redemption save"), [&shop](State &state) {
        Tduihuan *w = shown(windows().redemption);
        w->giftButton()->setChecked(true);
        saveLoop(
            state,
            [&](int i) {
                lookUp(w->memberPanel(), shop.richCards.at(i % shop.richCards.size()));
                w->pointsEdit()->setText(QStringLiteral("1"));
                w->giftEdit()->setText(QStringLiteral("保温杯"));
            },
            [w] { w->confirmButtonClick(); });
    })->Iterations(20)->Repetitions(5);

    add(QStringLiteral("NextJournalNumber"), [](State &state) {
        QString number;
        for (auto _ : state)
            benchmark::DoNotOptimize(number = NextJournalNumber());
        if (number.size() != 10)
            state.SkipWithError("no journal number");
    })->Iterations(1000)->Repetitions(7);

    add(QStringLiteral("journal window open"), [](State &state) {
        for (auto _ : state) {
            state.PauseTiming();
            TDM1::instance()->ADOQuery8.close();
            state.ResumeTiming();
            std::unique_ptr<Txiangxijilu> w(openJournalOnAllRows());
            state.PauseTiming();
            // The saves of earlier cases have added rows since the shop was opened.
            const QString counted = w->recordGrid->footerText(1);
            const bool whole = counted == Sql::text(Sql::scalar(QStringLiteral("select count(*) from 流水记录")));
            w.reset();
            state.ResumeTiming();
            if (!whole) {
                state.SkipWithError("the footer does not count every row");
                break;
            }
        }
    })->Iterations(1)->Repetitions(5);

    // A number column and the date column; each click turns the order round.
    for (const auto &[caption, column] : {std::pair{QStringLiteral("增减积分"), 5}, std::pair{QStringLiteral("日期"), 8}}) {
        add(QStringLiteral("journal sort by ") + caption, [column](State &state) {
            TDM1::instance()->ADOQuery8.close();
            std::unique_ptr<Txiangxijilu> w(openJournalOnAllRows());
            for (auto _ : state) {
                w->recordGrid->columnTitleClick(column, false);
                QCoreApplication::processEvents();
            }
            if (w->recordGrid->sortKeys().size() != 1 || w->recordGrid->fetchedRowCount() == 0)
                state.SkipWithError("the grid did not sort");
        })->Iterations(1)->Repetitions(3);
    }

    const QList<std::pair<QString, ExportFormat>> formats{{QStringLiteral("TXT"), ExportFormat::Text},
                                                          {QStringLiteral("CSV"), ExportFormat::Csv},
                                                          {QStringLiteral("HTML"), ExportFormat::Html},
                                                          {QStringLiteral("RTF"), ExportFormat::Rtf},
                                                          {QStringLiteral("XLS"), ExportFormat::Excel}};
    for (const auto &[name, format] : formats) {
        add(QStringLiteral("export ") + name, [format, exportRows, exportFolder](State &state) {
            // The newest rows of the journal, in the journal window's grid.
            TDM1::instance()->ADOQuery8.close();
            auto w = std::make_unique<Txiangxijilu>();
            w->show();
            const qint64 last = lastJournalRow();
            TDM1::instance()->ADOQuery8.setStatement(QStringLiteral("select * from 流水记录 where rowid > ?"),
                                                     {last - exportRows});
            if (w->recordGrid->totalRowCount() != exportRows) {
                state.SkipWithError("the grid does not hold the rows to export");
                return;
            }
            const QString path = QDir(exportFolder).filePath(QStringLiteral("export.") + GridExport::extension(format));
            for (auto _ : state)
                GridExport::write(w->recordGrid->snapshot(), path, format);
            if (QFileInfo(path).size() < exportRows)
                state.SkipWithError("the export file is too small");
            QFile::remove(path);
        })->Iterations(1)->Repetitions(3);
    }
}

void ReleaseCaseWindows()
{
    windows() = Windows();
}
