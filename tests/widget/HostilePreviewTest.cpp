#include "app/Module1.h"
#include "settings/DirListBox.h"
#include "settings/DriveListBox.h"
#include "settings/F_settei.h"
#include "settings/FileListBox.h"
#include "settings/PreviewImage.h"
#include "settings/SettingsFile.h"
#include "support/FakeDriveSource.h"
#include "support/Fakes.h"
#include "support/HostileFiles.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

// The dialog's preview gets every hostile file in turn: good pictures appear,
// others leave the preview as it was, and no message box opens.
TEST(HostilePreviewTest, EveryHostileFileClickedInTheFileList)
{
    ScratchFolder scratch;
    QDir().mkpath(scratch.file("prog"));
    QDir().mkpath(scratch.file("pics"));
    const QList<HostileFile> files = HostileFiles::Pictures();
    ASSERT_TRUE(HostileFiles::WriteAll(scratch.file("pics"), files));
    FakeServices fakes;
    FakeDriveSource drives;
    drives.drives = {{scratch.path(), QString()}};
    drives.current = scratch.path();
    SettingsFile settingsFile(scratch.file("prog"), scratch.file("cfg"), scratch.file("mine"));
    fakes.services.drives = &drives;
    fakes.services.settingsFile = &settingsFile;
    scratch.write("prog/Vistello.ini", (scratch.file("pics/") + "\r\nFILE_NAME\r\n 1 \r\n 5 \r\n 3 \r\n").toUtf8());
    Module1 module;

    F_settei dialog(Edition::ScreenSaver, module, fakes.services);
    ASSERT_TRUE(dialog.Form_Load());
    dialog.Show();
    ASSERT_EQ(dialog.File1->Path(), scratch.file("pics"));

    int clicked = 0;
    for (const HostileFile &f : files) {
        const QList<QListWidgetItem *> items = dialog.File1->findItems(f.name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << f.name.toStdString();
        const QImage before = dialog.Image1->Picture();
        dialog.File1->setCurrentItem(items[0]);
        dialog.File1_Click();
        ++clicked;
        const std::string name = f.name.toStdString();
        if (f.expect == HostileFile::Shows) {
            EXPECT_TRUE(dialog.Image1->HasPicture()) << name;
        } else if (f.expect == HostileFile::Refused) {
            EXPECT_EQ(dialog.Image1->Picture(), before) << name;
        }
        dialog.Image1->grab();   // paints whatever it holds
    }
    EXPECT_EQ(clicked, files.size());
    EXPECT_TRUE(fakes.notifier.messages.isEmpty());
    dialog.Unload();
}
