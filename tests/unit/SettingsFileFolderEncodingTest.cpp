// SettingsFile: the folder a written PictureFolder means, and the encoding a store writes.
#include "settings/SettingsFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(SettingsFileFolder, RelativeToTheSettingsFilesFolderTildeToHome)
{
    const struct { QString written; bool perUser; QString meant; } rows[] = {{"pics/", false, "<ini>/pics/"},
        {"pics", true, "<ini>/pics"}, {"~/pics/", false, QDir::homePath() + "/pics/"}, {"/srv/", true, "/srv/"}, {"", false, ""}};
    for (const auto &row : rows) {
        ScratchFolder program, user;
        const ScratchFolder &ini = row.perUser ? user : program;
        ini.write("Vistello.ini", row.written.toUtf8() + "\r\n");
        SettingsFile file(program.path(), user.path(), user.path(), [&](const QString &) { return !row.perUser; });
        SaverSettings settings;
        ASSERT_TRUE(file.LoadSettings(settings).ok);
        EXPECT_EQ(settings.PictureFolder, QString(row.meant).replace("<ini>", ini.path())) << row.written.toStdString();
        EXPECT_EQ(ini.read("Vistello.ini"), row.written.toUtf8() + "\r\n");
    }
}

TEST(SettingsFileEncoding, CodePage932WheneverTheTextFitsAndReadsBackTheSame)
{
    const QByteArray rest = "\r\nRANDOM\r\n 1 \r\n 9 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";
    const QByteArray mark = "\xEF\xBB\xBF", photo = "/\x8E\xCA\x90\x5E/";   // "/写真/" in code page 932
    // The file read, the folder then stored (empty: the one read), the file written.
    const QByteArray rows[][3] = {{"/写真/", "", photo}, {mark + "/写真/", "", photo},
                                  {photo, "/한/", mark + "/한/"}, {photo, "/ﾂｱ/", mark + "/ﾂｱ/"}};
    for (const auto &[read, stored, written] : rows) {
        ScratchFolder folder;
        folder.write("Vistello.ini", read + rest);
        SettingsFile file(folder.path());
        SaverSettings settings;
        ASSERT_TRUE(file.LoadSettings(settings).ok);
        settings.PictureFolder = stored.isEmpty() ? settings.PictureFolder : QString::fromUtf8(stored);
        ASSERT_TRUE(file.SaveSettings(settings).ok);
        EXPECT_EQ(folder.read("Vistello.ini"), written + rest) << stored.toStdString();
    }
}
