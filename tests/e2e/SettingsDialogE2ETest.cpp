// "Vistello /c" under an X server of the test's own: the settings dialog as a person meets it.
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class SettingsDialogE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        program = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
        QDir().mkpath(folder.file(QStringLiteral("pics")));
        pictures = QDir(folder.file(QStringLiteral("pics"))).canonicalPath() + QLatin1Char('/');
        xvfb.xdotool({QStringLiteral("mousemove"), QStringLiteral("5"), QStringLiteral("5")});
    }

    QByteArray ini(const QByteArray &mode) const
    {
        return pictures.toLocal8Bit() + "\r\nFILE_NAME\r\n" + mode +
               "\r\n 9 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";
    }

    // Starts "/c" and waits for the dialog; fills its window id and geometry.
    std::unique_ptr<ProgramRun> openDialog()
    {
        auto run = std::make_unique<ProgramRun>(xvfb, program, QStringList{QStringLiteral("/c")}, folder.path());
        EXPECT_TRUE(run->started());
        QString ids;
        EXPECT_TRUE(waitUntil([&] {
            return xvfb.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                 QStringLiteral("^Vistello Ver\\.1\\.0$")}, &ids);
        }, 15000)) << run->errorOutput().toStdString();
        window = ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
        QString shell;
        xvfb.xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}, &shell);
        for (const QString &line : shell.split(QLatin1Char('\n'))) {
            const QStringList kv = line.split(QLatin1Char('='));
            if (kv.size() == 2)
                geometry[kv[0]] = kv[1].toInt();
        }
        return run;
    }

    // A click at a point of the dialog's client area, in pixels.
    void clickAt(int x, int y)
    {
        xvfb.xdotool({QStringLiteral("mousemove"), QString::number(geometry["X"] + x),
                      QString::number(geometry["Y"] + y), QStringLiteral("click"), QStringLiteral("1")});
    }

    XvfbSession xvfb{QSize(1024, 768)};
    ScratchFolder folder;
    QString program;
    QString pictures;
    QString window;
    QMap<QString, int> geometry;
};

TEST_F(SettingsDialogE2E, DialogOpensCentredAndOkStoresTheChoiceAndEnds)
{
    folder.write(QStringLiteral("Vistello.ini"), ini(" 1 "));
    auto run = openDialog();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(geometry["WIDTH"], 361);
    EXPECT_EQ(geometry["HEIGHT"], 433);
    // (screen - dialog) / 2, at the nearest pixel.
    EXPECT_NEAR(geometry["X"], (1024 - 361) / 2.0, 0.5);
    EXPECT_NEAR(geometry["Y"], (768 - 433) / 2.0, 0.5);
    EXPECT_EQ(xvfb.pointerVisible(), std::optional<bool>(true));

    // The dialog is drawn where it says it is: its face is not the white root window.
    const QImage shot = xvfb.screenshot().copy(geometry["X"], geometry["Y"], 361, 433);
    EXPECT_LT(countPixels(shot, qRgb(255, 255, 255)), 361 * 433 / 2);

    clickAt(4 + 32 + 10, 244 + 52 + 8);   // "移動" in the display-position frame
    QThread::msleep(300);
    clickAt(188 + 40, 400 + 16);          // "OK"
    EXPECT_TRUE(endedWithStatus0(*run));
    EXPECT_EQ(folder.read(QStringLiteral("Vistello.ini")), ini(" 3 "));
}

TEST_F(SettingsDialogE2E, EscEndsWithoutTouchingTheFile)
{
    folder.write(QStringLiteral("Vistello.ini"), ini(" 2 "));
    const QDateTime written = QFileInfo(folder.file(QStringLiteral("Vistello.ini"))).lastModified();
    auto run = openDialog();
    ASSERT_FALSE(window.isEmpty());
    clickAt(4 + 32 + 10, 244 + 20 + 8);   // "中央": a change that Esc must drop
    QThread::msleep(300);
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(endedWithStatus0(*run));
    EXPECT_EQ(folder.read(QStringLiteral("Vistello.ini")), ini(" 2 "));
    EXPECT_EQ(QFileInfo(folder.file(QStringLiteral("Vistello.ini"))).lastModified(), written);
}

}
