// The array server's text and table imports and exports.
#include "utility/arrayserver.h"

#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/dbserver.h"

#include "servertestutil.h"
#include "support/tempdir.h"
#include "support/files.h"
#include "support/hangguard.h"
#include "support/unprivileged.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace zeva;
using namespace zeva::test;

namespace {

using test::readAll;
using test::writeAll;

using L = std::vector<int>;

DbStructure abStructure()
{
    return {{"NAME", "C", 4, 0}, {"QTY", "N", 6, 2}, {"OK", "L", 1, 0}};
}

ArrayDataPtr abRow()
{
    return tableOf({{QString("AB"), 3.5, true}});
}

QList<QVariantList> rowsOf(const ARRAYSERVER& s)
{
    QList<QVariantList> rows;
    for (const ArrayRow& r : *s.DATA())
        rows << *r;
    return rows;
}

TEST(ArrayServerExport, SdfAndDelimitedLines)
{
    TempDir dir;
    ARRAYSERVER s(abStructure(), abRow());
    NoticeRecorder rec(s);
    const QString sdf = dir.file("a.txt");
    writeAll(sdf, QByteArray(200, 'z'));  // an older, longer file
    EXPECT_TRUE(s.COPYSDF(sdf));
    EXPECT_EQ(readAll(sdf), QByteArray("AB    3.50T\r\n"));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataFileChange}));

    const QString csv = dir.file("a.csv");
    EXPECT_TRUE(s.COPYDELIMITED(csv, QLatin1Char(';')));
    EXPECT_EQ(readAll(csv), QByteArray("AB  ;  3.50;T\r\n"));
    EXPECT_TRUE(s.COPYDELIMITED(csv));
    EXPECT_EQ(readAll(csv), QByteArray("AB  ,  3.50,T\r\n"));
}

TEST(ArrayServerExport, EveryRowOfTheDataNotTheBuffer)
{
    TempDir dir;
    ARRAYSERVER s({{"N", "N", 3, 0}}, numbered(3));
    s.GOTO(2);
    s.DELETE();
    s.SETFILTER([](ARRAYSERVER& sv, const ArrayData&) -> QVariant { return sv.RECNO() != 3; });
    s.FIELDPUT(1, 9.0);  // pending on row 1
    EXPECT_TRUE(s.COPYSDF(dir.file("n.txt")));
    EXPECT_EQ(readAll(dir.file("n.txt")), QByteArray("  1\r\n  2\r\n  3\r\n"));
    EXPECT_EQ(s.FIELDGET(1).toDouble(), 9.0);
}

TEST(ArrayServerExport, FailuresKeepTheOldFile)
{
    TempDir dir;
    const QString path = dir.file("keep.txt");
    const struct {
        const char* name;
        QVariantList row;
        bool inject;
    } cases[] = {
        {"injected write failure", {QString("AB"), 3.5, true}, true},
        {"a letter Windows-1254 lacks", {QString::fromUtf8("Ā"), 1.0, true}, false},
        {"a number wider than its column", {QString("AB"), 12345.0, true}, false},
        {"a cell of the wrong type", {QString("AB"), QString("3"), true}, false},
    };
    for (const auto& c : cases) {
        writeAll(path, "old\r\n");
        ARRAYSERVER s(abStructure(), tableOf({c.row}));
        NoticeRecorder rec(s);
        if (c.inject)
            testhooks::failAtomicWrite(testhooks::WriteFault::Write);
        EXPECT_FALSE(s.COPYSDF(path)) << c.name;
        testhooks::clearAtomicWriteFault();
        EXPECT_EQ(readAll(path), QByteArray("old\r\n")) << c.name;
        EXPECT_EQ(rec.take(), L({kDataIntentToMove})) << c.name;
        EXPECT_EQ(s.suspensionCount(), 0) << c.name;
    }
    ARRAYSERVER s(abStructure(), abRow());
    NoticeRecorder rec(s);
    EXPECT_FALSE(s.COPYSDF(dir.file("no/such/folder.txt")));
    EXPECT_FALSE(s.COPYSDF(dir.path()));
    EXPECT_EQ(rec.take(), L());
}

TEST(ArrayServerExport, SymlinkedTargetStaysALink)
{
    TempDir dir;
    writeAll(dir.file("real.txt"), "old");
    ASSERT_TRUE(QFile::link(dir.file("real.txt"), dir.file("link.txt")));
    ARRAYSERVER s(abStructure(), abRow());
    EXPECT_TRUE(s.COPYSDF(dir.file("link.txt")));
    EXPECT_TRUE(QFileInfo(dir.file("link.txt")).isSymLink());
    EXPECT_EQ(readAll(dir.file("real.txt")), QByteArray("AB    3.50T\r\n"));
}

TEST(ArrayServerImport, DelimitedLines)
{
    TempDir dir;
    const DbStructure cols = {{"C", "C", 3, 0}, {"N", "N", 5, 0}, {"L", "L", 1, 0}};
    const struct {
        const char* name;
        QByteArray text;
        QList<QVariantList> rows;
    } cases[] = {
        {"a plain line", "a,2,T\r\n", {{QString("a  "), 2.0, true}}},
        {"no line end, trimmed cells", " b , 3 ,y", {{QString("b  "), 3.0, true}}},
        {"short line keeps empty cells", "c\r\n", {{QString("c  "), 0.0, false}}},
        {"empty lines passed over", "\r\n\r\nd,1,F\r\n\n\r\n", {{QString("d  "), 1.0, false}}},
        {"a quoted cell, then a plain line",
         "\"x,y\",1,T\r\nb,2,F\r\n",
         {{QString("x,y"), 1.0, true}, {QString("b  "), 2.0, false}}},
        {"doubled quotes and a line break inside quotes",
         "\"q\"\"\",1,T\r\n\"l\r\nm\",2,F\r\n",
         {{QString("q\" "), 1.0, true}, {QString("l\r\n"), 2.0, false}}},
    };
    for (const auto& c : cases) {
        ARRAYSERVER s(cols, nullptr);
        writeAll(dir.file("in.csv"), c.text);
        EXPECT_TRUE(s.APPENDDELIMITED(dir.file("in.csv"))) << c.name;
        EXPECT_EQ(rowsOf(s), c.rows) << c.name;
    }
}

TEST(ArrayServerImport, DelimitedRoundTripOfAwkwardCells)
{
    TempDir dir;
    const DbStructure cols = {{"C", "C", 8, 0}, {"M", "M", 10, 0}};
    auto data = tableOf({{QString("a;b"), QString("say \"hi\"")},
                         {QString("x"), QString("two\r\nlines")},
                         {QString("a\";b"), QString("\"\r\n\"")},
                         {QString("\"open"), QString("end\"")},
                         {QString("\"a\" b"), QString("\"x\"\r\n\"y\" z")}});
    ARRAYSERVER s(cols, data);
    EXPECT_TRUE(s.COPYDELIMITED(dir.file("r.csv"), QLatin1Char(';')));
    ARRAYSERVER back(cols, nullptr);
    EXPECT_TRUE(back.APPENDDELIMITED(dir.file("r.csv"), QLatin1Char(';')));
    EXPECT_EQ(rowsOf(back), QList<QVariantList>({{QString("a;b     "), QString("say \"hi\"")},
                                                 {QString("x       "), QString("two\r\nlines")},
                                                 {QString("a\";b    "), QString("\"\r\n\"")},
                                                 {QString("\"open   "), QString("end\"")},
                                                 {QString("\"a\" b   "), QString("\"x\"\r\n\"y\" z")}}));
}

// A quote that opens a cell and has no end before the end of the file is an
// ordinary character: its line is read as a plain line and every later line
// as a line of its own.
TEST(ArrayServerImport, UnclosedQuoteKeepsTheLaterLines)
{
    TempDir dir;
    const DbStructure cols = {{"C", "C", 5, 0}, {"N", "N", 5, 0}, {"L", "L", 1, 0}};
    const struct {
        const char* name;
        QByteArray text;
        QList<QVariantList> rows;
    } cases[] = {
        {"unclosed in the first cell",
         "\"abc,1,T\r\nb,2,F\r\nc,3,T\r\n",
         {{QString("\"abc "), 1.0, true}, {QString("b    "), 2.0, false}, {QString("c    "), 3.0, true}}},
        {"unclosed on the last line, no line end",
         "a,1,T\r\n\"b,2,F",
         {{QString("a    "), 1.0, true}, {QString("\"b   "), 2.0, false}}},
        {"unclosed after a quoted cell",
         "\"x,y\",1,\"T\r\nb,2,F\r\n",
         {{QString("x,y  "), 1.0, false}, {QString("b    "), 2.0, false}}},
        {"a quote inside a plain cell",
         "a\"b,1,T\r\n",
         {{QString("a\"b  "), 1.0, true}}},
        {"blanks between the closing quote and the delimiter",
         "\"x,y\"  ,1,T\r\n",
         {{QString("x,y  "), 1.0, true}}},
        {"a closed cell across lines, then good lines",
         "\"l\r\nm\",1,T\r\nb,2,F\r\n",
         {{QString("l\r\nm "), 1.0, true}, {QString("b    "), 2.0, false}}},
    };
    for (const auto& c : cases) {
        ARRAYSERVER s(cols, nullptr);
        writeAll(dir.file("in.csv"), c.text);
        EXPECT_TRUE(s.APPENDDELIMITED(dir.file("in.csv"))) << c.name;
        EXPECT_EQ(rowsOf(s), c.rows) << c.name;
    }
}

// A quoted part ends at the first quote that is not doubled; the text after
// it up to the delimiter belongs to the same cell. A quoted part that runs
// over a line end without closing as the export closes it takes no later
// line: its quote is an ordinary character.
TEST(ArrayServerImport, TextAfterTheClosingQuoteStaysInItsCell)
{
    TempDir dir;
    const DbStructure cols = {{"C", "C", 12, 0}, {"N", "N", 6, 2}, {"L", "L", 1, 0}};
    auto c12 = [](const char* text) { return QString::fromUtf8(text).leftJustified(12); };
    const struct {
        const char* name;
        QByteArray text;
        QList<QVariantList> rows;
    } cases[] = {
        {"a word after the quotes, then three lines",
         "\"Misir\" yerli,5.20,T\r\nArpa,3.10,F\r\n\"Bugday\",4.00,T\r\nSoya,6.50,F\r\n",
         {{c12("Misir yerli"), 5.2, true},
          {c12("Arpa"), 3.1, false},
          {c12("Bugday"), 4.0, true},
          {c12("Soya"), 6.5, false}}},
        {"a doubled quote, text and blanks after the quotes",
         "\"a\"\"b\" c  ,1,\"T\" \r\n",
         {{c12("a\"b c"), 1.0, true}}},
        {"a delimiter inside, text after",
         "\"x,y\"z,2,F\r\n",
         {{c12("x,yz"), 2.0, false}}},
        {"an open quote whose first close is a later line's opening quote",
         "\"Misir,5.20,T\r\nArpa,3.10,F\r\n\"Bugday\",4.00,T\r\n",
         {{c12("\"Misir"), 5.2, true}, {c12("Arpa"), 3.1, false}, {c12("Bugday"), 4.0, true}}},
    };
    for (const auto& c : cases) {
        ARRAYSERVER s(cols, nullptr);
        writeAll(dir.file("in.csv"), c.text);
        EXPECT_TRUE(s.APPENDDELIMITED(dir.file("in.csv"))) << c.name;
        EXPECT_EQ(rowsOf(s), c.rows) << c.name;
    }
    // A cell closed early whose rest holds the delimiter: one cell too many.
    ARRAYSERVER s(cols, nullptr);
    writeAll(dir.file("in.csv"), "\"a\"b,c\",1,T\r\n");
    EXPECT_FALSE(s.APPENDDELIMITED(dir.file("in.csv")));
    EXPECT_EQ(s.LASTREC(), 0);
}

TEST(ArrayServerImport, TooManyCellsStopsWithRowsKept)
{
    TempDir dir;
    ARRAYSERVER s({{"C", "C", 3, 0}, {"N", "N", 5, 0}}, nullptr);
    NoticeRecorder rec(s);
    writeAll(dir.file("bad.csv"), "a,1\r\nb,2,3\r\nc,3\r\n");
    EXPECT_FALSE(s.APPENDDELIMITED(dir.file("bad.csv")));
    EXPECT_EQ(s.LASTREC(), 1);
    EXPECT_EQ(s.DATA()->size(), 1);
    EXPECT_EQ(s.RECNO(), 1);
    EXPECT_FALSE(s.Eof());
    EXPECT_EQ(s.suspensionCount(), 0);
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataFileChange}));
}

TEST(ArrayServerImport, SdfLines)
{
    TempDir dir;
    const DbStructure cols = {{"C", "C", 4, 0}, {"N", "N", 6, 2}, {"D", "D", 8, 0}, {"L", "L", 1, 0}};
    const struct {
        const char* name;
        QByteArray text;
        QList<QVariantList> rows;
    } cases[] = {
        {"whole line", "AB    3.5020240309T\r\n", {{QString("AB  "), 3.5, QDate(2024, 3, 9), true}}},
        {"short line", " x    1\n", {{QString("x   "), 1.0, QDate(), false}}},
        {"quotes removed", "\"q\"     2\r\n", {{QString("q   "), 2.0, QDate(), false}}},
        {"only empty lines", "\r\n\r\n\n", {}},
    };
    for (const auto& c : cases) {
        ARRAYSERVER s(cols, nullptr);
        writeAll(dir.file("in.txt"), c.text);
        EXPECT_TRUE(s.APPENDSDF(dir.file("in.txt"))) << c.name;
        EXPECT_EQ(rowsOf(s), c.rows) << c.name;
    }
}

TEST(ArrayServerImport, DatesSurviveSdfBothWays)
{
    TempDir dir;
    const DbStructure cols = {{"D", "D", 8, 0}, {"C", "C", 2, 0}};
    ARRAYSERVER s(cols, tableOf({{QDate(1999, 12, 31), QString("a")}, {QDate(), QString("b")}}));
    EXPECT_TRUE(s.COPYSDF(dir.file("d.txt")));
    ARRAYSERVER back(cols, nullptr);
    EXPECT_TRUE(back.APPENDSDF(dir.file("d.txt")));
    EXPECT_EQ(rowsOf(back), QList<QVariantList>({{QDate(1999, 12, 31), QString("a ")}, {QDate(), QString("b ")}}));
}

TEST(ArrayServerImport, EmptyAndMissingSources)
{
    TempDir dir;
    ARRAYSERVER s(abStructure(), abRow());
    NoticeRecorder rec(s);
    writeAll(dir.file("empty.txt"), "");
    EXPECT_TRUE(s.APPENDSDF(dir.file("empty.txt")));
    EXPECT_TRUE(s.APPENDDELIMITED(dir.file("empty.txt")));
    EXPECT_FALSE(s.APPENDSDF(dir.file("missing.txt")));
    EXPECT_FALSE(s.APPENDDELIMITED(dir.file("missing.txt")));
    EXPECT_FALSE(s.APPENDDB(dir.file("missing.dbf")));
    EXPECT_EQ(rec.take(), L());
    EXPECT_EQ(s.LASTREC(), 1);
}

// A pipe or a device (a link to /dev/zero) named as the source: nothing is
// read or added, at once.
TEST(ArrayServerImport, PipesAndDevicesAreNoSource)
{
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "device");
        TempDir dir;
        const QString source = dir.file("kaynak.txt");
        const QByteArray name = QFile::encodeName(source);
        ASSERT_EQ(pipe ? ::mkfifo(name.constData(), 0644) : ::symlink("/dev/zero", name.constData()), 0);
        ARRAYSERVER s(abStructure(), abRow());
        bool sdf = true;
        bool delimited = true;
        PipeGuard guard({source});
        ASSERT_TRUE(returnsPromptly(
            [&] {
                sdf = s.APPENDSDF(source);
                delimited = s.APPENDDELIMITED(source);
            },
            "import"));
        EXPECT_FALSE(guard.hung()) << "the import waited on the pipe";
        EXPECT_FALSE(sdf);
        EXPECT_FALSE(delimited);
        EXPECT_EQ(s.LASTREC(), 1);
    }
}

TEST(ArrayServerImport, PendingEditsAreWrittenBackFirst)
{
    TempDir dir;
    auto data = abRow();
    ARRAYSERVER s(abStructure(), data);
    s.FIELDPUT(1, QString("ED"));
    writeAll(dir.file("blank.txt"), "\r\n");
    EXPECT_TRUE(s.APPENDSDF(dir.file("blank.txt")));  // adds nothing
    EXPECT_EQ(s.RECNO(), 1);
    EXPECT_EQ(s.FIELDGET(1).toString(), QStringLiteral("ED"));

    s.FIELDPUT(1, QString("EE"));
    writeAll(dir.file("one.txt"), "CD    1.00F\r\n");
    NoticeRecorder rec(s);
    EXPECT_TRUE(s.APPENDSDF(dir.file("one.txt")));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataFileChange}));
    EXPECT_EQ(data->at(0)->at(0).toString(), QStringLiteral("EE"));
    EXPECT_EQ(s.RECNO(), 2);
    EXPECT_FALSE(s.Eof() || s.Bof());
    s.FIELDPUT(1, QString("ZZ"));  // the buffer is the new row itself
    EXPECT_EQ(data->at(1)->at(0).toString(), QStringLiteral("ZZ"));
}

// ---------------------------------------------------------------- tables

QJsonObject readWithDbfread(const QString& path, QString* error)
{
    const QString script = QStringLiteral(
        "import sys, json, datetime, dbfread\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')\n"
        "conv = lambda v: v.isoformat() if isinstance(v, datetime.date) else v\n"
        "print(json.dumps({'fields': [[f.name, f.type, f.length, f.decimal_count] for f in t.fields],\n"
        "  'records': [[conv(v) for v in r.values()] for r in t]}))\n");
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
    if (!py.waitForFinished(60000) || py.exitCode() != 0) {
        *error = QString::fromUtf8(py.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(py.readAllStandardOutput()).object();
}

DbStructure tableColumns()
{
    return {{"AD", "C", 6, 0}, {"MIKTAR", "N", 7, 2}, {"TARIH", "D", 8, 0}, {"VAR", "L", 1, 0}};
}

ArrayDataPtr tableRows()
{
    return tableOf({{QString::fromUtf8("Şeker"), 12.5, QDate(2024, 5, 6), true},
                    {QString("arpa"), -1.0, QDate(), false}});
}

TEST(ArrayServerTables, CopyDbCreatesAndAppends)
{
    TempDir dir;
    const QString path = dir.file("yeni.dbf");
    ARRAYSERVER s(tableColumns(), tableRows());
    NoticeRecorder rec(s);
    EXPECT_TRUE(s.COPYDB(path));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataFileChange}));

    QString error;
    QJsonObject t = readWithDbfread(path, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const QJsonArray fields = t.value("fields").toArray();
    const QJsonArray expectedFields = QJsonDocument::fromJson(
        R"([["AD","C",6,0],["MIKTAR","N",7,2],["TARIH","D",8,0],["VAR","L",1,0]])").array();
    EXPECT_EQ(fields, expectedFields);
    const QJsonArray records = t.value("records").toArray();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records.at(0).toArray(),
              QJsonDocument::fromJson(QString::fromUtf8(R"([["Şeker",12.5,"2024-05-06",true]])").toUtf8())
                  .array()
                  .at(0)
                  .toArray());
    EXPECT_EQ(records.at(1).toArray().at(0).toString(), QStringLiteral("arpa"));
    EXPECT_EQ(records.at(1).toArray().at(1).toDouble(), -1.0);
    EXPECT_TRUE(records.at(1).toArray().at(2).isNull());
    EXPECT_FALSE(records.at(1).toArray().at(3).toBool());

    EXPECT_TRUE(s.COPYDB(path));
    t = readWithDbfread(path, &error);
    EXPECT_EQ(t.value("records").toArray().size(), 4);
}

TEST(ArrayServerTables, CopyDbRefusals)
{
    TempDir dir;
    const struct {
        const char* name;
        DbStructure cols;
    } cases[] = {
        {"a memo column", {{"AD", "C", 4, 0}, {"NOT", "M", 10, 0}}},
        {"a name longer than 10", {{"UZUNALANADI", "C", 4, 0}}},
        {"an unknown type", {{"AD", "X", 4, 0}}},
    };
    for (const auto& c : cases) {
        ARRAYSERVER s(c.cols, nullptr);
        EXPECT_FALSE(s.COPYDB(dir.file("x.dbf"))) << c.name;
        EXPECT_FALSE(QFile::exists(dir.file("x.dbf"))) << c.name;
    }
    // A file there that is no table: not in use.
    writeAll(dir.file("bad.dbf"), "not a table");
    ARRAYSERVER s(tableColumns(), tableRows());
    EXPECT_FALSE(s.COPYDB(dir.file("bad.dbf")));
    EXPECT_FALSE(s.APPENDDB(dir.file("bad.dbf")));
    EXPECT_EQ(readAll(dir.file("bad.dbf")), QByteArray("not a table"));
    // A value the existing table cannot hold: FALSE, no half record.
    ASSERT_TRUE(DBSERVER::DBCREATE(dir.file("small.dbf"), {{"MIKTAR", "N", 1, 0}}));
    EXPECT_FALSE(s.COPYDB(dir.file("small.dbf")));
    DbfTable t;
    ASSERT_TRUE(readDbfFile(dir.file("small.dbf"), &t));
    EXPECT_EQ(t.recordCount(), 0);
}

// A table another program wrote in a layout the DBF writer would change is
// refused before anything is added to it, by name or open; the program's own
// layout, with the single zero byte some writers put after the field list,
// takes the rows.
TEST(ArrayServerTables, CopyDbRefusesForeignLayouts)
{
    TempDir dir;
    ASSERT_TRUE(DBSERVER::DBCREATE(dir.file("plain.dbf"), tableColumns()));
    const QByteArray plain = readAll(dir.file("plain.dbf"));
    const int headerLen = 32 + 32 * 4 + 1;

    auto withVersion = [&](char version) {
        QByteArray b = plain;
        b[0] = version;
        return b;
    };
    auto withBlock = [&](int size, char version) {
        QByteArray b = plain;
        b.insert(headerLen, QByteArray(size, '\0'));
        b[0] = version;
        b[8] = char((headerLen + size) & 0xFF);
        b[9] = char((headerLen + size) >> 8);
        return b;
    };
    DbfTable withInteger({{"AD", 'C', 6, 0}, {"SAYI", 'I', 4, 0}});
    withInteger.setValue(withInteger.appendRecord(), 0, "eski");
    const struct {
        const char* name;
        QByteArray bytes;
        bool taken;
    } cases[] = {
        {"memo table 0x83", withVersion(char(0x83)), false},
        {"dBASE IV 0x04", withVersion(char(0x04)), false},
        {"263-byte block after the fields", withBlock(263, char(0x30)), false},
        {"a block in a 0x03 table", withBlock(263, char(0x03)), false},
        {"a binary integer field", withInteger.toBytes(), false},
        {"one zero byte after the fields", withBlock(1, char(0x03)), true},
        {"the program's own", plain, true},
    };
    for (const auto& c : cases) {
        const QString path = dir.file("hedef.dbf");
        writeAll(path, c.bytes);
        ARRAYSERVER s(tableColumns(), tableRows());
        NoticeRecorder rec(s);
        EXPECT_EQ(s.COPYDB(path), c.taken) << c.name;
        if (c.taken) {
            DbfTable t;
            ASSERT_TRUE(readDbfFile(path, &t)) << c.name;
            EXPECT_EQ(t.recordCount(), 2) << c.name;
            continue;
        }
        EXPECT_EQ(readAll(path), c.bytes) << c.name;
        EXPECT_EQ(rec.take(), L()) << c.name;
        DBSERVER open(path, false, false);
        ASSERT_TRUE(open.USED()) << c.name;
        EXPECT_FALSE(s.COPYDB(open)) << c.name;
        EXPECT_EQ(open.LASTREC(), c.bytes == withInteger.toBytes() ? 1 : 0) << c.name;
        open.CLOSE();
        EXPECT_EQ(readAll(path), c.bytes) << c.name;
        // Its rows still come in.
        ARRAYSERVER reader(tableColumns(), nullptr);
        EXPECT_TRUE(reader.APPENDDB(path)) << c.name;
    }
}

// A table another program wrote keeps its header when rows are added: its
// flags, code-page mark and lower-case field names, and its old records byte
// for byte; only the record count and the date of the last update change. A
// table marked with another code page is refused untouched, by name or open.
TEST(ArrayServerTables, CopyDbKeepsAnotherProgramsHeader)
{
    TempDir dir;
    const int headerLen = 32 + 32 * 4 + 1;
    // Made by hand: AD C 6, MIKTAR N 7.2, TARIH D, VAR L; one record.
    auto foreign = [&](char mark) {
        QByteArray b(headerLen, '\0');
        b[0] = 0x03;
        b[1] = char(99);  // 1999-01-02
        b[2] = 1;
        b[3] = 2;
        b[4] = 1;  // one record
        b[8] = char(headerLen & 0xFF);
        b[9] = char(headerLen >> 8);
        b[10] = char(1 + 6 + 7 + 8 + 1);
        b[28] = 0x01;  // a production index
        b[29] = mark;
        const struct {
            const char* name;
            char type;
            int length;
            int decimals;
        } fields[] = {{"ad", 'C', 6, 0}, {"miktar", 'N', 7, 2}, {"tarih", 'D', 8, 0}, {"var", 'L', 1, 0}};
        for (int i = 0; i < 4; ++i) {
            const int at = 32 * (i + 1);
            b.replace(at, int(qstrlen(fields[i].name)), fields[i].name);
            b[at + 11] = fields[i].type;
            b[at + 16] = char(fields[i].length);
            b[at + 17] = char(fields[i].decimals);
            b[at + 31] = i == 0 ? 0x01 : 0x00;  // the field is in the index
        }
        b[headerLen - 1] = 0x0D;
        b += QByteArray(" \x9E\x80k   ") + "   1.00" + "19990102" + "T";
        b += '\x1A';
        return b;
    };
    const QDate today = QDate::currentDate();
    for (char mark : {char(0xCA), char(0x00)}) {
        const QString path = dir.file("baska.dbf");
        const QByteArray old = foreign(mark);
        writeAll(path, old);
        ARRAYSERVER s(tableColumns(), tableRows());
        EXPECT_TRUE(s.COPYDB(path)) << int(mark);
        QByteArray expected = old.left(old.size() - 1);
        expected[1] = char(today.year() - 1900);
        expected[2] = char(today.month());
        expected[3] = char(today.day());
        expected[4] = 3;
        expected += QByteArray(" \xDE" "eker ") + "  12.50" + "20240506" + "T";
        expected += QByteArray(" arpa  ") + "  -1.00" + "        " + "F";
        expected += '\x1A';
        EXPECT_EQ(readAll(path), expected) << int(mark);
    }
    for (char mark : {char(0x6B), char(0x57), char(0x01)}) {  // DOS Turkish, ANSI, DOS USA
        const QString path = dir.file("dos.dbf");
        const QByteArray old = foreign(mark);
        writeAll(path, old);
        ARRAYSERVER s(tableColumns(), tableRows());
        NoticeRecorder rec(s);
        EXPECT_FALSE(s.COPYDB(path)) << int(mark);
        DBSERVER open(path, false, false);
        ASSERT_TRUE(open.USED());
        EXPECT_FALSE(s.COPYDB(open)) << int(mark);
        EXPECT_EQ(open.LASTREC(), 1);
        open.CLOSE();
        EXPECT_EQ(readAll(path), old) << int(mark);
        EXPECT_EQ(rec.take(), L()) << int(mark);
    }
}

// Exports into a file the user may not write answer FALSE and leave it as it
// was: read-only by its mode for everyone, another user's file as an ordinary
// user. Through a link the linked file is written and the link stays.
TEST(ArrayServerTables, ProtectedAndLinkedTargets)
{
    test::SharedTempDir dir;
    ASSERT_TRUE(dir.valid());
    const QString text = dir.file("salt.txt");
    const QString table = dir.file("salt.dbf");
    const QString others = dir.file("baskasi.dbf");
    writeAll(text, "old\r\n");
    ARRAYSERVER s(tableColumns(), tableRows());
    ASSERT_TRUE(s.COPYDB(table));
    ASSERT_TRUE(s.COPYDB(others));
    const QByteArray tableBytes = readAll(table);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(text, readOnly));
    ASSERT_TRUE(QFile::setPermissions(table, readOnly));
    ASSERT_TRUE(QFile::setPermissions(others, readOnly | QFile::WriteOwner));

    auto exportsRefused = [&](const QString& file) {
        ARRAYSERVER server(tableColumns(), tableRows());
        return !server.COPYSDF(file) && !server.COPYDELIMITED(file, QLatin1Char(';')) && !server.COPYDB(file);
    };
    EXPECT_TRUE(exportsRefused(text));
    EXPECT_TRUE(exportsRefused(table));
    EXPECT_EQ(readAll(text), QByteArray("old\r\n"));
    EXPECT_EQ(readAll(table), tableBytes);

    const bool root = ::geteuid() == 0;
    test::runUnprivileged([&](test::ChildChecks& check) {
        if (root) {
            CHILD_EXPECT(check, exportsRefused(others));
            CHILD_EXPECT(check, test::childRead(others) == tableBytes);
        }
        CHILD_EXPECT(check, exportsRefused(table));
        // Its own table, reached through a link.
        const QString own = dir.file("kendi.dbf");
        const QString link = dir.file("bag.dbf");
        ARRAYSERVER server(tableColumns(), tableRows());
        CHILD_EXPECT(check, server.COPYDB(own));
        CHILD_EXPECT(check, QFile::link(own, link));
        CHILD_EXPECT(check, server.COPYDB(link));
        CHILD_EXPECT(check, QFileInfo(link).isSymLink());
        DbfTable written;
        CHILD_EXPECT(check, readDbfFile(own, &written) && written.recordCount() == 4);
        CHILD_EXPECT(check, server.COPYSDF(link));
        CHILD_EXPECT(check, QFileInfo(link).isSymLink());
        CHILD_EXPECT(check, test::childRead(own).startsWith("\xDE" "eker"));
    });
    EXPECT_EQ(readAll(others), tableBytes);
}

TEST(ArrayServerTables, AppendDbTypedAndMissingColumns)
{
    TempDir dir;
    const QString path = dir.file("src.dbf");
    ARRAYSERVER writer(tableColumns(), tableRows());
    ASSERT_TRUE(writer.COPYDB(path));

    DbStructure cols = tableColumns();
    cols.insert(1, {"YOK", "C", 3, 0});
    ARRAYSERVER s(cols, nullptr);
    EXPECT_TRUE(s.APPENDDB(path));
    const QList<QVariantList> rows = rowsOf(s);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0), QVariantList({QString::fromUtf8("Şeker "), QVariant(), 12.5, QDate(2024, 5, 6), true}));
    EXPECT_EQ(rows.at(1), QVariantList({QString("arpa  "), QVariant(), -1.0, QDate(), false}));
    EXPECT_EQ(s.RECNO(), 2);

    // An open server is used as it is and left at its end.
    DBSERVER source(path, true, true);
    ASSERT_TRUE(source.USED());
    EXPECT_TRUE(s.APPENDDB(source));
    EXPECT_TRUE(source.Eof());
    EXPECT_EQ(s.LASTREC(), 4);
    source.CLOSE();
    EXPECT_FALSE(s.APPENDDB(source));  // closed: not in use
    EXPECT_FALSE(s.COPYDB(source));
}

}  // namespace
