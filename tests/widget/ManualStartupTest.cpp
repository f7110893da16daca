#include "app/ManualStartup.h"
#include "app/Module1.h"
#include "platform/SingleInstance.h"
#include "settings/F_settei.h"
#include "settings/SettingsFile.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/FakeDriveSource.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

// Drives the manual edition the way its main() does, with fakes for the platform.
class ManualStartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(scratch.file(QStringLiteral("prog")));
        QDir().mkpath(scratch.file(QStringLiteral("pics")));
        drives.drives = {{scratch.path(), QString()}};
        drives.current = scratch.path();
        settingsFile = std::make_unique<SettingsFile>(scratch.file(QStringLiteral("prog")));
        fakes.services.drives = &drives;
        fakes.services.settingsFile = settingsFile.get();
        const QByteArray ini = scratch.file(QStringLiteral("pics/")).toUtf8()
            + "\r\nFILE_NAME\r\n 1 \r\n 10 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";
        scratch.write(QStringLiteral("prog/Vistello.ini"), ini);
        addPicture(QStringLiteral("a.bmp"));
    }

    void addPicture(const QString &name)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::green);
        ASSERT_TRUE(image.save(scratch.file(QStringLiteral("pics/") + name), "BMP"));
    }

    static Form1 *visibleShow()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<Form1 *>(w); form && form->isVisible() && !form->isUnloaded())
                return form;
        }
        return nullptr;
    }

    // Presses "表示" and, while the show runs, hands the running window to `during`
    // (which must end it). Returns what the show saw.
    struct Seen {
        int imageCount = -1;
        int cursorCount = 99;
        bool dialogEnabled = true;
        bool timerActive = false;
    };
    Seen runShow(F_settei &dialog, const std::function<void(Form1 &)> &during)
    {
        Seen seen;
        // The preparation lets events through before the window is shown, so wait
        // for the visible show window before looking at it.
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            Form1 *form = visibleShow();
            if (!form)
                return;
            poll.stop();
            seen.imageCount = module.show.ImageCount;
            seen.cursorCount = fakes.cursor.count();
            seen.dialogEnabled = dialog.isEnabled();
            seen.timerActive = form->Timer1->isActive();
            during(*form);
            if (!form->isUnloaded())
                form->close();  // never leave the test hanging in the show's loop
        });
        poll.start();
        dialog.Command1_Click();
        return seen;
    }

    ScratchFolder scratch;
    ScratchFolder locks;
    FakeServices fakes;
    FakeDriveSource drives;
    std::unique_ptr<SettingsFile> settingsFile;
    Module1 module;
    SingleInstance instance{QStringLiteral("Vistello_manual"), locks.path()};
    ManualStartup startup{module, fakes.services, instance};
};

TEST_F(ManualStartupTest, ShowsRunOverTheDialogAgainAndAgainWithTheListCollectedAnew)
{
    F_settei dialog(Edition::Manual, module, fakes.services);
    dialog.setRunShow([&] { startup.RunShow(dialog); });
    ASSERT_TRUE(dialog.Form_Load());
    dialog.Show();
    EXPECT_EQ(fakes.cursor.count(), 0);

    // First show: ended by mouse movement (three reports in the first show). The
    // offscreen platform delivers a move to the topmost window at that point, so
    // the moves stay clear of the dialog in the middle of the screen.
    const Seen first = runShow(dialog, [](Form1 &form) {
        QTest::mouseMove(&form, QPoint(20, 20));
        QTest::mouseMove(&form, QPoint(30, 30));
        EXPECT_FALSE(form.isUnloaded());
        QTest::mouseMove(&form, QPoint(40, 45));
        EXPECT_TRUE(form.isUnloaded());
    });
    EXPECT_EQ(first.imageCount, 1);
    EXPECT_EQ(first.cursorCount, -1);
    EXPECT_FALSE(first.dialogEnabled);
    EXPECT_TRUE(first.timerActive);
    EXPECT_EQ(fakes.cursor.count(), 0);
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_EQ(module.manualMouse.MouseMoveCount, 1);

    // A picture added between shows is in the next one; this show ends by a key,
    // which leaves the counter as it was.
    addPicture(QStringLiteral("b.bmp"));
    scratch.write(QStringLiteral("prog/Vistello.ini"), "edited by hand");
    const Seen second = runShow(dialog, [](Form1 &form) {
        QTest::keyClick(form.Picture1, Qt::Key_Escape);
        EXPECT_TRUE(form.isUnloaded());
    });
    EXPECT_EQ(second.imageCount, 2);
    EXPECT_EQ(fakes.cursor.count(), 0);
    EXPECT_EQ(module.manualMouse.MouseMoveCount, 1);
    // Every press stores the settings, even without changes.
    EXPECT_TRUE(scratch.read(QStringLiteral("prog/Vistello.ini")).startsWith(scratch.file(QStringLiteral("pics/")).toUtf8()));

    // The third show ends on its second report that changes both coordinates.
    runShow(dialog, [](Form1 &form) {
        QTest::mouseMove(&form, QPoint(50, 20));
        EXPECT_FALSE(form.isUnloaded());
        QTest::mouseMove(&form, QPoint(60, 30));
        EXPECT_TRUE(form.isUnloaded());
    });
    EXPECT_FALSE(dialog.isUnloaded());
    dialog.Command3_Click();
    EXPECT_TRUE(dialog.isUnloaded());
    EXPECT_EQ(fakes.cursor.count(), 0);
}

TEST_F(ManualStartupTest, EmptyFolderGivesABlackShowWithoutTimerThatInputEnds)
{
    QFile::remove(scratch.file(QStringLiteral("pics/a.bmp")));
    F_settei dialog(Edition::Manual, module, fakes.services);
    dialog.setRunShow([&] { startup.RunShow(dialog); });
    ASSERT_TRUE(dialog.Form_Load());
    const Seen seen = runShow(dialog, [](Form1 &form) {
        EXPECT_EQ(form.Picture1->BackColor(), QColor(Qt::black));
        QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(5, 5));
    });
    EXPECT_EQ(seen.imageCount, 0);
    EXPECT_FALSE(seen.timerActive);
    EXPECT_EQ(fakes.cursor.count(), 0);
}

TEST_F(ManualStartupTest, FailedStoreIsReportedAndTheShowRunsWithTheSettingsInMemory)
{
    const QByteArray before = scratch.read(QStringLiteral("prog/Vistello.ini"));
    F_settei dialog(Edition::Manual, module, fakes.services);
    dialog.setRunShow([&] { startup.RunShow(dialog); });
    ASSERT_TRUE(dialog.Form_Load());
    // No file may grow past 10 bytes for this press: the store fails, root or not.
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 10;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const Seen seen = runShow(dialog, [&](Form1 &form) {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);
        QTest::keyClick(form.Picture1, Qt::Key_Space);
    });
    EXPECT_EQ(fakes.notifier.messages.size(), 1);
    EXPECT_EQ(seen.imageCount, 1);
    EXPECT_EQ(scratch.read(QStringLiteral("prog/Vistello.ini")), before);
}

TEST_F(ManualStartupTest, SecondInstanceEndsBeforeReadingOrCreatingTheFile)
{
    QFile::remove(scratch.file(QStringLiteral("prog/Vistello.ini")));
    SingleInstance first(QStringLiteral("Vistello_manual"), locks.path());
    ASSERT_FALSE(first.otherInstanceRunning());
    EXPECT_EQ(startup.run(), 0);
    EXPECT_FALSE(scratch.exists(QStringLiteral("prog/Vistello.ini")));
    EXPECT_EQ(fakes.cursor.count(), 0);
}

}
