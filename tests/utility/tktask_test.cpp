#include "utility/tktask.h"

#include "support/tempdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace zeva;

namespace {

// Polls `done` until it holds or a generous limit passes.
template <typename F>
bool eventually(F done, int limitMs = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// A process that is gone (reaped), not merely ended: a zombie still answers kill(pid, 0).
bool processGone(quint32 pid)
{
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

TEST(TkTask, NewObjectStartsNothing)
{
    TKTASK t;
    EXPECT_FALSE(t.ISTASK());
    EXPECT_EQ(t.RETURNCODE(), 0u);
    EXPECT_EQ(t.TASKID(), 0u);
    EXPECT_EQ(t.HANDLE(), 0u);
    t.LAUNCH();
    t.LAUNCH1();
    EXPECT_EQ(t.TASKID(), 0u);
    EXPECT_TRUE(t.errorText().isEmpty());
}

TEST(TkTask, CommandLineKeptAsGivenAndEmptyIgnored)
{
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("/usr/bin/Editor /tmp/Rapor.txt"));
    EXPECT_EQ(t.COMMANDLINE(), QStringLiteral("/usr/bin/Editor /tmp/Rapor.txt"));
    EXPECT_EQ(t.TASKNAME(), QStringLiteral("/usr/bin/Editor /tmp/Rapor.txt"));
    t.COMMANDLINE(QString());
    t.TASKNAME(QString());
    EXPECT_EQ(t.COMMANDLINE(), QStringLiteral("/usr/bin/Editor /tmp/Rapor.txt"));
    t.TASKNAME(QStringLiteral("/bin/true"));
    EXPECT_EQ(t.TASKNAME(), QStringLiteral("/bin/true"));
    EXPECT_EQ(t.COMMANDLINE(), QStringLiteral("/usr/bin/Editor /tmp/Rapor.txt"));
    t.TITLE(QStringLiteral("Başlık"));
    EXPECT_EQ(t.titleText(), QStringLiteral("Başlık"));
}

TEST(TkTask, RunningThenExitCode)
{
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("/bin/sh -c \"sleep 0.5; exit 3\""));
    t.LAUNCH();
    ASSERT_NE(t.TASKID(), 0u);
    EXPECT_EQ(t.PROCESSID(), t.TASKID());
    EXPECT_TRUE(t.errorText().isEmpty());
    EXPECT_EQ(t.RETURNCODE(), 259u);
    EXPECT_TRUE(t.STILLRUNNING());
    ASSERT_TRUE(eventually([&] { return t.RETURNCODE() != 259u; }));
    EXPECT_EQ(t.RETURNCODE(), 3u);
    EXPECT_TRUE(t.ISTASK());
    EXPECT_TRUE(t.RUNNING());  // the test is against 0, not against 259
    // The status stays readable after the child was collected.
    EXPECT_EQ(t.RETURNCODE(), 3u);
}

TEST(TkTask, ZeroExitReadsFalseAndPathIsSearched)
{
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("true"));
    t.LAUNCH();
    ASSERT_NE(t.TASKID(), 0u);
    ASSERT_TRUE(eventually([&] { return t.RETURNCODE() != 259u; }));
    EXPECT_FALSE(t.ISTASK());
    EXPECT_EQ(t.RETURNCODE(), 0u);
}

TEST(TkTask, SignalledChildReads128PlusSignal)
{
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("sleep 30"));
    t.LAUNCH();
    ASSERT_NE(t.TASKID(), 0u);
    ::kill(pid_t(t.TASKID()), SIGTERM);
    ASSERT_TRUE(eventually([&] { return t.RETURNCODE() != 259u; }));
    EXPECT_EQ(t.RETURNCODE(), 128u + SIGTERM);
}

TEST(TkTask, FailedStartsKeepTheirTextQuietly)
{
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("/bin/true with arguments"));
    t.LAUNCH1();  // the whole line as one path: no such file
    EXPECT_EQ(t.TASKID(), 0u);
    const QString first = t.errorText();
    EXPECT_EQ(first, QString::fromLocal8Bit(strerror(ENOENT)));
    EXPECT_FALSE(t.ISTASK());

    t.COMMANDLINE(QStringLiteral("/nonexistent/zeva-program"));
    t.LAUNCH();
    EXPECT_EQ(t.TASKID(), 0u);
    EXPECT_FALSE(t.errorText().isEmpty());

    t.COMMANDLINE(QStringLiteral("/bin/true"));
    t.LAUNCH();
    EXPECT_NE(t.TASKID(), 0u);
    EXPECT_EQ(t.errorText(), first);  // a success does not clear it
    ASSERT_TRUE(eventually([&] { return t.RETURNCODE() != 259u; }));
}

TEST(TkTask, QuotedArgumentWithBlanksStaysWhole)
{
    test::TempDir dir;
    const QString target = dir.file(QStringLiteral("Rapor dosyası.txt"));
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("touch \"") + target + QLatin1Char('"'));
    t.LAUNCH();
    ASSERT_NE(t.TASKID(), 0u);
    ASSERT_TRUE(eventually([&] { return t.RETURNCODE() != 259u; }));
    EXPECT_EQ(t.RETURNCODE(), 0u);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Rapor dosyası.txt")});
}

TEST(TkTask, ChildHoldsOnlyTheStandardDescriptors)
{
    test::TempDir dir;
    // A descriptor without close-on-exec, as a lock file or an old library might leave one.
    const int leaky = ::open(QFile::encodeName(dir.file(QStringLiteral("held"))).constData(),
                             O_CREAT | O_RDWR, 0600);
    ASSERT_GE(leaky, 3);
    TKTASK t;
    t.COMMANDLINE(QStringLiteral("sleep 30"));
    t.LAUNCH();
    ::close(leaky);
    ASSERT_NE(t.TASKID(), 0u);
    const QString fdDir = QStringLiteral("/proc/%1/fd").arg(t.TASKID());
    // An inherited descriptor would never go away; a start-up file of the
    // child itself is closed soon.
    QStringList fds;
    const bool onlyStandard = eventually([&] {
        fds = QDir(fdDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System, QDir::Name);
        return fds == QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
    }, 5000);
    EXPECT_TRUE(onlyStandard) << fds.join(QLatin1Char(' ')).toStdString();
    ::kill(pid_t(t.TASKID()), SIGKILL);
    ASSERT_TRUE(eventually([&] { return t.RETURNCODE() != 259u; }));
}

TEST(TkTask, DroppedOrRestartedChildIsReapedNotKilled)
{
    test::TempDir dir;
    const QString mark = dir.file(QStringLiteral("ran"));
    quint32 first = 0;
    quint32 second = 0;
    {
        TKTASK t;
        t.COMMANDLINE(QStringLiteral("/bin/sh -c \"sleep 0.3; touch '%1'\"").arg(mark));
        t.LAUNCH();
        first = t.TASKID();
        t.COMMANDLINE(QStringLiteral("sleep 0.3"));
        t.LAUNCH();  // a restart hands the first child to the reaper
        second = t.TASKID();
    }
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_TRUE(eventually([&] { return processGone(first) && processGone(second); }));
    EXPECT_TRUE(QFile::exists(mark));  // it ran to its end
}

TEST(TkTask, ReaperLeavesOtherChildrenAlone)
{
    {
        TKTASK t;
        t.COMMANDLINE(QStringLiteral("sleep 0.2"));
        t.LAUNCH();
    }  // reaper waits for that child
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 0.4; exit 7")});
    ASSERT_TRUE(p.waitForStarted());
    TKTASK other;
    other.COMMANDLINE(QStringLiteral("/bin/true"));
    other.LAUNCH();
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 7);
    ASSERT_TRUE(eventually([&] { return other.RETURNCODE() != 259u; }));
    EXPECT_EQ(other.RETURNCODE(), 0u);
}
