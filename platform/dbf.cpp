#include "platform/dbf.h"

#include "platform/regularfile.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zeva {

namespace {

constexpr int kDescriptorSize = 32;
constexpr char kTerminator = 0x0D;
constexpr char kEndOfFile = 0x1A;
constexpr unsigned char kVersion = 0x03;
constexpr unsigned char kTurkishWindows = 0xCA;

quint16 le16(const QByteArray& b, int at)
{
    return static_cast<quint16>(static_cast<unsigned char>(b.at(at))
                                | (static_cast<unsigned char>(b.at(at + 1)) << 8));
}

quint32 le32(const QByteArray& b, int at)
{
    return static_cast<quint32>(le16(b, at)) | (static_cast<quint32>(le16(b, at + 2)) << 16);
}

void put16(QByteArray& b, int at, quint32 v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(QByteArray& b, int at, quint32 v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// A field's name as the header stores it: upper case, Windows-1254 like
// every text of the file, and trimmed after the cut, so a name read back is
// the name written.
QByteArray storedName(const QString& name)
{
    return cp1254::encode(name.toUpper().left(10).trimmed());
}

// The 32-byte descriptor this writer makes for a field.
QByteArray descriptorOf(const DbfField& f)
{
    QByteArray d(kDescriptorSize, '\0');
    const QByteArray name = storedName(f.name);
    d.replace(0, name.size(), name);
    d[11] = f.type;
    d[16] = static_cast<char>(f.length & 0xFF);
    // A character field's width goes on in the decimals byte.
    d[17] = static_cast<char>((f.type == 'C' ? f.length >> 8 : f.decimals) & 0xFF);
    return d;
}

}  // namespace

DbfTable::DbfTable(QList<DbfField> fields) : fields_(std::move(fields))
{
    for (DbfField& f : fields_) {
        f.type = static_cast<char>(QChar::fromLatin1(f.type).toUpper().toLatin1());
        if (f.type != 'N')
            f.decimals = 0;
    }
}

int DbfTable::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int DbfTable::recordLength() const
{
    return static_cast<int>(recordLengthOf(fields_));
}

qint64 DbfTable::recordLengthOf(const QList<DbfField>& fields)
{
    qint64 length = 1;
    for (const DbfField& f : fields)
        length += f.length;
    return length;
}

QString DbfTable::layoutRefusal(const QList<DbfField>& fields)
{
    if (fields.size() > kDbfMaxFields)
        return QStringLiteral("tabloda %1 alan var; bir dBASE tablosunun başlığı en fazla %2 alan tutabilir")
            .arg(fields.size())
            .arg(kDbfMaxFields);
    const qint64 length = recordLengthOf(fields);
    if (length > kDbfMaxRecordLength)
        return QStringLiteral("bir kaydın uzunluğu %1 bayt; bir dBASE tablosunda en fazla %2 bayt olabilir")
            .arg(length)
            .arg(kDbfMaxRecordLength);
    return QString();
}

int DbfTable::headerLength() const
{
    if (!header_.isEmpty())
        return static_cast<int>(header_.size());
    return kDescriptorSize + kDescriptorSize * fieldCount() + 1;
}

unsigned char DbfTable::codePageMark() const
{
    return header_.isEmpty() ? kTurkishWindows : static_cast<unsigned char>(header_.at(29));
}

bool DbfTable::windowsTurkishText() const
{
    const unsigned char mark = codePageMark();
    return mark == kTurkishWindows || mark == 0x00;
}

QList<int> DbfTable::liveRecords() const
{
    QList<int> live;
    for (int i = 0; i < records_.size(); ++i)
        if (!records_.at(i).deleted)
            live << i;
    return live;
}

bool DbfTable::isDeleted(int record) const
{
    return record >= 0 && record < records_.size() && records_.at(record).deleted;
}

void DbfTable::setDeleted(int record, bool deleted)
{
    if (record >= 0 && record < records_.size())
        records_[record].deleted = deleted;
}

QString DbfTable::value(int record, int field) const
{
    if (record < 0 || record >= records_.size() || field < 0 || field >= fields_.size())
        return QString();
    return records_.at(record).cells.value(field);
}

QString DbfTable::value(int record, const QString& fieldName) const
{
    return value(record, fieldIndex(fieldName));
}

QString DbfTable::fitted(int field, const QString& text) const
{
    const DbfField& f = fields_.at(field);
    if (f.type == 'N') {
        if (text.size() > f.length)
            return QString(f.length, QLatin1Char('*'));
        return text.rightJustified(f.length, QLatin1Char(' '));
    }
    return text.leftJustified(f.length, QLatin1Char(' '), true);
}

void DbfTable::setValue(int record, int field, const QString& text)
{
    if (record < 0 || record >= records_.size() || field < 0 || field >= fields_.size())
        return;
    records_[record].cells[field] = fitted(field, text);
}

void DbfTable::setValue(int record, const QString& fieldName, const QString& text)
{
    setValue(record, fieldIndex(fieldName), text);
}

int DbfTable::appendRecord()
{
    Record r;
    for (const DbfField& f : fields_)
        r.cells << QString(f.length, QLatin1Char(' '));
    records_.append(r);
    return static_cast<int>(records_.size()) - 1;
}

std::optional<DbfTable> DbfTable::withColumnChanged(int position, const std::optional<DbfField>& field) const
{
    const int n = fieldCount();
    if (position < 0 || position > n || (!field && position == n))
        return std::nullopt;

    DbfTable result;
    result.lastUpdate_ = lastUpdate_;
    result.foreignLayout_ = foreignLayout_;
    // Where the new table's columns come from: a position in this one, or -1
    // for the new column.
    QList<int> source;
    for (int i = 0; i < n; ++i) {
        if (field && i == position)
            source << -1;
        if (field || i != position)
            source << i;
    }
    if (field && position == n)
        source << -1;

    DbfField added;
    if (field) {
        added = DbfTable({*field}).fields_.first();
        added.name = cp1254::decode(storedName(added.name));
    }
    for (int s : source)
        result.fields_ << (s < 0 ? added : fields_.at(s));

    if (!header_.isEmpty()) {
        // Some writers keep each field's place in the record in bytes 12-15
        // of its descriptor; where every one of them does, the places are
        // set anew, elsewhere those bytes are kept.
        bool places = true;
        quint32 place = 1;
        for (int i = 0; i < n; ++i) {
            places = places && le32(header_, kDescriptorSize * (i + 1) + 12) == place;
            place += static_cast<quint32>(fields_.at(i).length);
        }
        QByteArray header = header_.left(kDescriptorSize);
        place = 1;
        for (int s : source) {
            QByteArray d = s < 0 ? descriptorOf(added) : header_.mid(kDescriptorSize * (s + 1), kDescriptorSize);
            if (places)
                put32(d, 12, place);
            place += static_cast<quint32>(s < 0 ? added.length : fields_.at(s).length);
            header += d;
        }
        header += kTerminator;
        header += header_.mid(kDescriptorSize * (n + 1) + 1);
        if (header.size() > 0xFFFF)
            return std::nullopt;
        put16(header, 8, static_cast<quint32>(header.size()));
        put16(header, 10, static_cast<quint32>(qMin<qint64>(recordLengthOf(result.fields_), 0xFFFF)));
        result.header_ = header;
    }

    for (const Record& r : records_) {
        Record copy;
        copy.deleted = r.deleted;
        for (int s : source)
            copy.cells << (s < 0 ? QString(added.length, QLatin1Char(' ')) : r.cells.value(s));
        result.records_.append(copy);
    }
    return result;
}

QByteArray DbfTable::toBytes() const
{
    const int headerLen = headerLength();
    const int recordLen = recordLength();
    const QDate date = lastUpdate_.isValid() ? lastUpdate_ : QDate::currentDate();
    // A table read from a file keeps the header it had; its fields are the
    // same, so its lengths are too.
    const bool made = header_.isEmpty();
    QByteArray out = made ? QByteArray(headerLen, '\0') : header_;
    out[1] = static_cast<char>(qBound(0, date.year() - 1900, 255));
    out[2] = static_cast<char>(date.month());
    out[3] = static_cast<char>(date.day());
    put32(out, 4, static_cast<quint32>(records_.size()));

    for (int i = 0; made && i < fields_.size(); ++i)
        out.replace(kDescriptorSize * (i + 1), kDescriptorSize, descriptorOf(fields_.at(i)));
    if (made) {
        out[0] = static_cast<char>(kVersion);
        put16(out, 8, static_cast<quint32>(headerLen));
        put16(out, 10, static_cast<quint32>(recordLen));
        out[29] = static_cast<char>(kTurkishWindows);
        out[headerLen - 1] = kTerminator;
    }

    out.reserve(headerLen + recordLen * records_.size() + 1);
    for (const Record& r : records_) {
        out.append(r.deleted ? '*' : ' ');
        for (int i = 0; i < fields_.size(); ++i) {
            QByteArray cell = cp1254::encode(fitted(i, r.cells.value(i)));
            cell = cell.leftJustified(fields_.at(i).length, ' ', true);
            out.append(cell);
        }
    }
    out.append(kEndOfFile);
    return out;
}

bool DbfTable::foreignLayout() const
{
    return foreignLayout_;
}

bool DbfTable::fromBytes(const QByteArray& bytes, DbfTable* table, QString* error)
{
    if (bytes.size() < kDescriptorSize + 1) {
        setError(error, QStringLiteral("dosya bir dBASE tablosu değil (çok kısa)"));
        return false;
    }
    const int headerLen = le16(bytes, 8);
    const int recordLen = le16(bytes, 10);
    const qint64 declared = le32(bytes, 4);
    if (headerLen < kDescriptorSize + 1 || headerLen > bytes.size() || recordLen < 1) {
        setError(error, QStringLiteral("dosya bir dBASE tablosu değil (başlık)"));
        return false;
    }

    QList<DbfField> fields;
    bool terminated = false;
    for (int at = kDescriptorSize; at < headerLen; at += kDescriptorSize) {
        if (bytes.at(at) == kTerminator) {
            terminated = true;
            break;
        }
        if (at + kDescriptorSize > headerLen) {
            break;
        }
        QByteArray rawName = bytes.mid(at, 11);
        const int nul = rawName.indexOf('\0');
        if (nul >= 0)
            rawName.truncate(nul);
        DbfField f;
        f.name = cp1254::decode(rawName).trimmed();
        f.type = static_cast<char>(QChar::fromLatin1(bytes.at(at + 11)).toUpper().toLatin1());
        const int lengthByte = static_cast<unsigned char>(bytes.at(at + 16));
        const int decimalByte = static_cast<unsigned char>(bytes.at(at + 17));
        if (f.type == 'C') {
            f.length = lengthByte | (decimalByte << 8);
            f.decimals = 0;
        } else {
            f.length = lengthByte;
            f.decimals = decimalByte;
        }
        // A field has at least one character; fields of none would make every
        // record byte a row of empty cells.
        if (f.length < 1) {
            setError(error, QStringLiteral("dosya bir dBASE tablosu değil (alan genişliği)"));
            return false;
        }
        fields << f;
    }
    if (!terminated || fields.isEmpty()) {
        setError(error, QStringLiteral("dosya bir dBASE tablosu değil (alanlar)"));
        return false;
    }

    DbfTable result;
    result.fields_ = fields;
    if (result.recordLength() != recordLen) {
        setError(error, QStringLiteral("dosya bir dBASE tablosu değil (kayıt uzunluğu)"));
        return false;
    }
    // A kind of table this writer does not make.
    const int gap = headerLen - result.headerLength();
    const bool plainGap = gap == 0 || (gap == 1 && bytes.at(headerLen - 1) == '\0');
    bool plainTypes = true;
    for (const DbfField& f : fields)
        plainTypes = plainTypes && (f.type == 'C' || f.type == 'N' || f.type == 'D' || f.type == 'L');
    result.foreignLayout_ = static_cast<unsigned char>(bytes.at(0)) != kVersion || !plainGap || !plainTypes;

    result.header_ = bytes.left(headerLen);

    const int year = static_cast<unsigned char>(bytes.at(1)) + 1900;
    result.lastUpdate_ = QDate(year, static_cast<unsigned char>(bytes.at(2)), static_cast<unsigned char>(bytes.at(3)));

    // The records the header counts. A file cut short inside them is
    // damaged, not a smaller table. What follows them (records the count
    // does not reach yet, a partial record, bytes after the end-of-file
    // byte) is not part of the table, as for any dBASE reader.
    const qint64 available = (bytes.size() - headerLen) / recordLen;
    if (available < declared) {
        setError(error, QStringLiteral("dosya bozuk (kayıt sayısı tutmuyor)"));
        return false;
    }
    for (qint64 r = 0; r < declared; ++r) {
        const qint64 at = headerLen + r * recordLen;
        Record rec;
        rec.deleted = bytes.at(at) == '*';
        qint64 offset = at + 1;
        for (const DbfField& f : fields) {
            rec.cells << cp1254::decode(bytes.mid(offset, f.length));
            offset += f.length;
        }
        result.records_.append(rec);
    }
    *table = result;
    return true;
}

QString DbfTable::numberText(double value, int length, int decimals)
{
    return Str(value, length, decimals);
}

QString DbfTable::dateText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString(8, QLatin1Char(' '));
}

QDate DbfTable::dateValue(const QString& text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("yyyyMMdd"));
}

QString DbfTable::logicalText(bool value)
{
    return value ? QStringLiteral("T") : QStringLiteral("F");
}

bool DbfTable::logicalValue(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    return t == QLatin1String("T") || t == QLatin1String("Y");
}

QString findExistingPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    if (QFileInfo::exists(path))
        return path;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString found = QStringLiteral("/");
    for (const QString& part : parts) {
        const QString exact = QDir(found).filePath(part);
        if (QFileInfo::exists(exact)) {
            found = exact;
            continue;
        }
        const QStringList entries = QDir(found).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        QString match;
        for (const QString& e : entries)
            if (e.compare(part, Qt::CaseInsensitive) == 0) {
                match = e;
                break;
            }
        if (match.isEmpty())
            return QString();
        found = QDir(found).filePath(match);
    }
    return found;
}

QString pathForWriting(const QString& path)
{
    const QString existing = findExistingPath(path);
    if (!existing.isEmpty())
        return existing;
    // A new file goes into the existing spelling of its folder.
    const QFileInfo info(path);
    const QString folder = findExistingPath(info.absolutePath());
    return folder.isEmpty() ? path : QDir(folder).filePath(info.fileName());
}

bool readDbfFile(const QString& path, DbfTable* table, QString* error)
{
    const QString existing = findExistingPath(path);
    if (existing.isEmpty()) {
        setError(error, path + QStringLiteral(": dosya yok"));
        return false;
    }
    QByteArray bytes;
    if (readRegularFile(existing, &bytes, kMaxDataFileSize, error) != FileRead::Read)
        return false;
    return DbfTable::fromBytes(bytes, table, error);
}

bool writeDbfFile(const QString& path, const DbfTable& table, QString* error)
{
    // A header whose lengths would not fit their 16 bits makes a file no
    // reader can open.
    const QString refusal = DbfTable::layoutRefusal(table.fields());
    if (!refusal.isEmpty()) {
        setError(error, path + QStringLiteral(": ") + refusal);
        return false;
    }
    return writeFileAtomically(pathForWriting(path), table.toBytes(), error);
}

}  // namespace zeva
