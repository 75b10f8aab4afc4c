// huiyuanjifen-mkdb PATH: writes a new database with the reference content.
#include "data/schema.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    // An option is never meant as a file name; "--help" must not become a database.
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: huiyuanjifen-mkdb PATH\n";
        return 2;
    }
    QString error;
    if (!Schema::createDatabase(args.at(1), &error)) {
        err << error << "\n";
        return 1;
    }
    return 0;
}
