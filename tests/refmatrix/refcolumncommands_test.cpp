#include "refmatrix/refcolumncommands.h"

#include "reftestutil.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

using namespace zeva;
using namespace zeva::test;

namespace {

// Fields YM_ADI, FIATI, KMO, HP, HY, HS; the unit row, then three feeds.
class ColumnCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = tmp.file(QStringLiteral("MATNRC.DBF"));
        ASSERT_TRUE(writeReference(path, {"KMO", "HP", "HY", "HS"}, {"%", "%", "%", "%"},
                                   {{"Arpa", "10", {"88", "20", "5", ""}},
                                    {"Mısır", "", {"", "", "", "7"}},
                                    {"Soya", "30", {"89", "3.3333", "0", "2"}}}));
        edit = ReferenceMatrixEdit::open(path, port);
        ASSERT_TRUE(edit);
        original = edit->server().Data();
    }

    QString cell(int rec, const QString& field) const
    {
        return edit->server().cellAt(rec, edit->server().FieldPos(field));
    }
    void expectUnchanged()
    {
        EXPECT_EQ(edit->server().Data(), original);
        EXPECT_FALSE(edit->LRMCHANGED);
    }

    TempDir tmp;
    QString path;
    FakePort port;
    std::unique_ptr<ReferenceMatrixEdit> edit;
    Table original;
};

const QString kMacroList = QStringLiteral("KMO HP HY HS");

}  // namespace

TEST_F(ColumnCommandsTest, RescalesTheBoundNutrientsOfOneFeed)
{
    edit->server().GoTo(2);
    port.choices = {2};                  // HP
    port.values = {QStringLiteral("22")};
    port.markings = {{2, 3}};            // HY, HS of KMO HY HS
    port.replies = {REPLY_YES};
    EXPECT_TRUE(BMBAGLA(*edit, port));
    EXPECT_EQ(port.offered.value(0).join(' '), kMacroList);
    EXPECT_EQ(port.offered.value(1).join(' '), QStringLiteral("KMO HY HS"));
    EXPECT_EQ(cell(2, "HY"), QStringLiteral("     5.5000"));
    EXPECT_TRUE(cell(2, "HS").trimmed().isEmpty());
    EXPECT_EQ(cell(2, "HP"), QStringLiteral("    22.0000"));
    EXPECT_EQ(cell(2, "KMO"), original.at(1).at(2));
    EXPECT_EQ(edit->server().Data().at(0), original.at(0));
    EXPECT_TRUE(edit->LRMCHANGED);
    EXPECT_EQ(port.boxes.last().text,
              QStringLiteral("Seçili RM dosyasını bir satır boyunca değiştirmek üzeresiniz...\n\n"
                             "Yaptığınız işlemden emin misiniz?"));
    EXPECT_TRUE(port.allAnswersUsed());
}

TEST_F(ColumnCommandsTest, RescalingRefusals)
{
    struct Case {
        const char* what;
        int rec;
        QList<int> choices;
        QStringList values;
        QList<QList<int>> markings;
        QList<int> replies;
        QString warning;  // empty: none
    };
    const QList<Case> cases = {
        {"unit row", 1, {}, {}, {}, {}, kNoFeedChosen},
        {"no macro", 2, {0}, {}, {}, {}, QString()},
        {"empty macro", 2, {4}, {}, {}, {}, kEmptyMacroNutrient},
        {"zero macro", 4, {3}, {}, {}, {}, kDivisionByZero},
        {"same value", 2, {2}, {QStringLiteral("20")}, {}, {}, QString()},
        {"cancelled", 2, {2}, {QString()}, {}, {}, QString()},
        {"nothing bound", 2, {2}, {QStringLiteral("22")}, {{}}, {}, QString()},
        {"answered No", 2, {2}, {QStringLiteral("22")}, {{2}}, {REPLY_NO}, QString()},
        {"too wide", 2, {3}, {QStringLiteral("999999")}, {{1}}, {REPLY_YES}, kResultDoesNotFit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port = FakePort();
        edit->server().GoTo(c.rec);
        port.choices = c.choices;
        port.values = c.values;
        port.markings = c.markings;
        port.replies = c.replies;
        EXPECT_FALSE(BMBAGLA(*edit, port));
        EXPECT_EQ(port.boxTexts(BOX_WARNING), c.warning.isEmpty() ? QStringList() : QStringList{c.warning});
        EXPECT_TRUE(port.allAnswersUsed());
        expectUnchanged();
    }
}

TEST_F(ColumnCommandsTest, ColumnArithmeticWithANumberOrAColumn)
{
    const int hp = edit->server().FieldPos(QStringLiteral("HP"));
    port.columnMaths = {{"*", "1.1", "N"}};
    port.replies = {REPLY_YES};
    EXPECT_TRUE(COLMATHBM(*edit, hp, port));
    EXPECT_EQ(port.boxes.last().text, QStringLiteral("Seçili referans matrise (HP=HP*1.1) işlemi uygulanacak\n\n"
                                                     "Yaptığınız işlemden emin misiniz?"));
    EXPECT_EQ(cell(2, "HP"), QStringLiteral("    22.0000"));
    EXPECT_TRUE(cell(3, "HP").trimmed().isEmpty());
    EXPECT_EQ(cell(4, "HP"), QStringLiteral("     3.6666"));
    EXPECT_EQ(cell(1, "HP").trimmed(), QStringLiteral("%"));
    EXPECT_TRUE(edit->LRMCHANGED);

    // "-" with another column: an empty operand cell counts as 0.
    port.columnMaths = {{"-", "HS", "A"}};
    port.replies = {REPLY_YES};
    EXPECT_TRUE(COLMATHBM(*edit, edit->server().FieldPos(QStringLiteral("HY")), port));
    EXPECT_EQ(cell(2, "HY"), QStringLiteral("     5.0000"));
    EXPECT_EQ(cell(3, "HY").trimmed(), QString());
    EXPECT_EQ(cell(4, "HY"), QStringLiteral("    -2.0000"));

    // Prices get 4 decimals like every computed cell.
    port.columnMaths = {{"+", "1", "N"}};
    port.replies = {REPLY_YES};
    EXPECT_TRUE(COLMATHBM(*edit, 2, port));
    EXPECT_EQ(cell(2, "FIATI"), QStringLiteral("    11.0000"));
}

TEST_F(ColumnCommandsTest, ColumnArithmeticRefusals)
{
    const int hp = edit->server().FieldPos(QStringLiteral("HP"));
    struct Case {
        const char* what;
        int col;
        QList<ColumnMathAnswer> answers;
        QList<int> replies;
        QString warning;
    };
    const QList<Case> cases = {
        {"no column", 0, {}, {}, kNumericColumnFirst},
        {"name column", 1, {}, {}, kNumericColumnFirst},
        {"cancelled", hp, {{}}, {}, QString()},
        {"answered No", hp, {{"+", "1", "N"}}, {REPLY_NO}, QString()},
        {"same column", hp, {{"+", "HP", "A"}}, {}, QString()},
        {"divide by 0", hp, {{"/", "0", "N"}}, {}, kDivisionByZero},
        {"divide by a zero cell", hp, {{"/", "HY", "A"}}, {REPLY_YES}, kDivisionByZero},
        {"divide by an empty cell", edit->server().FieldPos(QStringLiteral("HS")), {{"/", "HP", "A"}}, {REPLY_YES},
         kDivisionByZero},
        {"too wide", hp, {{"*", "100000", "N"}}, {REPLY_YES}, kResultDoesNotFit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port = FakePort();
        port.columnMaths = c.answers;
        port.replies = c.replies;
        EXPECT_FALSE(COLMATHBM(*edit, c.col, port));
        EXPECT_EQ(port.boxTexts(BOX_WARNING), c.warning.isEmpty() ? QStringList() : QStringList{c.warning});
        EXPECT_TRUE(port.allAnswersUsed());
        expectUnchanged();
    }
    EXPECT_TRUE(port.logLines("status").isEmpty());
    port = FakePort();
    port.columnMaths = {{"+", "HP", "A"}};
    COLMATHBM(*edit, hp, port);
    EXPECT_EQ(port.logLines("status"), QStringList{QStringLiteral("status: ") + kSameColumn});
}
