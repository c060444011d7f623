#include "refmatrix/nutrientcolumns.h"

#include "core/problemtestutil.h"
#include "platform/atomicfile.h"
#include "refmatrix/reftables.h"
#include "reftestutil.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace zeva;
using namespace zeva::test;

namespace {

class NutrientColumnsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = tmp.file(kAsFedTable);
        ASSERT_TRUE(writeReference(path, {"KMO", "HP", "SHP"}, {"%", "%", "g/Kg"},
                                   {{"Arpa", "10", {"88", "11", "2"}}, {"Mısır", "12", {"87", "9", ""}}}));
        before = fileBytes(path);
        ASSERT_TRUE(readDbfFile(path, &original));
    }
    void TearDown() override { testhooks::clearAtomicWriteFault(); }

    bool run(QList<NutrientColumnAnswer> answers, QList<int> replies = {})
    {
        port = FakePort();
        port.nutrientColumns = answers;
        port.replies = replies;
        return BM_MAN_WIN(port, path, kAsFedTable);
    }

    TempDir tmp;
    QString path;
    QByteArray before;
    DbfTable original;
    FakePort port;
};

}  // namespace

TEST_F(NutrientColumnsTest, RefusalsKeepTheDialogOpen)
{
    const QString present = QStringLiteral(" Besin maddesi RM dosyasında mevcut.");
    struct Case {
        const char* what;
        NutrientColumnAnswer answer;
        QString refusal;
    };
    const QList<Case> cases = {
        {"empty name", {1, "  ", 0}, "Yeni Besin Maddesi adı girilmedi."},
        {"prefix of HP", {1, "H", 0}, "H" + present},
        {"other case", {1, "hp", 0}, "HP" + present},
        {"trailing blank", {1, "SHP ", 0}, "SHP" + present},
        {"bad name", {1, "1X", 0}, kBadColumnName},
        {"bad letter", {1, "ÇİNKO", 0}, kBadColumnName},
        {"insert without a field", {2, "LIF", 0}, "Önüne girilecek BM seçimi yapılmadı."},
        {"insert before KMO", {2, "LIF", 3}, "Standart BM alanı önüne girmeye teşebbüs ettiniz.\n\nNOT: Gerçek BM "
                                             "önüne girmelisiniz."},
        {"delete without a field", {3, "", 0}, "Silinecek BM seçimi yapılmadı."},
        {"delete HP", {3, "", 4}, "Standart besin maddesini silmeye teşebbüs ettiniz.\n\nNOT: Sadece, sonradan "
                                  "eklenen/girilen besin maddesini silebilirsiniz."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(run({c.answer}));
        EXPECT_EQ(port.boxTexts(BOX_INFO), QStringList{c.refusal});
        EXPECT_EQ(port.boxes.value(0).title, QStringLiteral("Bilgi..."));
        EXPECT_EQ(fileBytes(path), before);
    }
    EXPECT_EQ(port.log.value(0), QStringLiteral("nutrientColumn Havada Kuru RM: Besin maddesi ekle-sil"));
    EXPECT_EQ(port.offered.value(0), (QStringList{"YM_ADI", "FIATI", "KMO", "HP", "SHP"}));
}

TEST_F(NutrientColumnsTest, AddInsertAndDeleteGiveTheTableBack)
{
    // A refused name first: the dialog stays open and takes the correction.
    EXPECT_TRUE(run({{1, "H", 0}, {1, " lif ", 0}}));
    EXPECT_EQ(fieldNames(path), (QStringList{"YM_ADI", "FIATI", "KMO", "HP", "SHP", "LIF"}));
    EXPECT_TRUE(run({{2, "NSC", 4}}));  // before HP, the first nutrient
    EXPECT_EQ(fieldNames(path), (QStringList{"YM_ADI", "FIATI", "KMO", "NSC", "HP", "SHP", "LIF"}));
    DbfTable mid;
    ASSERT_TRUE(readDbfFile(path, &mid));
    ASSERT_EQ(mid.fieldCount(), 7);
    EXPECT_EQ(mid.value(0, "YM_ADI").trimmed(), QStringLiteral("BIRIM"));
    EXPECT_TRUE(mid.value(1, "NSC").trimmed().isEmpty());
    EXPECT_EQ(mid.fields().at(3).length, 11);

    // Deleting asks, naming the file and the field; No changes nothing.
    EXPECT_FALSE(run({{3, "", 4}}, {REPLY_NO}));
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes.at(0).type, 36);
    EXPECT_EQ(port.boxes.at(0).title, QStringLiteral("Önemli Uyarı..."));
    EXPECT_EQ(port.boxes.at(0).text, QStringLiteral("MATNRC.DBF Referans matris dosyasındaki \nNSC besin maddesi "
                                                     "silinecek.\n\nSilinmesini gerçekten istiyor musunuz?"));
    EXPECT_TRUE(run({{3, "", 4}}, {REPLY_YES}));
    EXPECT_TRUE(run({{3, "", 6}}, {REPLY_YES}));

    DbfTable back;
    ASSERT_TRUE(readDbfFile(path, &back));
    ASSERT_EQ(back.fieldCount(), original.fieldCount());
    for (int f = 0; f < back.fieldCount(); ++f) {
        EXPECT_EQ(back.fields().at(f).name, original.fields().at(f).name);
        EXPECT_EQ(back.fields().at(f).length, original.fields().at(f).length);
    }
    ASSERT_EQ(back.recordCount(), original.recordCount());
    for (int r = 0; r < back.recordCount(); ++r)
        for (int f = 0; f < back.fieldCount(); ++f)
            EXPECT_EQ(back.value(r, f), original.value(r, f));
}

TEST_F(NutrientColumnsTest, FailuresKeepTheOldTable)
{
    testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
    EXPECT_FALSE(run({{1, "LIF", 0}}));
    EXPECT_EQ(port.boxTexts(BOX_ERROR).size(), 1);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{kAsFedTable});

    // A table that cannot be read shows its error and no dialog.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("bozuk");
    f.close();
    EXPECT_FALSE(run({{1, "LIF", 0}}));
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{QStringLiteral("Referans matris dosyası açma hatası!")});
    EXPECT_TRUE(port.logLines("nutrientColumn").isEmpty());
}

// A column the table's header cannot describe is refused in the dialog,
// which stays open, and nothing is written: a header holds 2046 fields, a
// record 65535 bytes. Deleting an added column makes room again.
TEST_F(NutrientColumnsTest, NoColumnBeyondWhatTheHeaderHolds)
{
    QStringList nutrients{"KMO"};
    for (int i = 1; nutrients.size() < kDbfMaxFields - 2; ++i)
        nutrients << QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0'));
    ASSERT_TRUE(writeReference(path, nutrients, {}, {{"Arpa", "10", {"88", "11", "2"}}}));
    const QByteArray full = fileBytes(path);
    const QString refusal = QStringLiteral("RM dosyasına yeni besin maddesi eklenemez.\n\nNOT: Dosya başlığı en fazla "
                                           "2046 alan tutabilir; dosyada 2046 alan var. Önce, sonradan eklenen bir "
                                           "besin maddesini silmelisiniz.");
    for (const NutrientColumnAnswer& a : {NutrientColumnAnswer{1, "LIF", 0}, NutrientColumnAnswer{2, "LIF", 4}}) {
        EXPECT_FALSE(run({a}));
        EXPECT_EQ(port.boxTexts(BOX_INFO), QStringList{refusal});
        EXPECT_EQ(fileBytes(path), full);
    }
    // The last column deleted, a new one goes in and the table reads back.
    EXPECT_TRUE(run({{3, "", kDbfMaxFields}}, {REPLY_YES}));
    EXPECT_TRUE(run({{1, "LIF", 0}}));
    DbfTable back;
    ASSERT_TRUE(readDbfFile(path, &back));
    ASSERT_EQ(back.fieldCount(), kDbfMaxFields);
    EXPECT_EQ(back.fields().last().name, QStringLiteral("LIF"));
    EXPECT_EQ(back.value(1, QStringLiteral("B0002")).trimmed(), QStringLiteral("2.0000"));

    // A record that one more column would make longer than 65535 bytes.
    DbfTable wide({{"YM_ADI", 'C', 25, 0}, {"FIATI", 'C', 11, 0}, {"KMO", 'C', 11, 0}, {"NOTLAR", 'C', 65480, 0}});
    wide.setValue(wide.appendRecord(), 0, QStringLiteral("BIRIM"));
    ASSERT_TRUE(writeDbfFile(path, wide));
    const QByteArray before = fileBytes(path);
    EXPECT_FALSE(run({{1, "LIF", 0}}));
    EXPECT_EQ(port.boxTexts(BOX_INFO),
              QStringList{QStringLiteral("RM dosyasına yeni besin maddesi eklenemez.\n\nNOT: Bir kayıt en fazla 65535 "
                                         "bayt olabilir; yeni besin maddesiyle 65539 bayt olur. Önce, sonradan "
                                         "eklenen bir besin maddesini silmelisiniz.")});
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{kAsFedTable});
}

// The table read again when the change runs may have grown while the dialog
// stood open: the writer then refuses too, and says why.
TEST_F(NutrientColumnsTest, AFullTableReadAgainIsRefused)
{
    DbfField lif{QStringLiteral("LIF"), 'C', kCellWidth, 0};
    QList<DbfField> fields = original.fields();
    while (fields.size() < kDbfMaxFields)
        fields << DbfField{QStringLiteral("E%1").arg(fields.size()), 'C', kCellWidth, 0};
    ASSERT_TRUE(writeDbfFile(path, DbfTable(fields)));
    const QByteArray full = fileBytes(path);
    QString error;
    EXPECT_EQ(AIFIELDTODBF(path, lif, QString(), &error), ColumnChange::Refused);
    EXPECT_TRUE(error.startsWith(QStringLiteral("RM dosyasına yeni besin maddesi eklenemez."))) << error.toStdString();
    EXPECT_EQ(fileBytes(path), full);
}
