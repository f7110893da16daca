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
    ProgramRun run(xvfb, copyProgram(VISTELLO_MANUAL_BIN, folder.path()), {}, folder.path());
    const QString title = "^Vistello Ver\\.1\\.0 【手動版】$";
    const QString dialog = xvfb.findWindow(title);
    ASSERT_FALSE(dialog.isEmpty()) << "no dialog: " << run.errorOutput();
    const QPoint at = xvfb.windowGeometry(dialog).topLeft();
    EXPECT_TRUE(xvfb.pointerVisible() == true);

    // "表示" (Command1), pressed at its middle.
    xvfb.clickAt(at + QPoint(228, 416));
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

    // "終了" (Command3) ends the program; so does SIGTERM during a show.
    xvfb.clickAt(at + QPoint(316, 416));
    EXPECT_TRUE(run.ended());
    ProgramRun again(xvfb, copyProgram(VISTELLO_MANUAL_BIN, folder.path()), {}, folder.path());
    ASSERT_FALSE(xvfb.findWindow(title).isEmpty());
    xvfb.clickAt(at + QPoint(228, 416));
    ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb.screenIsBlack(); }, 15000)) << "no show";
    ::kill(static_cast<pid_t>(again.processId()), SIGTERM);
    EXPECT_TRUE(again.ended());
}

}
