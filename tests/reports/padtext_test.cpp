// Reports in the pad: plain text kept byte for byte, long reports whole,
// printing paged by form feeds, and the solution report of the program.
#include "padtestutil.h"

#include "core/problemfile.h"
#include "editing/ui/entrywindowopeners.h"
#include "platform/codec.h"
#include "platform/runtime.h"
#include "platform/ui/richtext.h"
#include "tools/consoleport.h"
#include "tools/exampleproblem.h"

#include <QRegularExpression>
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
        writeBytes(path, "changed on disk");
        ASSERT_TRUE(pad->RTFSAVE()) << c.name;
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

    // Back in the main menu the solved formula can still be added.
    QTest::keyClick(pad->ODCRICHEDIT, Qt::Key_Escape);
    EXPECT_FALSE(pads().padMode());
    EXPECT_TRUE(w().mainMenu()->isEnabled(3564));
    EXPECT_EQ(bytes(report), written);
}

}  // namespace
}  // namespace zeva
