#include "platform/DriveSource.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>

#ifndef Q_OS_WIN
#include <dirent.h>
#endif

namespace {
// File systems that never hold the user's files.
const QSet<QString> &pseudoTypes()
{
    static const QSet<QString> types = {
        QStringLiteral("proc"),       QStringLiteral("sysfs"),      QStringLiteral("tmpfs"),
        QStringLiteral("devtmpfs"),   QStringLiteral("devpts"),     QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),    QStringLiteral("securityfs"), QStringLiteral("pstore"),
        QStringLiteral("bpf"),        QStringLiteral("debugfs"),    QStringLiteral("tracefs"),
        QStringLiteral("configfs"),   QStringLiteral("fusectl"),    QStringLiteral("mqueue"),
        QStringLiteral("hugetlbfs"),  QStringLiteral("autofs"),     QStringLiteral("binfmt_misc"),
        QStringLiteral("efivarfs"),   QStringLiteral("rpc_pipefs"), QStringLiteral("nsfs"),
        QStringLiteral("ramfs"),      QStringLiteral("squashfs"),   QStringLiteral("selinuxfs"),
        QStringLiteral("nfsd"),       QStringLiteral("fuse.gvfsd-fuse"), QStringLiteral("fuse.portal"),
        QStringLiteral("fuse.lxcfs"), QStringLiteral("rootfs"),
    };
    return types;
}

bool isUnder(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// mountinfo writes blanks, tabs, newlines and backslashes as "\ooo".
QString unescapeOctal(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromUtf8(out);
}
}

QString Drive::DisplayName() const
{
    return label.isEmpty() ? root : root + QStringLiteral(" [") + label + QLatin1Char(']');
}

int DriveSource::IndexOfDrive(const QList<Drive> &drives, const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString &root = drives[i].root;
        const bool contains = root == QLatin1String("/") ? clean.startsWith(QLatin1Char('/')) : isUnder(clean, root);
        if (contains && (best < 0 || root.size() > drives[best].root.size()))
            best = i;
    }
    return best;
}

SystemDriveSource::SystemDriveSource(QString mountInfoPath, QString labelFolder)
    : mountInfoPath_(std::move(mountInfoPath))
    , labelFolder_(std::move(labelFolder))
{
}

QList<SystemDriveSource::Mount> SystemDriveSource::ParseMountInfo(const QByteArray &text)
{
    // Fields: id parent major:minor root mount-point options [optional...] - type source super-options
    QList<Mount> mounts;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const int dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 6 || dash + 2 >= fields.size())
            continue;
        Mount m;
        m.mountPoint = unescapeOctal(fields[4]);
        m.fileSystemType = unescapeOctal(fields[dash + 1]);
        m.source = unescapeOctal(fields[dash + 2]);
        if (m.mountPoint.startsWith(QLatin1Char('/')))
            mounts << m;
    }
    return mounts;
}

bool SystemDriveSource::HoldsUserFiles(const Mount &mount)
{
    if (pseudoTypes().contains(mount.fileSystemType))
        return false;
    const QString &p = mount.mountPoint;
    if (p == QLatin1String("/"))
        return true;
    if (isUnder(p, QStringLiteral("/run/media")))
        return true;
    for (const char *system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/var/lib/docker", "/var/snap"}) {
        if (isUnder(p, QString::fromLatin1(system)))
            return false;
    }
    return true;
}

QList<SystemDriveSource::Mount> SystemDriveSource::UserVolumes(const QByteArray &mountInfo)
{
    // A later mount on the same point hides the earlier one.
    QMap<QString, Mount> byPoint;
    for (const Mount &m : ParseMountInfo(mountInfo))
        byPoint.insert(m.mountPoint, m);
    QList<Mount> volumes;
    for (const Mount &m : std::as_const(byPoint)) {
        if (HoldsUserFiles(m))
            volumes << m;
    }
    // QMap keeps the points sorted, so "/" comes first.
    return volumes;
}

QString SystemDriveSource::DecodeLabel(const QString &linkName)
{
    QString out;
    for (int i = 0; i < linkName.size(); ++i) {
        if (linkName[i] == QLatin1Char('\\') && i + 3 < linkName.size() && linkName[i + 1] == QLatin1Char('x')) {
            bool ok = false;
            const int value = linkName.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(value);
                i += 3;
                continue;
            }
        }
        out += linkName[i];
    }
    // udev escapes bytes; a label in UTF-8 comes back as its bytes.
    return QString::fromUtf8(out.toLatin1());
}

#ifdef Q_OS_WIN
// Windows has real drive letters; a drive without a medium does not exist as a folder.
QList<Drive> SystemDriveSource::Drives()
{
    QList<Drive> drives;
    for (const QFileInfo &root : QDir::drives())
        drives << Drive{root.absolutePath(), QString()};
    return drives;
}

bool SystemDriveSource::IsReady(const QString &root)
{
    return QDir(root).exists();
}
#else
QList<Drive> SystemDriveSource::Drives()
{
    QFile file(mountInfoPath_);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();

    QMap<QString, QString> labelOfDevice;
    QDirIterator labels(labelFolder_, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    while (labels.hasNext()) {
        labels.next();
        const QFileInfo link = labels.fileInfo();
        labelOfDevice.insert(link.canonicalFilePath(), DecodeLabel(link.fileName()));
    }

    QList<Drive> drives;
    for (const Mount &m : UserVolumes(text)) {
        // Bind mounts of single files (containers mount /etc/hosts this way) are no volumes.
        if (!QFileInfo(m.mountPoint).isDir())
            continue;
        QString label;
        if (m.source.startsWith(QLatin1Char('/')))
            label = labelOfDevice.value(QFileInfo(m.source).canonicalFilePath());
        drives << Drive{m.mountPoint, label};
    }
    if (drives.isEmpty())
        drives << Drive{QStringLiteral("/"), QString()};
    return drives;
}

bool SystemDriveSource::IsReady(const QString &root)
{
    DIR *dir = ::opendir(QFile::encodeName(root).constData());
    if (!dir)
        return false;
    ::closedir(dir);
    return true;
}

#endif

QString SystemDriveSource::CurrentFolder()
{
    return QDir::currentPath();
}
