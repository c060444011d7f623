#pragma once
// ARRAYSERVER: an in-memory table served like a table on disk. The table is the
// caller's own data (a list of rows, each a list of cells) described by a
// structure (name, type letter, length, decimals per column); the server works
// on that data in place, never on a copy.
//
// Like a table server it keeps a current row (1-based; one past the last row
// at the end), end and begin flags, a row buffer with the current row's values
// while they are edited, a deleted flag per row and an optional filter, and it
// tells its clients what happens through the notices of DATASERVER. Clients
// may refuse a move by answering FALSE to notice 2.
//
// Rows are shared objects: the row buffer is either a copy of the current row
// (after a move) or the row itself (after APPEND, REFRESH, PACK, COMMIT and
// the imports), in which case FIELDPUT reaches the caller's data at once. A
// copy is stored back into the data (the row element replaced by the buffer)
// when the cursor moves on and at COMMIT.
//
// A row is hidden from moves when it is marked deleted while deleted rows are
// hidden (SETDELETED, from the runtime's setting when the server is built),
// or when a filter is on and its block does not answer TRUE for it. GOTO and
// RECNO assignment go to hidden rows too.
//
// Cells are typed (see dataserver.h) and FIELDPUT stores a value of the
// column's type as it is given: a text longer than its column is kept whole
// and cut only when written to a fixed-width file.
//
// Imports and exports: fixed-width (SDF) and delimited text in Windows-1254
// with CR LF line ends, and DBF tables through DBSERVER. Exports write every
// row of the data (deleted and filtered-out ones too), never the row buffer,
// and replace the target whole through a temporary file; imports add rows at
// the end. A delimited cell holding the delimiter, a double quote or a line
// break is written between double quotes (a quote inside doubled) and read
// back the same way. On reading, a quoted part ends at the first quote that
// is not doubled, and what follows it up to the delimiter or the line end
// belongs to the same cell; a quoted part that runs over a line end must be
// followed by the delimiter or a line end. A quote that never closes so is an
// ordinary character, and its line is read as a plain line. An export into a
// file its user may not write answers FALSE and leaves the file as it was.

#include "platform/dataserver.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace zeva {

class DBSERVER;

using ArrayRow = std::shared_ptr<QVariantList>;
using ArrayData = QList<ArrayRow>;
using ArrayDataPtr = std::shared_ptr<ArrayData>;

// A row object holding these cells.
inline ArrayRow makeArrayRow(QVariantList cells = {})
{
    return std::make_shared<QVariantList>(std::move(cells));
}

class ARRAYSERVER : public DATASERVER {
public:
    // Called while a row is tested: the server (its RECNO names the row being
    // tested) and the data; a row passes only when the block answers TRUE.
    using FilterBlock = std::function<QVariant(ARRAYSERVER& server, const ArrayData& data)>;
    // A SEEK test: called with each row; accepts it when it answers TRUE.
    using SeekBlock = std::function<QVariant(const QVariantList& row)>;

    // Most rows APPEND adds (the imports have no such limit).
    static constexpr qint64 kMaxAppendRows = 65535;

    // `data` is the caller's table, used in place (an empty one is made when
    // null); its rows must not be null.
    ARRAYSERVER(DbStructure structure, ArrayDataPtr data);

    // ---- rows, cursor and notices
    qint64 LASTREC() const { return data_->size(); }
    qint64 RECCOUNT() const { return LASTREC(); }
    qint64 RECNO() const { return current_; }
    // Moves with GOTO; returns the row number afterwards.
    qint64 setRECNO(qint64 row);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    const DbStructure& DBSTRUCT() const { return structure_; }
    const ArrayDataPtr& DATA() const { return data_; }
    bool SETDELETED() const { return hideDeleted_; }
    // Hides or shows deleted rows, then GOTOP and notice 10.
    bool SETDELETED(bool hide);

    bool GOTOP();
    bool GOBOTTOM();
    bool GOTO(qint64 row);
    bool SKIP(qint64 count = 1);
    bool REFRESH();
    bool COMMIT();
    bool CLOSE();

    // ---- field access and row editing
    // A column by number (1-based), name Symbol (letter case ignored) or name
    // text (exact); 0 when there is none.
    int FIELDPOS(const QVariant& column) const;
    int FIELDPOS(const Symbol& column) const { return FIELDPOS(QVariant::fromValue(column)); }
    QString FIELDNAME(const QVariant& column) const;
    int FIELDLEN(const QVariant& column) const;
    QVariant FIELDGET(const QVariant& column) const;
    QVariant FIELDGETFORMATTED(const QVariant& column) const;
    QVariant FIELDPUT(const QVariant& column, const QVariant& value);
    QVariant DEFAULTVALUE(const QVariant& column) const;
    QVariantList EMPTYROW() const;
    bool DELETED() const;
    bool DELETE();
    bool RECALL();
    bool RECALLALL();
    bool PACK();
    bool APPEND();
    // The cell's text for column n, as the text files hold it.
    QString USUAL2STRING(const QVariant& value, int column) const;
    // The value column n reads from a text. Dates read dd.mm.yyyy and yyyymmdd.
    QVariant STRING2USUAL(const QString& text, int column) const;

    // ---- filter, seek and sort
    const QString& FILTER() const { return filterText_; }
    // A block becomes the filter. A filter given as text would need an
    // expression compiler, which the program does not have: it is ignored.
    QString setFILTER(const FilterBlock& block);
    QString setFILTER(const QString& expression);
    bool SETFILTER(const FilterBlock& block, const QString& text = QString());
    bool CLEARFILTER();
    bool filterOn() const { return filterOn_; }
    // The first visible row whose first cell equals the key (a text: begins
    // with it) or that the block accepts.
    bool SEEK(const QVariant& key);
    bool SEEK(const SeekBlock& block);
    // Ascending by one column; FALSE when its cells are of more than one type.
    bool SORT(const QVariant& column);

    // ---- text and table import and export
    bool COPYSDF(const QString& fileName);
    bool COPYDELIMITED(const QString& fileName, QChar delimiter = QLatin1Char(','));
    // Appends the rows to a table, made first when the name has none; an
    // existing table keeps its header but for the record count and the date
    // of the last update. FALSE, and nothing written, for a table another
    // program wrote in a layout the DBF writer does not make (see
    // DbfTable::foreignLayout) or with a code-page mark other than
    // Windows-1254 or none.
    bool COPYDB(const QString& fileName);
    bool COPYDB(DBSERVER& target);
    bool APPENDSDF(const QString& fileName);
    bool APPENDDELIMITED(const QString& fileName, QChar delimiter = QLatin1Char(','));
    bool APPENDDB(const QString& fileName);
    bool APPENDDB(DBSERVER& source);

    // The imports and exports over file images, without the file: what the
    // file versions read and write.
    bool appendSdfBytes(const QByteArray& bytes);
    bool appendDelimitedBytes(const QByteArray& bytes, QChar delimiter = QLatin1Char(','));
    bool sdfBytes(QByteArray* bytes) const;
    bool delimitedBytes(QByteArray* bytes, QChar delimiter = QLatin1Char(',')) const;

    // The deleted flag of row r (1-based), whatever the cursor.
    bool deletedAt(qint64 row) const;
    // The row buffer's cells (for tests and browsers).
    const ArrayRow& rowBuffer() const { return buffer_; }

protected:
    void GOFORWARD(qint64 count);
    void GOBACKWARD(qint64 count);

private:
    enum class CellFault { None, Type, Width, Encoding };

    bool canHide() const { return hideDeleted_ || filterOn_; }
    bool hidden(qint64 row);
    void writeBack();
    void loadRow();       // a copy of the current row
    void takeRow();       // the current row itself
    void toFirstVisibleFrom(qint64 row);
    void forwardOne();
    const ArrayRow& rowAt(qint64 row) const { return data_->at(row - 1); }
    QVariant cellOf(const QVariantList& row, int column) const;
    QString cellText(const QVariant& value, int column, CellFault* fault) const;
    bool exportBytes(QByteArray* bytes, bool delimited, QChar delimiter) const;
    bool writeExport(const QString& fileName, bool delimited, QChar delimiter);
    // Appends parsed rows; `parse` returns FALSE on a line it cannot take.
    bool importRows(const std::function<bool(ArrayData& added)>& parse);
    bool appendFileRows(const QString& fileName, bool delimited, QChar delimiter);
    void finishImport(qint64 before);
    bool seekWith(const std::function<bool(const QVariantList&)>& test);

    DbStructure structure_;
    ArrayDataPtr data_;
    QList<bool> deleted_;
    qint64 current_ = 1;
    bool eof_ = false;
    bool bof_ = false;
    ArrayRow buffer_;
    bool hideDeleted_ = true;
    QVariantList defaultRow_;
    FilterBlock filter_;
    QString filterText_;
    bool filterOn_ = false;
};

}  // namespace zeva
