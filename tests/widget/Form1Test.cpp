#include "app/Module1.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/Fakes.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Form1Test : public ::testing::Test {
protected:
    FakeServices fakes;
    Module1 module;
};

TEST_F(Form1Test, DefinitionCoversTheScreenWithTheDesignPictureBox)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.geometry(), screen);  // already before it is shown
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 1000);
    EXPECT_EQ(form.Picture1->geometry(), QRect(32, 0, 38, 14));
    EXPECT_FLOAT_EQ(form.FormWidth(), screen.width() * 15.0f);

    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(40, 5), QColor(0, 0, 128));   // the empty dark-blue box
    EXPECT_EQ(shot.pixelColor(10, 5), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() - 1), QColor(Qt::black));
    EXPECT_EQ(QApplication::focusWidget(), form.Picture1);
}

TEST_F(Form1Test, UnloadRunsItsHandlerOnceWhateverEndsTheShow)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    int unloads = 0;
    QObject::connect(&form, &Form1::unloaded, [&] { ++unloads; });
    QTest::mouseClick(form.Picture1, Qt::RightButton);
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(500, 400));
    QCloseEvent close;
    QApplication::sendEvent(&form, &close);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(fakes.cursor.count(), 1);  // one ShowCursor(true); nothing hid it in this test
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, WindowManagerCloseUnloadsLikeInput)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    form.close();
    EXPECT_TRUE(form.isUnloaded());
    EXPECT_EQ(fakes.cursor.count(), 1);
}

TEST_F(Form1Test, MovementOverThePictureCountsInTheWindowsFrame)
{
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // The picture box lies at 32, 0 pixels; positions inside it map to the window.
    QTest::mouseMove(form.Picture1, QPoint(5, 5));
    EXPECT_FALSE(form.isUnloaded());
    EXPECT_FLOAT_EQ(module.saverMouse.LastMouseX, 37 * 15.0f);
    EXPECT_EQ(module.saverMouse.LastMouseY, 75);
    QTest::mouseMove(form.Picture1, QPoint(5, 5));  // no change: stays
    EXPECT_FALSE(form.isUnloaded());
    QTest::mouseMove(form.Picture1, QPoint(8, 9));
    EXPECT_TRUE(form.isUnloaded());
}

TEST_F(Form1Test, ManualEditionUnloadStopsTheTimerAndCountsAcrossShows)
{
    for (int show = 0; show < 2; ++show) {
        Form1 form(Edition::Manual, module, fakes.services);
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.Timer1->start();
        QTest::mouseMove(&form, QPoint(100, 100));
        QTest::mouseMove(&form, QPoint(110, 110));
        if (show == 0) {
            EXPECT_FALSE(form.isUnloaded());  // the first show ignores two reports
            QTest::mouseMove(&form, QPoint(120, 120));
        }
        EXPECT_TRUE(form.isUnloaded());        // the second only one
        EXPECT_FALSE(form.Timer1->isActive());
    }
    EXPECT_EQ(module.manualMouse.MouseMoveCount, 1);
}

}
