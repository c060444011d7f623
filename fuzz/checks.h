#pragma once
// The promises the file readers and the numeric text keep for any input, as
// checks over one input each. The libFuzzer targets in this folder feed them
// generated inputs; the test suite replays the stored corpus through them
// (tests/data/fuzz/<target>/), so every input that once broke a promise stays
// a regression test.
//
// Each check returns an empty string when every promise held, otherwise what
// broke. A crash is, of course, also a broken promise.

#include <QByteArray>
#include <QString>

namespace zeva::fuzz {

// The DBF reader: refuses with a message or gives a table of the records the
// header counts, whose cells have their fields' widths; bytes appended after
// them change nothing; the table written back reads as the same table and
// writes the same bytes again.
QString checkDbf(const QByteArray& bytes);

// The problem-file reader over the table parsed from the bytes: the active
// problem comes out consistent (five cells per table row, name lists beside
// their tables, a matrix of one row per nutrient and one cell per feed, a
// four-value header). The save step's writers on that table give a file that
// reads again into a consistent problem, the same problem for a well-formed
// one.
QString checkProblemFile(const QByteArray& bytes);

// Numeric text: the bytes as typed text (first byte: bit 7 chooses UTF-8 over
// Windows-1254, the rest picks the Str width and decimals). SDAYA with 0 to 5
// decimals gives 11 characters of numeric text and is idempotent; Val gives a
// number; Str gives exactly its width of digits, sign and point (or
// asterisks) that read back as the value rounded; MROUND moves a value by at
// most half a unit of its last decimal.
QString checkNumeric(const QByteArray& bytes);

// The INI reader: the lines it reads join back into the same bytes; setting a
// new entry (in the first section the text holds, and in a new section) keeps
// every other line's bytes in order and reads back; removing it again, and
// removing a section, leave nothing of them to read.
QString checkIni(const QByteArray& bytes);

// The array server's text imports: the first byte chooses fixed-width or
// delimited text (bit 0) and the delimiter (bits 1-3); the rest is the file.
// Over a server of two rows, the current one with an edit pending, the
// import leaves it consistent: notices resumed, the row count the data's
// length, the edit written back, the cursor on the last row added (its buffer
// that row itself) or where it was, every new row with one cell of its
// column's type per column. The rows exported again and read back are as
// many rows.
QString checkArrayImport(const QByteArray& bytes);

// The RTF reader: any bytes are refused with a reason or read into a
// document; a document it read, written out, reads again as the same
// document and writes the same bytes again. With a QGuiApplication running,
// the document also goes through a QTextDocument (as the report pad holds
// it) and comes back the same.
QString checkRtf(const QByteArray& bytes);

}  // namespace zeva::fuzz
