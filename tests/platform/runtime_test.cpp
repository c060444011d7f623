#include "platform/runtime.h"
#include "platform/tolerance.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using namespace zeva;

TEST(Str, FormatsRightAlignedWithPoint)
{
    struct Case { double v; int w; int d; const char* out; };
    const Case cases[] = {
        {12.5, 11, 4, "    12.5000"},
        {0.5, 6, 2, "  0.50"},
        {-1.25, 8, 1, "    -1.3"},   // half away from zero
        {-0.0001, 7, 2, "   0.00"},   // no negative zero
        {7, 3, 0, "  7"},
        {123456, 3, 0, "***"},      // overflow fills the width with asterisks
        {12.345, 4, 2, "****"},
        {1000, 11, 2, "    1000.00"},
        // too large to scale by 10^decimals: still a number too wide, never "inf"
        {-1.5e294, 15, 15, "***************"},
        {1e300, 11, 5, "***********"},
        {1.5, 5, 400, "*****"},
        // width 0: as wide as needed; not a number is never the empty text
        {-12.5, 0, 2, "-12.50"},
        {std::nan(""), 0, 0, "*"},
        {-HUGE_VAL, 0, 2, "*"},
        {HUGE_VAL, 4, 2, "****"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str(c.v, c.w, c.d), QString::fromLatin1(c.out)) << c.v << " " << c.w << " " << c.d;
}

TEST(Val, ReadsLeadingNumber)
{
    struct Case { const char* in; double out; };
    const Case cases[] = {
        {"   12.50", 12.5}, {"-3.5", -3.5}, {"+2", 2}, {"12.5.6", 12.5}, {"7kg", 7},
        {"", 0}, {"abc", 0}, {"  -", 0}, {".5", 0.5}, {"1,5", 1}, {" 1 2", 1}, {"-.25", -0.25},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.in)), c.out) << c.in;
}

TEST(Pad, PadsOrCutsToWidth)
{
    EXPECT_EQ(PadL("ab", 5), "   ab");
    EXPECT_EQ(PadR("ab", 5), "ab   ");
    EXPECT_EQ(PadC("ab", 5), " ab  ");
    EXPECT_EQ(PadL("abcdef", 3), "abc");
    EXPECT_EQ(PadR("abcdef", 3), "abc");
    EXPECT_EQ(PadC("abcdef", 3), "abc");
    EXPECT_EQ(PadR("x", 0), "");
    EXPECT_EQ(AllTrim("  a b  "), "a b");
}

TEST(Round, HalfAwayFromZero)
{
    EXPECT_DOUBLE_EQ(Round(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(Round(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(Round(1.2345, 3), 1.235);
    EXPECT_DOUBLE_EQ(Round(1234.5678, -2), 1200);
    // Values that overflow when scaled are whole at that many decimals already.
    EXPECT_DOUBLE_EQ(Round(-1.5e294, 15), -1.5e294);
    EXPECT_DOUBLE_EQ(Round(1.5, 400), 1.5);
    EXPECT_DOUBLE_EQ(Round(0, 400), 0);
}

TEST(Dates, DayMonthYear)
{
    EXPECT_EQ(DateText(QDate(2026, 3, 7)), "07.03.2026");
    EXPECT_EQ(DateFromText(" 07.03.2026"), QDate(2026, 3, 7));
}

TEST(Compare, ExactAndBeginsWith)
{
    EXPECT_TRUE(ExactEqual("HP", "HP"));
    EXPECT_FALSE(ExactEqual("HP ", "HP"));
    EXPECT_TRUE(BeginsWith("HP_KANATLI", "HP"));
    EXPECT_TRUE(BeginsWith("HP", ""));
    EXPECT_FALSE(BeginsWith("H", "HP"));
}

TEST(Tolerance, CloserThanTenToTheMinusSevenIsEqual)
{
    EXPECT_TRUE(tol::eq(1.0, 1.0 + 0.00000009));
    EXPECT_FALSE(tol::eq(1.0, 1.0 + 0.0000002));
    EXPECT_FALSE(tol::positive(0.00000009));
    EXPECT_TRUE(tol::positive(0.0000001));
    EXPECT_TRUE(tol::negative(-0.0000001));
    EXPECT_TRUE(tol::isZero(-0.00000005));
    EXPECT_TRUE(tol::ge(1.0, 1.00000005));
    EXPECT_TRUE(tol::le(1.00000005, 1.0));
}

// Qt sets the process locale from the environment; a comma-decimal locale must
// not change how the program writes or reads numbers.
TEST(Locale, CommaDecimalLocaleChangesNothing)
{
    const char* names[] = {"tr_TR.UTF-8", "tr_TR.utf8", "de_DE.UTF-8", "de_DE.utf8"};
    const char* found = nullptr;
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* n : names)
        if (std::setlocale(LC_ALL, n)) {
            found = n;
            break;
        }
    if (!found)
        GTEST_SKIP() << "no comma-decimal locale on this machine";
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_STREQ(buf, "1,5") << "locale " << found << " did not switch the C library";
    EXPECT_EQ(Str(1234.5, 9, 2), "  1234.50");
    EXPECT_DOUBLE_EQ(Val("12.75"), 12.75);
    EXPECT_DOUBLE_EQ(Val("12,75"), 12);
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, before.c_str());
}

TEST(Runtime, AsStringOfEveryKind)
{
    EXPECT_EQ(AsString(QVariant()), QStringLiteral("NIL"));
    EXPECT_EQ(AsString(QStringLiteral("Şeker")), QStringLiteral("Şeker"));
    EXPECT_EQ(AsString(QString()), QString());
    EXPECT_EQ(AsString(true), QStringLiteral(".T."));
    EXPECT_EQ(AsString(false), QStringLiteral(".F."));
    EXPECT_EQ(AsString(0), QStringLiteral("0"));
    EXPECT_EQ(AsString(-42), QStringLiteral("-42"));
    EXPECT_EQ(AsString(4294967295u), QStringLiteral("4294967295"));
    EXPECT_EQ(AsString(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(AsString(-0.0), QStringLiteral("0"));
    EXPECT_EQ(AsString(3.0), QStringLiteral("3"));
    EXPECT_EQ(AsString(QDate(2024, 3, 9)), QStringLiteral("09.03.2024"));
}
