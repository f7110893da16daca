// SettingsFile: where the file lives and the folder a written PictureFolder means.
#include "settings/SettingsFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

// A program folder that takes no files keeps a settings file already in it; without one the file goes to the
// user's configuration folder, and a new file's picture folder is then the user's pictures folder.
TEST(PictureFolderTest, RelativeToTheSettingsFilesFolderTildeToHomeDefaultPerUserThePicturesFolder)
{
    const struct { QString written; bool inProgram, writable; QString meant; } rows[] = {
        {"pics/", true, true, "<ini>/pics/"}, {"pics", false, false, "<ini>/pics"},
        {"~/pics/", true, false, QDir::homePath() + "/pics/"}, {"/srv/", false, false, "/srv/"}, {"", true, true, ""},
        {{}, false, false, "<pictures>/"}, {{}, true, true, "<ini>/"}};
    for (const auto &row : rows) {
        ScratchFolder program, user, pictures;
        const ScratchFolder &ini = row.inProgram ? program : user;
        if (!row.written.isNull())
            ini.write("Vistello.ini", row.written.toUtf8() + "\r\n");
        const auto writable = [&](const QString &folder) { return row.writable && folder == program.path(); };
        SettingsFile file(program.path(), user.path(), pictures.path(), writable);
        SaverSettings settings;
        ASSERT_TRUE(file.LoadSettings(settings).ok);
        const QString meant = QString(row.meant).replace("<ini>", ini.path()).replace("<pictures>", pictures.path());
        EXPECT_EQ(settings.PictureFolder, meant) << row.written.toStdString();
        EXPECT_TRUE(ini.read("Vistello.ini").startsWith((row.written.isNull() ? meant : row.written).toUtf8() + "\r\n"));
    }
}
