// The single-instance lock, within one process and across processes.
#include "shell/singleinstance.h"

#include "platform/instancelock.h"
#include "support/tempdir.h"

#include <QProcess>
#include <QProcessEnvironment>

#include "support/envguard.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zeva {
namespace {

using test::EnvGuard;

TEST(InstanceLock, LockFileInTheRuntimeFolderElseTempWithUserId)
{
    const QByteArray runtime("/run/user/4242");
    {
        EnvGuard e("XDG_RUNTIME_DIR", &runtime);
        EXPECT_EQ(instanceLockPath(QStringLiteral("ZEVA")), QStringLiteral("/run/user/4242/ZEVA.lock"));
    }
    {
        EnvGuard e("XDG_RUNTIME_DIR", nullptr);
        EXPECT_EQ(instanceLockPath(QStringLiteral("ZEVA")),
                  QDir::tempPath() + QStringLiteral("/ZEVA-%1.lock").arg(::getuid()));
    }
}

TEST(InstanceLock, SecondAskInTheSameProcessFindsItRunning)
{
    test::TempDir dir;
    const QByteArray runtime = dir.path().toUtf8();
    EnvGuard e("XDG_RUNTIME_DIR", &runtime);
    EXPECT_FALSE(ISAPPRUNNING(QStringLiteral("ZEVA")));
    EXPECT_TRUE(ISAPPRUNNING(QStringLiteral("ZEVA")));
    EXPECT_FALSE(ISAPPRUNNING(QStringLiteral("OTHER")));  // another name is another lock
}

TEST(InstanceLock, UnopenableLockFileCountsAsRunning)
{
    test::TempDir dir;
    const QByteArray runtime = dir.file(QStringLiteral("missing/folder")).toUtf8();
    EnvGuard e("XDG_RUNTIME_DIR", &runtime);
    EXPECT_TRUE(ISAPPRUNNING(QStringLiteral("ZEVA")));
}

// A helper process that takes the lock in `runtime` and reports what it got.
class Holder {
public:
    explicit Holder(const QString& runtime)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(ZEVA_BIN_DIR "/zeva_lockholder"), {QStringLiteral("ZEVA")});
    }
    ~Holder()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    // "HELD" or "RUNNING"; empty when the helper said nothing.
    QString answer()
    {
        if (!process_.waitForStarted(10000))
            return QStringLiteral("<not started>");
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(10000))
                break;
        return QString::fromLatin1(process_.readLine()).trimmed();
    }
    void killHard()
    {
        process_.kill();  // SIGKILL: no chance to clean up
        process_.waitForFinished(10000);
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};

TEST(InstanceLock, TwoProcessesAndAKilledHolder)
{
    test::TempDir dir;  // this run's own runtime folder
    Holder first(dir.path());
    ASSERT_EQ(first.answer(), QStringLiteral("HELD"));

    Holder second(dir.path());
    EXPECT_EQ(second.answer(), QStringLiteral("RUNNING"));
    ASSERT_TRUE(second.process().waitForFinished(10000));
    EXPECT_EQ(second.process().exitCode(), 1);

    // This process too is refused while the first holds the lock.
    {
        const QByteArray runtime = dir.path().toUtf8();
        EnvGuard e("XDG_RUNTIME_DIR", &runtime);
        EXPECT_TRUE(ISAPPRUNNING(QStringLiteral("ZEVA")));
    }

    first.killHard();
    EXPECT_EQ(first.process().exitStatus(), QProcess::CrashExit);
    Holder third(dir.path());
    EXPECT_EQ(third.answer(), QStringLiteral("HELD"));
}

}  // namespace
}  // namespace zeva
