// The tip of the day: the tips, the paging, the stored tip number and the
// start-up's call.
#include "shell/tipofday.h"
#include "shell/ui/tipofdaydialog.h"

#include "platform/codec.h"
#include "shell/registry.h"
#include "shell/settings.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace zeva;

namespace {

class TipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store_ = std::make_shared<MemorySettingsStore>();
        previous_ = setSettingsStore(store_);
    }
    void TearDown() override { setSettingsStore(previous_); }

    void put(const QString& name, const QString& text)
    {
        CLASS_HKLM reg;
        reg.WORKING_SUBKEY(kSettingsKey);
        ASSERT_EQ(reg.WRITESTRING(QString(), name, text), 0);
    }
    std::optional<QString> stored(const QString& name)
    {
        CLASS_HKLM reg;
        reg.WORKING_SUBKEY(kSettingsKey);
        const QString text = reg.GETSTRING(QString(), name);
        if (reg.LASTERROR() != 0)
            return std::nullopt;
        return text;
    }
    // The settings as the start-up reads them, with `lastTip` stored (none
    // when null) and the tip option on.
    ActiveProblem startWith(const QString& lastTip)
    {
        put(kOptPath, dir_.path());
        put(kOptTips, QStringLiteral("1"));
        if (!lastTip.isNull())
            put(kOptLastTip, lastTip);
        ActiveProblem p;
        test::FakePort port;
        EXPECT_TRUE(RSTATUSLAST(port, p));
        return p;
    }

    std::shared_ptr<MemorySettingsStore> store_;
    std::shared_ptr<SettingsStore> previous_;
    test::TempDir dir_;
    test::FakePort port_;
};

void showOpen(QDialog& dlg)
{
    dlg.open();
    QApplication::setActiveWindow(&dlg);
}

}  // namespace

TEST(Tips, FortyFourTipsInTheirFixedForm)
{
    const QList<TipRow> tips = CREATETIPARRAY();
    ASSERT_EQ(tips.size(), kTipCount);
    EXPECT_EQ(tips.at(0).text, QStringLiteral("Bilgisayarda En Düşük Maliyetli Yem Formülü Hazırlamada kullanılan "
                                              "metot, bir Dogrusal Programlama (DP) metodu olan Simpleks metot'dur."));
    EXPECT_EQ(tips.at(19).text, QStringLiteral("ZEVA 2.0; DP metotları kullanan bir En Düşük Maliyetli Yem Formülü "
                                               "hazırlama programıdır."));
    EXPECT_EQ(tips.at(36).text, QStringLiteral("ZEVA'de Aktif problem matrisinde tüm yem maddelerinin ağırlık "
                                               "muhtevası 1'dir. Bu yem maddeleri toplamının 1'e eşit olmalarını "
                                               "sağlar."));
    QSet<QString> distinct;
    for (int n = 1; n <= kTipCount; ++n) {
        const TipRow& t = tips.at(n - 1);
        EXPECT_EQ(t.heading, QStringLiteral("Biliyor muydunuz?")) << n;
        EXPECT_TRUE(t.showMore) << n;
        EXPECT_GE(t.text.size(), 78) << n;
        EXPECT_LE(t.text.size(), 264) << n;
        EXPECT_TRUE(cp1254::canEncode(t.text)) << n;
        EXPECT_FALSE(t.text.contains(QLatin1Char('\n')) || t.text.contains(QLatin1Char('\r'))) << n;
        EXPECT_EQ(t.text, t.text.trimmed()) << n;
        distinct.insert(t.text);
    }
    EXPECT_EQ(distinct.size(), kTipCount);
}

TEST(Tips, NumberingAndItsStoredForm)
{
    const int big = std::numeric_limits<int>::max();
    const struct {
        int last;
        int next;
    } cases[] = {{0, 1}, {1, 2}, {7, 8}, {43, 44}, {44, 1}, {45, 1}, {99, 1}, {big, 1}, {-1, 1}, {-44, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(nextTipNumber(c.last, kTipCount), c.next) << c.last;
    EXPECT_EQ(previousTipNumber(2), 1);
    EXPECT_EQ(previousTipNumber(1), 1);
    EXPECT_EQ(previousTipNumber(44), 43);
    EXPECT_EQ(tipNumberText(9), QStringLiteral(" 9"));
    EXPECT_EQ(tipNumberText(12), QStringLiteral("12"));
    EXPECT_EQ(tipNumberText(44), QStringLiteral("44"));
}

TEST_F(TipTest, StoredNumberGivesTheTipShown)
{
    const struct {
        const char* stored;  // null: none stored
        int shown;
        bool previousEnabled;
        bool nextEnabled;
    } cases[] = {
        {nullptr, 1, false, true}, {" 7", 8, true, true},   {"43", 44, true, false}, {"44", 1, false, true},
        {"45", 1, false, true},    {"999999999999", 1, false, true}, {"abc", 1, false, true},
    };
    for (const auto& c : cases) {
        const ActiveProblem p = startWith(c.stored ? QString::fromUtf8(c.stored) : QString());
        int runs = 0;
        const TipOfDayOutcome outcome = showTipOfDayIfEnabled(nullptr, p, {}, &port_, [&](QDialog& d) {
            ++runs;
            auto& dlg = static_cast<WTIPOFDAY&>(d);
            showOpen(dlg);
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Günün Tüyosu"));
            EXPECT_EQ(dlg.LASTTIP, c.shown) << c.stored;
            EXPECT_EQ(dlg.ODCTIPTEXT->toPlainText(), CREATETIPARRAY().at(c.shown - 1).text);
            EXPECT_EQ(dlg.ODCTIPHEADING->text(), QStringLiteral("Biliyor muydunuz?"));
            EXPECT_EQ(dlg.OCCPBPREVIOUS->isEnabled(), c.previousEnabled) << c.stored;
            EXPECT_EQ(dlg.OCCPBNEXT->isEnabled(), c.nextEnabled) << c.stored;
            EXPECT_FALSE(dlg.OCCPBMORE->isHidden());
            EXPECT_TRUE(dlg.ODCSHOWONSTARTUP->isChecked());
            EXPECT_EQ(QApplication::focusWidget(), dlg.OCCPBCLOSE) << c.stored;
            dlg.OCCPBCLOSE->click();
            EXPECT_FALSE(dlg.isVisible());
            return dlg.result();
        });
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(outcome.shown);
        EXPECT_EQ(outcome.LASTTIP, c.shown);
        EXPECT_EQ(stored(kOptLastTip), tipNumberText(c.shown)) << c.stored;
        EXPECT_EQ(stored(kOptTips), QStringLiteral("1"));
    }
}

TEST_F(TipTest, PagingWithoutWrapAndTheNumberOfTheLastTipShown)
{
    bool untick = false;
    ActiveProblem p = startWith(QStringLiteral(" 1"));
    showTipOfDayIfEnabled(nullptr, p, [&] { untick = true; }, &port_, [&](QDialog& d) {
        auto& dlg = static_cast<WTIPOFDAY&>(d);
        showOpen(dlg);
        EXPECT_EQ(dlg.LASTTIP, 2);
        dlg.OCCPBPREVIOUS->click();
        EXPECT_EQ(dlg.LASTTIP, 1);
        EXPECT_FALSE(dlg.OCCPBPREVIOUS->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), dlg.OCCPBNEXT);
        dlg.PREVIOUSTIP();
        EXPECT_EQ(dlg.LASTTIP, 1);
        for (int i = 0; i < 8; ++i)
            dlg.OCCPBNEXT->click();
        EXPECT_EQ(dlg.LASTTIP, 9);
        EXPECT_TRUE(dlg.OCCPBPREVIOUS->isEnabled());
        dlg.close();  // the close box
        return dlg.result();
    });
    EXPECT_FALSE(untick);
    EXPECT_EQ(stored(kOptLastTip), QStringLiteral(" 9"));

    p = startWith(QStringLiteral("42"));
    showTipOfDayIfEnabled(nullptr, p, {}, &port_, [&](QDialog& d) {
        auto& dlg = static_cast<WTIPOFDAY&>(d);
        showOpen(dlg);
        EXPECT_EQ(dlg.LASTTIP, 43);
        dlg.OCCPBNEXT->click();
        EXPECT_EQ(dlg.LASTTIP, 44);
        EXPECT_FALSE(dlg.OCCPBNEXT->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), dlg.OCCPBPREVIOUS);
        dlg.NEXTTIP();  // only the first step at showing wraps
        EXPECT_EQ(dlg.LASTTIP, 1);
        for (int i = 0; i < 11; ++i)
            dlg.NEXTTIP();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
        return dlg.result();
    });
    EXPECT_EQ(stored(kOptLastTip), QStringLiteral("12"));
}

TEST_F(TipTest, ClearingTheCheckBoxTurnsTheOptionOff)
{
    ActiveProblem p = startWith(QString());
    int unticks = 0;
    const TipOfDayOutcome outcome = showTipOfDayIfEnabled(nullptr, p, [&] { ++unticks; }, &port_, [&](QDialog& d) {
        auto& dlg = static_cast<WTIPOFDAY&>(d);
        showOpen(dlg);
        dlg.ODCSHOWONSTARTUP->click();
        dlg.OCCPBCLOSE->click();
        return dlg.result();
    });
    EXPECT_EQ(unticks, 1);
    EXPECT_FALSE(outcome.SHOWONSTARTUP);
    EXPECT_EQ(stored(kOptLastTip), QStringLiteral(" 1"));

    // With the option off nothing is shown and nothing stored.
    p.LSHOWTIPS = false;
    store_ = std::make_shared<MemorySettingsStore>();
    setSettingsStore(store_);
    int runs = 0;
    EXPECT_FALSE(showTipOfDayIfEnabled(nullptr, p, [&] { ++unticks; }, &port_, [&](QDialog&) { return ++runs; }).shown);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(stored(kOptLastTip));
}

TEST_F(TipTest, MoreInformationBoxOverTheSameTip)
{
    WTIPOFDAY dlg(nullptr, &port_);
    dlg.TIP = CREATETIPARRAY();
    dlg.LASTTIP = 4;
    dlg.SHOW([](QDialog& d) {
        showOpen(d);
        return 0;
    });
    ASSERT_EQ(dlg.LASTTIP, 5);
    dlg.OCCPBMORE->click();
    ASSERT_EQ(port_.boxes.size(), 1);
    EXPECT_EQ(port_.boxes.at(0).type, BOX_INFO);
    EXPECT_EQ(port_.boxes.at(0).title, QStringLiteral("Daha Fazla Bilgi"));
    const QStringList lines = port_.boxes.at(0).text.split(QChar(13));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_FALSE(port_.boxes.at(0).text.contains(QLatin1Char('\n')));
    EXPECT_EQ(lines.at(0), QStringLiteral("Daha  Fazla  bilgi  için,  program  katoloğunda  bulunan"));
    EXPECT_EQ(lines.at(2), QStringLiteral("\"Yem Optimizasyon  Programlarının  Özellikleri  ve  Yeni"));
    EXPECT_EQ(lines.at(3), QStringLiteral("Bir Uygulama Programı ZEVA\" isimli simpozyum tebliğini"));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.LASTTIP, 5);

    // The general dialog has no information of its own.
    test::FakePort quiet;
    WINTIPOFDAY plain(nullptr, &quiet);
    plain.TIP = CREATETIPARRAY();
    plain.SHOW([](QDialog& d) {
        d.open();
        return 0;
    });
    plain.OCCPBMORE->click();
    EXPECT_TRUE(quiet.log.isEmpty());
    plain.close();
}
