// The real Vistello showing pictures under an X server of the test's own.
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace {

QByteArray solidBmp(QColor colour, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A w x h picture of the colour, centred on the screen, with black around it.
// An odd overhang leaves half a pixel, which goes to the even neighbour.
bool centredPicture(const QImage &shot, QRgb colour, int w, int h)
{
    if (shot.isNull())
        return false;
    const int left = int(std::nearbyint((shot.width() - w) / 2.0));
    const int top = int(std::nearbyint((shot.height() - h) / 2.0));
    const int cx = shot.width() / 2;
    const int cy = shot.height() / 2;
    auto is = [&](int x, int y, QRgb c) { return (shot.pixel(x, y) & 0xffffff) == (c & 0xffffff); };
    const QRgb black = qRgb(0, 0, 0);
    return is(cx, cy, colour) && is(left, cy, colour) && is(left - 1, cy, black) && is(left + w - 1, cy, colour)
           && is(left + w, cy, black) && is(cx, top, colour) && is(cx, top - 1, black)
           && is(cx, top + h - 1, colour) && is(cx, top + h, black) && is(left, top, colour)
           && is(left + w - 1, top + h - 1, colour)
           && countPixels(shot, colour) == w * h;
}

TEST(ShowE2E, FileNameOrderCentresEachPictureAndSwitchesEverySecond)
{
    XvfbSession xvfb(QSize(1024, 768));
    ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
    ScratchFolder folder;
    const QString program = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
    const QString pictureFolder = QDir(folder.path()).canonicalPath() + "/";
    folder.write("Vistello.ini", pictureFolder.toLocal8Bit()
                                     + "\r\nFILE_NAME\r\n 1 \r\n 10 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");
    // b sorts after a; odd sizes make an off-by-one in the centring visible.
    folder.write("b.bmp", solidBmp(QColor(0, 0, 255), 301, 181));
    folder.write("a.bmp", solidBmp(QColor(255, 0, 0), 200, 120));

    ProgramRun show(xvfb, program, {QStringLiteral("/s")}, folder.path());
    ASSERT_TRUE(show.started());
    QElapsedTimer clock;
    ASSERT_TRUE(waitUntil([&] { return centredPicture(xvfb.screenshot(), qRgb(255, 0, 0), 200, 120); }, 15000))
        << "the first picture was not centred on the screen";
    clock.start();
    ASSERT_TRUE(waitUntil([&] { return centredPicture(xvfb.screenshot(), qRgb(0, 0, 255), 301, 181); }, 5000, 20))
        << "the second picture did not replace the first";
    // One second after the first picture, give or take the screenshots' own time.
    const qint64 switched = clock.elapsed();
    EXPECT_GT(switched, 500);
    EXPECT_LT(switched, 1800);
    // And the first one comes back a second later.
    EXPECT_TRUE(waitUntil([&] { return centredPicture(xvfb.screenshot(), qRgb(255, 0, 0), 200, 120); }, 3000, 20));

    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("space")});
    ASSERT_TRUE(show.waitForExit(10000)) << "the show did not end on a key";
    EXPECT_EQ(show.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(show.exitCode(), 0);
}

}
