#include "app/ManualStartup.h"
#include "app/Module1.h"
#include "app/SaverStartup.h"
#include "platform/SingleInstance.h"
#include "settings/F_settei.h"
#include "settings/NumberText.h"
#include "settings/SettingsFile.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/FakeDriveSource.h"
#include "support/Fakes.h"
#include "support/HostileFiles.h"
#include "support/ScratchFolder.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Each program's real start-up over each hostile settings file.
class HostileSettingsTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        hostile = HostileFiles::SettingsFiles().at(GetParam());
        QDir().mkpath(scratch.file("prog"));
        drives.drives = {{scratch.path(), QString()}};
        drives.current = scratch.path();
        settingsFile = std::make_unique<SettingsFile>(scratch.file("prog"), scratch.file("cfg"), scratch.file("mine"));
        fakes.services.drives = &drives;
        fakes.services.settingsFile = settingsFile.get();
        scratch.write("prog/Vistello.ini", hostile.bytes);
    }

    // The file holds ten valid lines and reads back to what the program has in memory.
    void expectValidTenLines()
    {
        QByteArray bytes = scratch.read("prog/Vistello.ini");
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        ASSERT_TRUE(bytes.endsWith("\r\n"));
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        ASSERT_EQ(lines.size(), 10);
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(i == 9 || lines[i].endsWith('\r')) << i;
            EXPECT_FALSE(lines[i].chopped(i == 9 ? 0 : 1).contains('\r')) << i;
        }
        for (int i = 2; i <= 4; ++i) {
            const double value = NumberText::LeadingNumber(QString::fromLatin1(lines[i]));
            EXPECT_TRUE(std::isfinite(value)) << i;
            EXPECT_EQ(QString::fromLatin1(lines[i].chopped(1)), NumberText::PrintForm(value)) << i;
        }
        SettingsFile again(scratch.file("prog"), scratch.file("cfg"), scratch.file("mine"));
        SaverSettings reread;
        ASSERT_TRUE(again.LoadSettings(reread).ok);
        EXPECT_EQ(reread, module.settings);
        EXPECT_GE(reread.DisplayMode, 1);
        EXPECT_LE(reread.DisplayMode, 3);
        EXPECT_GE(reread.SwitchSpeed, 1);
        EXPECT_LE(reread.SwitchSpeed, 10);
    }

    static F_settei *visibleDialog()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<F_settei *>(w); d && d->isVisible() && !d->isUnloaded())
                return d;
        return nullptr;
    }

    HostileFile hostile;
    ScratchFolder scratch;
    ScratchFolder locks;
    FakeServices fakes;
    FakeDriveSource drives;
    std::unique_ptr<SettingsFile> settingsFile;
    Module1 module;
};

}

TEST_P(HostileSettingsTest, ShowStartsTicksAndLeavesTheFileAsItWas)
{
    SingleInstance instance(QStringLiteral("Vistello"), locks.path());
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    SaverStartup startup(module, fakes.services, instance, QStringLiteral("/s"));
    ASSERT_TRUE(startup.Form_Load(form));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(std::isfinite(module.settings.DisplayMode));
    EXPECT_TRUE(std::isfinite(module.settings.SwitchSpeed));
    EXPECT_TRUE(std::isfinite(module.settings.MoveSpeed));
    for (int i = 0; i < 20; ++i)
        form.Timer1_Timer();
    QTest::keyClick(form.Picture1, Qt::Key_Space);
    EXPECT_TRUE(form.isUnloaded());
    EXPECT_EQ(scratch.read("prog/Vistello.ini"), hostile.bytes);
    EXPECT_TRUE(fakes.notifier.messages.isEmpty());
}

TEST_P(HostileSettingsTest, ConfigureOpensTheDialogAndOkStoresTenValidLines)
{
    SingleInstance instance(QStringLiteral("Vistello"), locks.path());
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    SaverStartup startup(module, fakes.services, instance, QStringLiteral("/c"));
    bool pressed = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (F_settei *dialog = visibleDialog()) {
            poll.stop();
            pressed = true;
            dialog->Command1->click();
        }
    });
    poll.start();
    EXPECT_FALSE(startup.Form_Load(form));   // the program ends after the dialog
    ASSERT_TRUE(pressed);
    expectValidTenLines();
}

TEST_P(HostileSettingsTest, ManualEditionStoresTenValidLinesAndRunsTheShow)
{
    SingleInstance instance(QStringLiteral("Vistello_manual"), locks.path());
    ManualStartup manual(module, fakes.services, instance);
    F_settei dialog(Edition::Manual, module, fakes.services);
    int shows = 0;
    dialog.setRunShow([&] {
        ++shows;
        Form1 form(Edition::Manual, module, fakes.services);
        manual.Form_Load(form);
        form.Timer1_Timer();
        form.Unload();
    });
    ASSERT_TRUE(dialog.Form_Load());
    dialog.Show();
    dialog.Command1_Click();
    EXPECT_EQ(shows, 1);
    expectValidTenLines();
    dialog.Unload();
}

INSTANTIATE_TEST_SUITE_P(Files, HostileSettingsTest, ::testing::Range(0, int(HostileFiles::SettingsFiles().size())),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return QString(HostileFiles::SettingsFiles().at(info.param).name).replace('-', '_').toStdString();
                         });
