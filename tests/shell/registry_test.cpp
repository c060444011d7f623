// The registry classes over both settings backends.
#include "shell/registry.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

class RegistryTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (QByteArray(GetParam()) == "file")
            store_ = std::make_shared<FileSettingsStore>(dir_.file(QStringLiteral("zeva.ini")));
        else
            store_ = std::make_shared<MemorySettingsStore>();
    }
    // A fresh object each time, as the program makes them.
    CLASS_HKLM hklm(const QString& working = QString())
    {
        CLASS_HKLM r(store_);
        r.WORKING_SUBKEY(working);
        return r;
    }

    test::TempDir dir_;
    std::shared_ptr<SettingsStore> store_;
};

TEST_P(RegistryTest, WorkingSubkeyAndFullSubkey)
{
    _CLASS_REGISTRY r(store_);
    EXPECT_EQ(r.HKEY(), quint32(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(r.LASTERROR(), 0);
    EXPECT_EQ(r.WORKING_SUBKEY(QStringLiteral("  \\\\Software\\Tarlanet_Int\\\\  ")),
              QStringLiteral("Software\\Tarlanet_Int"));
    for (const char* sub : {"", "\\", "\\\\", "  "})
        EXPECT_EQ(r.BUILD_FULL_SUBKEY(QString::fromLatin1(sub)), QStringLiteral("Software\\Tarlanet_Int")) << sub;
    EXPECT_EQ(r.BUILD_FULL_SUBKEY(QStringLiteral(" \\OSetings\\ ")), QStringLiteral("Software\\Tarlanet_Int\\OSetings"));
    EXPECT_EQ(r.WORKING_SUBKEY(QStringLiteral("\\")), QStringLiteral("\\"));
    EXPECT_EQ(r.WORKING_SUBKEY(QString()), QString());
    EXPECT_EQ(r.BUILD_FULL_SUBKEY(QStringLiteral("A\\B")), QStringLiteral("A\\B"));
    EXPECT_EQ(r.BUILD_FULL_SUBKEY(QString()), QString());
}

TEST_P(RegistryTest, RootsAndLastError)
{
    _CLASS_REGISTRY r(store_);
    EXPECT_EQ(r.HKEY(HKEY_USERS), quint32(HKEY_USERS));
    EXPECT_EQ(r.HKEY(HKEY_PERFORMANCE_DATA), quint32(HKEY_LOCAL_MACHINE));
    r.HKEY(HKEY_CURRENT_CONFIG);
    EXPECT_EQ(r.HKEY(0x12345u), quint32(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(r.LASTERROR(-7), -7);
    EXPECT_EQ(r.LASTERROR(), -7);

    CLASS_HKCU cu(store_);
    for (quint32 root : {quint32(HKEY_LOCAL_MACHINE), quint32(HKEY_CLASSES_ROOT), 0x80000004u, 5u})
        EXPECT_EQ(cu.HKEY(root), quint32(HKEY_CURRENT_USER));
    EXPECT_EQ(CLASS_HKCR(store_).HKEY(), quint32(HKEY_CLASSES_ROOT));
    EXPECT_EQ(CLASS_HKLM(store_).HKEY(HKEY_USERS), quint32(HKEY_LOCAL_MACHINE));

    // Each root is its own tree.
    EXPECT_EQ(cu.WRITESTRING(QStringLiteral("K"), QStringLiteral("V"), QStringLiteral("cu")), 0);
    auto lm = hklm();
    EXPECT_EQ(lm.GETSTRING(QStringLiteral("K"), QStringLiteral("V")), QString());
    EXPECT_EQ(lm.LASTERROR(), SETTINGS_NOT_FOUND);
    EXPECT_EQ(cu.GETSTRING(QStringLiteral("k"), QStringLiteral("v")), QStringLiteral("cu"));
}

TEST_P(RegistryTest, StringsReadBackTrimmedAndCaseInsensitively)
{
    auto w = hklm(QStringLiteral("Software\\Tarlanet_Int\\OSetings"));
    // The key path is created on the way.
    EXPECT_EQ(w.WRITESTRING(QString(), QStringLiteral("Opath"), QStringLiteral("  /opt/zeva dir  ")), 0);
    EXPECT_EQ(w.WRITESTRING(QStringLiteral("Deeper\\Still"), QStringLiteral("X"), QStringLiteral("y")), 0);

    auto r = hklm(QStringLiteral("software\\TARLANET_INT\\osetings"));
    EXPECT_EQ(r.GETSTRING(QString(), QStringLiteral("OPATH")), QStringLiteral("  /opt/zeva dir"));
    EXPECT_EQ(r.LASTERROR(), 0);
    EXPECT_EQ(r.GETSTRING(QStringLiteral("deeper\\still"), QStringLiteral("x")), QStringLiteral("y"));
    EXPECT_EQ(r.GET_SUBKEY_VALUENAMES(QString()), QStringList{QStringLiteral("Deeper")});

    EXPECT_EQ(r.GETSTRING(QString(), QStringLiteral("Missing")), QString());
    EXPECT_EQ(r.LASTERROR(), SETTINGS_NOT_FOUND);
    EXPECT_EQ(r.GETSTRING(QStringLiteral("NoSuchKey"), QStringLiteral("Opath")), QString());
    EXPECT_EQ(r.LASTERROR(), SETTINGS_NOT_FOUND);

    // Overwriting keeps the name as first written.
    EXPECT_EQ(r.WRITESTRING(QString(), QStringLiteral("OPATH"), QStringLiteral("/new")), 0);
    EXPECT_EQ(r.GETSTRING(QString(), QStringLiteral("opath")), QStringLiteral("/new"));
    QStringList names;
    store_->enumSubkeys(HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Tarlanet_Int"), &names);
    EXPECT_EQ(names, QStringList{QStringLiteral("OSetings")});
}

TEST_P(RegistryTest, LongTextIsCutTo2046AndReadsBackWhole)
{
    auto r = hklm(QStringLiteral("K"));
    const QString text(3000, QLatin1Char('a'));
    EXPECT_EQ(r.WRITESTRING(QString(), QStringLiteral("Long"), text), 0);
    const QString back = r.GETSTRING(QString(), QStringLiteral("Long"));
    EXPECT_EQ(r.LASTERROR(), 0);
    EXPECT_EQ(back, text.left(2046));

    // A longer text stored by someone else does not fit the read buffer.
    store_->setValue(HKEY_LOCAL_MACHINE, QStringLiteral("K"), QStringLiteral("TooLong"),
                     SettingsValue::string(QString(2048, QLatin1Char('b'))));
    EXPECT_EQ(r.GETSTRING(QString(), QStringLiteral("TooLong")), QString());
    EXPECT_EQ(r.LASTERROR(), SETTINGS_MORE_DATA);
}

TEST_P(RegistryTest, TypesAreKept)
{
    auto r = hklm(QStringLiteral("Types"));
    EXPECT_EQ(r.WRITEINT(QString(), QStringLiteral("Dword"), -5), 0);
    EXPECT_EQ(r.WRITESTRING(QString(), QStringLiteral("Short"), QStringLiteral("1")), 0);
    EXPECT_EQ(r.WRITESTRING(QString(), QStringLiteral("Longer"), QStringLiteral("abcd")), 0);
    store_->setValue(HKEY_LOCAL_MACHINE, QStringLiteral("Types"), QStringLiteral("Expand"),
                     SettingsValue::string(QStringLiteral("x"), REG_EXPAND_SZ));

    auto q = hklm(QStringLiteral("Types"));
    EXPECT_EQ(q.GETINT(QString(), QStringLiteral("Dword")), -5);
    EXPECT_EQ(q.LASTERROR(), 0);
    EXPECT_EQ(q.GETSTRING(QString(), QStringLiteral("Dword")), QString());
    EXPECT_EQ(q.LASTERROR(), 0);
    EXPECT_EQ(q.GETINT(QString(), QStringLiteral("Short")), 0);  // "1" and its zero fit in 4 bytes
    EXPECT_EQ(q.LASTERROR(), 0);
    EXPECT_EQ(q.GETINT(QString(), QStringLiteral("Longer")), 0);
    EXPECT_EQ(q.LASTERROR(), SETTINGS_MORE_DATA);
    EXPECT_EQ(q.GETSTRING(QString(), QStringLiteral("Expand")), QString());
    EXPECT_EQ(q.LASTERROR(), 0);
    EXPECT_EQ(q.GETINT(QStringLiteral("Nowhere"), QStringLiteral("Dword")), 0);
    EXPECT_EQ(q.LASTERROR(), SETTINGS_NOT_FOUND);
}

TEST_P(RegistryTest, SubkeysAndDeletions)
{
    auto r = hklm(QStringLiteral("Root"));
    EXPECT_EQ(r.CREATEKEY(QStringLiteral("A\\Leaf")), 0);
    EXPECT_EQ(r.CREATESUBKEY(QStringLiteral("B")), 0);
    EXPECT_EQ(r.WRITESTRING(QStringLiteral("B"), QStringLiteral("V"), QStringLiteral("1")), 0);

    EXPECT_EQ(r.GET_SUBKEY_VALUENAMES(QString()), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(r.GET_SUBKEY_VALUENAMES(QStringLiteral("B")), QStringList());
    EXPECT_EQ(r.LASTERROR(), 0);
    EXPECT_EQ(r.GET_SUBKEY_VALUENAMES(QStringLiteral("Nowhere")), QStringList());
    EXPECT_EQ(r.LASTERROR(), SETTINGS_NOT_FOUND);

    EXPECT_EQ(r.DELETEVALUE(QStringLiteral("B"), QStringLiteral("v")), 0);
    EXPECT_EQ(r.GETSTRING(QStringLiteral("B"), QStringLiteral("V")), QString());
    EXPECT_EQ(r.LASTERROR(), SETTINGS_NOT_FOUND);
    EXPECT_EQ(r.DELETEVALUENAME(QStringLiteral("B"), QStringLiteral("V")), SETTINGS_NOT_FOUND);
    EXPECT_EQ(r.DELETEVALUE(QStringLiteral("Nowhere"), QStringLiteral("V")), SETTINGS_NOT_FOUND);

    EXPECT_EQ(r.DELETESUBKEY(QStringLiteral("A")), SETTINGS_ACCESS_DENIED);  // it has a subkey
    EXPECT_EQ(r.DELETESUBKEY(QStringLiteral("a\\leaf")), 0);
    EXPECT_EQ(r.DELETESUBKEY(QStringLiteral("A")), 0);
    EXPECT_EQ(r.LASTERROR(), 0);
    EXPECT_EQ(r.DELETESUBKEY(QStringLiteral("A")), SETTINGS_NOT_FOUND);
    EXPECT_EQ(r.GET_SUBKEY_VALUENAMES(QString()), QStringList{QStringLiteral("B")});
    EXPECT_EQ(r.FLUSH(), 0);
}

TEST_P(RegistryTest, RefusedWriteAnswersDeniedAndChangesNothing)
{
    auto r = hklm(QStringLiteral("Software\\Tarlanet_Int\\OSetings"));
    ASSERT_EQ(r.WRITESTRING(QString(), QStringLiteral("Oldlg"), QStringLiteral("0")), 0);
    ASSERT_EQ(r.CREATEKEY(QStringLiteral("Sub")), 0);

    std::shared_ptr<SettingsStore> refusing;
    if (auto* mem = dynamic_cast<MemorySettingsStore*>(store_.get())) {
        mem->setReadOnly(true);
        refusing = store_;
    } else {
        // The same file seen through a store that cannot write beside it: a
        // settings file whose folder is a plain file cannot be written either.
        QFile blocker(dir_.file(QStringLiteral("blocker")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        refusing = std::make_shared<FileSettingsStore>(dir_.file(QStringLiteral("blocker/zeva.ini")));
    }
    CLASS_HKLM denied(refusing);
    denied.WORKING_SUBKEY(QStringLiteral("Software\\Tarlanet_Int\\OSetings"));
    EXPECT_EQ(denied.WRITESTRING(QString(), QStringLiteral("Oldlg"), QStringLiteral("1")), SETTINGS_ACCESS_DENIED);
    EXPECT_EQ(denied.LASTERROR(), SETTINGS_ACCESS_DENIED);
    EXPECT_EQ(denied.WRITEINT(QString(), QStringLiteral("N"), 1), SETTINGS_ACCESS_DENIED);
    EXPECT_EQ(denied.CREATEKEY(QStringLiteral("New")), SETTINGS_ACCESS_DENIED);
    if (refusing == store_) {
        EXPECT_EQ(denied.DELETEVALUE(QString(), QStringLiteral("Oldlg")), SETTINGS_ACCESS_DENIED);
        EXPECT_EQ(denied.DELETESUBKEY(QStringLiteral("Sub")), SETTINGS_ACCESS_DENIED);
    }

    auto after = hklm(QStringLiteral("Software\\Tarlanet_Int\\OSetings"));
    EXPECT_EQ(after.GETSTRING(QString(), QStringLiteral("Oldlg")), QStringLiteral("0"));
    EXPECT_EQ(after.GET_SUBKEY_VALUENAMES(QString()), QStringList{QStringLiteral("Sub")});
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryTest, ::testing::Values("memory", "file"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace zeva
