#include "core/reporttext.h"

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
