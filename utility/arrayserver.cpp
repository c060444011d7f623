#include "utility/arrayserver.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "platform/dbf.h"
#include "platform/dbserver.h"
#include "platform/regularfile.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace zeva {

namespace {

QString upperType(const QString& type)
{
    return type.toUpper();
}

bool isSymbolValue(const QVariant& value)
{
    return value.metaType() == QMetaType::fromType<Symbol>();
}

// Where an export of `path` is written: through a symbolic link to the file
// it names, so the link stays a link.
QString exportPath(const QString& path)
{
    QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The runtime's "=": a text matches when it begins with the key; other
// values when they are equal (numbers of any kind as numbers).
bool runtimeEquals(const QVariant& cell, const QVariant& key)
{
    if (isTextValue(key))
        return isTextValue(cell) && BeginsWith(cell.toString(), key.toString());
    if (isNumberValue(key))
        return isNumberValue(cell) && cell.toDouble() == key.toDouble();
    if (key.isNull())
        return cell.isNull();
    if (cell.metaType() != key.metaType())
        return false;
    return cell == key;
}

bool answersTrue(const QVariant& answer)
{
    return answer.typeId() == QMetaType::Bool && answer.toBool();
}

// The kinds of cell a sort can order; cells of different kinds cannot be
// compared with each other.
enum class SortKind { Nothing, Text, Number, Date, Logical, Other };

SortKind sortKind(const QVariant& v)
{
    if (v.isNull())
        return SortKind::Nothing;
    if (isTextValue(v))
        return SortKind::Text;
    if (isNumberValue(v))
        return SortKind::Number;
    if (v.typeId() == QMetaType::QDate)
        return SortKind::Date;
    if (v.typeId() == QMetaType::Bool)
        return SortKind::Logical;
    return SortKind::Other;
}

}  // namespace

// ---------------------------------------------------------------- rows, cursor

ARRAYSERVER::ARRAYSERVER(DbStructure structure, ArrayDataPtr data)
    : structure_(std::move(structure)), data_(data ? std::move(data) : std::make_shared<ArrayData>())
{
    setLabel(Symbol(QStringLiteral("ARRAYSERVER")), QStringLiteral("ArrayServer"));
    setFields(structure_);
    for (int i = 1; i <= FCOUNT(); ++i)
        defaultRow_ << DEFAULTVALUE(i);
    for (ArrayRow& row : *data_)
        if (!row)
            row = makeArrayRow();
    current_ = 1;
    deleted_ = QList<bool>(data_->size(), false);
    if (data_->isEmpty()) {
        eof_ = bof_ = true;
        buffer_ = makeArrayRow();
    } else {
        loadRow();
    }
    hideDeleted_ = SetDeleted();
}

bool ARRAYSERVER::deletedAt(qint64 row) const
{
    return row >= 1 && row <= deleted_.size() && deleted_.at(row - 1);
}

bool ARRAYSERVER::hidden(qint64 row)
{
    if (hideDeleted_ && deletedAt(row))
        return true;
    if (!filterOn_ || !filter_)
        return false;
    current_ = row;  // the filter reads the row it tests through RECNO
    return !answersTrue(filter_(*this, *data_));
}

void ARRAYSERVER::writeBack()
{
    if (!eof_ && current_ >= 1 && current_ <= LASTREC() && buffer_)
        (*data_)[current_ - 1] = buffer_;
}

void ARRAYSERVER::loadRow()
{
    if (current_ >= 1 && current_ <= LASTREC())
        buffer_ = makeArrayRow(*rowAt(current_));
}

void ARRAYSERVER::takeRow()
{
    if (current_ >= 1 && current_ <= LASTREC())
        buffer_ = rowAt(current_);
}

void ARRAYSERVER::toFirstVisibleFrom(qint64 row)
{
    current_ = row;
    while (current_ <= LASTREC() && hidden(current_))
        ++current_;
    if (current_ > LASTREC()) {
        current_ = LASTREC() + 1;
        eof_ = true;
    }
}

void ARRAYSERVER::forwardOne()
{
    toFirstVisibleFrom(current_ + 1);
}

void ARRAYSERVER::GOFORWARD(qint64 count)
{
    const qint64 last = LASTREC();
    if (!canHide()) {
        if (count > last - current_) {
            current_ = last + 1;
            eof_ = true;
        } else {
            current_ += count;
        }
        return;
    }
    for (qint64 i = 0; i < count; ++i) {
        forwardOne();
        if (eof_)
            break;
    }
}

void ARRAYSERVER::GOBACKWARD(qint64 count)
{
    if (!canHide()) {
        if (count >= current_) {
            current_ = 1;
            bof_ = true;
        } else {
            current_ -= count;
        }
        return;
    }
    const qint64 start = current_;
    for (qint64 i = 0; i < count; ++i) {
        --current_;
        while (current_ > 0 && hidden(current_))
            --current_;
        if (current_ > 0)
            continue;
        // No visible row above: back where the scan began.
        current_ = start;
        if (start > LASTREC()) {
            eof_ = true;
        } else if (hidden(start)) {
            if (start < LASTREC()) {
                forwardOne();
            } else {
                current_ = LASTREC() + 1;
                eof_ = true;
            }
        }
        bof_ = true;
        break;
    }
}

bool ARRAYSERVER::SKIP(qint64 count)
{
    if (LASTREC() > 0 && consent()) {
        writeBack();
        eof_ = bof_ = false;
        if (count == 0)
            REFRESH();
        else if (count > 0)
            GOFORWARD(count);
        else
            GOBACKWARD(count == std::numeric_limits<qint64>::min() ? std::numeric_limits<qint64>::max() : -count);
        if (!eof_)
            loadRow();
    }
    // A refused move keeps the row and its pending edits.
    NOTIFY(kDataRecordChange);
    return true;
}

bool ARRAYSERVER::GOTOP()
{
    if (LASTREC() == 0 || !consent())
        return true;
    writeBack();
    eof_ = bof_ = false;
    toFirstVisibleFrom(1);
    if (!eof_)
        loadRow();
    NOTIFY(kDataGoTop);
    return true;
}

bool ARRAYSERVER::GOBOTTOM()
{
    if (LASTREC() == 0 || !consent())
        return true;
    writeBack();
    eof_ = bof_ = false;
    current_ = LASTREC();
    if (hidden(current_))
        GOBACKWARD(1);
    if (!eof_)
        loadRow();
    NOTIFY(kDataGoBottom);
    return true;
}

bool ARRAYSERVER::GOTO(qint64 row)
{
    if (LASTREC() == 0 || !consent())
        return true;
    writeBack();
    if (row < 1) {
        current_ = 1;
        bof_ = true;
        eof_ = false;
        loadRow();
    } else if (row > LASTREC()) {
        current_ = LASTREC() + 1;
        eof_ = true;
    } else {
        current_ = row;
        eof_ = bof_ = false;
        loadRow();
    }
    NOTIFY(kDataRecordChange);
    return true;
}

qint64 ARRAYSERVER::setRECNO(qint64 row)
{
    GOTO(row);
    return current_;
}

bool ARRAYSERVER::SETDELETED(bool hide)
{
    hideDeleted_ = hide;
    GOTOP();
    NOTIFY(kDataFileChange);
    return hideDeleted_;
}

bool ARRAYSERVER::REFRESH()
{
    if (!eof_ && current_ >= 1 && current_ <= LASTREC()) {
        takeRow();
        NOTIFY(kDataRecordChange);
    }
    return true;
}

bool ARRAYSERVER::COMMIT()
{
    writeBack();
    return true;
}

bool ARRAYSERVER::CLOSE()
{
    COMMIT();
    NOTIFY(kDataClose);
    return true;
}

// ---------------------------------------------------------------- fields

int ARRAYSERVER::FIELDPOS(const QVariant& column) const
{
    if (isSymbolValue(column)) {
        const Symbol symbol = column.value<Symbol>();
        for (int i = 1; i <= FCOUNT(); ++i)
            if (dataField(i)->NAMESYM() == symbol)
                return i;
        return 0;
    }
    if (isTextValue(column)) {
        const QString name = column.toString();
        for (int i = 1; i <= FCOUNT(); ++i)
            if (dataField(i)->NAME() == name)
                return i;
        return 0;
    }
    if (isNumberValue(column)) {
        const double n = column.toDouble();
        if (!(n >= 1 && n <= FCOUNT()) || n != std::floor(n))
            return 0;
        return static_cast<int>(n);
    }
    return 0;
}

QString ARRAYSERVER::FIELDNAME(const QVariant& column) const
{
    const int n = FIELDPOS(column);
    return n > 0 ? dataField(n)->NAME() : QString();
}

int ARRAYSERVER::FIELDLEN(const QVariant& column) const
{
    const int n = FIELDPOS(column);
    return n > 0 ? dataField(n)->fieldSpec().LENGTH() : 0;
}

QVariant ARRAYSERVER::cellOf(const QVariantList& row, int column) const
{
    return column >= 1 && column <= row.size() ? row.at(column - 1) : QVariant();
}

QVariant ARRAYSERVER::FIELDGET(const QVariant& column) const
{
    const int n = FIELDPOS(column);
    if (n > 0 && !eof_ && buffer_)
        return cellOf(*buffer_, n);
    return DEFAULTVALUE(n);
}

QVariant ARRAYSERVER::FIELDGETFORMATTED(const QVariant& column) const
{
    const int n = FIELDPOS(column);
    if (n > 0 && !eof_ && buffer_)
        return dataField(n)->fieldSpec().TRANSFORM(cellOf(*buffer_, n));
    return DEFAULTVALUE(n);
}

QVariant ARRAYSERVER::FIELDPUT(const QVariant& column, const QVariant& value)
{
    const int n = FIELDPOS(column);
    if (n <= 0 || eof_ || !buffer_ || !FIELDVALIDATE(n, value))
        return DEFAULTVALUE(n);
    while (buffer_->size() < n)
        buffer_->append(QVariant());
    (*buffer_)[n - 1] = value;
    NOTIFY(kDataFieldChange, QVariant::fromValue(dataField(n)->NAMESYM()));
    return value;
}

QVariant ARRAYSERVER::DEFAULTVALUE(const QVariant& column) const
{
    const int n = FIELDPOS(column);
    if (n <= 0)
        return QVariant();
    const QString type = dataField(n)->fieldSpec().typeLetter();
    if (type == QLatin1String("C") || type == QLatin1String("M"))
        return QString();
    if (type == QLatin1String("N"))
        return 0.0;
    if (type == QLatin1String("D"))
        return QDate();
    if (type == QLatin1String("L"))
        return false;
    return QVariant();
}

QVariantList ARRAYSERVER::EMPTYROW() const
{
    QVariantList row;
    for (const DbColumn& c : structure_) {
        const QString type = upperType(c.type);
        if (type == QLatin1String("C"))
            row << QString(qMax(c.length, 0), QLatin1Char(' '));
        else if (type == QLatin1String("N"))
            row << 0.0;
        else if (type == QLatin1String("D"))
            row << QDate();
        else if (type == QLatin1String("L"))
            row << false;
        else if (type == QLatin1String("M"))
            row << QString();
        else
            row << QVariant();
    }
    return row;
}

bool ARRAYSERVER::DELETED() const
{
    return !eof_ && deletedAt(current_);
}

bool ARRAYSERVER::DELETE()
{
    if (!eof_ && current_ >= 1 && current_ <= deleted_.size()) {
        deleted_[current_ - 1] = true;
        NOTIFY(kDataDelete);
    }
    return true;
}

bool ARRAYSERVER::RECALL()
{
    if (!eof_ && current_ >= 1 && current_ <= deleted_.size())
        deleted_[current_ - 1] = false;
    return true;
}

bool ARRAYSERVER::RECALLALL()
{
    deleted_.fill(false);
    return true;
}

bool ARRAYSERVER::PACK()
{
    if (eof_ || current_ < 1 || current_ > LASTREC())
        return true;
    data_->removeAt(current_ - 1);
    if (current_ <= deleted_.size())
        deleted_.removeAt(current_ - 1);
    if (current_ > LASTREC()) {
        current_ = LASTREC();
        eof_ = bof_ = current_ == 0;
    } else {
        eof_ = bof_ = false;
    }
    REFRESH();
    NOTIFY(kDataFileChange);
    return true;
}

bool ARRAYSERVER::APPEND()
{
    if (!consent())
        return false;
    if (LASTREC() >= kMaxAppendRows)
        return false;
    writeBack();
    buffer_ = makeArrayRow(defaultRow_);
    data_->append(buffer_);
    deleted_.append(false);
    current_ = LASTREC();
    eof_ = bof_ = false;
    NOTIFY(kDataAppend);
    return true;
}

QString ARRAYSERVER::cellText(const QVariant& value, int column, CellFault* fault) const
{
    *fault = CellFault::None;
    if (column < 1 || column > structure_.size())
        return QString();
    const DbColumn& c = structure_.at(column - 1);
    const QString type = upperType(c.type);
    const int length = qMax(c.length, 0);
    if (value.isNull()) {
        // Nothing: the cell's width of blanks.
        if (type == QLatin1String("C") || type == QLatin1String("N"))
            return QString(length, QLatin1Char(' '));
        if (type == QLatin1String("D"))
            return QString(8, QLatin1Char(' '));
        if (type == QLatin1String("L"))
            return QStringLiteral(" ");
        return QString();
    }
    if (type == QLatin1String("C")) {
        if (!isTextValue(value))
            *fault = CellFault::Type;
        return PadR(value.toString(), length);
    }
    if (type == QLatin1String("N")) {
        if (!isNumberValue(value)) {
            *fault = CellFault::Type;
            return QString();
        }
        const QString text = Str(value.toDouble(), length, c.decimals);
        if (text.isEmpty() || text.startsWith(QLatin1Char('*')))
            *fault = CellFault::Width;
        return text;
    }
    if (type == QLatin1String("D")) {
        if (value.typeId() != QMetaType::QDate) {
            *fault = CellFault::Type;
            return QString();
        }
        const QDate d = value.toDate();
        return d.isValid() && d.year() >= 1 && d.year() <= 9999 ? d.toString(QStringLiteral("yyyyMMdd"))
                                                                : QString(8, QLatin1Char(' '));
    }
    if (type == QLatin1String("L")) {
        if (value.typeId() != QMetaType::Bool) {
            *fault = CellFault::Type;
            return QString();
        }
        return value.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    }
    if (type == QLatin1String("M")) {
        if (!isTextValue(value))
            *fault = CellFault::Type;
        return value.toString();
    }
    return QString();
}

QString ARRAYSERVER::USUAL2STRING(const QVariant& value, int column) const
{
    CellFault fault;
    return cellText(value, column, &fault);
}

QVariant ARRAYSERVER::STRING2USUAL(const QString& text, int column) const
{
    if (column < 1 || column > structure_.size())
        return QVariant();
    const DbColumn& c = structure_.at(column - 1);
    const QString type = upperType(c.type);
    if (type == QLatin1String("C"))
        return PadR(text, qMax(c.length, 0));
    if (type == QLatin1String("N"))
        return Val(text);
    if (type == QLatin1String("D")) {
        const QString t = AllTrim(text);
        static const QRegularExpression eightDigits(QStringLiteral("^[0-9]{8}$"));
        if (eightDigits.match(t).hasMatch())
            return QDate::fromString(t, QStringLiteral("yyyyMMdd"));
        return DateFromText(t);
    }
    if (type == QLatin1String("L"))
        return !text.isEmpty() && QStringLiteral("Y:y:T:t").contains(text);
    if (type == QLatin1String("M"))
        return text;
    return QVariant();
}

// ---------------------------------------------------------------- filter, seek, sort

QString ARRAYSERVER::setFILTER(const FilterBlock& block)
{
    if (block)
        SETFILTER(block, QString());
    return filterText_;
}

QString ARRAYSERVER::setFILTER(const QString& /*expression*/)
{
    // A text filter is an expression for a compiler the program lacks.
    return filterText_;
}

bool ARRAYSERVER::SETFILTER(const FilterBlock& block, const QString& text)
{
    if (!block || LASTREC() == 0 || !consent())
        return filterOn_;
    {
        NoticeSuspension quiet(*this);
        writeBack();
        filter_ = block;
        filterText_ = text;
        filterOn_ = true;
        eof_ = bof_ = false;
        toFirstVisibleFrom(1);
        if (!eof_)
            loadRow();
    }
    NOTIFY(kDataGoTop);
    return filterOn_;
}

bool ARRAYSERVER::CLEARFILTER()
{
    if (LASTREC() == 0 || !consent())
        return !filterOn_;
    {
        NoticeSuspension quiet(*this);
        writeBack();
        filter_ = nullptr;
        filterText_.clear();
        filterOn_ = false;
        eof_ = bof_ = false;
        toFirstVisibleFrom(1);
        if (!eof_)
            loadRow();
    }
    NOTIFY(kDataGoTop);
    return true;
}

bool ARRAYSERVER::seekWith(const std::function<bool(const QVariantList&)>& test)
{
    if (LASTREC() == 0 || !consent())
        return !eof_;
    writeBack();
    qint64 found = 0;
    for (qint64 r = 1; r <= LASTREC() && found == 0; ++r)
        if (test(*rowAt(r)) && !hidden(r))
            found = r;
    if (found == 0) {
        current_ = LASTREC() + 1;
        eof_ = true;
    } else {
        current_ = found;
        loadRow();
        eof_ = bof_ = false;
    }
    NOTIFY(kDataRecordChange);
    return !eof_;
}

bool ARRAYSERVER::SEEK(const QVariant& key)
{
    return seekWith([&](const QVariantList& row) { return runtimeEquals(cellOf(row, 1), key); });
}

bool ARRAYSERVER::SEEK(const SeekBlock& block)
{
    if (!block)
        return SEEK(QVariant());
    return seekWith([&](const QVariantList& row) { return answersTrue(block(row)); });
}

bool ARRAYSERVER::SORT(const QVariant& column)
{
    if (LASTREC() == 0 || !consent())
        return true;
    const int n = FIELDPOS(column);
    if (n == 0)
        return true;
    // The cells as they will be once the buffer is written back.
    const qint64 count = LASTREC();
    auto cell = [&](qint64 r) {
        const bool buffered = !eof_ && r == current_ && buffer_;
        return cellOf(buffered ? *buffer_ : *rowAt(r), n);
    };
    SortKind kind = SortKind::Nothing;
    for (qint64 r = 1; r <= count; ++r) {
        const SortKind k = sortKind(cell(r));
        if (k == SortKind::Nothing)
            continue;
        if (k == SortKind::Other || (kind != SortKind::Nothing && k != kind))
            return false;
        kind = k;
    }
    {
        NoticeSuspension quiet(*this);
        writeBack();
        struct Key {
            bool nothing = true;
            QByteArray text;
            double number = 0;
            qint64 day = 0;
        };
        std::vector<Key> keys(static_cast<size_t>(count));
        for (qint64 r = 1; r <= count; ++r) {
            const QVariant v = cellOf(*rowAt(r), n);
            Key& k = keys[static_cast<size_t>(r - 1)];
            k.nothing = v.isNull();
            if (k.nothing)
                continue;
            switch (kind) {
            case SortKind::Text:
                k.text = cp1254::encode(v.toString());
                break;
            case SortKind::Number:
                k.number = v.toDouble();
                if (std::isnan(k.number))
                    k.number = -std::numeric_limits<double>::infinity();
                break;
            case SortKind::Date:
                k.day = v.toDate().isValid() ? v.toDate().toJulianDay() : std::numeric_limits<qint64>::min();
                break;
            case SortKind::Logical:
                k.number = v.toBool() ? 1 : 0;
                break;
            default:
                break;
            }
        }
        std::vector<qint64> order(static_cast<size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](qint64 a, qint64 b) {
            const Key& x = keys[static_cast<size_t>(a)];
            const Key& y = keys[static_cast<size_t>(b)];
            if (x.nothing || y.nothing)
                return x.nothing && !y.nothing;
            switch (kind) {
            case SortKind::Text:
                return x.text < y.text;
            case SortKind::Date:
                return x.day < y.day;
            default:
                return x.number < y.number;
            }
        });
        ArrayData rows;
        QList<bool> flags;
        rows.reserve(count);
        flags.reserve(count);
        for (qint64 i : order) {
            rows << data_->at(i);
            flags << deletedAt(i + 1);
        }
        for (qint64 i = 0; i < count; ++i)
            (*data_)[i] = rows.at(i);
        deleted_ = flags;
        eof_ = bof_ = false;
        toFirstVisibleFrom(1);
        if (!eof_)
            loadRow();
    }
    NOTIFY(kDataGoTop);
    return true;
}

// ---------------------------------------------------------------- text and tables

bool ARRAYSERVER::exportBytes(QByteArray* bytes, bool delimited, QChar delimiter) const
{
    QString text;
    for (const ArrayRow& row : *data_) {
        for (int i = 1; i <= structure_.size(); ++i) {
            CellFault fault;
            QString cell = cellText(row ? cellOf(*row, i) : QVariant(), i, &fault);
            if (fault != CellFault::None)
                return false;
            if (delimited) {
                if (i > 1)
                    text += delimiter;
                if (cell.contains(delimiter) || cell.contains(QLatin1Char('"')) || cell.contains(QLatin1Char('\r'))
                    || cell.contains(QLatin1Char('\n'))) {
                    cell.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                    cell = QLatin1Char('"') + cell + QLatin1Char('"');
                }
            }
            text += cell;
        }
        text += QStringLiteral("\r\n");
    }
    bool ok = true;
    *bytes = cp1254::encode(text, '?', &ok);
    return ok;
}

bool ARRAYSERVER::sdfBytes(QByteArray* bytes) const
{
    return exportBytes(bytes, false, QChar());
}

namespace {

bool usableDelimiter(QChar delimiter)
{
    return delimiter != QLatin1Char('"') && delimiter != QLatin1Char('\r') && delimiter != QLatin1Char('\n')
           && !delimiter.isNull() && cp1254::canEncode(delimiter);
}

}  // namespace

bool ARRAYSERVER::delimitedBytes(QByteArray* bytes, QChar delimiter) const
{
    return usableDelimiter(delimiter) && exportBytes(bytes, true, delimiter);
}

bool ARRAYSERVER::writeExport(const QString& fileName, bool delimited, QChar delimiter)
{
    if (fileName.isEmpty() || (delimited && !usableDelimiter(delimiter)))
        return false;
    const QString target = exportPath(fileName);
    const QFileInfo info(target);
    if (info.isDir() || !info.absoluteDir().exists())
        return false;  // cannot be created: nothing written, no notice
    NOTIFY(kDataIntentToMove);
    bool ok = false;
    {
        NoticeSuspension quiet(*this);
        QByteArray bytes;
        ok = exportBytes(&bytes, delimited, delimiter) && writeFileAtomically(target, bytes);
    }
    if (ok)
        NOTIFY(kDataFileChange);
    return ok;
}

bool ARRAYSERVER::COPYSDF(const QString& fileName)
{
    return writeExport(fileName, false, QChar());
}

bool ARRAYSERVER::COPYDELIMITED(const QString& fileName, QChar delimiter)
{
    return writeExport(fileName, true, delimiter);
}

bool ARRAYSERVER::COPYDB(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    if (findExistingPath(fileName).isEmpty() && !DBSERVER::DBCREATE(fileName, structure_))
        return false;  // a column the table cannot hold: nothing created
    DBSERVER target(fileName, false, false);
    if (!target.USED())
        return false;
    const bool ok = COPYDB(target);
    return target.CLOSE() && ok;
}

bool ARRAYSERVER::COPYDB(DBSERVER& target)
{
    if (!target.USED() || target.isReadOnly())
        return false;
    // A table of a kind the writer does not make (another version, a block
    // after the field list, a binary field) is refused before anything is
    // added to it, and so is one whose text is in another code page: the
    // rows added would be Windows-1254 among its own.
    if (target.table().foreignLayout() || !target.table().windowsTurkishText())
        return false;
    NOTIFY(kDataIntentToMove);
    bool ok = true;
    {
        NoticeSuspension quiet(*this);
        QList<int> positions;
        for (const DbColumn& c : structure_)
            positions << target.FIELDPOS(c.name);
        for (const ArrayRow& row : *data_) {
            // Every cell is checked before the record is added, so a failure
            // leaves no half-written record behind.
            for (int i = 0; i < positions.size() && ok; ++i) {
                const QVariant v = cellOf(*row, i + 1);
                if (positions.at(i) > 0 && !v.isNull() && !target.canPut(positions.at(i), v))
                    ok = false;
            }
            if (!ok || !target.APPEND()) {
                ok = false;
                break;
            }
            for (int i = 0; i < positions.size(); ++i) {
                const QVariant v = cellOf(*row, i + 1);
                if (positions.at(i) > 0 && !v.isNull())
                    target.FIELDPUT(positions.at(i), v);
            }
        }
        ok = target.COMMIT() && ok;
    }
    if (ok)
        NOTIFY(kDataFileChange);
    return ok;
}

void ARRAYSERVER::finishImport(qint64 before)
{
    if (LASTREC() <= before)
        return;  // nothing added: cursor and buffer stay
    current_ = LASTREC();
    eof_ = bof_ = false;
    takeRow();
}

bool ARRAYSERVER::importRows(const std::function<bool(ArrayData& added)>& parse)
{
    NOTIFY(kDataIntentToMove);
    const qint64 before = LASTREC();
    bool ok = false;
    {
        NoticeSuspension quiet(*this);
        writeBack();  // pending edits are kept, never dropped
        try {
            ok = parse(*data_);
        } catch (...) {
            ok = false;
        }
        deleted_.resize(data_->size());
        finishImport(before);
    }
    if (ok || LASTREC() > before)
        NOTIFY(kDataFileChange);
    return ok;
}

bool ARRAYSERVER::appendSdfBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return true;
    const QString text = cp1254::decode(bytes);
    return importRows([&](ArrayData& data) {
        qsizetype at = 0;
        while (at < text.size()) {
            qsizetype end = text.indexOf(QLatin1Char('\n'), at);
            if (end < 0)
                end = text.size();
            QString line = text.mid(at, end - at);
            at = end + 1;
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.isEmpty())
                continue;
            line.remove(QLatin1Char('"'));
            QVariantList row = EMPTYROW();
            qsizetype from = 0;
            for (int i = 1; i <= structure_.size() && from < line.size(); ++i) {
                const DbColumn& c = structure_.at(i - 1);
                const QString type = upperType(c.type);
                // The widths the fixed-width export writes.
                const int width = type == QLatin1String("D") ? 8 : type == QLatin1String("L") ? 1 : qMax(c.length, 0);
                row[i - 1] = STRING2USUAL(AllTrim(line.mid(from, width)), i);
                from += width;
            }
            data.append(makeArrayRow(row));
            deleted_.append(false);
        }
        return true;
    });
}

namespace {

// For each position i of a delimited text: the first quote at or after i
// that is not doubled (two quotes in a row, counted in pairs from i, are one
// quote of a cell), or -1 when there is none. The quoted part of a cell whose
// text begins at i ends there. Worked out once from the end of the text, so
// that a file of many quotes is read in linear time. Empty for a text without
// quotes.
QList<qsizetype> closingQuotes(const QString& text)
{
    const QChar quote = QLatin1Char('"');
    if (!text.contains(quote))
        return {};
    const qsizetype size = text.size();
    QList<qsizetype> close(size + 2, -1);
    for (qsizetype i = size - 1; i >= 0; --i) {
        if (text.at(i) != quote)
            close[i] = close[i + 1];
        else if (i + 1 < size && text.at(i + 1) == quote)
            close[i] = close[i + 2];
        else
            close[i] = i;
    }
    return close;
}

}  // namespace

bool ARRAYSERVER::appendDelimitedBytes(const QByteArray& bytes, QChar delimiter)
{
    if (!usableDelimiter(delimiter))
        return false;
    if (bytes.isEmpty())
        return true;
    const QString text = cp1254::decode(bytes);
    const QChar quote = QLatin1Char('"');
    const QChar newline = QLatin1Char('\n');
    const QList<qsizetype> closing = closingQuotes(text);
    // What may follow the closing quote of a quoted part that runs over a
    // line end: (after blanks) the delimiter, a line end or the end of the
    // text, as the export writes it.
    auto endsCell = [&](qsizetype i) {
        const qsizetype size = text.size();
        if (delimiter != QLatin1Char(' '))
            while (i < size && text.at(i) == QLatin1Char(' '))
                ++i;
        if (i >= size || text.at(i) == delimiter || text.at(i) == newline)
            return true;
        return text.at(i) == QLatin1Char('\r') && (i + 1 == size || text.at(i + 1) == newline);
    };
    return importRows([&](ArrayData& data) {
        const qsizetype size = text.size();
        qsizetype at = 0;
        qsizetype lineEnd = -1;  // the next line feed at or after `at`
        while (at < size) {
            // An empty line is passed over.
            if (text.at(at) == newline) {
                ++at;
                continue;
            }
            if (text.at(at) == QLatin1Char('\r') && (at + 1 == size || text.at(at + 1) == newline)) {
                at += 2;
                continue;
            }
            QStringList cells;
            bool plain = false;  // the rest of the line is read without quotes
            bool more = true;
            while (more) {
                // A cell whose first character after blanks is a quote has a
                // quoted part up to the next quote that is not doubled (""
                // inside is one quote); what follows it up to the delimiter
                // or the line end belongs to the cell as it is. A quoted part
                // may hold line ends, but one that runs over a line end must
                // close as the export closes it; otherwise, and when it never
                // closes, its quote is an ordinary character and the rest of
                // its line is read as a plain line, so that no later line is
                // swallowed.
                qsizetype look = at;
                if (delimiter != QLatin1Char(' '))
                    while (look < size && text.at(look) == QLatin1Char(' '))
                        ++look;
                QString cell;
                bool quoted = false;
                if (!plain && look < size && text.at(look) == quote) {
                    const qsizetype close = closing.value(look + 1, -1);
                    if (lineEnd < look) {
                        lineEnd = text.indexOf(newline, look);
                        if (lineEnd < 0)
                            lineEnd = size;
                    }
                    if (close >= 0 && (close < lineEnd || endsCell(close + 1))) {
                        quoted = true;
                        for (qsizetype i = look + 1; i < close; ++i) {
                            cell += text.at(i);
                            if (text.at(i) == quote && i + 1 < close && text.at(i + 1) == quote)
                                ++i;  // the second quote of a pair
                        }
                        at = close + 1;
                    } else {
                        plain = true;
                    }
                }
                QString rest;
                while (at < size && text.at(at) != delimiter && text.at(at) != newline)
                    rest += text.at(at++);
                if (rest.endsWith(QLatin1Char('\r')))
                    rest.chop(1);
                // Blanks outside the quotes at the cell's ends are dropped.
                cell = quoted ? cell + RTrim(rest) : AllTrim(rest);
                cells << cell;
                if (at < size && text.at(at) == delimiter) {
                    ++at;
                } else {
                    more = false;
                    if (at < size)
                        ++at;  // the line end
                }
            }
            if (cells.size() > structure_.size())
                return false;  // more cells than columns
            QVariantList row = EMPTYROW();
            for (int i = 0; i < cells.size(); ++i)
                row[i] = STRING2USUAL(cells.at(i), i + 1);
            data.append(makeArrayRow(row));
            deleted_.append(false);
        }
        return true;
    });
}

bool ARRAYSERVER::appendFileRows(const QString& fileName, bool delimited, QChar delimiter)
{
    if (delimited && !usableDelimiter(delimiter))
        return false;
    // A missing source, or one that is no plain file (a folder, a pipe, a
    // device): nothing read, no notice.
    QByteArray bytes;
    if (readRegularFile(fileName, &bytes) != FileRead::Read)
        return false;
    return delimited ? appendDelimitedBytes(bytes, delimiter) : appendSdfBytes(bytes);
}

bool ARRAYSERVER::APPENDSDF(const QString& fileName)
{
    return appendFileRows(fileName, false, QChar());
}

bool ARRAYSERVER::APPENDDELIMITED(const QString& fileName, QChar delimiter)
{
    return appendFileRows(fileName, true, delimiter);
}

bool ARRAYSERVER::APPENDDB(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    DBSERVER source(fileName, true, true);
    if (!source.USED())
        return false;
    const bool ok = APPENDDB(source);
    source.CLOSE();
    return ok;
}

bool ARRAYSERVER::APPENDDB(DBSERVER& source)
{
    if (!source.USED())
        return false;
    QList<int> positions;
    for (const DbColumn& c : structure_)
        positions << source.FIELDPOS(c.name);
    return importRows([&](ArrayData& data) {
        if (!source.GOTOP())
            return false;
        while (!source.Eof()) {
            QVariantList row;
            for (int p : positions)
                row << (p > 0 ? source.FIELDGET(p) : QVariant());
            data.append(makeArrayRow(row));
            deleted_.append(false);
            if (!source.SKIP(1))
                return false;  // a client of the source refused the move
        }
        return true;
    });
}

}  // namespace zeva
