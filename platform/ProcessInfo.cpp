#include "platform/ProcessInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString ProcessInfo::argumentText(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc && argv[i]; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments.join(QLatin1Char(' '));
}

QString ProcessInfo::programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty())
        folder = QDir::currentPath();
    folder = QDir::cleanPath(folder);
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}
