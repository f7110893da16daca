#include "app/ManualStartup.h"
#include "app/SaverStartup.h"
#include "core/Module1.h"
#include "platform/SingleInstance.h"
#include "settings/F_settei.h"
#include "settings/SettingsFile.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"
#include "support/Fakes.h"
#include "support/TestFiles.h"
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

template <class T> static T *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// The start-ups over a scratch program folder without pictures; `user` plays the user in their event loops.
class StartupTest : public ::testing::Test {
protected:
    StartupTest() { fakes.drives.drives = {{program.path(), {}}}, fakes.drives.current = program.path(); }
    ScratchFolder program, locks;
    FakeServices fakes;
    Module1 module;
    SettingsFile file{program.path()};
    QTimer user;
};

// What the user sees (message boxes, windows the test reports), each with the pointer count then.
struct SeenByUser : RecordingNotifier {
    explicit SeenByUser(CursorDisplay &cursor) : cursor(cursor) {}
    void MsgBox(const QString &text, int, QWidget *) override { see(text); }
    void see(const QString &what) { messages << what, counts << cursor.count(); }
    CursorDisplay &cursor;
    QList<int> counts;
};

TEST_F(StartupTest, SaverSwitchOpensItsWindowAndLeavesThePointerCountAsDesigned)
{
    using Input = std::function<void(QWidget *)>;
    const auto box = [](QWidget *w) { return w->findChild<QWidget *>("Picture1"); };
    const Input esc = [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); };
    const Input tab = [=](QWidget *w) { QTest::keyClick(box(w), Qt::Key_Tab); };
    const Input click = [](QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, {500, 400}); };
    const Input clickBox = [=](QWidget *w) { QTest::mouseClick(box(w), Qt::RightButton); };
    const Input move = [](QWidget *w) { QTest::mouseMove(w, {100, 100}), QTest::mouseMove(w, {120, 130}); };
    const Input moveOverBox = [=](QWidget *w) { QTest::mouseMove(box(w), {5, 5}), QTest::mouseMove(box(w), {8, 9}); };
    const Input close = [](QWidget *w) { w->close(); };
    // What the user sees (if anything), how the user answers it (twice: only the first may count), the pointer
    // count meanwhile and at the end; "running" starts the program while another instance runs.
    const QString password = "パスワードには対応していません。";
    struct Row { QString args, sees; Input input; int during, after; bool running = false; };
    for (const Row &r : {Row{"/s", "Form1", tab, -1, 0}, Row{"/S", "Form1", click, -1, 0},
                         Row{"/s 123", "Form1", move, -1, 0}, Row{"/s", "Form1", clickBox, -1, 0},
                         Row{"/s", "Form1", moveOverBox, -1, 0}, Row{"/s", "Form1", close, -1, 0},
                         Row{"/p", "", esc, 0, -1}, Row{"/P 123", "", esc, 0, -1}, Row{"/c", "F_settei", esc, 0, 0},
                         Row{"/C:1", "F_settei", close, 0, 0}, Row{"/a", password, esc, 0, -1},
                         Row{"/A", password, esc, 0, -1}, Row{"", "", esc, 0, 0}, Row{"-s", "", esc, 0, 0},
                         Row{"s", "", esc, 0, 0}, Row{"/x", "", esc, 0, 0}, Row{"/s", "", esc, 0, 0, true},
                         Row{"/c", "", esc, 0, 0, true}}) {
        SCOPED_TRACE((r.args + (r.running ? " running" : "")).toStdString());
        CountingCursor cursor;
        SeenByUser seen(cursor);
        Services services{cursor, fakes.windows, seen, fakes.random, fakes.pictures, fakes.drives};
        QObject::disconnect(&user, nullptr, nullptr, nullptr);
        QObject::connect(&user, &QTimer::timeout, [&] {
            for (QWidget *w : {static_cast<QWidget *>(shown<Form1>()), static_cast<QWidget *>(shown<F_settei>())})
                if (w)
                    seen.see(w->objectName()), r.input(w), r.input(w);
        });
        user.start(5);
        SingleInstance other("Vistello", locks.path()), instance("Vistello", locks.path());
        if (r.running)
            ASSERT_FALSE(other.otherInstanceRunning());
        EXPECT_EQ(SaverStartup(module, services, file, instance, r.args).run(), 0);
        EXPECT_EQ(seen.messages, r.sees.isEmpty() ? QStringList() : QStringList{r.sees});
        EXPECT_EQ(seen.counts, r.sees.isEmpty() ? QList<int>() : QList<int>{r.during});
        EXPECT_EQ(cursor.count(), r.after);
    }
}

TEST_F(StartupTest, ManualShowsRunOverTheDisabledDialogWithTheListCollectedAnew)
{
    ASSERT_TRUE(writePicture(program.file("pics/a.bmp"), 40, 30, Qt::green));
    ASSERT_TRUE(file.SaveSettings({program.file("pics"), "FILE_NAME", 1, 9, 3}).ok);   // "表示" stores it with a "/"
    QList<QList<int>> shows;   // pictures, pointer count, dialog enabled
    int presses = 0;
    QObject::connect(&user, &QTimer::timeout, [&] {
        F_settei *dialog = shown<F_settei>();
        if (Form1 *form = shown<Form1>()) {
            shows << QList<int>{module.show.ImageCount, fakes.cursor.count(), dialog->isEnabled()};
            shows.size() == 1 ? QTest::keyClick(form->Picture1, Qt::Key_Space)
                              : QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(5, 5));
        } else if (dialog && dialog->isEnabled() && presses == shows.size()) {
            if (++presses == 2)   // a picture added between the shows
                writePicture(program.file("pics/b.bmp"), 40, 30, Qt::blue);
            auto *button = dialog->findChild<QPushButton *>(shows.size() < 2 ? "Command1" : "Command3");
            QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
        }
    });
    user.start(5);
    SingleInstance instance("Vistello_manual", locks.path());
    EXPECT_EQ(ManualStartup(module, fakes.services, file, instance).run(), 0);
    EXPECT_EQ(shows, QList<QList<int>>({{1, -1, 0}, {2, -1, 0}}));
    EXPECT_EQ(fakes.cursor.count(), 0);
    EXPECT_TRUE(file.LoadSettings(module.settings).ok && module.settings.PictureFolder == program.file("pics/"));
}

// SIGTERM while the manual show's folder is read, or while a message box of the dialog's opening is open (a
// settings "file" that is a folder): no window comes up after it, and the program ends with status 0.
TEST_F(StartupTest, StopSignalHoldsForWindowsStillToOpen)
{
    struct StopInBox : RecordingNotifier {
        void MsgBox(const QString &text, int style, QWidget *parent) override
        {
            RecordingNotifier::MsgBox(text, style, parent);
            ::raise(SIGTERM);
            QCoreApplication::processEvents();   // the box's own event loop
        }
    };
    for (const char *row : {"manual, folder read", "manual, message box", "/c, message box"}) {
        SCOPED_TRACE(row);
        const bool box = QString(row).contains("box");
        QFile::remove(program.file("Vistello.ini"));
        box ? (void)QDir(program.path()).mkdir("Vistello.ini") : (void)file.SaveSettings({program.path() + "/", "FILE_NAME", 1, 9, 3});
        StopInBox notifier;
        Services services{fakes.cursor, fakes.windows, notifier, fakes.random, fakes.pictures, fakes.drives};
        QStringList seen;
        QObject::disconnect(&user, nullptr, nullptr, nullptr);
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (Form1 *form = shown<Form1>())
                seen << "Form1", form->Unload();
            if (F_settei *dialog = shown<F_settei>(); dialog && seen.isEmpty()) {
                seen << "F_settei";
                if (box)
                    dialog->Unload();
                else   // the stop is taken in the first events let through after 表示
                    ::raise(SIGTERM), QMetaObject::invokeMethod(dialog->Command1, &QPushButton::click, Qt::QueuedConnection);
            }
        });
        user.start(5);
        SingleInstance instance(row[0] == '/' ? "Vistello" : "Vistello_manual", locks.path());
        const int status = row[0] == '/' ? SaverStartup(module, services, file, instance, row).run()
                                         : ManualStartup(module, services, file, instance).run();
        EXPECT_EQ(status, 0);
        EXPECT_EQ(seen, box ? QStringList() : QStringList{"F_settei"});
        EXPECT_EQ(notifier.messages.size(), box ? 1 : 0);
    }
}
