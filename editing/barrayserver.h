#pragma once
// BARRAYSERVER: a table held in memory, served to one grid window. Built from
// a field description and a copy of the rows; every cell is text. It keeps a
// current record like a table on disk (record numbers from 1, one past the
// last record is the end), and tells its clients what happened by notice
// codes (see ServerNotice).
//
// Records marked deleted stay in the table (and in Data) until Pack; GoTop
// and Skip pass over them, as every walk over a table does in this program.

#include "core/activeproblem.h"

#include <QList>
#include <QObject>
#include <QString>

namespace zeva {

// One field of the description: name, type (always "C"), length, decimals.
struct FieldSpec {
    QString name;
    QString type = QStringLiteral("C");
    int length = 0;
    int decimals = 0;
};
using FieldSpecs = QList<FieldSpec>;

// The notice codes a server sends to its clients. The windows count exactly
// the first four as a change of their table.
enum ServerNotice : int {
    kNoticeFieldWritten = -1,  // a field of the current record was written
    kNoticeDeleted = 6,        // the current record was marked deleted
    kNoticeAppended = 7,       // a record was appended (and is current)
    kNoticeTableChanged = 10,  // the whole table changed (after a pack)
    kNoticeClosed = 0,         // the server was closed
    kNoticeMoved = 3,          // moved by a skip or a go-to
    kNoticeAtBottom = 4,       // moved to the last record
    kNoticeAtTop = 5,          // moved to the first record
};

// TRUE for the four codes that mean the table's content changed.
bool isChangeNotice(int code);

class BARRAYSERVER : public QObject {
    Q_OBJECT
public:
    // fields: one description per column, in order; rows: one record per row,
    // each a list of texts in field order (missing cells are empty, cells past
    // the last field are not kept). The last two arguments are accepted for
    // the callers' sake and mean nothing here. Throws std::invalid_argument for
    // an empty description or a field without a name or a positive length.
    BARRAYSERVER(const FieldSpecs& fields, const Table& rows, int unused1 = 0, int unused2 = 1,
                 QObject* parent = nullptr);

    // Field description.
    int FCount() const { return static_cast<int>(fields_.size()); }
    int FieldPos(const QString& name) const;  // 1-based, 0 when unknown; case ignored
    QString FieldName(int n) const;
    FieldSpec fieldSpec(int n) const;         // an empty description for a bad position

    // Current record.
    int RecNo() const { return recNo_; }
    int LastRec() const { return static_cast<int>(rows_.size()); }
    bool Eof() const { return recNo_ > LastRec(); }
    bool Deleted() const;

    bool GoTop();
    bool GoBottom();
    bool GoTo(int n);       // a position outside 1..LastRec goes to the end
    bool Skip(int n = 1);   // forward (or back for n < 0) over records not deleted

    // Fields of the current record; at the end FieldGet gives "" and FieldPut
    // writes nothing. A written text longer than the field is cut to its
    // length, as a character field holds no more.
    QString FieldGet(int n) const;
    QString FieldGet(const QString& name) const;
    bool FieldPut(int n, const QString& text);
    bool FieldPut(const QString& name, const QString& text);
    bool Commit();  // writes are final at once; kept for the callers' protocol

    bool Append();  // an empty record at the end, made current
    bool Delete();  // marks the current record
    bool Pack();    // removes the marked records

    // The rows in record order, marked ones included until a pack.
    Table Data() const { return rows_; }

    void Close();
    bool isClosed() const { return closed_; }

    // Random access for the grid: reads a cell without moving the cursor.
    QString cellAt(int rec, int field) const;
    bool deletedAt(int rec) const;

signals:
    // code: a ServerNotice; rec and field say where (0 when it does not apply).
    void notice(int code, int rec, int field);

private:
    bool validRec(int rec) const { return rec >= 1 && rec <= LastRec(); }
    void moveTo(int rec, int code);

    FieldSpecs fields_;
    Table rows_;
    QList<bool> deleted_;
    int recNo_ = 1;
    bool closed_ = false;
};

// The number of filled cells (anything but blanks) among fields 1..nLast of
// the current record, field nSkip not counted.
int KAYITBOSMU(const BARRAYSERVER& server, int nSkip, int nLast);

}  // namespace zeva
