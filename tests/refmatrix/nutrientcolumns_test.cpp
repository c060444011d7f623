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

    QStringList fieldsNow() const
    {
        DbfTable t;
        EXPECT_TRUE(readDbfFile(path, &t));
        QStringList names;
        for (const DbfField& f : t.fields())
            names << f.name;
        return names;
    }
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
    EXPECT_EQ(fieldsNow(), (QStringList{"YM_ADI", "FIATI", "KMO", "HP", "SHP", "LIF"}));
    EXPECT_TRUE(run({{2, "NSC", 4}}));  // before HP, the first nutrient
    EXPECT_EQ(fieldsNow(), (QStringList{"YM_ADI", "FIATI", "KMO", "NSC", "HP", "SHP", "LIF"}));
    DbfTable mid;
    ASSERT_TRUE(readDbfFile(path, &mid));
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
