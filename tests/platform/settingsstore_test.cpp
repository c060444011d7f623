// The settings store: its INI file, the rules both backends share, and where
// the file lives.
#include "platform/settingsstore.h"

#include "support/tempdir.h"

#include <QFile>

#include "support/envguard.h"
#include "support/files.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::readAll;

using test::EnvGuard;

TEST(SettingsTree, IniTextKeepsNamesTypesAndAwkwardCharacters)
{
    SettingsTree tree;
    auto* key = tree.create(HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Tarlanet_Int\\OSetings"));
    ASSERT_NE(key, nullptr);
    key->values.append({QStringLiteral("Opath"), SettingsValue::string(QStringLiteral("/home/ışık/Veri \"ZEVA\"\\x"))});
    key->values.append({QStringLiteral("Olatip"), SettingsValue::string(QStringLiteral(" 7"))});
    key->values.append({QStringLiteral("Satır\nsonu=\"x\""), SettingsValue::string(QStringLiteral("a\r\nb\tc\x01"))});
    key->values.append({QString(), SettingsValue::string(QString())});
    key->values.append({QStringLiteral("Count"), SettingsValue::dword(0xfffffffbu)});
    key->values.append({QStringLiteral("Path"), SettingsValue::string(QStringLiteral("%HOME%"), REG_EXPAND_SZ)});
    SettingsValue blob;
    blob.type = REG_BINARY;
    blob.raw = QByteArray("\x00\xff\x10", 3);
    key->values.append({QStringLiteral("Blob"), blob});
    tree.create(HKEY_CURRENT_USER, QStringLiteral("Empty\\Leaf"));
    tree.root(HKEY_CLASSES_ROOT)->values.append({QStringLiteral("AtRoot"), SettingsValue::string(QStringLiteral("r"))});

    const QByteArray ini = tree.toIni();
    EXPECT_TRUE(ini.contains("[HKEY_LOCAL_MACHINE\\Software\\Tarlanet_Int\\OSetings]\n\"Opath\"=")) << ini.constData();
    EXPECT_TRUE(ini.contains("\"Count\"=dword:fffffffb"));
    EXPECT_TRUE(SettingsTree::fromIni(ini) == tree) << ini.constData();
    // CR LF line ends (an edited file) read the same.
    QByteArray crlf = ini;
    crlf.replace("\n", "\r\n");
    EXPECT_TRUE(SettingsTree::fromIni(crlf) == tree);
}

TEST(SettingsTree, MalformedLinesAreSkipped)
{
    const QByteArray text =
        "\"Orphan\"=\"before any section\"\n"
        "[HKEY_NOWHERE\\X]\n\"Lost\"=\"x\"\n"
        "[HKEY_LOCAL_MACHINE\\A]\n"
        "; comment\n"
        "\"Good\"=\"1\"\n"
        "\"Unclosed=\"1\"\n"
        "\"BadDword\"=dword:xyz\n"
        "\"LongDword\"=dword:123456789\n"
        "\"BadHex\"=hex(3):0g\n"
        "\"SzAsHex\"=hex(1):00\n"
        "\"Escape\"=\"\\x4\"\n"
        "\"Trailing\"=\"a\"b\n"
        "no quotes at all\n"
        "[HKEY_LOCAL_MACHINE\\A\\\\B]\n\"InBadKey\"=\"1\"\n"
        "[HKEY_LOCAL_MACHINE\\A\n\"AfterBadHeader\"=\"1\"\n"
        "\"Good\"=\"2\"\n";
    const SettingsTree tree = SettingsTree::fromIni(text);
    const auto* a = tree.find(HKEY_LOCAL_MACHINE, QStringLiteral("A"));
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->values.size(), 1);
    EXPECT_EQ(a->values[0].name, QStringLiteral("Good"));
    EXPECT_EQ(a->values[0].value.text, QStringLiteral("1"));
    EXPECT_TRUE(a->subkeys.isEmpty());
    EXPECT_EQ(tree.find(HKEY_LOCAL_MACHINE, QStringLiteral("X")), nullptr);
}

TEST(SettingsStorePaths, BadPathsAreRefused)
{
    MemorySettingsStore store;
    for (const char* bad : {"\\Software", "Software\\", "A\\\\B", "A\\B\x01"})
        EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, QString::fromLatin1(bad)), SETTINGS_BAD_PATHNAME) << bad;
    EXPECT_EQ(store.createKey(HKEY_PERFORMANCE_DATA, QStringLiteral("A")), SETTINGS_INVALID_PARAMETER);
    EXPECT_EQ(store.createKey(0x12345678u, QStringLiteral("A")), SETTINGS_INVALID_PARAMETER);
    EXPECT_TRUE(store.tree() == SettingsTree());
}

TEST(FileSettingsStore, WritesReachTheFileAndSurviveANewStore)
{
    test::TempDir dir;
    const QString file = dir.file(QStringLiteral("sub/dir/zeva.ini"));  // folder made at the first write
    {
        FileSettingsStore store(file);
        EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, QStringLiteral("A")), SETTINGS_NOT_FOUND);
        ASSERT_EQ(store.createKey(HKEY_LOCAL_MACHINE, QStringLiteral("A\\B")), SETTINGS_OK);
        ASSERT_EQ(store.setValue(HKEY_LOCAL_MACHINE, QStringLiteral("A\\B"), QStringLiteral("N"),
                                 SettingsValue::dword(7)),
                  SETTINGS_OK);
    }
    EXPECT_TRUE(readAll(file).contains("\"N\"=dword:00000007"));
    FileSettingsStore again(file);
    quint32 type = 0;
    SettingsValue v;
    EXPECT_EQ(again.queryValue(HKEY_LOCAL_MACHINE, QStringLiteral("a\\b"), QStringLiteral("n"), 4, &type, &v),
              SETTINGS_OK);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(v.number, 7u);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.file(QStringLiteral("sub/dir"))).entryList(QDir::Files), QStringList{QStringLiteral("zeva.ini")});
}

TEST(FileSettingsStore, UnwritablePlaceIsDeniedAndChangesNothing)
{
    test::TempDir dir;
    QFile blocker(dir.file(QStringLiteral("notadir")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // The settings folder would have to be inside a plain file.
    FileSettingsStore store(dir.file(QStringLiteral("notadir/zeva.ini")));
    EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, QStringLiteral("A")), SETTINGS_ACCESS_DENIED);
    EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, QStringLiteral("A")), SETTINGS_NOT_FOUND);
    EXPECT_EQ(readAll(dir.file(QStringLiteral("notadir"))), QByteArray());
}

TEST(SettingsFilePath, EnvironmentNamesTheFile)
{
    const QByteArray named("/tmp/some/zeva-test.ini");
    const QByteArray config("/tmp/xdg-config");
    const QByteArray relative("relative/dir");
    const QByteArray home("/tmp/fake-home");
    {
        EnvGuard a("ZEVA_SETTINGS", &named);
        EnvGuard b("XDG_CONFIG_HOME", &config);
        EXPECT_EQ(settingsFilePath(), QStringLiteral("/tmp/some/zeva-test.ini"));
    }
    {
        EnvGuard a("ZEVA_SETTINGS", nullptr);
        EnvGuard b("XDG_CONFIG_HOME", &config);
        EXPECT_EQ(settingsFilePath(), QStringLiteral("/tmp/xdg-config/zeva/zeva.ini"));
    }
    {
        EnvGuard a("ZEVA_SETTINGS", nullptr);
        EnvGuard b("XDG_CONFIG_HOME", &relative);
        EnvGuard c("HOME", &home);
        EXPECT_EQ(settingsFilePath(), QStringLiteral("/tmp/fake-home/.config/zeva/zeva.ini"));
    }
}

TEST(SettingsStoreChoice, OverrideThenBackToTheFile)
{
    test::TempDir dir;
    const QByteArray file = dir.file(QStringLiteral("env.ini")).toUtf8();
    EnvGuard env("ZEVA_SETTINGS", &file);
    auto mem = std::make_shared<MemorySettingsStore>();
    auto before = setSettingsStore(mem);
    EXPECT_EQ(settingsStore(), mem);
    setSettingsStore(before);
    const auto store = settingsStore();  // held: the store lives as long as its pointer
    auto* fileStore = dynamic_cast<FileSettingsStore*>(store.get());
    ASSERT_NE(fileStore, nullptr);
    EXPECT_EQ(fileStore->fileName(), QString::fromUtf8(file));
}

}  // namespace
}  // namespace zeva
