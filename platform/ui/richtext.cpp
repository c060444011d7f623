#include "platform/ui/richtext.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

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

void printDocument(const QTextDocument& doc, QPagedPaintDevice* device)
{
    if (!device)
        return;
    printableCopy(doc)->print(device);
}

}  // namespace zeva
