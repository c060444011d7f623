// What a file held when it was read, and whether it still holds it.
#include "platform/filefingerprint.h"

#include "platform/atomicfile.h"
#include "support/files.h"
#include "support/tempdir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace zeva {
namespace {

using test::writeAll;

struct timespec modifiedOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mtim;
}

// Sets the file's modification time.
void setModified(const QString& path, const struct timespec& when)
{
    const struct timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Every way the file may be found again after it was read: a change of its
// size or bytes counts, a new time alone does not.
TEST(FileFingerprintTest, SeesEveryChangeOfSizeOrContentButNotATouch)
{
    static const QByteArray original("MISIR      10.500\r\nSOYA       30.000\r\n");
    const struct {
        const char* what;
        std::function<void(const QString&)> change;
        bool changed;
    } cases[] = {
        {"left alone", [](const QString&) {}, false},
        {"one price changed in place, its old time set back",
         [](const QString& p) {
             const struct timespec was = modifiedOf(p);
             QByteArray b = original;
             b.replace("10.500", "11.750");
             writeAll(p, b);
             setModified(p, was);
         },
         true},
        {"a row appended", [](const QString& p) { writeAll(p, original + "ARPA        9.000\r\n"); },
         true},
        {"touched, its bytes as they were",
         [](const QString& p) {
             struct timespec later = modifiedOf(p);
             later.tv_sec += 5;
             setModified(p, later);
         },
         false},
        {"rewritten with the same bytes by another program",
         [](const QString& p) { ASSERT_TRUE(writeFileAtomically(p, original)); }, false},
        {"replaced by another program's rename, same bytes and time",
         [](const QString& p) {
             const struct timespec was = modifiedOf(p);
             ASSERT_TRUE(writeFileAtomically(p, original));
             setModified(p, was);
         },
         false},
        {"replaced by another program's rename, other bytes",
         [](const QString& p) {
             QByteArray b = original;
             b.replace("SOYA", "ARPA");
             ASSERT_TRUE(writeFileAtomically(p, b));
         },
         true},
        {"removed", [](const QString& p) { ASSERT_TRUE(QFile::remove(p)); }, false},
        {"removed, and another file made in its place",
         [](const QString& p) {
             ASSERT_TRUE(QFile::remove(p));
             writeAll(p, "yeni");
         },
         true},
    };
    for (const auto& c : cases) {
        test::TempDir tmp;
        const QString path = tmp.file(QStringLiteral("RAPOR.TXT"));
        writeAll(path, original);
        QByteArray bytes;
        FileFingerprint fp;
        ASSERT_TRUE(FileFingerprint::read(path, &bytes, &fp)) << c.what;
        EXPECT_EQ(bytes, original) << c.what;
        EXPECT_TRUE(fp.wasRead());
        EXPECT_EQ(fp.path(), path);
        c.change(path);
        EXPECT_EQ(fp.changedOnDisk(), c.changed) << c.what;
    }
}

// A file written by the program itself is what it holds; a file it never
// read is not; with no path there is nothing to compare.
TEST(FileFingerprintTest, WrittenUnreadAndMissingFiles)
{
    test::TempDir tmp;
    const QString path = tmp.file(QStringLiteral("MATNRC.DBF"));

    QByteArray bytes;
    FileFingerprint fp;
    EXPECT_FALSE(FileFingerprint::read(path, &bytes, &fp));  // no file yet
    EXPECT_FALSE(fp.wasRead());
    EXPECT_FALSE(fp.changedOnDisk());

    const QByteArray written("ilk");
    ASSERT_TRUE(writeFileAtomically(path, written));
    EXPECT_TRUE(fp.changedOnDisk());  // a file came where none was read
    EXPECT_TRUE(FileFingerprint::unread(path).changedOnDisk());

    fp = FileFingerprint::of(path, written);
    EXPECT_FALSE(fp.changedOnDisk());
    writeAll(path, "iki");
    EXPECT_TRUE(fp.changedOnDisk());

    EXPECT_FALSE(FileFingerprint().changedOnDisk());
}

}  // namespace
}  // namespace zeva
