// The update lock shared by copies of the program on one data folder.
#include "platform/filelock.h"

#include "support/files.h"
#include "support/tempdir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sys/stat.h>
#include <thread>

namespace zeva {
namespace {

using State = FileLock::State;

// Each FileLock opens the path anew, so two of them in one process contend
// as two processes would.
TEST(FileLock, OneHolderAtATimeOnAFileOrAFolder)
{
    test::TempDir dir;
    const QString file = dir.file(QStringLiteral("T.DBF"));
    test::writeAll(file, QByteArray("x"));
    for (const QString& path : {file, dir.path()}) {
        {
            const FileLock first(path, 0);
            ASSERT_EQ(first.state(), State::Held) << path.toStdString();
            const FileLock second(path, 20);
            EXPECT_EQ(second.state(), State::Busy) << path.toStdString();
            EXPECT_TRUE(second.busy());
        }
        const FileLock again(path, 0);
        EXPECT_EQ(again.state(), State::Held) << path.toStdString();
    }
    // The file and its folder are locks of their own.
    const FileLock onFile(file, 0);
    const FileLock onFolder(dir.path(), 0);
    EXPECT_EQ(onFile.state(), State::Held);
    EXPECT_EQ(onFolder.state(), State::Held);
}

TEST(FileLock, ATakerWaitsForTheHolderToLetGo)
{
    test::TempDir dir;
    auto holder = std::make_unique<FileLock>(dir.path(), 0);
    ASSERT_EQ(holder->state(), State::Held);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        holder.reset();
    });
    const FileLock taker(dir.path(), 600000);
    release.join();
    EXPECT_EQ(taker.state(), State::Held);
}

TEST(FileLock, NothingToLockIsToldAndNeverHangs)
{
    test::TempDir dir;
    const QString fifo = dir.file(QStringLiteral("PIPE"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString& path : {dir.file(QStringLiteral("NONE")), fifo}) {
        const FileLock lock(path, 600000);
        EXPECT_EQ(lock.state(), State::NoFile) << path.toStdString();
        EXPECT_FALSE(lock.busy());
    }
}

}  // namespace
}  // namespace zeva
