#include "settings/SettingsFile.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

const QByteArray kNumbers = "RANDOM\r\n 1 \r\n 9 \r\n 3 \r\n", kMark = "\xEF\xBB\xBF";
using Edit = std::function<void(SaverSettings &)>;
const QByteArray kSpares = "Spare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n", kSpares2to5 = kSpares.mid(8);

static SettingsFile make(const ScratchFolder &d) { return SettingsFile(d.path(), {}, {}, [](const QString &) { return true; }); }

// Each row: the file before (null: none), the folder read from it, an edit, the file
// stored after it. Loading never rewrites an existing file; what is stored reads back.
TEST(SettingsFileTest, LoadEditStoreRoundTrips)
{
    const QByteArray odd("\x00\x01\x81\xff\x85\x40\x7f", 7);  // no valid code page 932 text
    const struct { const char *what; QByteArray before; QString folder; Edit edit; QByteArray after; } rows[] = {
        {"missing file: defaults", {}, "<dir>/", [](SaverSettings &) {}, "<dir>/\r\n" + kNumbers + kSpares},
        {"missing lines", "/x/\r\nFILE_NAME\r\n 3 ", "/x/", [](SaverSettings &) {}, "/x/\r\nFILE_NAME\r\n 3 \r\n 9 \r\n 3 \r\n" + kSpares},
        {"CR, LF and extra lines", "/a b/\rfile_name\n2abc\r\nletters\r-2.5\n a \r\rS3\nS4\rS5\r\nx\ny\n", "/a b/",
         [](SaverSettings &) {}, "/a b/\r\nfile_name\r\n 2 \r\n 0 \r\n-2.5 \r\n a \r\n\r\nS3\r\nS4\r\nS5\r\n"},
        {"untouched bytes", "/x/\r\n" + kNumbers + odd + "\r\n", "/x/", [](SaverSettings &s) { s.MoveSpeed = 7; },
         "/x/\r\nRANDOM\r\n 1 \r\n 9 \r\n 7 \r\n" + odd + "\r\n" + kSpares2to5},
        {"code page 932", "/x/", "/x/",
         [](SaverSettings &s) { s.PictureFolder = "/ユーザー/写真/", s.Spare1 = "～∥－"; },
         "/\x83\x86\x81[\x83U\x81[/\x8e\xca\x90^/\r\n" + kNumbers + "\x81`\x81" "a\x81|\r\n" + kSpares2to5},
        {"no fit: UTF-8 with mark", "/x/", "/x/", [](SaverSettings &s) { s.PictureFolder = "/café 😀/"; },
         kMark + "/café 😀/\r\n" + kNumbers + kSpares},
        {"code page bytes that read as UTF-8", "/x/", "/x/", [](SaverSettings &s) { s.PictureFolder = "/ﾃｽ/"; },
         kMark + "/ﾃｽ/\r\n" + kNumbers + kSpares},
        {"UTF-8 read, code page 932 stored", "/写真/\r\nRANDOM\r\n", "/写真/", [](SaverSettings &s) { s.DisplayMode = 2; },
         "/\x8e\xca\x90^/\r\nRANDOM\r\n 2 \r\n 9 \r\n 3 \r\n" + kSpares},
        {"UTF-8 with mark read, code page 932 stored", kMark + "/写真/\r\n" + kNumbers, "/写真/", [](SaverSettings &) {},
         "/\x8e\xca\x90^/\r\n" + kNumbers + kSpares},
        {"controls 1A 1C 7F keep their codes", "/a\x1a\x1c\x7f\x83\x65/", "/a\x1a\x1c\x7fテ/",
         [](SaverSettings &s) { s.Spare1 = "\x1c\x7f\x1aテ"; },
         "/a\x1a\x1c\x7f\x83\x65/\r\n" + kNumbers + "\x1c\x7f\x1a\x83\x65\r\n" + kSpares2to5},
        {"cut UTF-8 at the end is code page 932", "/x\xE5\x86", "/x蜀", [](SaverSettings &s) { s.MoveSpeed = 7; },
         "/x\xE5\x86\r\nRANDOM\r\n 1 \r\n 9 \r\n 7 \r\n" + kSpares}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder dir;
        if (!row.before.isNull())
            dir.write("Vistello.ini", row.before);
        const QByteArray after = QByteArray(row.after).replace("<dir>", dir.path().toUtf8());
        SettingsFile file = make(dir);
        SaverSettings s, again;
        ASSERT_TRUE(file.LoadSettings(s).ok);
        EXPECT_EQ(s.PictureFolder, QString(row.folder).replace("<dir>", dir.path()));
        EXPECT_EQ(dir.read("Vistello.ini"), row.before.isNull() ? after : row.before);
        row.edit(s);
        ASSERT_TRUE(file.SaveSettings(s).ok && make(dir).LoadSettings(again).ok);
        EXPECT_EQ(std::pair(dir.read("Vistello.ini"), again), std::pair(after, s));
    }
}

TEST(SettingsFileTest, UnreadableFileGivesDefaultsAndIsLeftAlone)
{
    ScratchFolder dir;
    const QString ini = dir.file("Vistello.ini");
    for (bool folder : {true, false}) {  // a folder in its place, then a file that even root cannot read
        ASSERT_TRUE(folder ? QDir().mkpath(ini) : QDir().rmdir(ini) && QFile::link("/proc/self/mem", ini));
        SaverSettings s;
        const SettingsFile::Result result = make(dir).LoadSettings(s);
        EXPECT_TRUE(!result.ok && result.reason.contains(ini)) << qPrintable(result.reason);
        EXPECT_EQ(std::pair(s.PictureFolder, s.SwitchSpeed), std::pair(dir.path() + "/", 9.0));
        EXPECT_TRUE(folder ? QFileInfo(ini).isDir() : QFileInfo(ini).isSymLink());
    }
}
