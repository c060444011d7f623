#pragma once
// The report pad's files and names. A pad file is plain text (".TXT") or rich
// text (".RTF"), told apart by its name alone; a pad without a file is named
// "Adsız" with a running number.
//
// Plain text is read and written as Windows-1254 lines. The line end of the
// file is kept (CR LF for the program's reports, LF for a file that has only
// those), and everything else stays a character of the text, form feeds and
// no-break spaces among them, so an unchanged report is written back byte for
// byte.

#include <QByteArray>
#include <QString>

namespace zeva {

// "Adsız1", "Adsız2", ...
QString untitledPadName(int counter);
// TRUE when the first five characters of `name` are "Adsız".
bool isUntitledPadName(const QString& name);

// The test of a file offered to the pad: at least four characters, the last
// four ".TXT" or ".RTF" in any letter case.
bool isReportFileName(const QString& name);

enum class PadFileKind { Untitled, RichText, PlainText, Other };
// How a pad reads and writes `name`: untitled, or by its last three letters
// ("RTF", "TXT"; any letter case).
PadFileKind padFileKind(const QString& name);

struct PadText {
    QString text;                                 // lines separated by '\n'
    QString newline = QStringLiteral("\r\n");     // the file's line end
};

// The text of a plain-text file's bytes. FALSE when there are none (an empty
// file).
bool padTextFromBytes(const QByteArray& bytes, PadText* out);
// The bytes of a plain-text file. `lossless` (when given) turns false when
// a character has no Windows-1254 byte; it is written as "?".
QByteArray padTextBytes(const PadText& text, bool* lossless = nullptr);
// The characters of `text` that Windows-1254 cannot hold, each once, in order.
QString unencodableCharacters(const QString& text);

}  // namespace zeva
