#include "platform/codec.h"

#include <gtest/gtest.h>

using namespace zeva;

TEST(Codec, TurkishLettersRoundTrip)
{
    const QString text = QStringLiteral("ğüşıöçĞÜŞİÖÇ§");
    const QByteArray expected("\xF0\xFC\xFE\xFD\xF6\xE7\xD0\xDC\xDE\xDD\xD6\xC7\xA7");
    bool ok = false;
    EXPECT_EQ(cp1254::encode(text, '?', &ok), expected);
    EXPECT_TRUE(ok);
    EXPECT_EQ(cp1254::decode(expected), text);
}

TEST(Codec, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = cp1254::decode(all);
    ASSERT_EQ(text.size(), 256);
    bool ok = false;
    EXPECT_EQ(cp1254::encode(text, '?', &ok), all);
    EXPECT_TRUE(ok);
    // The bytes 1254 leaves undefined map to the code points of the same number.
    for (int b : {0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E})
        EXPECT_EQ(text.at(b).unicode(), b);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
}

TEST(Codec, CharactersOutside1254AreReported)
{
    // Latin-1 letters that 1254 replaced by Turkish ones, and others.
    for (char16_t u : {u'\u00D0', u'\u00DD', u'\u00FE', u'\u0080', u'\u4E2D', u'\u0394'}) {
        EXPECT_FALSE(cp1254::canEncode(QChar(u))) << int(u);
        bool ok = true;
        EXPECT_EQ(cp1254::encode(QString(QChar(u)) + "a", '?', &ok), QByteArray("?a"));
        EXPECT_FALSE(ok);
    }
    EXPECT_TRUE(cp1254::canEncode(QStringLiteral("Yem Maddesi € İ")));
}
