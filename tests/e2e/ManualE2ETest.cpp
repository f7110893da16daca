// Vistello_manual: the dialog hands over to the show and gets it back.
#include "support/XvfbSession.h"

#include <QTest>
#include <csignal>

namespace {

TEST(ManualE2E, ShowFromTheDialogEndsBackInTheDialogAndQuitEnds)
{
    XvfbSession xvfb;
    ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
    ScratchFolder folder;   // no pictures in it: the show is black
    const QString title = "^Vistello Ver\\.1\\.0 【手動版】$";
    // A click in the dialog once it is there: "表示" (Command1) at 228, 416, "終了" (Command3) at 316, 416.
    const auto press = [&](int x) {
        return xvfb.xdotool({"search", "--sync", "--onlyvisible", "--name", title, "mousemove", "--window", "%1",
                             QString::number(x), "416", "click", "1"});
    };
    ProgramRun run(xvfb, copyProgram(VISTELLO_MANUAL_BIN, folder.path()), {}, folder.path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return xvfb.pointerVisible() == true; }, 5000));
    ASSERT_TRUE(press(228)) << "no dialog: " << run.errorOutput();
    ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb.screenIsBlack(); }, 15000)) << "no show";
    EXPECT_TRUE(QTest::qWaitFor([&] { return xvfb.pointerVisible() == false; }, 5000)) << "the pointer shows";
    // The first reports of a show are only counted; a later one that changes both coordinates ends it.
    for (int i = 1; i <= 6 && xvfb.screenIsBlack(); ++i) {
        xvfb.moveTo({100 + 37 * i, 100 + 29 * i});
        QTest::qWait(200);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !xvfb.screenIsBlack(); }, 5000)) << "the show did not end";
    EXPECT_FALSE(xvfb.findWindow(title).isEmpty()) << "the dialog is not back";
    EXPECT_TRUE(QTest::qWaitFor([&] { return xvfb.pointerVisible() == true; }, 5000)) << "the pointer stays hidden";
    EXPECT_TRUE(press(316) && run.ended());

    // SIGTERM during a show ends the program.
    ProgramRun again(xvfb, copyProgram(VISTELLO_MANUAL_BIN, folder.path()), {}, folder.path());
    ASSERT_TRUE(press(228));
    ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb.screenIsBlack(); }, 15000)) << "no show";
    ::kill(static_cast<pid_t>(again.processId()), SIGTERM);
    EXPECT_TRUE(again.ended());
}

}
