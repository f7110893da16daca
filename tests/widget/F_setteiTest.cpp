#include "app/Module1.h"
#include "platform/JapaneseFont.h"
#include "settings/DirListBox.h"
#include "settings/DriveListBox.h"
#include "settings/F_settei.h"
#include "settings/FileListBox.h"
#include "settings/OptionFrame.h"
#include "settings/PreviewImage.h"
#include "settings/SettingsFile.h"
#include "settings/SpinScrollBar.h"
#include "support/FakeDriveSource.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

QByteArray iniBytes(const QString &folder, const QString &mode = " 1 ", const QString &switchSpeed = " 9 ",
                    const QString &moveSpeed = " 3 ", const QString &order = "RANDOM")
{
    const QStringList lines = {folder, order, mode, switchSpeed, moveSpeed,
                               "Spare1", "Spare2", "Spare3", "Spare4", "Spare5"};
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

class F_setteiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *folder : {"prog", "A/pics", "A/other", "B/pics", "C"})
            QDir().mkpath(scratch.file(folder));
        driveA = scratch.file("A");
        driveB = scratch.file("B");
        driveC = scratch.file("C");
        drives.drives = {{driveA, "DATA"}, {driveB, QString()}, {driveC, QString()}};
        drives.notReady = {driveC};
        drives.current = driveA;
        settingsFile = std::make_unique<SettingsFile>(scratch.file("prog"), scratch.file("cfg"), scratch.file("mine"));
        fakes.services.drives = &drives;
        fakes.services.settingsFile = settingsFile.get();
    }

    QByteArray writeIni(const QByteArray &bytes)
    {
        scratch.write("prog/Vistello.ini", bytes);
        return bytes;
    }
    QByteArray ini() const { return scratch.read("prog/Vistello.ini"); }

    // Loads the dialog (the opening sequence runs) and shows it with the focus placed.
    std::unique_ptr<F_settei> open(Edition edition = Edition::ScreenSaver, bool show = true)
    {
        auto dialog = std::make_unique<F_settei>(edition, module, fakes.services);
        EXPECT_TRUE(dialog->Form_Load());
        if (show) {
            dialog->Show();
            QApplication::setActiveWindow(dialog.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        }
        return dialog;
    }

    template <class T> static T *control(F_settei &d, const char *name)
    {
        T *w = d.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    static QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    void writePicture(const QString &name, int width, int height, QColor color = Qt::red)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(scratch.file(name), "BMP"));
    }

    ScratchFolder scratch;
    FakeServices fakes;
    FakeDriveSource drives;
    std::unique_ptr<SettingsFile> settingsFile;
    Module1 module;
    QString driveA, driveB, driveC;
};

TEST_F(F_setteiTest, LayoutFollowsTheTwipTableInBothEditions)
{
    writeIni(iniBytes(driveA + "/pics/"));
    for (Edition edition : {Edition::ScreenSaver, Edition::Manual}) {
        F_settei d(edition, module, fakes.services);
        EXPECT_EQ(d.size(), QSize(361, 433));
        struct Place { const char *name; QRect rect; };
        const int fileLeft = edition == Edition::Manual ? 180 : 176;
        for (const Place &p : {Place{"Text3", {8, 36, 345, 25}}, Place{"Drive1", {8, 60, 169, 21}},
                               Place{"Dir1", {8, 84, 169, 156}}, Place{"File1", {fileLeft, 68, 177, 175}},
                               Place{"Frame1", {4, 244, 177, 93}}, Place{"Option1", {32, 20, 49, 17}},
                               Place{"Option2", {32, 36, 77, 17}}, Place{"Option3", {32, 52, 53, 17}},
                               Place{"Text1", {116, 64, 33, 25}}, Place{"VS1", {148, 64, 25, 25}},
                               Place{"Frame2", {4, 340, 177, 57}}, Place{"Option4", {32, 16, 101, 17}},
                               Place{"Option5", {32, 36, 81, 17}}, Place{"Command1", {188, 400, 81, 33}},
                               Place{"Command3", {276, 400, 81, 33}}})
            EXPECT_EQ(control<QWidget>(d, p.name)->geometry(), p.rect) << p.name;
        // The preview frame's border lies just outside the 173 x 137 area.
        EXPECT_EQ(d.Image1->geometry(), QRect(183, 259, 175, 139));
        EXPECT_EQ(d.Label2->pos(), QPoint(28, 4));
        EXPECT_EQ(d.Label3->pos(), QPoint(188, 244));
        EXPECT_EQ(d.Label5->pos(), QPoint(8, 72));
        EXPECT_EQ(d.Command1->text(), edition == Edition::Manual ? "表示" : "OK");
        EXPECT_EQ(d.Command3->text(), edition == Edition::Manual ? "終了" : "CANCEL");
        EXPECT_EQ(d.Frame1->title(), "画像の表示位置");
        EXPECT_EQ(d.Frame2->title(), "画像の表示順序");
        EXPECT_TRUE(d.Option1->isChecked());
        EXPECT_TRUE(d.Option5->isChecked());
        EXPECT_EQ(d.VS1->Value(), 10);
        EXPECT_EQ(d.Text1->text(), "Text4");
        EXPECT_FALSE(d.Command1->isDefault() || d.Command1->autoDefault() || d.Command3->autoDefault());
    }
}

TEST_F(F_setteiTest, EveryCaptionIsDrawnByTheJapaneseGothicFaceWithoutMissingGlyphs)
{
    writeIni(iniBytes(driveA + "/pics/"));
    auto d = open(Edition::Manual);
    ASSERT_FALSE(JapaneseFont::resolvedFamily().isEmpty()) << "no Japanese Gothic face installed";
    const auto check = [](QWidget *widget, const QString &text) {
        EXPECT_EQ(QFontInfo(widget->font()).family().toLower().toStdString(),
                  JapaneseFont::resolvedFamily().toLower().toStdString())
            << text.toStdString();
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), 9.75);
        const QRawFont raw = QRawFont::fromFont(widget->font());
        for (QChar c : text)
            EXPECT_TRUE(raw.supportsCharacter(c)) << text.toStdString();
    };
    for (QLabel *l : d->findChildren<QLabel *>())
        check(l, l->text());
    for (QAbstractButton *b : d->findChildren<QAbstractButton *>())
        check(b, b->text());
    for (QGroupBox *g : d->findChildren<QGroupBox *>())
        check(g, g->title());
    check(d.get(), d->windowTitle());
    // Labels take the size of their text.
    for (QLabel *l : {d->Label1, d->Label2, d->Label3, d->Label5})
        EXPECT_EQ(l->size(), l->sizeHint()) << l->objectName().toStdString();
}

TEST_F(F_setteiTest, OpensOnTheStoredModeSpeedOrderAndFolder)
{
    struct Case { QString mode; const char *option; QString label; QString text; int value; };
    const QString sw = "画像切換スピード", mv = "画像移動スピード";
    for (const Case &c : {Case{" 1 ", "Option1", sw, "9", 9}, Case{" 2 ", "Option2", sw, "9", 9},
                          Case{" 3 ", "Option3", mv, "5", 5},
                          // A mode outside 1 to 3 opens as mode 1 does.
                          Case{" 0 ", "Option1", sw, "9", 9}, Case{" 7 ", "Option1", sw, "9", 9}}) {
        writeIni(iniBytes(driveB + "/pics", c.mode, " 9 ", " 5 ", "FILE_NAME"));
        auto d = open(Edition::ScreenSaver, false);
        EXPECT_TRUE(control<QRadioButton>(*d, c.option)->isChecked()) << c.mode.toStdString();
        EXPECT_EQ(d->Label5->text(), c.label);
        EXPECT_EQ(d->Label5->width(), d->Label5->sizeHint().width());
        EXPECT_EQ(d->Text1->text(), c.text);
        EXPECT_EQ(d->VS1->Value(), c.value);
        EXPECT_TRUE(d->Option4->isChecked());
        EXPECT_EQ(d->windowTitle(), "Vistello Ver.1.0");
        // The drive changed from A to B: the lists and Text3 follow the folder list's path.
        EXPECT_EQ(d->Drive1->ListIndex(), 1);
        EXPECT_EQ(d->Dir1->Path(), driveB + "/pics");
        EXPECT_EQ(d->File1->Path(), driveB + "/pics");
        EXPECT_EQ(d->Text3->text(), driveB + "/pics");
        EXPECT_EQ(d->LastDriveIndex, 1);
        // Centred on the 800 x 800 offscreen screen: (12000 - 5415) / 2 and (12000 - 6495) / 2
        // twips are 219.5 and 183.5 pixels.
        ASSERT_EQ(d->screen()->geometry(), QRect(0, 0, 800, 800));
        EXPECT_EQ(d->pos(), QPoint(220, 184));
    }
}

TEST_F(F_setteiTest, CommandOneWritesModeThreeBackUnchangedAndModeZeroAsModeOne)
{
    const QByteArray stored = writeIni(iniBytes(driveA + "/pics/", " 3 ", " 9 ", " 5 "));
    auto d = open();
    QTest::mouseClick(d->Command1, Qt::LeftButton);
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_EQ(ini(), stored);
    writeIni(iniBytes(driveA + "/pics/", " 0 ", " 4 ", " 5 "));
    open()->Command1_Click();
    EXPECT_EQ(ini(), iniBytes(driveA + "/pics/", " 1 ", " 4 ", " 5 "));
}

TEST_F(F_setteiTest, ModesSwapTheLabelAndEachRemembersItsSpeed)
{
    writeIni(iniBytes(driveA + "/pics/"));
    auto d = open();
    QSignalSpy changes(d->VS1, &SpinScrollBar::Change);
    QTest::mouseClick(d->Option3, Qt::LeftButton);
    EXPECT_EQ(d->Label5->text(), "画像移動スピード");
    EXPECT_EQ(d->Text1->text(), "3");
    d->VS1->SetValue(5);
    EXPECT_EQ(module.settings.MoveSpeed, 5);
    EXPECT_EQ(module.settings.SwitchSpeed, 9);
    QTest::mouseClick(d->Option1, Qt::LeftButton);
    EXPECT_EQ(d->Label5->text(), "画像切換スピード");
    EXPECT_EQ(d->Text1->text(), "9");
    EXPECT_EQ(d->VS1->Value(), 9);
    // Mode 2 shares the switching speed: the bar keeps its value and raises nothing.
    const int before = changes.count();
    QTest::mouseClick(d->Option2, Qt::LeftButton);
    EXPECT_EQ(changes.count(), before);
    EXPECT_EQ(d->Text1->text(), "9");
    EXPECT_FALSE(d->Option1->isChecked() || d->Option3->isChecked());

    // Storing with mode 1 at speed 4 leaves the moving speed as it was.
    QTest::mouseClick(d->Option1, Qt::LeftButton);
    d->VS1->SetValue(4);
    d->Command1_Click();
    EXPECT_EQ(ini(), iniBytes(driveA + "/pics/", " 1 ", " 4 ", " 5 "));
}

TEST_F(F_setteiTest, CancelEscAndCloseBoxWriteNothingAndBalanceThePointer)
{
    const QByteArray stored = iniBytes(driveA + "/pics");
    for (int way = 0; way < 3; ++way) {
        writeIni(stored);
        fakes.cursor.ShowCursor(false);   // the start-up hid it
        auto d = open();
        EXPECT_EQ(fakes.cursor.count(), 0);
        d->VS1->SetValue(2);
        if (way == 0)
            QTest::mouseClick(d->Command3, Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(d->VS1, Qt::Key_Escape);
        else
            d->close();
        EXPECT_TRUE(d->isUnloaded()) << way;
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(fakes.cursor.count(), -1);
        EXPECT_EQ(ini(), stored);
        // The speed changed in memory stays changed there.
        EXPECT_EQ(module.settings.SwitchSpeed, 2);
        fakes.cursor.ShowCursor(true);
    }
}

TEST_F(F_setteiTest, EnterOnAnOptionOrAListPressesNothingButPressesAFocusedButton)
{
    const QByteArray stored = writeIni(iniBytes(driveA + "/pics/"));
    auto d = open();
    for (QWidget *w : {static_cast<QWidget *>(d->Option1), static_cast<QWidget *>(d->File1),
                       static_cast<QWidget *>(d->Drive1), static_cast<QWidget *>(d->Text3)}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        EXPECT_FALSE(d->isUnloaded()) << w->objectName().toStdString();
    }
    d->Command1->setFocus();
    QTest::keyClick(d->Command1, Qt::Key_Return);
    EXPECT_TRUE(d->isUnloaded());
}

TEST_F(F_setteiTest, TabOrderGivesEachFrameOneStopAtItsSelectedOption)
{
    writeIni(iniBytes(driveA + "/pics/", " 2 ", " 9 ", " 3 ", "FILE_NAME"));
    auto d = open();
    EXPECT_EQ(focusName(), "Drive1");
    QStringList stops;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << focusName();
    }
    // Tabbing onto Text1 lands on VS1.
    EXPECT_EQ(stops, QStringList({"Dir1", "File1", "Text3", "Command1", "Option2", "VS1", "Option4", "Command3",
                                  "Drive1"}));
    // Shift+Tab from VS1 goes on backwards instead of being handed back to VS1.
    d->VS1->setFocus();
    QTest::keyClick(d->VS1, Qt::Key_Backtab);
    EXPECT_EQ(focusName(), "Option2");
    // A click into Text1 ends on VS1 as well.
    QTest::mouseClick(d->Text1, Qt::LeftButton);
    EXPECT_EQ(focusName(), "VS1");
}

TEST_F(F_setteiTest, SpeedBarRaisesUpwardsStaysWithinOneToTenAndTakesOutOfRangeSpeeds)
{
    writeIni(iniBytes(driveA + "/pics/", " 1 ", " 15 ", " 0.4 "));
    auto d = open();
    // A speed outside 1 to 10: the bar takes the nearest end, the box shows the bar.
    EXPECT_EQ(d->VS1->Value(), 10);
    EXPECT_EQ(d->Text1->text(), "10");
    QTest::mouseClick(d->Option3, Qt::LeftButton);
    EXPECT_EQ(d->VS1->Value(), 1);
    EXPECT_EQ(d->Text1->text(), "1");
    EXPECT_EQ(module.settings.MoveSpeed, 1);

    d->VS1->setFocus();
    QTest::keyClick(d->VS1, Qt::Key_Up);
    EXPECT_EQ(d->VS1->Value(), 2);
    QTest::mouseClick(d->VS1, Qt::LeftButton, {}, QPoint(12, 3));   // upper arrow
    EXPECT_EQ(d->VS1->Value(), 3);
    EXPECT_EQ(d->Text1->text(), "3");
    QWheelEvent away(QPointF(12, 12), d->VS1->mapToGlobal(QPointF(12, 12)), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(d->VS1, &away);
    EXPECT_EQ(d->VS1->Value(), 4);
    QTest::mouseClick(d->VS1, Qt::LeftButton, {}, QPoint(12, 22));  // lower arrow
    EXPECT_EQ(d->VS1->Value(), 3);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(d->VS1, Qt::Key_Down);
    EXPECT_EQ(d->VS1->Value(), 1);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(d->VS1, Qt::Key_Up);
    EXPECT_EQ(d->VS1->Value(), 10);
    EXPECT_EQ(module.settings.MoveSpeed, 10);
}

TEST_F(F_setteiTest, PreviewScalesDownByTheSmallerRatioAndNeverEnlarges)
{
    writeIni(iniBytes(driveA + "/pics/"));
    writePicture("A/pics/wide.bmp", 346, 200);        // 5190 x 3000 twips
    writePicture("A/pics/tall.BMP", 67, 274, Qt::blue);  // 1005 x 4110 twips
    writePicture("A/pics/fits.jpg", 173, 137, Qt::green);
    auto d = open();
    auto pick = [&](const QString &name) {
        const QList<QListWidgetItem *> items = d->File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        QTest::mouseClick(d->File1->viewport(), Qt::LeftButton, {}, d->File1->visualItemRect(items[0]).center());
    };

    pick("wide.bmp");
    EXPECT_FLOAT_EQ(d->Image1->Width(), 2595);
    EXPECT_FLOAT_EQ(d->Image1->Height(), 1500);
    EXPECT_TRUE(d->Image1->Stretch());
    EXPECT_EQ(d->Label3->text(), "画像プレビュー(0.50倍)");
    EXPECT_EQ(d->Label3->width(), d->Label3->sizeHint().width());
    EXPECT_EQ(module.settings.PictureFolder, driveA + "/pics/");
    // What a person sees: the whole frame filled with the reduced picture.
    const QImage shot = d->Image1->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(175, 102));
    EXPECT_EQ(QColor(shot.pixel(170, 98)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(1, 1)), QColor(Qt::red));

    pick("tall.BMP");
    EXPECT_FLOAT_EQ(d->Image1->Height(), 2055);
    EXPECT_FLOAT_EQ(d->Image1->Width(), 502.5f);
    EXPECT_EQ(d->Label3->text(), "画像プレビュー(0.50倍)");

    pick("fits.jpg");
    EXPECT_FLOAT_EQ(d->Image1->Width(), 2595);
    EXPECT_FLOAT_EQ(d->Image1->Height(), 2055);
    EXPECT_FALSE(d->Image1->Stretch());
    EXPECT_EQ(d->Label3->text(), "画像プレビュー(1.00倍)");
}

TEST_F(F_setteiTest, OnlyTheExactEndingsPreviewAndAnUnreadablePictureChangesNothing)
{
    writeIni(iniBytes(driveB + "/pics/"));
    writePicture("A/pics/mixed.Jpg", 10, 10);
    writePicture("A/pics/short.jpe", 10, 10);
    writePicture("A/pics/good.gif.bmp", 10, 10);
    scratch.write("A/pics/broken.jpeg", "not a picture");
    auto d = open();
    d->Drive1->SetListIndex(0);
    d->Dir1->SetPath(driveA + "/pics");
    module.settings.PictureFolder = "unchanged";
    const auto select = [&](const QString &name) {
        d->File1->setCurrentItem(d->File1->findItems(name, Qt::MatchExactly).value(0));
        d->File1_Click();
    };
    for (const QString name : {"mixed.Jpg", "short.jpe"}) {
        select(name);
        EXPECT_EQ(module.settings.PictureFolder, "unchanged") << name.toStdString();
        EXPECT_FALSE(d->Image1->HasPicture());
        EXPECT_EQ(d->Label3->text(), "画像プレビュー");
    }
    select("good.gif.bmp");
    EXPECT_TRUE(d->Image1->HasPicture());
    const QImage before = d->Image1->Picture();
    select("broken.jpeg");
    EXPECT_EQ(d->Image1->Picture(), before);
    EXPECT_EQ(d->Label3->text(), "画像プレビュー(1.00倍)");
    EXPECT_TRUE(fakes.notifier.messages.isEmpty());
}

TEST_F(F_setteiTest, FileClickRunsOnUserSelectionOnlyNotWhenTheListGainsFocus)
{
    writeIni(iniBytes(driveB + "/pics/"));
    writePicture("B/pics/one.bmp", 10, 10);
    writePicture("B/pics/two.bmp", 10, 10);
    auto d = open();
    module.settings.PictureFolder = "unchanged";
    d->Dir1->setFocus();
    QTest::keyClick(d->Dir1, Qt::Key_Tab);
    ASSERT_EQ(focusName(), "File1");
    EXPECT_EQ(module.settings.PictureFolder, "unchanged");
    QTest::keyClick(d->File1, Qt::Key_Down);
    EXPECT_EQ(module.settings.PictureFolder, driveB + "/pics/");
    EXPECT_TRUE(d->Image1->HasPicture());
}

TEST_F(F_setteiTest, DriveNotReadyAfterAGoodDriveGoesBackToIt)
{
    writeIni(iniBytes(driveB + "/pics/"));
    auto d = open();
    ASSERT_EQ(d->LastDriveIndex, 1);
    d->Drive1->SetListIndex(2);
    EXPECT_EQ(fakes.notifier.beeps, 1);
    EXPECT_EQ(fakes.notifier.messages, QStringList({"ドライブの準備ができていません。"}));
    EXPECT_EQ(fakes.notifier.styles, QList<int>({8}));
    EXPECT_EQ(d->Drive1->ListIndex(), 1);
    EXPECT_EQ(d->Dir1->Path(), driveB);
    EXPECT_EQ(d->File1->Path(), driveB);
    EXPECT_EQ(d->Text3->text(), driveB);
    EXPECT_EQ(d->LastDriveIndex, 1);
}

TEST_F(F_setteiTest, DriveNotReadyBeforeAnyGoodDriveFallsBackToTheFirstTwice)
{
    // The dialog opens on the drive the list already shows, so no drive change ran.
    const QString notReady1 = scratch.file("N1"), notReady2 = scratch.file("N2");
    drives.drives = {{notReady1, QString()}, {driveA, QString()}, {notReady2, QString()}};
    drives.notReady = {notReady1, notReady2};
    writeIni(iniBytes(driveA + "/pics/"));
    auto d = open();
    ASSERT_FALSE(d->LastDriveIndex.has_value());
    d->Drive1->setFocus();
    QTest::keyClick(d->Drive1, Qt::Key_End);   // the user picks the last drive
    EXPECT_EQ(fakes.notifier.beeps, 2);
    EXPECT_EQ(fakes.notifier.messages.size(), 2);
    EXPECT_EQ(d->Drive1->ListIndex(), 0);
    EXPECT_EQ(d->Dir1->Path(), driveA + "/pics");
    EXPECT_EQ(d->Text3->text(), driveA + "/pics");
    EXPECT_EQ(d->LastDriveIndex, 0);
}

TEST_F(F_setteiTest, FolderListFollowsClicksAndKeysAndCommandOneAddsTheSlash)
{
    writeIni(iniBytes(driveA + "/pics"));
    scratch.write("A/other/.hidden", "x");
    scratch.write("A/other/shown.txt", "x");
    auto d = open();
    EXPECT_EQ(d->Text3->text(), driveA + "/pics");
    QTreeWidgetItem *parent = d->Dir1->ItemForPath(driveA);
    ASSERT_NE(parent, nullptr);
    QTest::mouseClick(d->Dir1->viewport(), Qt::LeftButton, {}, d->Dir1->visualItemRect(parent).center());
    EXPECT_EQ(d->Dir1->Path(), driveA);
    EXPECT_EQ(d->Text3->text(), driveA);
    d->Dir1->setFocus();
    d->Dir1->setCurrentItem(d->Dir1->ItemForPath(driveA + "/other"));
    QTest::keyClick(d->Dir1, Qt::Key_Return);
    EXPECT_EQ(d->Dir1->Path(), driveA + "/other");
    EXPECT_EQ(d->File1->count(), 1);
    EXPECT_EQ(d->File1->item(0)->text(), "shown.txt");
    EXPECT_FALSE(d->isUnloaded());
    // Text typed into Text3 is never read back.
    d->Text3->setText("/nowhere");
    d->Command1_Click();
    EXPECT_EQ(ini(), iniBytes(driveA + "/other/"));
}

TEST_F(F_setteiTest, UnreadableSettingsFileIsReportedAndTheDefaultsShow)
{
    QDir().mkpath(scratch.file("prog/Vistello.ini"));   // a folder where the file should be
    auto d = open(Edition::ScreenSaver, false);
    ASSERT_EQ(fakes.notifier.messages.size(), 1);
    EXPECT_EQ(fakes.notifier.styles.first(), F_settei::kWarningStyle);
    EXPECT_TRUE(d->Option1->isChecked());
    EXPECT_EQ(d->Text1->text(), "9");
    EXPECT_TRUE(d->Option5->isChecked());
}

TEST_F(F_setteiTest, MissingFolderOpensOnItsNearestExistingParent)
{
    writeIni(iniBytes(driveB + "/pics/gone/deeper/"));
    auto d = open();
    EXPECT_EQ(d->Drive1->ListIndex(), 1);
    EXPECT_EQ(d->Dir1->Path(), driveB + "/pics");
    EXPECT_TRUE(fakes.notifier.messages.isEmpty());
    EXPECT_EQ(F_settei::NearestExistingFolder("relative/path"), QString());
    EXPECT_EQ(F_settei::NearestExistingFolder("/no-such-folder-here/x"), "/");
}

TEST_F(F_setteiTest, AFolderWithALineBreakIsRefusedAndAFailedStoreKeepsTheDialogOpen)
{
    const QByteArray stored = writeIni(iniBytes(driveA + "/pics/"));
    QDir().mkpath(driveA + "/two\nlines");
    auto d = open();
    ASSERT_TRUE(d->Dir1->SetPath(driveA + "/two\nlines"));
    d->Command1_Click();
    EXPECT_EQ(fakes.notifier.messages, QStringList({F_settei::lineBreakMessage()}));
    EXPECT_EQ(ini(), stored);
    EXPECT_EQ(module.settings.PictureFolder, driveA + "/pics/");
    EXPECT_FALSE(d->isUnloaded());

    // A store that fails (here: no file may grow past 10 bytes, which holds for root
    // too): the message, the old file, and the dialog stays open.
    d->Dir1->SetPath(driveA + "/other");
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 10;
    setrlimit(RLIMIT_FSIZE, &tiny);
    d->Command1_Click();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(fakes.notifier.messages.size(), 2);
    EXPECT_EQ(fakes.notifier.styles.last(), F_settei::kWarningStyle);
    EXPECT_EQ(ini(), stored);
    EXPECT_FALSE(d->isUnloaded());
    d->Command1_Click();
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_EQ(ini(), iniBytes(driveA + "/other/"));
}

TEST_F(F_setteiTest, ManualEditionChecksTheInstanceStoresThenRunsTheShowAndLeavesThePointer)
{
    F_settei refused(Edition::Manual, module, fakes.services);
    refused.setOtherInstanceRunning([] { return true; });
    EXPECT_FALSE(refused.Form_Load());
    EXPECT_FALSE(scratch.exists("prog/Vistello.ini"));

    writeIni(iniBytes(driveA + "/pics"));
    auto d = std::make_unique<F_settei>(Edition::Manual, module, fakes.services);
    d->setOtherInstanceRunning([] { return false; });
    QByteArray atShow;
    int shows = 0;
    d->setRunShow([&] { ++shows; atShow = ini(); });
    ASSERT_TRUE(d->Form_Load());
    EXPECT_EQ(d->windowTitle(), "Vistello Ver.1.0 【手動版】");
    d->Command1_Click();
    d->Command1_Click();
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(atShow, iniBytes(driveA + "/pics/"));
    EXPECT_FALSE(d->isUnloaded());
    d->Command3_Click();
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_EQ(fakes.cursor.count(), 0);
}

TEST(F_setteiEndingTest, PictureEndingIsExactAndCaseSensitive)
{
    for (const char *yes : {"a.bmp", "a.jpg", "a.gif", "a.BMP", "a.JPG", "a.GIF", "a.jpeg", "a.JPEG", "xjpg", "jpg",
                            "a.gif.bmp"})
        EXPECT_TRUE(F_settei::HasPictureEnding(QString::fromLatin1(yes))) << yes;
    for (const char *no : {"a.Jpg", "a.jpe", "a.Jpeg", "a.png", "a.bmp.txt", "pg", "", "a.JPg"})
        EXPECT_FALSE(F_settei::HasPictureEnding(QString::fromLatin1(no))) << no;
}

}
