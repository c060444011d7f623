#include "shell/registry.h"

#include "platform/runtime.h"

namespace zeva {

namespace {

// Blanks off both ends, then trailing and leading backslashes while more
// than one character is left.
QString trimSubkey(const QString& path)
{
    QString p = AllTrim(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('\\')))
        p.chop(1);
    while (p.size() > 1 && p.startsWith(QLatin1Char('\\')))
        p.remove(0, 1);
    return p;
}

}  // namespace

_CLASS_REGISTRY::_CLASS_REGISTRY(std::shared_ptr<SettingsStore> store)
    : store_(store ? std::move(store) : settingsStore())
{
}

QString _CLASS_REGISTRY::WORKING_SUBKEY() const { return workingSubkey_; }

QString _CLASS_REGISTRY::WORKING_SUBKEY(const QString& path)
{
    workingSubkey_ = trimSubkey(path);
    return workingSubkey_;
}

quint32 _CLASS_REGISTRY::HKEY() const { return root_; }

quint32 _CLASS_REGISTRY::HKEY(quint32 root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT:
    case HKEY_CURRENT_USER:
    case HKEY_LOCAL_MACHINE:
    case HKEY_USERS:
    case HKEY_CURRENT_CONFIG:
    case HKEY_DYN_DATA:
        root_ = root;
        break;
    default:
        root_ = HKEY_LOCAL_MACHINE;
    }
    return root_;
}

qint32 _CLASS_REGISTRY::LASTERROR() const { return lastError_; }

qint32 _CLASS_REGISTRY::LASTERROR(qint32 code)
{
    lastError_ = code;
    return lastError_;
}

QString _CLASS_REGISTRY::BUILD_FULL_SUBKEY(const QString& subkey) const
{
    QString s = trimSubkey(subkey);
    if (s == QLatin1String("\\"))
        s.clear();
    if (s.isEmpty())
        return workingSubkey_;
    if (AllTrim(workingSubkey_).isEmpty())
        return s;
    return workingSubkey_ + QLatin1Char('\\') + s;
}

QString _CLASS_REGISTRY::GETSTRING(const QString& subkey, const QString& valueName)
{
    quint32 type = REG_NONE;
    SettingsValue value;
    lastError_ = store_->queryValue(root_, BUILD_FULL_SUBKEY(subkey), valueName, kStringBuffer, &type, &value);
    if (lastError_ != SETTINGS_OK || type != REG_SZ)
        return QString();
    QString text = value.text;
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return RTrim(text);
}

qint32 _CLASS_REGISTRY::GETINT(const QString& subkey, const QString& valueName)
{
    quint32 type = REG_NONE;
    SettingsValue value;
    lastError_ = store_->queryValue(root_, BUILD_FULL_SUBKEY(subkey), valueName, 4, &type, &value);
    if (lastError_ != SETTINGS_OK || type != REG_DWORD)
        return 0;
    return static_cast<qint32>(value.number);
}

qint32 _CLASS_REGISTRY::CREATEKEY(const QString& subkey)
{
    lastError_ = store_->createKey(root_, BUILD_FULL_SUBKEY(subkey));
    return lastError_;
}

qint32 _CLASS_REGISTRY::CREATESUBKEY(const QString& subkey) { return CREATEKEY(subkey); }

qint32 _CLASS_REGISTRY::WRITESTRING(const QString& subkey, const QString& valueName, const QString& text)
{
    const QString path = BUILD_FULL_SUBKEY(subkey);
    lastError_ = store_->createKey(root_, path);
    if (lastError_ == SETTINGS_OK)
        lastError_ = store_->setValue(root_, path, valueName, SettingsValue::string(text.left(kMaxWrittenText)));
    return lastError_;
}

qint32 _CLASS_REGISTRY::WRITEINT(const QString& subkey, const QString& valueName, qint32 number)
{
    const QString path = BUILD_FULL_SUBKEY(subkey);
    lastError_ = store_->createKey(root_, path);
    if (lastError_ == SETTINGS_OK)
        lastError_ = store_->setValue(root_, path, valueName, SettingsValue::dword(static_cast<quint32>(number)));
    return lastError_;
}

QStringList _CLASS_REGISTRY::GET_SUBKEY_VALUENAMES(const QString& subkey)
{
    QStringList names;
    lastError_ = store_->enumSubkeys(root_, BUILD_FULL_SUBKEY(subkey), &names);
    return names;
}

qint32 _CLASS_REGISTRY::DELETEVALUE(const QString& subkey, const QString& valueName)
{
    lastError_ = store_->deleteValue(root_, BUILD_FULL_SUBKEY(subkey), valueName);
    return lastError_;
}

qint32 _CLASS_REGISTRY::DELETEVALUENAME(const QString& subkey, const QString& valueName)
{
    return DELETEVALUE(subkey, valueName);
}

qint32 _CLASS_REGISTRY::DELETESUBKEY(const QString& subkey)
{
    lastError_ = store_->deleteKey(root_, BUILD_FULL_SUBKEY(subkey));
    return lastError_;
}

qint32 _CLASS_REGISTRY::FLUSH()
{
    lastError_ = store_->flush(root_);
    return lastError_;
}

CLASS_HKLM::CLASS_HKLM(std::shared_ptr<SettingsStore> store) : _CLASS_REGISTRY(std::move(store))
{
    root_ = HKEY_LOCAL_MACHINE;
}

quint32 CLASS_HKLM::HKEY(quint32) { return root_; }

CLASS_HKCU::CLASS_HKCU(std::shared_ptr<SettingsStore> store) : _CLASS_REGISTRY(std::move(store))
{
    root_ = HKEY_CURRENT_USER;
}

quint32 CLASS_HKCU::HKEY(quint32) { return root_; }

CLASS_HKCR::CLASS_HKCR(std::shared_ptr<SettingsStore> store) : _CLASS_REGISTRY(std::move(store))
{
    root_ = HKEY_CLASSES_ROOT;
}

quint32 CLASS_HKCR::HKEY(quint32) { return root_; }

}  // namespace zeva
