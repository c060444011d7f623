#include "platform/settingsstore.h"

#include "platform/atomicfile.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zeva {

// ---------------------------------------------------------------- values

SettingsValue SettingsValue::string(const QString& text, quint32 type)
{
    SettingsValue v;
    v.type = type;
    v.text = text;
    return v;
}

SettingsValue SettingsValue::dword(quint32 number)
{
    SettingsValue v;
    v.type = REG_DWORD;
    v.number = number;
    return v;
}

bool SettingsValue::isString() const
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

int SettingsValue::byteSize() const
{
    if (isString())
        return static_cast<int>(text.size()) + 1;
    if (type == REG_DWORD)
        return 4;
    return static_cast<int>(raw.size());
}

bool SettingsValue::operator==(const SettingsValue& o) const
{
    if (type != o.type)
        return false;
    if (isString())
        return text == o.text;
    if (type == REG_DWORD)
        return number == o.number;
    return raw == o.raw;
}

// ---------------------------------------------------------------- tree

namespace {

bool sameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

int rootIndex(quint32 root)
{
    if (root < HKEY_CLASSES_ROOT || root > HKEY_DYN_DATA || root == HKEY_PERFORMANCE_DATA)
        return -1;
    return static_cast<int>(root - HKEY_CLASSES_ROOT);
}

const char* const kRootNames[7] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    nullptr, "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

bool hasControl(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

QStringList pathParts(const QString& path)
{
    if (path.isEmpty())
        return {};
    return path.split(QLatin1Char('\\'));
}

}  // namespace

qint32 checkSettingsPath(const QString& path)
{
    for (const QString& part : pathParts(path))
        if (part.isEmpty() || hasControl(part))
            return SETTINGS_BAD_PATHNAME;
    return SETTINGS_OK;
}

SettingsTree::Key* SettingsTree::root(quint32 r)
{
    const int i = rootIndex(r);
    return i < 0 ? nullptr : &roots_[i];
}

const SettingsTree::Key* SettingsTree::root(quint32 r) const
{
    const int i = rootIndex(r);
    return i < 0 ? nullptr : &roots_[i];
}

SettingsTree::Key* SettingsTree::findSubkey(Key& key, const QString& name)
{
    for (Key& k : key.subkeys)
        if (sameName(k.name, name))
            return &k;
    return nullptr;
}

SettingsTree::Key* SettingsTree::find(quint32 r, const QString& path)
{
    Key* key = root(r);
    for (const QString& part : pathParts(path)) {
        if (!key)
            break;
        key = findSubkey(*key, part);
    }
    return key;
}

const SettingsTree::Key* SettingsTree::find(quint32 r, const QString& path) const
{
    return const_cast<SettingsTree*>(this)->find(r, path);
}

SettingsTree::Key* SettingsTree::create(quint32 r, const QString& path)
{
    Key* key = root(r);
    for (const QString& part : pathParts(path)) {
        if (!key)
            break;
        Key* next = findSubkey(*key, part);
        if (!next) {
            key->subkeys.append(Key{part, {}, {}});
            next = &key->subkeys.last();
        }
        key = next;
    }
    return key;
}

SettingsTree::Value* SettingsTree::findValue(Key& key, const QString& name)
{
    for (Value& v : key.values)
        if (sameName(v.name, name))
            return &v;
    return nullptr;
}

const SettingsTree::Value* SettingsTree::findValue(const Key& key, const QString& name)
{
    return findValue(const_cast<Key&>(key), name);
}

namespace {

bool sameKey(const SettingsTree::Key& a, const SettingsTree::Key& b)
{
    if (a.name != b.name || a.values.size() != b.values.size() || a.subkeys.size() != b.subkeys.size())
        return false;
    for (qsizetype i = 0; i < a.values.size(); ++i)
        if (a.values[i].name != b.values[i].name || !(a.values[i].value == b.values[i].value))
            return false;
    for (qsizetype i = 0; i < a.subkeys.size(); ++i)
        if (!sameKey(a.subkeys[i], b.subkeys[i]))
            return false;
    return true;
}

}  // namespace

bool SettingsTree::operator==(const SettingsTree& other) const
{
    for (int i = 0; i < 7; ++i)
        if (!sameKey(roots_[i], other.roots_[i]))
            return false;
    return true;
}

// ---------------------------------------------------------------- INI text
//
//   [HKEY_LOCAL_MACHINE\Software\Tarlanet_Int\OSetings]
//   "Opath"="/home/user/.local/share/zeva"
//   "Count"=dword:00000007
//   "Path"=expand_sz:"..."        "List"=multi_sz:"a\x00b"        "Blob"=hex(3):01,ff
//
// Quoted texts escape the backslash, the double quote and control characters
// (\xHH). Every key has a section, so empty keys survive a rewrite.

namespace {

QString quote(const QString& s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// Reads a quoted text starting at `pos` (the opening quote); on success moves
// `pos` past the closing quote.
bool unquote(const QString& line, qsizetype& pos, QString& out)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return false;
    out.clear();
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            pos = i + 1;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= line.size())
            return false;
        const QChar e = line[i];
        if (e == QLatin1Char('x')) {
            if (i + 2 >= line.size())
                return false;
            bool ok = false;
            const uint code = line.mid(i + 1, 2).toUInt(&ok, 16);
            if (!ok)
                return false;
            out += QChar(static_cast<char16_t>(code));
            i += 2;
        } else {
            out += e;
        }
    }
    return false;
}

void writeKey(QString& out, const QString& path, const SettingsTree::Key& key, bool isRoot)
{
    if (!isRoot || !key.values.isEmpty()) {
        out += QLatin1Char('[') + path + QStringLiteral("]\n");
        for (const SettingsTree::Value& v : key.values) {
            out += quote(v.name) + QLatin1Char('=');
            const SettingsValue& val = v.value;
            switch (val.type) {
            case REG_SZ:
                out += quote(val.text);
                break;
            case REG_EXPAND_SZ:
                out += QStringLiteral("expand_sz:") + quote(val.text);
                break;
            case REG_MULTI_SZ:
                out += QStringLiteral("multi_sz:") + quote(val.text);
                break;
            case REG_DWORD:
                out += QStringLiteral("dword:%1").arg(val.number, 8, 16, QLatin1Char('0'));
                break;
            default: {
                QStringList bytes;
                for (char b : val.raw)
                    bytes << QStringLiteral("%1").arg(static_cast<uchar>(b), 2, 16, QLatin1Char('0'));
                out += QStringLiteral("hex(%1):").arg(val.type) + bytes.join(QLatin1Char(','));
            }
            }
            out += QLatin1Char('\n');
        }
        out += QLatin1Char('\n');
    }
    for (const SettingsTree::Key& sub : key.subkeys)
        writeKey(out, path + QLatin1Char('\\') + sub.name, sub, false);
}

bool parseValue(const QString& valueText, SettingsValue& v)
{
    qsizetype pos = 0;
    auto quotedRest = [&](quint32 type) {
        QString text;
        if (!unquote(valueText, pos, text) || pos != valueText.size())
            return false;
        v = SettingsValue::string(text, type);
        return true;
    };
    if (valueText.startsWith(QLatin1Char('"')))
        return quotedRest(REG_SZ);
    if (valueText.startsWith(QLatin1String("expand_sz:"))) {
        pos = 10;
        return quotedRest(REG_EXPAND_SZ);
    }
    if (valueText.startsWith(QLatin1String("multi_sz:"))) {
        pos = 9;
        return quotedRest(REG_MULTI_SZ);
    }
    if (valueText.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const QString digits = valueText.mid(6);
        const quint32 n = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return false;
        v = SettingsValue::dword(n);
        return true;
    }
    if (valueText.startsWith(QLatin1String("hex("))) {
        const qsizetype close = valueText.indexOf(QLatin1String("):"));
        if (close < 0)
            return false;
        bool ok = false;
        const quint32 type = valueText.mid(4, close - 4).toUInt(&ok);
        if (!ok || type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ || type == REG_DWORD)
            return false;
        QByteArray raw;
        const QString list = valueText.mid(close + 2);
        if (!list.isEmpty()) {
            for (const QString& b : list.split(QLatin1Char(','))) {
                const uint byte = b.toUInt(&ok, 16);
                if (!ok || b.size() != 2)
                    return false;
                raw.append(static_cast<char>(byte));
            }
        }
        v = SettingsValue();
        v.type = type;
        v.raw = raw;
        return true;
    }
    return false;
}

}  // namespace

QByteArray SettingsTree::toIni() const
{
    QString out;
    for (int i = 0; i < 7; ++i)
        if (kRootNames[i])
            writeKey(out, QString::fromLatin1(kRootNames[i]), roots_[i], true);
    return out.toUtf8();
}

SettingsTree SettingsTree::fromIni(const QByteArray& text)
{
    SettingsTree tree;
    Key* current = nullptr;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            current = nullptr;
            if (!line.endsWith(QLatin1Char(']')))
                continue;
            const QString full = line.mid(1, line.size() - 2);
            const qsizetype slash = full.indexOf(QLatin1Char('\\'));
            const QString rootName = slash < 0 ? full : full.left(slash);
            const QString path = slash < 0 ? QString() : full.mid(slash + 1);
            for (int i = 0; i < 7; ++i)
                if (kRootNames[i] && sameName(rootName, QString::fromLatin1(kRootNames[i])))
                    if (checkSettingsPath(path) == SETTINGS_OK)
                        current = tree.create(HKEY_CLASSES_ROOT + static_cast<quint32>(i), path);
            continue;
        }
        if (!current)
            continue;
        qsizetype pos = 0;
        QString name;
        if (!unquote(line, pos, name) || pos >= line.size() || line[pos] != QLatin1Char('='))
            continue;
        SettingsValue value;
        if (!parseValue(line.mid(pos + 1), value))
            continue;
        if (Value* existing = findValue(*current, name))
            existing->value = value;
        else
            current->values.append(Value{name, value});
    }
    return tree;
}

// ---------------------------------------------------------------- store

qint32 SettingsStore::openKey(quint32 root, const QString& path)
{
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    return tree.find(root, path) ? SETTINGS_OK : SETTINGS_NOT_FOUND;
}

qint32 SettingsStore::queryValue(quint32 root, const QString& path, const QString& name, int bufferSize,
                                 quint32* type, SettingsValue* value)
{
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    const SettingsTree::Key* key = tree.find(root, path);
    if (!key)
        return SETTINGS_NOT_FOUND;
    const SettingsTree::Value* v = SettingsTree::findValue(*key, name);
    if (!v)
        return SETTINGS_NOT_FOUND;
    if (type)
        *type = v->value.type;
    if (v->value.byteSize() > bufferSize)
        return SETTINGS_MORE_DATA;
    if (value)
        *value = v->value;
    return SETTINGS_OK;
}

qint32 SettingsStore::createKey(quint32 root, const QString& path)
{
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    if (tree.find(root, path))
        return SETTINGS_OK;
    tree.create(root, path);
    return save(tree) ? SETTINGS_OK : SETTINGS_ACCESS_DENIED;
}

qint32 SettingsStore::setValue(quint32 root, const QString& path, const QString& name,
                               const SettingsValue& value)
{
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    SettingsTree::Key* key = tree.find(root, path);
    if (!key)
        return SETTINGS_NOT_FOUND;
    if (SettingsTree::Value* v = SettingsTree::findValue(*key, name))
        v->value = value;
    else
        key->values.append(SettingsTree::Value{name, value});
    return save(tree) ? SETTINGS_OK : SETTINGS_ACCESS_DENIED;
}

qint32 SettingsStore::deleteValue(quint32 root, const QString& path, const QString& name)
{
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    SettingsTree::Key* key = tree.find(root, path);
    if (!key)
        return SETTINGS_NOT_FOUND;
    for (qsizetype i = 0; i < key->values.size(); ++i) {
        if (sameName(key->values[i].name, name)) {
            key->values.removeAt(i);
            return save(tree) ? SETTINGS_OK : SETTINGS_ACCESS_DENIED;
        }
    }
    return SETTINGS_NOT_FOUND;
}

qint32 SettingsStore::deleteKey(quint32 root, const QString& path)
{
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    if (path.isEmpty())
        return SETTINGS_ACCESS_DENIED;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    SettingsTree::Key* parent = tree.find(root, slash < 0 ? QString() : path.left(slash));
    const QString last = slash < 0 ? path : path.mid(slash + 1);
    if (!parent)
        return SETTINGS_NOT_FOUND;
    for (qsizetype i = 0; i < parent->subkeys.size(); ++i) {
        if (sameName(parent->subkeys[i].name, last)) {
            if (!parent->subkeys[i].subkeys.isEmpty())
                return SETTINGS_ACCESS_DENIED;
            parent->subkeys.removeAt(i);
            return save(tree) ? SETTINGS_OK : SETTINGS_ACCESS_DENIED;
        }
    }
    return SETTINGS_NOT_FOUND;
}

qint32 SettingsStore::enumSubkeys(quint32 root, const QString& path, QStringList* names)
{
    if (names)
        names->clear();
    if (const qint32 c = checkSettingsPath(path))
        return c;
    SettingsTree tree;
    if (!load(tree))
        return SETTINGS_ACCESS_DENIED;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    const SettingsTree::Key* key = tree.find(root, path);
    if (!key)
        return SETTINGS_NOT_FOUND;
    if (names)
        for (const SettingsTree::Key& k : key->subkeys)
            names->append(k.name);
    return SETTINGS_OK;
}

qint32 SettingsStore::flush(quint32 root)
{
    SettingsTree tree;
    if (!tree.root(root))
        return SETTINGS_INVALID_PARAMETER;
    return SETTINGS_OK;
}

bool MemorySettingsStore::load(SettingsTree& tree)
{
    tree = tree_;
    return true;
}

bool MemorySettingsStore::save(const SettingsTree& tree)
{
    if (readOnly_)
        return false;
    tree_ = tree;
    return true;
}

// ---------------------------------------------------------------- file backend


bool FileSettingsStore::load(SettingsTree& tree)
{
    QByteArray bytes;
    switch (readRegularFile(fileName_, &bytes, kMaxSettingsFileSize)) {
    case FileRead::Read:
        tree = SettingsTree::fromIni(bytes);
        return true;
    case FileRead::Missing:
        tree = SettingsTree();
        return true;
    default:
        return false;
    }
}

bool FileSettingsStore::save(const SettingsTree& tree)
{
    if (!QDir().mkpath(QFileInfo(fileName_).absolutePath()))
        return false;
    return writeFileAtomically(fileName_, tree.toIni());
}

QString settingsFilePath()
{
    const QString named = qEnvironmentVariable("ZEVA_SETTINGS");
    if (!named.isEmpty())
        return named;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/zeva/zeva.ini");
}

namespace {
std::shared_ptr<SettingsStore>& storeOverride()
{
    static std::shared_ptr<SettingsStore> store;
    return store;
}
}  // namespace

QString settingsReadProblem()
{
    if (storeOverride())
        return QString();
    return plainFileRefusal(settingsFilePath(), kMaxSettingsFileSize);
}

std::shared_ptr<SettingsStore> settingsStore()
{
    if (storeOverride())
        return storeOverride();
    return std::make_shared<FileSettingsStore>(settingsFilePath());
}

std::shared_ptr<SettingsStore> setSettingsStore(std::shared_ptr<SettingsStore> store)
{
    std::shared_ptr<SettingsStore> previous = storeOverride();
    storeOverride() = std::move(store);
    return previous;
}

}  // namespace zeva
