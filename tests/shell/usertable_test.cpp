// The user table: creation at start, its index, the server's seek, the login
// check and the rules of the user and password dialog.
#include "shell/usertable.h"

#include "platform/atomicfile.h"
#include "support/fakeport.h"
#include "support/tempdir.h"
#include "usertestutil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace zeva;
using namespace zeva::test;

namespace {

const QString kTable = QStringLiteral("KULLANICIID.DBF");
const QString kIndex = QStringLiteral("KULLIDX.NTX");

QString pad20(const QString& s) { return s.leftJustified(20, QLatin1Char(' '), true); }

// The table as Debian's python3-dbfread reads it.
QJsonObject readWithDbfread(const QString& path, QString* error)
{
    const QString script = QStringLiteral(
        "import sys, json, dbfread\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')\n"
        "print(json.dumps({'version': t.header.dbversion,\n"
        "  'fields': [[f.name, f.type, f.length, f.decimal_count] for f in t.fields],\n"
        "  'records': [[r['KULL_ID'], r['PASSWORD']] for r in t]}))\n");
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
    if (!py.waitForFinished(60000) || py.exitCode() != 0) {
        *error = QString::fromUtf8(py.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(py.readAllStandardOutput()).object();
}

}  // namespace

TEST(UserText, TurkishCapitalsAndFolding)
{
    const struct {
        const char* in;
        const char* upper;
    } cases[] = {
        {"qave", "QAVE"},     {"ali", "ALİ"},       {"ılık", "ILIK"},     {"şeker", "ŞEKER"},
        {"çğöü", "ÇĞÖÜ"},     {"ÇĞİÖŞÜ", "ÇĞİÖŞÜ"}, {"wn83", "WN83"},     {" a b ", " A B "},
        {"ß", "ß"},           {"µ", "µ"},            {"ÿ", "Ÿ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(turkishUpper(QString::fromUtf8(c.in)), QString::fromUtf8(c.upper)) << c.in;

    // i, ı, I and İ are one letter when ids and passwords are compared.
    for (const char* same : {"ALI", "ALİ", "ali", "alı", "Alİ"})
        EXPECT_TRUE(sameUserText(QString::fromUtf8(same), QStringLiteral("ALI"))) << same;
    EXPECT_FALSE(sameUserText(QStringLiteral("ALI"), QStringLiteral("ALİ ")));
    EXPECT_FALSE(sameUserText(QString::fromUtf8("ŞU"), QStringLiteral("SU")));
}

TEST(UserTable, FreshFolderGetsTheTableWithTheDefaultUserAndAUniqueIndex)
{
    TempDir dir;
    FakePort port;
    ASSERT_TRUE(KONTPWDBF(port, dir.path()));
    EXPECT_TRUE(port.log.isEmpty());
    EXPECT_EQ(folderFiles(dir.path()), (QStringList{kTable, kIndex}));

    const QByteArray table = fileBytes(dir.file(kTable));
    ASSERT_FALSE(table.isEmpty());
    EXPECT_EQ(quint8(table.at(0)), 0x03);

    QString error;
    const QJsonObject read = readWithDbfread(dir.file(kTable), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(read.value(QStringLiteral("version")).toInt(), 3);
    const QJsonArray fields = read.value(QStringLiteral("fields")).toArray();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields.at(0).toArray(), (QJsonArray{QStringLiteral("KULL_ID"), QStringLiteral("C"), 20, 0}));
    EXPECT_EQ(fields.at(1).toArray(), (QJsonArray{QStringLiteral("PASSWORD"), QStringLiteral("C"), 20, 0}));
    EXPECT_EQ(read.value(QStringLiteral("records")).toArray(),
              (QJsonArray{QJsonValue(QJsonArray{QStringLiteral("QAVE"), QStringLiteral("WN83")})}));

    const WalkedIndex index = walkIndex(dir.file(kIndex));
    ASSERT_TRUE(index.ok);
    EXPECT_TRUE(index.unique);
    EXPECT_EQ(index.keyExpression, QByteArray("KULL_ID"));
    ASSERT_EQ(index.keys.size(), 1);
    EXPECT_EQ(index.keys.at(0), qMakePair(pad20(QStringLiteral("QAVE")), 1u));

    // A second start changes nothing.
    const QByteArray indexBytes = fileBytes(dir.file(kIndex));
    ASSERT_TRUE(KONTPWDBF(port, dir.path()));
    EXPECT_EQ(fileBytes(dir.file(kTable)), table);
    EXPECT_EQ(fileBytes(dir.file(kIndex)), indexBytes);
    EXPECT_EQ(folderFiles(dir.path()), (QStringList{kTable, kIndex}));
}

TEST(UserTable, MissingIndexIsRebuiltFromTheRecordsWithoutTheUniqueFlag)
{
    TempDir dir;
    writeUsers(dir.path(), {{QStringLiteral("ZEKİ"), QStringLiteral("1")},
                            {QStringLiteral("QAVE"), QStringLiteral("WN83")},
                            {QStringLiteral("ALİ"), QStringLiteral("2")},
                            {QStringLiteral("QAVE"), QStringLiteral("X")},
                            {QStringLiteral("ÇAĞRI"), QStringLiteral("3")}});
    const QByteArray table = fileBytes(dir.file(kTable));
    ASSERT_TRUE(QFile::remove(dir.file(kIndex)));

    FakePort port;
    ASSERT_TRUE(KONTPWDBF(port, dir.path()));
    EXPECT_EQ(fileBytes(dir.file(kTable)), table);
    const WalkedIndex index = walkIndex(dir.file(kIndex));
    ASSERT_TRUE(index.ok);
    EXPECT_FALSE(index.unique);
    // Byte order of Windows-1254: A < Q < Z < Ç; equal keys by record number.
    const QList<QPair<QString, quint32>> expected{
        {pad20(QStringLiteral("ALİ")), 3}, {pad20(QStringLiteral("QAVE")), 2}, {pad20(QStringLiteral("QAVE")), 4},
        {pad20(QStringLiteral("ZEKİ")), 1}, {pad20(QStringLiteral("ÇAĞRI")), 5}};
    EXPECT_EQ(index.keys, expected);
}

TEST(UserTable, NamesAreFoundInAnyLetterCase)
{
    TempDir dir;
    writeUsers(dir.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")}});
    ASSERT_TRUE(QFile::rename(dir.file(kTable), dir.file(QStringLiteral("KullaniciId.dbf"))));
    ASSERT_TRUE(QFile::rename(dir.file(kIndex), dir.file(QStringLiteral("kullidx.ntx"))));
    FakePort port;
    ASSERT_TRUE(KONTPWDBF(port, dir.path()));
    EXPECT_EQ(folderFiles(dir.path()), (QStringList{QStringLiteral("KullaniciId.dbf"), QStringLiteral("kullidx.ntx")}));

    KSERVER server(dir.path());
    ASSERT_TRUE(server.isOpen());
    EXPECT_TRUE(server.SEEK(QStringLiteral("QAVE")));
}

TEST(UserTable, FailuresAtStartAreToldAndChangeNothing)
{
    TempDir dir;
    FakePort port;
    // A folder that does not exist.
    EXPECT_FALSE(KONTPWDBF(port, dir.file(QStringLiteral("missing"))));
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes.at(0).text, kUserTableCreateError);
    EXPECT_FALSE(port.boxes.at(0).owned);

    // A table that is no table, without an index: reported, left as it is.
    QFile junk(dir.file(kTable));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a table");
    junk.close();
    port.boxes.clear();
    EXPECT_FALSE(KONTPWDBF(port, dir.path()));
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes.at(0).text, kUserTableOpenError);
    EXPECT_EQ(fileBytes(dir.file(kTable)), QByteArray("not a table"));
    EXPECT_EQ(folderFiles(dir.path()), QStringList{kTable});

    // A table without the two fields.
    DbfTable other({{QStringLiteral("ADI"), 'C', 10, 0}});
    ASSERT_TRUE(writeDbfFile(dir.file(kTable), other));
    port.boxes.clear();
    EXPECT_FALSE(KONTPWDBF(port, dir.path()));
    EXPECT_EQ(port.boxes.size(), 1);
    KSERVER server(dir.path());
    EXPECT_FALSE(server.isOpen());
}

TEST(UserTable, SeekMatchesTheWholeIdOnly)
{
    TempDir dir;
    writeUsers(dir.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")},
                            {QStringLiteral("QAVEX"), QStringLiteral("P2")},
                            {QStringLiteral("ALİ"), QStringLiteral("P3")},
                            {QStringLiteral("  LEAD"), QStringLiteral("P4")}});
    KSERVER server(dir.path());
    ASSERT_TRUE(server.isOpen());
    EXPECT_TRUE(server.SETORDER(1));
    EXPECT_FALSE(server.SETORDER(2));

    const struct {
        const char* sought;
        int record;  // 0: not found
    } cases[] = {
        {"QAVE", 1}, {"qave", 1}, {"  QAVE  ", 1}, {"QAVEX", 2}, {"Q", 0}, {"QAV", 0}, {"", 0}, {"   ", 0},
        {"ALİ", 3},  {"ALI", 3},  {"ali", 3},      {"alı", 3},   {"AL", 0}, {"LEAD", 0}, {"QAVEXY", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(server.SEEK(QString::fromUtf8(c.sought)), c.record > 0) << c.sought;
        EXPECT_EQ(server.RECNO(), c.record) << c.sought;
        EXPECT_EQ(server.atEnd(), c.record == 0) << c.sought;
    }
    server.GOTOP();
    EXPECT_EQ(server.KULL_ID(), pad20(QStringLiteral("  LEAD")));  // first in key order
}

TEST(UserTable, CloseWritesTheTableAndRebuildsTheIndexKeepingItsFlag)
{
    for (bool unique : {true, false}) {
        TempDir dir;
        writeUsers(dir.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")}}, unique);
        KSERVER server(dir.path());
        ASSERT_TRUE(server.isOpen());
        server.APPEND();
        server.KULL_ID(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        server.PASSWORD(QStringLiteral("SIR"));
        bool indexError = true;
        ASSERT_TRUE(server.CLOSE(nullptr, &indexError));
        EXPECT_FALSE(indexError);
        EXPECT_FALSE(server.isOpen());

        const auto users = storedUsers(dir.path());
        ASSERT_EQ(users.size(), 2);
        EXPECT_EQ(users.at(1), qMakePair(QStringLiteral("ABCDEFGHIJKLMNOPQRST"), pad20(QStringLiteral("SIR"))));
        const WalkedIndex index = walkIndex(dir.file(kIndex));
        ASSERT_TRUE(index.ok);
        EXPECT_EQ(index.unique, unique);
        EXPECT_EQ(index.keys, (QList<QPair<QString, quint32>>{{QStringLiteral("ABCDEFGHIJKLMNOPQRST"), 2},
                                                               {pad20(QStringLiteral("QAVE")), 1}}));
    }
}

TEST(UserTable, AFailedWriteKeepsBothFiles)
{
    TempDir dir;
    writeUsers(dir.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")}});
    const QByteArray table = fileBytes(dir.file(kTable));
    const QByteArray index = fileBytes(dir.file(kIndex));
    {
        KSERVER server(dir.path());
        server.SEEK(QStringLiteral("QAVE"));
        server.PASSWORD(QStringLiteral("NEW"));
        testhooks::failAtomicWrite(testhooks::WriteFault::Write);
        QString error;
        EXPECT_FALSE(server.CLOSE(&error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(fileBytes(dir.file(kTable)), table);
    EXPECT_EQ(fileBytes(dir.file(kIndex)), index);

    // Only the index fails: the table is written and the stale index goes, so
    // that the next start rebuilds it.
    {
        KSERVER server(dir.path());
        server.SEEK(QStringLiteral("QAVE"));
        server.PASSWORD(QStringLiteral("NEW"));
        testhooks::failAtomicWrite(testhooks::WriteFault::Rename, 1);
        bool indexError = false;
        EXPECT_TRUE(server.CLOSE(nullptr, &indexError));
        EXPECT_TRUE(indexError);
    }
    testhooks::clearAtomicWriteFault();
    EXPECT_EQ(storedUsers(dir.path()).at(0).second, pad20(QStringLiteral("NEW")));
    EXPECT_EQ(folderFiles(dir.path()), QStringList{kTable});
    FakePort port;
    EXPECT_TRUE(KONTPWDBF(port, dir.path()));
    EXPECT_TRUE(walkIndex(dir.file(kIndex)).ok);

    // Nothing changed: nothing written.
    const QByteArray now = fileBytes(dir.file(kTable));
    KSERVER reader(dir.path());
    reader.SEEK(QStringLiteral("QAVE"));
    EXPECT_TRUE(reader.CLOSE());
    EXPECT_EQ(fileBytes(dir.file(kTable)), now);
}

TEST(LogonCheck, AttemptsOverTheUserTable)
{
    TempDir dir;
    writeUsers(dir.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")},
                            {QStringLiteral("ALİ"), QStringLiteral("  GİZLİ")},
                            {QStringLiteral("BOŞ"), QString()}});
    using O = LogonAttempts::Outcome;
    const struct {
        const char* name;
        const char* password;
        bool ok;
        const char* id;  // LOGONID afterwards
        bool message;    // "Geçersiz giriş teşebbüsü!"
    } cases[] = {
        {"QAVE", "WN83", true, "QAVE", false},
        {"qave", "WN83", true, "QAVE", false},
        {"  QAVE ", " WN83  ", true, "QAVE", false},
        {"QAVE", "wn83", true, "QAVE", false},
        {"QAVE", "WN8", false, "QAVE", true},  // the found id stays, as the login keeps it
        {"Q", "WN83", false, "", true},
        {"QAV", "WN83", false, "", true},
        {"", "WN83", false, "", false},
        {"   ", "", false, "", false},
        {"ali", "GİZLİ", true, "ALİ", false},
        {"ALI", "GIZLI", true, "ALİ", false},
        {"BOŞ", "", true, "BOŞ", false},
        {"NOBODY", "WN83", false, "", true},
    };
    for (const auto& c : cases) {
        FakePort port;
        LogonAttempts a;
        const O outcome = a.attempt(port, dir.path(), QString::fromUtf8(c.name), QString::fromUtf8(c.password));
        EXPECT_EQ(outcome, c.ok ? O::LoggedOn : O::TryAgain) << c.name << "/" << c.password;
        EXPECT_EQ(a.LOGONOK, c.ok) << c.name;
        EXPECT_EQ(a.LOGONID, *c.id ? pad20(QString::fromUtf8(c.id)) : QString()) << c.name;
        EXPECT_EQ(port.boxTexts(BOX_ERROR),
                  c.message ? QStringList{QStringLiteral("Geçersiz giriş teşebbüsü!")} : QStringList())
            << c.name;
        EXPECT_EQ(a.NLOGONTRY, c.ok ? 1 : 2) << c.name;
    }
}

TEST(LogonCheck, ThirdFailureEndsWithoutAMessageAndAnUnreadableTableCounts)
{
    TempDir dir;
    writeUsers(dir.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")}});
    FakePort port;
    LogonAttempts a;
    using O = LogonAttempts::Outcome;
    EXPECT_EQ(a.attempt(port, dir.path(), QStringLiteral("X"), QStringLiteral("Y")), O::TryAgain);
    EXPECT_EQ(a.attempt(port, dir.path(), QString(), QString()), O::TryAgain);
    EXPECT_EQ(a.attempt(port, dir.path(), QStringLiteral("X"), QStringLiteral("Y")), O::Failed);
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{QStringLiteral("Geçersiz giriş teşebbüsü!")});
    EXPECT_FALSE(a.LOGONOK);
    a.cancel();
    EXPECT_TRUE(a.LOGONID.isEmpty());

    FakePort port2;
    LogonAttempts b;
    EXPECT_EQ(b.attempt(port2, dir.file(QStringLiteral("none")), QStringLiteral("QAVE"), QStringLiteral("WN83")),
              O::TryAgain);
    EXPECT_EQ(port2.boxTexts(BOX_ERROR), QStringList{kUserTableOpenError});
    EXPECT_EQ(b.NLOGONTRY, 2);
    // Once the table is back the next attempt succeeds.
    EXPECT_EQ(b.attempt(port2, dir.path(), QStringLiteral("QAVE"), QStringLiteral("WN83")), O::LoggedOn);
}
