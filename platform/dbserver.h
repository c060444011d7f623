#pragma once
// DBSERVER: a DBF table served like the in-memory servers: a current record,
// typed field access, appends, and an optional controlling order over one
// character field.
//
// The table is read whole when the server opens and kept in memory while it
// is open; COMMIT writes it (only when something changed, with today as the
// date of the last update) and CLOSE commits and closes. Writes go through a
// temporary file and a rename (see dbf.h); a target reached through a
// symbolic link is written where the link points.
// A read-only server never writes.
//
// Only records not marked deleted are walked. Field values are typed: N as
// double, D as QDate (invalid: the empty date), L as bool, C (and any other
// type) as the text stored, at the field's full width.
//
// The controlling order: keys are the field's text at its full width, in the
// order of their Windows-1254 bytes, equal keys by record number (the rule of
// the NTX index files). SEEK(text) finds the first key beginning with the
// text. Without an order the walk is in record order and SEEK finds nothing.

#include "platform/dataserver.h"
#include "platform/dbf.h"
#include "platform/ntx.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zeva {

class DBSERVER : public DATASERVER {
public:
    // Opens the table `fileName` (its letter case may differ on disk). The
    // share flag is accepted for the callers' sake: a table is read whole, so
    // there is nothing to share. USED tells whether the table was read.
    explicit DBSERVER(const QString& fileName, bool share = false, bool readOnly = false);
    ~DBSERVER() override;

    // Creates an empty table with the given columns at `fileName` (through a
    // temporary file). FALSE, and nothing created, when a column cannot be
    // stored: a name empty, longer than 10 characters, not Windows-1254 or
    // given twice; a type other than C, N, D or L; a length out of range;
    // more columns, or a longer record, than a table's header can describe.
    static bool DBCREATE(const QString& fileName, const DbStructure& structure, QString* error = nullptr);
    // The same test without creating anything.
    static bool canCreate(const DbStructure& structure, QString* error = nullptr);

    bool USED() const { return used_; }
    bool isReadOnly() const { return readOnly_; }
    const QString& fileName() const { return fileName_; }
    DbStructure DBSTRUCT() const;
    const DbfTable& table() const { return table_; }
    // The error of the last failed open or write.
    const QString& lastError() const { return error_; }

    // 1-based position of a field by name (letter case ignored), 0 when absent.
    int FIELDPOS(const QString& name) const;
    // The current record's value of field n; nothing at the end or for a bad n.
    QVariant FIELDGET(int n) const;
    // Stores a value of the field's type; FALSE when nothing was stored (at
    // the end, read-only, a bad field, a value of another type, a text that
    // Windows-1254 cannot hold, a number wider than the field).
    bool FIELDPUT(int n, const QVariant& value);
    // TRUE when FIELDPUT(n, value) would store the value on a record.
    bool canPut(int n, const QVariant& value) const { return storedText(n, value, nullptr); }

    bool GOTOP();
    bool GOBOTTOM();
    // Moves n records in the walk (back for n < 0); FALSE when a client
    // refused the move.
    bool SKIP(qint64 n = 1);
    bool Eof() const;
    bool Bof() const { return bof_; }
    // 1-based record number of the current record; LASTREC + 1 at the end.
    qint64 RECNO() const;
    int LASTREC() const { return table_.recordCount(); }

    // A blank record at the end of the table, made current.
    bool APPEND();
    bool COMMIT();
    bool CLOSE();

    // Makes the character field `fieldName` the controlling order; an empty
    // name drops the order. FALSE for a field that is not a character field.
    bool SETORDER(const QString& fieldName);
    bool hasOrder() const { return orderField_ >= 0; }
    // On the controlling order: the first record whose key begins with `key`
    // (a text), TRUE; else the end and FALSE.
    bool SEEK(const QVariant& key);
    // The current record's key in the controlling order, as text; nothing at
    // the end or without an order.
    QVariant ORDERKEYVAL() const;
    // Tells the clients the current record is to be shown again (notice 3).
    bool REFRESH();

    // The controlling order's keys with their record numbers, in order.
    QList<NtxKey> orderKeys() const;

private:
    void invalidateView() { viewDirty_ = true; }
    void ensureView() const;
    QByteArray keyOf(int record) const;
    bool storedText(int n, const QVariant& value, QString* text) const;

    QString fileName_;
    QString writePath_;
    bool used_ = false;
    bool readOnly_ = false;
    bool changed_ = false;
    QString error_;
    DbfTable table_;

    int orderField_ = -1;
    int record_ = -1;  // 0-based record of the table, -1 at the end
    bool bof_ = false;

    // The walk: records not marked deleted, in order; rebuilt when stale.
    mutable bool viewDirty_ = true;
    mutable QList<int> view_;
    mutable QList<QByteArray> viewKeys_;
    mutable qsizetype pos_ = 0;
};

}  // namespace zeva
