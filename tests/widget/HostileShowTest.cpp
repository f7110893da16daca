#include "app/Module1.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/Fakes.h"
#include "support/HostileFiles.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class RecordingLoader : public PictureLoader {
public:
    LoadedPicture Load(const QString &path) override
    {
        LoadedPicture picture = PictureLoader::Load(path);
        if (picture.ok())
            shown.insert(QFileInfo(path).fileName());
        ++attempts;
        return picture;
    }
    QSet<QString> shown;
    int attempts = 0;
};

class HostileShowTest : public ::testing::TestWithParam<int> {
protected:
    HostileShowTest()
    {
        fakes.services.pictures = &loader;
        module.settings.PictureFolder = folder.path() + "/";
        module.settings.PictureOrder = "FILE_NAME";
        module.settings.DisplayMode = GetParam();
        module.settings.SwitchSpeed = 10;
        module.settings.MoveSpeed = 10;
    }

    ScratchFolder folder;
    FakeServices fakes;
    RecordingLoader loader;
    Module1 module;
};

}

// The real window over the mixed folder: every good picture reaches the screen
// and the picture on screen is never a refused file.
TEST_P(HostileShowTest, RealWindowShowsTheGoodPicturesOfAMixedFolder)
{
    const QList<HostileFile> files = HostileFiles::Pictures();
    ASSERT_TRUE(HostileFiles::WriteAll(folder.path(), files));
    QSet<QString> good;
    for (const HostileFile &f : files)
        if (f.expect == HostileFile::Shows)
            good.insert(f.name);

    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    ASSERT_TRUE(form.PrepareShow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // Enough ticks for two rounds of the list in modes 1 and 2; in mode 3 the
    // picture must leave the screen before the next one comes.
    const int ticks = GetParam() == 3 ? 20000 : 2 * int(files.size());
    for (int i = 0; i < ticks && !form.isUnloaded(); ++i) {
        form.Timer1_Timer();
        if (i % 50 == 0) {
            QCoreApplication::processEvents();
            EXPECT_TRUE(form.Picture1->hasPicture());
        }
        if (GetParam() == 3 && loader.shown.size() >= 3)
            break;
    }
    if (GetParam() != 3) {
        QSet<QString> missing = good;
        missing.subtract(loader.shown);
        EXPECT_TRUE(missing.isEmpty()) << QStringList(missing.values()).join(", ").toStdString();
    } else {
        EXPECT_GE(loader.shown.size(), 3);
    }
    EXPECT_TRUE(form.Timer1->isActive());
    QTest::keyClick(form.Picture1, Qt::Key_Space);
    EXPECT_TRUE(form.isUnloaded());
}

// The folder vanishes, or turns into something that cannot be listed, while the show runs: the show goes on,
// never runs busy, and finds a picture again once one is back.
TEST_P(HostileShowTest, FolderRemovedWhileTheShowRunsKeepsItRunning)
{
    ASSERT_TRUE(HostileFiles::WriteAll(folder.path(), HostileFiles::Pictures()));
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    ASSERT_TRUE(form.PrepareShow());
    form.Timer1_Timer();
    ASSERT_TRUE(QDir(folder.path()).removeRecursively());

    const int before = loader.attempts;
    for (int i = 0; i < 3000; ++i)
        form.Timer1_Timer();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isUnloaded());
    EXPECT_TRUE(form.Timer1->isActive());
    // Nothing loads any more; the timer slows to its retry period.
    EXPECT_GE(form.Timer1->interval(), 1000);
    EXPECT_GT(loader.attempts, before);

    // A file in the folder's place (root reads any folder, so this stands for
    // one that cannot be read): the same.
    {
        QFile blocker(folder.path());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    for (int i = 0; i < 3000; ++i)
        form.Timer1_Timer();
    EXPECT_FALSE(form.isUnloaded());
    EXPECT_TRUE(form.Timer1->isActive());
    ASSERT_TRUE(QFile::remove(folder.path()));

    // One of the listed pictures comes back: the show picks it up again.
    loader.shown.clear();
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    QFile file(folder.file("good-photo.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(HostileFiles::Jpeg(30, 20));
    file.close();
    for (int i = 0; i < 20000 && !loader.shown.contains("good-photo.jpg"); ++i)
        form.Timer1_Timer();
    EXPECT_TRUE(loader.shown.contains("good-photo.jpg"));
    QTest::keyClick(form.Picture1, Qt::Key_Space);
}

INSTANTIATE_TEST_SUITE_P(Modes, HostileShowTest, ::testing::Values(1, 2, 3),
                         [](const ::testing::TestParamInfo<int> &info) { return "Mode" + std::to_string(info.param); });
