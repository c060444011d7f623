// The RTF reader and writer, and rich text in a QTextDocument.
#include "platform/rtf.h"
#include "platform/ui/richtext.h"

#include "support/pdfwords.h"
#include "support/tempdir.h"
#include "support/qstringprint.h"

#include <QFileInfo>
#include <QFont>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
QT_END_NAMESPACE

namespace zeva::rtf {
inline void PrintTo(const Document& d, std::ostream* os)
{
    for (const Paragraph& p : d.paragraphs) {
        *os << "\n[align " << int(p.align) << " li " << p.leftIndent << " ri " << p.rightIndent << " fi "
            << p.firstIndent << "]";
        for (const Run& r : p.runs)
            *os << " {" << r.format.family.toStdString() << " " << r.format.halfPoints << (r.format.bold ? " b" : "")
                << (r.format.italic ? " i" : "") << (r.format.underline ? " u" : "")
                << (r.format.hasColor ? " c" + std::to_string(r.format.rgb) : std::string()) << ": "
                << r.text.toStdString() << "}";
    }
}
}  // namespace zeva::rtf

namespace zeva {
namespace {

QString textOf(const rtf::Document& d)
{
    QStringList paragraphs;
    for (const rtf::Paragraph& p : d.paragraphs) {
        QString t;
        for (const rtf::Run& r : p.runs)
            t += r.text;
        paragraphs << t;
    }
    return paragraphs.join(QLatin1Char('|'));
}

rtf::Document readOk(const QByteArray& bytes, rtf::ReadInfo* info = nullptr)
{
    rtf::Document d;
    rtf::ReadInfo scratch;
    EXPECT_TRUE(rtf::read(bytes, &d, info ? info : &scratch)) << bytes.constData();
    return d;
}

TEST(RtfReader, TurkishTextInEveryWayItIsWritten)
{
    struct Case {
        const char* name;
        QByteArray rtf;
        QString text;
    } cases[] = {
        {"1254 bytes", R"({\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}}\f0 Kar\'fd\'feim \'d0\'dd\'de\'f0\'fd\'fe})",
         QStringLiteral("Karışim ĞİŞğış")},
        {"unicode with fallback", R"({\rtf1\ansi\ansicpg1254\uc1 Kar\u305?\u351?\'fdk})", QStringLiteral("Karışık")},
        {"fallback as an escaped byte", R"({\rtf1\ansi\ansicpg1252\uc1 Kar\u305\'3f\u351 ?d})", QStringLiteral("Karışd")},
        {"two fallback characters", R"({\rtf1\uc2 a\u305??b})", QStringLiteral("aıb")},
        {"1252 document, Turkish font", R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset162 Arial;}{\f1\fcharset0 Arial;}}\f0 \'fd\f1 \'fd})",
         QStringLiteral("ıý")},
        {"negative unicode", R"({\rtf1 \u-3913?})", QString(QChar(0xF0B7))},
        {"symbols", R"({\rtf1 a\tab b\line c\page d\~e\{\}\\})",
         QStringLiteral("a\tb") + QChar(0x2028) + QStringLiteral("c\fd") + QChar(0x00A0) + QStringLiteral("e{}\\")},
        {"paragraphs", "{\\rtf1 one\\par two\\par\r\n\\par three}", QStringLiteral("one|two||three")},
        {"raw line breaks are not text", "{\\rtf1 on\r\ne\ntwo}", QStringLiteral("onetwo")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textOf(readOk(c.rtf)), c.text) << c.name;
}

TEST(RtfReader, SkipsWhatItDoesNotShowAndListsLostContent)
{
    rtf::ReadInfo info;
    const rtf::Document d = readOk(
        R"({\rtf1\ansi{\fonttbl{\f0{\*\panose 0}Arial{\*\falt Helv};}}{\stylesheet{\s1 Normal;}}{\info{\title Baslik}})"
        R"({\*\generator Writer;}{\*\bilinmeyen gizli}A{\header Ust}B{\pict\binxx}C)"
        R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt Link}}{\*\shppict{\pict\bin3 }}}}}D{\pntext 1.}E})",
        &info);
    EXPECT_EQ(textOf(d), QStringLiteral("ABCLinkD1.E"));
    EXPECT_EQ(d.paragraphs[0].runs[0].format.family, QStringLiteral("Arial"));
    EXPECT_EQ(info.skipped, (QStringList{"header", "pict", "fldinst", "shppict"}));

    // Bookkeeping alone is no loss.
    rtf::ReadInfo quiet;
    readOk(R"({\rtf1{\info{\author X}}{\*\rsidtbl \rsid1}x})", &quiet);
    EXPECT_TRUE(quiet.skipped.isEmpty());

    // Binary data is skipped by its count, braces and all.
    EXPECT_EQ(textOf(readOk("{\\rtf1 a{\\*\\blipuid x}{\\pict\\bin4 }{{}}b}")), QStringLiteral("ab"));
}

TEST(RtfReader, RefusesWhatIsNotRtfAndReadsATruncatedFile)
{
    rtf::Document d;
    rtf::ReadInfo info;
    for (const QByteArray& bad : {QByteArray(), QByteArray("merhaba"), QByteArray("{\\rt"), QByteArray("rtf1 {\\rtf1}")}) {
        EXPECT_FALSE(rtf::read(bad, &d, &info)) << bad.constData();
        EXPECT_FALSE(info.error.isEmpty());
    }
    EXPECT_FALSE(rtf::read("{\\rtf1 " + QByteArray(100000, '{') + "x", &d, &info));
    EXPECT_TRUE(d.paragraphs.isEmpty());

    // The end of a cut-off file is read as far as it goes; what follows the
    // document's group is not.
    EXPECT_EQ(textOf(readOk("  {\\rtf1 {\\b kal\\'fdn")), QStringLiteral("kalın"));
    EXPECT_EQ(textOf(readOk("{\\rtf1 son}ek metin")), QStringLiteral("son"));
}

TEST(RtfReader, FormatsAndTables)
{
    const rtf::Document d = readOk(
        R"({\rtf1\ansi\deff1{\fonttbl{\f0\fnil Courier New;}{\f1\fswiss Arial;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue128;})"
        R"(\pard\qc\li720\ri360\fi-180 {\b\fs32 Ba\'fe}{\i\cf1 r}\ul\f0 u\ulnone\b0 z\cf2 k\plain d\par)"
        R"(\pard\qr a\par\pard\qj b})");
    ASSERT_EQ(d.paragraphs.size(), 3);
    const rtf::Paragraph& p = d.paragraphs[0];
    EXPECT_EQ(p.align, rtf::Align::Center);
    EXPECT_EQ(p.leftIndent, 720);
    EXPECT_EQ(p.rightIndent, 360);
    EXPECT_EQ(p.firstIndent, -180);
    ASSERT_EQ(p.runs.size(), 6);
    EXPECT_EQ(p.runs[0].text, QStringLiteral("Baş"));
    EXPECT_TRUE(p.runs[0].format.bold);
    EXPECT_EQ(p.runs[0].format.halfPoints, 32);
    EXPECT_EQ(p.runs[0].format.family, QStringLiteral("Arial"));  // \deff1
    EXPECT_TRUE(p.runs[1].format.italic);
    EXPECT_FALSE(p.runs[1].format.bold);
    EXPECT_EQ(p.runs[1].format.rgb, 0xFF0000u);
    EXPECT_TRUE(p.runs[2].format.underline);
    EXPECT_EQ(p.runs[2].format.family, QStringLiteral("Courier New"));
    EXPECT_FALSE(p.runs[3].format.underline);
    EXPECT_EQ(p.runs[4].format.rgb, 0x000080u);
    EXPECT_EQ(p.runs[5].format, rtf::CharFormat{QStringLiteral("Arial")});
    EXPECT_EQ(d.paragraphs[1].align, rtf::Align::Right);
    EXPECT_EQ(d.paragraphs[2].align, rtf::Align::Justify);
    EXPECT_EQ(d.paragraphs[2].leftIndent, 0);
}

rtf::Document sampleModel()
{
    rtf::Document d;
    rtf::CharFormat plain;
    rtf::CharFormat bold{QStringLiteral("Arial"), 28, true, 0x336699, true, false, false};
    rtf::CharFormat odd{QStringLiteral("Ga{ra}m;ond\\"), 17, false, 0, false, true, true};
    rtf::Paragraph head;
    head.align = rtf::Align::Center;
    head.runs = {{QStringLiteral("ÇÖZÜM RAPORU"), bold}};
    rtf::Paragraph body;
    body.leftIndent = 1440;
    body.rightIndent = 300;
    body.firstIndent = -240;
    body.runs = {{QStringLiteral("Yem\tMiktar") + QChar(0x2028) + QStringLiteral("\fSayfa ıİğĞ € ") + QChar(0x0101)
                      + QStringLiteral(" {x}\\ ") + QChar(0x00A0),
                  plain},
                 {QStringLiteral("eğik"), odd}};
    rtf::Paragraph right;
    right.align = rtf::Align::Right;
    right.runs = {{QStringLiteral("son"), plain}};
    d.paragraphs = {head, body, rtf::Paragraph(), right};
    return d;
}

TEST(RtfWriter, WritesTurkishAsCodePageBytesAndTheRestAsUnicode)
{
    const QByteArray out = rtf::write(sampleModel());
    EXPECT_TRUE(out.startsWith("{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fnil\\fcharset162 Arial;}"));
    EXPECT_TRUE(out.contains("\\colortbl ;\\red51\\green102\\blue153;}"));
    EXPECT_TRUE(out.contains("\\pard\\qc\\plain\\f0\\fs28\\b\\cf1 \\'c7\\'d6Z\\'dcM RAPORU\\par"));
    EXPECT_TRUE(out.contains("\\pard\\ql\\li1440\\ri300\\fi-240\\plain\\f1\\fs24 Yem\\tab Miktar\\line \\page Sayfa "
                             "\\'fd\\'dd\\'f0\\'d0 \\'80 \\u257? \\{x\\}\\\\ \\'a0"));
    EXPECT_TRUE(out.contains("Ga\\{ra\\}m\\'3bond\\\\;"));
    EXPECT_TRUE(out.contains("\\i\\ul e\\'f0ik"));
    EXPECT_TRUE(out.contains("\\par\n\\pard\\ql \\par\n\\pard\\qr"));
    for (char c : out)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(RtfWriter, ModelAndDocumentRoundTrips)
{
    const rtf::Document model = sampleModel();
    rtf::Document back;
    ASSERT_TRUE(rtf::read(rtf::write(model), &back));
    EXPECT_EQ(back, model);

    // Through a document: text, alignment, bold, font, size, colour, indents.
    QTextDocument doc;
    setRichText(doc, model);
    EXPECT_EQ(doc.blockCount(), 4);
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(richTextOf(doc), model);

    QTextDocument again;
    ASSERT_TRUE(rtf::read(rtf::write(richTextOf(doc)), &back));
    setRichText(again, back);
    EXPECT_EQ(again.toRawText(), doc.toRawText());
    EXPECT_EQ(richTextOf(again), model);
}

TEST(RichText, PlainLinesKeepEveryCharacter)
{
    QTextDocument doc;
    const QString text = QStringLiteral("\fBAŞLIK") + QChar(0x00A0) + QStringLiteral("\t1\n\nson\n\f");
    setPlainLines(doc, text);
    EXPECT_EQ(doc.blockCount(), 4);
    EXPECT_EQ(plainLines(doc), text);

    // Text typed with a line break inside a block comes out as two lines.
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("a") + QChar(0x2028) + QStringLiteral("b"));
    EXPECT_TRUE(plainLines(doc).endsWith(QStringLiteral("\fa\nb")));
}

TEST(RichText, FormFeedsStartPrintedPages)
{
    QTextDocument doc;
    setPlainLines(doc, QStringLiteral("\fbir\nsatır\n\fiki\nüç\fdört\n\f"));
    const auto copy = printableCopy(doc);
    QStringList blocks;
    QList<bool> breaks;
    for (QTextBlock b = copy->begin(); b.isValid(); b = b.next()) {
        blocks << b.text();
        breaks << (b.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore);
    }
    EXPECT_EQ(blocks, (QStringList{"bir", "satır", "iki", "üç", "dört", ""}));
    // No empty page before the first block or after the closing form feed.
    EXPECT_EQ(breaks, (QList<bool>{false, false, true, false, true, false}));
    EXPECT_EQ(plainLines(doc), QStringLiteral("\fbir\nsatır\n\fiki\nüç\fdört\n\f"));  // the original is untouched
}

// What a print dialog asks, on a PDF file: the pages, their order and the
// copies, each page as the text fills it.
TEST(RichText, PrintsThePagesTheCopiesAndTheOrderAskedFor)
{
    QTextDocument doc;
    setPlainLines(doc, QStringLiteral("bir\fiki\füç"));
    QPageRanges oneAndThree;
    oneAndThree.addPage(1);
    oneAndThree.addPage(3);
    const struct {
        const char* name;
        QPageRanges pages;
        int copies;
        bool collate;
        bool lastPageFirst;
        QStringList printed;  // empty: nothing printed, no file
    } cases[] = {
        {"all", {}, 1, true, false, {"bir", "iki", "üç"}},
        {"2-3", QPageRanges::fromString(QStringLiteral("2-3")), 1, true, false, {"iki", "üç"}},
        {"1,3", oneAndThree, 1, true, false, {"bir", "üç"}},
        {"2-9", QPageRanges::fromString(QStringLiteral("2-9")), 1, true, false, {"iki", "üç"}},
        {"4-5", QPageRanges::fromString(QStringLiteral("4-5")), 1, true, false, {}},
        {"collated", QPageRanges::fromString(QStringLiteral("1-2")), 2, true, false, {"bir", "iki", "bir", "iki"}},
        {"uncollated", {}, 2, false, false, {"bir", "bir", "iki", "iki", "üç", "üç"}},
        {"last first", {}, 1, true, true, {"üç", "iki", "bir"}},
        {"last first, uncollated", QPageRanges::fromString(QStringLiteral("2-3")), 2, false, true,
         {"üç", "üç", "iki", "iki"}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const QString pdf = dir.file(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        QPdfWriter writer(pdf);
        PrintJob job{c.pages, c.copies, c.collate, c.lastPageFirst};
        int filled = 0;
        const PrintOutcome outcome = printDocument(doc, &writer, 0, 10, job, &filled);
        EXPECT_EQ(filled, 3) << c.name;
        if (c.printed.isEmpty()) {
            EXPECT_EQ(outcome, PrintOutcome::NoPages) << c.name;
            EXPECT_FALSE(QFileInfo::exists(pdf)) << c.name;
            continue;
        }
        EXPECT_EQ(outcome, PrintOutcome::Printed) << c.name;
        QStringList printed;
        for (const test::PdfPage& page : test::pdfWords(pdf))
            printed << page.texts().join(QLatin1Char(' '));
        EXPECT_EQ(printed, c.printed) << c.name;
    }
}

// HTML of unrtf as text: tags out, the entities it writes turned back.
QString htmlText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    const QList<QPair<const char*, QString>> named = {
        {"&Ccedil;", "Ç"}, {"&ccedil;", "ç"}, {"&Ouml;", "Ö"}, {"&ouml;", "ö"}, {"&Uuml;", "Ü"},
        {"&uuml;", "ü"},   {"&euro;", "€"},   {"&nbsp;", " "},   {"&amp;", "&"},  {"&lt;", "<"},   {"&gt;", ">"},
    };
    for (const auto& [entity, text] : named)
        html.replace(QLatin1String(entity), text);
    static const QRegularExpression numeric(QStringLiteral("&#(\\d+);"));
    QRegularExpressionMatch m;
    while ((m = numeric.match(html)).hasMatch())
        html.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toInt()));
    return html;
}

// What we write is read by an independent RTF reader (Debian's unrtf) with
// its Turkish letters, fonts, colours, alignment and page breaks.
TEST(RtfWriter, AnIndependentReaderReadsWhatWeWrite)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    ASSERT_FALSE(unrtf.isEmpty()) << "unrtf is missing: bash scripts/install-deps.sh installs it";
    test::TempDir tmp;
    const QString path = tmp.file(QStringLiteral("rapor.rtf"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(rtf::write(sampleModel()));
    }
    QProcess p;
    p.start(unrtf, {QStringLiteral("--html"), path});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QString text = htmlText(html);
    EXPECT_TRUE(text.contains(QStringLiteral("ÇÖZÜM RAPORU"))) << html.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Sayfa ıİğĞ € ") + QChar(0x0101) + QStringLiteral(" {x}\\")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("eğik"))) << text.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<center>")));
    EXPECT_TRUE(html.contains(QStringLiteral("face=\"Arial\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("color=\"#336699\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<hr>")));  // the page break
    EXPECT_TRUE(html.contains(QStringLiteral("<i>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<u>")));
}

}  // namespace
}  // namespace zeva
