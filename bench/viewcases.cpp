#include "cases.h"

#include "cards/guashifrm.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "members/quanbuhuiyuanfrm.h"
#include "members/shengrifrm.h"
#include "records/recordgrid.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLineEdit>

#include <memory>

namespace {

template<typename T>
std::unique_ptr<T> openShown()
{
    auto w = std::make_unique<T>();
    w->resize(w->childSize());
    w->show();
    QCoreApplication::processEvents();
    return w;
}

benchmark::internal::Benchmark *inMilliseconds(benchmark::internal::Benchmark *b)
{
    return b->Unit(benchmark::kMillisecond)->UseRealTime()->ReportAggregatesOnly(true);
}

qint64 count(const QString &table)
{
    return Sql::scalar(QStringLiteral("select count(*) from \"%1\"").arg(table)).toLongLong();
}

} // namespace

void RegisterMemberViewCases()
{
    for (const bool five : {false, true}) {
        const std::string name = five ? "birthday list five days" : "birthday list three days";
        inMilliseconds(benchmark::RegisterBenchmark(name.c_str(), [five](benchmark::State &state) {
            auto w = openShown<Tshengri>();
            for (auto _ : state) {
                if (five)
                    w->fiveDayButtonClick();
                else
                    w->threeDayButtonClick();
                QCoreApplication::processEvents();
            }
            if (w->birthdayGrid()->fetchedRowCount() == 0)
                state.SkipWithError("nobody has a birthday in the next days");
        }))->Iterations(20)->Repetitions(5);
    }

    inMilliseconds(benchmark::RegisterBenchmark("member list show all", [](benchmark::State &state) {
        auto w = openShown<Tquanbuhuiyuan>();
        for (auto _ : state) {
            w->showAllButtonClick();
            QCoreApplication::processEvents();
        }
        if (w->memberGrid()->totalRowCount() != count(QStringLiteral("会员卡信息")))
            state.SkipWithError("the list does not hold every member");
    }))->Iterations(5)->Repetitions(5);
}

void RegisterCardReplacement(const Shop &shop)
{
    inMilliseconds(benchmark::RegisterBenchmark("card replacement", [&shop](benchmark::State &state) {
        auto w = openShown<Tguashi>();
        const qint64 before = count(QStringLiteral("挂失记录"));
        // A replaced number is refused from then on: every repetition takes members of its own.
        static int next = 0;
        int saves = 0;
        for (auto _ : state) {
            state.PauseTiming();
            const int i = next++;
            if (i >= shop.spareCards.size()) {
                state.SkipWithError("too few members to replace cards of");
                break;
            }
            const QString card = shop.spareCards.at(i);
            w->memberPanel()->cardEdit()->setText(card);
            w->memberPanel()->LookUpCard();
            w->newCardEdit()->setText(card + QStringLiteral("N"));
            ++saves;
            state.ResumeTiming();
            w->confirmButtonClick();
        }
        if (count(QStringLiteral("挂失记录")) - before != saves)
            state.SkipWithError("a replacement was not saved");
    }))->Iterations(10)->Repetitions(5);
}
