#include "editing/browserrules.h"

#include "core/activeproblem.h"
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zeva;

namespace {

const QString B11 = blankCell();

FieldSpecs fields(const QStringList& names, int firstWidth, int secondWidth = 11)
{
    FieldSpecs f;
    for (int i = 0; i < names.size(); ++i)
        f.append({names.at(i), "C", i == 0 ? firstWidth : (i == 1 ? secondWidth : 11), 0});
    return f;
}

const QStringList kFeedFields = {"YMNAME", "YMPRICE", "YMFIX", "YMLLIMIT", "YMULIMIT"};
const QStringList kNutrientFields = {"BMNAME", "BMUNIT", "BMFIX", "BMLLIMIT", "BMULIMIT"};
const QStringList kRatioFields = {"BMONAME1", "BMONAME2", "BMOFIX", "BMOLLIMIT", "BMOULIMIT"};

// The owner window as the rules see it: deletes and packs like the entry
// windows do, or refuses.
class FakeOwner : public BrowserOwner {
public:
    BARRAYSERVER* server = nullptr;
    bool answer = true;
    int calls = 0;
    int deletedRec = 0;
    bool DODELETE() override
    {
        ++calls;
        if (!answer)
            return false;
        deletedRec = server->RecNo();
        server->Delete();
        if (!server->Deleted())
            return false;
        server->Pack();
        return true;
    }
};

Table matrix(int rows, int cells)
{
    Table m;
    for (int r = 1; r <= rows; ++r) {
        Row row;
        for (int c = 1; c <= cells; ++c)
            row << QStringLiteral("%1").arg(r * 10 + c, 11);
        m << row;
    }
    return m;
}

CellEdit typed(int rec, int col, const QString& text)
{
    return CellEdit{rec, col, text, true, 13};
}

class RulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().APARAMS = {"K", "1000.00", "TL", "Kg"};
    }
    void TearDown() override { G().reset(); }

    // Counts the notices of the server (field writes in particular).
    void record(BARRAYSERVER& s)
    {
        QObject::connect(&s, &BARRAYSERVER::notice, [this](int code, int, int) {
            if (code == kNoticeFieldWritten)
                ++writes;
            if (isChangeNotice(code))
                ++changes;
        });
    }

    NameCounters counters;
    FakeOwner owner;
    int writes = 0;
    int changes = 0;
};

}  // namespace

TEST_F(RulesTest, NumbersByTableAndType)
{
    enum Kind { Feed, Nutrient, Ratio, Matrix };
    struct Case {
        Kind kind;
        const char* type;
        int col;
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {Feed, "G", 4, "12,5", "     12.500"},
        {Feed, "K", 4, "12,5", "   12.50000"},
        {Feed, "G", 3, "1", "      1.000"},
        {Feed, "K", 5, "0,123456", "    0.12345"},
        {Feed, "G", 2, "7", "      7.000"},
        {Feed, "K", 2, "7", "      7.000"},
        {Feed, "K", 2, "1.23456", "      1.234"},
        {Feed, "K", 2, "12 TL", "     12.000"},
        {Nutrient, "G", 3, "12,5", "    12.5000"},
        {Nutrient, "K", 4, ".5", "     0.5000"},
        {Nutrient, "K", 5, "0012", "    12.0000"},
        {Nutrient, "K", 2, "   %", "          %"},
        {Nutrient, "K", 2, "Kcal/Kg ", "    Kcal/Kg"},
        {Ratio, "K", 3, "2", "     2.0000"},
        {Ratio, "G", 4, "0,5", "     0.5000"},
        {Ratio, "K", 5, "", "           "},
        {Ratio, "K", 5, "   ", "           "},
        {Ratio, "K", 1, "KALSIYUM", "KALSIYUM"},
        {Matrix, "K", 2, "3", "     3.0000"},
        {Matrix, "G", 3, "88,12345", "    88.1234"},
        {Matrix, "K", 2, "", "           "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 col %3 '%4'").arg(c.kind).arg(c.type).arg(c.col).arg(c.text).toStdString());
        G().reset();
        G().APARAMS = {c.type, "1", "TL", "Kg"};
        G().ABMNAMES = {"KM", "HP"};
        G().AYMNAMES = {"Arpa", "Mısır"};
        G().AMATRIX = matrix(2, 2);
        std::unique_ptr<BARRAYSERVER> s;
        std::unique_ptr<BrowserRules> rules;
        switch (c.kind) {
        case Feed:
            s = std::make_unique<BARRAYSERVER>(fields(kFeedFields, 20),
                                               Table{{"Arpa", "", "", "", ""}, {"Mısır", "      1.000", "", "", ""}});
            rules = std::make_unique<OYM_BROWSER>(&owner, &counters);
            break;
        case Nutrient:
            s = std::make_unique<BARRAYSERVER>(fields(kNutrientFields, 15),
                                               Table{{"KM", "", "", "", ""}, {"HP", "          %", "", "", ""}});
            rules = std::make_unique<OBM_BROWSER>(&owner, &counters);
            break;
        case Ratio:
            s = std::make_unique<BARRAYSERVER>(fields(kRatioFields, 15, 15),
                                               Table{{"CA", "P", "", "", ""}, {"CA", "P", "     1.0000", "", "     3.0000"}});
            rules = std::make_unique<OBMO_BROWSER>();
            break;
        case Matrix:
            s = std::make_unique<BARRAYSERVER>(FieldSpecs{{"MATFNAMEUNIT", "C", 20, 0}, {"MATYMNAME1", "C", 11, 0}, {"MATYMNAME2", "C", 11, 0}},
                                               Table{{"KM", "    10.0000", "    20.0000"}, {"HP", "     1.0000", "     2.0000"}});
            rules = std::make_unique<OAMAT_BROWSER>();
            break;
        }
        owner.server = s.get();
        EXPECT_EQ(rules->commit(*s, typed(2, c.col, c.text)), CommitResult::kWritten);
        EXPECT_EQ(s->Data().at(1).at(c.col - 1), QString::fromUtf8(c.stored));
        EXPECT_EQ(s->RecNo(), 2);
        EXPECT_EQ(counters.NYMNONAME + counters.NBMNONAME, 0);  // named rows stay as they are
        EXPECT_EQ(G().AMATRIX, matrix(2, 2));                   // room was there already
    }
}

TEST_F(RulesTest, PriceNamesAnUnnamedFeedAndMakesItsColumn)
{
    G().ABMNAMES = {"KM", "HP"};
    G().AMATRIX = matrix(2, 1);
    BARRAYSERVER s(fields(kFeedFields, 20), {{"Arpa", "", "", "", ""}, {"", "", "", "", ""}});
    OYM_BROWSER rules(&owner, &counters);
    s.GoTo(1);  // the server stands elsewhere: the edit still goes into row 2
    EXPECT_EQ(rules.commit(s, typed(2, 2, "4,25")), CommitResult::kWritten);
    EXPECT_EQ(s.Data().at(1), (Row{"Ymİsimsiz1", "      4.250", "", "", ""}));
    EXPECT_EQ(s.Data().at(0).at(1), "");
    EXPECT_EQ(G().AMATRIX.size(), 2);
    EXPECT_EQ(G().AMATRIX.at(0).size(), 2);
    EXPECT_EQ(G().AMATRIX.at(1).at(1), B11);
    EXPECT_TRUE(G().LMATCHANGED);

    // A second feed window of the run goes on counting.
    s.Append();
    OYM_BROWSER other(&owner, &counters);
    other.commit(s, typed(3, 4, "1"));
    EXPECT_EQ(s.Data().at(2).at(0), "Ymİsimsiz2");
    EXPECT_EQ(counters.NYMNONAME, 2);
}

TEST_F(RulesTest, EmptiedFeedNameGetsTheNextDefaultName)
{
    counters.NYMNONAME = 6;
    BARRAYSERVER s(fields(kFeedFields, 20), {{"Arpa", "      1.000", "    2.00000", "", ""}});
    owner.server = &s;
    OYM_BROWSER rules(&owner, &counters);
    EXPECT_EQ(rules.commit(s, typed(1, 1, "  ")), CommitResult::kWritten);
    EXPECT_EQ(s.FieldGet(1), "Ymİsimsiz7");
    // An emptied value of a row that keeps other values is written empty.
    EXPECT_EQ(rules.commit(s, typed(1, 3, "")), CommitResult::kWritten);
    EXPECT_EQ(s.FieldGet(3), "");
    EXPECT_EQ(owner.calls, 0);
    // Past 999 the number does not fit in three places.
    counters.NYMNONAME = 999;
    rules.commit(s, typed(1, 1, ""));
    EXPECT_EQ(s.FieldGet(1), "Ymİsimsiz***");
}

TEST_F(RulesTest, EmptyingTheLastFilledCellDeletesTheFeedAndItsColumn)
{
    G().ABMNAMES = {"KM", "HP"};
    G().AMATRIX = matrix(2, 3);
    const Table rows = {{"Arpa", "      1.000", "", "", ""},
                        {"", "", "", "    5.00000", ""},
                        {"Soya", "", "", "", ""}};
    for (bool answer : {true, false}) {
        SCOPED_TRACE(answer ? "DODELETE TRUE" : "DODELETE FALSE");
        G().AMATRIX = matrix(2, 3);
        G().LMATCHANGED = false;
        BARRAYSERVER s(fields(kFeedFields, 20), rows);
        writes = changes = 0;
        record(s);
        owner = FakeOwner();
        owner.server = &s;
        owner.answer = answer;
        OYM_BROWSER rules(&owner, &counters);
        s.GoTo(3);
        // The first step only decides; the removal is the second one.
        EXPECT_EQ(rules.ENDEDITFIELD(s, typed(2, 4, "")), CommitResult::kRowEmptied);
        EXPECT_EQ(owner.calls, 0);
        EXPECT_EQ(writes, 0);
        EXPECT_EQ(rules.deleteEmptiedRow(s, 2), answer);
        EXPECT_EQ(owner.calls, 1);
        EXPECT_EQ(writes, 0);  // the emptied cell is never written
        EXPECT_EQ(counters.NYMNONAME, 0);
        if (answer) {
            EXPECT_EQ(owner.deletedRec, 2);
            EXPECT_EQ(s.Data(), (Table{rows.at(0), rows.at(2)}));
            EXPECT_EQ(G().AMATRIX, (Table{{matrix(2, 3)[0][0], matrix(2, 3)[0][2]},
                                          {matrix(2, 3)[1][0], matrix(2, 3)[1][2]}}));
            EXPECT_TRUE(G().LMATCHANGED);
        } else {
            EXPECT_EQ(s.Data(), rows);
            EXPECT_EQ(G().AMATRIX, matrix(2, 3));
            EXPECT_FALSE(G().LMATCHANGED);
            EXPECT_EQ(changes, 0);
        }
    }
    // Without an owner to ask the row stays.
    BARRAYSERVER s(fields(kFeedFields, 20), rows);
    OYM_BROWSER lonely(nullptr, &counters);
    EXPECT_EQ(lonely.commit(s, typed(2, 4, "")), CommitResult::kRowKept);
    EXPECT_EQ(s.Data(), rows);
}

TEST_F(RulesTest, NutrientRowsAreNamedGrownAndDeleted)
{
    G().AYMNAMES = {"Arpa", "Mısır"};
    G().AMATRIX = matrix(1, 2);
    BARRAYSERVER s(fields(kNutrientFields, 15),
                   {{"KM", "", "", "", ""}, {"", "", "", "", ""}, {"HP", "", "", "", ""}});
    owner.server = &s;
    OBM_BROWSER rules(&owner, &counters);
    EXPECT_EQ(rules.commit(s, typed(2, 2, "g/Kg")), CommitResult::kWritten);
    EXPECT_EQ(s.Data().at(1), (Row{"Bmİsimsiz1", "       g/Kg", "", "", ""}));
    EXPECT_EQ(G().AMATRIX.size(), 2);
    EXPECT_EQ(G().AMATRIX.at(1), (Row{B11, B11}));

    // Emptying a unit that is the row's only value besides the name is no
    // removal; emptying the name of a row with nothing else is.
    EXPECT_EQ(rules.commit(s, typed(2, 2, "")), CommitResult::kWritten);
    EXPECT_EQ(rules.commit(s, typed(2, 1, "")), CommitResult::kRowDeleted);
    EXPECT_EQ(s.LastRec(), 2);
    EXPECT_EQ(s.Data().at(1).at(0), "HP");
    EXPECT_EQ(G().AMATRIX, matrix(1, 2));
    EXPECT_EQ(counters.NBMNONAME, 1);
}

TEST_F(RulesTest, RatioNamesOnlyWhenBothAreEmpty)
{
    BARRAYSERVER s(fields(kRatioFields, 15, 15),
                   {{"", "", "", "", ""}, {"CA", "", "", "", ""}});
    OBMO_BROWSER rules;
    EXPECT_EQ(rules.commit(s, typed(1, 4, "1")), CommitResult::kWritten);
    EXPECT_EQ(s.Data().at(0), (Row{"Bmİsmi-I", "Bmİsmi-II", "", "     1.0000", ""}));
    rules.commit(s, typed(2, 5, "2"));
    EXPECT_EQ(s.Data().at(1), (Row{"CA", "", "", "", "     2.0000"}));
    // Names are written as typed and never name the row.
    rules.commit(s, typed(2, 1, ""));
    EXPECT_EQ(s.Data().at(1).at(0), "");
    EXPECT_EQ(s.Data().at(1).at(1), "");
    EXPECT_TRUE(G().AMATRIX.isEmpty());
}

TEST_F(RulesTest, NothingIsWrittenWithoutAChange)
{
    G().AMATRIX = matrix(1, 1);
    const Table rows = {{"", "", "", "", ""}};
    BARRAYSERVER s(fields(kFeedFields, 20), rows);
    record(s);
    OYM_BROWSER rules(&owner, &counters);
    s.GoTo(1);
    const CellEdit esc{1, 2, "5", true, kKeyEsc};
    const CellEdit unmodified{1, 2, "5", false, 13};
    const CellEdit gone{2, 2, "5", true, 13};
    const CellEdit noColumn{1, 6, "5", true, 13};
    for (const CellEdit& e : {esc, unmodified, gone, noColumn})
        EXPECT_EQ(rules.commit(s, e), CommitResult::kNothing);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(s.Data(), rows);
    EXPECT_EQ(counters.NYMNONAME, 0);
    EXPECT_EQ(G().AMATRIX, matrix(1, 1));
    EXPECT_FALSE(G().LMATCHANGED);
}

TEST_F(RulesTest, MatrixLabelColumnPassesTheFocusOn)
{
    OAMAT_BROWSER matrixRules;
    OYM_BROWSER feedRules(&owner, &counters);
    EXPECT_EQ(matrixRules.COLUMNFOCUSCHANGE(1, 3), 2);
    EXPECT_EQ(matrixRules.COLUMNFOCUSCHANGE(3, 3), 3);
    EXPECT_EQ(matrixRules.COLUMNFOCUSCHANGE(1, 1), 1);  // no feed column to go to
    EXPECT_EQ(feedRules.COLUMNFOCUSCHANGE(1, 5), 1);
}

TEST_F(RulesTest, ReferenceMatrixKeepsTheUnitRowAndFormatsFeeds)
{
    const QStringList names = {"YM_ADI", "FIATI", "KMO", "HP"};
    const Table rows = {{"BIRIM", "TL/Kg", "%", "%"}, {"Arpa", "", "", ""}};
    BARRAYSERVER s(fields(names, 20), rows);
    ORMAT_BROWSER rules;
    struct Case {
        int rec;
        int col;
        QString typed;
        QString stored;
    };
    const QList<Case> cases = {
        {1, 1, "", "BIRIM"},
        {1, 1, "Arpa", "BIRIM"},
        {1, 2, "TL/Kg", "TL/Kg"},
        {1, 3, "%", "%"},
        {1, 4, "Kg/Kg", "Kg/Kg"},
        {2, 1, "Buğday", "Buğday"},
        {2, 2, "12,5", "     12.500"},
        {2, 3, "88", "    88.0000"},
        {2, 4, "0,25", "     0.2500"},
        {2, 4, "", ""},
        {2, 2, "   ", ""},
        {2, 1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1/%2 '%3'").arg(c.rec).arg(c.col).arg(c.typed).toStdString());
        EXPECT_EQ(rules.commit(s, typed(c.rec, c.col, c.typed)), CommitResult::kWritten);
        EXPECT_EQ(s.cellAt(c.rec, c.col).trimmed(), c.stored.trimmed());
        EXPECT_EQ(referenceCellText(c.rec, c.col, c.typed), c.stored);
    }
    EXPECT_EQ(s.LastRec(), 2);
}
