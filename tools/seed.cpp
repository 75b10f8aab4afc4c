// huiyuanjifen-seed PATH --members N --journal N [--consumption N] [--products N] [--seed N]
#include "seeder.h"

#include "data/dm1frm.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QTextStream err(stderr);
    const char *usage = "usage: huiyuanjifen-seed PATH --members N --journal N [--consumption N] [--products N] [--seed N]\n";
    SeedOptions options;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = true;
        if (args[i] == QLatin1String("--members") && i + 1 < args.size())
            options.members = args[++i].toInt(&ok);
        else if (args[i] == QLatin1String("--journal") && i + 1 < args.size())
            options.journal = args[++i].toInt(&ok);
        else if (args[i] == QLatin1String("--consumption") && i + 1 < args.size())
            options.consumption = args[++i].toInt(&ok);
        else if (args[i] == QLatin1String("--products") && i + 1 < args.size())
            options.products = args[++i].toInt(&ok);
        else if (args[i] == QLatin1String("--seed") && i + 1 < args.size())
            options.seed = args[++i].toUInt(&ok);
        else if (path.isEmpty() && !args[i].startsWith(QLatin1Char('-')))
            path = args[i];
        else
            ok = false;
        if (!ok || options.members < 0 || options.journal < 0 || options.consumption < -1 || options.products < -1) {
            err << usage;
            return 2;
        }
    }
    if (path.isEmpty()) {
        err << usage;
        return 2;
    }
    TDM1 dm;
    QString error;
    if (!SeedDatabase(path, options, &error)) {
        err << error << "\n";
        return 1;
    }
    return 0;
}
