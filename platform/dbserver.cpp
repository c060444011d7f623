#include "platform/dbserver.h"

#include "platform/codec.h"
#include "platform/runtime.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace zeva {

namespace {

// Where a write of `path` must go: through a symbolic link to the file it
// names, so the link stays a link.
QString resolvedWritePath(const QString& path)
{
    QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    return info.symLinkTarget();  // a link to a file not there yet
}

char typeChar(const QString& type)
{
    const QString t = type.toUpper();
    return t.size() == 1 ? t.at(0).toLatin1() : '\0';
}

}  // namespace

DBSERVER::DBSERVER(const QString& fileName, bool /*share*/, bool readOnly) : fileName_(fileName), readOnly_(readOnly)
{
    setLabel(Symbol(QFileInfo(fileName).completeBaseName()), QFileInfo(fileName).completeBaseName());
    const QString existing = findExistingPath(fileName);
    if (existing.isEmpty()) {
        error_ = fileName + QStringLiteral(": dosya yok");
        return;
    }
    if (!readDbfFile(existing, &table_, &error_))
        return;
    writePath_ = resolvedWritePath(existing);
    used_ = true;
    setFields(DBSTRUCT());
    ensureView();
    record_ = view_.isEmpty() ? -1 : view_.first();
    pos_ = 0;
    bof_ = view_.isEmpty();
}

DBSERVER::~DBSERVER()
{
    if (used_) {
        COMMIT();
        used_ = false;
    }
}

bool DBSERVER::canCreate(const DbStructure& structure, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (structure.isEmpty())
        return fail(QStringLiteral("alan yok"));
    QSet<QString> names;
    QList<DbfField> fields;
    for (const DbColumn& c : structure) {
        const QString name = c.name.trimmed();
        if (name.isEmpty() || name.size() > 10 || name != c.name || !cp1254::canEncode(name))
            return fail(QStringLiteral("geçersiz alan adı: ") + c.name);
        if (names.contains(name.toUpper()))
            return fail(QStringLiteral("alan adı iki kez: ") + c.name);
        names.insert(name.toUpper());
        switch (typeChar(c.type)) {
        case 'C':
            if (c.length < 1 || c.length > 65535)
                return fail(QStringLiteral("geçersiz alan uzunluğu: ") + c.name);
            break;
        case 'N':
            if (c.length < 1 || c.length > 20 || c.decimals < 0 || (c.decimals > 0 && c.decimals > c.length - 2))
                return fail(QStringLiteral("geçersiz alan uzunluğu: ") + c.name);
            break;
        case 'D':
        case 'L':
            break;
        default:
            return fail(QStringLiteral("bu tür alan yazılamaz: ") + c.name + QLatin1Char(' ') + c.type);
        }
        const char type = typeChar(c.type);
        fields << DbfField{name, type, type == 'D' ? 8 : type == 'L' ? 1 : c.length, 0};
    }
    const QString refusal = DbfTable::layoutRefusal(fields);
    if (!refusal.isEmpty())
        return fail(refusal);
    return true;
}

bool DBSERVER::DBCREATE(const QString& fileName, const DbStructure& structure, QString* error)
{
    if (!canCreate(structure, error))
        return false;
    QList<DbfField> fields;
    for (const DbColumn& c : structure) {
        DbfField f;
        f.name = c.name.toUpper();
        f.type = typeChar(c.type);
        f.length = f.type == 'D' ? 8 : f.type == 'L' ? 1 : c.length;
        f.decimals = f.type == 'N' ? c.decimals : 0;
        fields << f;
    }
    return writeDbfFile(resolvedWritePath(pathForWriting(fileName)), DbfTable(fields), error);
}

DbStructure DBSERVER::DBSTRUCT() const
{
    DbStructure s;
    for (const DbfField& f : table_.fields())
        s << DbColumn{f.name, QString(QLatin1Char(f.type)), f.length, f.type == 'C' ? 0 : f.decimals};
    return s;
}

int DBSERVER::FIELDPOS(const QString& name) const
{
    return table_.fieldIndex(name.trimmed()) + 1;
}

QVariant DBSERVER::FIELDGET(int n) const
{
    if (!used_ || n < 1 || n > table_.fieldCount() || Eof())
        return QVariant();
    const QString text = table_.value(record_, n - 1);
    switch (table_.fields().at(n - 1).type) {
    case 'N':
        return Val(text);
    case 'D':
        return DbfTable::dateValue(text);
    case 'L':
        return DbfTable::logicalValue(text);
    default:
        return text;
    }
}

bool DBSERVER::storedText(int n, const QVariant& value, QString* out) const
{
    if (!used_ || readOnly_ || !FIELDVALIDATE(n, value))
        return false;
    const DbfField& f = table_.fields().at(n - 1);
    QString text;
    switch (f.type) {
    case 'N':
        text = Str(value.toDouble(), f.length, f.decimals);
        if (text.startsWith(QLatin1Char('*')))
            return false;  // wider than the field
        break;
    case 'D':
        text = DbfTable::dateText(value.toDate());
        break;
    case 'L':
        text = DbfTable::logicalText(value.toBool());
        break;
    default:
        text = value.toString();
        if (!cp1254::canEncode(text))
            return false;
        break;
    }
    if (out)
        *out = text;
    return true;
}

bool DBSERVER::FIELDPUT(int n, const QVariant& value)
{
    QString text;
    if (Eof() || !storedText(n, value, &text))
        return false;
    table_.setValue(record_, n - 1, text);
    changed_ = true;
    if (n - 1 == orderField_)
        invalidateView();
    NOTIFY(kDataFieldChange, QVariant::fromValue(dataField(n)->NAMESYM()));
    return true;
}

QByteArray DBSERVER::keyOf(int record) const
{
    return cp1254::encode(table_.value(record, orderField_));
}

void DBSERVER::ensureView() const
{
    if (!viewDirty_)
        return;
    view_ = table_.liveRecords();
    viewKeys_.clear();
    if (orderField_ >= 0) {
        QList<QByteArray> keys(table_.recordCount());
        for (int r : view_)
            keys[r] = keyOf(r);
        // Records already ascend: a stable sort by key orders equal keys by record.
        std::stable_sort(view_.begin(), view_.end(), [&](int a, int b) { return keys.at(a) < keys.at(b); });
        viewKeys_.reserve(view_.size());
        for (int r : view_)
            viewKeys_ << keys.at(r);
    }
    viewDirty_ = false;
    pos_ = record_ < 0 ? view_.size() : view_.indexOf(record_);
    if (pos_ < 0)
        pos_ = view_.size();  // the record left the walk
}

bool DBSERVER::Eof() const
{
    if (record_ < 0)
        return true;
    ensureView();
    return pos_ >= view_.size();
}

qint64 DBSERVER::RECNO() const
{
    return Eof() ? qint64(LASTREC()) + 1 : qint64(record_) + 1;
}

bool DBSERVER::GOTOP()
{
    if (!used_ || !consent())
        return false;
    ensureView();
    pos_ = 0;
    record_ = view_.isEmpty() ? -1 : view_.first();
    bof_ = view_.isEmpty();
    NOTIFY(kDataGoTop);
    return true;
}

bool DBSERVER::GOBOTTOM()
{
    if (!used_ || !consent())
        return false;
    ensureView();
    pos_ = view_.isEmpty() ? 0 : view_.size() - 1;
    record_ = view_.isEmpty() ? -1 : view_.last();
    bof_ = view_.isEmpty();
    NOTIFY(kDataGoBottom);
    return true;
}

bool DBSERVER::SKIP(qint64 n)
{
    if (!used_ || !consent())
        return false;
    ensureView();
    if (record_ < 0)
        pos_ = view_.size();
    const qint64 size = view_.size();
    qint64 target = qint64(pos_);
    // Clamped arithmetic: a count of any size lands on an end.
    if (n > 0)
        target = n >= size - target ? size : target + n;
    else if (n < 0)
        target = -n >= target ? -1 : target + n;
    bof_ = false;
    if (target < 0) {
        target = 0;
        bof_ = true;
    }
    pos_ = target;
    record_ = pos_ < size ? view_.at(pos_) : -1;
    if (size == 0)
        bof_ = true;
    NOTIFY(kDataRecordChange);
    return true;
}

bool DBSERVER::APPEND()
{
    if (!used_ || readOnly_ || !consent())
        return false;
    record_ = table_.appendRecord();
    changed_ = true;
    bof_ = false;
    invalidateView();
    NOTIFY(kDataAppend);
    return true;
}

bool DBSERVER::COMMIT()
{
    if (!used_)
        return false;
    if (readOnly_ || !changed_)
        return true;
    table_.setLastUpdate(QDate::currentDate());
    if (!writeDbfFile(writePath_, table_, &error_))
        return false;
    changed_ = false;
    return true;
}

bool DBSERVER::CLOSE()
{
    if (!used_)
        return false;
    const bool ok = COMMIT();
    NOTIFY(kDataClose);
    used_ = false;
    record_ = -1;
    return ok;
}

bool DBSERVER::SETORDER(const QString& fieldName)
{
    if (fieldName.isEmpty()) {
        orderField_ = -1;
        invalidateView();
        return true;
    }
    const int i = table_.fieldIndex(fieldName);
    if (i < 0 || table_.fields().at(i).type != 'C')
        return false;
    orderField_ = i;
    invalidateView();
    return true;
}

bool DBSERVER::SEEK(const QVariant& key)
{
    if (!used_ || !consent())
        return false;
    ensureView();
    bool found = false;
    if (orderField_ >= 0 && isTextValue(key) && cp1254::canEncode(key.toString())) {
        const QByteArray prefix = cp1254::encode(key.toString());
        const auto at = std::lower_bound(viewKeys_.cbegin(), viewKeys_.cend(), prefix);
        if (at != viewKeys_.cend() && at->startsWith(prefix)) {
            pos_ = at - viewKeys_.cbegin();
            record_ = view_.at(pos_);
            bof_ = false;
            found = true;
        }
    }
    if (!found) {
        pos_ = view_.size();
        record_ = -1;
    }
    NOTIFY(kDataRecordChange);
    return found;
}

QVariant DBSERVER::ORDERKEYVAL() const
{
    if (orderField_ < 0 || Eof())
        return QVariant();
    return table_.value(record_, orderField_);
}

bool DBSERVER::REFRESH()
{
    if (!used_)
        return false;
    NOTIFY(kDataRecordChange);
    return true;
}

QList<NtxKey> DBSERVER::orderKeys() const
{
    QList<NtxKey> keys;
    if (orderField_ < 0)
        return keys;
    ensureView();
    for (qsizetype i = 0; i < view_.size(); ++i)
        keys << NtxKey{viewKeys_.at(i), quint32(view_.at(i) + 1)};
    return keys;
}

}  // namespace zeva
