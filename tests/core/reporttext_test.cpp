#include "core/reporttext.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace zeva::report;

TEST(ReportText, AlignmentHelpers)
{
    EXPECT_EQ(L("ab", 5), "ab   ");
    EXPECT_EQ(R("ab", 5), "   ab");
    EXPECT_EQ(C("ab", 5), " ab  ");
    EXPECT_EQ(C("Adı", 20), "        Adı         ");
    EXPECT_EQ(L("uzun metin", 4), "uzun");
    EXPECT_EQ(N(1.23456, 11, 4), "     1.2346");
    EXPECT_EQ(N(-0.5, 8, 3), "  -0.500");
    EXPECT_EQ(N(-0.00001, 8, 3), "   0.000");
    EXPECT_EQ(N(0.125, 6, 2), "  0.13");
    EXPECT_EQ(N(1234567.5, 5, 1), "1234567.5");  // never cut
    // A half that the double holds just below it still rounds up.
    EXPECT_LT(39.3 * 0.0025, 0.09825);
    EXPECT_EQ(N(39.3 * 0.0025, 11, 4), "     0.0983");
    EXPECT_EQ(N(-39.3 * 0.0025, 11, 4), "    -0.0983");
    EXPECT_EQ(b(3), "   ");
    EXPECT_EQ(rule(4), "----");
}

// A number in a column keeps its width: whole, else with the decimals that
// fit (rounded), else asterisks; never a cut number.
TEST(ReportText, NumberFieldsAreNeverCut)
{
    struct Case {
        double x;
        int w;
        int d;
        const char* want;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Case& c : {
             Case{1.23456, 11, 4, "     1.2346"},     // as N writes it
             Case{-0.5, 8, 3, "  -0.500"},
             Case{-0.00001, 8, 3, "   0.000"},
             Case{12345678.0, 11, 4, "12345678.00"},   // two of the four decimals fit
             Case{12345678.456, 11, 4, "12345678.46"}, // rounded, not cut
             Case{9999999.996, 10, 2, "10000000.0"},   // the rounding carries into a new digit
             Case{6063099999.4, 10, 2, "6063099999"}, // no decimal fits: no point either
             Case{60630999998.39, 10, 2, "**********"},
             Case{99999999999.0, 10, 2, "**********"},
             Case{-99999999990.0, 13, 4, " -99999999990"},
             Case{-999999999999.0, 12, 2, "************"},  // the sign takes a column too
             Case{9999999999.5, 10, 2, "**********"},  // the whole part rounds up out of the field
             Case{inf, 5, 1, "*****"},
             Case{std::nan(""), 4, 0, "****"},
         }) {
        EXPECT_EQ(numberField(c.x, c.w, c.d), QString::fromLatin1(c.want)) << c.x << " in " << c.w << "." << c.d;
        EXPECT_EQ(numberField(c.x, c.w, c.d).size(), c.w);
    }
}

TEST(ReportText, LinesAre100CharactersWithCrLfIn1254)
{
    ReportText r;
    r.add("Çözüm");
    r.blank();
    r.add(QString(120, QLatin1Char('x')));
    r.add(QStringLiteral("yol \u4E2D"));
    const QByteArray bytes = r.bytes();
    ASSERT_EQ(bytes.size(), 4 * 102);
    EXPECT_EQ(bytes.left(5), QByteArray("\xC7\xF6z\xFCm"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytes.mid(i * 102 + 100, 2), QByteArray("\r\n"));
    EXPECT_EQ(bytes.mid(102, 100), QByteArray(100, ' '));
    EXPECT_EQ(bytes.mid(306, 6), QByteArray("yol ? "));
}

TEST(ReportText, UnpaddedLinesStandAsTheyAre)
{
    ReportText r;
    r.add("a");
    r.addUnpadded(QString());
    r.addUnpadded("       Oranı:");
    EXPECT_EQ(r.bytes().mid(102), QByteArray("\r\n       Oran\xFD:\r\n"));
}

TEST(ReportText, FormFeedsStandInFrontOfTheNextLineOrEndTheText)
{
    ReportText r;
    r.formFeed();  // before the first line
    r.add("a");
    r.formFeed();
    r.add(QString(100, QLatin1Char('x')));  // a full line keeps its 100 columns
    r.formFeed();
    r.formFeed();  // nothing follows: two lone form feeds close the text
    const QByteArray bytes = r.bytes();
    ASSERT_EQ(bytes.size(), 1 + 102 + 1 + 102 + 2);
    EXPECT_EQ(bytes.left(3), QByteArray("\fa "));
    EXPECT_EQ(bytes.mid(101, 2), QByteArray("\r\n"));
    EXPECT_EQ(bytes.mid(103, 1), QByteArray("\f"));
    EXPECT_EQ(bytes.mid(104, 100), QByteArray(100, 'x'));
    EXPECT_EQ(bytes.mid(204), QByteArray("\r\n\f\f"));
    EXPECT_EQ(r.lines().size(), 2);

    // A text of form feeds only.
    ReportText empty;
    empty.formFeed();
    empty.formFeed();
    EXPECT_EQ(empty.bytes(), QByteArray("\f\f"));
    EXPECT_TRUE(empty.lines().isEmpty());
}
