#include "app/Module1.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray solidPicture(QColor color, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

int countColour(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

// The real window and picture loader on a scratch picture folder.
class Form1ShowTest : public ::testing::Test {
protected:
    Form1ShowTest()
    {
        module.settings.PictureFolder = folder.path() + "/";
        module.settings.PictureOrder = "FILE_NAME";
        module.settings.DisplayMode = 1;
        module.settings.SwitchSpeed = 9;
        module.settings.MoveSpeed = 3;
    }

    // Shows the window, prepares the show and waits until it is on screen.
    bool start(Form1 &form)
    {
        form.Show();
        const bool prepared = form.PrepareShow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return prepared;
    }

    QImage shot(Form1 &form)
    {
        QCoreApplication::processEvents();
        return form.grab().toImage();
    }

    ScratchFolder folder;
    FakeServices fakes;
    Module1 module;
};

TEST_F(Form1ShowTest, FirstPictureIsCentredAndTheTickSwitchesToTheNext)
{
    folder.write("b.bmp", solidPicture(Qt::blue, 100, 60));
    folder.write("a.bmp", solidPicture(Qt::red, 100, 60));
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    ASSERT_TRUE(start(form));
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 2000);

    const QImage image = shot(form);
    const QPoint c(image.width() / 2, image.height() / 2);
    const int left = (image.width() - 100) / 2;
    const int top = (image.height() - 60) / 2;
    EXPECT_EQ(image.pixelColor(c), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(left, top), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(left + 99, top + 59), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(left - 1, top), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(left + 100, top + 59), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(left, top - 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(40, 5), QColor(Qt::black));  // no dark-blue design box left

    form.Timer1_Timer();
    EXPECT_EQ(shot(form).pixelColor(c), QColor(Qt::blue));
    EXPECT_EQ(module.show.CurrentIndex, 2);
}

TEST_F(Form1ShowTest, EmptyFolderAndFolderOfBrokenFilesShowOnlyBlack)
{
    for (bool broken : {false, true}) {
        if (broken) {
            folder.write("a.jpg", "not a picture");
            folder.write("b.gif", "");
            folder.write("c.bmp", solidPicture(Qt::green, 50, 50).left(40));
        }
        Form1 form(Edition::ScreenSaver, module, fakes.services);
        ASSERT_TRUE(start(form));
        const QImage image = shot(form);
        EXPECT_EQ(image.pixelColor(40, 5), QColor(Qt::black)) << broken;
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::black));
        EXPECT_EQ(countColour(image, qRgb(0, 0, 128)), 0);
        // Broken files are retried, at most once a second; an empty folder has nothing to retry.
        EXPECT_EQ(form.Timer1->isActive(), broken);
        if (broken)
            EXPECT_GE(form.Timer1->interval(), 1000);
    }
}

TEST_F(Form1ShowTest, MovingPictureEntersFromTheLeft)
{
    module.settings.DisplayMode = 3;
    folder.write("a.bmp", solidPicture(Qt::yellow, 30, 20));
    for (float v : {0.0f, 0.0f, 0.5f})  // left edge, at the top, heading 0 degrees
        fakes.random.push(v);
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    ASSERT_TRUE(start(form));
    EXPECT_EQ(form.Timer1->interval(), 10);
    EXPECT_EQ(form.Picture1->geometry(), QRect(-30, 0, 30, 20));
    for (int i = 0; i < 20; ++i)  // 20 steps of 30 twips: 40 pixels
        form.Timer1_Timer();
    EXPECT_EQ(form.Picture1->geometry(), QRect(10, 0, 30, 20));
    const QImage image = shot(form);
    EXPECT_EQ(image.pixelColor(10, 0), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(9, 0), QColor(Qt::black));
}

TEST_F(Form1ShowTest, KeyDuringPreparationEndsTheShowCleanly)
{
    for (int i = 0; i < 600; ++i)
        folder.write(QStringLiteral("p%1.jpg").arg(i), "");
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    QCoreApplication::postEvent(form.Picture1, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    EXPECT_FALSE(form.PrepareShow());
    EXPECT_TRUE(form.isUnloaded());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(module.show.ImageCount, 0);
}

}
