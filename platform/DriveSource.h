#pragma once

#include <QList>
#include <QString>

// One volume that holds the user's files: its mount point and, where it has one, its label.
struct Drive {
    QString root;
    QString label;

    // The text the drive list shows: the mount point, with the label in brackets.
    QString DisplayName() const;

    bool operator==(const Drive &) const = default;
};

// The volumes the drive list offers. Behind an interface so that tests can offer
// drives of their own, among them one that is not ready.
class DriveSource {
public:
    virtual ~DriveSource() = default;

    // The volumes, in the order the drive list shows them.
    virtual QList<Drive> Drives() = 0;

    // Whether the drive's root can be listed.
    virtual bool IsReady(const QString &root) = 0;

    // The folder the process works in; the lists start on it.
    virtual QString CurrentFolder() = 0;

    // Index of the drive that holds the absolute path (the deepest mount point
    // containing it), or -1 when none does.
    static int IndexOfDrive(const QList<Drive> &drives, const QString &path);
};

// The mounted volumes of this machine, read from /proc/self/mountinfo.
class SystemDriveSource : public DriveSource {
public:
    explicit SystemDriveSource(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                               QString labelFolder = QStringLiteral("/dev/disk/by-label"));

    QList<Drive> Drives() override;
    bool IsReady(const QString &root) override;
    QString CurrentFolder() override;

    struct Mount {
        QString mountPoint;
        QString fileSystemType;
        QString source;
    };

    // The mounts of a mountinfo text, in order, with the kernel's octal escapes undone.
    static QList<Mount> ParseMountInfo(const QByteArray &text);

    // Whether a mount holds user files: no pseudo or system file systems, nothing
    // under /proc, /sys, /dev, /run (removable media under /run/media aside), /snap or /boot.
    static bool HoldsUserFiles(const Mount &mount);

    // The volumes of a mountinfo text: mounts that hold user files, the last mount
    // on a mount point winning, sorted by mount point, "/" first.
    static QList<Mount> UserVolumes(const QByteArray &mountInfo);

    // Undoes udev's "\x20" escapes of a label link name.
    static QString DecodeLabel(const QString &linkName);

private:
    QString mountInfoPath_;
    QString labelFolder_;
};
