#include "platform/ui/richtext.h"

#include <QAbstractTextDocumentLayout>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextOption>

#include <algorithm>

namespace zeva {

namespace {

constexpr double kTwipsPerPixel = 15.0;

QTextBlockFormat blockFormatOf(const rtf::Paragraph& p)
{
    QTextBlockFormat f;
    switch (p.align) {
    case rtf::Align::Left: f.setAlignment(Qt::AlignLeft); break;
    case rtf::Align::Right: f.setAlignment(Qt::AlignRight); break;
    case rtf::Align::Center: f.setAlignment(Qt::AlignHCenter); break;
    case rtf::Align::Justify: f.setAlignment(Qt::AlignJustify); break;
    }
    f.setLeftMargin(p.leftIndent / kTwipsPerPixel);
    f.setRightMargin(p.rightIndent / kTwipsPerPixel);
    f.setTextIndent(p.firstIndent / kTwipsPerPixel);
    return f;
}

QTextCharFormat charFormatOf(const rtf::CharFormat& c)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{c.family});
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    if (c.hasColor)
        f.setForeground(QColor(QRgb(0xFF000000u | c.rgb)));
    return f;
}

int twips(double pixels)
{
    const double t = pixels * kTwipsPerPixel;
    return static_cast<int>(qBound(-1000000.0, qRound64(t) * 1.0, 1000000.0));
}

rtf::Align alignOf(Qt::Alignment a)
{
    if (a & Qt::AlignJustify)
        return rtf::Align::Justify;
    if (a & Qt::AlignHCenter)
        return rtf::Align::Center;
    if (a & Qt::AlignRight)
        return rtf::Align::Right;
    return rtf::Align::Left;
}

rtf::CharFormat modelFormatOf(const QTextCharFormat& format, const QFont& defaultFont)
{
    const QFont font = format.font().resolve(defaultFont);
    rtf::CharFormat c;
    const QStringList families = font.families();
    QString family = families.isEmpty() ? font.family() : families.first();
    if (family.trimmed().isEmpty())
        family = QString::fromLatin1(rtf::kDefaultFamily);
    c.family = family;
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    if (points <= 0)
        points = 12;
    c.halfPoints = qBound(1, qRound(points * 2), 3276);
    c.bold = font.weight() >= QFont::DemiBold;
    c.italic = font.italic();
    c.underline = font.underline();
    const QBrush fg = format.foreground();
    if (fg.style() != Qt::NoBrush) {
        c.hasColor = true;
        c.rgb = fg.color().rgb() & 0xFFFFFFu;
    }
    return c;
}

// Characters of the document that are not text: embedded objects and frame
// marks.
bool isObjectChar(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1;
}

// Fonts given in pixels are given in points instead (96 pixels to the inch),
// and indents (pixels of 1/96 inch) in the device's pixels, so that a
// printer draws them at their size and not at its own pixels.
void forDevice(QTextDocument& doc, double dpi)
{
    const double scale = dpi / 96.0;
    QTextCursor at(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        if (f.leftMargin() == 0 && f.rightMargin() == 0 && f.textIndent() == 0)
            continue;
        f.setLeftMargin(f.leftMargin() * scale);
        f.setRightMargin(f.rightMargin() * scale);
        f.setTextIndent(f.textIndent() * scale);
        at.setPosition(block.position());
        at.setBlockFormat(f);
    }

    QFont font = doc.defaultFont();
    if (font.pixelSize() > 0) {
        font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
        doc.setDefaultFont(font);
    }
    // Taken first and changed after: a change may join fragments.
    struct Change {
        int from;
        int to;
        QTextCharFormat format;
    };
    QList<Change> changes;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!fragment.isValid() || !format.hasProperty(QTextFormat::FontPixelSize))
                continue;
            const int pixels = format.intProperty(QTextFormat::FontPixelSize);
            format.clearProperty(QTextFormat::FontPixelSize);
            if (pixels > 0)
                format.setFontPointSize(pixels * 72.0 / 96.0);
            changes.append({fragment.position(), fragment.position() + fragment.length(), format});
        }
    }
    QTextCursor cursor(&doc);
    for (const Change& c : std::as_const(changes)) {
        cursor.setPosition(c.from);
        cursor.setPosition(c.to, QTextCursor::KeepAnchor);
        cursor.setCharFormat(c.format);
    }
}

}  // namespace

void setRichText(QTextDocument& doc, const rtf::Document& model)
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < model.paragraphs.size(); ++i) {
        const rtf::Paragraph& p = model.paragraphs[i];
        if (i == 0)
            cursor.setBlockFormat(blockFormatOf(p));
        else
            cursor.insertBlock(blockFormatOf(p), QTextCharFormat());
        for (const rtf::Run& r : p.runs)
            cursor.insertText(r.text, charFormatOf(r.format));
    }
    cursor.endEditBlock();
}

rtf::Document richTextOf(const QTextDocument& doc)
{
    rtf::Document model;
    const QFont defaultFont = doc.defaultFont();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        rtf::Paragraph p;
        const QTextBlockFormat bf = block.blockFormat();
        p.align = alignOf(bf.alignment());
        p.leftIndent = twips(bf.leftMargin());
        p.rightIndent = twips(bf.rightMargin());
        p.firstIndent = twips(bf.textIndent());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QString text = fragment.text();
            text.removeIf(isObjectChar);
            if (text.isEmpty())
                continue;
            const rtf::CharFormat f = modelFormatOf(fragment.charFormat(), defaultFont);
            if (!p.runs.isEmpty() && p.runs.last().format == f)
                p.runs.last().text += text;
            else
                p.runs.append(rtf::Run{text, f});
        }
        model.paragraphs.append(std::move(p));
    }
    if (model.paragraphs.isEmpty())
        model.paragraphs.append(rtf::Paragraph());
    return model;
}

void setPlainLines(QTextDocument& doc, const QString& text)
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.insertText(text);
}

QString plainLines(const QTextDocument& doc)
{
    QString out;
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!first)
            out.append(QLatin1Char('\n'));
        first = false;
        QString text = block.text();
        text.removeIf(isObjectChar);
        text.replace(QChar(0x2028), QLatin1Char('\n'));
        out.append(text);
    }
    return out;
}

std::unique_ptr<QTextDocument> printableCopy(const QTextDocument& doc)
{
    std::unique_ptr<QTextDocument> copy(doc.clone());
    const QString formFeed(QLatin1Char('\f'));
    QTextCursor found = copy->find(formFeed);
    while (!found.isNull()) {
        const int pos = found.selectionStart();
        found.removeSelectedText();
        QTextCursor at(copy.get());
        at.setPosition(pos);
        if (!at.atBlockStart())
            at.insertBlock();
        // The text after the form feed goes on a new page; nothing after it
        // (a report's closing form feed) makes no empty page.
        const QTextBlock block = at.block();
        const bool lastAndEmpty = !block.next().isValid() && block.length() <= 1;
        if (block.position() > 0 && !lastAndEmpty) {
            QTextBlockFormat f;
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            at.mergeBlockFormat(f);
        }
        found = copy->find(formFeed, at.position());
    }
    return copy;
}

namespace {

// A printable copy of the document laid out on the device, a page to each
// page of it.
struct PrintLayout {
    std::unique_ptr<QTextDocument> copy;
    QSizeF page;
    double left = 0;
};

PrintLayout layOut(const QTextDocument& doc, QPagedPaintDevice* device, double leftInches, double rightInches)
{
    PrintLayout out;
    out.copy = printableCopy(doc);
    QTextDocument& copy = *out.copy;
    forDevice(copy, device->logicalDpiX());

    // The page's own margins are the printer's; the pad's view margins are
    // the screen's.
    copy.setDocumentMargin(0);
    QTextFrameFormat frame = copy.rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setPadding(0);
    copy.rootFrame()->setFrameFormat(frame);
    QTextOption option = copy.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    copy.setDefaultTextOption(option);

    // Laid out on the printer itself: sizes in points come out at its
    // resolution, and the page is its printable area in its own pixels.
    copy.documentLayout()->setPaintDevice(device);
    const double dpi = qMax(1, device->logicalDpiX());
    const double right = qBound(0.0, rightInches * dpi, double(device->width()));
    // At least an inch of line, whatever the left margin.
    out.left = qBound(0.0, leftInches * dpi, qMax(0.0, right - dpi));
    out.page = QSizeF(qMax(1.0, right - out.left), qMax(1, device->height()));
    copy.setPageSize(out.page);
    return out;
}

// The pages to put on the device, from 0, in the order they go out.
QList<int> sheetsOf(int pages, const PrintJob& job)
{
    QList<int> once;
    for (int p = 1; p <= pages; ++p)
        if (job.pages.isEmpty() || job.pages.contains(p))
            once << p - 1;
    if (job.lastPageFirst)
        std::reverse(once.begin(), once.end());
    const int copies = qMax(1, job.copies);
    QList<int> sheets;
    if (job.collate) {
        for (int c = 0; c < copies; ++c)
            sheets << once;
    } else {
        for (int p : std::as_const(once))
            for (int c = 0; c < copies; ++c)
                sheets << p;
    }
    return sheets;
}

}  // namespace

int printedPageCount(const QTextDocument& doc, QPagedPaintDevice* device, double leftInches, double rightInches)
{
    if (!device)
        return 0;
    return layOut(doc, device, leftInches, rightInches).copy->pageCount();
}

PrintOutcome printDocument(const QTextDocument& doc, QPagedPaintDevice* device, double leftInches,
                           double rightInches, const PrintJob& job, int* pageCount)
{
    if (!device)
        return PrintOutcome::Failed;
    const PrintLayout laid = layOut(doc, device, leftInches, rightInches);
    const int pages = laid.copy->pageCount();
    if (pageCount)
        *pageCount = pages;
    const QList<int> sheets = sheetsOf(pages, job);
    // Nothing is written, not even an empty page.
    if (sheets.isEmpty())
        return PrintOutcome::NoPages;

    QPainter painter;
    if (!painter.begin(device))
        return PrintOutcome::Failed;
    QAbstractTextDocumentLayout* layout = laid.copy->documentLayout();
    const QSizeF page = laid.page;
    bool first = true;
    for (int i : sheets) {
        if (!first && !device->newPage()) {
            painter.end();
            return PrintOutcome::Failed;
        }
        first = false;
        painter.save();
        painter.translate(laid.left, -i * page.height());
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        // The layout draws what touches the clip: the first line of the next
        // page starts right at this page's end.
        context.clip = view.adjusted(0, 0, 0, -1);
        // Black on paper, whatever the screen's colours.
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace zeva
