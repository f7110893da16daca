// The real Vistello_manual under an X server of the test's own: dialog, two shows, quit.
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

// Centres of the dialog's buttons in its client area, in pixels (twips / 15).
const QPoint kCommand1Centre((2820 + 1215 / 2) / 15, (6000 + 495 / 2) / 15);
const QPoint kCommand3Centre((4140 + 1215 / 2) / 15, (6000 + 495 / 2) / 15);

class ManualE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        program = copyProgram(QStringLiteral(VISTELLO_MANUAL_BIN), folder.path());
    }

    QString dialogWindow() const
    {
        QString ids;
        xvfb.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                      QStringLiteral("^Vistello Ver\\.1\\.0 【手動版】$")}, &ids);
        return ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
    }

    void clickInDialog(const QString &window, QPoint at)
    {
        xvfb.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
                      QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }


    XvfbSession xvfb{QSize(1024, 768)};
    ScratchFolder folder;
    QString program;
};

TEST_F(ManualE2E, DialogRunsTwoShowsAndQuits)
{
    ProgramRun run(xvfb, program, {}, folder.path());
    ASSERT_TRUE(run.started());
    QString dialog;
    ASSERT_TRUE(waitUntil([&] { return !(dialog = dialogWindow()).isEmpty(); }, 15000)) << "no dialog";
    EXPECT_EQ(xvfb.pointerVisible(), std::optional<bool>(true));

    for (int show = 0; show < 2; ++show) {
        clickInDialog(dialog, kCommand1Centre);
        ASSERT_TRUE(waitUntil([&] { return xvfb.screenIsBlack(); }, 15000)) << "show " << show;
        EXPECT_TRUE(waitUntil([&] { return xvfb.pointerVisible() == std::optional<bool>(false); }, 5000));
        // Three moves that change both coordinates end the first show; the counter
        // carries over, so the later show ends sooner.
        for (int i = 1; i <= 3 && xvfb.screenIsBlack(); ++i) {
            xvfb.xdotool({QStringLiteral("mousemove"), QString::number(100 + 37 * i + 200 * show),
                          QString::number(100 + 29 * i + 200 * show)});
            QThread::msleep(300);
        }
        ASSERT_TRUE(waitUntil([&] { return !xvfb.screenIsBlack(); }, 5000)) << "show " << show << " did not end";
        EXPECT_TRUE(waitUntil([&] { return !dialogWindow().isEmpty(); }, 5000));
        EXPECT_TRUE(waitUntil([&] { return xvfb.pointerVisible() == std::optional<bool>(true); }, 5000));
        EXPECT_TRUE(run.isRunning());
    }
    EXPECT_TRUE(folder.exists(QStringLiteral("Vistello.ini")));

    clickInDialog(dialog, kCommand3Centre);
    ASSERT_TRUE(run.waitForExit(10000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
}

TEST_F(ManualE2E, SecondInstanceEndsAtOnce)
{
    ProgramRun first(xvfb, program, {}, folder.path());
    ASSERT_TRUE(waitUntil([&] { return !dialogWindow().isEmpty(); }, 15000));
    ProgramRun second(xvfb, program, {}, folder.path());
    ASSERT_TRUE(second.waitForExit(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(first.isRunning());
}

}
