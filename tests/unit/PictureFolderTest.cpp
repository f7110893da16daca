// SettingsFile: the folder a written PictureFolder means.
#include "settings/SettingsFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(PictureFolderTest, RelativeToTheSettingsFilesFolderTildeToHome)
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
