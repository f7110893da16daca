// The installed programs (cmake --install into a scratch prefix) run by an ordinary
// user from a folder that user cannot write, as a desktop starts them.
#include "support/XvfbSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint kUser = 65534;   // nobody

class InstallE2E : public ::testing::Test {
protected:
    // One install serves all tests of the suite.
    static void SetUpTestSuite()
    {
        base_ = new QTemporaryDir(QDir::tempPath() + "/vistello-install-XXXXXX");
        // Others may enter, not write; a prefix with a blank, as users have.
        chmod(QFile::encodeName(base_->path()).constData(), 0755);
        prefix_ = base_->path() + "/inst root";
        installed_ = QProcess::execute(VISTELLO_CMAKE_COMMAND, {"--install", VISTELLO_BUILD_DIR, "--prefix", prefix_})
                     == 0;
    }
    static void TearDownTestSuite() { delete base_; }

    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "runs the programs as another user, which needs root";
        ASSERT_TRUE(installed_) << "cmake --install failed";
        ASSERT_TRUE(xvfb->isRunning()) << "Xvfb did not start";
        // A home of the user's own, and a runtime folder only the user can enter.
        chmod(QFile::encodeName(scratch.path()).constData(), 0711);
        for (const QString &folder : {home, runtime}) {
            QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            ASSERT_EQ(chown(QFile::encodeName(folder).constData(), kUser, kUser), 0);
        }
    }

    std::unique_ptr<ProgramRun> startAsUser(const QString &program, const QStringList &arguments)
    {
        const QString id = QString::number(kUser);
        const QStringList user{"--reuid=" + id, "--regid=" + id, "--clear-groups", "--"};
        return std::make_unique<ProgramRun>(*xvfb, "setpriv", user + QStringList{bin + program} + arguments, bin,
                                            QStringList{"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                                                        "XDG_RUNTIME_DIR=" + runtime});
    }

    static inline QTemporaryDir *base_ = nullptr;
    static inline QString prefix_;
    static inline bool installed_ = false;
    const QString bin = prefix_ + "/bin/";
    std::unique_ptr<XvfbSession> xvfb = std::make_unique<XvfbSession>();
    ScratchFolder scratch;
    const QString home = scratch.file("home"), runtime = scratch.file("runtime");
};

// systemd checks the user unit as it loads it: the program it names (in a prefix
// with a blank) and its manual page exist, no key is unknown.
TEST_F(InstallE2E, IdleHostUserUnitPassesSystemdsCheck)
{
    QProcess verify;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MANPATH", prefix_ + "/share/man");
    verify.setProcessEnvironment(env);
    verify.start("systemd-analyze", {"--user", "verify", prefix_ + "/share/systemd/user/vistello-idle.service"});
    ASSERT_TRUE(verify.waitForFinished(60000)) << "systemd-analyze is missing or hangs";
    const QByteArray said = verify.readAllStandardError();
    EXPECT_TRUE(verify.exitCode() == 0 && said.isEmpty()) << said.toStdString();
}

TEST_F(InstallE2E, IdleHostStartsTheUsersShowWhenIdleAndAgainAfterUse)
{
    xvfb->moveTo({10, 10});
    QElapsedTimer sinceInput;
    sinceInput.start();
    auto host = startAsUser("vistello-idle", {"2s"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb->screenIsBlack(); }, 20000)) << host->errorOutput();
    EXPECT_GE(sinceInput.elapsed(), 2000) << "the show came before the idle time";
    // The user's show keeps its settings in the user's folder, not beside the installed program.
    EXPECT_EQ(QFileInfo(home + "/.config/Vistello/Vistello.ini").ownerId(), kUser) << "no settings of the user's";
    EXPECT_FALSE(QFileInfo::exists(bin + "Vistello.ini"));
    // The X server's screen-saver timeout is the host's limit, without cycling.
    EXPECT_TRUE(QString(xvfb->run("xset", {"q"}).value_or("")).contains(QRegularExpression("timeout:\\s+2\\s+cycle:\\s+0\\s")));

    sinceInput.restart();
    xvfb->xdotool({"key", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !xvfb->screenIsBlack(); }, 10000)) << "a key did not end the show";
    ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb->screenIsBlack(); }, 20000)) << "no second show";
    EXPECT_GE(sinceInput.elapsed(), 2000);
    xvfb->xdotool({"click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !xvfb->screenIsBlack(); }, 10000)) << "a click did not end the show";

    // The host ends with the session.
    xvfb.reset();
    EXPECT_TRUE(host->ended(0, 15000));
}

}
