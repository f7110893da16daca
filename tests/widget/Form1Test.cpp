#include "core/Module1.h"
#include "platform/Twips.h"
#include "slideshow/Form1.h"
#include "support/Fakes.h"
#include "support/TestFiles.h"
#include <QTimer>
#include <gtest/gtest.h>

// The show window on the offscreen screen, shown as the start-up does: first with its
// empty box, then prepared on a folder without pictures. (Placed pictures: PictureRegionTest.)
TEST(Form1Test, EmptyBoxAtItsDesignPlaceThenAllBlackWithoutPictures)
{
    const QRect box(Twips::toPixels(Form1::kDesignLeft), Twips::toPixels(Form1::kDesignTop),
                    Twips::toPixels(Form1::kDesignWidth), Twips::toPixels(Form1::kDesignHeight));
    ScratchFolder folder;
    FakeServices fakes;
    Module1 module{{folder.path() + "/", "FILE_NAME", 1, 9, 3}};
    Form1 form(Edition::ScreenSaver, module, fakes.services);
    form.Show();
    QImage shot = form.grab().toImage();
    EXPECT_EQ(countPixels(shot, QColor(0, 0, 128), 0), box.width() * box.height());
    EXPECT_EQ(shot.pixelColor(box.topLeft()), QColor(0, 0, 128));
    EXPECT_TRUE(form.PrepareShow());
    shot = form.grab().toImage();
    EXPECT_EQ(countPixels(shot, Qt::black, 0), shot.width() * shot.height());
    EXPECT_FALSE(form.Timer1->isActive());
}
