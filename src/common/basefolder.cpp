#include "basefolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString overridden;
}

namespace BaseFolder {

QString path()
{
    return overridden.isEmpty() ? QCoreApplication::applicationDirPath() : overridden;
}

void setPath(const QString &folder)
{
    overridden = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QString file(const QString &relative)
{
    return QDir(path()).filePath(relative);
}

} // namespace BaseFolder
