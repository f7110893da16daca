#include "settings/SettingsFile.h"

#include "settings/NumberText.h"

#include "support/ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

template <size_t N>
QByteArray raw(const char (&bytes)[N])  // literals that may hold NUL
{
    return QByteArray(bytes, N - 1);
}

const QByteArray kNumbers = "RANDOM\r\n 1 \r\n 9 \r\n 3 \r\n";
const QByteArray kDefaultTail = kNumbers + "Spare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(program()); }
    QString program() const { return scratch.file(QStringLiteral("prog")); }
    QString config() const { return scratch.file(QStringLiteral("config")); }
    QString pictures() const { return scratch.file(QStringLiteral("pics")); }
    QString iniPath() const { return scratch.file(QStringLiteral("prog/Vistello.ini")); }
    QByteArray ini() const { return scratch.read(QStringLiteral("prog/Vistello.ini")); }
    void writeIni(const QByteArray &bytes) const { scratch.write(QStringLiteral("prog/Vistello.ini"), bytes); }
    SettingsFile make(bool programWritable = true, const QString &folder = QString()) const
    {
        return SettingsFile(folder.isEmpty() ? program() : folder, config(), pictures(),
                            [programWritable](const QString &) { return programWritable; });
    }
    static SaverSettings loaded(SettingsFile &file)
    {
        SaverSettings s;
        const SettingsFile::Result result = file.LoadSettings(s);
        EXPECT_TRUE(result.ok) << result.reason.toStdString();
        return s;
    }
    // Saves s and expects exactly these bytes, and s again from a load.
    void roundTrip(SettingsFile &file, const SaverSettings &s, const QByteArray &bytes) const
    {
        ASSERT_TRUE(file.SaveSettings(s).ok);
        EXPECT_EQ(ini(), bytes);
        EXPECT_EQ(loaded(file), s);
    }
    static void expectDefaults(const SaverSettings &s, const QString &folder)
    {
        EXPECT_EQ(s.PictureFolder, folder);
        EXPECT_EQ(s.PictureOrder, QStringLiteral("RANDOM"));
        EXPECT_EQ(std::tuple(s.DisplayMode, s.SwitchSpeed, s.MoveSpeed), std::tuple(1, 9, 3));
        EXPECT_EQ(s.Spare1, QStringLiteral("Spare1"));
        EXPECT_EQ(s.Spare5, QStringLiteral("Spare5"));
    }

    ScratchFolder scratch;
};

} // namespace

TEST_F(SettingsFileTest, MissingFileIsCreatedWithTheDefaults)
{
    // A trailing "/" on the program folder (as at "/") gives no doubled slash.
    for (const QString &folder : {program(), program() + QLatin1Char('/')}) {
        QFile::remove(iniPath());
        SettingsFile file = make(true, folder);
        EXPECT_EQ(file.FilePath(), iniPath());
        const SaverSettings first = loaded(file);
        EXPECT_EQ(ini(), program().toUtf8() + "/\r\n" + kDefaultTail);
        expectDefaults(first, program() + QLatin1Char('/'));
        EXPECT_EQ(loaded(file), first);  // a default file reads as a missing one
    }
    EXPECT_EQ(make(true, QStringLiteral("/")).FilePath(), QStringLiteral("/Vistello.ini"));
}

TEST_F(SettingsFileTest, ReadsTenLinesEndingInCrLfCrOrLf)
{
    SettingsFile file = make();
    for (const QByteArray &bytes : {QByteArray("/a b/\r\nfile_name\r\n2abc\r\nletters\r\n-2.5\r\n a \r\n\r\nS3\r\nS4\r\nS5\r\n"),
                                    QByteArray("/a b/\rfile_name\r2abc\rletters\r-2.5\r a \r\rS3\rS4\rS5\rx\r"),
                                    QByteArray("/a b/\nfile_name\n2abc\nletters\n-2.5\n a \n\nS3\nS4\nS5"),
                                    QByteArray("/a b/\r\nfile_name\n2abc\rletters\r\n-2.5\n a \r\r\nS3\nS4\rS5\r\nx\ny\n")}) {
        writeIni(bytes);
        const SaverSettings s = loaded(file);
        EXPECT_EQ(s.PictureFolder, QStringLiteral("/a b/"));
        EXPECT_EQ(s.PictureOrder, QStringLiteral("file_name"));
        EXPECT_EQ(std::tuple(s.DisplayMode, s.SwitchSpeed, s.MoveSpeed), std::tuple(2, 0, -2.5));
        EXPECT_EQ(s.Spare1, QStringLiteral(" a "));
        EXPECT_EQ(s.Spare2, QString());
        EXPECT_EQ(s.Spare5, QStringLiteral("S5"));
        // Lines after the tenth are dropped at the next save.
        ASSERT_TRUE(file.SaveSettings(s).ok);
        EXPECT_EQ(ini(), "/a b/\r\nfile_name\r\n 2 \r\n 0 \r\n-2.5 \r\n a \r\n\r\nS3\r\nS4\r\nS5\r\n");
    }
}

TEST_F(SettingsFileTest, MissingLinesTakeDefaultsWithoutRewritingTheFile)
{
    SettingsFile file = make();
    writeIni(QByteArray());
    expectDefaults(loaded(file), program() + QLatin1Char('/'));
    EXPECT_EQ(ini(), QByteArray());

    writeIni("/x/\r\nFILE_NAME\r\n 3 ");
    SaverSettings s = loaded(file);
    EXPECT_EQ(std::tuple(s.PictureFolder, s.DisplayMode, s.SwitchSpeed, s.Spare3),
              std::tuple(QStringLiteral("/x/"), 3, 9, QStringLiteral("Spare3")));
    EXPECT_EQ(ini(), QByteArray("/x/\r\nFILE_NAME\r\n 3 "));
    roundTrip(file, s, "/x/\r\nFILE_NAME\r\n 3 \r\n 9 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");
}

TEST_F(SettingsFileTest, SavesTextsVerbatimNumbersInPrintFormAndUntouchedBytesAsRead)
{
    SettingsFile file = make();
    SaverSettings s = loaded(file);
    s.DisplayMode = 2.5;
    s.SwitchSpeed = -2.5;
    s.MoveSpeed = -0.0;
    s.Spare1 = QStringLiteral("  \"quoted\"\t,");
    s.Spare2 = QString();
    roundTrip(file, s, program().toUtf8() + "/\r\nRANDOM\r\n 2.5 \r\n-2.5 \r\n 0 \r\n  \"quoted\"\t,\r\n\r\n"
                           "Spare3\r\nSpare4\r\nSpare5\r\n");

    // Invalid code-page bytes, a lone lead byte, NUL and control bytes.
    const QByteArray spares = raw("\x81\xff oops\r\n  blanks  \t\r\n\x85\x40\x00\x01\x7f\r\n\xa0\xfd\xfe\xff\r\n\x81\r\n");
    writeIni("/x/\r\n" + kNumbers + spares);
    s = loaded(file);
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), "/x/\r\n" + kNumbers + spares);
    s.PictureFolder = QStringLiteral("/y/");
    s.MoveSpeed = 7;
    roundTrip(file, s, "/y/\r\nRANDOM\r\n 1 \r\n 9 \r\n 7 \r\n" + spares);
}

TEST_F(SettingsFileTest, EncodesInCodePage932OrElseUtf8WithMark)
{
    // ユーザー and 写真, then ～∥－ (the code page's own mappings), in code page 932.
    const QByteArray folder932 = "/home/\x83\x86\x81\x5b\x83\x55\x81\x5b/\x8e\xca\x90\x5e/";
    SettingsFile file = make();
    SaverSettings s = loaded(file);
    s.PictureFolder = QStringLiteral("/home/ユーザー/写真/");
    s.Spare1 = QStringLiteral("～∥－");
    roundTrip(file, s, folder932 + "\r\n" + QByteArray(kDefaultTail).replace("Spare1", "\x81\x60\x81\x61\x81\x7c"));

    const QByteArray handWritten = folder932 + "\r\n" + kNumbers + "\x83\x65\x83\x58\x83\x67\r\n";
    writeIni(handWritten);
    s = loaded(file);
    EXPECT_EQ(s.Spare1, QStringLiteral("テスト"));
    roundTrip(file, s, handWritten + "Spare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");

    s.PictureFolder = QStringLiteral("/home/café 😀 —/");
    roundTrip(file, s, "\xEF\xBB\xBF" + s.PictureFolder.toUtf8() + "\r\n" + kNumbers
                           + "テスト\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");

    // Code-page bytes that happen to be valid UTF-8 would be misread: marked UTF-8 instead.
    s.PictureFolder = QStringLiteral("/ﾃｽ/");
    s.Spare1 = QStringLiteral("Spare1");
    SettingsFile fresh = make();
    ASSERT_TRUE(fresh.SaveSettings(s).ok);
    EXPECT_TRUE(ini().startsWith("\xEF\xBB\xBF/\xEF\xBE\x83"));
    EXPECT_EQ(loaded(fresh), s);
}

TEST_F(SettingsFileTest, Utf8FilesAreReadAsUtf8AndKeepTheirBytes)
{
    const QByteArray plain = QStringLiteral("/写真/\r\nRANDOM\r\n 2 \r\n 9 \r\n 3 \r\nメモ\r\nS2\r\nS3\r\nS4\r\nS5\r\n").toUtf8();
    for (const QByteArray &original : {plain, "\xEF\xBB\xBF" + plain}) {
        writeIni(original);
        SettingsFile file = make();
        SaverSettings s = loaded(file);
        EXPECT_EQ(std::tuple(s.PictureFolder, s.Spare1), std::tuple(QStringLiteral("/写真/"), QStringLiteral("メモ")));
        s.PictureOrder = QStringLiteral("FILE_NAME");
        roundTrip(file, s, QByteArray(original).replace("RANDOM", "FILE_NAME"));
    }
}

TEST_F(SettingsFileTest, OddAndHugeContentLoadsWithoutHarm)
{
    SettingsFile file = make();
    writeIni(raw("\x00\x01\x02\r\n\xff\r\n1e309\r\n0x10\r\nnan\r\n"));
    SaverSettings s = loaded(file);
    EXPECT_EQ(std::tuple(s.DisplayMode, s.SwitchSpeed, s.MoveSpeed), std::tuple(1, 0, 0));
    EXPECT_EQ(s.PictureFolder, QString(QChar(0)) + "\x01\x02");

    writeIni("x\r\ny\r\n-0\r\n99999999999\r\n" + QByteArray(400, '9') + "\r\n");
    s = loaded(file);
    EXPECT_EQ(std::tuple(s.DisplayMode, s.SwitchSpeed, s.MoveSpeed),
              std::tuple(0, 99999999999.0, std::numeric_limits<double>::max()));
    roundTrip(file, s, "x\r\ny\r\n 0 \r\n 99999999999 \r\n" + NumberText::PrintForm(s.MoveSpeed).toLatin1() + "\r\n"
                           + QByteArray(kDefaultTail).remove(0, kNumbers.size()));

    const QByteArray long10 = "/x/\r\n" + kNumbers + QByteArray(10 << 20, 'L') + "\r\nB\r\nC\r\nD\r\nE\r\n";
    writeIni(long10);
    s = loaded(file);
    roundTrip(file, s, long10);

    // Reading stops at the limit: the cut line keeps what was read, later lines are defaults.
    writeIni("/x/\r\n" + QByteArray(SettingsFile::kReadLimit + 1000, 'R') + "\r\n 2 \r\n");
    s = loaded(file);
    EXPECT_EQ(s.PictureOrder.size(), SettingsFile::kReadLimit - 5);
    EXPECT_EQ(s.DisplayMode, 1);
}

TEST_F(SettingsFileTest, FileThatIsNoPlainFileOrUnreadableGivesDefaultsAndStaysAsItWas)
{
    QDir().mkpath(iniPath());
    SettingsFile file = make();
    SaverSettings s;
    SettingsFile::Result result = file.LoadSettings(s);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reason.contains(iniPath())) << result.reason.toStdString();
    expectDefaults(s, program() + QLatin1Char('/'));
    EXPECT_FALSE(file.SaveSettings(s).ok);
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());

    // Reading this fails even for root.
    QDir().rmdir(iniPath());
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), iniPath()));
    s.PictureFolder = QStringLiteral("stale");
    result = file.LoadSettings(s);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.isEmpty());
    expectDefaults(s, program() + QLatin1Char('/'));
    EXPECT_EQ(QFileInfo(iniPath()).symLinkTarget(), QStringLiteral("/proc/self/mem"));

}

TEST_F(SettingsFileTest, FileWithoutReadPermissionIsNotOverwritten)
{
    SettingsFile file = make();
    SaverSettings s;
    writeIni("/kept/\r\n");
    QFile::setPermissions(iniPath(), QFileDevice::Permissions());
    if (QFile(iniPath()).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not keep this user from reading";
    EXPECT_FALSE(file.LoadSettings(s).ok);
    QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(ini(), QByteArray("/kept/\r\n"));
}

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileIntact)
{
    writeIni("/old/\r\n");
    SettingsFile file = make();
    SaverSettings s = loaded(file);

    // A line break inside a text would break the file apart.
    s.Spare2 = QStringLiteral("two\nlines");
    EXPECT_FALSE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), QByteArray("/old/\r\n"));

    // A full disk, simulated with a file size limit that binds root too.
    s.Spare2 = QStringLiteral("Spare2");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = before;
    tiny.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const SettingsFile::Result result = file.SaveSettings(s);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reason.contains(iniPath())) << result.reason.toStdString();
    EXPECT_EQ(ini(), QByteArray("/old/\r\n"));
    EXPECT_EQ(QDir(program()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vistello.ini")});

    roundTrip(file, s, "/old/\r\n" + kDefaultTail);  // nothing was lost in memory
}

TEST_F(SettingsFileTest, UnwritableProgramFolderUsesTheUserConfigFolder)
{
    QDir().mkpath(pictures());
    SettingsFile file = make(false);
    EXPECT_EQ(file.FilePath(), config() + QStringLiteral("/Vistello.ini"));
    expectDefaults(loaded(file), pictures() + QLatin1Char('/'));
    EXPECT_EQ(scratch.read(QStringLiteral("config/Vistello.ini")), pictures().toUtf8() + "/\r\n" + kDefaultTail);
    EXPECT_FALSE(QFileInfo::exists(iniPath()));

    // A file already in the program folder is used all the same.
    writeIni("/shared/\r\n");
    SettingsFile shared = make(false);
    EXPECT_EQ(loaded(shared).PictureFolder, QStringLiteral("/shared/"));
    EXPECT_EQ(shared.FilePath(), iniPath());
}

TEST_F(SettingsFileTest, ReadOnlyProgramFolderFallsBackToTheStandardUserFolders)
{
    // A user whose home has no "Pictures" folder.
    const QByteArray home = qgetenv("HOME");
    const QByteArray xdgConfig = qgetenv("XDG_CONFIG_HOME");
    const QString fakeHome = scratch.file(QStringLiteral("home"));
    QDir().mkpath(fakeHome);
    qputenv("HOME", fakeHome.toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QFile::setPermissions(program(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    SettingsFile real(program());
    SaverSettings s;
    const bool ok = real.LoadSettings(s).ok;
    qputenv("HOME", home);
    if (!xdgConfig.isNull())
        qputenv("XDG_CONFIG_HOME", xdgConfig);
    QFile::setPermissions(program(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(ok);
    if (real.FilePath() == iniPath())
        GTEST_SKIP() << "this user can write into a read-only folder";
    EXPECT_EQ(real.FilePath(), fakeHome + QStringLiteral("/.config/Vistello/Vistello.ini"));
    EXPECT_EQ(s.PictureFolder, fakeHome + QLatin1Char('/'));
}
