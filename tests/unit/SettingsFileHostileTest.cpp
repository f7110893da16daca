#include "settings/SaverSettings.h"
#include "settings/SettingsFile.h"
#include "support/ScratchFolder.h"
#include "support/TextOf.h"

#include <gtest/gtest.h>

namespace {
SaverSettings loadFrom(const ScratchFolder &folder)
{
    SettingsFile file(folder.path(), folder.file("cfg"), folder.file("pics"), [](const QString &) { return true; });
    SaverSettings settings;
    EXPECT_TRUE(file.LoadSettings(settings).ok);
    return settings;
}
}

// Whatever a file holds, what is stored after reading it reads back the same.
TEST(SettingsFileHostileTest, StoredAfterReadingReadsBackTheSame)
{
    const QList<QByteArray> contents = {
        QByteArray("C:\xEF\xBB"),   // a cut byte-order mark at the end of a line
        // Control characters in a UTF-8 file that is stored again in the code page.
        QByteArray("\x2f\x42\x50\x3a\x69\x63\x74\x0d\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x1a\x00\x2f\x0a\xef\xbb\xbf\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x40\x65\x35\x0d\x0a", 75),
    };
    for (const QByteArray &bytes : contents) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        ScratchFolder folder;
        folder.write("Vistello.ini", bytes);
        SettingsFile file(folder.path(), folder.file("cfg"), folder.file("pics"), [](const QString &) { return true; });
        SaverSettings settings;
        ASSERT_TRUE(file.LoadSettings(settings).ok);
        ASSERT_TRUE(file.SaveSettings(settings).ok);
        const SaverSettings reread = loadFrom(folder);
        EXPECT_EQ(TextOf(reread.PictureFolder), TextOf(settings.PictureFolder)) << folder.read("Vistello.ini").toHex().toStdString();
        EXPECT_EQ(TextOf(reread.PictureOrder), TextOf(settings.PictureOrder));
        EXPECT_EQ(reread, settings);
    }
}

// Bytes below 80 stand for the same characters in the code page as in ASCII,
// control characters included, both ways.
TEST(SettingsFileHostileTest, ControlCharactersKeepTheirCodesInTheCodePage)
{
    ScratchFolder folder;
    folder.write("Vistello.ini", QByteArray("/a\x1a\x1c\x7f\x83\x65/\r\nFILE_NAME\r\n"));
    SettingsFile file(folder.path(), folder.file("cfg"), folder.file("pics"), [](const QString &) { return true; });
    SaverSettings settings;
    ASSERT_TRUE(file.LoadSettings(settings).ok);
    EXPECT_EQ(settings.PictureFolder, QString::fromUtf8("/a\x1a\x1c\x7f\u30c6/"));

    settings.Spare1 = QString::fromUtf8("\x1a\x1c\x7f\u30c6");
    ASSERT_TRUE(file.SaveSettings(settings).ok);
    const QList<QByteArray> lines = folder.read("Vistello.ini").split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[5], QByteArray("\x1a\x1c\x7f\x83\x65\r"));
}
