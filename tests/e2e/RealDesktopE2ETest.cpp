// The real programs on two monitors side by side (one 2048 x 768 screen split by
// RandR, which Qt reports as two screens) under a window manager; the show on two
// screens without one is TwoScreensE2E's.
#include "support/XvfbSession.h"

#include <QRegularExpression>
#include <QTest>

TEST(RealDesktopE2E, DialogCentredByItsFrameManualShowCoversTheOtherMonitor)
{
    XvfbSession xvfb(QSize(2048, 768));
    ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
    const auto run = [&](const QString &tool, const QString &args) { return xvfb.run(tool, args.split(' ', Qt::SkipEmptyParts)).value_or(""); };
    const auto field = [&](const QString &window, const QString &name) {
        const QString info = run("xwininfo", "-children -id " + window) + run("xwininfo", "-id " + window);
        return QRegularExpression(name + ":\\s*(\\S+)").match(info).captured(1);
    };
    const auto secondIs = [&](QRgb colour) {
        return QTest::qWaitFor([&] { return countPixels(xvfb.screenshot().copy(1024, 0, 1024, 768), QColor(colour), 0) == 1024 * 768; }, 15000);
    };
    run("xrandr", "--setmonitor left 1024/271x768/203+0+0 screen --setmonitor right 1024/271x768/203+1024+0 none");
    ScratchFolder folder;
    const QString saver = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());

    // Under openbox the dialog's frame is centred, and the manual show's cover takes a click.
    ASSERT_TRUE(xvfb.startWindowManager()) << "openbox did not start";
    {
        ProgramRun dialog(xvfb, saver, {"/c"}, folder.path());
        const QString frame = field(run("xdotool", "search --sync --onlyvisible --name ^Vistello.Ver").trimmed(), "Parent window id");
        const auto at = [&](const QString &name) { return field(frame, name).toInt(); };
        EXPECT_NEAR(at("Absolute upper-left X"), (1024 - at("Width")) / 2.0, 2);
        EXPECT_NEAR(at("Absolute upper-left Y"), (768 - at("Height")) / 2.0, 2);
        EXPECT_GT(at("Height"), 433) << "no frame";
    }
    ProgramRun manual(xvfb, copyProgram(QStringLiteral(VISTELLO_MANUAL_BIN), folder.path()), {}, folder.path());
    // Drive1 has the focus; the fourth Tab reaches 表示.
    run("xdotool", "search --sync --onlyvisible --name 手動版 windowactivate --sync key Tab Tab Tab Tab Return");
    EXPECT_TRUE(secondIs(qRgb(0, 0, 0)));
    xvfb.xdotool({"mousemove", "1500", "300", "click", "1"});
    EXPECT_TRUE(secondIs(qRgb(255, 255, 255)));
}
