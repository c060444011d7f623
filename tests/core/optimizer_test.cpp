#include "core/optimizer.h"

#include "problembuilder.h"
#include "support/fakeport.h"
#include "support/qstringprint.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using namespace zeva;
using zeva::test::FakePort;
using zeva::test::ProblemBuilder;
namespace txt = zeva::optimizer_text;

namespace {

const std::nullopt_t none = std::nullopt;

// One solve of the active problem with a recording port; the report step only
// notes that it ran.
struct Solve {
    FakePort port;
    bool reported = false;
    std::unique_ptr<Optimizer> opt;

    explicit Solve(bool daily = false, std::optional<int> cap = {})
    {
        OptimizerOptions o;
        o.iterationCap = cap;
        o.reportStep = [this](Optimizer&) {
            reported = true;
            return true;
        };
        if (daily)
            opt = std::make_unique<GR_OPTIMIZER>(port, o);
        else
            opt = std::make_unique<KY_OPTIMIZER>(port, o);
    }

    double x(int feed) const
    {
        const int r = opt->basicRow(feed);
        return r < 0 ? 0.0 : opt->ARHS[r];
    }
    double cost() const
    {
        double c = 0;
        for (int j = 0; j < opt->NFEEDCOLS; ++j) {
            const int r = opt->basicRow(j);
            if (r >= 0)
                c += opt->ACOSTB[r] * opt->ARHS[r];
        }
        return c;
    }
    // Shadow price of the k-th tableau row, as the report reads it.
    double shadow(int k) const { return opt->AZROW[opt->AINITBASIS[k]]; }
};

QString box(const QString& text) { return QStringLiteral("box 16 Hata...: ") + text; }

// The worked layout: three feeds, four nutrients, a feed upper limit.
void workedLayout()
{
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 2)
        .feed("F3", 3, none, none, 0.3)
        .nutrient("N1", 1, none, none, {1, 1, 1})
        .nutrient("N2", none, 18, 20, {10, 20, 30})
        .nutrient("N3", none, 2800, none, {2500, 3000, 2900})
        .nutrient("N4", none, none, none, {1, 2, 3})
        .apply();
}

}  // namespace

TEST(OptimizerLayout, WorkedLayout)
{
    workedLayout();
    Solve s(false, 0);  // no pivot: the tableau as built
    const Optimizer& o = *s.opt;
    EXPECT_EQ(o.AROWNAMES, (QStringList{"N1", "N2", "N3", "N4", "N2", "F3"}));
    EXPECT_EQ(o.AROWTYPES, (QStringList{"Sabit", "Alt", "Alt", "Yok", "Üst", "Üst"}));
    EXPECT_EQ(o.NBMROWS, 5);
    EXPECT_EQ(o.NFEEDCOLS, 3);
    EXPECT_EQ(o.NBIGM, 300.0);
    EXPECT_EQ(o.ARHS, (std::vector<double>{1, 18, 2800, 20, 0.3}));
    EXPECT_EQ(o.AINITBASIS, (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(o.ABASIS, o.AINITBASIS);
    EXPECT_EQ(o.ACOST, (std::vector<double>{1, 2, 3, 0, 0, 300, 300, 300, 0, 0}));
    EXPECT_EQ(o.artificial, (std::vector<char>{0, 0, 0, 0, 0, 1, 1, 1, 0, 0}));
    ASSERT_EQ(o.ATABLEAU.size(), 5u);
    EXPECT_EQ(o.ATABLEAU[0], (std::vector<double>{1, 1, 1, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(o.ATABLEAU[1], (std::vector<double>{10, 20, 30, -1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(o.ATABLEAU[2], (std::vector<double>{2500, 3000, 2900, 0, -1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(o.ATABLEAU[3], (std::vector<double>{10, 20, 30, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(o.ATABLEAU[4], (std::vector<double>{0, 0, 1, 0, 0, 0, 0, 0, 0, 1}));
    // Requested values as the report shows them: N2's two rows each keep one limit.
    EXPECT_EQ(o.ACTSINVALUE(1), 18.0);
    EXPECT_EQ(o.ACTSINVALUE(3), std::nullopt);
    EXPECT_EQ(o.ACTSINVALUE(4), 20.0);
    EXPECT_FALSE(o.AUSERLIMITS[LIM_UPP][1].has_value());
    ASSERT_EQ(o.ABMMATRIX.size(), 5u);
    EXPECT_EQ(o.ABMMATRIX[3], (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(o.ABMMATRIX[4], (std::vector<double>{10, 20, 30}));
}

TEST(OptimizerLayout, WorkedLayoutSolves)
{
    workedLayout();
    Solve s;
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_EQ(s.opt->stopReason, StopReason::Optimal);
    EXPECT_TRUE(s.reported);
    // Weight 1, N2 between 18 and 20, N3 at least 2800, F3 at most 0.3.
    const double x1 = s.x(0), x2 = s.x(1), x3 = s.x(2);
    EXPECT_NEAR(x1 + x2 + x3, 1.0, 1e-9);
    EXPECT_GE(10 * x1 + 20 * x2 + 30 * x3, 18 - 1e-9);
    EXPECT_LE(10 * x1 + 20 * x2 + 30 * x3, 20 + 1e-9);
    EXPECT_GE(2500 * x1 + 3000 * x2 + 2900 * x3, 2800 - 1e-9);
    EXPECT_LE(x3, 0.3 + 1e-9);
    // The cheapest such mixes cost 1.8 (x1 = 0.2, x2 = 0.8 is one of them).
    EXPECT_NEAR(s.cost(), 1.8, 1e-9);
    EXPECT_NEAR(x1 + 2 * x2 + 3 * x3, 1.8, 1e-9);
}

TEST(OptimizerLayout, FeedLimitRowsComeFixedThenLowerThenUpper)
{
    ProblemBuilder()
        .feed("F1", 1, none, 0.1, none)
        .feed("F2", 2, 0.2, 0.1, 0.9)  // the fixed amount wins
        .feed("F3", 3, none, 0.05, 0.5)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1})
        .apply();
    Solve s(false, 0);
    EXPECT_EQ(s.opt->AROWNAMES, (QStringList{"AGIRLIK", "F2", "F1", "F3", "F3"}));
    EXPECT_EQ(s.opt->AROWTYPES, (QStringList{"Sabit", "Sabit", "Alt", "Alt", "Üst"}));
    EXPECT_EQ(s.opt->ARHS, (std::vector<double>{1, 0.2, 0.1, 0.05, 0.5}));
    EXPECT_EQ(s.opt->ATABLEAU[1][1], 1.0);
    EXPECT_EQ(s.opt->ATABLEAU[2][0], 1.0);
    EXPECT_EQ(s.opt->ATABLEAU[4][2], 1.0);
}

TEST(OptimizerLayout, RatioRowsCoefficientsAndNames)
{
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 2)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("KALSIYUMXYZ", none, none, none, {2, 4})  // 11 characters
        .nutrient("FOSFORXYZ1", none, none, none, {1, 1})   // 10 characters
        .nutrient("A", none, none, none, {1, 0})
        .nutrient("B", none, none, none, {0, 1})
        .ratio("KALSIYUMXYZ", "FOSFORXYZ1", none, 1.5, 3)
        .ratio("A", "B", none, none, none)     // limitless: a line, no tableau row
        .ratio("A", "MISSING", 1, none, none)  // unknown nutrient: no trace
        .ratio("A", "A", none, none, 0.5)      // (1 - R) x A
        .apply();
    Solve s(false, 0);
    const Optimizer& o = *s.opt;
    EXPECT_EQ(o.NBMROWS, 5);
    EXPECT_EQ(o.AROWNAMES.mid(5), (QStringList{"KALSIYUMX/FOSFORXYZ", "A/B", "A/A", "KALSIYUMX/FOSFORXYZ"}));
    EXPECT_EQ(o.AROWTYPES.mid(5), (QStringList{"Alt", "Yok", "Üst", "Üst"}));
    ASSERT_EQ(o.ARATIOPAIRS.size(), 4u);
    EXPECT_EQ(o.ARATIOPAIRS[0].dividend, 1);
    EXPECT_EQ(o.ARATIOPAIRS[0].divisor, 2);
    EXPECT_EQ(o.ARATIOPAIRS[2].dividend, 3);
    EXPECT_EQ(o.ARATIOPAIRS[2].divisor, 3);
    EXPECT_EQ(o.AUSERLIMITS[LIM_LOW][5], 1.5);
    EXPECT_EQ(o.AUSERLIMITS[LIM_UPP][8], 3.0);
    // Tableau rows: AGIRLIK, then the three ratio rows with a limit.
    ASSERT_EQ(o.ATABLEAU.size(), 4u);
    EXPECT_DOUBLE_EQ(o.ATABLEAU[1][0], 2 - 1.5 * 1);
    EXPECT_DOUBLE_EQ(o.ATABLEAU[1][1], 4 - 1.5 * 1);
    EXPECT_DOUBLE_EQ(o.ATABLEAU[2][0], 0.5);
    EXPECT_DOUBLE_EQ(o.ATABLEAU[2][1], 0.0);
    EXPECT_DOUBLE_EQ(o.ATABLEAU[3][0], 2 - 3.0);
    EXPECT_DOUBLE_EQ(o.ATABLEAU[3][1], 4 - 3.0);
    EXPECT_EQ(o.ARHS, (std::vector<double>{1, 0, 0, 0}));
}

TEST(OptimizerLayout, RatioRowNames)
{
    struct Case {
        const char* c1;
        const char* c2;
        const char* name;
    } cases[] = {
        {"CA", "P", "CA/P"},
        {"ABCDEFGHIJ", "ABCDEFGHI", "ABCDEFGHIJ/ABCDEFGHI"},    // 20: whole
        {"ABCDEFGHIJKL", "ABCDEFGHIJ", "ABCDEFGHI/ABCDEFGHI"},  // 23: 9 + 9
        {"ABCDEFGHIJKLMNO", "P", "ABCDEFGHIJKLMNO/P"},
        {"ABCDEFGHIJKLMNO", "ABCDEFGHIJ", "ABCDEFGHI/ABCDEFGHI"},
        {"ABCDEFGHIJKLMNOPQRST", "P", "ABCDEFGHI/P"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Optimizer::GETNTRUNCATED(c.c1, c.c2), QString(c.name)) << c.c1 << "/" << c.c2;
}

TEST(OptimizerLayout, RatiosLookUpNutrientRowsOnly)
{
    // A ratio naming "A/B" must not find the earlier ratio row of that name.
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 2)
        .nutrient("A", 1, none, none, {1, 1})
        .nutrient("B", none, none, none, {1, 2})
        .ratio("A", "B", none, 0.5, none)
        .ratio("A/B", "B", none, 1, none)
        .apply();
    Solve s(false, 0);
    EXPECT_EQ(s.opt->AROWNAMES, (QStringList{"A", "B", "A/B"}));
    EXPECT_EQ(s.opt->ARATIOPAIRS.size(), 1u);
    EXPECT_EQ(s.opt->ATABLEAU.size(), 2u);
}

// A ratio whose nutrient is not in the problem is passed over by the solve;
// the warning names exactly those ratios, by the rule the solve follows
// (trimmed names, letter case counting), each once.
TEST(OptimizerLayout, RatiosTheSolvePassesOverAreNamed)
{
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 2)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("KALSIYUM", none, none, none, {2, 4})
        .nutrient("FFOSFOR", none, none, none, {1, 1})
        .ratio("KALSIYUM", "FOSFOR", none, 1.5, 2)    // a typo
        .ratio("KALSIYUM", "FFOSFOR", none, 1.5, none)
        .ratio("kalsiyum", "FFOSFOR", 1, none, none)  // letter case counts
        .ratio("MAGNEZYUM", "SODYUM", none, none, none)
        .ratio("ÇİNKO", "ÇİNKO", none, none, 1)
        .ratio("KALSIYUM", "", none, 1, none)         // without both names: no part
        .ratio("KALSIYUM", "FOSFOR", none, 1.2, none) // the same ratio again
        .apply();
    const QString tail = QStringLiteral(" problemde yok; bu oran çözümde kullanılmadı.");
    const QStringList lines = {
        "KALSIYUM/FOSFOR: FOSFOR besin maddesi" + tail,
        "kalsiyum/FFOSFOR: kalsiyum besin maddesi" + tail,
        "MAGNEZYUM/SODYUM: MAGNEZYUM ve SODYUM besin maddeleri" + tail,
        "ÇİNKO/ÇİNKO: ÇİNKO besin maddesi" + tail,
    };
    EXPECT_EQ(unusedRatioLines(), lines);

    FakePort port;
    warnUnusedRatios(port);
    EXPECT_EQ(port.log, QStringList{"box 48 Uyarı...: " + lines.join('\n')});

    // The solve uses the one ratio not named.
    Solve s(false, 0);
    EXPECT_EQ(s.opt->AROWNAMES.mid(s.opt->NBMROWS), QStringList{"KALSIYUM/FFOSFOR"});

    // Nothing to name: no box.
    ProblemBuilder()
        .feed("F1", 1)
        .nutrient("KALSIYUM", none, none, none, {2})
        .nutrient("FFOSFOR", none, none, none, {1})
        .ratio(" KALSIYUM", "FFOSFOR", none, 1.5, none)
        .apply();
    FakePort quiet;
    warnUnusedRatios(quiet);
    EXPECT_TRUE(quiet.log.isEmpty());
}

TEST(OptimizerIntake, UnpricedAndNamelessFeedsLeaveWithTheirColumns)
{
    ProblemBuilder()
        .feed("A", 1)
        .feed("B", none, none, 0.5, none)  // no price: out, limit and all
        .feed("", 7)                       // no name: out with its column
        .feed("C", 2, none, none, 0.8)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1, 1})
        .nutrient("HP", none, 10, none, {8, 50, 60, 20})
        .apply();
    // A row added in a window and never filled, beyond the matrix: ignored.
    G().AYMTABLE.append(Row{QString(20, ' '), blankCell(), blankCell(), blankCell(), blankCell()});
    Solve s(false, 0);
    EXPECT_EQ(s.opt->ACOLNAMES, (QStringList{"A", "C"}));
    EXPECT_EQ(std::vector<double>(s.opt->ACOST.begin(), s.opt->ACOST.begin() + 2), (std::vector<double>{1, 2}));
    EXPECT_EQ(s.opt->ABMMATRIX[1], (std::vector<double>{8, 20}));
    EXPECT_EQ(s.opt->AROWNAMES, (QStringList{"AGIRLIK", "HP", "C"}));
    EXPECT_EQ(s.opt->NBIGM, 200.0);
}

TEST(OptimizerIntake, RaggedMatrixRowsCountMissingCellsAsZero)
{
    ProblemBuilder()
        .feed("A", 2)
        .feed("B", 1)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("HP", none, 10, none, {20})
        .apply();
    Solve s;
    EXPECT_EQ(s.opt->ABMMATRIX[1], (std::vector<double>{20, 0}));
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_NEAR(s.x(0), 0.5, 1e-9);
}

// ---------------------------------------------------------------------------
// Refusals: the please-wait box goes first, then the error tone and the box.

TEST(OptimizerRefusals, MessagesAndOrder)
{
    const QStringList refusedNoPrice{"wait close", "tone 100 3", box(txt::kNoPrice)};
    const QStringList refusedNoLimit{"wait close", "tone 100 3", box(txt::kNoLimit)};
    const QStringList refusedShape{"wait close", "tone 100 3", box(txt::kShapeMismatch)};
    struct Case {
        const char* what;
        std::function<void()> build;
        QStringList log;
    } cases[] = {
        {"no feed", [] { ProblemBuilder().nutrient("AGIRLIK", 1, none, none, {}).apply(); }, refusedNoPrice},
        {"no price",
         [] { ProblemBuilder().feed("A", none).feed("B", none).nutrient("AGIRLIK", 1, none, none, {1, 1}).apply(); },
         refusedNoPrice},
        {"no limit",
         [] {
             ProblemBuilder()
                 .feed("A", 1)
                 .feed("B", 2)
                 .nutrient("AGIRLIK", none, none, none, {1, 1})
                 .ratio("AGIRLIK", "AGIRLIK", none, none, none)
                 .apply();
         },
         refusedNoLimit},
        {"named feed without a column",
         [] {
             ProblemBuilder().feed("A", 1).feed("B", 2).nutrient("AGIRLIK", 1, none, none, {1, 1}).apply();
             G().AYMTABLE.append(Row{"C", "      1.000", blankCell(), blankCell(), blankCell()});
         },
         refusedShape},
        {"named nutrient without a row",
         [] {
             ProblemBuilder().feed("A", 1).feed("B", 2).nutrient("AGIRLIK", 1, none, none, {1, 1}).apply();
             G().ABMTABLE.append(Row{"HP", "%", blankCell(), "    10.0000", blankCell()});
         },
         refusedShape},
        {"matrix wider than the feeds",
         [] { ProblemBuilder().feed("A", 1).feed("B", 2).nutrient("AGIRLIK", 1, none, none, {1, 1, 1}).apply(); },
         refusedShape},
    };
    for (const Case& c : cases) {
        c.build();
        Solve s;
        EXPECT_EQ(s.port.log, c.log) << c.what;
        EXPECT_FALSE(s.reported) << c.what;
        EXPECT_EQ(s.opt->stopReason, StopReason::NotRun) << c.what;
        EXPECT_FALSE(static_cast<KY_OPTIMIZER&>(*s.opt).RESULT()) << c.what;
    }
}

TEST(OptimizerRefusals, OnlyFeedLimitsOrOnlyRatiosAreEnough)
{
    ProblemBuilder().feed("A", 1, none, 0.5, none).feed("B", 2).nutrient("HP", none, none, none, {1, 2}).apply();
    Solve feedsOnly;
    EXPECT_TRUE(feedsOnly.reported);
    EXPECT_TRUE(feedsOnly.opt->optimumFound);
    EXPECT_NEAR(feedsOnly.x(0), 0.5, 1e-9);
}

// ---------------------------------------------------------------------------
// Concrete solves: each broke the method as first written.

TEST(OptimizerSolve, SecondFixedRowDoesNotThrowTheOptimumAway)
{
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 2)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("W2", 2, none, none, {2, 2})
        .apply();
    Solve s;
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_NEAR(s.x(0), 1.0, 1e-9);
    EXPECT_NEAR(s.x(1), 0.0, 1e-9);
    EXPECT_NEAR(s.cost(), 1.0, 1e-9);
}

TEST(OptimizerSolve, SmallContentsNeedMoreThanTheBigM)
{
    ProblemBuilder()
        .feed("F1", 2)
        .feed("F2", 1)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("CA", none, 0.0015, none, {0.002, 0.0005}, "Kg/Kg")
        .apply();
    Solve s;
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_EQ(s.opt->stopReason, StopReason::Optimal);
    EXPECT_NEAR(s.x(0), 2.0 / 3, 1e-9);
    EXPECT_NEAR(s.x(1), 1.0 / 3, 1e-9);
    EXPECT_NEAR(s.cost(), 5.0 / 3, 1e-9);
    // The last pricing is that of the real costs: cost per unit of weight and
    // per unit of calcium, and the basic costs are the prices.
    EXPECT_NEAR(s.shadow(0), 2.0 / 3, 1e-6);
    EXPECT_NEAR(s.shadow(1), 1 / 0.0015, 1e-6);
    EXPECT_EQ(s.opt->ACOSTB[s.opt->basicRow(0)], 2.0);
}

TEST(OptimizerSolve, AllPricesZero)
{
    ProblemBuilder()
        .feed("F1", 0)
        .feed("F2", 0)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("HP", none, 10, none, {8, 20})
        .apply();
    Solve s;
    EXPECT_EQ(s.opt->NBIGM, 1.0);
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_NEAR(s.cost(), 0.0, 1e-12);
    EXPECT_NEAR(s.x(0) + s.x(1), 1.0, 1e-9);
    EXPECT_GE(8 * s.x(0) + 20 * s.x(1), 10 - 1e-9);
}

TEST(OptimizerSolve, RatioOfZeroRowsStillGivesTheMix)
{
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 3)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("HP", none, 10, none, {8, 20})
        .nutrient("CA", none, none, none, {0, 0})
        .nutrient("P", none, none, none, {0, 0})
        .ratio("CA", "P", none, 1, none)
        .apply();
    Solve s;
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_NEAR(s.x(0), 5.0 / 6, 1e-9);
    EXPECT_NEAR(s.x(1), 1.0 / 6, 1e-9);
    EXPECT_NEAR(s.cost(), 4.0 / 3, 1e-9);
}

TEST(OptimizerSolve, NoSolution)
{
    ProblemBuilder()
        .feed("F1", 1)
        .feed("F2", 3)
        .nutrient("AGIRLIK", 1, none, none, {1, 1})
        .nutrient("HP", none, 30, none, {8, 20})
        .apply();
    Solve s;
    EXPECT_FALSE(s.opt->optimumFound);
    EXPECT_EQ(s.opt->stopReason, StopReason::Infeasible);
    EXPECT_TRUE(s.reported);
    // An artificial column is still in the basis: the report marks the limits.
    bool artificialBasic = false;
    for (int c : s.opt->ABASIS)
        artificialBasic = artificialBasic || s.opt->isArtificial(c);
    EXPECT_TRUE(artificialBasic);
}

TEST(OptimizerSolve, NoEnteringColumnIsNoOptimum)
{
    // A price below 0 (only a damaged file holds one) and no weight row: the
    // cost falls without end, and the iterations stop without an optimum.
    ProblemBuilder().feed("A", 1).nutrient("HP", none, 10, none, {8}).apply();
    G().AYMTABLE[0][YMPRICE] = "     -1.000";
    Solve s;
    EXPECT_EQ(s.opt->stopReason, StopReason::NoEnteringColumn);
    EXPECT_FALSE(s.opt->optimumFound);
    EXPECT_TRUE(s.reported);
}

TEST(OptimizerSolve, IterationCapEndsNotFoundWithTheBox)
{
    // Every feed but the filler carries one limit alone: five pivots at least.
    ProblemBuilder()
        .feed("F1", 4)
        .feed("F2", 3)
        .feed("F3", 2)
        .feed("F4", 5)
        .feed("FILLER", 1)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1, 1, 1})
        .nutrient("N1", none, 1, none, {10, 0, 0, 0, 0})
        .nutrient("N2", none, 1, none, {0, 10, 0, 0, 0})
        .nutrient("N3", none, 1, none, {0, 0, 10, 0, 0})
        .nutrient("N4", none, 1, none, {0, 0, 0, 10, 0})
        .apply();
    Solve full;
    ASSERT_TRUE(full.opt->optimumFound);
    ASSERT_GT(full.opt->iterations, 3);
    EXPECT_NEAR(full.cost(), 0.1 * (4 + 3 + 2 + 5) + 0.6, 1e-9);

    Solve s(false, 3);
    EXPECT_EQ(s.opt->iterations, 3);
    EXPECT_EQ(s.opt->stopReason, StopReason::IterationCap);
    EXPECT_FALSE(s.opt->optimumFound);
    EXPECT_EQ(s.port.log, (QStringList{"wait close", box(txt::kIterationCap)}));
    EXPECT_TRUE(s.reported);  // the report still follows
}

TEST(OptimizerReport, MarksAndRequestedValues)
{
    workedLayout();
    Solve s(false, 0);
    const Optimizer& o = *s.opt;
    const QString blank(7, ' ');
    const QString mark = QStringLiteral("      *");
    struct Case {
        bool skip;
        int row;
        double reached;
        double limit;
        QString expected;
    } cases[] = {
        {false, 1, 17.99996, 18, blank},  // lower limit, rounds to 18.0000
        {false, 1, 17.9998, 18, mark},
        {false, 4, 20.00004, 20, blank},  // upper limit
        {false, 4, 20.0002, 20, mark},
        {false, 0, 1.0001, 1, mark},      // fixed
        {false, 0, 0.99996, 1, blank},
        {true, 4, 25, 20, blank},
    };
    for (const Case& c : cases)
        EXPECT_EQ(o.ISARETVARMI(c.skip, c.row, c.reached, c.limit), c.expected) << c.row << " " << c.reached;
}

// ---------------------------------------------------------------------------
// Daily ration: prices per unit of dry matter

namespace {

// Two feeds; 10 kg of dry matter a day with at least 15 units of NEL.
ProblemBuilder ration(bool withKmo)
{
    ProblemBuilder b("G");
    b.feed("ARPA", 2).feed("SAMAN", 1);
    b.nutrient("KMT", 10, none, none, {1, 1}, "Kg/Kg");
    if (withKmo)
        b.nutrient("KMO", none, none, none, {80, 50});
    b.nutrient("NEL", none, 15, none, {1.8, 1.2});
    return b;
}

}  // namespace

TEST(DailyRation, DryMatterCosts)
{
    ration(true).apply();
    Solve s(true);
    const Optimizer& o = *s.opt;
    EXPECT_TRUE(s.port.log.isEmpty());
    EXPECT_EQ(o.NKMOROW, 1);
    EXPECT_EQ(o.AKMOVALUES, (std::vector<double>{80, 50}));
    EXPECT_EQ(o.ACOST, (std::vector<double>{2, 1}));
    ASSERT_GE(o.ASIMPLEXCOST.size(), 2u);
    EXPECT_DOUBLE_EQ(o.ASIMPLEXCOST[0], 2.0 / 80 * 100);
    EXPECT_DOUBLE_EQ(o.ASIMPLEXCOST[1], 1.0 / 50 * 100);
    EXPECT_EQ(o.NBIGM, 200.0);  // from the prices as entered
    // The limitless KMO row keeps its line but has no tableau row.
    EXPECT_EQ(o.AROWNAMES, (QStringList{"KMT", "KMO", "NEL"}));
    EXPECT_EQ(o.ATABLEAU.size(), 2u);
    // 2.5 x1 + 2 x2 with x1 + x2 = 10 and 1.8 x1 + 1.2 x2 >= 15: x1 = x2 = 5.
    EXPECT_TRUE(o.optimumFound);
    EXPECT_NEAR(s.x(0), 5, 1e-9);
    EXPECT_NEAR(s.x(1), 5, 1e-9);
    EXPECT_NEAR(s.cost(), 22.5, 1e-9);
}

TEST(DailyRation, WithoutKmoRowTheMessageComesFirstAndPricesAreUsed)
{
    ration(false).apply();
    Solve s(true);
    const Optimizer& o = *s.opt;
    // The please-wait box stays open for this message.
    EXPECT_EQ(s.port.log, (QStringList{"tone 100 3", box(txt::kNoKmoRow)}));
    EXPECT_EQ(o.NKMOROW, -1);
    EXPECT_TRUE(o.AKMOVALUES.empty());
    EXPECT_EQ(o.ASIMPLEXCOST, o.ACOST);
    EXPECT_TRUE(o.optimumFound);
    EXPECT_NEAR(s.x(0), 5, 1e-9);
    EXPECT_NEAR(s.cost(), 15, 1e-9);

    // Without any limit as well: the message, then the refusal.
    ProblemBuilder("G").feed("ARPA", 2).feed("SAMAN", 1).nutrient("NEL", none, none, none, {1.8, 1.2}).apply();
    Solve refused(true);
    EXPECT_EQ(refused.port.log, (QStringList{"tone 100 3", box(txt::kNoKmoRow), "wait close", "tone 100 3",
                                             box(txt::kNoLimit)}));
    EXPECT_FALSE(refused.reported);
}

TEST(DailyRation, FeedsWithoutDryMatterRatioAreLeftOut)
{
    ProblemBuilder("G")
        .feed("ARPA", 2)
        .feed("MELAS", 0.5, none, 1, none)
        .feed("SAMAN", 1)
        .feed("UREA", 0.1)
        .nutrient("KMT", 10, none, none, {1, 1, 1, 1}, "Kg/Kg")
        .nutrient("KMO", none, none, none, {80, 0, 50, 0})
        .nutrient("NEL", none, 15, none, {1.8, 3, 1.2, 0})
        .apply();
    Solve s(true);
    const Optimizer& o = *s.opt;
    EXPECT_EQ(s.port.log, (QStringList{"wait close", QStringLiteral("box 48 Uyarı...: ") + txt::kKmoDropped +
                                                         "\nMELAS\nUREA"}));
    EXPECT_EQ(o.NFEEDCOLS, 2);
    EXPECT_EQ(o.ACOLNAMES, (QStringList{"ARPA", "SAMAN"}));
    EXPECT_EQ(o.AKMOVALUES, (std::vector<double>{80, 50}));
    EXPECT_EQ(o.ABMMATRIX[2], (std::vector<double>{1.8, 1.2}));
    EXPECT_EQ(o.NBIGM, 200.0);  // stays as computed from every priced feed
    // MELAS's lower limit left with it.
    EXPECT_EQ(o.AROWNAMES, (QStringList{"KMT", "KMO", "NEL"}));
    EXPECT_TRUE(o.optimumFound);
    EXPECT_NEAR(s.cost(), 22.5, 1e-9);

    ProblemBuilder("G")
        .feed("MELAS", 0.5)
        .nutrient("KMT", 10, none, none, {1}, "Kg/Kg")
        .nutrient("KMO", none, none, none, {0})
        .apply();
    Solve refused(true);
    EXPECT_EQ(refused.port.log, (QStringList{"wait close", "tone 100 3", box(txt::kNoKmoFeed)}));
    EXPECT_FALSE(refused.reported);
}

TEST(DailyRation, DryMatterCostEqualToBigMIsNoArtificial)
{
    // SAMAN's price per unit of dry matter is 1 / 1 x 100 = 100 = M.
    ProblemBuilder("G")
        .feed("SAMAN", 1)
        .feed("ARPA", 0.5)
        .nutrient("KMT", 1, none, none, {1, 1}, "Kg/Kg")
        .nutrient("KMO", none, none, none, {1, 50})
        .nutrient("NEL", none, 2, none, {3, 1})
        .apply();
    Solve s(true);
    EXPECT_EQ(s.opt->NBIGM, 100.0);
    EXPECT_EQ(s.opt->ASIMPLEXCOST[0], 100.0);
    EXPECT_TRUE(s.opt->optimumFound);
    EXPECT_NEAR(s.x(0), 0.5, 1e-9);
    EXPECT_NEAR(s.x(1), 0.5, 1e-9);
    EXPECT_NEAR(s.cost(), 50.5, 1e-9);
}
