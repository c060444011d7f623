#include "utility/inifile.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "support/envguard.h"
#include "support/tempdir.h"
#include "support/files.h"
#include "support/hangguard.h"
#include "support/qstringprint.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeva {
namespace {

using test::readAll;
using test::writeAll;

TEST(IniFile, ReadsTrimmedValuesAndTypedOnes)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("a.ini"));
    writeAll(path,
             "; comment\r\n[Genel]\r\nword=  word \r\nquoted = \"  in quotes \"\r\nq=\"  word \"\r\n"
             "single=' x '\r\nyes=yes\r\non=On\r\n"
             "true=TRUE\r\none=1\r\nfalse=FALSE\r\nneg=-5\r\nbig=99999999999\r\nhalf=12abc\r\nnone=abc\r\n"
             "[ Other ]\r\nWORD=other\r\n");
    INIFILE ini(path);
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("Genel"), QStringLiteral("word")), QStringLiteral("word"));
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("genel"), QStringLiteral(" WORD ")), QStringLiteral("word"))
        << "names match without case and surrounding blanks";
    // The quotes go first, then the blanks inside them.
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("Genel"), QStringLiteral("quoted")), QStringLiteral("in quotes"));
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("Genel"), QStringLiteral("q")), QStringLiteral("word"));
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("Genel"), QStringLiteral("single")), QStringLiteral("x"));
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("Genel"), QStringLiteral("missing")), QString());
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("other"), QStringLiteral("word")), QStringLiteral("other"));
    for (const char* e : {"yes", "on", "true"})
        EXPECT_TRUE(ini.GETLOGIC(QStringLiteral("Genel"), QString::fromLatin1(e))) << e;
    for (const char* e : {"one", "false", "missing"})
        EXPECT_FALSE(ini.GETLOGIC(QStringLiteral("Genel"), QString::fromLatin1(e))) << e;
    EXPECT_EQ(ini.GETINT(QStringLiteral("Genel"), QStringLiteral("neg")), -5);
    EXPECT_EQ(ini.GETINT(QStringLiteral("Genel"), QStringLiteral("big")), 2147483647);
    EXPECT_EQ(ini.GETINT(QStringLiteral("Genel"), QStringLiteral("half")), 12);
    EXPECT_EQ(ini.GETINT(QStringLiteral("Genel"), QStringLiteral("none")), 0);
    EXPECT_EQ(ini.GETINT(QStringLiteral("Genel"), QStringLiteral("missing")), 0);
    EXPECT_EQ(ini::toInt(QStringLiteral("-99999999999")), -2147483647 - 1);
}

TEST(IniFile, WritesChangeOnlyTheirLines)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("b.ini"));
    const QByteArray head = "; yorum \xFD\xFE\r\n  ;indented comment\r\n[S]\r\na=1\r\n\r\n[T]\r\nx = y\r\n";
    writeAll(path, head);
    INIFILE ini(path);
    EXPECT_TRUE(ini.SETINT(QStringLiteral("S"), QStringLiteral("bb"), 42));
    EXPECT_TRUE(ini.SETSTRING(QStringLiteral("s"), QStringLiteral("A"), QStringLiteral("two")));
    EXPECT_TRUE(ini.SETLOGIC(QStringLiteral("Yeni"), QStringLiteral("açık"), true));
    EXPECT_EQ(readAll(path), QByteArray("; yorum \xFD\xFE\r\n  ;indented comment\r\n[S]\r\nA=two\r\nbb=42\r\n\r\n"
                                        "[T]\r\nx = y\r\n[Yeni]\r\na\xE7\xFDk=TRUE\r\n"));
    const QList<QPair<QString, QString>> expected{{QStringLiteral("A"), QStringLiteral("two")},
                                                  {QStringLiteral("bb"), QStringLiteral("42")}};
    EXPECT_EQ(ini.GETSECTION(QStringLiteral("S")), expected);
    EXPECT_TRUE(ini.GETSECTION(QStringLiteral("none")).isEmpty());

    EXPECT_TRUE(ini.DELETEENTRY(QStringLiteral("S"), QStringLiteral("a")));
    EXPECT_EQ(ini.GETSTRING(QStringLiteral("S"), QStringLiteral("a")), QString());
    EXPECT_TRUE(ini.DELETESECTION(QStringLiteral("t")));
    EXPECT_TRUE(ini.GETSECTION(QStringLiteral("T")).isEmpty());
    EXPECT_EQ(readAll(path), QByteArray("; yorum \xFD\xFE\r\n  ;indented comment\r\n[S]\r\nbb=42\r\n\r\n"
                                        "[Yeni]\r\na\xE7\xFDk=TRUE\r\n"));
}

TEST(IniFile, RefusesWhatTheFileCannotHold)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("c.ini"));
    INIFILE ini(path);
    EXPECT_FALSE(ini.SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("line\nbreak")));
    EXPECT_FALSE(ini.SETSTRING(QStringLiteral("S"), QStringLiteral("a=b"), QStringLiteral("v")));
    EXPECT_FALSE(ini.SETSTRING(QStringLiteral("S]"), QStringLiteral("a"), QStringLiteral("v")));
    EXPECT_FALSE(ini.SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("€ ok, but ✓ not")));
    EXPECT_FALSE(QFile::exists(path)) << "nothing made";
}

TEST(IniFile, NoLimitOnEntriesOrValueLength)
{
    test::TempDir dir;
    INIFILE ini(dir.file(QStringLiteral("d.ini")));
    QByteArray text = "[Big]\r\n";
    for (int i = 0; i < 200; ++i)
        text += "entry" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
    text += "long=" + QByteArray(2000, 'x') + "\r\n";
    writeAll(ini.filePath(), text);
    const auto pairs = ini.GETSECTION(QStringLiteral("Big"));
    ASSERT_EQ(pairs.size(), 201);
    EXPECT_EQ(pairs[199].second, QStringLiteral("1393"));
    EXPECT_EQ(pairs[200].second.size(), 2000);
}

TEST(IniFile, CreateRefusesWinAndTheSettingsFile)
{
    test::TempDir dir;
    const QByteArray settings = dir.file(QStringLiteral("zeva.ini")).toLocal8Bit();
    test::EnvGuard env("ZEVA_SETTINGS", &settings);
    writeAll(dir.file(QStringLiteral("zeva.ini")), "[Keep]\r\nOpath=/data\r\n");
    for (const char* name : {" Win ", "WIN", "win"}) {
        INIFILE ini(QString::fromLatin1(name));
        EXPECT_FALSE(ini.CREATE()) << name;
    }
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("WIN"))));
    INIFILE own(QStringLiteral("zeva.ini"));
    EXPECT_FALSE(own.CREATE());
    EXPECT_EQ(readAll(dir.file(QStringLiteral("zeva.ini"))), QByteArray("[Keep]\r\nOpath=/data\r\n"));

    // A bare name: created, written and read in the settings folder.
    INIFILE bare(QStringLiteral("extra.ini"));
    EXPECT_EQ(bare.filePath(), dir.file(QStringLiteral("extra.ini")));
    EXPECT_TRUE(bare.CREATE());
    EXPECT_EQ(readAll(dir.file(QStringLiteral("extra.ini"))), QByteArray());
    EXPECT_TRUE(bare.SETSTRING(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_EQ(INIFILE(QStringLiteral("extra.ini")).GETSTRING(QStringLiteral("S"), QStringLiteral("k")),
              QStringLiteral("v"));
    EXPECT_EQ(readAll(dir.file(QStringLiteral("extra.ini"))), QByteArray("[S]\r\nk=v\r\n"));
}

TEST(IniFile, AFailedWriteLeavesTheFile)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("e.ini"));
    writeAll(path, "[S]\r\na=1\r\n");
    INIFILE ini(path);
    testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
    EXPECT_FALSE(ini.SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("2")));
    testhooks::clearAtomicWriteFault();
    EXPECT_EQ(readAll(path), QByteArray("[S]\r\na=1\r\n"));
}

// A subclass's GETSTRING is what the other getters read through.
TEST(IniFile, GettersGoThroughTheVirtualReaders)
{
    struct Fixed : INIFILE {
        using INIFILE::INIFILE;
        QString GETSTRING(const QString&, const QString&) override { return QStringLiteral("yes"); }
    };
    test::TempDir dir;
    Fixed ini(dir.file(QStringLiteral("f.ini")));
    EXPECT_TRUE(ini.GETLOGIC(QStringLiteral("S"), QStringLiteral("k")));
    EXPECT_EQ(ini.GETSTRINGUPPER(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("YES"));
}

// The lock call as other file systems answer it. On an NFS mount an
// exclusive lock needs a descriptor open for writing; some file systems keep
// no locks at all.
int nfsExclusiveLocks = 0;
int nfsFlock(int fd, int operation)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if ((operation & LOCK_EX) && flags >= 0 && (flags & O_ACCMODE) == O_RDONLY) {
        errno = EBADF;
        return -1;
    }
    const int rc = ::flock(fd, operation);
    nfsExclusiveLocks += rc == 0 && (operation & LOCK_EX);
    return rc;
}
int noLocks(int, int)
{
    errno = ENOLCK;
    return -1;
}
int locksNotSupported(int, int)
{
    errno = EOPNOTSUPP;
    return -1;
}

// Puts a lock call in place for one scope.
class FlockAnswers {
public:
    explicit FlockAnswers(testhooks::FlockCall call) { testhooks::setIniFlock(call); }
    ~FlockAnswers() { testhooks::setIniFlock(nullptr); }
    FlockAnswers(const FlockAnswers&) = delete;
    FlockAnswers& operator=(const FlockAnswers&) = delete;
};

// Updates write on a file system whose locks answer differently, as on a
// local disk: a new file, an existing one, deletions and CREATE, with
// nothing left beside the files.
TEST(IniFile, UpdatesWhereTheFileSystemLocksDifferently)
{
    const struct {
        const char* what;
        testhooks::FlockCall call;
    } systems[] = {{"NFS", &nfsFlock}, {"ENOLCK", &noLocks}, {"EOPNOTSUPP", &locksNotSupported}};
    for (const auto& fs : systems) {
        SCOPED_TRACE(fs.what);
        FlockAnswers answers(fs.call);
        nfsExclusiveLocks = 0;
        test::TempDir dir;
        const QString fresh = dir.file(QStringLiteral("yeni.ini"));
        INIFILE a(fresh);
        EXPECT_TRUE(a.SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("bir")));
        EXPECT_TRUE(a.SETINT(QStringLiteral("T"), QStringLiteral("b"), 2));
        EXPECT_TRUE(a.SETLOGIC(QStringLiteral("S"), QStringLiteral("c"), true));
        EXPECT_TRUE(a.DELETEENTRY(QStringLiteral("S"), QStringLiteral("a")));
        EXPECT_EQ(readAll(fresh), QByteArray("[S]\r\nc=TRUE\r\n[T]\r\nb=2\r\n"));

        const QString old = dir.file(QStringLiteral("eski.ini"));
        writeAll(old, "; yorum\r\n[S]\r\na=1\r\n");
        INIFILE b(old);
        EXPECT_TRUE(b.SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("2")));
        EXPECT_TRUE(b.DELETESECTION(QStringLiteral("yok")));
        EXPECT_EQ(readAll(old), QByteArray("; yorum\r\n[S]\r\na=2\r\n"));
        EXPECT_TRUE(b.CREATE());
        EXPECT_EQ(readAll(old), QByteArray());

        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        EXPECT_EQ(QDir(dir.path()).entryList(all, QDir::Name),
                  (QStringList{QStringLiteral("eski.ini"), QStringLiteral("yeni.ini")}));
        if (fs.call == &nfsFlock) {  // where the file allows it, the lock is still taken
            EXPECT_EQ(nfsExclusiveLocks, 7);
        }
    }
}

int lockFails(int, int)
{
    errno = EIO;
    return -1;
}

// An update refused because the lock cannot be had leaves the folder as it
// was: no new file, no folder made for it, nothing beside an existing file,
// which keeps its bytes.
TEST(IniFile, ARefusedUpdateLeavesTheFolderAsItWas)
{
    FlockAnswers answers(&lockFails);
    test::TempDir dir;
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const struct {
        const char* what;
        std::function<bool(INIFILE&)> update;
    } updates[] = {
        {"SETSTRING",
         [](INIFILE& i) { return i.SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("1")); }},
        {"SETINT", [](INIFILE& i) { return i.SETINT(QStringLiteral("S"), QStringLiteral("a"), 1); }},
        {"DELETEENTRY", [](INIFILE& i) { return i.DELETEENTRY(QStringLiteral("S"), QStringLiteral("a")); }},
        {"DELETESECTION", [](INIFILE& i) { return i.DELETESECTION(QStringLiteral("S")); }},
        {"CREATE", [](INIFILE& i) { return i.CREATE(); }},
    };
    for (const auto& u : updates) {
        SCOPED_TRACE(u.what);
        for (const char* name : {"yeni.ini", "alt/klasor/yeni.ini"}) {
            SCOPED_TRACE(name);
            INIFILE ini(dir.file(QString::fromLatin1(name)));
            EXPECT_FALSE(u.update(ini));
            EXPECT_EQ(QDir(dir.path()).entryList(all), QStringList());
        }
        const QString old = dir.file(QStringLiteral("eski.ini"));
        writeAll(old, "[S]\r\na=2\r\n");
        INIFILE ini(old);
        EXPECT_FALSE(u.update(ini));
        EXPECT_EQ(readAll(old), QByteArray("[S]\r\na=2\r\n"));
        EXPECT_EQ(QDir(dir.path()).entryList(all), QStringList{QStringLiteral("eski.ini")});
        QFile::remove(old);
    }
}

// Two processes updating one file lose no update, also when one of them
// reaches the file through a link in another folder, and also where the lock
// answers as on an NFS mount; nothing is left beside the file.
TEST(IniFile, TwoProcessesLoseNoUpdate)
{
    const struct {
        const char* what;
        testhooks::FlockCall call;
        int updates;  // by each process
    } systems[] = {{"local", nullptr, 500}, {"NFS", &nfsFlock, 100}};
    for (const auto& fs : systems) {
        SCOPED_TRACE(fs.what);
        FlockAnswers answers(fs.call);
        test::TempDir dir;
        const QString path = dir.file(QStringLiteral("shared.ini"));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("links")));
        const QString link = dir.file(QStringLiteral("links/shared.ini"));
        ASSERT_TRUE(QFile::link(path, link));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        const QString prefix = child == 0 ? QStringLiteral("child") : QStringLiteral("parent");
        INIFILE ini(child == 0 ? link : path);
        bool allOk = true;
        for (int i = 0; i < fs.updates; ++i)
            allOk = ini.SETINT(QStringLiteral("S"), prefix + QString::number(i), i) && allOk;
        if (child == 0)
            ::_exit(allOk ? 0 : 1);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_TRUE(allOk);
        EXPECT_EQ(ini.GETSECTION(QStringLiteral("S")).size(), 2 * fs.updates);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_TRUE(ini.CREATE());
        EXPECT_TRUE(ini.DELETESECTION(QStringLiteral("S")));
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        EXPECT_EQ(QDir(dir.path()).entryList(all, QDir::Name),
                  (QStringList{QStringLiteral("links"), QStringLiteral("shared.ini")}));
        EXPECT_EQ(QDir(dir.file(QStringLiteral("links"))).entryList(all), QStringList{QStringLiteral("shared.ini")});
    }
}

// Writers in a folder they may write but not read (no lock can be taken on
// the folder there) still lose no key: six processes of an ordinary user set
// 40 entries each in one file at the same time.
TEST(IniFile, WritersInAFolderTheyMayNotReadLoseNoKey)
{
    test::SharedTempDir dir;
    ASSERT_TRUE(dir.valid());
    const QString folder = dir.file(QStringLiteral("yazilir"));
    const QString path = folder + QStringLiteral("/ortak.ini");
    test::runUnprivileged([&](test::ChildChecks& check) {
        const QByteArray name = QFile::encodeName(folder);
        if (!CHILD_EXPECT(check, ::mkdir(name.constData(), 0700) == 0 && ::chmod(name.constData(), 0300) == 0))
            return;
        const int probe = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
        CHILD_EXPECT(check, probe < 0);  // the folder cannot be opened
        if (probe >= 0)
            ::close(probe);

        constexpr int kWriters = 6;
        constexpr int kKeys = 40;
        int start[2];
        if (!CHILD_EXPECT(check, ::pipe(start) == 0)) {
            ::chmod(name.constData(), 0700);
            return;
        }
        QList<pid_t> writers;
        for (int w = 0; w < kWriters; ++w) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(start[1]);
                char c;
                while (::read(start[0], &c, 1) < 0 && errno == EINTR) {
                }
                INIFILE ini(path);
                bool ok = true;
                for (int k = 0; k < kKeys; ++k)
                    ok = ini.SETINT(QStringLiteral("S"), QStringLiteral("y%1k%2").arg(w).arg(k), w * 100 + k) && ok;
                ::_exit(ok ? 0 : 1);
            }
            CHILD_EXPECT(check, pid > 0);
            if (pid > 0)
                writers << pid;
        }
        ::close(start[0]);
        ::close(start[1]);  // all writers go at once
        for (pid_t pid : writers) {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            CHILD_EXPECT(check, WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        INIFILE ini(path);
        const auto entries = ini.GETSECTION(QStringLiteral("S"));
        CHILD_EXPECT(check, entries.size() == kWriters * kKeys);
        int kept = 0;
        for (int w = 0; w < kWriters; ++w)
            for (int k = 0; k < kKeys; ++k)
                kept += ini.GETINT(QStringLiteral("S"), QStringLiteral("y%1k%2").arg(w).arg(k)) == w * 100 + k;
        CHILD_EXPECT(check, kept == kWriters * kKeys);
        CHILD_EXPECT(check, ::chmod(name.constData(), 0700) == 0);
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        CHILD_EXPECT(check, QDir(folder).entryList(all) == QStringList{QStringLiteral("ortak.ini")});
    });
}

// A file that may not be written or read keeps its bytes and the setter
// answers FALSE; a link is written through and stays a link. Read-only by its
// mode holds for everyone; the rest is checked as an ordinary user.
TEST(IniFile, ProtectedUnreadableAndLinkedFiles)
{
    const QByteArray old = "[S]\r\na=1\r\n";
    test::SharedTempDir dir;
    ASSERT_TRUE(dir.valid());
    const QString readOnly = dir.file(QStringLiteral("salt.ini"));
    writeAll(readOnly, old);
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    for (const char* value : {"2", "1"}) {  // a change, and the value it holds
        EXPECT_FALSE(INIFILE(readOnly).SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QString::fromLatin1(value)))
            << value;
    }
    EXPECT_FALSE(INIFILE(readOnly).DELETESECTION(QStringLiteral("S")));
    EXPECT_FALSE(INIFILE(readOnly).CREATE());
    EXPECT_EQ(readAll(readOnly), old);

    const QString real = dir.file(QStringLiteral("gercek.ini"));
    const QString link = dir.file(QStringLiteral("bag.ini"));
    writeAll(real, old);
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_TRUE(INIFILE(link).SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("2")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(real), QByteArray("[S]\r\na=2\r\n"));
    // A link to a file not there yet makes that file.
    const QString later = dir.file(QStringLiteral("sonra.ini"));
    ASSERT_TRUE(QFile::link(later, dir.file(QStringLiteral("bos.ini"))));
    EXPECT_TRUE(INIFILE(dir.file(QStringLiteral("bos.ini"))).SETSTRING(QStringLiteral("S"), QStringLiteral("a"),
                                                                      QStringLiteral("3")));
    EXPECT_EQ(readAll(later), QByteArray("[S]\r\na=3\r\n"));

    const QString others = dir.file(QStringLiteral("baskasi.ini"));
    writeAll(others, old);
    ASSERT_TRUE(QFile::setPermissions(others, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                  QFile::ReadOther));
    const QString unreadable = dir.file(QStringLiteral("okunamaz.ini"));
    const bool root = ::geteuid() == 0;
    test::runUnprivileged([&](test::ChildChecks& check) {
        // Its own file that it may write but not read (0222).
        CHILD_EXPECT(check, test::childWrite(unreadable, old, 0222));
        CHILD_EXPECT(check, !INIFILE(unreadable).SETSTRING(QStringLiteral("S"), QStringLiteral("b"),
                                                          QStringLiteral("2")));
        CHILD_EXPECT(check, INIFILE(unreadable).GETSTRING(QStringLiteral("S"), QStringLiteral("a")).isEmpty());
        if (root) {  // a file of another user, readable, in a folder it may write
            CHILD_EXPECT(check, INIFILE(others).GETSTRING(QStringLiteral("S"), QStringLiteral("a")) == "1");
            CHILD_EXPECT(check, !INIFILE(others).SETSTRING(QStringLiteral("S"), QStringLiteral("a"),
                                                          QStringLiteral("2")));
        }
        CHILD_EXPECT(check, !INIFILE(readOnly).SETSTRING(QStringLiteral("S"), QStringLiteral("a"),
                                                        QStringLiteral("2")));
        CHILD_EXPECT(check, INIFILE(link).SETSTRING(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("4")));
        CHILD_EXPECT(check, QFileInfo(link).isSymLink());
    });
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readAll(unreadable), old);
    EXPECT_EQ(readAll(others), old);
    EXPECT_EQ(readAll(readOnly), old);
    EXPECT_EQ(readAll(real), QByteArray("[S]\r\na=4\r\n"));
}

// A named pipe or a device (a link to /dev/zero) at the file's name: every
// call answers at once, as for a file it cannot read, and the name keeps
// what stood there.
TEST(IniFile, PipesAndDevicesAreNotReadAndNotReplaced)
{
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "device");
        test::TempDir dir;
        const QString path = dir.file(QStringLiteral("ayar.ini"));
        const QByteArray name = QFile::encodeName(path);
        ASSERT_EQ(pipe ? ::mkfifo(name.constData(), 0644) : ::symlink("/dev/zero", name.constData()), 0);
        INIFILE ini(path);
        QString value = QStringLiteral("?");
        QList<QPair<QString, QString>> section{{QStringLiteral("?"), QString()}};
        bool written = true;
        test::PipeGuard guard({path});
        ASSERT_TRUE(test::returnsPromptly(
            [&] {
                value = ini.GETSTRING(QStringLiteral("Genel"), QStringLiteral("a"));
                section = ini.GETSECTION(QStringLiteral("Genel"));
                written = ini.SETSTRING(QStringLiteral("Genel"), QStringLiteral("a"), QStringLiteral("1"));
            },
            "ini"));
        EXPECT_FALSE(guard.hung()) << "a call waited on the pipe";
        EXPECT_EQ(value, QString());
        EXPECT_TRUE(section.isEmpty());
        EXPECT_FALSE(written);
        struct stat st {};
        ASSERT_EQ(::lstat(name.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & S_IFMT, pipe ? S_IFIFO : S_IFLNK);
    }
}

TEST(IniFile, PythonReadsOurValues)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("py.ini"));
    INIFILE ini(path);
    ASSERT_TRUE(ini.SETSTRING(QStringLiteral("Genel"), QStringLiteral("ad"), QStringLiteral("Şeker pancarı")));
    ASSERT_TRUE(ini.SETINT(QStringLiteral("Genel"), QStringLiteral("sayi"), -12));
    ASSERT_TRUE(ini.SETLOGIC(QStringLiteral("Diger"), QStringLiteral("acik"), false));
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import configparser,sys\n"
                             "c=configparser.ConfigParser(interpolation=None, delimiters=('=',))\n"
                             "c.read(sys.argv[1], encoding='cp1254')\n"
                             "sys.stdout.buffer.write(('%s|%s|%s' % (c['Genel']['ad'], c['Genel']['sayi'],"
                             " c['Diger']['acik'])).encode('utf-8'))\n"),
              path});
    ASSERT_TRUE(py.waitForFinished(30000));
    EXPECT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(py.readAllStandardOutput()), QStringLiteral("Şeker pancarı|-12|FALSE"));
}

}  // namespace
}  // namespace zeva
