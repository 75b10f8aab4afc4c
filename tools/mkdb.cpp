// huiyuanjifen-mkdb PATH: writes a new database with the reference content.
#include "data/schema.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
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
