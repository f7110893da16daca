// The installed programs: cmake --install into a scratch prefix, the files it
// puts there, the launchers, and the installed screen saver run by an ordinary
// user from a folder that user cannot write, as a desktop would start it.
#include "platform/AppInfo.h"
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "resources/vistello.xpm"

namespace {

// The unprivileged user the programs run as when the tests run as root.
constexpr uid_t kUserId = 65534;
constexpr gid_t kGroupId = 65534;

bool runningAsRoot() { return geteuid() == 0; }

void setMode(const QString &path, mode_t mode) { ::chmod(QFile::encodeName(path).constData(), mode); }

// The launchers quote the installed paths (the prefix holds a blank) and use no
// other escapes, so Qt's own splitting reads their Exec values.
QStringList execArguments(const QString &value) { return QProcess::splitCommand(value); }

QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && !line.startsWith('#') && !line.startsWith('['))
            keys.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return keys;
}

class InstallE2E : public ::testing::Test {
protected:
    // One install for all tests of the suite: it takes a few seconds.
    static void SetUpTestSuite()
    {
        base_ = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/vistello-install-XXXXXX"));
        // Other users must reach the installed programs; the blank in the prefix
        // makes the launchers quote their paths.
        setMode(base_->path(), 0755);
        prefix_ = new QString(base_->path() + "/inst root");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(VISTELLO_CMAKE_COMMAND, {"--install", VISTELLO_BUILD_DIR, "--prefix", *prefix_});
        installed_ = install.waitForFinished(120000) && install.exitStatus() == QProcess::NormalExit
                  && install.exitCode() == 0;
        installLog_ = new QString(QString::fromLocal8Bit(install.readAll()));
        // An ordinary user running the tests owns the prefix: take away the
        // write right on the program folder instead.
        if (installed_ && !runningAsRoot())
            setMode(*prefix_ + "/bin", 0555);
    }

    static void TearDownTestSuite()
    {
        if (!runningAsRoot())
            setMode(*prefix_ + "/bin", 0700);
        delete base_;
        delete prefix_;
        delete installLog_;
    }

    void SetUp() override { ASSERT_TRUE(installed_) << installLog_->toStdString(); }

    static QString installed(const QString &relative) { return *prefix_ + QLatin1Char('/') + relative; }

    // A home folder of the user's own, with its configuration and runtime folders.
    struct UserHome {
        ScratchFolder scratch;
        QString home = scratch.path() + "/home";
        QString runtime = scratch.path() + "/runtime";
        UserHome()
        {
            QDir().mkpath(home);
            QDir().mkpath(runtime);
            setMode(scratch.path(), 0711);
            setMode(runtime, 0700);
            if (runningAsRoot()) {
                EXPECT_EQ(::chown(home.toLocal8Bit().constData(), kUserId, kGroupId), 0);
                EXPECT_EQ(::chown(runtime.toLocal8Bit().constData(), kUserId, kGroupId), 0);
            }
        }
    };

    // Runs a program as the ordinary user, with that user's folders.
    std::unique_ptr<ProgramRun> startAsUser(const UserHome &user, const QStringList &command)
    {
        QStringList arguments;
        if (runningAsRoot())
            arguments << QString("--reuid=%1").arg(kUserId) << QString("--regid=%1").arg(kGroupId) << "--clear-groups"
                      << "--" << "env";
        arguments << "HOME=" + user.home << "XDG_CONFIG_HOME=" + user.home + "/.config"
                  << "XDG_RUNTIME_DIR=" + user.runtime << command;
        auto run = std::make_unique<ProgramRun>(xvfb(), runningAsRoot() ? "setpriv" : "env", arguments,
                                                installed("bin"));
        EXPECT_TRUE(run->started());
        return run;
    }

    XvfbSession &xvfb()
    {
        if (!xvfb_)
            xvfb_ = std::make_unique<XvfbSession>(QSize(800, 600));
        return *xvfb_;
    }

    static uid_t processUser(qint64 pid)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return static_cast<uid_t>(-1);
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("Uid:"))
                return static_cast<uid_t>(line.mid(4).simplified().split(' ').value(1).toUInt());
        }
        return static_cast<uid_t>(-1);
    }

    static inline QTemporaryDir *base_ = nullptr;
    static inline QString *prefix_ = nullptr;
    static inline QString *installLog_ = nullptr;
    static inline bool installed_ = false;
    std::unique_ptr<XvfbSession> xvfb_;
};

TEST_F(InstallE2E, InstallsProgramsIconAndValidLaunchers)
{
    for (const char *program : {"bin/Vistello", "bin/Vistello_manual", "bin/vistello-idle"}) {
        const QFileInfo info(installed(QLatin1String(program)));
        EXPECT_TRUE(info.isFile() && info.isExecutable()) << program;
        EXPECT_TRUE(info.permissions() & QFile::ExeOther) << program;
    }

    const QImage icon(installed("share/icons/hicolor/32x32/apps/vistello.png"));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    const QImage source = QImage(vistello_xpm).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32), source);

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate is missing (Debian package desktop-file-utils)";
    const QString bin = installed("bin");
    const struct {
        const char *file;
        QStringList exec;
    } launchers[] = {
        {"vistello.desktop", {bin + "/Vistello_manual"}},
        {"vistello-settings.desktop", {bin + "/Vistello", "/c"}},
    };
    for (const auto &launcher : launchers) {
        const QString path = installed(QString("share/applications/") + launcher.file);
        ASSERT_TRUE(QFileInfo(path).isFile()) << launcher.file;
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {path});
        ASSERT_TRUE(validate.waitForFinished(20000));
        EXPECT_EQ(validate.exitCode(), 0) << launcher.file << ": " << validate.readAll().toStdString();
        EXPECT_TRUE(validate.readAll().trimmed().isEmpty()) << launcher.file;

        const auto entry = desktopEntry(path);
        EXPECT_EQ(execArguments(entry.value("Exec")), launcher.exec) << launcher.file;
        EXPECT_EQ(entry.value("Icon"), "vistello");
        EXPECT_EQ(entry.value("X-Vistello-Version"), AppInfo::version());
    }
}

TEST_F(InstallE2E, InstalledShowRunsAsOrdinaryUserWithSettingsInTheUsersFolder)
{
    ASSERT_TRUE(xvfb().isRunning());
    UserHome user;
    auto show = startAsUser(user, {installed("bin/Vistello"), "/s"});
    ASSERT_TRUE(waitUntil([&] { return xvfb().screenIsBlack(); }, 20000))
        << "the show did not cover the screen: " << show->errorOutput().toStdString();
    if (runningAsRoot())
        EXPECT_EQ(processUser(show->processId()), kUserId);

    const QString settings = user.home + "/.config/Vistello/Vistello.ini";
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(settings).isFile(); }, 5000)) << "no settings file in the user's folder";
    EXPECT_FALSE(QFileInfo::exists(installed("bin/Vistello.ini")));
    if (runningAsRoot())
        EXPECT_EQ(QFileInfo(settings).ownerId(), kUserId);
    // No pictures folder in that home: the home itself is the default.
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readLine(), QDir(user.home).canonicalPath().toLocal8Bit() + "/\r\n");

    xvfb().xdotool({"key", "space"});
    ASSERT_TRUE(show->waitForExit(10000)) << "a key did not end the show";
    EXPECT_EQ(show->exitCode(), 0) << show->errorOutput().toStdString();
    EXPECT_TRUE(waitUntil([&] { return !xvfb().screenIsBlack(); }, 5000));
}

TEST_F(InstallE2E, LaunchersStartTheInstalledProgramsForTheUser)
{
    ASSERT_TRUE(xvfb().isRunning());
    UserHome user;
    for (const char *file : {"vistello-settings.desktop", "vistello.desktop"}) {
        const auto entry = desktopEntry(installed(QString("share/applications/") + file));
        auto run = startAsUser(user, execArguments(entry.value("Exec")));
        QString ids;
        ASSERT_TRUE(waitUntil([&] {
            return xvfb().xdotool({"search", "--onlyvisible", "--pid", QString::number(run->processId())}, &ids);
        }, 20000)) << file << " showed no window; running: " << run->isRunning() << ", exit code " << run->exitCode()
                   << ", " << run->errorOutput().toStdString();
        // The settings dialog leaves on Esc without storing anything. A key that
        // arrives while the dialog is still being set up may be lost: ask again.
        bool ended = false;
        for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
            QThread::msleep(500);
            xvfb().xdotool({"key", "--window", ids.split('\n').first(), "Escape"});
            ended = run->waitForExit(4000);
        }
        ASSERT_TRUE(ended) << file << ": Esc did not close the dialog";
        EXPECT_EQ(run->exitCode(), 0) << file;
        EXPECT_TRUE(QFileInfo(user.home + "/.config/Vistello/Vistello.ini").isFile()) << file;
    }
}

}
