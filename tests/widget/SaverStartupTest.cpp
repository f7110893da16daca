#include "app/Module1.h"
#include "app/SaverStartup.h"
#include "platform/SingleInstance.h"
#include "settings/F_settei.h"
#include "settings/SettingsFile.h"
#include "support/FakeDriveSource.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The pointer count as each message box saw it.
class CursorAwareNotifier : public RecordingNotifier {
public:
    explicit CursorAwareNotifier(CursorDisplay &cursor) : cursor_(cursor) {}
    void MsgBox(const QString &text, int style, QWidget *parent) override
    {
        RecordingNotifier::MsgBox(text, style, parent);
        countsSeen << cursor_.count();
    }
    QList<int> countsSeen;

private:
    CursorDisplay &cursor_;
};

class SaverStartupTest : public ::testing::Test {
protected:
    SaverStartupTest() : settingsFile(folder.path()), instance(QStringLiteral("Vistello"), locks.path())
    {
        fakes.services.settingsFile = &settingsFile;
        fakes.services.notifier = &notifier;
        drives.drives = {{folder.path(), QString()}};
        drives.current = folder.path();
        fakes.services.drives = &drives;
    }

    // Runs the load handler for a switch; returns whether the show goes on.
    bool load(Form1 &form, const QString &arguments)
    {
        SaverStartup startup(module, fakes.services, instance, arguments);
        return startup.Form_Load(form);
    }

    ScratchFolder folder;
    ScratchFolder locks;
    FakeServices fakes;
    CursorAwareNotifier notifier{fakes.cursor};
    SettingsFile settingsFile;
    SingleInstance instance;
    FakeDriveSource drives;
    Module1 module;
};

TEST_F(SaverStartupTest, ShowRunsUntilAKeyAndLeavesThePointerCountBalanced)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    ASSERT_TRUE(load(form, QStringLiteral("/s")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(fakes.cursor.count(), -1);
    EXPECT_EQ(fakes.windows.topmostCalls, 1);
    EXPECT_EQ(fakes.windows.grabs, 1);
    EXPECT_EQ(module.settings.PictureOrder, QStringLiteral("RANDOM"));  // settings were read

    QTest::keyClick(form.Picture1, Qt::Key_Tab);
    QTest::keyClick(form.Picture1, Qt::Key_A);  // a second input unloads nothing more
    EXPECT_TRUE(form.isUnloaded());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(fakes.cursor.count(), 0);
    EXPECT_EQ(fakes.windows.releases, 1);
}

TEST_F(SaverStartupTest, PreviewAndUnknownSwitchesEndWithoutWindowOrFile)
{
    for (const QString &arguments : {QStringLiteral("/p 4455"), QString(), QStringLiteral("-s"),
                                     QStringLiteral("s"), QStringLiteral("/x")}) {
        Form1 form(Edition::ScreenSaver, module, fakes.services);
        const int before = fakes.cursor.count();
        EXPECT_FALSE(load(form, arguments));
        EXPECT_FALSE(form.isVisible());
        // "/p" ends with the pointer hidden; the others unload the window, which shows it again.
        EXPECT_EQ(fakes.cursor.count(), before + (arguments.startsWith(QStringLiteral("/p")) ? -1 : 0));
        EXPECT_FALSE(folder.exists(QStringLiteral("Vistello.ini")));
    }
    EXPECT_TRUE(notifier.messages.isEmpty());
}

TEST_F(SaverStartupTest, PasswordSwitchAnswersOnceWithThePointerVisible)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    EXPECT_FALSE(load(form, QStringLiteral("/A")));
    ASSERT_EQ(notifier.messages, QStringList{QStringLiteral("パスワードには対応していません。")});
    EXPECT_EQ(notifier.styles, QList<int>{0});
    EXPECT_EQ(notifier.countsSeen, QList<int>{0});
    EXPECT_EQ(fakes.cursor.count(), -1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(folder.exists(QStringLiteral("Vistello.ini")));
}

TEST_F(SaverStartupTest, ConfigureShowsTheDialogWithThePointerAndNeverTheWindow)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    int countInDialog = 99;
    bool formSeen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<F_settei *>(w);
            if (dialog && dialog->isVisible()) {
                poll.stop();
                countInDialog = fakes.cursor.count();
                formSeen = form.isVisible();
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        }
    });
    poll.start();
    EXPECT_FALSE(load(form, QStringLiteral("/C:1234")));
    EXPECT_EQ(countInDialog, 0);
    EXPECT_FALSE(formSeen);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(fakes.cursor.count(), 0);
    EXPECT_TRUE(folder.exists(QStringLiteral("Vistello.ini")));  // the dialog read (and so created) it
}

TEST_F(SaverStartupTest, SecondInstanceEndsBeforeTouchingAnything)
{
    SingleInstance first(QStringLiteral("Vistello"), locks.path());
    ASSERT_FALSE(first.otherInstanceRunning());
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    EXPECT_FALSE(load(form, QStringLiteral("/s")));
    EXPECT_EQ(fakes.cursor.count(), 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(folder.exists(QStringLiteral("Vistello.ini")));
}

}
