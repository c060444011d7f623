#pragma once
// dBASE III tables (.dbf layout), read and written whole.
//
// Layout written: version byte 0x03, the date of the last update, the record
// count, header and record lengths, code-page mark 0xCA (Turkish Windows) at
// offset 29, one 32-byte descriptor per field, the terminator 0x0D, the
// records (a deletion flag byte, blank or '*', then the fields side by side)
// and the end-of-file byte 0x1A. A table read from a file is written back
// under the header it had, byte for byte (its version, flags, code-page mark
// and field names as they were), with only the record count and the date of
// the last update changed.
//
// Field types: C (character), N (numeric), D (date, yyyymmdd) and L
// (logical). A character field wider than 255 is stored the customary way: the
// low byte of its width in the length byte and the high byte in the decimals
// byte (1020 is FC 03). Text is Windows-1254 on disk whatever the code-page
// mark says; inside it is QString.
//
// Cells are kept as text exactly as stored: nothing is trimmed on reading.
// Writing a cell pads it to the field width (C, D and L on the right, N on the
// left) or cuts it to the width (an N value that does not fit becomes
// asterisks, as dBASE writes an overflow).
//
// Records marked deleted stay in the table and are written back unchanged, but
// the program never shows them: readers walk liveRecords().
//
// File names are used exactly as given (a table may be named X.ZVF). When a
// file does not exist under the given spelling but exists under one that
// differs only in letter case, that one is read, and written over (never a
// second file beside it).

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zeva {

// What a header can describe: its length is 16 bits, so after the 32 bytes
// of the table and the terminator there is room for 2046 field descriptors;
// the record length is 16 bits too.
inline constexpr int kDbfMaxFields = 2046;
inline constexpr int kDbfMaxRecordLength = 65535;

struct DbfField {
    QString name;       // at most 10 characters, stored upper case as given
    char type = 'C';    // 'C', 'N', 'D' or 'L' (others are read as text)
    int length = 0;     // width in characters (up to 65535 for C)
    int decimals = 0;   // decimals of an N field; 0 otherwise
};

class DbfTable {
public:
    DbfTable() = default;
    explicit DbfTable(QList<DbfField> fields);

    const QList<DbfField>& fields() const { return fields_; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    // Position of a field by name (letter case ignored), -1 when absent.
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    // Bytes of one record, the deletion flag included.
    int recordLength() const;
    static qint64 recordLengthOf(const QList<DbfField>& fields);
    // Why a table of these fields cannot be written (more fields than the
    // header holds, a record longer than its length field holds); empty when
    // it can.
    static QString layoutRefusal(const QList<DbfField>& fields);
    // Bytes before the first record.
    int headerLength() const;
    // The code-page mark of the header (offset 29): 0xCA for a table made
    // here, what the file holds for one read from a file.
    unsigned char codePageMark() const;
    // TRUE when the text of the table is Windows-1254 by its mark: 0xCA, or
    // 0x00 (no mark).
    bool windowsTurkishText() const;

    // Every record in the file, deleted ones included (0-based positions).
    int recordCount() const { return static_cast<int>(records_.size()); }
    // Positions of the records that are not marked deleted, in file order.
    QList<int> liveRecords() const;
    bool isDeleted(int record) const;
    void setDeleted(int record, bool deleted);

    // Cell text exactly as stored, padded to the field width. Empty text for
    // an unknown field or record.
    QString value(int record, int field) const;
    QString value(int record, const QString& fieldName) const;
    // Stores `text` padded or cut to the field's width (see above). Unknown
    // fields and records are ignored.
    void setValue(int record, int field, const QString& text);
    void setValue(int record, const QString& fieldName, const QString& text);

    // Appends a blank record and returns its position.
    int appendRecord();

    // The table with one column more or less, for a rewrite of its file:
    // with `field`, a blank column of that description goes in before the
    // column at `position` (from 0; fieldCount() appends it); without, the
    // column at `position` is taken out. Every other column keeps its
    // descriptor as read (the name in its own letter case, type, width,
    // decimals and the bytes other writers keep there) and its cells; every
    // record keeps its deletion mark, and the header its version, flags,
    // code-page mark and what stands between the field list and the
    // records. Nothing for a position out of range, or for a header that
    // would grow beyond what its 16-bit length holds.
    std::optional<DbfTable> withColumnChanged(int position, const std::optional<DbfField>& field) const;

    // Date of the last update in the header; today when the table is written
    // unless set.
    QDate lastUpdate() const { return lastUpdate_; }
    void setLastUpdate(const QDate& date) { lastUpdate_ = date; }

    // The file image. The update date written is lastUpdate() when set, else
    // today.
    QByteArray toBytes() const;
    // TRUE for a table read from a file of a kind this writer does not make,
    // so that records added to it might not suit it: a version byte other
    // than 0x03 (a memo table's 0x83, for one), bytes between the field list
    // and the records (beyond the single zero byte some writers put there),
    // or a field of a type other than C, N, D and L. FALSE for a table made
    // here.
    bool foreignLayout() const;
    // Parses a file image. Returns false (with `error`) when the bytes are not
    // a dBASE table: a header without its terminator, a field of width 0, a
    // record length other than the fields' widths plus the deletion flag, or
    // fewer whole records than the header counts (a file cut short). The
    // table is the records the header counts; bytes after them (a count that
    // lags, a partial record, anything after the end-of-file byte) are
    // ignored, so the table written back is clean.
    static bool fromBytes(const QByteArray& bytes, DbfTable* table, QString* error = nullptr);

    // Cell text helpers for the typed fields.
    static QString numberText(double value, int length, int decimals);
    static QString dateText(const QDate& date);       // yyyymmdd, 8 blanks when invalid
    static QDate dateValue(const QString& text);      // invalid when blank or malformed
    static QString logicalText(bool value);           // "T" / "F"
    static bool logicalValue(const QString& text);    // T, t, Y, y are true

private:
    struct Record {
        bool deleted = false;
        QStringList cells;
    };
    QString fitted(int field, const QString& text) const;

    QList<DbfField> fields_;
    QList<Record> records_;
    QDate lastUpdate_;
    bool foreignLayout_ = false;
    QByteArray header_;  // the header as read from a file; empty for a made table
};

// The path under which `path` exists on disk: `path` itself when it exists,
// else the one entry of its folder (folders likewise) whose name differs only
// in letter case. An empty string when there is none.
QString findExistingPath(const QString& path);

// The path to write `path` to: its existing spelling when there is one (see
// findExistingPath), otherwise `path` as given.
QString pathForWriting(const QString& path);

// Reads a whole table. `path` may differ in letter case from the name on disk.
// Returns false with `error` when the file cannot be read or is no table; a
// pipe, a device or a folder at the name is refused unread (regularfile.h).
bool readDbfFile(const QString& path, DbfTable* table, QString* error = nullptr);

// Writes a whole table through a temporary file and a rename (see
// atomicfile.h), under the existing spelling of the name when the file exists
// in another letter case. On failure the old file is left untouched. A table
// whose header could not describe it (see layoutRefusal) is refused before
// anything is written.
bool writeDbfFile(const QString& path, const DbfTable& table, QString* error = nullptr);

}  // namespace zeva
