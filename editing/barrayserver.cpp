#include "editing/barrayserver.h"

#include "core/numeric.h"

#include <stdexcept>

namespace zeva {

bool isChangeNotice(int code)
{
    return code == kNoticeFieldWritten || code == kNoticeDeleted || code == kNoticeAppended ||
           code == kNoticeTableChanged;
}

BARRAYSERVER::BARRAYSERVER(const FieldSpecs& fields, const Table& rows, int, int, QObject* parent)
    : QObject(parent), fields_(fields)
{
    if (fields_.isEmpty())
        throw std::invalid_argument("array server without fields");
    for (const FieldSpec& f : fields_)
        if (f.name.trimmed().isEmpty() || f.length <= 0)
            throw std::invalid_argument("array server field without a name or a length");
    const int n = FCount();
    rows_.reserve(rows.size());
    for (const Row& r : rows) {
        Row row = r.mid(0, n);
        while (row.size() < n)
            row.append(QString());
        rows_.append(row);
    }
    deleted_ = QList<bool>(rows_.size(), false);
    recNo_ = 1;
}

int BARRAYSERVER::FieldPos(const QString& name) const
{
    const QString key = name.trimmed();
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_.at(i).name.compare(key, Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

QString BARRAYSERVER::FieldName(int n) const
{
    return fieldSpec(n).name;
}

FieldSpec BARRAYSERVER::fieldSpec(int n) const
{
    if (n < 1 || n > FCount())
        return FieldSpec{QString(), QString(), 0, 0};
    return fields_.at(n - 1);
}

bool BARRAYSERVER::Deleted() const
{
    return deletedAt(recNo_);
}

void BARRAYSERVER::moveTo(int rec, int code)
{
    recNo_ = validRec(rec) ? rec : LastRec() + 1;
    emit notice(code, recNo_, 0);
}

bool BARRAYSERVER::GoTop()
{
    if (closed_)
        return false;
    int rec = 1;
    while (validRec(rec) && deleted_.at(rec - 1))
        ++rec;
    moveTo(rec, kNoticeAtTop);
    return !Eof();
}

bool BARRAYSERVER::GoBottom()
{
    if (closed_)
        return false;
    int rec = LastRec();
    while (validRec(rec) && deleted_.at(rec - 1))
        --rec;
    moveTo(rec, kNoticeAtBottom);
    return !Eof();
}

bool BARRAYSERVER::GoTo(int n)
{
    if (closed_)
        return false;
    moveTo(n, kNoticeMoved);
    return !Eof();
}

bool BARRAYSERVER::Skip(int n)
{
    if (closed_)
        return false;
    int rec = Eof() && n < 0 ? LastRec() + 1 : recNo_;
    const int step = n < 0 ? -1 : 1;
    for (int left = n < 0 ? -n : n; left > 0; --left) {
        int next = rec + step;
        while (validRec(next) && deleted_.at(next - 1))
            next += step;
        if (next < 1)
            break;  // before the first record: stay on the first one
        rec = next;
        if (rec > LastRec())
            break;
    }
    moveTo(rec, kNoticeMoved);
    return !Eof();
}

QString BARRAYSERVER::FieldGet(int n) const
{
    return cellAt(recNo_, n);
}

QString BARRAYSERVER::FieldGet(const QString& name) const
{
    return FieldGet(FieldPos(name));
}

bool BARRAYSERVER::FieldPut(int n, const QString& text)
{
    if (closed_ || Eof() || n < 1 || n > FCount())
        return false;
    rows_[recNo_ - 1][n - 1] = text.left(fields_.at(n - 1).length);
    emit notice(kNoticeFieldWritten, recNo_, n);
    return true;
}

bool BARRAYSERVER::FieldPut(const QString& name, const QString& text)
{
    return FieldPut(FieldPos(name), text);
}

bool BARRAYSERVER::Commit()
{
    return !closed_;
}

bool BARRAYSERVER::Append()
{
    if (closed_)
        return false;
    rows_.append(Row(FCount(), QString()));
    deleted_.append(false);
    recNo_ = LastRec();
    emit notice(kNoticeAppended, recNo_, 0);
    return true;
}

bool BARRAYSERVER::Delete()
{
    if (closed_ || Eof())
        return false;
    deleted_[recNo_ - 1] = true;
    emit notice(kNoticeDeleted, recNo_, 0);
    return true;
}

bool BARRAYSERVER::Pack()
{
    if (closed_)
        return false;
    // The current record keeps its place; when it was removed the next record
    // left takes it, or the last one when none follows.
    int newRec = 0;
    Table kept;
    for (int i = 0; i < rows_.size(); ++i) {
        if (deleted_.at(i))
            continue;
        kept.append(rows_.at(i));
        if (newRec == 0 && i + 1 >= recNo_)
            newRec = static_cast<int>(kept.size());
    }
    rows_ = kept;
    deleted_ = QList<bool>(rows_.size(), false);
    if (newRec == 0)
        newRec = LastRec() > 0 ? LastRec() : 1;
    recNo_ = newRec;
    emit notice(kNoticeTableChanged, recNo_, 0);
    return true;
}

void BARRAYSERVER::Close()
{
    if (closed_)
        return;
    closed_ = true;
    emit notice(kNoticeClosed, 0, 0);
}

QString BARRAYSERVER::cellAt(int rec, int field) const
{
    if (!validRec(rec) || field < 1 || field > FCount())
        return QString();
    return rows_.at(rec - 1).at(field - 1);
}

bool BARRAYSERVER::deletedAt(int rec) const
{
    return validRec(rec) && deleted_.at(rec - 1);
}

int KAYITBOSMU(const BARRAYSERVER& server, int nSkip, int nLast)
{
    int filled = 0;
    for (int n = 1; n <= nLast; ++n)
        if (n != nSkip && !isBlankCell(server.FieldGet(n)))
            ++filled;
    return filled;
}

}  // namespace zeva
