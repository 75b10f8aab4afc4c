// huiyuanjifen-bench --shop FILE --baseline FILE --work DIR [--export-rows N] [--benchmark_* ...]
//
// Measures the program's own code paths on a seeded busy shop (FILE, a copy: the saves
// write to it) and on a shop with a hundredth of its journal (the growth baseline), and
// prints one table. Exit status 1 when a target is missed. bench/run prepares the files.
#include "cases.h"
#include "children.h"
#include "results.h"
#include "shop.h"

#include "app/application.h"
#include "app/program.h"
#include "common/basefolder.h"
#include "common/reportpreview.h"
#include "common/scripteddialogs.h"
#include "common/session.h"
#include "data/dm1frm.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

QtMessageHandler previousHandler = nullptr;

// Notes of the offscreen platform, repeated for every window, would bury the figures.
void quietMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("propagateSizeHints")) || text.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

class NoPreview : public PreviewProvider
{
public:
    void preview(QWidget *, const QString &, const ReportPainter &) override {}
};

struct Options
{
    QString shop;
    QString baseline;
    QString work;
    qint64 exportRows = 100000;
};

int usage()
{
    std::fprintf(stderr, "usage: huiyuanjifen-bench --shop FILE --baseline FILE --work DIR [--export-rows N]\n");
    return 2;
}

void run(MedianCollector &collector)
{
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::ClearRegisteredBenchmarks();
    ReleaseCaseWindows();
}

// A line against a time target; the case's median from the collector.
ResultLine timed(const MedianCollector &c, const QString &name, const QString &operation, const QString &size,
                 double targetMs)
{
    ResultLine l{operation, size, {}, QStringLiteral("≤ ") + Millis(targetMs)};
    if (!c.medians.contains(name)) {
        l.measured = false;
        l.median = c.errors.value(name, QStringLiteral("did not run"));
        return l;
    }
    l.median = Millis(c.medians.value(name));
    l.ratio = c.medians.value(name) / targetMs;
    return l;
}

// A line comparing two cases: the first may cost at most limit times the second.
ResultLine relative(const MedianCollector &c, const QString &name, const QString &against, const QString &operation,
                    const QString &size, double limit, const QString &limitText)
{
    ResultLine l{operation, size, {}, limitText};
    if (!c.medians.contains(name) || !c.medians.contains(against) || c.medians.value(against) <= 0) {
        l.measured = false;
        l.median = QStringLiteral("did not run");
        return l;
    }
    const double a = c.medians.value(name);
    const double b = c.medians.value(against);
    l.median = Millis(a) + QStringLiteral(" vs ") + Millis(b) + QStringLiteral(" (×")
               + QString::number(a / b, 'f', 2) + QLatin1Char(')');
    l.ratio = a / b / limit;
    return l;
}

} // namespace

int main(int argc, char **argv)
{
    previousHandler = qInstallMessageHandler(quietMessages);
    if (argc == 3 && std::strcmp(argv[1], "--startup-child") == 0)
        return RunStartupChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    RegisterAllWindows();
    app.setAttribute(Qt::AA_Use96Dpi, true);
    ScriptedDialogs dialogs;
    NoPreview preview;
    ReportPreview::install(&preview);
    SetCurrentOperator(QStringLiteral("0001"), QString());

    QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--memory-child"))
        return RunMemoryChild(args.at(2));

    // Our options; the rest goes to Google Benchmark (--benchmark_filter and friends).
    Options options;
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (a == QLatin1String("--shop") && hasValue)
            options.shop = QString::fromLocal8Bit(argv[++i]);
        else if (a == QLatin1String("--baseline") && hasValue)
            options.baseline = QString::fromLocal8Bit(argv[++i]);
        else if (a == QLatin1String("--work") && hasValue)
            options.work = QString::fromLocal8Bit(argv[++i]);
        else if (a == QLatin1String("--export-rows") && hasValue)
            options.exportRows = QString::fromLocal8Bit(argv[++i]).toLongLong();
        else if (a.startsWith(QLatin1String("--benchmark_")))
            rest.push_back(argv[i]);
        else
            return usage();
    }
    if (options.shop.isEmpty() || options.baseline.isEmpty() || options.work.isEmpty() || options.exportRows <= 0)
        return usage();
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    BaseFolder::setPath(options.work);

    TDM1 dm;
    MedianCollector collector;

    std::fprintf(stderr, "growth baseline: %s\n", qPrintable(options.baseline));
    const Shop baseline = Shop::open(options.baseline);
    RegisterLookupAndSave(baseline, QStringLiteral(" (baseline)"));
    run(collector);
    dm.close();

    std::fprintf(stderr, "shop: %s\n", qPrintable(options.shop));
    const Shop shop = Shop::open(options.shop);
    RegisterLookupAndSave(shop, QString());
    RegisterLookupFloor(shop);
    RegisterShopCases(shop, qMin(options.exportRows, shop.journalRows), options.work);
    RegisterMemberViewCases();
    RegisterStartup(options.work);
    RegisterCardReplacement(shop);
    run(collector);
    dm.close();

    std::fprintf(stderr, "memory with the journal window open\n");
    const double memory = MeasureJournalWindowMemory(options.work);

    const QString members = Count(shop.members) + QStringLiteral(" members");
    const QString journal = Count(shop.journalRows) + QStringLiteral(" journal rows");
    const QString busy = members + QStringLiteral(", ") + journal;
    const QString rows = Count(qMin(options.exportRows, shop.journalRows)) + QStringLiteral(" rows");
    QList<ResultLine> lines{
        timed(collector, "LookUpCard", "`LookUpCard` in the purchase window", busy, 2),
        timed(collector, "SearchMembers", "`SearchMembers` by part of a name (“秀”)", members, 150),
        timed(collector, "SearchMembers, no match", "`SearchMembers`, a part of a name nobody has", members, 150),
        timed(collector, "PickMember", "`PickMember`", members, 2),
        timed(collector, "purchase save", "purchase save, 5 basket lines, category change on",
              busy + QStringLiteral(", ") + Count(shop.consumptionRows) + QStringLiteral(" consumption rows"), 15),
        timed(collector, "return save", "return save", busy, 15),
        timed(collector, "redemption save", "redemption save", busy, 15),
        timed(collector, "card replacement", "card replacement (moves the member's history)", busy
              + QStringLiteral(", ") + Count(shop.consumptionRows) + QStringLiteral(" consumption rows"), 50),
        timed(collector, "NextJournalNumber", "`NextJournalNumber`", journal, 1),
        timed(collector, "birthday list three days", "birthday list, three days", members, 20),
        timed(collector, "birthday list five days", "birthday list, five days", members, 20),
        timed(collector, "journal window open", "journal window on all rows, with footers", journal, 500),
        timed(collector, "journal sort by 增减积分", "journal window: sort by 增减积分", journal, 2000),
        timed(collector, "journal sort by 日期", "journal window: sort by 日期", journal, 2000),
    };
    lines << timed(collector, "member list show all", "member list “显示全部” with its footer", members, 300);
    for (const char *format : {"TXT", "CSV", "HTML", "RTF", "XLS"})
        lines << timed(collector, QStringLiteral("export ") + QLatin1String(format),
                       QStringLiteral("export, ") + QLatin1String(format), rows, 5000);
    lines << timed(collector, "startup to login", "start-up to the login window", busy, 1000);
    ResultLine rss{"resident memory, journal window open on all rows", journal, {}, "≤ 200 MB"};
    rss.measured = memory > 0;
    rss.median = rss.measured ? QString::number(memory, 'f', 0) + QStringLiteral(" MB") : QStringLiteral("child failed");
    rss.ratio = memory / 200;
    lines << rss;
    const QString growthSize = Count(shop.journalRows) + QStringLiteral(" vs ") + Count(baseline.journalRows)
                               + QStringLiteral(" journal rows");
    lines << relative(collector, "LookUpCard", "LookUpCard (baseline)", "Growth: `LookUpCard`", growthSize, 2,
                      QStringLiteral("≤ 2 × baseline"))
          << relative(collector, "purchase save", "purchase save (baseline)", "Growth: purchase save", growthSize, 2,
                      QStringLiteral("≤ 2 × baseline"))
          << relative(collector, "LookUpCard", "lookup floor", "Floor: `LookUpCard` vs its bare statements", busy, 2,
                      QStringLiteral("≤ 2 × floor"));
    return PrintTable(lines) ? 0 : 1;
}
