// Reports in the pad: plain text kept byte for byte, long reports whole,
// printing paged by form feeds, and the solution report of the program.
#include "padtestutil.h"

#include "core/problemfile.h"
#include "editing/ui/entrywindowopeners.h"
#include "platform/codec.h"
#include "platform/runtime.h"
#include "platform/ui/richtext.h"
#include "support/pdfwords.h"
#include "support/qstringprint.h"
#include "tools/consoleport.h"
#include "tools/exampleproblem.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTextDocument>

namespace zeva {
namespace {

using test::PadWindowTest;

class PadTextTest : public PadWindowTest {};

QString textOf(PADWIN* pad)
{
    return plainLines(*pad->ODCRICHEDIT->document());
}

TEST_F(PadTextTest, UnchangedTextFilesAreWrittenBackByteForByte)
{
    QFile karma(QStringLiteral(ZEVA_TEST_DATA "/reports/KARMA1.TXT"));
    ASSERT_TRUE(karma.open(QIODevice::ReadOnly));
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"KARMA1.TXT", karma.readAll()},
        {"FF.TXT", "\x0c" "BA\xdeLIK\r\nsat\xfdr 1\r\n\x0c" "SAYFA 2\r\n\x0c"},
        {"NBSP.TXT", "a\xa0" "b \xa0\r\n\xa0\r\n"},
        {"UNIX.TXT", "bir\niki\n\n"},
        {"NOEND.TXT", "tek sat\xfdr"},
        {"BLANK.TXT", "\r\n"},
    };
    for (const auto& c : cases) {
        const QString path = data(QString::fromLatin1(c.name));
        writeBytes(path, c.bytes);
        ASSERT_TRUE(pads().RE_DOOPENFILE(path)) << c.name;
        PADWIN* pad = pads().activePad();
        QString expected = cp1254::decode(c.bytes);
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(textOf(pad), expected) << c.name;
        EXPECT_FALSE(pad->LCHANGE());
        // Changed on disk meanwhile: the save asks, and Yes writes the text back.
        writeBytes(path, "changed on disk");
        port_.replies = {REPLY_YES};
        ASSERT_TRUE(pad->RTFSAVE()) << c.name;
        EXPECT_TRUE(port_.allAnswersUsed()) << c.name;
        EXPECT_EQ(bytes(path), c.bytes) << c.name;
        pad->CLOSE();
    }
    EXPECT_TRUE(pads().APADWINS().isEmpty());
}

// A reference-matrix report of 70 feeds: blocks of columns, each on its own
// page behind a form feed, lines of 100 characters.
QByteArray referenceReport(int records, int blocks)
{
    QString text;
    auto line = [&text](const QString& s) { text += PadR(s, 100) + QStringLiteral("\r\n"); };
    for (int b = 0; b < blocks; ++b) {
        text += QLatin1Char('\f');
        line(PadC(QStringLiteral("HAVADA KURU REFERANS MATRİS"), 100));
        line(QStringLiteral("Sayfa: %1").arg(b + 1));
        line(QStringLiteral("YEM MADDESİ ADI          ") + QStringLiteral("   KMO(%)   HP(%)   ÇEL(%)   ŞEKER   ĞIDA"));
        for (int r = 1; r <= records; ++r)
            line(PadR(QStringLiteral("YEM %1 ÖĞÜTÜLMÜŞ").arg(r), 25) + Str(r * 1.25 + b, 11, 4) + Str(b * 3.5, 11, 4));
    }
    return cp1254::encode(text);
}

int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

TEST_F(PadTextTest, ALongReportLoadsWholeAndPrintsAPagePerBlock)
{
    const int blocks = 10;
    const QByteArray report = referenceReport(70, blocks);
    ASSERT_GT(report.size(), 65536);
    const QString path = data(QStringLiteral("HK Referans Matris.TXT"));
    writeBytes(path, report);
    G().CREPORTFILE = path;
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    ASSERT_NE(pad, nullptr);
    QString expected = cp1254::decode(report);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(textOf(pad), expected);
    EXPECT_EQ(pad->ODCRICHEDIT->document()->blockCount(), blocks * 73 + 1);

    // Printed through the print dialog into a PDF file.
    dialogs_.pdf = tmp_.file(QStringLiteral("rapor.pdf"));
    padItem(5179);
    const QByteArray pdf = bytes(dialogs_.pdf);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GE(pdfPages(pdf), blocks);
    EXPECT_LE(pdfPages(pdf), 2 * blocks);

    // Still the same report, byte for byte, when saved.
    ASSERT_TRUE(pad->RTFSAVE());
    EXPECT_EQ(bytes(path), report);
}

// The words of a report's text, line by line, as a reader of the printed
// page finds them.
QStringList wordsOf(const QString& text)
{
    static const QRegularExpression space(QStringLiteral("[\\s\\f]+"));
    return text.split(space, Qt::SkipEmptyParts);
}

QStringList wordsOf(const QList<test::PdfPage>& pages)
{
    QStringList words;
    for (const test::PdfPage& page : pages)
        words << page.texts();
    return words;
}

// The printed words' boxes, in points from the left edge of the printable
// area: left-most start, right-most end, smallest and largest height.
struct Extent {
    double left = 1e9, right = -1e9, low = 1e9, high = -1e9;
};
Extent extentOf(const QList<test::PdfPage>& pages, double printableLeft)
{
    Extent e;
    for (const test::PdfPage& page : pages)
        for (const test::PdfWord& w : page.words) {
            e.left = qMin(e.left, w.box.left() - printableLeft);
            e.right = qMax(e.right, w.box.right() - printableLeft);
            e.low = qMin(e.low, w.box.height());
            e.high = qMax(e.high, w.box.height());
        }
    return e;
}

// How many printed lines of the page hold words that start with `start`.
int linesOf(const test::PdfPage& page, const QString& start)
{
    QSet<double> tops;
    for (const test::PdfWord& w : page.words)
        if (w.text.startsWith(start))
            tops.insert(w.box.top());
    return int(tops.size());
}

TEST_F(PadTextTest, PrintedReportsComeOutAtTheirSizeBetweenTheMargins)
{
    // Three blocks, each longer than a page, and a last line that fills its
    // 100 characters.
    QString wide;
    for (int i = 1; i <= 10; ++i)
        wide += QStringLiteral("Sütun%1").arg(i, i < 10 ? 4 : 5, 10, QLatin1Char('0')) + (i < 10 ? " " : "");
    ASSERT_EQ(wide.size(), 100);
    const QByteArray report = referenceReport(90, 3) + cp1254::encode(wide) + "\r\n";
    const QString path = data(QStringLiteral("HK Referans Matris.TXT"));
    writeBytes(path, report);
    G().CREPORTFILE = path;
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    ASSERT_NE(pad, nullptr);
    dialogs_.pdf = tmp_.file(QStringLiteral("rapor.pdf"));
    padItem(5179);  // "Ya&zdır..."
    const double printableLeft = pads().padPrinter().pageLayout().paintRect(QPageLayout::Point).left();

    // The pad's font (12 pixels) prints at 9 points; every word of the
    // report is there, in order.
    QList<test::PdfPage> pages = test::pdfWords(dialogs_.pdf);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(wordsOf(pages), wordsOf(cp1254::decode(report)));
    Extent e = extentOf(pages, printableLeft);
    EXPECT_GE(e.low, 8.5);
    EXPECT_LE(e.high, 12.0);
    // From the printable area's left edge; a line of 100 characters fits.
    EXPECT_NEAR(e.left, 0, 0.5);
    EXPECT_NEAR(e.right, 100 * 0.6 * 9, 1.0);
    EXPECT_EQ(linesOf(pages.last(), QStringLiteral("Sütun")), 1);
    // A form feed starts a page and a block runs on to the next: each block
    // takes two pages.
    ASSERT_EQ(pages.size(), 6);
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages[i].texts().value(0), i % 2 == 0 ? QStringLiteral("HAVADA") : QStringLiteral("YEM")) << i;

    // Margins of 1 and 6 inches: the lines start an inch in and wrap before
    // the sixth; still every word, at the same size.
    dialogs_.runner = [](QDialog& d) {
        auto& m = dynamic_cast<MARGINDIALOG&>(d);
        m.ODCSLELM()->setText(QStringLiteral("1"));
        m.ODCSLERM()->setText(QStringLiteral("6"));
        m.pbOK()->click();
        return d.result();
    };
    padItem(5184);  // "&Marjlar"
    padItem(5179);
    pages = test::pdfWords(dialogs_.pdf);
    EXPECT_EQ(wordsOf(pages), wordsOf(cp1254::decode(report)));
    e = extentOf(pages, printableLeft);
    EXPECT_NEAR(e.left, 72, 0.5);
    EXPECT_LE(e.right, 6 * 72 + 0.5);
    EXPECT_GE(e.low, 8.5);
    EXPECT_EQ(linesOf(pages.last(), QStringLiteral("Sütun")), 2);

    // A right margin beyond the paper is held to the printable width.
    pad->NLEFTMARGIN = 0;
    pad->NRIGHTMARGIN = 100 * 1440;
    padItem(5179);
    pages = test::pdfWords(dialogs_.pdf);
    EXPECT_EQ(wordsOf(pages), wordsOf(cp1254::decode(report)));
    EXPECT_EQ(pages.size(), 6);
    EXPECT_FALSE(pad->LCHANGE());
}

TEST_F(PadTextTest, RichTextPrintsEachRunAtItsOwnSizeAndIndent)
{
    const QString path = data(QStringLiteral("NOT.RTF"));
    writeBytes(path, "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                     "\\f0\\fs36 B\\'fcy\\'fck\\par\\f1\\fs20 k\\'fc\\'e7\\'fck\\par\\page\\li1440 son\\par}");
    ASSERT_TRUE(pads().RE_DOOPENFILE(path));
    pads().REPORTPAD();  // the pad menu, with an untitled pad
    w().mdiArea()->setActiveSubWindow(pads().APADWINS().first());
    dialogs_.pdf = tmp_.file(QStringLiteral("not.pdf"));
    padItem(5179);
    const QList<test::PdfPage> pages = test::pdfWords(dialogs_.pdf);
    // "\\page" is a form feed.
    ASSERT_EQ(pages.size(), 2);
    ASSERT_EQ(pages[0].texts(), (QStringList{"Büyük", "küçük"}));
    EXPECT_EQ(pages[1].texts(), QStringList{"son"});
    // An indent of an inch is an inch on paper.
    EXPECT_NEAR(pages[1].words[0].box.left() - pages[0].words[0].box.left(), 72, 0.5);
    // A box is about 1.1 of its size in points.
    EXPECT_NEAR(pages[0].words[0].box.height() / 18, 1.1, 0.15);
    EXPECT_NEAR(pages[0].words[1].box.height() / 10, 1.1, 0.15);
}

// Qt's own print dialog on the pad's printer, seen by the test and
// cancelled.
class SeenPrintDialog : public QtPadDialogs {
public:
    QString docName;
    int run(QDialog& dialog) override
    {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (!print) {
            ADD_FAILURE() << "not the print dialog";
            return 0;
        }
        docName = print->printer()->docName();
        return 0;
    }
};

TEST_F(PadTextTest, ThePrintJobIsNamedAfterTheReportAndAFailedPrintSaysSo)
{
    const QString path = data(QStringLiteral("KARMA1.TXT"));
    writeBytes(path, "SATIR\r\n");
    G().CREPORTFILE = path;
    pads().REPORTPAD();
    SeenPrintDialog seen;
    pads().setDialogs(&seen);
    padItem(5179);
    EXPECT_EQ(seen.docName, QStringLiteral("KARMA1.TXT"));
    EXPECT_TRUE(port_.log.isEmpty());

    // A file that cannot be written: said so.
    pads().setDialogs(&dialogs_);
    dialogs_.pdf = data(QStringLiteral("YOK/rapor.pdf"));
    padItem(5179);
    EXPECT_EQ(port_.log, QStringList{"box 16 Hata...: " + dialogs_.pdf + " dosyasına yazdırılamıyor..."});
}

TEST_F(PadTextTest, TheBroilerSolutionReportOpensWithCtrlE)
{
    // The main window as the program wires it.
    installEntryWindowCommands(w());
    QString error;
    ASSERT_TRUE(loadExampleProblem(QStringLiteral(ZEVA_SOURCE_DIR "/data/examples/BROYLER.txt"), &error))
        << error.toStdString();
    ConsolePort console;
    console.quiet = true;
    const QString problem = data(QStringLiteral("BROYLER.ZVF"));
    ASSERT_TRUE(writeExampleProblem(problem, console, &error)) << error.toStdString();
    G().reset();
    ASSERT_TRUE(w().DOOPENFILE(problem));

    showActive();
    port_.params = {ParamAnswer{true, false, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")}};
    w().mainMenu()->action(3550)->trigger();  // "Yem &Formülü"
    const QString report = G().CREPORTFILE;
    ASSERT_FALSE(report.isEmpty()) << port_.log.join('\n').toStdString();
    ASSERT_TRUE(QFileInfo(report).isFile());
    EXPECT_TRUE(w().mainMenu()->isEnabled(3564));

    QTest::keyClick(&w(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(inPadMode());
    PADWIN* pad = pads().activePad();
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(pad->windowTitle(), report);
    const QByteArray written = bytes(report);
    const QStringList lines = cp1254::decode(written).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(textOf(pad).split(QLatin1Char('\n')), lines);
    EXPECT_TRUE(port_.allAnswersUsed());

    // The report shows from its first line, its heading in view.
    QCoreApplication::processEvents();
    QTextEdit* edit = pad->ODCRICHEDIT;
    EXPECT_EQ(edit->textCursor().position(), 0);
    const QTextCursor heading = edit->document()->find(QStringLiteral("Optimum Çözüm Bulundu."));
    ASSERT_FALSE(heading.isNull());
    EXPECT_TRUE(edit->viewport()->rect().contains(edit->cursorRect(heading)));
    EXPECT_TRUE(edit->viewport()->rect().contains(edit->cursorRect(QTextCursor(edit->document()))));

    // Back in the main menu the solved formula can still be added.
    QTest::keyClick(pad->ODCRICHEDIT, Qt::Key_Escape);
    EXPECT_FALSE(pads().padMode());
    EXPECT_TRUE(w().mainMenu()->isEnabled(3564));
    EXPECT_EQ(bytes(report), written);
}

}  // namespace
}  // namespace zeva
