// The screen saver "Vistello" on an X server of the test's own: the show ("/s"), with
// and without a window manager, and the switches that end at once.
#include "support/XvfbSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

namespace {

// File-name order, display mode 1, the speed given.
QByteArray settingsFor(const QString &folder, int speed)
{
    return QDir(folder).canonicalPath().toUtf8() + "/\r\nFILE_NAME\r\n 1 \r\n " + QByteArray::number(speed)
           + " \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";
}

class SaverE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start"; }

    XvfbSession xvfb;
    ScratchFolder folder;
    const QString program = copyProgram(VISTELLO_BIN, folder.path());
};

// What ends the show: xdotool arguments.
const struct Ending {
    const char *name;
    bool openbox;
    QStringList input;
} kEndings[] = {
    // A key, a left click and a movement: TwoScreensE2E.
    {"RightClick", false, {"click", "3"}},
    {"KeyUnderOpenbox", true, {"key", "x"}},
};

class ShowEndingE2E : public SaverE2E, public ::testing::WithParamInterface<int> {};

TEST_P(ShowEndingE2E, ShowsThePicturesInOrderWithoutPointerAndEnds)
{
    if (kEndings[GetParam()].openbox)
        ASSERT_TRUE(xvfb.startWindowManager()) << "openbox did not start";
    folder.write("Vistello.ini", settingsFor(folder.path(), 9));
    // b sorts after a; odd sizes show an off-by-one in the centring.
    ASSERT_TRUE(writePicture(folder.file("b.bmp"), 301, 181, Qt::blue));
    ASSERT_TRUE(writePicture(folder.file("a.bmp"), 200, 120, Qt::red));
    xvfb.moveTo({20, 20});

    ProgramRun show(xvfb, program, {"/s"}, folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsCentred(xvfb.screenshot(), Qt::red, {200, 120}); }, 15000))
        << "the first picture did not cover the screen: " << show.errorOutput();
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return xvfb.pointerVisible() == false; }, 5000)) << "the pointer shows";
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsCentred(xvfb.screenshot(), Qt::blue, {301, 181}); }, 8000))
        << "the second picture did not follow";
    EXPECT_NEAR(sinceFirst.elapsed(), 2000, 1000) << "not the two seconds, give or take a screenshot";
    xvfb.xdotool(kEndings[GetParam()].input);
    EXPECT_TRUE(show.ended());
}

INSTANTIATE_TEST_SUITE_P(, ShowEndingE2E, ::testing::Range(0, int(std::size(kEndings))),
                         [](const auto &info) { return std::string(kEndings[info.param].name); });

// Qt's own options are no switch either: "-r" and "-p" are what the program reads.
TEST_F(SaverE2E, PreviewUnknownSwitchesAndQtOptionsEndAtOnceAndDrawNothing)
{
    for (const QString &arguments : {"/p 1234", "/x", "", "-reverse /s", "-platform xcb /s"}) {
        ProgramRun run(xvfb, program, arguments.split(' ', Qt::SkipEmptyParts), folder.path());
        EXPECT_TRUE(run.ended(0, 5000)) << arguments.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file("Vistello.ini")));
    const QImage shot = xvfb.screenshot();
    EXPECT_EQ(countPixels(shot, Qt::white, 0), shot.width() * shot.height());
}

}
