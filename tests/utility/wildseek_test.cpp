// Wildcard patterns and the wildcard seek on a table's controlling order;
// the filter block.
#include "utility/wildseek.h"

#include "platform/codec.h"
#include "platform/dbserver.h"
#include "platform/ntx.h"
#include "utility/arrayserver.h"
#include "utility/filterblock.h"

#include "servertestutil.h"
#include "support/tempdir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace zeva;
using namespace zeva::test;

namespace {

using L = std::vector<int>;

TEST(WildPattern, Pos)
{
    const struct {
        const char* pattern;
        qsizetype pos;
    } cases[] = {{"AB?D*E", 3}, {"AB*D?E", 3}, {"AB?D", 3}, {"ABC", 0}, {"*X", 1}, {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(WILDPOS(QString::fromLatin1(c.pattern)), c.pos) << c.pattern;
}

TEST(WildPattern, Match)
{
    const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"SMITH", "S?ITH", true},       {"SMITH", "SM*", true},      {"SMITH", "*TH", true},
        {"SMITH", "SMIT", false},       {"SMITH     ", "SM*TH", false}, {"SMITH     ", "SM*TH*", true},
        {"", "*", true},                {"", "?", false},            {"", "", true},
        {"AB", "A?", true},             {"A", "A?", false},          {"SMITH", "SMITH", true},
        {"SMITH", "smith", false},      {"ABCBCD", "A*BCD", true},   {"ABCBCE", "A*BCD", false},
        {"AXBXC", "A*X*C", true},       {"AB", "A**B", true},        {"ABC", "*?C", true},
        {"C", "*?C", false},            {"MISSISSIPPI", "M*SS*PI", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WILDMATCH(QString::fromLatin1(c.text), QString::fromLatin1(c.pattern)), c.match)
            << c.text << " ~ " << c.pattern;
}

TEST(WildPattern, LongTextAgainstManyStarsFinishes)
{
    const QString text(60000, QLatin1Char('a'));
    QString pattern;
    for (int i = 0; i < 30; ++i)
        pattern += QStringLiteral("*a");
    pattern += QLatin1Char('b');
    EXPECT_FALSE(WILDMATCH(text, pattern));
    EXPECT_TRUE(WILDMATCH(text + QLatin1Char('b'), pattern));
}

// A table with one character key of width 5, records in the given order.
QString keyTable(const TempDir& dir, const QStringList& keys, const QList<int>& deleted = {})
{
    const QString path = dir.file("keys.dbf");
    DbfTable t({DbfField{"KOD", 'C', 5, 0}, DbfField{"SIRA", 'N', 3, 0}});
    for (int i = 0; i < keys.size(); ++i) {
        const int r = t.appendRecord();
        t.setValue(r, 0, keys.at(i));
        t.setValue(r, 1, QString::number(i + 1));
        t.setDeleted(r, deleted.contains(i + 1));
    }
    EXPECT_TRUE(writeDbfFile(path, t));
    return path;
}

TEST(WildSeek, OnTheControllingOrder)
{
    TempDir dir;
    DBSERVER db(keyTable(dir, {"SMITH", "SALT", "SMALL"}), true, true);
    ASSERT_TRUE(db.USED());
    ASSERT_TRUE(db.SETORDER("kod"));
    const struct {
        const char* pattern;
        bool found;
        const char* key;  // where the server rests; null at the end
    } cases[] = {
        {"SM*", true, "SMALL"},  {"SM*H", true, "SMITH"}, {"SX*", false, nullptr}, {"*TH", true, "SMITH"},
        {"S?A*", true, "SMALL"}, {"*", true, "SALT "},    {"SA?T", false, "SMALL"}, {"SA?T?", true, "SALT "},
        {"SM", true, "SMALL"},   {"SMZ", false, nullptr}, {"*Q*", false, nullptr},
    };
    for (const auto& c : cases) {
        db.GOTOP();
        EXPECT_EQ(WILDSEEK(db, QString::fromLatin1(c.pattern)), c.found) << c.pattern;
        if (c.key)
            EXPECT_EQ(db.ORDERKEYVAL().toString(), QString::fromLatin1(c.key)) << c.pattern;
        else
            EXPECT_TRUE(db.Eof()) << c.pattern;
    }
    // A pattern that is no text finds nothing.
    EXPECT_FALSE(WILDSEEK(db, 5));
}

TEST(WildSeek, ClientsHearOneMove)
{
    TempDir dir;
    DBSERVER db(keyTable(dir, {"SALT", "SMALL", "SMITH"}), true, true);
    db.SETORDER("KOD");
    NoticeRecorder rec(db);
    EXPECT_TRUE(WILDSEEK(db, QStringLiteral("*TH")));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataRecordChange}));
    EXPECT_EQ(db.suspensionCount(), 0);
    // A client refusing moves does not stop the seek: it is not asked.
    rec.refuse = true;
    db.GOTOP();
    EXPECT_TRUE(WILDSEEK(db, QStringLiteral("SMA*")));
    EXPECT_EQ(db.ORDERKEYVAL().toString(), QStringLiteral("SMALL"));
}

TEST(WildSeek, EmptyTableAndNoOrder)
{
    TempDir dir;
    DBSERVER db(keyTable(dir, {}), true, true);
    db.SETORDER("KOD");
    EXPECT_TRUE(db.ORDERKEYVAL().isNull());
    EXPECT_FALSE(WILDSEEK(db, QStringLiteral("*")));
    EXPECT_FALSE(WILDSEEK(db, QStringLiteral("A*")));
    EXPECT_TRUE(db.Eof());
    DBSERVER plain(keyTable(dir, {"A"}), true, true);
    EXPECT_FALSE(plain.SEEK(QStringLiteral("A")));
    EXPECT_FALSE(plain.SETORDER("SIRA"));  // not a character field
}

TEST(WildSeek, OrderKeysAreTheIndexFilesKeys)
{
    TempDir dir;
    const QStringList keys = {"ŞEKER", "ARPA", "ÇAVDA", "arpa", "ARPA", "Z", "İNCİR", "", "ARPA"};
    DBSERVER db(keyTable(dir, keys, {6}), true, true);
    ASSERT_TRUE(db.SETORDER("KOD"));

    QList<NtxKey> live;
    for (int r : db.table().liveRecords())
        live << NtxKey{cp1254::encode(db.table().value(r, 0)), quint32(r + 1)};
    ASSERT_TRUE(writeNtxFile(dir.file("keys.ntx"), "KOD", 5, live, false, "KOD"));
    QFile f(dir.file("keys.ntx"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    NtxHeader header;
    QList<NtxKey> parsed;
    ASSERT_TRUE(parseNtx(f.readAll(), &header, &parsed));
    const QList<NtxKey> ours = db.orderKeys();
    ASSERT_EQ(ours.size(), parsed.size());
    for (qsizetype i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(ours.at(i).key, parsed.at(i).key) << i;
        EXPECT_EQ(ours.at(i).record, parsed.at(i).record) << i;
    }
    // The walk follows the order: ARPA three times, by record number.
    db.GOTOP();
    EXPECT_TRUE(db.SEEK(QStringLiteral("ARPA")));
    QList<qint64> recnos;
    while (!db.Eof() && db.ORDERKEYVAL().toString().startsWith(QStringLiteral("ARPA"))) {
        recnos << db.RECNO();
        db.SKIP(1);
    }
    EXPECT_EQ(recnos, QList<qint64>({2, 5, 9}));
    EXPECT_TRUE(db.SEEK(QString::fromUtf8("Ş")));
    EXPECT_EQ(db.FIELDGET(2).toDouble(), 1.0);
}

TEST(DbServer, TypedFieldsAndWrites)
{
    TempDir dir;
    const QString path = dir.file("tipli.dbf");
    ASSERT_TRUE(DBSERVER::DBCREATE(path, {{"AD", "C", 5, 0}, {"SAYI", "N", 6, 2}, {"GUN", "D", 8, 0}, {"EVET", "L", 1, 0}}));
    {
        DBSERVER db(path);
        ASSERT_TRUE(db.USED());
        NoticeRecorder rec(db);
        EXPECT_TRUE(db.APPEND());
        EXPECT_TRUE(db.FIELDPUT(1, QString::fromUtf8("Çay")));
        EXPECT_TRUE(db.FIELDPUT(2, 1.25));
        EXPECT_TRUE(db.FIELDPUT(3, QDate(2023, 10, 29)));
        EXPECT_TRUE(db.FIELDPUT(4, true));
        EXPECT_FALSE(db.FIELDPUT(2, 1000.0));                 // wider than the field
        EXPECT_FALSE(db.FIELDPUT(2, QString("1")));           // not a number
        EXPECT_FALSE(db.FIELDPUT(1, QString::fromUtf8("Ā")));  // not Windows-1254
        EXPECT_EQ(rec.take(), L({2, 7, -1, -1, -1, -1}));
        EXPECT_EQ(db.FIELDGET(1), QVariant(QString::fromUtf8("Çay  ")));
        EXPECT_EQ(db.FIELDGET(2), QVariant(1.25));
        EXPECT_EQ(db.FIELDGET(3), QVariant(QDate(2023, 10, 29)));
        EXPECT_EQ(db.FIELDGET(4), QVariant(true));
        DbfTable before;
        ASSERT_TRUE(readDbfFile(path, &before));
        EXPECT_EQ(before.recordCount(), 0);  // written at COMMIT or CLOSE
        EXPECT_TRUE(db.CLOSE());
        EXPECT_FALSE(db.USED());
    }
    DBSERVER ro(path, true, true);
    EXPECT_EQ(ro.LASTREC(), 1);
    EXPECT_FALSE(ro.APPEND());
    EXPECT_FALSE(ro.FIELDPUT(2, 2.0));
    EXPECT_EQ(ro.FIELDPOS("sayi"), 2);
    EXPECT_TRUE(ro.SKIP(-5));
    EXPECT_TRUE(ro.Bof());
    EXPECT_EQ(ro.RECNO(), 1);
    EXPECT_TRUE(ro.SKIP(5));
    EXPECT_TRUE(ro.Eof());
    EXPECT_TRUE(ro.FIELDGET(1).isNull());
}

// ---------------------------------------------------------------- filter block

TEST(FilterBlock, EvaluatesWithItsObjectAndLetsGo)
{
    auto server = std::make_shared<ARRAYSERVER>(numberColumn(), numbered(2));
    std::weak_ptr<ARRAYSERVER> watch = server;
    FILTERBLOCK<ARRAYSERVER> atEnd(server, [](ARRAYSERVER& s) -> QVariant { return s.Eof(); });
    server->GOTOP();
    EXPECT_EQ(atEnd.EVAL(), QVariant(false));
    server->SKIP(1);
    EXPECT_EQ(atEnd.EVAL(), QVariant(false));
    server->SKIP(1);
    EXPECT_EQ(atEnd.EVAL(), QVariant(true));

    FILTERBLOCK<ARRAYSERVER> count(server, [](ARRAYSERVER& s) -> QVariant { return s.LASTREC(); });
    EXPECT_EQ(count.EVAL(), QVariant(qint64(2)));  // not made a logical

    server.reset();
    EXPECT_FALSE(watch.expired());
    atEnd.DESTROY();
    count.DESTROY();
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(atEnd.ODB);
    EXPECT_FALSE(atEnd.BEXPR);
    EXPECT_TRUE(atEnd.EVAL().isNull());
}

}  // namespace
