#include "platform/DriveSource.h"

#include <gtest/gtest.h>

namespace {

// A mountinfo text as a desktop machine shows it, with the kernel's escapes.
const QByteArray kMountInfo =
    "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
    "22 26 0:21 / /sys rw,relatime - sysfs sysfs rw\n"
    "23 26 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw\n"
    "26 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda1 rw\n"
    "27 26 254:2 / /home rw,relatime shared:2 - ext4 /dev/vda2 rw\n"
    "28 26 0:30 / /run rw - tmpfs tmpfs rw\n"
    "29 28 8:17 / /run/media/user/My\\040Stick rw shared:9 - vfat /dev/sdb1 rw\n"
    "30 26 7:3 / /snap/core/123 ro - squashfs /dev/loop3 ro\n"
    "31 26 0:40 / /mnt/share rw - nfs4 server:/export rw\n"
    "32 26 254:3 / /boot rw - ext4 /dev/vda3 rw\n"
    "33 26 0:41 / /tmp rw - tmpfs tmpfs rw\n"
    "34 26 0:50 / /home rw - ext4 /dev/sdc1 rw\n"
    "35 31 0:51 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
    "garbage line\n";

TEST(DriveSourceTest, UserVolumesLeaveOutPseudoAndSystemMounts)
{
    const auto volumes = SystemDriveSource::UserVolumes(kMountInfo);
    QStringList points;
    for (const auto &m : volumes)
        points << m.mountPoint;
    EXPECT_EQ(points, QStringList({"/", "/home", "/mnt/share", "/run/media/user/My Stick"}));
    // The later mount on /home hides the earlier one.
    EXPECT_EQ(volumes[1].source, "/dev/sdc1");
    EXPECT_EQ(volumes[3].fileSystemType, "vfat");
}

TEST(DriveSourceTest, ParseUndoesOctalEscapesAndSkipsMalformedLines)
{
    const auto mounts = SystemDriveSource::ParseMountInfo("1 2 0:1 / /a\\011b\\134c rw - ext4 /dev/x rw\nbad\n");
    ASSERT_EQ(mounts.size(), 1);
    EXPECT_EQ(mounts[0].mountPoint, "/a\tb\\c");
    EXPECT_TRUE(SystemDriveSource::ParseMountInfo("").isEmpty());
}

TEST(DriveSourceTest, DriveOfAPathIsTheDeepestMountPointHoldingIt)
{
    const QList<Drive> drives = {{"/", {}}, {"/home", {}}, {"/home/user/data", {}}, {"/media/x", {}}};
    EXPECT_EQ(DriveSource::IndexOfDrive(drives, "/home/user/pics"), 1);
    EXPECT_EQ(DriveSource::IndexOfDrive(drives, "/home/user/data/"), 2);
    EXPECT_EQ(DriveSource::IndexOfDrive(drives, "/homework"), 0);
    EXPECT_EQ(DriveSource::IndexOfDrive(drives, "/media/x/a/../b"), 3);
    EXPECT_EQ(DriveSource::IndexOfDrive(drives.mid(1), "/etc"), -1);
}

TEST(DriveSourceTest, NamesShowTheLabelAndLabelsAreDecoded)
{
    EXPECT_EQ((Drive{"/media/x", "USB"}).DisplayName(), "/media/x [USB]");
    EXPECT_EQ((Drive{"/", {}}).DisplayName(), "/");
    EXPECT_EQ(SystemDriveSource::DecodeLabel("My\\x20Stick"), "My Stick");
    EXPECT_EQ(SystemDriveSource::DecodeLabel("\\xe5\\x86\\x99\\xe7\\x9c\\x9f"), "写真");
}

TEST(DriveSourceTest, SystemSourceListsThisMachineWithARootThatIsReady)
{
    SystemDriveSource source;
    const QList<Drive> drives = source.Drives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first().root, "/");
    EXPECT_TRUE(source.IsReady("/"));
    EXPECT_FALSE(source.IsReady("/no/such/volume"));
    // A source without a mount table still offers the root.
    SystemDriveSource none("/no/such/mountinfo", "/no/such/labels");
    EXPECT_EQ(none.Drives(), QList<Drive>({{"/", {}}}));
}

}
