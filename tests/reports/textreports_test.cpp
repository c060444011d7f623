// The text reports: their texts byte for byte against golden files, and the
// commands' frame (missing and unreadable tables, the please-wait box, the
// write, the current report) through a scripted port.
#include "reports/textreports.h"

#include "core/activeproblem.h"
#include "core/problemfile.h"
#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/reftables.h"
#include "support/fakeport.h"
#include "support/tempdir.h"
#include "support/files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace zeva {
namespace {

using test::readAll;

QByteArray golden(const QString& name)
{
    QFile f(QStringLiteral(ZEVA_TEST_DATA "/textreports/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

// Where two texts first differ, for a readable failure.
std::string firstDifference(const QByteArray& got, const QByteArray& want)
{
    qsizetype i = 0;
    while (i < got.size() && i < want.size() && got.at(i) == want.at(i))
        ++i;
    return "sizes " + std::to_string(got.size()) + "/" + std::to_string(want.size()) + ", first difference at byte "
           + std::to_string(i) + " (line " + std::to_string(got.left(i).count('\n') + 1) + ")";
}

#define EXPECT_GOLDEN(bytes, name)                                                            \
    do {                                                                                      \
        const QByteArray got_ = (bytes);                                                      \
        const QByteArray want_ = golden(QStringLiteral(name));                                \
        EXPECT_TRUE(got_ == want_) << name << ": " << firstDifference(got_, want_);           \
    } while (0)

// ---- the fixtures of the golden files

// Eight fields: the name, the price and six nutrients.
QList<DbfField> eightFields()
{
    QList<DbfField> f{{QStringLiteral("YM_ADI"), 'C', 25, 0}, {QStringLiteral("FIATI"), 'C', 11, 0}};
    for (const char* n : {"KMO", "HP", "HY", "HS", "HK", "NEL"})
        f.append({QString::fromLatin1(n), 'C', 11, 0});
    return f;
}

// The unit row, then feeds 1 to n ("YEM MADDESİ 01", ...; price k.500, the
// cell of field j k.000j); the feeds in `deleted` are marked deleted.
DbfTable eightFieldTable(int feeds, const QList<int>& deleted = {})
{
    DbfTable t(eightFields());
    const int unit = t.appendRecord();
    const QStringList units = {QStringLiteral("BIRIM"), QStringLiteral("TL/Kg"), QStringLiteral("%"),
                               QStringLiteral("%"),     QStringLiteral("%"),     QStringLiteral("%"),
                               QStringLiteral("%"),     QStringLiteral("KCal/Kg")};
    for (int f = 0; f < units.size(); ++f)
        t.setValue(unit, f, units.at(f));
    for (int k = 1; k <= feeds; ++k) {
        const int rec = t.appendRecord();
        t.setValue(rec, 0, QStringLiteral("YEM MADDESİ %1").arg(k, 2, 10, QLatin1Char('0')));
        t.setValue(rec, 1, PadL(QStringLiteral("%1.500").arg(k), 11));
        for (int j = 3; j <= 8; ++j)
            t.setValue(rec, j - 1, PadL(QStringLiteral("%1.%2").arg(k).arg(j, 4, 10, QLatin1Char('0')), 11));
        t.setDeleted(rec, deleted.contains(k));
    }
    return t;
}

const QStringList kFeeds = {QStringLiteral("MISIR"),         QStringLiteral("ARPA"),
                            QStringLiteral("SOYA KÜSPESİ"),  QStringLiteral("MISIR GLUTENI"),
                            QStringLiteral("BUĞDAY KEPEĞİ"), QStringLiteral("DİKALSİYUM FOSFAT")};

QStringList nutrients(int n)
{
    QStringList names = {QStringLiteral("AGIRLIK"), QStringLiteral("HAM PROTEİN ORANI")};
    for (int i = 3; i <= n; ++i)
        names << QStringLiteral("BM %1").arg(i, 2, 10, QLatin1Char('0'));
    return names.mid(0, n);
}

// Cell (r, c) holds r.000c; cell (2, 3) is empty.
Table matrix(int rows, int feeds)
{
    Table m;
    for (int r = 1; r <= rows; ++r) {
        Row row;
        for (int c = 1; c <= feeds; ++c)
            row << (r == 2 && c == 3 ? QString() : PadL(QStringLiteral("%1.%2").arg(r).arg(c, 4, 10, QLatin1Char('0')), 11));
        m << row;
    }
    return m;
}

// ---- the texts

TEST(ReferenceMatrixText, MatchesTheGoldenFiles)
{
    // Eight fields give two blocks, the second with one field and five
    // fillers; the deleted feed is not listed.
    EXPECT_GOLDEN(referenceMatrixText(eightFieldTable(3, {2}), kAsFedReportTitle).bytes(), "hk_8fields.txt");
    // 53 records fill one page per block; the 54th opens page 2.
    EXPECT_GOLDEN(referenceMatrixText(eightFieldTable(52), kAsFedReportTitle).bytes(), "hk_53records.txt");
    EXPECT_GOLDEN(referenceMatrixText(eightFieldTable(53), kAsFedReportTitle).bytes(), "hk_54records.txt");
    // The standard dry-matter table without records: one form feed per block.
    EXPECT_GOLDEN(referenceMatrixText(DbfTable(KMM_STRCREATE()), kDryMatterReportTitle).bytes(), "km_empty.txt");
}

TEST(ReferenceMatrixText, BlocksFollowTheFieldCount)
{
    // Fields -> blocks: 54 (the as-fed table) 9, 45 (dry matter) 8, 7 or
    // fewer 1, a lone name field none.
    struct Case {
        int fields;
        int blocks;
    };
    for (const Case c : {Case{54, 9}, Case{45, 8}, Case{13, 2}, Case{14, 3}, Case{7, 1}, Case{2, 1}, Case{1, 0}}) {
        QList<DbfField> fields{{QStringLiteral("YM_ADI"), 'C', 25, 0}};
        for (int i = 2; i <= c.fields; ++i)
            fields.append({QStringLiteral("F%1").arg(i), 'C', 11, 0});
        DbfTable t(fields);
        t.setValue(t.appendRecord(), 0, QStringLiteral("BIRIM"));
        const QByteArray bytes = referenceMatrixText(t, kAsFedReportTitle).bytes();
        EXPECT_EQ(bytes.count('\f'), c.blocks) << c.fields;
        if (c.blocks > 0) {
            EXPECT_TRUE(bytes.endsWith('\f')) << c.fields;
        }
        // The last block's page line.
        if (c.blocks > 1) {
            EXPECT_TRUE(bytes.contains("Sayfa " + PadL(QString::number(c.blocks), 2).toLatin1() + ".1")) << c.fields;
        }
    }
    EXPECT_EQ(HKM_STRCREATE().size(), 54);
}

TEST(ReferenceMatrixText, CellsAreTakenAsStored)
{
    // A cell stored with its text on the left and a name with blanks in front
    // stand as they are; block 1's heading names stand 11 columns left of
    // their cells.
    DbfTable t(eightFields());
    const int rec = t.appendRecord();
    t.setValue(rec, 0, QStringLiteral("  ÖNDE BOŞLUK"));
    t.setValue(rec, 2, QStringLiteral("12.5"));
    const QStringList lines = referenceMatrixText(t, kAsFedReportTitle).lines();
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines.at(6).left(40), QStringLiteral("    ÖNDE BOŞLUK") + QString(13, QLatin1Char(' '))
                                         + QStringLiteral("12.5") + QString(8, QLatin1Char(' ')));
    // "KMO" ends 11 columns left of the end of its cell.
    EXPECT_EQ(lines.at(5).indexOf(QLatin1String("KMO")) + 3 + 11, lines.at(6).indexOf(QLatin1String("12.5")) + 11);
}

TEST(PriceListText, MatchesTheGoldenFileAndCutsNames)
{
    DbfTable asFed(eightFields());
    DbfTable dryMatter(eightFields());
    for (DbfTable* t : {&asFed, &dryMatter}) {
        const int unit = t->appendRecord();
        t->setValue(unit, 0, QStringLiteral("BIRIM"));
        t->setValue(unit, 1, QStringLiteral("TL/Kg"));
    }
    EXPECT_GOLDEN(priceListText(asFed, dryMatter).bytes(), "pricelist_units.txt");

    // Names longer than 15 keep 15 characters, an empty price is blanks, a
    // deleted feed is left out, and a long list has no form feed.
    int rec = asFed.appendRecord();
    asFed.setValue(rec, 0, QStringLiteral("ÇOK UZUN BİR YEM MADDESİ ADI"));
    asFed.setValue(rec, 1, PadL(QStringLiteral("4.250"), 11));
    rec = asFed.appendRecord();
    asFed.setValue(rec, 0, QStringLiteral("SİLİNMİŞ"));
    asFed.setDeleted(rec, true);
    for (int i = 0; i < 300; ++i) {
        rec = dryMatter.appendRecord();
        dryMatter.setValue(rec, 0, QStringLiteral("KM %1").arg(i));
    }
    const report::ReportText text = priceListText(asFed, dryMatter);
    ASSERT_EQ(text.lines().size(), 4 + 2 + 1 + 301);
    EXPECT_EQ(text.lines().at(5), PadR(QStringLiteral("          ÇOK UZUN BİR YE       4.250"), 100));
    EXPECT_EQ(text.lines().at(7), text.lines().at(4));  // the second unit row
    EXPECT_EQ(text.lines().at(6), QString(100, QLatin1Char(' ')));
    EXPECT_EQ(text.lines().at(8).mid(26, 11), QString(11, QLatin1Char(' ')));
    EXPECT_FALSE(text.bytes().contains('\f'));
    EXPECT_FALSE(text.bytes().contains(QByteArray("S\xDDL")));
}

TEST(ActiveMatrixText, MatchesTheGoldenFiles)
{
    // Five feeds: one block. Six feeds and 54 nutrients: two blocks, the
    // second with feed 6 and five empty columns, each with a page 2.
    EXPECT_GOLDEN(activeMatrixText(QStringLiteral("KARMA1"), kFeeds.mid(0, 5), nutrients(3), matrix(3, 5)).bytes(),
                  "amat_5feeds.txt");
    EXPECT_GOLDEN(activeMatrixText(QStringLiteral("BROYLER"), kFeeds, nutrients(54), matrix(54, 6)).bytes(),
                  "amat_6feeds_54.txt");
}

TEST(ActiveMatrixText, BlocksFollowTheFeedCount)
{
    struct Case {
        int feeds;
        int blocks;
    };
    for (const Case c : {Case{2, 1}, Case{5, 1}, Case{6, 2}, Case{11, 2}, Case{12, 3}, Case{17, 3}, Case{18, 4}}) {
        QStringList feeds;
        for (int i = 1; i <= c.feeds; ++i)
            feeds << QStringLiteral("Y%1").arg(i);
        const QByteArray bytes = activeMatrixText(QStringLiteral("P"), feeds, nutrients(2), matrix(2, c.feeds)).bytes();
        EXPECT_EQ(bytes.count('\f'), c.blocks) << c.feeds;
        EXPECT_TRUE(bytes.endsWith('\f')) << c.feeds;
        // The last feed shows in the last block.
        EXPECT_TRUE(bytes.contains(PadL(QStringLiteral("Y%1").arg(c.feeds), 11).toLatin1())) << c.feeds;
    }
}

// ---- the commands

class TextReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.valid());
        G().reset();
        G().CREPORTFILE.clear();
        G().CDATAPATH = tmp_.path();
        QDir(tmp_.path()).mkpath(QStringLiteral("Data"));
    }
    void TearDown() override
    {
        testhooks::clearAtomicWriteFault();
        G().reset();
        G().CDATAPATH.clear();
        G().CREPORTFILE.clear();
    }

    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }
    bool writeTable(const QString& name, const DbfTable& t) const { return writeDbfFile(tmp_.file(name), t); }
    void writeBothTables(int feeds = 2) const
    {
        ASSERT_TRUE(writeTable(kAsFedTable, eightFieldTable(feeds)));
        ASSERT_TRUE(writeTable(kDryMatterTable, eightFieldTable(feeds)));
    }
    // The log without the please-wait lines.
    QStringList shown() const
    {
        QStringList out;
        for (const QString& l : port_.log)
            if (!l.startsWith(QLatin1String("wait")))
                out << l;
        return out;
    }
    // Every box shown after the please-wait box closed, and the box closed
    // as often as it opened.
    void expectWaitBalanced() const
    {
        EXPECT_EQ(port_.logLines(QStringLiteral("wait open")).size(), port_.logLines(QStringLiteral("wait close")).size());
        const qsizetype close = port_.log.lastIndexOf(QStringLiteral("wait close"));
        for (qsizetype i = 0; i < port_.log.size(); ++i)
            if (port_.log.at(i).startsWith(QLatin1String("box"))) {
                EXPECT_GT(i, close) << port_.log.at(i).toStdString();
            }
    }

    test::TempDir tmp_;
    test::FakePort port_;
};

TEST_F(TextReportCommandsTest, ReferenceReportsWriteTheirFilesAndBecomeTheCurrentReport)
{
    writeBothTables();
    HKMREPORT(port_);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));
    const QByteArray hk = readAll(data(kAsFedReportFile));
    EXPECT_EQ(hk, referenceMatrixText(eightFieldTable(2), kAsFedReportTitle).bytes());
    EXPECT_EQ(G().CREPORTFILE, data(kAsFedReportFile));

    KMMREPORT(port_);
    EXPECT_TRUE(readAll(data(kDryMatterReportFile)).contains("ZEVA S 2.0 KURU MADDE TEMEL MATR\xDDS'i"));
    EXPECT_EQ(G().CREPORTFILE, data(kDryMatterReportFile));

    HMFIATLIST(port_);
    EXPECT_EQ(readAll(data(kPriceListFile)), priceListText(eightFieldTable(2), eightFieldTable(2)).bytes());
    EXPECT_EQ(G().CREPORTFILE, data(kPriceListFile));
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('\n')).toStdString();
    expectWaitBalanced();
}

TEST_F(TextReportCommandsTest, NamesInAnotherLetterCaseAreFoundAndWrittenOver)
{
    ASSERT_TRUE(writeTable(QStringLiteral("matnrc.dbf"), eightFieldTable(1)));
    ASSERT_TRUE(QDir(tmp_.path()).rename(QStringLiteral("Data"), QStringLiteral("DATA")));
    const QString old = tmp_.file(QStringLiteral("DATA/hk referans matris.txt"));
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("eski");
    f.close();

    HKMREPORT(port_);
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(G().CREPORTFILE, old);
    EXPECT_EQ(readAll(old), referenceMatrixText(eightFieldTable(1), kAsFedReportTitle).bytes());
    EXPECT_EQ(QDir(tmp_.file(QStringLiteral("DATA"))).entryList(QDir::Files), QStringList{"hk referans matris.txt"});
    EXPECT_FALSE(QDir(tmp_.path()).exists(QStringLiteral("Data")));
}

TEST_F(TextReportCommandsTest, AMissingTableIsReportedBeforeThePleaseWaitBox)
{
    G().CREPORTFILE = QStringLiteral("/önceki/rapor.TXT");
    HKMREPORT(port_);
    KMMREPORT(port_);
    HMFIATLIST(port_);
    EXPECT_EQ(port_.log, (QStringList{QStringLiteral("box 64 Uyarı...: MATNRC.DBF dosyası yok..!"),
                                      QStringLiteral("box 64 Uyarı...: MATKUMAD.DBF dosyası yok..!"),
                                      QStringLiteral("box 64 Uyarı: MATNRC.DBF dosyası yok..!")}));
    EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/önceki/rapor.TXT"));
    EXPECT_TRUE(QDir(tmp_.file(QStringLiteral("Data"))).isEmpty());
}

TEST_F(TextReportCommandsTest, PriceListWithoutTheDryMatterTableDropsItsListAndKeepsTheOldFile)
{
    ASSERT_TRUE(writeTable(kAsFedTable, eightFieldTable(2)));
    QFile f(data(kPriceListFile));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("eski liste");
    f.close();
    HMFIATLIST(port_);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close", QStringLiteral("box 64 Uyarı: MATKUMAD.DBF dosyası yok..!")}));
    EXPECT_EQ(readAll(data(kPriceListFile)), QByteArray("eski liste"));
    EXPECT_TRUE(G().CREPORTFILE.isEmpty());
}

TEST_F(TextReportCommandsTest, AnUnreadableTableGivesItsOpenFailureText)
{
    // Each command with the table it reads broken (a file that is no table,
    // or, for the price list, a table without its price field), the other
    // table sound.
    DbfTable noPrice(QList<DbfField>{{QStringLiteral("YM_ADI"), 'C', 25, 0}, {QStringLiteral("KMO"), 'C', 11, 0}});
    noPrice.setValue(noPrice.appendRecord(), 0, QStringLiteral("BIRIM"));
    struct Case {
        void (*command)(UserPort&);
        QString broken;
        bool notATable;
        QString text;
    };
    const QList<Case> cases = {
        {&HKMREPORT, kAsFedTable, true, QStringLiteral("Hk referans matris dosyası açma hatası...")},
        {&KMMREPORT, kDryMatterTable, true, QStringLiteral("KME referans matris dosyası açma hatası...")},
        {&HMFIATLIST, kAsFedTable, true, QStringLiteral("HK Referans matris dosyası açma hatası...")},
        {&HMFIATLIST, kDryMatterTable, true, QStringLiteral("KME Referans matris dosyası açma hatası...")},
        {&HMFIATLIST, kAsFedTable, false, QStringLiteral("HK Referans matris dosyası açma hatası...")},
        {&HMFIATLIST, kDryMatterTable, false, QStringLiteral("KME Referans matris dosyası açma hatası...")},
    };
    for (const Case& c : cases) {
        port_ = test::FakePort();
        writeBothTables();
        if (c.notATable) {
            QFile f(tmp_.file(c.broken));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("bu bir tablo değil");
        } else {
            ASSERT_TRUE(writeTable(c.broken, noPrice));
        }
        c.command(port_);
        EXPECT_EQ(shown(), QStringList{QStringLiteral("box 16 Hata...: ") + c.text}) << c.text.toStdString();
        expectWaitBalanced();
        EXPECT_TRUE(QDir(tmp_.file(QStringLiteral("Data"))).isEmpty());
        EXPECT_TRUE(G().CREPORTFILE.isEmpty());
    }
}

TEST_F(TextReportCommandsTest, AFailedWriteKeepsTheCurrentReportAndTheOldFile)
{
    writeBothTables();
    const QString failed = QStringLiteral("box 16 Hata...: Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyin..");

    // No "Data" folder.
    G().CREPORTFILE = QStringLiteral("/önceki.TXT");
    ASSERT_TRUE(QDir(tmp_.file(QStringLiteral("Data"))).removeRecursively());
    HKMREPORT(port_);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close", failed}));
    EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/önceki.TXT"));
    EXPECT_FALSE(QFileInfo::exists(tmp_.file(QStringLiteral("Data"))));

    // A read-only report file, and a write that fails on the disk.
    QDir(tmp_.path()).mkpath(QStringLiteral("Data"));
    for (const bool readOnly : {true, false}) {
        port_ = test::FakePort();
        QFile f(data(kPriceListFile));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("eski liste");
        f.close();
        if (readOnly)
            ASSERT_TRUE(f.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else
            testhooks::failAtomicWrite(testhooks::WriteFault::Write);
        HMFIATLIST(port_);
        EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close", failed})) << readOnly;
        EXPECT_EQ(readAll(data(kPriceListFile)), QByteArray("eski liste"));
        EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/önceki.TXT"));
        EXPECT_EQ(QDir(tmp_.file(QStringLiteral("Data"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    // The next run writes.
    port_ = test::FakePort();
    HMFIATLIST(port_);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));
    EXPECT_EQ(G().CREPORTFILE, data(kPriceListFile));
}

TEST_F(TextReportCommandsTest, ActiveMatrixReportReplacesTheSolutionReportOfTheProblem)
{
    // With no problem open nothing happens.
    AMATREPORT(port_);
    EXPECT_TRUE(port_.log.isEmpty());
    EXPECT_TRUE(QDir(tmp_.file(QStringLiteral("Data"))).isEmpty());

    const QString problem = data(QStringLiteral("KARMA1.ZVF"));
    G().OPROBSERVER = std::make_shared<ProblemServer>(problem, DbfTable(problemFileFields(1)));
    G().AYMNAMES = kFeeds.mid(0, 5);
    G().ABMNAMES = nutrients(3);
    G().AMATRIX = matrix(3, 5);
    const QString report = data(QStringLiteral("KARMA1.TXT"));
    QFile f(report);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("çözüm raporu");
    f.close();

    AMATREPORT(port_);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));
    EXPECT_GOLDEN(readAll(report), "amat_5feeds.txt");
    EXPECT_EQ(G().CREPORTFILE, report);
    EXPECT_EQ(activeMatrixReportPath(), report);
    EXPECT_FALSE(G().anyChanged());

    // A failed write.
    G().CREPORTFILE.clear();
    testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
    port_ = test::FakePort();
    G().AMATRIX[0][0] = PadL(QStringLiteral("9"), 11);
    AMATREPORT(port_);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close",
                                      "box 16 Hata...: Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyin.."}));
    EXPECT_TRUE(G().CREPORTFILE.isEmpty());
    EXPECT_GOLDEN(readAll(report), "amat_5feeds.txt");
}

}  // namespace
}  // namespace zeva
