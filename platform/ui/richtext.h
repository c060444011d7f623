#pragma once
// Rich and plain text in a QTextDocument, for the report pad: the RTF model
// of platform/rtf.h moved into a document and back, the plain text of a
// document block by block, and printing with form feeds as page breaks.
//
// Sizes: indents are kept in twips in RTF and in pixels of 1/96 inch in the
// document (15 twips each).

#include "platform/rtf.h"

#include <QPageRanges>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace zeva {

// Replaces the document's content by the model.
void setRichText(QTextDocument& doc, const rtf::Document& model);
// The document as the model: a paragraph per block; runs without a font of
// their own get the document's default font.
rtf::Document richTextOf(const QTextDocument& doc);

// Replaces the document's content by `text`, one block per line ('\n'
// separates lines); every other character stays as it is (form feeds, tabs,
// no-break spaces).
void setPlainLines(QTextDocument& doc, const QString& text);
// The text of the blocks joined by '\n', character for character (unlike
// QTextDocument::toPlainText, no-break spaces stay); a line break inside a
// block counts as a new line.
QString plainLines(const QTextDocument& doc);

// A copy of the document for printing: every form feed is taken out and the
// text after it starts a new page.
std::unique_ptr<QTextDocument> printableCopy(const QTextDocument& doc);
// What a print dialog asked of one print.
struct PrintJob {
    QPageRanges pages;  // the pages to print, numbered as the text fills them; empty: all
    int copies = 1;     // copies to put on the device (a printer may make them itself)
    bool collate = true;
    bool lastPageFirst = false;
};

// How a print went.
enum class PrintOutcome {
    Printed,
    NoPages,  // none of the pages asked for is in the text: nothing printed
    Failed,   // nothing could be printed on the device (no printer, a file
              // that cannot be written)
};

// The pages the document fills on `device` when printed as below (at least 1).
int printedPageCount(const QTextDocument& doc, QPagedPaintDevice* device, double leftInches = 0,
                     double rightInches = 10);

// Prints the document on `device` (a printer or a PDF writer) at the text's
// own size in points (a font given in pixels counts 96 of them to the inch,
// so the pad's 12 pixels print at 9 points), indents at theirs. The lines
// run from `leftInches` to `rightInches`, measured from the left edge of the
// printable area; the right end is held to the printable width and a longer
// line wraps. Every form feed starts a new page, and so does a full page.
// Of those pages it prints what `job` asks, in its order and copies.
// `pageCount`, when given, gets the pages the text fills.
PrintOutcome printDocument(const QTextDocument& doc, QPagedPaintDevice* device, double leftInches = 0,
                           double rightInches = 10, const PrintJob& job = {}, int* pageCount = nullptr);

}  // namespace zeva
