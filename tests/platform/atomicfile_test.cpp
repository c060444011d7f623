// Whole-file replacement: what it refuses to replace, and symbolic links.
#include "platform/atomicfile.h"

#include "support/files.h"
#include "support/tempdir.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zeva {
namespace {

using test::readAll;
using test::writeAll;

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Nothing but the named files in the folder: no temporary file left behind.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A file without any write bit is read-only for everyone, whoever runs the
// program: it keeps its bytes and mode, and the write reports the failure.
TEST(AtomicFile, FileWithoutWriteBitsIsNotReplaced)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("KORUNAN.ZVF"));
    for (const mode_t mode : {mode_t(0444), mode_t(0400), mode_t(0555), mode_t(0000)}) {
        writeAll(path, "eski");
        setMode(path, mode);
        QString error;
        EXPECT_TRUE(writeProtected(path)) << std::oct << mode;
        EXPECT_FALSE(writeFileAtomically(path, "yeni", &error)) << std::oct << mode;
        EXPECT_FALSE(error.isEmpty());
        setMode(path, 0600);
        EXPECT_EQ(readAll(path), QByteArray("eski")) << std::oct << mode;
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("KORUNAN.ZVF")});
    }
    // One write bit is enough for its owner; the bits are kept.
    setMode(path, 0604);
    EXPECT_FALSE(writeProtected(path));
    EXPECT_TRUE(writeFileAtomically(path, "yeni"));
    EXPECT_EQ(readAll(path), QByteArray("yeni"));
    EXPECT_EQ(modeOf(path), mode_t(0604));
}

TEST(AtomicFile, SymbolicLinksAreWrittenThrough)
{
    test::TempDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("gercek"));
    const QString real = dir.file(QStringLiteral("gercek/dosya.txt"));
    const struct {
        const char* name;
        QString link;    // the name written to
        QString target;  // what the link holds
        bool chain;      // a second link in front of the first
    } cases[] = {
        {"absolute link", dir.file(QStringLiteral("mutlak.txt")), real, false},
        {"relative link", dir.file(QStringLiteral("goreli.txt")), QStringLiteral("gercek/dosya.txt"), false},
        {"link to a link", dir.file(QStringLiteral("zincir.txt")), QStringLiteral("gercek/dosya.txt"), true},
    };
    for (const auto& c : cases) {
        writeAll(real, "eski");
        setMode(real, 0640);
        QString first = c.link;
        if (c.chain) {
            first = dir.file(QStringLiteral("ara.txt"));
            QFile::remove(first);
            ASSERT_TRUE(QFile::link(QStringLiteral("ara.txt"), c.link));
        }
        ASSERT_TRUE(QFile::link(c.target, first)) << c.name;
        EXPECT_EQ(QFileInfo(linkedFilePath(c.link)).canonicalFilePath(), QFileInfo(real).canonicalFilePath());
        EXPECT_TRUE(writeFileAtomically(c.link, "yeni")) << c.name;
        EXPECT_EQ(readAll(real), QByteArray("yeni")) << c.name;
        EXPECT_EQ(modeOf(real), mode_t(0640)) << c.name;
        EXPECT_TRUE(QFileInfo(c.link).isSymLink()) << c.name;
        EXPECT_TRUE(QFileInfo(first).isSymLink()) << c.name;
        EXPECT_EQ(entries(dir.file(QStringLiteral("gercek"))), QStringList{QStringLiteral("dosya.txt")}) << c.name;
    }

    // A link to a read-only file changes neither.
    setMode(real, 0444);
    EXPECT_FALSE(writeFileAtomically(cases[0].link, "baska"));
    EXPECT_EQ(readAll(real), QByteArray("yeni"));
    EXPECT_TRUE(QFileInfo(cases[0].link).isSymLink());

    // A link whose file is not there yet creates that file.
    const QString missing = dir.file(QStringLiteral("gercek/yeni.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("gercek/yeni.txt"), dir.file(QStringLiteral("bos.txt"))));
    EXPECT_TRUE(writeFileAtomically(dir.file(QStringLiteral("bos.txt")), "ilk"));
    EXPECT_EQ(readAll(missing), QByteArray("ilk"));
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("bos.txt"))).isSymLink());

    // A loop of links is no file.
    ASSERT_TRUE(QFile::link(QStringLiteral("dongu2"), dir.file(QStringLiteral("dongu1"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("dongu1"), dir.file(QStringLiteral("dongu2"))));
    EXPECT_FALSE(writeFileAtomically(dir.file(QStringLiteral("dongu1")), "x"));
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("dongu1"))).isSymLink());
}

// Names near the file system's limit on a name (255 bytes on most, about 124
// Turkish letters): created and replaced like any other, with their mode kept
// and no temporary file left. A name one byte over the limit is refused and
// leaves nothing behind.
TEST(AtomicFile, NamesUpToTheLimitAreWritten)
{
    test::TempDir dir;
    const int limit = int(test::nameLimit(dir.path()));
    ASSERT_GT(limit, 16);
    for (int bytes = limit - 7; bytes <= limit; ++bytes) {
        SCOPED_TRACE(bytes);
        const QString name = test::longTurkishName(bytes, QStringLiteral(".ZVF"));
        ASSERT_EQ(QFile::encodeName(name).size(), bytes);
        const QString path = dir.file(name);
        QString error;
        EXPECT_TRUE(writeFileAtomically(path, "ilk", &error)) << error.toStdString();
        EXPECT_EQ(readAll(path), QByteArray("ilk"));
        setMode(path, 0640);
        EXPECT_TRUE(writeFileAtomically(path, "yeni", &error)) << error.toStdString();
        EXPECT_EQ(readAll(path), QByteArray("yeni"));
        EXPECT_EQ(modeOf(path), mode_t(0640));
        EXPECT_EQ(entries(dir.path()), QStringList{name});
        ASSERT_TRUE(QFile::remove(path));
    }

    QString error;
    EXPECT_FALSE(writeFileAtomically(dir.file(test::longTurkishName(limit + 1, QStringLiteral(".ZVF"))), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(entries(dir.path()), QStringList());
}

// As an ordinary user: a file that user may not write stays as it is, even
// though the folder would let the user replace it; a file the user may write
// is replaced, directly or through a link.
TEST(AtomicFile, AnotherUsersFileIsNotReplaced)
{
    test::SharedTempDir dir;
    ASSERT_TRUE(dir.valid());
    const QString others = dir.file(QStringLiteral("baskasinin.txt"));
    const QString open = dir.file(QStringLiteral("herkesin.txt"));
    writeAll(others, "eski");
    setMode(others, 0644);
    writeAll(open, "eski");
    setMode(open, 0666);
    const bool root = ::geteuid() == 0;
    test::runUnprivileged([&](test::ChildChecks& check) {
        const QString link = dir.file(QStringLiteral("bag.txt"));
        const QString own = dir.file(QStringLiteral("benim.txt"));
        CHILD_EXPECT(check, QFile::link(others, link));
        if (root) {  // the parent's file belongs to someone else only then
            CHILD_EXPECT(check, writeProtected(others));
            CHILD_EXPECT(check, !writeFileAtomically(others, "yeni"));
            CHILD_EXPECT(check, !writeFileAtomically(link, "yeni"));
            CHILD_EXPECT(check, test::childRead(others) == "eski");
            CHILD_EXPECT(check, QFileInfo(link).isSymLink());
        }
        CHILD_EXPECT(check, writeFileAtomically(open, "yeni"));
        CHILD_EXPECT(check, test::childRead(open) == "yeni");

        CHILD_EXPECT(check, test::childWrite(own, "eski", 0644));
        CHILD_EXPECT(check, writeFileAtomically(own, "yeni"));
        CHILD_EXPECT(check, test::childRead(own) == "yeni");
        CHILD_EXPECT(check, ::chmod(QFile::encodeName(own).constData(), 0444) == 0);
        CHILD_EXPECT(check, !writeFileAtomically(own, "son"));
        CHILD_EXPECT(check, test::childRead(own) == "yeni");
    });
    EXPECT_EQ(readAll(others), QByteArray("eski"));
    EXPECT_EQ(entries(dir.path()), (QStringList{QStringLiteral("bag.txt"), QStringLiteral("baskasinin.txt"),
                                                QStringLiteral("benim.txt"), QStringLiteral("herkesin.txt")}));
}

}  // namespace
}  // namespace zeva
