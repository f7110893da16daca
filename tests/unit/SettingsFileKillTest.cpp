#include "settings/SaverSettings.h"
#include "settings/SettingsFile.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

SaverSettings variant(const QString &folder, int which)
{
    SaverSettings s;
    s.PictureFolder = folder + (which ? "/写真/" : "/pictures/");
    s.PictureOrder = which ? "RANDOM" : "FILE_NAME";
    s.DisplayMode = which ? 3 : 1;
    s.SwitchSpeed = which ? 10 : 4;
    s.MoveSpeed = which ? 2.5 : 7;
    // Long spare lines make each save take several writes.
    s.Spare1 = QString(3000, QLatin1Char(which ? 'b' : 'a'));
    s.Spare2 = "Spare2";
    s.Spare3 = "Spare3";
    s.Spare4 = "Spare4";
    s.Spare5 = QString(3000, QLatin1Char(which ? 'y' : 'z'));
    return s;
}

}

// A process killed at any moment while it stores the settings again and again
// leaves either the old or the new ten lines, never a cut or empty file.
TEST(SettingsFileKillTest, KilledWhileStoringLeavesTheOldOrTheNewFile)
{
    ScratchFolder folder;
    const auto writable = [](const QString &) { return true; };
    QByteArray expected[2];
    for (int which = 0; which < 2; ++which) {
        SettingsFile file(folder.path(), folder.file("cfg"), folder.file("pics"), writable);
        ASSERT_TRUE(file.SaveSettings(variant(folder.path(), which)).ok);
        expected[which] = folder.read(SettingsFile::kFileName);
    }
    ASSERT_NE(expected[0], expected[1]);

    QRandomGenerator random(20261206);
    int seenOld = 0, seenNew = 0;
    for (int round = 0; round < 150; ++round) {
        int done[2];
        ASSERT_EQ(pipe(done), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(done[0]);
            SettingsFile file(folder.path(), folder.file("cfg"), folder.file("pics"), writable);
            for (int i = 0;; ++i) {
                file.SaveSettings(variant(folder.path(), i % 2));
                if (write(done[1], "s", 1) != 1)
                    _exit(1);
            }
        }
        close(done[1]);
        // Two stores complete first; the kill then lands within about two more,
        // however fast this build stores.
        char byte = 0;
        QElapsedTimer clock;
        ASSERT_EQ(read(done[0], &byte, 1), 1);
        clock.start();
        ASSERT_EQ(read(done[0], &byte, 1), 1);
        const qint64 storeMicroseconds = qMax<qint64>(50, clock.nsecsElapsed() / 1000);
        usleep(useconds_t(random.bounded(qint64(0), 2 * storeMicroseconds)));
        kill(child, SIGKILL);
        close(done[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QByteArray now = folder.read(SettingsFile::kFileName);
        ASSERT_TRUE(now == expected[0] || now == expected[1])
            << "round " << round << ": " << now.size() << " bytes";
        (now == expected[0] ? seenOld : seenNew)++;
        SettingsFile reader(folder.path(), folder.file("cfg"), folder.file("pics"), writable);
        SaverSettings read;
        ASSERT_TRUE(reader.LoadSettings(read).ok);
        ASSERT_TRUE(read == variant(folder.path(), 0) || read == variant(folder.path(), 1));
    }
    // Both outcomes happen, so the kills did land in the middle of the work.
    EXPECT_GT(seenOld, 0);
    EXPECT_GT(seenNew, 0);
    // A kill in the middle of writing may leave the unfinished new file under a
    // temporary name beside it ("Vistello.ini.XXXXXX"); it is never read.
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).contains(SettingsFile::kFileName));
}
