// On Qt's offscreen screen; tests/CMakeLists.txt runs these again on small screens at ratios 1 and 2.
#include "core/Module1.h"
#include "platform/Twips.h"
#include "settings/DirListBox.h"
#include "settings/F_settei.h"
#include "settings/FileListBox.h"
#include "settings/PreviewImage.h"
#include "settings/SettingsFile.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/Fakes.h"
#include "support/TestFiles.h"
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

static qreal ratio() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

// A pattern that shows a shift by one; a JPEG gets the EXIF orientation, 0 a header that lies.
static void writeShot(const ScratchFolder &folder, const QString &name, QSize size, const char *format, int orientation)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 23 % 256, (x + y) * 11 % 256));
    image.save(folder.file(name), format, 90);
    QByteArray bytes = folder.read(name);
    if (orientation == 0)
        bytes[bytes.indexOf("\xff\xda") + 6] = 0x55;
    const QByteArray exif("\xff\xe1\0\x22" "Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 29);
    folder.write(name, qstrcmp(format, "JPG") ? bytes : bytes.insert(2, exif + char(orientation) + QByteArray(6, 0)));
}

// Modes 1 and 2: the window shows a whole decode cut at Picture1's place, and Picture1
// has the whole picture's size; a JPEG whose header lies, sorted first, is skipped.
TEST(PictureRegion, ShowsTheWholeDecodeCutToTheWindow)
{
    const QSize screen = QGuiApplication::primaryScreen()->size() * ratio(), large = screen * 1.5 + QSize(2, 2);
    const struct { int mode; const char *format; int orientation; QSize size; } rows[] = {
        {1, "JPG", 1, large}, {1, "JPG", 3, large}, {1, "JPG", 6, large}, {1, "JPG", 8, large},
        {2, "JPG", 6, large}, {1, "BMP", 1, large}, {2, "BMP", 1, large}, {1, "JPG", 6, screen / 2}};
    for (const auto &row : rows) {
        ScratchFolder folder;
        writeShot(folder, "0-lies.jpg", row.size, "JPG", 0);
        writeShot(folder, "1-shown.jpg", row.size, row.format, row.orientation);
        Module1 module;
        module.settings = {folder.path() + "/", SaverSettings::fileNameOrder(), double(row.mode), 1, 1};
        FakeServices fakes;
        fakes.random.last = 0.3f, fakes.pictures.readFiles = true;
        Form1 form(Edition::ScreenSaver, module, fakes.services);
        ASSERT_TRUE(form.PrepareShow());
        EXPECT_TRUE(form.Timer1->isActive() && form.Timer1->interval() == 10000);   // (11 - 1) seconds
        const QImage whole = PictureLoader().Load(folder.file("1-shown.jpg")).image.convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(QSizeF(form.Picture1->Width(), form.Picture1->Height()) / 15 * ratio(), QSizeF(whole.size()));
        const QPoint at(Twips::toPixels(form.Picture1->Left(), ratio()), Twips::toPixels(form.Picture1->Top(), ratio()));
        const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(shown == whole.copy(QRect(-at, shown.size()))) << row.mode << row.format << row.orientation;
    }
}

// Stored 600 x 300, upright 300 x 600 logical pixels: caption and frame from the header.
TEST(PicturePreview, TakesCaptionAndSizeFromTheHeader)
{
    ScratchFolder folder;
    writeShot(folder, "turned.jpg", QSize(600, 300) * ratio(), "JPG", 6);
    Module1 module;
    FakeServices fakes;
    fakes.pictures.readFiles = true;
    SettingsFile settingsFile(folder.path());
    F_settei dialog(Edition::ScreenSaver, module, fakes.services, settingsFile);
    dialog.Dir1->SetPath(folder.path());
    dialog.File1->setCurrentRow(0);
    dialog.File1_Click();
    EXPECT_EQ(dialog.Label3->text(), QStringLiteral("画像プレビュー(0.23倍)"));
    EXPECT_EQ(QSizeF(dialog.Image1->Width(), dialog.Image1->Height()), QSizeF(1027.5, 2055));
    EXPECT_EQ(dialog.Image1->Picture().size(), dialog.Image1->ContentRect().size() * ratio());
}
