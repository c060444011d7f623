// scripts/ctest-counts.sh: the closing line of the test command, from the
// logs of the CTest runs.
#include "support/tempdir.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

QString counts(const QStringList& logs)
{
    QProcess p;
    p.start(QStringLiteral("bash"), QStringList{QStringLiteral(ZEVA_SOURCE_DIR "/scripts/ctest-counts.sh")} + logs);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("(did not run)");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString writeLog(const QString& dir, const QString& name, const char* text)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return path;
}

// The tail of a run where two tests skipped themselves: CTest counts them
// among the passed ones.
const char* const kSkipped =
    "798/798 Test #791: SolveTool.WarningsOnStandardErrorAndTheSolveGoesOn ......   Passed    2.81 sec\n"
    "\n"
    "100% tests passed, 0 tests failed out of 798\n"
    "\n"
    "Total Test time (real) =  70.09 sec\n"
    "\n"
    "The following tests did not run:\n"
    "\t481 - PadPrintTest.ThroughAPrintQueueEachOptionComesOutOnce (Skipped)\n"
    "\t512 - Targets/Queue.Prints/1  # GetParam() = 1 (Skipped)\n";

// Failures beside a skip: a failed test is listed apart and not skipped.
const char* const kFailed =
    "99% tests passed, 2 tests failed out of 300\n"
    "\n"
    "Total Test time (real) =  12.00 sec\n"
    "\n"
    "The following tests did not run:\n"
    "\t 17 - A.Skips (Skipped)\n"
    "\n"
    "The following tests FAILED:\n"
    "\t 20 - A.Fails (Failed)\n"
    "\t 21 - A.Crashes (SEGFAULT)\n"
    "Errors while running CTest\n";

}  // namespace

TEST(CtestCounts, SkippedTestsAreCountedApartFromThePassedOnes)
{
    zeva::test::TempDir dir;
    const QString skipped = writeLog(dir.path(), QStringLiteral("skipped.log"), kSkipped);
    const QString failed = writeLog(dir.path(), QStringLiteral("failed.log"), kFailed);
    const QString unfinished = writeLog(dir.path(), QStringLiteral("unfinished.log"), "  1/90 Test  #1: A.B ...\n");

    struct Case {
        QStringList logs;
        const char* line;
    } const cases[] = {
        {{skipped}, "796 passed, 0 failed, 2 skipped"},
        {{failed}, "297 passed, 2 failed, 1 skipped"},
        {{skipped, failed}, "1093 passed, 2 failed, 3 skipped"},
        // A run that did not get to its summary is not a pass.
        {{skipped, unfinished}, "796 passed, 1 failed, 2 skipped"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(counts(c.logs).toStdString(), c.line) << c.logs.join(QLatin1Char(' ')).toStdString();
}
