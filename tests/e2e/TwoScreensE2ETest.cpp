// The real programs on two screens side by side, 1280 x 720 each: under X11 (Xvfb, two
// RandR monitors, which Qt reports as two screens) and under Wayland (sway), the same rows
// over both; then what only one of them does or can do to its screens.
#include "support/SwaySession.h"
#include "support/XvfbSession.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QRect kFirst(0, 0, 1280, 720), kSecond(1280, 0, 1280, 720);
const QString kFirstMonitor = "1280/338x720/190+0+0", kSecondMonitor = "1280/338x720/190+1280+0";

std::unique_ptr<XvfbSession> twoMonitors()
{
    auto xvfb = std::make_unique<XvfbSession>(QSize(2560, 720));
    xvfb->run("xrandr", {"--setmonitor", "first", kFirstMonitor, "screen", "--setmonitor", "second", kSecondMonitor, "none"});
    return xvfb;
}

std::unique_ptr<DisplaySession> twoScreens(bool wayland)
{
    return wayland ? std::unique_ptr<DisplaySession>(std::make_unique<SwaySession>()) : twoMonitors();
}

bool all(const QImage &shot, QRect area, QColor colour)
{
    return !shot.isNull() && countPixels(shot.copy(area), colour, 0) == area.width() * area.height();
}

// The 200 x 120 red picture centred on one screen, the other black.
bool showsOn(const DisplaySession &session, QRect picture, QRect black)
{
    const QImage shot = session.screenshot();
    return showsCentred(shot.copy(picture), Qt::red, {200, 120}) && all(shot, black, Qt::black);
}

class TwoScreensE2E : public ::testing::Test {
protected:
    // One red picture, centred.
    void SetUp() override
    {
        writePicture(folder.file("a.bmp"), 200, 120, Qt::red);
        folder.write("Vistello.ini", folder.path().toLocal8Bit() + "/\r\nFILE_NAME\r\n1\r\n10\r\n3\r\n");
    }
    ScratchFolder folder;
    const QString program = copyProgram(VISTELLO_BIN, folder.path());
};

// Under X11, then under Wayland: a key, a click over the second screen, a movement; last a key under Wayland
// with plain full-screen windows, as on compositors without the layer shell.
enum Input { Key, Click, Movement, Inputs };
const char *const kNames[] = {"X11Key",        "X11ClickOverSecond", "X11Movement",          "WaylandKey",
                              "WaylandClickOverSecond", "WaylandMovement", "WaylandFullScreenWindowsKey"};

class TwoScreensEndingE2E : public TwoScreensE2E, public ::testing::WithParamInterface<int> {};

TEST_P(TwoScreensEndingE2E, OnlyTheShowOverAnotherFullScreenWindowNoPointerAfterASmallMoveEnds)
{
    const auto session = twoScreens(GetParam() >= Inputs);
    ASSERT_TRUE(session->isRunning()) << "no display server";
    QProcess other;
    other.setProcessEnvironment(session->environment());
    other.start(VISTELLO_FULLSCREEN_WINDOW, {"#00ff00"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return all(session->screenshot(), kSecond, Qt::green); }, 15000));
    // The pointer rests over the other program's window as the show comes up under it.
    session->moveTo({1900, 360});
    const bool xdg = GetParam() == 2 * Inputs;
    ProgramRun show(*session, program, {"/s"}, folder.path(), xdg ? QStringList{"VISTELLO_WAYLAND_SHELL=xdg"} : QStringList());
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsOn(*session, kFirst, kSecond); }, 15000)) << show.errorOutput();
    EXPECT_TRUE(QTest::qWaitFor([&] { return session->pointerVisible() == false; }, 5000)) << "the pointer shows";
    if (GetParam() >= Inputs)   // windows in the compositor's tree, where layer surfaces never are
        EXPECT_EQ(session->run("swaymsg", {"-t", "get_tree"}).value_or("?").count(R"("app_id": "vistello-settings")"), xdg ? 2 : 0);
    // A move that keeps y is no movement of the rule's.
    session->moveTo({1903, 360});
    QTest::qWait(500);
    EXPECT_EQ(session->pointerVisible(), std::optional<bool>(false)) << "the pointer shows after a move";
    ASSERT_TRUE(show.isRunning());
    // The movement goes to the same place on the first screen: a movement all the same. (Under Wayland the
    // pointer's entry into another surface is no motion: a second step is.)
    const int ending = GetParam() % Inputs;
    ending == Key ? session->keys({"x"}) : ending == Click ? session->click() : session->moveTo({623, 400});
    if (ending == Movement && GetParam() >= Inputs)
        QTest::qWait(300), session->moveTo({640, 420});
    EXPECT_TRUE(show.ended());
    other.kill(), other.waitForFinished();
}

INSTANTIATE_TEST_SUITE_P(, TwoScreensEndingE2E, ::testing::Range(0, 2 * Inputs + 1),
                         [](const auto &info) { return std::string(kNames[info.param]); });

class ManualE2E : public TwoScreensE2E, public ::testing::WithParamInterface<bool> {};

TEST_P(ManualE2E, ShowFromTheDialogByTheRuleBackInTheDialogSigtermDuringAShowEnds)
{
    const auto session = twoScreens(GetParam());
    ASSERT_TRUE(session->isRunning()) << "no display server";
    ProgramRun manual(*session, copyProgram(VISTELLO_MANUAL_BIN, folder.path()), {}, folder.path());
    const auto dialog = [&] { return !all(session->screenshot(), {600, 340, 80, 40}, Qt::white); };
    ASSERT_TRUE(QTest::qWaitFor(dialog, 15000)) << "no dialog";
    for (int show : {1, 2}) {
        // Keys go where the pointer is when no window manager gives the focus. Drive1 has
        // the focus; the fourth Tab reaches 表示.
        session->moveTo({640, 360});
        EXPECT_TRUE(QTest::qWaitFor([&] { return session->pointerVisible() == true; }, 5000)) << show;
        session->keys({"Tab", "Tab", "Tab", "Tab", "Return"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return showsOn(*session, kFirst, kSecond); }, 15000)) << show;
        EXPECT_TRUE(QTest::qWaitFor([&] { return session->pointerVisible() == false; }, 5000)) << show;
        if (show == 2)
            break;
        // The first reports of a show are only counted; a later one that changes both coordinates ends it.
        for (int i = 1; i <= 6 && showsOn(*session, kFirst, kSecond); ++i)
            session->moveTo({1400 + 37 * i, 100 + 29 * i}), QTest::qWait(200);
        ASSERT_TRUE(QTest::qWaitFor(dialog, 10000)) << "the dialog is not back";
    }
    EXPECT_TRUE(manual.signal(SIGTERM));
    EXPECT_TRUE(manual.ended());
}

INSTANTIATE_TEST_SUITE_P(, ManualE2E, ::testing::Values(false, true),
                         [](const auto &info) { return std::string(info.param ? "Wayland" : "X11"); });

TEST_F(TwoScreensE2E, X11UnderOpenboxDialogCentredByItsFrameShowFollowsThePrimaryMonitorLeavesOneThatGoes)
{
    const auto xvfb = twoMonitors();
    ASSERT_TRUE(xvfb->startWindowManager()) << "openbox did not start";
    const auto field = [&](const QString &window, const QString &name) {
        const QString info = xvfb->run("xwininfo", {"-children", "-id", window}).value_or("")
                             + xvfb->run("xwininfo", {"-id", window}).value_or("");
        return QRegularExpression(name + ":\\s*(\\S+)").match(info).captured(1);
    };
    {
        ProgramRun dialog(*xvfb, program, {"/c"}, folder.path());
        const QByteArray id = xvfb->run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Vistello.Ver"}).value_or("");
        const QString frame = field(QString::fromLatin1(id.trimmed()), "Parent window id");
        const auto at = [&](const QString &name) { return field(frame, name).toInt(); };
        EXPECT_NEAR(at("Absolute upper-left X"), (1280 - at("Width")) / 2.0, 2);
        EXPECT_NEAR(at("Absolute upper-left Y"), (720 - at("Height")) / 2.0, 2);
        EXPECT_GT(at("Height"), 433) << "no frame";
    }
    ProgramRun show(*xvfb, program, {"/s"}, folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsOn(*xvfb, kFirst, kSecond); }, 15000)) << show.errorOutput();
    xvfb->run("xrandr", {"--delmonitor", "first", "--delmonitor", "second", "--setmonitor", "first", kFirstMonitor,
                         "none", "--setmonitor", "*second", kSecondMonitor, "screen"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return showsOn(*xvfb, kSecond, kFirst); }, 10000)) << "the show did not move";
    xvfb->run("xrandr", {"--delmonitor", "first"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return all(xvfb->screenshot(), kFirst, Qt::white); }, 10000)) << "cover stays";
    xvfb->keys({"x"});
    EXPECT_TRUE(show.ended());
}

TEST_F(TwoScreensE2E, WaylandDialogNamedByItsLauncherShowCoversAnAddedOutputMovesOffTheFirstWhenItGoesSigterm)
{
    SwaySession sway;
    ASSERT_TRUE(sway.isRunning()) << "no compositor";
    ProgramRun dialog(sway, program, {"/c"}, folder.path());
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return sway.run("swaymsg", {"-t", "get_tree"}).value_or("").contains(R"("app_id": "vistello-settings")");
    }, 15000)) << "no native window of the settings launcher's";
    EXPECT_TRUE(dialog.signal(SIGTERM) && dialog.ended());
    ProgramRun show(sway, program, {"/s"}, folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsOn(sway, kFirst, kSecond); }, 15000)) << show.errorOutput();
    // The added output comes third; without the first, the second and the third are first and second.
    ASSERT_TRUE(sway.run("swaymsg", {"create_output"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return all(sway.screenshot(), {2560, 0, 1280, 720}, Qt::black); }, 10000));
    ASSERT_TRUE(sway.unplug("WL-1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return showsOn(sway, kFirst, kSecond); }, 10000)) << "the show did not move";
    // At an output scale of 2 (screenshots then at that scale), from the next picture on pixel for pixel again.
    ASSERT_TRUE(sway.run("swaymsg", {"output", "WL-2", "scale", "2"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return showsOn(sway, kFirst, kSecond); }, 10000)) << "not pixel for pixel";
    EXPECT_TRUE(show.signal(SIGTERM));
    EXPECT_TRUE(show.ended());
}

// Qt's own options are no switch either: "-r" and "-p" are what the program reads, so these end at once.
TEST(SaverE2E, QtOptionsAreNoSwitchAndDrawNothing)
{
    XvfbSession xvfb;
    ScratchFolder folder;
    const QString program = copyProgram(VISTELLO_BIN, folder.path());
    for (const QString &arguments : {"-reverse /s", "-platform xcb /s"}) {
        ProgramRun run(xvfb, program, arguments.split(' '), folder.path());
        EXPECT_TRUE(run.ended(0, 5000)) << arguments.toStdString();
    }
    EXPECT_EQ(countPixels(xvfb.screenshot(), Qt::white, 0), 800 * 600);
}

}
