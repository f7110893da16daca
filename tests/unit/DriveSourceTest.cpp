#include "platform/DriveSource.h"
#include <gtest/gtest.h>

// The drive list offers the mounts that hold user files, escapes undone, the last mount on a point winning;
// a path belongs to the deepest drive that holds it.
TEST(DriveSourceTest, OffersTheVolumesOfUserFilesAndFindsTheDeepestDriveOfAPath)
{
    const QByteArray info = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n23 22 0:5 / /proc rw - proc proc rw\n"
                            "24 22 0:20 / /run rw - tmpfs tmpfs rw\n25 24 8:17 / /run/media/u/My\\040Stick rw - vfat /dev/sdb1 rw\n"
                            "26 22 8:2 / /home rw shared:1 - ext4 /dev/sda2 rw\n27 22 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                            "28 22 0:30 / /mnt/share rw - cifs //server/share rw\n29 22 8:3 / /home rw - xfs /dev/sda3 rw\n";
    QStringList volumes;
    for (const SystemDriveSource::Mount &m : SystemDriveSource::UserVolumes(info))
        volumes << m.mountPoint + " " + m.fileSystemType;
    EXPECT_EQ(volumes.join(',').toStdString(), "/ ext4,/home xfs,/mnt/share cifs,/run/media/u/My Stick vfat");
    const QList<Drive> drives = {{"/", {}}, {"/home/u/data", {}}, {"/home", {}}};
    for (const auto &[path, index] : {std::pair{"/home/u/pics", 2}, {"/home/u/data/x", 1}, {"/homework", 0}, {"/", 0}, {"pics", -1}})
        EXPECT_EQ(DriveSource::IndexOfDrive(drives, path), index) << path;
}
