#pragma once
// A small RTF reader and writer of our own. Rich text is read into a plain
// model of paragraphs and runs (platform/ui/richtext.h moves it into a
// QTextDocument and back) and the model is written out again.
//
// What is kept: paragraphs with their alignment and indents; runs with font
// family, size, colour, bold, italic and underline; tabs, line breaks and
// page breaks (a page break is a form feed in the text). Text outside the
// ASCII range is written as Windows-1254 bytes (\'hh) where 1254 has the
// character, otherwise as \uN with a "?" for readers without Unicode.
//
// The reader keeps a stack of groups, skips every destination it does not
// show (pictures, objects, headers and footers, notes, field codes, unknown
// \* destinations) and lists the ones that held content, so that a save can
// warn before it drops them. Any input is read in linear time; what is not
// RTF at all, or nests beyond reason, is refused.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zeva::rtf {

enum class Align { Left, Right, Center, Justify };

// The family a run gets when the file names none.
inline constexpr const char* kDefaultFamily = "Courier New";

struct CharFormat {
    QString family = QString::fromLatin1(kDefaultFamily);
    int halfPoints = 24;      // size in half points (\fs)
    bool hasColor = false;    // false: the automatic text colour
    quint32 rgb = 0;          // 0xRRGGBB when hasColor
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const CharFormat&) const = default;
};

struct Run {
    QString text;  // '\t' tab, U+2028 line break, '\f' page break
    CharFormat format;

    bool operator==(const Run&) const = default;
};

struct Paragraph {
    Align align = Align::Left;
    int leftIndent = 0;   // twips
    int rightIndent = 0;  // twips
    int firstIndent = 0;  // twips, relative to the left indent
    QList<Run> runs;

    bool operator==(const Paragraph&) const = default;
};

struct Document {
    QList<Paragraph> paragraphs;

    bool operator==(const Document&) const = default;
};

struct ReadInfo {
    QString error;         // why the input was refused
    QStringList skipped;   // destinations with content that were left out ("pict", "header", ...)
};

// Reads RTF bytes. FALSE when the bytes are not RTF (they must start with
// "{\rtf") or nest too deeply; `info->error` then says why. A document that
// ends before its groups close is read as far as it goes. The document read
// always has at least one paragraph; adjacent runs of one format are joined
// and empty runs dropped.
bool read(const QByteArray& bytes, Document* doc, ReadInfo* info = nullptr);

// The document as RTF: {\rtf1\ansi\ansicpg1254\deff0, a font table and a
// colour table of what the runs use, then the paragraphs separated by \par.
QByteArray write(const Document& doc);

}  // namespace zeva::rtf
