// Names that stand for no plain file: a named pipe, a device (a link to
// /dev/zero) or a folder where a table, an index or the settings file should
// be. Every reader answers at once, as for a file it cannot read, and leaves
// what stands at the name as it was.
#include "platform/dbf.h"
#include "platform/filefingerprint.h"
#include "platform/ntx.h"
#include "platform/regularfile.h"
#include "platform/settingsstore.h"

#include "support/hangguard.h"
#include "support/qstringprint.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace zeva {
namespace {

enum class Kind { Pipe, Device, Folder };

// Puts a thing of `kind` at `path`; "" on success.
QString place(Kind kind, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case Kind::Pipe:
        return ::mkfifo(name.constData(), 0644) == 0 ? QString() : QStringLiteral("mkfifo failed");
    case Kind::Device:
        return ::symlink("/dev/zero", name.constData()) == 0 ? QString() : QStringLiteral("symlink failed");
    case Kind::Folder:
        return QDir().mkdir(path) ? QString() : QStringLiteral("mkdir failed");
    }
    return QStringLiteral("?");
}

mode_t typeAt(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

struct Reader {
    const char* what;
    QString fileName;
    // Reads the name; answers what the reader said of it, "read" when it
    // took the name for a readable file.
    std::function<QString(const QString&)> read;
};

const Reader kReaders[] = {
    {"table", QStringLiteral("KULLANICIID.DBF"),
     [](const QString& path) {
         DbfTable t;
         QString error;
         return readDbfFile(path, &t, &error) ? QStringLiteral("read") : error;
     }},
    {"fingerprinted read", QStringLiteral("MATNRC.DBF"),
     [](const QString& path) {
         QByteArray bytes;
         FileFingerprint f;
         QString error;
         if (FileFingerprint::read(path, &bytes, &f, &error))
             return QStringLiteral("read");
         return f.wasRead() ? QStringLiteral("fingerprint of nothing read") : error;
     }},
    {"index", QStringLiteral("KULLIDX.NTX"),
     [](const QString& path) {
         NtxHeader h;
         QString error;
         return readNtxHeader(path, &h, &error) ? QStringLiteral("read") : error;
     }},
    {"settings", QStringLiteral("zeva.ini"),
     [](const QString& path) {
         FileSettingsStore store(path);
         const qint32 opened = store.openKey(HKEY_LOCAL_MACHINE, QString());
         // A change must not put a file in the pipe's place either.
         const qint32 created = store.createKey(HKEY_LOCAL_MACHINE, QStringLiteral("Software"));
         if (opened != SETTINGS_ACCESS_DENIED || created != SETTINGS_ACCESS_DENIED)
             return QStringLiteral("read (%1, %2)").arg(opened).arg(created);
         return plainFileRefusal(path, kMaxSettingsFileSize);
     }},
};

TEST(RegularFile, PipesDevicesAndFoldersAreRefusedAtOnce)
{
    const struct {
        Kind kind;
        const char* name;
        mode_t type;
    } kinds[] = {{Kind::Pipe, "pipe", S_IFIFO}, {Kind::Device, "device", S_IFCHR}, {Kind::Folder, "folder", S_IFDIR}};
    for (const auto& k : kinds) {
        for (const Reader& r : kReaders) {
            SCOPED_TRACE(std::string(k.name) + " at the " + r.what);
            test::TempDir tmp;
            const QString path = tmp.file(r.fileName);
            ASSERT_EQ(place(k.kind, path), QString());
            QString said;
            test::PipeGuard guard({path});
            ASSERT_TRUE(test::returnsPromptly([&] { said = r.read(path); }, r.what));
            EXPECT_FALSE(guard.hung()) << "the reader waited on the pipe";
            EXPECT_EQ(said, path + QStringLiteral(" normal bir dosya değil..."));
            EXPECT_EQ(typeAt(path), k.type) << "what stands at the name is left";
        }
    }
}

// Files larger than their kind can be are refused from their size alone
// (the files are sparse: nothing is written or read).
TEST(RegularFile, FilesBeyondTheirKindsSizeAreRefusedUnread)
{
    test::TempDir tmp;
    const struct {
        QString name;
        qint64 size;
        std::function<bool(const QString&)> read;
    } cases[] = {
        {QStringLiteral("zeva.ini"), kMaxSettingsFileSize + 1,
         [](const QString& p) { return FileSettingsStore(p).openKey(HKEY_LOCAL_MACHINE, QString()) == SETTINGS_OK; }},
        {QStringLiteral("BUYUK.DBF"), kMaxDataFileSize + 1,
         [](const QString& p) {
             DbfTable t;
             return readDbfFile(p, &t);
         }},
    };
    for (const auto& c : cases) {
        const QString path = tmp.file(c.name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(c.size));
        f.close();
        EXPECT_FALSE(c.read(path)) << c.name.toStdString();
        QByteArray bytes;
        QString error;
        EXPECT_EQ(readRegularFile(path, &bytes, c.size - 1, &error), FileRead::TooLarge);
        EXPECT_EQ(error, path + QStringLiteral(" dosyası çok büyük..."));
        EXPECT_TRUE(bytes.isEmpty());
    }
}

// The settings of a plain file, a missing one and a link to a plain file
// still read as before.
TEST(RegularFile, PlainFilesAndLinksToThemAreRead)
{
    test::TempDir tmp;
    const QString real = tmp.file(QStringLiteral("gercek.ini"));
    const QString link = tmp.file(QStringLiteral("bag.ini"));
    FileSettingsStore store(real);
    EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, QString()), SETTINGS_OK) << "a missing file is an empty tree";
    ASSERT_EQ(store.createKey(HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Z")), SETTINGS_OK);
    ASSERT_EQ(::symlink(QFile::encodeName(real).constData(), QFile::encodeName(link).constData()), 0);
    EXPECT_EQ(FileSettingsStore(link).openKey(HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Z")), SETTINGS_OK);
    QByteArray bytes;
    EXPECT_EQ(readRegularFile(link, &bytes), FileRead::Read);
    EXPECT_FALSE(bytes.isEmpty());
    EXPECT_EQ(readRegularFile(tmp.file(QStringLiteral("yok")), &bytes), FileRead::Missing);
    EXPECT_EQ(plainFileRefusal(link), QString());
}

}  // namespace
}  // namespace zeva
