// The real show in display mode 1 with a photo much larger than the screen.
#include "support/XvfbSession.h"
#include <QTest>

TEST(PictureRegionE2E, LargePhotoShowsItsMiddlePixelForPixel)
{
    XvfbSession xvfb(QSize(1024, 768));
    ScratchFolder folder;
    folder.write("Vistello.ini", (folder.path() + "/\r\nFILE_NAME\r\n1\r\n1\r\n3\r\n").toLocal8Bit());
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256 + y / 256) * 8));
    ASSERT_TRUE(photo.save(folder.file("photo.jpg"), "JPG", 90));
    const QImage middle = QImage(folder.file("photo.jpg")).copy(1488, 1116, 1024, 768).convertToFormat(QImage::Format_RGB32);
    ProgramRun show(xvfb, copyProgram(QStringLiteral(VISTELLO_BIN), folder.path()), {QStringLiteral("/s")}, folder.path());
    // Pixels only: the screenshot's PNG names a colour space.
    const auto shown = [&] { const QImage s = xvfb.screenshot(); return QImage(s.constBits(), s.width(), s.height(), s.format()) == middle; };
    EXPECT_TRUE(QTest::qWaitFor(shown, 20000));
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("space")});
    EXPECT_TRUE(show.ended());
}
