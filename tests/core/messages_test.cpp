#include "core/messages.h"
#include "support/fakeport.h"

#include <gtest/gtest.h>

using namespace zeva;
using zeva::test::FakePort;

TEST(Messages, BoxesTitlesAndTypes)
{
    FakePort port;
    port.replies = {REPLY_YES};
    ERRMESS(port, "a");
    ERRMESS(port, "b", "Sistem Ayarı");
    UYARI(port, "c");
    MESS2(port, "d");
    MESS(port, "e");
    EXPECT_EQ(ASK(port, "Soru", "f", BOX_YESNO_QUESTION), REPLY_YES);
    EXPECT_EQ(port.log, (QStringList{
        "box 16 Hata...: a", "box 16 Sistem Ayarı: b", "box 48 Uyarı...: c",
        "box 16 Hata...: d", "box 64 Mesaj: e", "box 36 Soru: f"}));
    EXPECT_TRUE(port.boxes[0].owned);
    EXPECT_FALSE(port.boxes[3].owned);
    EXPECT_FALSE(port.boxes[4].owned);
    EXPECT_TRUE(port.allAnswersUsed());
}

TEST(Messages, Tones)
{
    FakePort port;
    ERRBEEP(port);
    DONEBEEP(port);
    EXPECT_EQ(port.log, (QStringList{"tone 100 3", "tone 300 1", "tone 100 1", "tone 300 1", "tone 100 1"}));
}
