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
        EXPECT_EQ(reread, settings);
    }
}
