#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/dbserver.h"

#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace zeva;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}


int byteAt(const QByteArray& b, int at) { return static_cast<unsigned char>(b.at(at)); }

DbfTable sampleTable()
{
    DbfTable t({{QStringLiteral("ADI"), 'C', 15, 0},
                {QStringLiteral("UZUN"), 'C', 1020, 0},
                {QStringLiteral("TUTAR"), 'N', 8, 2},
                {QStringLiteral("TARIH"), 'D', 8, 0},
                {QStringLiteral("VAR"), 'L', 1, 0}});
    const int a = t.appendRecord();
    t.setValue(a, QStringLiteral("ADI"), QStringLiteral("Şeker pancarı"));
    t.setValue(a, QStringLiteral("uzun"), QStringLiteral("1.2,,3.4,"));
    t.setValue(a, QStringLiteral("TUTAR"), DbfTable::numberText(12.5, 8, 2));
    t.setValue(a, QStringLiteral("TARIH"), DbfTable::dateText(QDate(2024, 3, 1)));
    t.setValue(a, QStringLiteral("VAR"), DbfTable::logicalText(true));
    const int b = t.appendRecord();
    t.setValue(b, 0, QStringLiteral("Silinen"));
    t.setDeleted(b, true);
    const int c = t.appendRecord();
    t.setValue(c, 0, QStringLiteral("  ARPA"));
    t.setValue(c, 2, QStringLiteral("123456789"));  // does not fit: asterisks
    return t;
}

}  // namespace

TEST(Dbf, LayoutOfTheFileImage)
{
    DbfTable t = sampleTable();
    t.setLastUpdate(QDate(2024, 5, 17));
    const QByteArray b = t.toBytes();
    const int headerLen = 32 + 5 * 32 + 1;
    const int recordLen = 1 + 15 + 1020 + 8 + 8 + 1;
    EXPECT_EQ(byteAt(b, 0), 0x03);
    EXPECT_EQ(byteAt(b, 1), 124);  // 2024
    EXPECT_EQ(byteAt(b, 2), 5);
    EXPECT_EQ(byteAt(b, 3), 17);
    EXPECT_EQ(byteAt(b, 4), 3);  // records, deleted one included
    EXPECT_EQ(byteAt(b, 8) | (byteAt(b, 9) << 8), headerLen);
    EXPECT_EQ(byteAt(b, 10) | (byteAt(b, 11) << 8), recordLen);
    EXPECT_EQ(byteAt(b, 29), 0xCA);
    // Second descriptor: the 1020-wide character field, FC 03.
    EXPECT_EQ(b.mid(64, 11), QByteArray("UZUN\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(b.at(64 + 11), 'C');
    EXPECT_EQ(byteAt(b, 64 + 16), 0xFC);
    EXPECT_EQ(byteAt(b, 64 + 17), 0x03);
    // Numeric field: width and decimals as they are.
    EXPECT_EQ(byteAt(b, 96 + 16), 8);
    EXPECT_EQ(byteAt(b, 96 + 17), 2);
    EXPECT_EQ(b.at(headerLen - 1), '\x0D');
    ASSERT_EQ(b.size(), headerLen + 3 * recordLen + 1);
    EXPECT_EQ(b.back(), '\x1A');

    const QByteArray first = b.mid(headerLen, recordLen);
    EXPECT_EQ(first.at(0), ' ');
    EXPECT_EQ(first.mid(1, 15), QByteArray("\xDE" "eker pancar\xFD" "  "));  // Windows-1254
    EXPECT_EQ(first.mid(1 + 15, 9), QByteArray("1.2,,3.4,"));
    EXPECT_EQ(first.mid(1 + 15 + 1020, 17), QByteArray("   12.5020240301T"));
    EXPECT_EQ(b.at(headerLen + recordLen), '*');
    EXPECT_EQ(b.mid(headerLen + 2 * recordLen + 1 + 15 + 1020, 8), QByteArray("********"));
}

TEST(Dbf, RoundTripKeepsCellsExactly)
{
    const DbfTable t = sampleTable();
    DbfTable back;
    QString error;
    ASSERT_TRUE(DbfTable::fromBytes(t.toBytes(), &back, &error)) << error.toStdString();
    ASSERT_EQ(back.fieldCount(), 5);
    EXPECT_EQ(back.fields().at(1).length, 1020);
    EXPECT_EQ(back.fields().at(2).decimals, 2);
    EXPECT_EQ(back.recordCount(), 3);
    EXPECT_EQ(back.liveRecords(), (QList<int>{0, 2}));
    EXPECT_TRUE(back.isDeleted(1));
    EXPECT_EQ(back.value(0, 0), QStringLiteral("Şeker pancarı  "));
    EXPECT_EQ(back.value(0, 1), QStringLiteral("1.2,,3.4,").leftJustified(1020));
    EXPECT_EQ(back.value(0, 2), QStringLiteral("   12.50"));  // leading blanks kept
    EXPECT_EQ(DbfTable::dateValue(back.value(0, 3)), QDate(2024, 3, 1));
    EXPECT_TRUE(DbfTable::logicalValue(back.value(0, 4)));
    EXPECT_EQ(back.value(2, 0), QStringLiteral("  ARPA         "));
    // A table read and written again is the same file.
    back.setLastUpdate(QDate(2024, 5, 17));
    DbfTable again = t;
    again.setLastUpdate(QDate(2024, 5, 17));
    EXPECT_EQ(back.toBytes(), again.toBytes());
}

TEST(Dbf, CodePageMarkDoesNotChangeTheText)
{
    QByteArray b = sampleTable().toBytes();
    for (char mark : {'\x00', '\x57'}) {
        b[29] = mark;
        DbfTable t;
        ASSERT_TRUE(DbfTable::fromBytes(b, &t));
        EXPECT_EQ(t.value(0, 0), QStringLiteral("Şeker pancarı  "));
    }
}

TEST(Dbf, FieldNamesAreWindows1254AndReadBackAsWritten)
{
    DbfTable t({{QStringLiteral("çığ"), 'C', 3, 0}, {QStringLiteral("ABCDEFGHI JK"), 'C', 1, 0}});
    t.setLastUpdate(QDate(2024, 5, 17));
    const QByteArray b = t.toBytes();
    EXPECT_EQ(b.mid(32, 11), QByteArray("\xC7I\xD0\0\0\0\0\0\0\0\0", 11));
    // Cut to ten characters, the blank left at the end is not part of the name.
    EXPECT_EQ(b.mid(64, 11), QByteArray("ABCDEFGHI\0\0", 11));
    DbfTable back;
    ASSERT_TRUE(DbfTable::fromBytes(b, &back));
    EXPECT_EQ(back.fields().at(0).name, QStringLiteral("ÇIĞ"));
    EXPECT_EQ(back.fields().at(1).name, QStringLiteral("ABCDEFGHI"));
    back.setLastUpdate(QDate(2024, 5, 17));
    EXPECT_EQ(back.toBytes(), b);
}

// A header that does not describe the bytes after it is refused, whichever
// part of it lies; only the end-of-file byte may be missing.
TEST(Dbf, MalformedImagesAreRefused)
{
    const QByteArray good = sampleTable().toBytes();
    const int headerLen = 32 + 5 * 32 + 1;
    const int recordLen = 1 + 15 + 1020 + 8 + 8 + 1;
    auto patched = [&](std::initializer_list<std::pair<int, char>> bytes) {
        QByteArray b = good;
        for (auto [at, value] : bytes)
            b[at] = value;
        return b;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case refused[] = {
        {"zero-length file", QByteArray()},
        {"shorter than a header", QByteArray(20, '\x03')},
        {"cut inside the descriptors", good.left(100)},
        {"cut inside the second record", good.left(headerLen + recordLen + 10)},
        {"cut after the first record", good.left(headerLen + recordLen)},
        {"no terminator", patched({{headerLen - 1, 'X'}})},
        {"header length beyond the file", patched({{8, '\xFF'}, {9, '\xFF'}})},
        {"record length shorter than the fields", patched({{10, 5}, {11, 0}})},
        {"record length longer than the fields", patched({{10, static_cast<char>((recordLen + 1) & 0xFF)}})},
        {"field wider than stated", patched({{32 + 16, 16}})},
        {"field of width 0", patched({{32 + 16, 0}})},
        {"more records stated than there are", patched({{4, '\x7F'}})},
        {"plain text", QByteArray("plain text, not a table at all..")},
    };
    for (const Case& c : refused) {
        DbfTable t;
        QString error;
        EXPECT_FALSE(DbfTable::fromBytes(c.bytes, &t, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }

    DbfTable t;
    ASSERT_TRUE(DbfTable::fromBytes(good.left(good.size() - 1), &t));  // no end-of-file byte
    EXPECT_EQ(t.recordCount(), 3);
}

// Bytes after the records the header counts are not part of the table: a
// count that lags behind the records, a partial record at the end or stray
// bytes after the end-of-file mark. The counted records are read, and the
// table writes back clean.
TEST(Dbf, BytesBeyondTheCountedRecordsAreIgnored)
{
    DbfTable sample = sampleTable();
    sample.setLastUpdate(QDate(2024, 3, 7));
    const QByteArray good = sample.toBytes();
    const int headerLen = 32 + 5 * 32 + 1;
    const int recordLen = 1 + 15 + 1020 + 8 + 8 + 1;
    QByteArray lagging = good;
    lagging[4] = 2;
    const QByteArray body = good.left(good.size() - 1);  // without the end-of-file byte
    struct Case {
        const char* what;
        QByteArray bytes;
        int records;
    };
    const Case cases[] = {
        {"count lags one record behind", lagging, 2},
        {"partial record after the last one", body + good.mid(headerLen, recordLen / 2), 3},
        {"one whole record after the counted ones", body + good.mid(headerLen, recordLen) + '\x1A', 3},
        {"37 stray bytes after the end-of-file byte", good + QByteArray(37, 'x'), 3},
        {"stray bytes without an end-of-file byte", body + QByteArray("\r\n\0\0", 4), 3},
    };
    for (const Case& c : cases) {
        DbfTable t;
        QString error;
        ASSERT_TRUE(DbfTable::fromBytes(c.bytes, &t, &error)) << c.what << ": " << error.toStdString();
        ASSERT_EQ(t.recordCount(), c.records) << c.what;
        ASSERT_EQ(t.fieldCount(), 5) << c.what;
        for (int r = 0; r < c.records; ++r) {
            EXPECT_EQ(t.isDeleted(r), sample.isDeleted(r)) << c.what;
            for (int f = 0; f < 5; ++f)
                EXPECT_EQ(t.value(r, f), sample.value(r, f)) << c.what << " record " << r << " field " << f;
        }
        // Written back: the header counts what follows, one end-of-file byte.
        QByteArray want = good.left(headerLen + c.records * recordLen) + '\x1A';
        want[4] = static_cast<char>(c.records);
        EXPECT_TRUE(t.toBytes() == want) << c.what;
    }
}

TEST(Dbf, FileNamesAndLetterCase)
{
    test::TempDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("Data")));
    const DbfTable t = sampleTable();
    // The name is kept as given.
    ASSERT_TRUE(writeDbfFile(tmp.file(QStringLiteral("Data/X.ZVF")), t));
    EXPECT_TRUE(QFile::exists(tmp.file(QStringLiteral("Data/X.ZVF"))));

    // Another spelling finds the file and rewrites it in place, never beside it.
    const QString other = tmp.file(QStringLiteral("data/x.zvf"));
    EXPECT_EQ(findExistingPath(other), tmp.file(QStringLiteral("Data/X.ZVF")));
    DbfTable read;
    ASSERT_TRUE(readDbfFile(other, &read));
    EXPECT_EQ(read.recordCount(), 3);
    read.appendRecord();
    ASSERT_TRUE(writeDbfFile(other, read));
    EXPECT_EQ(QDir(tmp.file(QStringLiteral("Data"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("X.ZVF")});
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Data")});
    ASSERT_TRUE(readDbfFile(tmp.file(QStringLiteral("Data/X.ZVF")), &read));
    EXPECT_EQ(read.recordCount(), 4);

    EXPECT_TRUE(findExistingPath(tmp.file(QStringLiteral("Data/Y.ZVF"))).isEmpty());
    EXPECT_EQ(pathForWriting(tmp.file(QStringLiteral("data/Y.ZVF"))), tmp.file(QStringLiteral("Data/Y.ZVF")));
    QString error;
    EXPECT_FALSE(readDbfFile(tmp.file(QStringLiteral("Data/Y.ZVF")), &read, &error));
}

TEST(Dbf, FailedWriteLeavesTheOldFileWhole)
{
    test::TempDir tmp;
    const QString path = tmp.file(QStringLiteral("T.DBF"));
    ASSERT_TRUE(writeDbfFile(path, sampleTable()));
    const QByteArray before = readBytes(path);
    DbfTable changed = sampleTable();
    changed.appendRecord();

    for (auto stage : {testhooks::WriteFault::Write, testhooks::WriteFault::Rename}) {
        testhooks::failAtomicWrite(stage);
        QString error;
        EXPECT_FALSE(writeDbfFile(path, changed, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(path), before);
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("T.DBF")});
    }
    // The fault strikes once; `skip` lets earlier writes through.
    testhooks::failAtomicWrite(testhooks::WriteFault::Write, 1);
    EXPECT_TRUE(writeFileAtomically(tmp.file(QStringLiteral("a")), "1"));
    EXPECT_FALSE(writeFileAtomically(tmp.file(QStringLiteral("b")), "2"));
    EXPECT_FALSE(testhooks::atomicWriteFaultPending());
    EXPECT_TRUE(writeFileAtomically(tmp.file(QStringLiteral("b")), "2"));

    // A folder standing at the target's name is not replaced.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("D.DBF")));
    EXPECT_FALSE(writeDbfFile(tmp.file(QStringLiteral("D.DBF")), changed));
}

// The header's lengths are 16 bits: 2046 fields fill it, and a record is at
// most 65535 bytes. A table beyond either is refused before anything is
// written (no reader could open it); one at the limits is written, and read
// back here and by an independent reader (python3-dbfread).
TEST(Dbf, NoTableItsHeaderCannotDescribe)
{
    test::TempDir tmp;
    auto narrow = [](int count) {
        QList<DbfField> fields;
        for (int i = 0; i < count; ++i)
            fields << DbfField{QStringLiteral("F%1").arg(i), 'C', 1, 0};
        return fields;
    };
    auto withRecord = [](QList<DbfField> fields) {
        DbfTable t(std::move(fields));
        t.setValue(t.appendRecord(), 0, QStringLiteral("x"));
        return t;
    };
    const struct {
        const char* name;
        QList<DbfField> fields;
        bool written;
    } cases[] = {
        {"2046 fields", narrow(2046), true},
        {"2047 fields", narrow(2047), false},
        {"a record of 65535 bytes", {{QStringLiteral("A"), 'C', 65534, 0}}, true},
        {"a record of 65536 bytes", {{QStringLiteral("A"), 'C', 65534, 0}, {QStringLiteral("B"), 'C', 1, 0}}, false},
    };
    const QString path = tmp.file(QStringLiteral("T.DBF"));
    const QString kept = tmp.file(QStringLiteral("ESKI.DBF"));
    ASSERT_TRUE(writeDbfFile(kept, sampleTable()));
    const QByteArray old = readBytes(kept);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QString error;
        EXPECT_EQ(writeDbfFile(path, withRecord(c.fields), &error), c.written);
        DbStructure columns;
        for (const DbfField& f : c.fields)
            columns << DbColumn{f.name, QStringLiteral("C"), f.length, 0};
        EXPECT_EQ(DBSERVER::canCreate(columns), c.written);
        if (!c.written) {
            EXPECT_FALSE(error.isEmpty());
            EXPECT_FALSE(QFile::exists(path));
            EXPECT_FALSE(writeDbfFile(kept, withRecord(c.fields)));
            EXPECT_EQ(readBytes(kept), old);
            EXPECT_FALSE(DBSERVER::DBCREATE(path, columns));
            EXPECT_FALSE(QFile::exists(path));
            continue;
        }
        DbfTable back;
        ASSERT_TRUE(readDbfFile(path, &back, &error)) << error.toStdString();
        EXPECT_EQ(back.fieldCount(), c.fields.size());
        EXPECT_EQ(back.value(0, 0).trimmed(), QStringLiteral("x"));
        QProcess py;
        py.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, dbfread\n"
                                 "t = dbfread.DBF(sys.argv[1], encoding='cp1254')\n"
                                 "r = list(t)\n"
                                 "print(len(t.fields), len(r), list(r[0].values())[0])\n"),
                  path});
        ASSERT_TRUE(py.waitForFinished(60000));
        ASSERT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
        EXPECT_EQ(py.readAllStandardOutput().trimmed(), QStringLiteral("%1 1 x").arg(c.fields.size()).toUtf8());
    }
}

// A table written by an independent writer (Debian's python3-dbf) is read
// here with the same fields and cells.
TEST(Dbf, ReadsTableOfAnotherWriter)
{
    test::TempDir tmp;
    const QString script = QStringLiteral(R"PY(
import sys, os, datetime, dbf
base = sys.argv[1]
t = dbf.Table(base, 'ADI C(15); UZUN C(1020); TUTAR N(8,2); TARIH D; VAR L', dbf_type='clp', codepage='cp1254')
t.open(dbf.READ_WRITE)
t.append(('Şeker pancarı', 'x' * 300 + 'ĞÜŞ', 12.5, datetime.date(2024, 3, 1), True))
t.append(('Silinen', '', 0, None, False))
t.append(('Mısır', 'a, b', -3.25, datetime.date(1999, 12, 31), False))
dbf.delete(t[1])
t.close()
os.rename(base + '.dbf', base + '.ZVF')
)PY");
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, tmp.file(QStringLiteral("DIS"))});
    ASSERT_TRUE(py.waitForFinished(60000));
    ASSERT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();

    DbfTable t;
    QString error;
    ASSERT_TRUE(readDbfFile(tmp.file(QStringLiteral("DIS.ZVF")), &t, &error)) << error.toStdString();
    ASSERT_EQ(t.fieldCount(), 5);
    EXPECT_EQ(t.fields().at(0).name, QStringLiteral("ADI"));
    EXPECT_EQ(t.fields().at(1).length, 1020);
    EXPECT_EQ(t.fields().at(2).type, 'N');
    EXPECT_EQ(t.fields().at(2).decimals, 2);
    EXPECT_EQ(t.liveRecords(), (QList<int>{0, 2}));
    EXPECT_EQ(t.value(0, QStringLiteral("ADI")), QStringLiteral("Şeker pancarı  "));
    EXPECT_EQ(t.value(0, QStringLiteral("UZUN")), (QString(300, QLatin1Char('x')) + QStringLiteral("ĞÜŞ")).leftJustified(1020));
    EXPECT_EQ(t.value(0, QStringLiteral("TUTAR")), QStringLiteral("   12.50"));
    EXPECT_EQ(t.value(2, QStringLiteral("TUTAR")), QStringLiteral("   -3.25"));
    EXPECT_EQ(t.value(2, QStringLiteral("UZUN")), QStringLiteral("a, b").leftJustified(1020));
    EXPECT_EQ(DbfTable::dateValue(t.value(2, QStringLiteral("TARIH"))), QDate(1999, 12, 31));
    EXPECT_TRUE(DbfTable::logicalValue(t.value(0, QStringLiteral("VAR"))));
    EXPECT_FALSE(DbfTable::logicalValue(t.value(2, QStringLiteral("VAR"))));
}

namespace {

// A table image as another writer makes it: version 0x30, lower-case names,
// a flag byte in a descriptor, each field's place in the record in bytes
// 12-15 (zero when `places` is false), and a 263-byte block between the
// field list and the records.
QByteArray foreignImage(bool places)
{
    struct F {
        const char* name;
        char type;
        int length;
        int decimals;
        char flag;
    };
    const F fields[] = {{"adi", 'C', 6, 0, 0}, {"Tutar", 'N', 7, 2, 0x04}, {"not", 'C', 300, 0, 0}};
    QByteArray head(32, '\0');
    head[0] = '\x30';
    head[1] = 124;
    head[2] = 5;
    head[3] = 17;
    head[4] = 2;
    head[29] = '\x57';
    int place = 1;
    for (const F& f : fields) {
        QByteArray d(32, '\0');
        d.replace(0, int(qstrlen(f.name)), f.name);
        d[11] = f.type;
        if (places)
            d[12] = char(place);
        d[16] = char(f.length & 0xFF);
        d[17] = char(f.type == 'C' ? f.length >> 8 : f.decimals);
        d[18] = f.flag;
        head += d;
        place += f.length;
    }
    head += '\x0D';
    head += QByteArray(263, '\x11');
    head[8] = char(head.size() & 0xFF);
    head[9] = char(head.size() >> 8);
    head[10] = char(place & 0xFF);
    head[11] = char(place >> 8);
    return head + " Arpa    10.50" + QByteArray(300, 'x') + "*Sil     -1.25" + QByteArray(300, 'y') + "\x1A";
}

}  // namespace

// A column added to or taken from a table another writer made: the other
// columns keep their descriptors byte for byte and their cells, the header
// its version, mark and the block after the field list; the places in the
// record are set anew where the writer keeps them.
TEST(Dbf, AColumnChangedKeepsTheOtherColumnsAsTheyWere)
{
    for (const bool places : {true, false}) {
        SCOPED_TRACE(places ? "places kept" : "no places");
        const QByteArray image = foreignImage(places);
        const int oldHeader = 32 + 3 * 32 + 1 + 263;
        DbfTable t;
        ASSERT_TRUE(DbfTable::fromBytes(image, &t));
        ASSERT_EQ(t.fieldCount(), 3);
        const auto descriptor = [](const QByteArray& b, int i) { return b.mid(32 * (i + 1), 32); };
        const auto place = [](const QByteArray& b, int i) {
            return byteAt(b, 32 * (i + 1) + 12) | byteAt(b, 32 * (i + 1) + 13) << 8;
        };

        // Inserted before "Tutar".
        const std::optional<DbfTable> wider = t.withColumnChanged(1, DbfField{QStringLiteral("yeni"), 'C', 11, 0});
        ASSERT_TRUE(wider.has_value());
        const QByteArray b = wider->toBytes();
        const int header = oldHeader + 32;
        const int record = 1 + 6 + 11 + 7 + 300;
        ASSERT_EQ(b.size(), header + 2 * record + 1);
        EXPECT_EQ(b.left(8), image.left(8));
        EXPECT_EQ(byteAt(b, 8) | byteAt(b, 9) << 8, header);
        EXPECT_EQ(byteAt(b, 10) | byteAt(b, 11) << 8, record);
        EXPECT_EQ(b.mid(12, 20), image.mid(12, 20));
        EXPECT_EQ(descriptor(b, 0), descriptor(image, 0));
        EXPECT_EQ(b.mid(64, 12), QByteArray("YENI\0\0\0\0\0\0\0C", 12));
        EXPECT_EQ(byteAt(b, 64 + 16), 11);
        for (int i = 1; i < 3; ++i) {
            QByteArray expected = descriptor(image, i);
            QByteArray got = descriptor(b, i + 1);
            EXPECT_EQ(got.remove(12, 4), expected.remove(12, 4)) << i;
        }
        const QList<int> placesWritten{place(b, 0), place(b, 1), place(b, 2), place(b, 3)};
        EXPECT_EQ(placesWritten, places ? QList<int>({1, 7, 18, 25}) : QList<int>({0, 0, 0, 0}));
        EXPECT_EQ(b.mid(header - 264, 264), image.mid(oldHeader - 264, 264));  // terminator and block
        const QByteArray blank(11, ' ');
        EXPECT_EQ(b.mid(header, record), " Arpa  " + blank + "  10.50" + QByteArray(300, 'x'));
        EXPECT_EQ(b.mid(header + record, record), "*Sil   " + blank + "  -1.25" + QByteArray(300, 'y'));
        DbfTable back;
        ASSERT_TRUE(DbfTable::fromBytes(b, &back));
        ASSERT_EQ(back.fieldCount(), 4);
        EXPECT_EQ(back.fields().at(1).name, QStringLiteral("YENI"));
        EXPECT_EQ(back.fields().at(2).name, QStringLiteral("Tutar"));
        EXPECT_EQ(back.fields().at(2).decimals, 2);
        EXPECT_EQ(back.value(0, 3), QString(300, QLatin1Char('x')));

        // "Tutar" taken out: the file the writer would have made without it.
        const std::optional<DbfTable> narrower = t.withColumnChanged(1, std::nullopt);
        ASSERT_TRUE(narrower.has_value());
        const QByteArray n = narrower->toBytes();
        ASSERT_EQ(n.size(), oldHeader - 32 + 2 * (1 + 6 + 300) + 1);
        EXPECT_EQ(descriptor(n, 0), descriptor(image, 0));
        EXPECT_EQ(descriptor(n, 1).remove(12, 4), descriptor(image, 2).remove(12, 4));
        EXPECT_EQ(place(n, 1), places ? 7 : 0);
        EXPECT_EQ(n.mid(oldHeader - 32, 7), QByteArray(" Arpa  "));
        EXPECT_EQ(n.mid(oldHeader - 32 + 307, 7), QByteArray("*Sil   "));

        EXPECT_FALSE(t.withColumnChanged(3, std::nullopt).has_value());
        EXPECT_FALSE(t.withColumnChanged(4, DbfField{QStringLiteral("X"), 'C', 1, 0}).has_value());
        EXPECT_TRUE(t.withColumnChanged(3, DbfField{QStringLiteral("X"), 'C', 1, 0}).has_value());
    }
}
