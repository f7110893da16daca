#include "platform/ProcessInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ProcessInfo::argumentText(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
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
