#pragma once
// The registry classes: a root and a working subkey over the settings store,
// with typed reads, writes, deletions and an enumeration of subkeys. An object
// is made for one short task; every operation opens and closes the store on
// its own. Nothing is ever shown to the user: each operation keeps its result
// code in LASTERROR and the writes and deletions also answer it.

#include "platform/settingsstore.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace zeva {

class _CLASS_REGISTRY {
public:
    // INIT: empty working subkey, last error 0, root HKEY_LOCAL_MACHINE. The
    // store is the program's settings store unless another one is given.
    explicit _CLASS_REGISTRY(std::shared_ptr<SettingsStore> store = {});
    virtual ~_CLASS_REGISTRY() = default;

    // Buffer sizes of the reads and the longest text a write stores.
    static constexpr int kStringBuffer = 2048;
    static constexpr int kMaxWrittenText = 2046;

    virtual QString WORKING_SUBKEY() const;
    // Stored without blanks around it and without leading or trailing
    // backslashes (a single backslash stays).
    virtual QString WORKING_SUBKEY(const QString& path);
    virtual quint32 HKEY() const;
    // A value outside the six roots (HKEY_PERFORMANCE_DATA included) sets
    // HKEY_LOCAL_MACHINE.
    virtual quint32 HKEY(quint32 root);
    virtual qint32 LASTERROR() const;
    virtual qint32 LASTERROR(qint32 code);
    // The path below the root that a subkey stands for.
    virtual QString BUILD_FULL_SUBKEY(const QString& subkey) const;
    // A string value with trailing blanks removed; empty when the key or value
    // is missing, is not a REG_SZ value, or does not fit the read buffer.
    virtual QString GETSTRING(const QString& subkey, const QString& valueName);
    // A REG_DWORD value; 0 otherwise.
    virtual qint32 GETINT(const QString& subkey, const QString& valueName);
    virtual qint32 CREATEKEY(const QString& subkey);
    virtual qint32 CREATESUBKEY(const QString& subkey);
    // Creates the key path when missing; a text longer than 2046 characters is cut.
    virtual qint32 WRITESTRING(const QString& subkey, const QString& valueName, const QString& text);
    virtual qint32 WRITEINT(const QString& subkey, const QString& valueName, qint32 number);
    // The names of the key's subkeys (not of its values).
    virtual QStringList GET_SUBKEY_VALUENAMES(const QString& subkey);
    virtual qint32 DELETEVALUE(const QString& subkey, const QString& valueName);
    virtual qint32 DELETEVALUENAME(const QString& subkey, const QString& valueName);
    virtual qint32 DELETESUBKEY(const QString& subkey);
    virtual qint32 FLUSH();

protected:
    QString workingSubkey_;
    QString keyClass_;  // class text for created keys; always empty
    qint32 lastError_ = 0;
    quint32 root_ = HKEY_LOCAL_MACHINE;
    std::shared_ptr<SettingsStore> store_;
};

// The three classes fixed to one root: HKEY (set) leaves the root unchanged.
class CLASS_HKLM : public _CLASS_REGISTRY {
public:
    explicit CLASS_HKLM(std::shared_ptr<SettingsStore> store = {});
    using _CLASS_REGISTRY::HKEY;
    quint32 HKEY(quint32 root) override;
};

class CLASS_HKCU : public _CLASS_REGISTRY {
public:
    explicit CLASS_HKCU(std::shared_ptr<SettingsStore> store = {});
    using _CLASS_REGISTRY::HKEY;
    quint32 HKEY(quint32 root) override;
};

class CLASS_HKCR : public _CLASS_REGISTRY {
public:
    explicit CLASS_HKCR(std::shared_ptr<SettingsStore> store = {});
    using _CLASS_REGISTRY::HKEY;
    quint32 HKEY(quint32 root) override;
};

}  // namespace zeva
