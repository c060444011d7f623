// The settings reader, the option writers and commands, ZVXDEFAULTS.
#include "shell/settings.h"

#include "shell/registry.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>

namespace zeva {
namespace {

// Each test works on its own in-memory settings and puts the current folder back.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store_ = std::make_shared<MemorySettingsStore>();
        previous_ = setSettingsStore(store_);
        cwd_ = QDir::currentPath();
    }
    void TearDown() override
    {
        setSettingsStore(previous_);
        QDir::setCurrent(cwd_);
    }
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

    std::shared_ptr<MemorySettingsStore> store_;
    std::shared_ptr<SettingsStore> previous_;
    QString cwd_;
    test::TempDir dir_;
    test::FakePort port_;
};

TEST_F(SettingsTest, InstallationDirectoryWithBlanksBecomesCurrent)
{
    put(kOptPath, QStringLiteral("   ") + dir_.path() + QStringLiteral("  "));
    ActiveProblem p;
    p.LLOGON = p.LSHOWTIPS = p.LSHOWLOGO = true;
    p.NLASTTIP = 9;
    ASSERT_TRUE(RSTATUSLAST(port_, p));
    EXPECT_EQ(p.CDATAPATH, dir_.path());
    EXPECT_EQ(p.CDATADRIVE, QString());
    EXPECT_EQ(QDir::currentPath(), QDir(dir_.path()).canonicalPath());
    // Only the path recorded: every option off, tip count 0.
    EXPECT_FALSE(p.LLOGON);
    EXPECT_FALSE(p.LSHOWTIPS);
    EXPECT_FALSE(p.LSHOWLOGO);
    EXPECT_EQ(p.NLASTTIP, 0);
    EXPECT_TRUE(port_.log.isEmpty());
}

TEST_F(SettingsTest, DriveIsThePathUpToItsColon)
{
    put(kOptPath, QStringLiteral(" C:\\ZEVA "));
    ActiveProblem p;
    ASSERT_TRUE(RSTATUSLAST(port_, p));
    EXPECT_EQ(p.CDATAPATH, QStringLiteral("C:\\ZEVA"));
    EXPECT_EQ(p.CDATADRIVE, QStringLiteral("C:"));
}

TEST_F(SettingsTest, MissingInstallationDirectoryStopsTheStart)
{
    const QString text = QStringLiteral("Program tam kurulu değil!\r\rÖnce CD'den ZVX-setup.EXE ile programı kurunuz.");
    for (const std::optional<QString>& opath : {std::optional<QString>(), std::optional<QString>(QString()),
                                                std::optional<QString>(QStringLiteral("    "))}) {
        store_ = std::make_shared<MemorySettingsStore>();
        setSettingsStore(store_);
        put(kOptLogon, QStringLiteral("1"));
        if (opath)
            put(kOptPath, *opath);
        test::FakePort port;
        ActiveProblem p;
        p.LLOGON = false;
        EXPECT_FALSE(RSTATUSLAST(port, p));
        ASSERT_EQ(port.boxes.size(), 1);
        EXPECT_EQ(port.boxes[0].title, QStringLiteral("Hata..."));
        EXPECT_EQ(port.boxes[0].text, text);
        EXPECT_EQ(port.boxes[0].type, BOX_ERROR);
        EXPECT_FALSE(port.boxes[0].owned);
        EXPECT_FALSE(p.LLOGON);  // nothing else was read
    }
    // No settings key at all: the same.
    store_ = std::make_shared<MemorySettingsStore>();
    setSettingsStore(store_);
    ActiveProblem p;
    EXPECT_FALSE(RSTATUSLAST(port_, p));
    EXPECT_EQ(port_.boxes.size(), 1);
}

TEST_F(SettingsTest, OptionAndTipValues)
{
    struct Case {
        std::optional<QString> option;  // the same text for the three options
        bool on;
        std::optional<QString> lastTip;
        int tip;
    };
    const Case cases[] = {
        {QStringLiteral("1"), true, QStringLiteral(" 7"), 7},
        {QStringLiteral("1 "), true, QStringLiteral("12"), 12},
        {QStringLiteral("0"), false, QStringLiteral("x"), 0},
        {QString(), false, QString(), 0},
        {std::nullopt, false, std::nullopt, 0},
        {QStringLiteral(" 1"), false, QStringLiteral("3x"), 3},
        {QStringLiteral("10"), false, QStringLiteral("-4"), 0},
    };
    for (const Case& c : cases) {
        store_ = std::make_shared<MemorySettingsStore>();
        setSettingsStore(store_);
        put(kOptPath, dir_.path());
        if (c.option)
            for (const QString& name : {kOptLogon, kOptTips, kOptLogo})
                put(name, *c.option);
        if (c.lastTip)
            put(kOptLastTip, *c.lastTip);
        ActiveProblem p;
        ASSERT_TRUE(RSTATUSLAST(port_, p));
        const std::string what = "option '" + c.option.value_or(QStringLiteral("<missing>")).toStdString()
                                 + "' tip '" + c.lastTip.value_or(QStringLiteral("<missing>")).toStdString() + "'";
        EXPECT_EQ(p.LLOGON, c.on) << what;
        EXPECT_EQ(p.LSHOWTIPS, c.on) << what;
        EXPECT_EQ(p.LSHOWLOGO, c.on) << what;
        EXPECT_EQ(p.NLASTTIP, c.tip) << what;
    }
}

TEST_F(SettingsTest, WritersStoreOneOrZeroUnderTheSettingsKey)
{
    EXPECT_TRUE(STARTLOGONCONT(true));  // the key is created
    EXPECT_TRUE(STARTUPTIPCONT(false));
    EXPECT_TRUE(STARTLOGOSHOWCONT(true));
    EXPECT_EQ(stored(kOptLogon), QStringLiteral("1"));
    EXPECT_EQ(stored(kOptTips), QStringLiteral("0"));
    EXPECT_EQ(stored(kOptLogo), QStringLiteral("1"));
    EXPECT_EQ(stored(kOptPath), std::nullopt);
    store_->setReadOnly(true);
    EXPECT_FALSE(STARTLOGONCONT(false));
    EXPECT_EQ(stored(kOptLogon), QStringLiteral("1"));
}

TEST_F(SettingsTest, OptionCommandFlipsTickAndStores)
{
    ActiveProblem p;
    p.LSHOWLOGO = true;
    StartupOptionTicks ticks;
    ticks.setFromSettings(p);
    // Chosen twice: the tick ends as it was, the store holds the state shown
    // before the first choice.
    EXPECT_FALSE(ticks.toggle(ITEM_LOGOGOSTER, port_));
    EXPECT_EQ(stored(kOptLogo), QStringLiteral("0"));
    EXPECT_TRUE(ticks.toggle(ITEM_LOGOGOSTER, port_));
    EXPECT_EQ(stored(kOptLogo), QStringLiteral("1"));
    EXPECT_TRUE(p.LSHOWLOGO);  // the start value stays for the run

    // Logon switched on in a run started without it: ticked and stored, the
    // user items stay grey until the next start.
    EXPECT_TRUE(ticks.toggle(ITEM_ADPAROLASOR, port_));
    EXPECT_EQ(stored(kOptLogon), QStringLiteral("1"));
    const MenuStateChange s = optionMenuState(ticks, /*logonAtStart=*/false);
    EXPECT_EQ(s.checkedState(ITEM_ADPAROLASOR), 1);
    EXPECT_EQ(s.checkedState(ITEM_LOGOGOSTER), 1);
    EXPECT_EQ(s.checkedState(ITEM_TUYOGOSTER), 0);
    EXPECT_EQ(s.enabledState(ITEM_ADDNEWUSER), 0);
    EXPECT_EQ(s.enabledState(ITEM_CHANGEUANDP), 0);
    EXPECT_EQ(optionMenuState(ticks, true).enabledState(ITEM_ADDNEWUSER), -1);
    EXPECT_TRUE(port_.log.isEmpty());
    EXPECT_FALSE(ticks.toggle(3527, port_));  // not an option item: nothing stored
    EXPECT_EQ(stored(kOptTips), std::nullopt);
}

TEST_F(SettingsTest, FailedWriteKeepsTheTickAndSaysSo)
{
    ActiveProblem p;
    p.LSHOWTIPS = true;
    StartupOptionTicks ticks;
    ticks.setFromSettings(p);
    store_->setReadOnly(true);
    EXPECT_TRUE(ticks.toggle(ITEM_TUYOGOSTER, port_));
    EXPECT_TRUE(ticks.ticked(ITEM_TUYOGOSTER));
    EXPECT_EQ(port_.log, QStringList{QStringLiteral("status: Ayar kaydedilemedi...")});
    EXPECT_EQ(stored(kOptTips), std::nullopt);
}

TEST_F(SettingsTest, ZvxDefaultsReturnsToTheInstallationDirectory)
{
    ActiveProblem p;
    p.CDATAPATH = QDir(dir_.path()).canonicalPath();
    test::TempDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    ZVXDEFAULTS(p);
    EXPECT_EQ(QDir::currentPath(), p.CDATAPATH);
    ZVXDEFAULTS(p);  // nothing moved: stays
    EXPECT_EQ(QDir::currentPath(), p.CDATAPATH);

    QDir::setCurrent(elsewhere.path());
    ActiveProblem none;  // no installation directory known: nothing to go back to
    ZVXDEFAULTS(none);
    EXPECT_EQ(QDir::currentPath(), QDir(elsewhere.path()).canonicalPath());
    QDir::setCurrent(cwd_);
}

}  // namespace
}  // namespace zeva
