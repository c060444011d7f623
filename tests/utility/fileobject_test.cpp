#include "utility/fileobject.h"

#include "support/tempdir.h"
#include "support/files.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace zeva {
namespace {

using test::readAll;
using test::writeAll;

TEST(FileObject, LineCountReadsToTheEnd)
{
    test::TempDir dir;
    FILEOBJECT unopened(dir.file(QStringLiteral("none.txt")));
    EXPECT_EQ(unopened.LINECOUNT(), 0);
    EXPECT_FALSE(unopened.EXISTS());

    writeAll(dir.file(QStringLiteral("three.txt")), "bir\r\niki\n\xFC\xE7");
    FILEOBJECT f(dir.file(QStringLiteral("three.txt")));
    ASSERT_GE(f.OPEN(), 0);
    EXPECT_TRUE(f.EXISTS());
    EXPECT_EQ(f.LINECOUNT(), 3);
    EXPECT_TRUE(f.Eof());
    EXPECT_FALSE(f.ERROR());
    EXPECT_EQ(f.GOTOP(), 0);
    EXPECT_EQ(f.GETS(), QStringLiteral("bir"));
    EXPECT_EQ(f.GETS(), QStringLiteral("iki"));
    EXPECT_EQ(f.GETS(), QStringLiteral("üç")) << "Windows-1254 text";
    EXPECT_EQ(f.GETS(), QString());
    EXPECT_EQ(f.ERRORCODE(), kReadAtEof);
    EXPECT_EQ(f.ERRSTRING(), QStringLiteral("EOF was already reached when a read was tried"));
}

TEST(FileObject, CountsDefaultToTheTextAndAreClamped)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("data.bin"));
    FILEOBJECT f(path);
    ASSERT_GE(f.CREATE(), 0);
    EXPECT_EQ(f.WRITE(QStringLiteral("abc")), 3);
    EXPECT_EQ(f.WRITE(QStringLiteral("defgh"), 2), 2);
    EXPECT_EQ(f.WRITE(QStringLiteral("xy"), 50), 2) << "a count beyond the text is clamped";
    EXPECT_EQ(f.WRITELINE(QStringLiteral("line")), 6);
    EXPECT_EQ(f.WRITETEXT(QStringLiteral("Şu")), 2);
    EXPECT_EQ(f.PUTS(QStringLiteral("son")), 5);
    EXPECT_EQ(f.GOBOTTOM(), 20);
    EXPECT_EQ(f.POSITION(), 20);
    f.CLOSE();
    EXPECT_EQ(readAll(path), QByteArray("abcdexyline\r\n\xDEu" "son\r\n"));

    ASSERT_GE(f.OPEN(fo::ReadWrite | 64), 0) << "sharing bits are ignored";
    QString buffer(10, QLatin1Char('.'));
    EXPECT_EQ(f.READ(buffer), 10);
    EXPECT_EQ(buffer, QStringLiteral("abcdexylin"));
    QString small(4, QLatin1Char('-'));
    EXPECT_EQ(f.READ(small, 100), 4) << "never past the buffer";
    EXPECT_EQ(small, QStringLiteral("e\r\nŞ"));
    EXPECT_EQ(f.READSTR(100), QStringLiteral("uson\r\n"));
    f.SEEK(3);
    QString text(5, QLatin1Char('_'));
    EXPECT_EQ(f.READTEXT(text, 2), 2);
    EXPECT_EQ(text, QStringLiteral("de___"));
}

TEST(FileObject, TellAndAccessesKeepTheRecordedError)
{
    test::TempDir dir;
    FILEOBJECT f(dir.file(QStringLiteral("missing.txt")));
    EXPECT_LT(f.OPEN(), 0);
    EXPECT_TRUE(f.ERROR());
    EXPECT_EQ(f.ERRORCODE(), ENOENT);
    f.TELL();
    (void)f.POSITION();
    (void)f.Eof();
    EXPECT_EQ(f.ERRORCODE(), ENOENT);
    EXPECT_EQ(f.ERRSTRING(), DosErrString(ENOENT));
}

TEST(FileObject, AClosedObjectNeverWritesIntoAFileOpenedLater)
{
    test::TempDir dir;
    FILEOBJECT f(dir.file(QStringLiteral("a.txt")));
    ASSERT_GE(f.CREATE(), 0);
    const int old = f.FILEHANDLE();
    EXPECT_EQ(f.CLOSE(), 0);
    EXPECT_EQ(f.FILEHANDLE(), -1);

    // Another open takes the freed descriptor number.
    const QString other = dir.file(QStringLiteral("other.txt"));
    const int fd = ::open(other.toLocal8Bit().constData(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(fd, old);
    EXPECT_EQ(f.WRITE(QStringLiteral("lost")), 0);
    EXPECT_TRUE(f.ERROR());
    ::close(fd);
    EXPECT_EQ(readAll(other), QByteArray());
}

TEST(FileObject, OpenOnAnOpenObjectClosesTheOldHandle)
{
    test::TempDir dir;
    writeAll(dir.file(QStringLiteral("x.txt")), "x");
    FILEOBJECT f(dir.file(QStringLiteral("x.txt")));
    const int first = f.OPEN();
    ASSERT_GE(first, 0);
    const int second = f.OPEN();
    ASSERT_GE(second, 0);
    EXPECT_EQ(::fcntl(first == second ? -1 : first, F_GETFD), -1) << "the first descriptor is closed";
}

TEST(FileObject, AFullDeviceIsDiskFull)
{
    FILEOBJECT f(QStringLiteral("/dev/full"));
    ASSERT_GE(f.OPEN(fo::Write), 0);
    EXPECT_EQ(f.WRITE(QStringLiteral("abc")), 0);
    EXPECT_TRUE(f.ERROR());
    EXPECT_EQ(f.ERRORCODE(), kDiskFull);
    EXPECT_EQ(f.ERRSTRING(), QStringLiteral("Disk Full"));
    f.COMMIT();
    EXPECT_FALSE(f.ERROR());
}

TEST(FileObject, LineCountStopsAtAReadError)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "a\nb\n", 4), 4);
    ::close(fds[1]);
    FILEOBJECT f(QStringLiteral("/dev/fd/%1").arg(fds[0]));
    ASSERT_GE(f.OPEN(), 0);
    ::close(fds[0]);
    // A pipe cannot seek nor tell its end: the count ends at the failed read.
    EXPECT_LE(f.LINECOUNT(), 2);
    EXPECT_TRUE(f.ERROR());
}

}  // namespace
}  // namespace zeva
