#include "platform/DriveSource.h"
#include <gtest/gtest.h>

// The drive list offers the mounts that hold user files, escapes undone, the last mount on a point winning;
// a path belongs to the deepest drive that holds it.
TEST(DriveSourceTest, OffersTheVolumesOfUserFilesAndFindsTheDeepestDriveOfAPath)
{
    const QByteArray info = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n2 1 0:5 / /proc rw - proc proc rw\n3 1 8:4 / /boot/efi rw - vfat "
                            "/dev/sda4 rw\n4 1 8:17 / /run/media/u/My\\040Stick rw - vfat /dev/sdb1 rw\n5 1 8:2 / /home rw "
                            "shared:1 - ext4 /dev/sda2 rw\n6 1 8:3 / /home rw - xfs /dev/sda3 rw\n";
    QStringList volumes;
    for (const SystemDriveSource::Mount &m : SystemDriveSource::UserVolumes(info))
        volumes << m.mountPoint + " " + m.fileSystemType;
    EXPECT_EQ(volumes.join(',').toStdString(), "/ ext4,/home xfs,/run/media/u/My Stick vfat");
    const QList<Drive> drives = {{"/", {}}, {"/home/u/data", {}}, {"/home", {}}};
    for (const auto &[path, index] : {std::pair{"/home/u/pics", 2}, {"/home/u/data/x", 1}, {"/homework", 0}, {"pics", -1}})
        EXPECT_EQ(DriveSource::IndexOfDrive(drives, path), index) << path;
}
