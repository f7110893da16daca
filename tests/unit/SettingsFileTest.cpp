#include "settings/SettingsFile.h"

#include "support/ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// Byte literals that may hold NUL.
template <size_t N>
QByteArray raw(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}

const QByteArray kDefaultTail = "RANDOM\r\n 1 \r\n 9 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(program());
        QDir().mkpath(pictures());
    }
    QString program() const { return scratch.file(QStringLiteral("prog")); }
    QString config() const { return scratch.file(QStringLiteral("config")); }
    QString pictures() const { return scratch.file(QStringLiteral("pics")); }
    QString iniName() const { return QStringLiteral("prog/Vistello.ini"); }
    QByteArray ini() const { return scratch.read(iniName()); }
    void writeIni(const QByteArray &bytes) const { scratch.write(iniName(), bytes); }
    SettingsFile make(bool programWritable = true) const
    {
        return SettingsFile(program(), config(), pictures(), [programWritable](const QString &) {
            return programWritable;
        });
    }
    static SaverSettings loaded(SettingsFile &file)
    {
        SaverSettings s;
        const SettingsFile::Result result = file.LoadSettings(s);
        EXPECT_TRUE(result.ok) << result.reason.toStdString();
        return s;
    }
    static void expectDefaults(const SaverSettings &s, const QString &folder)
    {
        EXPECT_EQ(s.PictureFolder, folder);
        EXPECT_EQ(s.PictureOrder, QStringLiteral("RANDOM"));
        EXPECT_EQ(s.DisplayMode, 1);
        EXPECT_EQ(s.SwitchSpeed, 9);
        EXPECT_EQ(s.MoveSpeed, 3);
        EXPECT_EQ(s.Spare1, QStringLiteral("Spare1"));
        EXPECT_EQ(s.Spare5, QStringLiteral("Spare5"));
    }

    ScratchFolder scratch;
};

} // namespace

TEST_F(SettingsFileTest, MissingFileIsCreatedWithTheDefaults)
{
    SettingsFile file = make();
    EXPECT_EQ(file.FilePath(), program() + QStringLiteral("/Vistello.ini"));
    const SaverSettings first = loaded(file);
    EXPECT_EQ(ini(), program().toUtf8() + "/\r\n" + kDefaultTail);
    expectDefaults(first, program() + QLatin1Char('/'));
    // A default file and a missing one give the same record.
    EXPECT_EQ(loaded(file), first);
}

TEST_F(SettingsFileTest, DefaultFolderEndsInExactlyOneSlash)
{
    const auto writable = [](const QString &) { return true; };
    EXPECT_EQ(SettingsFile(QStringLiteral("/"), config(), pictures(), writable).FilePath(),
              QStringLiteral("/Vistello.ini"));
    SettingsFile file(program() + QLatin1Char('/'), config(), pictures(), writable);
    EXPECT_EQ(loaded(file).PictureFolder, program() + QLatin1Char('/'));
    EXPECT_EQ(ini(), program().toUtf8() + "/\r\n" + kDefaultTail);
}

TEST_F(SettingsFileTest, ReadsTextsVerbatimAndNumbersThroughLeadingNumber)
{
    writeIni("/data/my pics/\r\nfile_name\r\n2abc\r\nletters\r\n-2.5\r\n a \r\n\r\nS3\r\nS4\r\nS5\r\n");
    SettingsFile file = make();
    const SaverSettings s = loaded(file);
    EXPECT_EQ(s.PictureFolder, QStringLiteral("/data/my pics/"));
    EXPECT_EQ(s.PictureOrder, QStringLiteral("file_name"));
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ(s.SwitchSpeed, 0);
    EXPECT_EQ(s.MoveSpeed, -2.5);
    EXPECT_EQ(s.Spare1, QStringLiteral(" a "));
    EXPECT_EQ(s.Spare2, QString());
    EXPECT_EQ(s.Spare5, QStringLiteral("S5"));
}

TEST_F(SettingsFileTest, LinesEndAtCrLfCrOrLf)
{
    SettingsFile file = make();
    for (const QByteArray &bytes : {QByteArray("/a/\rFILE_NAME\r 2 \r3\r4\r1\r2\r3\r4\r5\r"),
                                    QByteArray("/a/\nFILE_NAME\n 2 \n3\n4\n1\n2\n3\n4\n5"),
                                    QByteArray("/a/\r\nFILE_NAME\n 2 \r3\r\n4\n1\r2\r\n3\n4\r5\r\n")}) {
        writeIni(bytes);
        const SaverSettings s = loaded(file);
        EXPECT_EQ(s.PictureFolder, QStringLiteral("/a/"));
        EXPECT_EQ(s.PictureOrder, QStringLiteral("FILE_NAME"));
        EXPECT_EQ(s.DisplayMode, 2);
        EXPECT_EQ(s.MoveSpeed, 4);
        EXPECT_EQ(s.Spare1, QStringLiteral("1"));
        EXPECT_EQ(s.Spare5, QStringLiteral("5"));
    }
}

TEST_F(SettingsFileTest, ShortFileTakesDefaultsAndIsNotRewrittenByTheLoad)
{
    SettingsFile file = make();
    writeIni(QByteArray());
    expectDefaults(loaded(file), program() + QLatin1Char('/'));
    EXPECT_EQ(ini(), QByteArray());

    writeIni("/x/\r\nFILE_NAME\r\n 3 ");
    const SaverSettings s = loaded(file);
    EXPECT_EQ(s.PictureFolder, QStringLiteral("/x/"));
    EXPECT_EQ(s.DisplayMode, 3);
    EXPECT_EQ(s.SwitchSpeed, 9);
    EXPECT_EQ(s.Spare3, QStringLiteral("Spare3"));
    EXPECT_EQ(ini(), QByteArray("/x/\r\nFILE_NAME\r\n 3 "));

    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), "/x/\r\nFILE_NAME\r\n 3 \r\n 9 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");
}

TEST_F(SettingsFileTest, LinesAfterTheTenthAreIgnoredAndDroppedAtSave)
{
    writeIni("/x/\r\nRANDOM\r\n 1 \r\n 9 \r\n 3 \r\nA\r\nB\r\nC\r\nD\r\nE\r\neleven\r\ntwelve\r\n");
    SettingsFile file = make();
    const SaverSettings s = loaded(file);
    EXPECT_EQ(s.Spare5, QStringLiteral("E"));
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), "/x/\r\nRANDOM\r\n 1 \r\n 9 \r\n 3 \r\nA\r\nB\r\nC\r\nD\r\nE\r\n");
}

TEST_F(SettingsFileTest, SaveWritesTextsVerbatimAndNumbersInPrintForm)
{
    SettingsFile file = make();
    loaded(file);
    SaverSettings s;
    s.PictureFolder = QStringLiteral("/p q/");
    s.PictureOrder = QStringLiteral("FILE_NAME");
    s.DisplayMode = 2.5;
    s.SwitchSpeed = -2.5;
    s.MoveSpeed = -0.0;
    s.Spare1 = QStringLiteral("  \"quoted\"\t,");
    s.Spare2 = QString();
    s.Spare3 = QStringLiteral("3");
    s.Spare4 = QStringLiteral("4");
    s.Spare5 = QStringLiteral("5");
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), "/p q/\r\nFILE_NAME\r\n 2.5 \r\n-2.5 \r\n 0 \r\n  \"quoted\"\t,\r\n\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(loaded(file), s);
}

TEST_F(SettingsFileTest, HandEditedLinesSurviveLoadAndSaveByteForByte)
{
    // Invalid code-page bytes, a lone lead byte, NUL, binary, control bytes.
    const QByteArray spares = raw("\x81\xff oops\r\n  blanks  \t\r\n\x85\x40\x00\x01\x7f\r\n")
                              + "\xa0\xfd\xfe\xff\r\n\x81\r\n";
    const QByteArray original = "/x/\r\nRANDOM\r\n 1 \r\n 9 \r\n 3 \r\n" + spares;
    writeIni(original);
    SettingsFile file = make();
    SaverSettings s = loaded(file);
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), original);

    // Other fields changed: the untouched texts still keep their bytes.
    s.PictureFolder = QStringLiteral("/y/");
    s.MoveSpeed = 7;
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), "/y/\r\nRANDOM\r\n 1 \r\n 9 \r\n 7 \r\n" + spares);
    EXPECT_EQ(loaded(file), s);
}

TEST_F(SettingsFileTest, JapaneseFolderIsStoredInCodePage932)
{
    // ユーザー and 写真 in code page 932.
    const QByteArray cp932 = "/home/\x83\x86\x81\x5b\x83\x55\x81\x5b/\x8e\xca\x90\x5e/";
    const QString folder = QStringLiteral("/home/ユーザー/写真/");
    SettingsFile file = make();
    SaverSettings s = loaded(file);
    s.PictureFolder = folder;
    s.Spare1 = QStringLiteral("～∥－");  // the code page's own mappings
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), cp932 + "\r\n" + QByteArray(kDefaultTail).replace("Spare1", "\x81\x60\x81\x61\x81\x7c"));
    EXPECT_EQ(loaded(file), s);

    const QByteArray handWritten = cp932 + "\r\nRANDOM\r\n 1 \r\n 9 \r\n 3 \r\n\x83\x65\x83\x58\x83\x67\r\n";
    writeIni(handWritten);
    s = loaded(file);
    EXPECT_EQ(s.PictureFolder, folder);
    EXPECT_EQ(s.Spare1, QStringLiteral("テスト"));
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), handWritten + "Spare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n");
}

TEST_F(SettingsFileTest, TextOutsideTheCodePageIsWrittenInUtf8WithMark)
{
    SettingsFile file = make();
    SaverSettings s = loaded(file);
    s.PictureFolder = QStringLiteral("/home/café 😀 —/");
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), "\xEF\xBB\xBF" + s.PictureFolder.toUtf8() + "\r\n" + kDefaultTail);
    EXPECT_EQ(loaded(file), s);

    // Half-width katakana whose code-page bytes happen to be valid UTF-8 would
    // be misread as UTF-8, so they are marked as UTF-8 too.
    s.PictureFolder = QStringLiteral("/ﾃｽ/");
    SettingsFile fresh = make();
    ASSERT_TRUE(fresh.SaveSettings(s).ok);
    EXPECT_TRUE(ini().startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(loaded(fresh).PictureFolder, s.PictureFolder);
}

TEST_F(SettingsFileTest, Utf8FilesAreReadAsUtf8AndKeepTheirBytes)
{
    const QByteArray plain = QStringLiteral("/写真/\nRANDOM\n 2\n 9\n 3\nメモ\nS2\nS3\nS4\nS5\n").toUtf8();
    for (const QByteArray &original : {plain, "\xEF\xBB\xBF" + plain}) {
        writeIni(original);
        SettingsFile file = make();
        SaverSettings s = loaded(file);
        EXPECT_EQ(s.PictureFolder, QStringLiteral("/写真/"));
        EXPECT_EQ(s.Spare1, QStringLiteral("メモ"));
        EXPECT_EQ(s.DisplayMode, 2);
        s.PictureOrder = QStringLiteral("FILE_NAME");
        ASSERT_TRUE(file.SaveSettings(s).ok);
        QByteArray expected = original;
        expected.replace("\n", "\r\n").replace("RANDOM", "FILE_NAME").replace(" 2\r", " 2 \r").replace(" 9\r", " 9 \r")
            .replace(" 3\r", " 3 \r");
        EXPECT_EQ(ini(), expected);
        EXPECT_EQ(loaded(file), s);
    }
}

TEST_F(SettingsFileTest, OddContentLoadsWithoutHarm)
{
    SettingsFile file = make();
    writeIni(raw("1e309\r\n\x00\x01\x02\r\n1e309\r\n0x10\r\nnan\r\n"));
    SaverSettings s = loaded(file);
    EXPECT_EQ(s.DisplayMode, 1);
    EXPECT_EQ(s.SwitchSpeed, 0);
    EXPECT_EQ(s.MoveSpeed, 0);

    writeIni(QByteArray("x\r\ny\r\n-0\r\n99999999999\r\n") + QByteArray(400, '9') + "\r\n");
    s = loaded(file);
    EXPECT_EQ(s.DisplayMode, 0);
    EXPECT_EQ(s.SwitchSpeed, 99999999999.0);
    EXPECT_EQ(s.MoveSpeed, std::numeric_limits<double>::max());
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(loaded(file), s);

    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    writeIni(binary);
    s = loaded(file);
    ASSERT_TRUE(file.SaveSettings(s).ok);
    // The texts came back byte for byte, so a second round changes nothing.
    const QByteArray once = ini();
    ASSERT_TRUE(file.SaveSettings(loaded(file)).ok);
    EXPECT_EQ(ini(), once);
}

TEST_F(SettingsFileTest, LongLinesSurviveUpToTheReadLimit)
{
    const QByteArray tenMegabytes(10 * 1024 * 1024, 'L');
    const QByteArray original = "/x/\r\nRANDOM\r\n 1 \r\n 9 \r\n 3 \r\n" + tenMegabytes + "\r\nB\r\nC\r\nD\r\nE\r\n";
    writeIni(original);
    SettingsFile file = make();
    SaverSettings s = loaded(file);
    EXPECT_EQ(s.Spare1.size(), tenMegabytes.size());
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(ini(), original);

    // Beyond the limit reading stops: the cut line keeps what was read.
    writeIni("/x/\r\n" + QByteArray(SettingsFile::kReadLimit + 1000, 'R') + "\r\n 2 \r\n");
    s = loaded(file);
    EXPECT_EQ(s.PictureFolder, QStringLiteral("/x/"));
    EXPECT_EQ(s.PictureOrder.size(), SettingsFile::kReadLimit - 5);
    EXPECT_EQ(s.DisplayMode, 1);
}

TEST_F(SettingsFileTest, SettingsPathThatIsNotAPlainFileFailsWithDefaults)
{
    QDir().mkpath(scratch.file(iniName()));
    SettingsFile file = make();
    SaverSettings s;
    s.PictureFolder = QStringLiteral("stale");
    const SettingsFile::Result result = file.LoadSettings(s);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reason.contains(file.FilePath())) << result.reason.toStdString();
    expectDefaults(s, program() + QLatin1Char('/'));

    const SettingsFile::Result saved = file.SaveSettings(s);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.reason.isEmpty());
    EXPECT_TRUE(QFileInfo(file.FilePath()).isDir());
}

TEST_F(SettingsFileTest, UnreadableFileFailsAndIsNotOverwritten)
{
    // A file whose reading fails even for root.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), scratch.file(iniName())));
    SettingsFile file = make();
    SaverSettings s;
    const SettingsFile::Result result = file.LoadSettings(s);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.isEmpty());
    expectDefaults(s, program() + QLatin1Char('/'));
    EXPECT_EQ(QFileInfo(scratch.file(iniName())).symLinkTarget(), QStringLiteral("/proc/self/mem"));

    QFile::remove(scratch.file(iniName()));
    writeIni("/kept/\r\n");
    QFile::setPermissions(scratch.file(iniName()), QFileDevice::Permissions());
    QFile probe(scratch.file(iniName()));
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not keep this user from reading";
    EXPECT_FALSE(file.LoadSettings(s).ok);
    QFile::setPermissions(scratch.file(iniName()), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(ini(), QByteArray("/kept/\r\n"));
}

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileIntact)
{
    writeIni("/old/\r\n");
    SettingsFile file = make();
    SaverSettings s = loaded(file);

    // A line break inside a text would break the file apart: refused.
    s.Spare2 = QStringLiteral("two\nlines");
    SettingsFile::Result result = file.SaveSettings(s);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_EQ(ini(), QByteArray("/old/\r\n"));

    // A full disk, simulated with a file size limit that binds root as well.
    s.Spare2 = QStringLiteral("Spare2");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = before;
    tiny.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    result = file.SaveSettings(s);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reason.contains(file.FilePath())) << result.reason.toStdString();
    EXPECT_EQ(ini(), QByteArray("/old/\r\n"));
    EXPECT_EQ(QDir(program()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vistello.ini")});

    // Nothing was lost: the same record saves once the disk has room.
    ASSERT_TRUE(file.SaveSettings(s).ok);
    EXPECT_EQ(loaded(file), s);
}

TEST_F(SettingsFileTest, UnwritableProgramFolderUsesTheUserConfigFolder)
{
    SettingsFile file = make(false);
    const QString userFile = config() + QStringLiteral("/Vistello.ini");
    EXPECT_EQ(file.FilePath(), userFile);
    expectDefaults(loaded(file), pictures() + QLatin1Char('/'));
    EXPECT_EQ(scratch.read(QStringLiteral("config/Vistello.ini")), pictures().toUtf8() + "/\r\n" + kDefaultTail);
    EXPECT_FALSE(scratch.exists(iniName()));

    // A file already in the program folder is used even when the folder is read-only.
    writeIni("/shared/\r\n");
    SettingsFile shared = make(false);
    EXPECT_EQ(loaded(shared).PictureFolder, QStringLiteral("/shared/"));
    EXPECT_EQ(shared.FilePath(), program() + QStringLiteral("/Vistello.ini"));
}

TEST_F(SettingsFileTest, RealWritabilityCheckAndStandardFolders)
{
    // Standard folders of a user whose home is a scratch folder without "Pictures".
    const QByteArray home = qgetenv("HOME");
    const QByteArray xdgConfig = qgetenv("XDG_CONFIG_HOME");
    const QString fakeHome = scratch.file(QStringLiteral("home"));
    QDir().mkpath(fakeHome);
    qputenv("HOME", fakeHome.toUtf8());
    qputenv("XDG_CONFIG_HOME", (fakeHome + QStringLiteral("/.config")).toUtf8());
    QFile::setPermissions(program(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                         | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    SettingsFile file(program());
    SaverSettings s;
    const bool ok = file.LoadSettings(s).ok;
    const QString path = file.FilePath();
    qputenv("HOME", home);
    if (xdgConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdgConfig);
    QFile::setPermissions(program(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    EXPECT_TRUE(ok);
    if (path == program() + QStringLiteral("/Vistello.ini"))
        GTEST_SKIP() << "this user can write into a read-only folder";
    EXPECT_EQ(path, fakeHome + QStringLiteral("/.config/Vistello/Vistello.ini"));
    EXPECT_EQ(s.PictureFolder, fakeHome + QLatin1Char('/'));
}
