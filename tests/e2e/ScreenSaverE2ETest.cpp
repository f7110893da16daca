// The real Vistello under an X server of the test's own, driven like a person would.
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QByteArray kDefaultTail = QByteArrayLiteral("RANDOM\r\n 1 \r\n 9 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");

class ScreenSaverE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        program = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
        // Park the pointer somewhere known before the program starts.
        xvfb.xdotool({QStringLiteral("mousemove"), QStringLiteral("100"), QStringLiteral("100")});
    }

    std::unique_ptr<ProgramRun> start(const QStringList &args)
    {
        auto run = std::make_unique<ProgramRun>(xvfb, program, args, folder.path());
        EXPECT_TRUE(run->started());
        return run;
    }


    XvfbSession xvfb{QSize(1024, 768)};
    ScratchFolder folder;
    QString program;
};

TEST_F(ScreenSaverE2E, ShowCreatesDefaultsCoversScreenHidesPointerAndEndsOnKey)
{
    ASSERT_EQ(xvfb.pointerVisible(), std::optional<bool>(true));
    auto show = start({QStringLiteral("/s")});
    ASSERT_TRUE(waitUntil([&] { return xvfb.screenIsBlack(); }, 15000)) << "the screen was not covered";

    const QByteArray expected = QDir(folder.path()).canonicalPath().toLocal8Bit() + "/\r\n" + kDefaultTail;
    EXPECT_EQ(folder.read(QStringLiteral("Vistello.ini")), expected);
    EXPECT_TRUE(waitUntil([&] { return xvfb.pointerVisible() == std::optional<bool>(false); }, 5000));

    // A second instance started meanwhile ends at once and leaves the first alone.
    auto second = start({QStringLiteral("/s")});
    EXPECT_TRUE(endedWithStatus0(*second));
    EXPECT_TRUE(show->isRunning());

    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
    EXPECT_TRUE(endedWithStatus0(*show));
    EXPECT_TRUE(waitUntil([&] { return !xvfb.screenIsBlack(); }, 5000));
}

TEST_F(ScreenSaverE2E, ShowCoversTheScreenUnderAWindowManagerToo)
{
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        GTEST_SKIP() << "openbox is not installed";
    QProcess wm;
    wm.setProcessEnvironment(xvfb.environment());
    wm.setStandardOutputFile(QProcess::nullDevice());
    wm.setStandardErrorFile(QProcess::nullDevice());
    wm.start(QStringLiteral("openbox"), {});
    ASSERT_TRUE(wm.waitForStarted());
    QThread::msleep(500);

    auto show = start({QStringLiteral("/s")});
    EXPECT_TRUE(waitUntil([&] { return xvfb.screenIsBlack(); }, 15000)) << "the screen was not covered";
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("x")});
    EXPECT_TRUE(endedWithStatus0(*show));
    wm.terminate();
    wm.waitForFinished(5000);
}

TEST_F(ScreenSaverE2E, ShowEndsOnClick)
{
    auto show = start({QStringLiteral("/S 12345")});
    ASSERT_TRUE(waitUntil([&] { return xvfb.screenIsBlack(); }, 15000));
    xvfb.xdotool({QStringLiteral("click"), QStringLiteral("3")});
    EXPECT_TRUE(endedWithStatus0(*show));
}

TEST_F(ScreenSaverE2E, MouseEndsShowOnlyWhenBothCoordinatesChange)
{
    auto show = start({QStringLiteral("/s")});
    ASSERT_TRUE(waitUntil([&] { return xvfb.screenIsBlack(); }, 15000));
    auto move = [&](int x, int y) {
        xvfb.xdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
        QThread::msleep(300);
    };
    move(500, 500);   // first report: only recorded
    EXPECT_TRUE(show->isRunning());
    move(500, 600);   // x kept
    move(700, 600);   // y kept
    EXPECT_TRUE(show->isRunning());
    move(720, 650);   // both changed
    EXPECT_TRUE(endedWithStatus0(*show));
}

TEST_F(ScreenSaverE2E, PreviewEmptyAndUnknownSwitchesEndAtOnceWithoutFile)
{
    for (const QStringList &args : {QStringList{QStringLiteral("/p"), QStringLiteral("1234")}, QStringList{},
                                    QStringList{QStringLiteral("-s")}, QStringList{QStringLiteral("s")},
                                    QStringList{QStringLiteral("/x")}}) {
        auto run = start(args);
        EXPECT_TRUE(endedWithStatus0(*run));
        EXPECT_FALSE(folder.exists(QStringLiteral("Vistello.ini"))) << args.join(' ').toStdString();
    }
}

TEST_F(ScreenSaverE2E, PasswordSwitchShowsMessageWithPointer)
{
    auto run = start({QStringLiteral("/a")});
    QString ids;
    ASSERT_TRUE(waitUntil([&] {
        return xvfb.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                             QStringLiteral("^SCRNSAVE:Vistello$")}, &ids);
    }, 15000));
    EXPECT_EQ(xvfb.pointerVisible(), std::optional<bool>(true));
    const QImage shot = xvfb.screenshot();
    EXPECT_FALSE(folder.exists(QStringLiteral("Vistello.ini")));
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("--window"), ids.split('\n').first(), QStringLiteral("Return")});
    EXPECT_TRUE(endedWithStatus0(*run));
}

}
