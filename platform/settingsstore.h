#pragma once
// The settings store: a small tree of keys and typed values standing where the
// registry stood. Six roots, each a tree of keys; a key holds named values and
// subkeys. Key and value names are matched without regard to letter case and
// keep the case they were created with. Every operation answers a result code
// with the numbers the registry used (0 success, 2 not found, 5 denied, ...).
//
// Two backends share the rules: an in-memory one (tests) and an INI-format file
// (the program), read before every operation and rewritten through a temporary
// file and a rename after every change. A failed rewrite changes nothing and
// answers SETTINGS_ACCESS_DENIED.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace zeva {

// Roots, with the handle values the registry used.
enum SettingsRoot : quint32 {
    HKEY_CLASSES_ROOT = 0x80000000u,
    HKEY_CURRENT_USER = 0x80000001u,
    HKEY_LOCAL_MACHINE = 0x80000002u,
    HKEY_USERS = 0x80000003u,
    HKEY_PERFORMANCE_DATA = 0x80000004u,
    HKEY_CURRENT_CONFIG = 0x80000005u,
    HKEY_DYN_DATA = 0x80000006u,
};

// Value types.
enum SettingsType : quint32 {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_MULTI_SZ = 7,
};

// Result codes.
enum SettingsResult : qint32 {
    SETTINGS_OK = 0,
    SETTINGS_NOT_FOUND = 2,         // key or value missing
    SETTINGS_ACCESS_DENIED = 5,     // write refused (file not writable, root key, key with subkeys)
    SETTINGS_INVALID_PARAMETER = 87,
    SETTINGS_BAD_PATHNAME = 161,    // empty part in a key path, control characters in a name
    SETTINGS_MORE_DATA = 234,       // value larger than the reader's buffer
    SETTINGS_NO_MORE_ITEMS = 259,
};

// One stored value. String types (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) keep
// `text`, REG_DWORD keeps `number`, any other type keeps `raw`.
struct SettingsValue {
    quint32 type = REG_NONE;
    QString text;
    quint32 number = 0;
    QByteArray raw;

    static SettingsValue string(const QString& text, quint32 type = REG_SZ);
    static SettingsValue dword(quint32 number);

    bool isString() const;
    // Size in bytes as a reader's buffer must hold it: strings count one byte
    // per character (the program's single-byte text) plus the closing zero.
    int byteSize() const;
    bool operator==(const SettingsValue& other) const;
};

// The key tree of all roots; a plain value the backends load and save.
class SettingsTree {
public:
    struct Value {
        QString name;
        SettingsValue value;
    };
    struct Key {
        QString name;
        QList<Value> values;
        QList<Key> subkeys;
    };

    // Root key of a root handle; null for a handle that is not a root.
    Key* root(quint32 root);
    const Key* root(quint32 root) const;

    // The key at a path below a root ("" is the root itself); null when missing.
    // Paths use backslashes; parts are matched without regard to case.
    Key* find(quint32 root, const QString& path);
    const Key* find(quint32 root, const QString& path) const;
    // The key at a path, creating every missing key on the way.
    Key* create(quint32 root, const QString& path);

    static Value* findValue(Key& key, const QString& name);
    static const Value* findValue(const Key& key, const QString& name);
    static Key* findSubkey(Key& key, const QString& name);

    // INI-format text of the whole tree, and the tree read back from it. Lines
    // that cannot be read are skipped.
    QByteArray toIni() const;
    static SettingsTree fromIni(const QByteArray& text);

    bool operator==(const SettingsTree& other) const;

private:
    Key roots_[7];
};

// Checks a key path: SETTINGS_OK, or SETTINGS_BAD_PATHNAME for an empty part
// ("a\\\\b", a leading or trailing backslash) or a control character.
qint32 checkSettingsPath(const QString& path);

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // SETTINGS_OK when the key exists.
    qint32 openKey(quint32 root, const QString& path);
    // Reads a value through a buffer of `bufferSize` bytes: on SETTINGS_OK
    // `type` and `value` are set; on SETTINGS_MORE_DATA only `type` is.
    qint32 queryValue(quint32 root, const QString& path, const QString& name, int bufferSize,
                      quint32* type, SettingsValue* value);
    // Creates the key and every missing key on its path.
    qint32 createKey(quint32 root, const QString& path);
    // Stores a value; the key must exist (create it first).
    qint32 setValue(quint32 root, const QString& path, const QString& name, const SettingsValue& value);
    qint32 deleteValue(quint32 root, const QString& path, const QString& name);
    // Deletes a key without subkeys; a key with subkeys or the root answers
    // SETTINGS_ACCESS_DENIED.
    qint32 deleteKey(quint32 root, const QString& path);
    // Names of the key's subkeys (not of its values), in stored order.
    qint32 enumSubkeys(quint32 root, const QString& path, QStringList* names);
    // Everything is written at once; kept for the callers that ask for it.
    qint32 flush(quint32 root);

protected:
    // The whole tree as stored; false when it cannot be read.
    virtual bool load(SettingsTree& tree) = 0;
    // Replaces the stored tree; false when it cannot be written (nothing changed).
    virtual bool save(const SettingsTree& tree) = 0;
};

// Tree held in memory only; `setReadOnly` makes every change fail as denied.
class MemorySettingsStore : public SettingsStore {
public:
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    const SettingsTree& tree() const { return tree_; }

protected:
    bool load(SettingsTree& tree) override;
    bool save(const SettingsTree& tree) override;

private:
    SettingsTree tree_;
    bool readOnly_ = false;
};

// Tree in an INI-format file (UTF-8). A missing file is an empty tree; the
// folder is created at the first write. A name that stands for no plain file
// (a pipe, a device, a folder) or a file larger than a settings file can be
// is not read, and every operation answers SETTINGS_ACCESS_DENIED.
class FileSettingsStore : public SettingsStore {
public:
    explicit FileSettingsStore(const QString& fileName) : fileName_(fileName) {}
    QString fileName() const { return fileName_; }

protected:
    bool load(SettingsTree& tree) override;
    bool save(const SettingsTree& tree) override;

private:
    QString fileName_;
};

// The settings file of this user: the file that ZEVA_SETTINGS names, else
// $XDG_CONFIG_HOME/zeva/zeva.ini, else ~/.config/zeva/zeva.ini.
QString settingsFilePath();

// Why the program's settings file is not read, in the program's words: a
// pipe, a device or a folder at its name, or a file too large. Empty when it
// is a plain file or is not there, or another store is set.
QString settingsReadProblem();

// The store the program uses: the one given to setSettingsStore, else the file
// store on settingsFilePath() as it stands at the call.
std::shared_ptr<SettingsStore> settingsStore();
// Puts `store` in place of the file store (null: back to the file); answers the
// store that was set before.
std::shared_ptr<SettingsStore> setSettingsStore(std::shared_ptr<SettingsStore> store);

}  // namespace zeva
