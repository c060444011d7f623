#pragma once
// Rich and plain text in a QTextDocument, for the report pad: the RTF model
// of platform/rtf.h moved into a document and back, the plain text of a
// document block by block, and printing with form feeds as page breaks.
//
// Sizes: indents are kept in twips in RTF and in pixels of 1/96 inch in the
// document (15 twips each).

#include "platform/rtf.h"

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
// Prints the document on `device` (a printer or a PDF writer), paged at its
// form feeds.
void printDocument(const QTextDocument& doc, QPagedPaintDevice* device);

}  // namespace zeva
