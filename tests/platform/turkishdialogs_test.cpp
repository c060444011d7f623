// The font dialog's style names in Turkish.
#include "platform/ui/turkishdialogs.h"

#include "support/qstringprint.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

TEST(TurkishFontStyle, NamesEveryWordOfAStyleAndKeepsWhatItDoesNotKnow)
{
    const struct {
        const char* style;
        const char* turkish;
    } cases[] = {
        {"Regular", "Normal"},
        {"Book", "Normal"},
        {"Bold Italic", "Kalın İtalik"},
        {"Bold Oblique", "Kalın Eğik"},
        {"SemiBold", "Yarı Kalın"},
        {"Semibold Italic", "Yarı Kalın İtalik"},
        {"Demi Bold", "Yarı Kalın"},
        {"ExtraLight Oblique", "Fazla Açık Eğik"},
        {"Condensed Bold", "Dar Kalın"},
        {"Medium", "Orta"},
        {"W3", "W3"},
        {"Kalın", "Kalın"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(turkishFontStyle(QString::fromUtf8(c.style)), QString::fromUtf8(c.turkish)) << c.style;
}

}  // namespace
}  // namespace zeva
