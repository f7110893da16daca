#include "support/ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void ScratchFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ScratchFolder::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ScratchFolder::exists(const QString &name) const
{
    return QFileInfo::exists(file(name));
}
