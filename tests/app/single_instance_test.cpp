// The single-instance rule with real program processes. Every test process
// has its own runtime folder and profile (see qt_test_main.cpp), which the
// started programs inherit.

#include "app/single_instance.h"

#include "app/first_paint_probe.h"
#include "platform/profile.h"
#include "tests/support/scoped_environment.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kProcessTimeoutMs = 15000;

class Program {
public:
    explicit Program(const QStringList& arguments, bool withDisplay = true, const QString& program = PROGRAM_FILE,
                     const QString& workingDirectory = {})
    {
        m_process.setWorkingDirectory(workingDirectory);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (withDisplay) {
            environment.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                environment.remove(name);
        }
        m_process.setProcessEnvironment(environment);
        m_process.start(program, arguments);
        EXPECT_TRUE(m_process.waitForStarted());
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // Ended within the time, on its own, with this status. An event loop run
    // meanwhile (a signal spy's wait) may already have seen the end, and
    // waitForFinished() answers false for a process that is no longer running.
    bool ends(int exitCode)
    {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(kProcessTimeoutMs))
            return false;
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == exitCode;
    }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
};

// True once a running instance answers the question.
bool instanceAnswers(SingleInstance& asker)
{
    return QTest::qWaitFor([&] { return asker.activateRunningInstance(); }, kProcessTimeoutMs);
}

} // namespace

TEST(SingleInstance, SecondProgramAsksTheRunningOneToActivateAndEnds)
{
    auto first = std::make_unique<SingleInstance>();
    ASSERT_TRUE(first->acquire());
    ASSERT_TRUE(first->listen());
    const QString socket = first->serverPath();
    EXPECT_EQ(QFileInfo(socket).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner)
        << "only the user may ask";
    QSignalSpy activation(first.get(), &SingleInstance::activationRequested);

    Program second({});
    // The answer is given by this process's event loop, so wait on the spy.
    EXPECT_TRUE(activation.wait(kProcessTimeoutMs));
    EXPECT_TRUE(second.ends(0));
    EXPECT_EQ(activation.size(), 1);
    EXPECT_TRUE(second.process().readAllStandardOutput().isEmpty());
    first.reset();
    EXPECT_FALSE(QFileInfo::exists(socket)) << "the socket goes with the instance";
}

TEST(SingleInstance, SecondProgramEndsWhenTheRunningOneDoesNotAnswer)
{
    // Still starting up: holds the lock but does not answer yet.
    SingleInstance first;
    ASSERT_TRUE(first.acquire());
    Program second({});
    EXPECT_TRUE(second.ends(0));
}

TEST(SingleInstance, SecondProgramDoesNotWaitForAnInstanceThatHangs)
{
    SingleInstance first;
    ASSERT_TRUE(first.acquire());
    ASSERT_TRUE(first.listen());
    QSignalSpy activation(&first, &SingleInstance::activationRequested);
    // This process answers nothing while it waits for the second one.
    Program second({});
    EXPECT_TRUE(second.ends(0));
    QCoreApplication::processEvents();
    QTest::qWait(100);
    EXPECT_EQ(activation.size(), 0) << "a late answer activates nothing";
}

TEST(SingleInstance, TwoProgramsOneAfterTheOther)
{
    Program first({});
    SingleInstance asker;
    ASSERT_TRUE(instanceAnswers(asker));
    EXPECT_FALSE(asker.acquire());

    Program second({});
    EXPECT_TRUE(second.ends(0));
    EXPECT_TRUE(first.isRunning());
}

TEST(SingleInstance, LockOfAKilledInstanceDoesNotBlockANewStart)
{
    SingleInstance asker;
    {
        Program first({});
        ASSERT_TRUE(instanceAnswers(asker));
        first.process().kill();
        first.process().waitForFinished();
    }
    ASSERT_TRUE(QFileInfo::exists(asker.lockFilePath())) << "a killed instance leaves its lock behind";
    ASSERT_TRUE(QFileInfo::exists(asker.serverPath()));

    Program next({});
    EXPECT_TRUE(instanceAnswers(asker));
    EXPECT_TRUE(next.isRunning());
}

TEST(SingleInstance, ARuntimeFolderWithoutRoomForTheLockDoesNotStopTheStart)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a read-only folder needs the superuser";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // In a mount namespace of its own, so the mount ends with the program.
    const QString script = QStringLiteral("mount -t tmpfs -o ro,mode=0700 none '%1' && XDG_RUNTIME_DIR='%1' "
                                          "%2=1 exec '%3'")
                               .arg(folder.path(), FirstPaintProbe::kEnvironmentSwitch, PROGRAM_FILE);
    Program program({"-m", "sh", "-c", script}, true, "unshare");
    EXPECT_TRUE(program.ends(0));
    EXPECT_TRUE(program.process().readAllStandardOutput().contains("first-paint")) << "the window never showed";
}

TEST(SingleInstance, ALockFileOfAnotherUserDoesNotStopTheStart)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving the lock file to another user needs the superuser";
    // As someone else could leave it in a shared temporary folder, open to all and locked.
    const QByteArray path = QFile::encodeName(SingleInstance().lockFilePath());
    const FileDescriptor foreign(::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    ASSERT_GE(foreign.get(), 0);
    ASSERT_EQ(::fchown(foreign.get(), 65534, 65534), 0);
    ASSERT_EQ(::flock(foreign.get(), LOCK_EX | LOCK_NB), 0);

    const ScopedEnvironment probe(FirstPaintProbe::kEnvironmentSwitch, "1");
    Program program({});
    EXPECT_TRUE(program.ends(0));
    EXPECT_TRUE(program.process().readAllStandardOutput().contains("first-paint")) << "the window never showed";
}

TEST(SingleInstance, RegisterWhileAnInstanceRunsOnlyActivatesIt)
{
    SingleInstance first;
    ASSERT_TRUE(first.acquire());
    ASSERT_TRUE(first.listen());
    QSignalSpy activation(&first, &SingleInstance::activationRequested);
    Program registering({"-register"});
    EXPECT_TRUE(activation.wait(kProcessTimeoutMs));
    EXPECT_TRUE(registering.ends(0));
    EXPECT_FALSE(openProfile()->contains("Register/NTGraph"));
}

TEST(SingleInstance, RegistrationWithoutDisplayRegistersTheComponentNextToTheProgram)
{
    Program registering({"-register"}, false);
    EXPECT_TRUE(registering.ends(0)) << registering.process().readAllStandardError().toStdString();
    const auto profile = openProfile();
    EXPECT_EQ(profile->value("Register/NTGraph").toInt(), 1);
    EXPECT_EQ(profile->value("CLSID/{C9FE01C2-2746-479B-96AB-E0BE9931B018}/InprocServer32").toString(),
              QFileInfo(PROGRAM_FILE).absolutePath() + "/NTGraph.ocx");
}

TEST(SingleInstance, RegistrationWithoutTheComponentReportsAndFails)
{
    // A copy of the program alone in a folder, started from there, with no PATH to search.
    QTemporaryDir folder;
    const QString lonely = folder.filePath("jhavari-training");
    ASSERT_TRUE(QFile::copy(PROGRAM_FILE, lonely));
    const auto registering = [&] {
        const ScopedEnvironment noPath("PATH", "");
        return std::make_unique<Program>(QStringList{"-register"}, false, lonely, folder.path());
    }();
    EXPECT_TRUE(registering->ends(1));
    EXPECT_EQ(registering->process().readAllStandardError(), "Jhavari-Training: SearchPath(() failed\n");
    EXPECT_FALSE(openProfile()->contains("Register/NTGraph"));
}
