#include "core/numeric.h"

#include <gtest/gtest.h>

using namespace zeva;

namespace {
QString r11(const char* s) { return QString::fromUtf8(s).rightJustified(11, QLatin1Char(' ')); }
}

TEST(SDAYA, NormalisesTypedText)
{
    struct Case { QString in; int dec; QString out; };
    const QString blank(11, QLatin1Char(' '));
    const Case cases[] = {
        {QString(), 2, blank},
        {"", 0, blank},
        {"     ", 4, blank},
        {"abc", 2, blank},
        {"-", 2, blank},
        {"TL", 3, blank},
        {"12,5", 2, r11("12.50")},
        {"12.5", 4, r11("12.5000")},
        {"12", 3, r11("12.000")},
        {"-7,25", 2, r11("7.25")},
        {"0,5", 4, r11("0.5000")},
        {",5", 4, r11("0.5000")},
        {"007.5", 2, r11("7.50")},
        {"000", 2, r11("0.00")},
        {".", 2, r11("0.00")},
        {".", 0, blank},
        {"3.14159", 2, r11("3.14")},
        {"2.999", 2, r11("2.99")},
        {"1.2.3", 2, r11("1.23")},
        {"1.000,50", 2, r11("1.00")},
        {"1 250 kg", 2, r11("1250.00")},
        {"  1250,5 ", 2, r11("1250.50")},
        // 0 decimals cut at the first point; the decimals are never joined on.
        {"12.7", 0, r11("12")},
        {"0.5", 0, r11("0")},
        {",9", 0, r11("0")},
        {"000", 0, r11("0")},
        {"42", 0, r11("42")},
        // Too wide: integer digits are never cut, decimals are dropped until it fits.
        {"1234567.891", 4, r11("1234567.891")},
        {"123456789.5", 4, r11("123456789.5")},
        {"1234567890.5", 4, r11("1234567890")},
        {"12345678901", 2, r11("12345678901")},
        {"123456789012", 2, blank},
        {"123456789012", 0, blank},
    };
    for (const Case& c : cases) {
        const QString got = SDAYA(c.in, c.dec);
        EXPECT_EQ(got, c.out) << "'" << c.in.toStdString() << "' " << c.dec;
        EXPECT_EQ(got.size(), 11);
    }
}

TEST(MROUND, RoundsHalvesUpDespiteRepresentation)
{
    struct Case { double x; int n; double out; };
    const Case cases[] = {
        {2.675, 2, 2.68},  {2.6749, 2, 2.67}, {0.125, 2, 0.13}, {7, 3, 7},
        {1.0005, 3, 1.001}, {0.00005, 4, 0.0001}, {12.34564999, 4, 12.3456},
        // negative values round like positive ones
        {-2.46, 1, -2.5}, {-0.125, 2, -0.13}, {-2.44, 1, -2.4}, {-0.00006, 4, -0.0001},
        {-0.00004, 4, 0.0},
        // too large to scale: unchanged, never NaN
        {1e300, 15, 1e300}, {-1.7e308, 5, -1.7e308},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(MROUND(c.x, c.n), c.out) << c.x << " at " << c.n;
    EXPECT_FALSE(std::signbit(MROUND(-0.00004, 4)));
}

TEST(NumericHelpers, ExtremesDimensionsAndFloatEqual)
{
    EXPECT_EQ(AMAX(std::vector<double>{3, 9, 9, 1}), 2);
    EXPECT_EQ(AMIN(std::vector<double>{4, 2, 7, 2}), 2);
    EXPECT_EQ(AMAX(std::vector<double>{}), 0);
    EXPECT_EQ(AMIN(std::vector<double>{5}), 1);
    EXPECT_EQ(AMIN(QList<double>{5, -1, -1}), 2);

    EXPECT_EQ(ADIMENS(QList<QStringList>{}), QList<int>{});
    EXPECT_EQ(ADIMENS(QList<QStringList>{{"1", "2", "3"}, {"4", "5", "6"}}), (QList<int>{2, 3}));
    EXPECT_EQ(ADIMENS(QList<QStringList>{{}}), (QList<int>{1, 0}));
    EXPECT_EQ(ADIMENS(QStringList{"a", "b", "c", "d"}), QList<int>{4});

    EXPECT_TRUE(FLOATEQUAL(1.004, 1.006, 2));
    EXPECT_FALSE(FLOATEQUAL(1.0, 1.006, 2));
}
