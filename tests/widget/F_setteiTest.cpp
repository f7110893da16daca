#include "core/Module1.h"
#include "settings/DirListBox.h"
#include "settings/DriveListBox.h"
#include "settings/F_settei.h"
#include "settings/FileListBox.h"
#include "settings/PreviewImage.h"
#include "settings/SettingsFile.h"
#include "settings/SpinScrollBar.h"
#include "support/Fakes.h"
#include "support/TestFiles.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// The dialog on the settings of a scratch program folder, with the drives A and C (ready) and B (not ready).
class F_setteiTest : public ::testing::Test {
protected:
    std::unique_ptr<F_settei> open(Edition edition = Edition::ScreenSaver, double mode = 1, QString order = "RANDOM")
    {
        for (const char *folder : {"A/pics", "C", "prog"})
            QDir().mkpath(scratch.file(folder));
        fakes.drives.drives = {{scratch.file("A"), {}}, {scratch.file("B"), {}}, {scratch.file("C"), {}}};
        fakes.drives.notReady = {scratch.file("B")}, fakes.drives.current = scratch.file("A");
        EXPECT_TRUE(SettingsFile(scratch.file("prog")).SaveSettings({scratch.file("A/pics/"), order, mode, 9, 5}).ok);
        auto d = std::make_unique<F_settei>(edition, module, fakes.services, file);
        EXPECT_TRUE(d->Form_Load());
        d->Show();
        return d;
    }
    template <class T = QWidget> static T *at(F_settei &d, const char *name) { return d.findChild<T *>(name); }
    static QString text(F_settei &d, const char *name) { return at<QLineEdit>(d, name)->text(); }
    static void click(F_settei &d, const char *name) { QTest::mouseClick(at(d, name), Qt::LeftButton); }
    static void key(F_settei &d, Qt::Key key) { QTest::keyClick(at(d, "VS1"), key); }
    ScratchFolder scratch;
    FakeServices fakes;
    Module1 module;
    SettingsFile file{scratch.file("prog")};
};

TEST_F(F_setteiTest, OpensOnTheStoredSettingsInEitherEdition)
{
    const QString sw = "画像切換スピード", mv = "画像移動スピード";
    struct Row { Edition edition; double mode; QString order; const char *place, *sequence; QString label, speed; };
    for (const Row &r : {Row{Edition::ScreenSaver, 1, "RANDOM", "Option1", "Option5", sw, "9"},
                         Row{Edition::Manual, 2, "FILE_NAME", "Option2", "Option4", sw, "9"},
                         Row{Edition::ScreenSaver, 3, "FILE_NAME", "Option3", "Option4", mv, "5"},
                         Row{Edition::Manual, 7, "RANDOM", "Option1", "Option5", sw, "9"}}) {
        SCOPED_TRACE(r.mode);
        auto d = open(r.edition, r.mode, r.order);
        const bool manual = r.edition == Edition::Manual;
        const QStringList shown = {d->windowTitle(), d->Command1->text(), d->Command3->text(), d->Label5->text(),
                                   text(*d, "Text1"), QString::number(d->VS1->Value()), text(*d, "Text3")};
        const QStringList expected = {manual ? "Vistello Ver.1.0 【手動版】" : "Vistello Ver.1.0", manual ? "表示" : "OK",
                                      manual ? "終了" : "CANCEL", r.label, r.speed, r.speed, scratch.file("A/pics")};
        EXPECT_EQ(shown.join('|').toStdString(), expected.join('|').toStdString());
        EXPECT_EQ(std::tuple(d->font().family(), d->font().pointSizeF(), d->windowIcon().isNull(), d->File1->x()),
                  std::tuple(QString("ＭＳ ゴシック"), 9.75, false, manual ? 180 : 176));
        // Tab: one stop a frame, at its selected option (the stored mode and order); Text1 hands the focus on to VS1.
        QStringList tabs = {d->focusWidget()->objectName()};
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        for (int i = 0; i < 9; ++i)
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab), tabs << d->focusWidget()->objectName();
        const QString order = QString("Drive1 Dir1 File1 Text3 Command1 %1 VS1 %2 Command3 Drive1").arg(r.place, r.sequence);
        EXPECT_EQ(tabs.join(' ').toStdString(), order.toStdString());
        QGuiApplication::clipboard()->setText("7");   // Text1 shows only what VS1 sets: typing and a paste change nothing
        QTest::keyClicks(d->Text1, "5"), QTest::keyClick(d->Text1, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(text(*d, "Text1"), r.speed);
    }
}

// The bar runs from 1 to 10 and sets the speed of the mode shown; OK stores the selected mode, its speed from
// the bar and the other speed as it was; the other ways of leaving store nothing.
TEST_F(F_setteiTest, SpeedBarSetsTheSpeedOfTheModeShownAndOnlyOkStoresIt)
{
    const std::function<void(F_settei &)> ok = [](F_settei &d) { click(d, "Command1"); };
    const struct { const char *option; bool stores; std::function<void(F_settei &)> leave; } rows[] = {{"Option1", true, ok},
        {"Option2", true, ok}, {"Option3", true, ok}, {"Option2", false, [](F_settei &d) { click(d, "Command3"); }},
        {"Option1", false, [](F_settei &d) { key(d, Qt::Key_Escape); }}, {"Option3", false, [](F_settei &d) { d.close(); }},
        {"Option1", false, [](F_settei &d) { d.reject(); }}};
    for (const auto &[option, stores, leave] : rows) {
        SCOPED_TRACE(option);
        auto d = open();
        const QByteArray before = scratch.read("prog/Vistello.ini");
        const auto shown = [&] { return at<QLabel>(*d, "Label5")->text() + text(*d, "Text1"); };
        for (int i = 0; i < 9; ++i)   // 9 down to 1, and once more at the end
            key(*d, Qt::Key_Down);
        click(*d, "Option3");
        EXPECT_EQ(shown(), "画像移動スピード5");
        for (int i = 0; i < 6; ++i)   // 5 up to 10, and once more at the end
            key(*d, Qt::Key_Up);
        click(*d, "Option4"), click(*d, option);
        EXPECT_EQ(shown(), option[6] == '3' ? "画像移動スピード10" : "画像切換スピード1");
        EXPECT_TRUE(module.settings.SwitchSpeed == 1 && module.settings.MoveSpeed == 10 && fakes.cursor.count() == 1);
        leave(*d);
        EXPECT_TRUE(d->isUnloaded() && !d->isVisible() && fakes.cursor.count() == 0);
        const QString stored = scratch.file("A/pics/\r\nFILE_NAME\r\n ") + option[6] + " \r\n 1 \r\n 10 \r\n\r\n\r\n\r\n\r\n\r\n";
        EXPECT_EQ(scratch.read("prog/Vistello.ini"), stores ? stored.toUtf8() : before);
    }
}

TEST_F(F_setteiTest, FailedStoreIsToldAndTheDialogStays)
{
    auto d = open();
    ASSERT_TRUE(QFile::remove(file.FilePath()) && QDir().mkpath(file.FilePath()));   // a folder in the file's place
    click(*d, "Command1");
    EXPECT_EQ(fakes.notifier.styles, QList<int>{F_settei::kWarningStyle});
    EXPECT_TRUE(d->isVisible() && !d->isUnloaded());
}

// A folder clicked in the folder list, Backspace, then a drive change: the file list and Text3 follow.
TEST_F(F_setteiTest, ListsFollowAClickedFolderAndADriveNotReadyGoesBackToTheLastGoodDrive)
{
    QDir().mkpath(scratch.file("A/pics/sub"));
    auto d = open();
    auto *dirs = at<DirListBox>(*d, "Dir1");
    const QTreeWidgetItem *sub = dirs->findItems("sub", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, dirs->visualItemRect(sub).center());
    EXPECT_EQ(QStringList({text(*d, "Text3"), at<FileListBox>(*d, "File1")->Path()}), QStringList(2, scratch.file("A/pics/sub")));
    QTest::keyClick(dirs, Qt::Key_Backspace);   // one folder up
    EXPECT_EQ(text(*d, "Text3"), scratch.file("A/pics"));
    for (int drive : {2, 1})
        at<DriveListBox>(*d, "Drive1")->SetListIndex(drive);
    EXPECT_EQ(fakes.notifier.beeps, 1);
    EXPECT_EQ(fakes.notifier.messages, QStringList{"ドライブの準備ができていません。"});
    EXPECT_EQ(fakes.notifier.styles, QList<int>{F_settei::kDriveNotReadyStyle});
    EXPECT_TRUE(at<DriveListBox>(*d, "Drive1")->ListIndex() == 2 && text(*d, "Text3") == scratch.file("C"));
}

TEST_F(F_setteiTest, FileClickPreviewsAPictureReducedToTheAreaAndSkipsABrokenOne)
{
    fakes.pictures.readFiles = true;
    ASSERT_TRUE(writePicture(scratch.file("A/pics/big.bmp"), 346, 100, Qt::red) &&
                writePicture(scratch.file("A/pics/small.bmp"), 100, 50, Qt::green));
    scratch.write("A/pics/broken.jpg", "not a picture");
    for (const char *name : {"a.bmp", "jpg", "a.gif", "a.BMP", "a.JPG", "xGIF", "a.jpeg", "a.JPEG"})
        EXPECT_TRUE(F_settei::HasPictureEnding(name)) << name;   // the last three or four characters, exactly
    for (const char *name : {"a.Jpg", "a.jpe", "a.png", "a.JPeG", "gi"})
        EXPECT_FALSE(F_settei::HasPictureEnding(name)) << name;
    auto d = open();
    auto *list = at<FileListBox>(*d, "File1");
    auto *preview = at<PreviewImage>(*d, "Image1");
    // The broken file leaves the preview of the one before.
    for (const auto &[name, caption, colour] : {std::tuple{"big.bmp", "画像プレビュー(0.50倍)", Qt::red},
                                                std::tuple{"broken.jpg", "画像プレビュー(0.50倍)", Qt::red},
                                                std::tuple{"small.bmp", "画像プレビュー(1.00倍)", Qt::green}}) {
        const QListWidgetItem *item = list->findItems(name, Qt::MatchExactly).value(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        EXPECT_EQ(at<QLabel>(*d, "Label3")->text(), caption) << name;
        EXPECT_EQ(preview->grab().toImage().pixelColor(preview->ContentRect().center()), QColor(colour)) << name;
    }
}
