// Printing from the pad through Qt's own print dialog, set as a user sets it:
// what the dialog offers when it opens, and what each option puts on paper,
// read back from the PDF file by an independent reader.
#include "padtestutil.h"

#include "platform/codec.h"
#include "reports/textreports.h"
#include "reports/ui/textreportcommands.h"
#include "support/pdfwords.h"
#include "support/printqueue.h"
#include "support/qstringprint.h"
#include "support/sampledata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>

namespace zeva {
namespace {

// What the print dialog shows when it opens.
struct Presets {
    QString printer;           // the printer or queue chosen
    QString file;              // the output file offered
    int firstPage = 0;         // the lowest page the range can name
    int lastPage = 0;          // the highest page the range can name
    int from = 0, to = 0;      // the range shown
    bool allPages = false;     // "Tümünü yazdır" chosen
    bool range = true;         // "Sayfalar" chosen
    int copies = 0;
    bool reverse = true;
    bool selection = false;    // "Seçim" offered
    bool currentPage = false;  // "Geçerli Sayfa" offered
};

// The user's settings for one print.
struct Choice {
    QString file;              // printed into this PDF file
    int from = 0, to = 0;      // 0: every page
    int copies = 1;
    bool collate = true;
    bool reverse = false;
    bool selection = false;
};

template <typename T>
T* part(QPrintDialog& d, const char* name)
{
    auto* w = d.findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Qt's print dialog as the pad opens it, shown to the test: its presets are
// noted, the choice is set in its own widgets and "&Yazdır" pressed.
class DrivenPrintDialog : public QtPadDialogs {
public:
    QList<Presets> presets;
    QList<Choice> choices;
    QString queue;  // the print queue chosen in place of a PDF file

    int run(QDialog& dialog) override
    {
        auto* d = qobject_cast<QPrintDialog*>(&dialog);
        if (!d || choices.isEmpty()) {
            ADD_FAILURE() << "print dialog not scripted";
            return 0;
        }
        d->open();
        Presets p;
        QComboBox* printers = part<QComboBox>(*d, "printers");
        p.printer = printers->currentText();
        p.file = part<QLineEdit>(*d, "filename")->text();
        p.firstPage = part<QSpinBox>(*d, "from")->minimum();
        p.lastPage = part<QSpinBox>(*d, "to")->maximum();
        p.from = part<QSpinBox>(*d, "from")->value();
        p.to = part<QSpinBox>(*d, "to")->value();
        p.allPages = part<QRadioButton>(*d, "printAll")->isChecked();
        p.range = part<QRadioButton>(*d, "printRange")->isChecked();
        p.copies = part<QSpinBox>(*d, "copies")->value();
        p.reverse = part<QCheckBox>(*d, "reverse")->isChecked();
        auto offered = [&](const char* name) {
            QRadioButton* b = part<QRadioButton>(*d, name);
            return b && !b->isHidden() && b->isEnabled();
        };
        p.selection = offered("printSelection");
        p.currentPage = offered("printCurrentPage");
        presets << p;

        const Choice c = choices.takeFirst();
        if (queue.isEmpty()) {
            printers->setCurrentIndex(printers->count() - 1);  // "Dosyaya Yazdır (PDF)"
            part<QLineEdit>(*d, "filename")->setText(c.file);
        } else {
            const int at = printers->findText(queue);
            EXPECT_GE(at, 0) << queue.toStdString();
            printers->setCurrentIndex(at);
        }
        if (c.from > 0) {
            part<QRadioButton>(*d, "printRange")->setChecked(true);
            part<QSpinBox>(*d, "from")->setValue(c.from);
            part<QSpinBox>(*d, "to")->setValue(c.to);
        }
        if (c.selection)
            part<QRadioButton>(*d, "printSelection")->setChecked(true);
        part<QSpinBox>(*d, "copies")->setValue(c.copies);
        part<QCheckBox>(*d, "collate")->setChecked(c.collate);
        part<QCheckBox>(*d, "reverse")->setChecked(c.reverse);
        auto* buttons = d->findChild<QDialogButtonBox*>();
        buttons->button(QDialogButtonBox::Ok)->click();  // "&Yazdır"
        EXPECT_FALSE(d->isVisible());
        return d->result();
    }
};

class PadPrintTest : public test::PadWindowTest {
protected:
    void SetUp() override
    {
        PadWindowTest::SetUp();
        ASSERT_EQ(test::installSampleData(tmp_.path()), QString());
        pads().setDialogs(&printing_);
    }

    // The as-fed reference report of the sample table, written from the
    // main menu and opened in the pad with Ctrl+E.
    PADWIN* referenceReport()
    {
        installTextReportCommands(w());
        w().mainMenu()->action(3554)->trigger();  // Raporlar > "&Havada Kuru "
        EXPECT_EQ(G().CREPORTFILE, data(kAsFedReportFile));
        port_.log.clear();  // the please-wait box of the report
        showActive();
        QTest::keyClick(&w(), Qt::Key_E, Qt::ControlModifier);
        PADWIN* pad = pads().activePad();
        EXPECT_NE(pad, nullptr);
        return pad;
    }

    // Prints the active pad from the menu with the user's choice.
    QList<test::PdfPage> print(const Choice& choice)
    {
        printing_.choices = {choice};
        padItem(5179);  // "Ya&zdır..."
        EXPECT_TRUE(printing_.choices.isEmpty());
        return test::pdfWords(choice.file);
    }

    // The block of the reference report each printed page shows: the "n.1"
    // after its "Sayfa".
    static QStringList blocksOf(const QList<test::PdfPage>& pages)
    {
        QStringList blocks;
        for (const test::PdfPage& page : pages) {
            const QStringList words = page.texts();
            const qsizetype at = words.indexOf(QStringLiteral("Sayfa"));
            blocks << (at >= 0 ? words.value(at + 1) : QStringLiteral("?"));
        }
        return blocks;
    }

    DrivenPrintDialog printing_;
};

TEST_F(PadPrintTest, PagesTwoToThreeOfTheReferenceReportGiveTwoPages)
{
    ASSERT_NE(referenceReport(), nullptr);
    const QList<test::PdfPage> all = print({tmp_.file(QStringLiteral("hepsi.pdf"))});
    EXPECT_EQ(blocksOf(all), (QStringList{"1.1", "2.1", "3.1", "4.1", "5.1", "6.1", "7.1", "8.1", "9.1"}));

    const QList<test::PdfPage> two = print({tmp_.file(QStringLiteral("iki.pdf")), 2, 3});
    EXPECT_EQ(blocksOf(two), (QStringList{"2.1", "3.1"}));
    // The pages are those of the whole report: the same words where they were.
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[0].texts(), all[1].texts());
    EXPECT_EQ(two[1].texts(), all[2].texts());

    // The range offers the pages the report fills, and each print starts
    // from the whole report again; no selection, no current page.
    ASSERT_EQ(printing_.presets.size(), 2);
    for (const Presets& p : printing_.presets) {
        EXPECT_EQ(p.lastPage, 9);
        EXPECT_TRUE(p.allPages);
        EXPECT_FALSE(p.selection);
        EXPECT_FALSE(p.currentPage);
    }
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
}

TEST_F(PadPrintTest, CopiesComeOutCollatedOrNotAndTheLastPageFirst)
{
    ASSERT_NE(referenceReport(), nullptr);
    const struct {
        int copies;
        bool collate;
        bool reverse;
        QStringList blocks;
    } cases[] = {
        {2, true, false, {"2.1", "3.1", "2.1", "3.1"}},
        {2, false, false, {"2.1", "2.1", "3.1", "3.1"}},
        {3, false, true, {"3.1", "3.1", "3.1", "2.1", "2.1", "2.1"}},
        {1, true, true, {"3.1", "2.1"}},
    };
    int n = 0;
    for (const auto& c : cases) {
        Choice choice{tmp_.file(QStringLiteral("kopya%1.pdf").arg(++n)), 2, 3, c.copies, c.collate, c.reverse};
        EXPECT_EQ(blocksOf(print(choice)), c.blocks) << n;
        // The printer itself was told one copy, first page first: the pad
        // made them, and a print queue must not make them again.
        EXPECT_EQ(pads().padPrinter().copyCount(), 1) << n;
        EXPECT_EQ(pads().padPrinter().pageOrder(), QPrinter::FirstPageFirst) << n;
    }
    // Copies and order asked for one print are not left for the next.
    for (const Presets& p : printing_.presets) {
        EXPECT_EQ(p.copies, 1);
        EXPECT_FALSE(p.reverse);
    }
}

// What the dialog shows as it opens after a print of a range, in copies,
// last page first: every page again, from the first to the last the text
// fills, one copy, first page first. A shorter text bounds the range by its
// own pages.
TEST_F(PadPrintTest, EachPrintOpensOnEveryPageOfItsTextAndOneCopy)
{
    ASSERT_NE(referenceReport(), nullptr);
    Choice choice{tmp_.file(QStringLiteral("aralik.pdf")), 4, 6, 3, false, true};
    EXPECT_EQ(blocksOf(print(choice)),
              (QStringList{"6.1", "6.1", "6.1", "5.1", "5.1", "5.1", "4.1", "4.1", "4.1"}));
    print({tmp_.file(QStringLiteral("sonra.pdf"))});

    const QString other = data(QStringLiteral("FFTEST.TXT"));
    writeBytes(other, "FORMUL\r\n");
    ASSERT_TRUE(pads().RE_DOOPENFILE(other));
    print({tmp_.file(QStringLiteral("kisa.pdf"))});

    const int pages[] = {9, 9, 1};  // the pages of the text printed
    ASSERT_EQ(printing_.presets.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Presets& p = printing_.presets[i];
        EXPECT_TRUE(p.allPages);
        EXPECT_FALSE(p.range);
        EXPECT_EQ(p.firstPage, 1);
        EXPECT_EQ(p.lastPage, pages[i]);
        EXPECT_EQ(p.from, 1);
        EXPECT_EQ(p.to, pages[i]);
        EXPECT_EQ(p.copies, 1);
        EXPECT_FALSE(p.reverse);
    }
}

// The pad printing through a print queue of a print system started for the
// test, whose filters make copies and turn the page order when a job asks
// them to, as a printer does.
class PadQueuePrintTest : public PadPrintTest {
protected:
    void SetUp() override
    {
        // Before the window, whose printer opens on the default queue.
        queue_ = std::make_unique<test::LocalPrintQueue>();
        if (!queue_->missing.isEmpty()) {
            if (test::LocalPrintQueue::required())
                FAIL() << "no print queue: " << queue_->missing.toStdString();
            GTEST_SKIP() << queue_->missing.toStdString();
        }
        PadPrintTest::SetUp();
    }
    void TearDown() override
    {
        if (window_)
            PadPrintTest::TearDown();
        queue_.reset();
    }

    // The blocks the queue put on paper for one print from the menu.
    QStringList printed(const Choice& choice)
    {
        queue_->clearOutput();
        printing_.choices = {choice};
        padItem(5179);  // "Ya&zdır..."
        EXPECT_TRUE(printing_.choices.isEmpty());
        if (!queue_->waitUntilIdle()) {
            ADD_FAILURE() << "the queue does not finish its job\n" << queue_->errorLog().toStdString();
            return {};
        }
        if (!QFileInfo::exists(queue_->output())) {
            ADD_FAILURE() << "the queue wrote no file\n" << queue_->errorLog().toStdString();
            return {};
        }
        return blocksOf(test::pdfWords(queue_->output()));
    }

    std::unique_ptr<test::LocalPrintQueue> queue_;
};

// The pad makes the range, the copies and the order itself; each comes out
// once, whatever the queue could make of them too. Every dialog opens on the
// queue and offers, should the user print to a file after all, the report's
// own PDF name beside it.
TEST_F(PadQueuePrintTest, EachOptionComesOutOnceAndTheDialogOffersTheReportsName)
{
    ASSERT_NE(referenceReport(), nullptr);
    printing_.queue = queue_->name();
    const struct {
        int copies;
        bool collate;
        bool reverse;
        QStringList blocks;
    } cases[] = {
        {1, true, false, {"2.1", "3.1"}},
        {2, true, false, {"2.1", "3.1", "2.1", "3.1"}},
        {2, false, false, {"2.1", "2.1", "3.1", "3.1"}},
        {1, true, true, {"3.1", "2.1"}},
        {2, true, true, {"3.1", "2.1", "3.1", "2.1"}},
        {3, false, true, {"3.1", "3.1", "3.1", "2.1", "2.1", "2.1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.copies << (c.collate ? " collated" : " uncollated")
                                        << (c.reverse ? ", last page first" : ""));
        EXPECT_EQ(printed({QString(), 2, 3, c.copies, c.collate, c.reverse}), c.blocks);
    }
    ASSERT_EQ(printing_.presets.size(), qsizetype(std::size(cases)));
    for (const Presets& p : printing_.presets) {
        EXPECT_EQ(p.printer, queue_->name());
        EXPECT_EQ(p.file, data(QStringLiteral("HK Referans Matris.pdf")));
    }
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
}

TEST_F(PadPrintTest, TheSelectionIsOfferedWhenThereIsOneAndPrintsAlone)
{
    PADWIN* pad = referenceReport();
    ASSERT_NE(pad, nullptr);
    // Two lines of the fourth block, from the middle of a line.
    QTextDocument* doc = pad->ODCRICHEDIT->document();
    const QTextCursor heading = doc->find(QStringLiteral("Sayfa  4.1"));
    ASSERT_FALSE(heading.isNull());
    QTextCursor selection(doc);
    selection.setPosition(heading.selectionStart() + 6);
    selection.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    pad->ODCRICHEDIT->setTextCursor(selection);
    const QString selected = selection.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));

    Choice choice{tmp_.file(QStringLiteral("secim.pdf"))};
    choice.selection = true;
    const QList<test::PdfPage> pages = print(choice);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].texts(), selected.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    EXPECT_EQ(pages[0].texts().value(0), QStringLiteral("4.1"));
    ASSERT_EQ(printing_.presets.size(), 1);
    EXPECT_TRUE(printing_.presets[0].selection);

    // Without a selection the dialog does not offer it.
    pad->ODCRICHEDIT->moveCursor(QTextCursor::Start);
    print({tmp_.file(QStringLiteral("hepsi.pdf"))});
    ASSERT_EQ(printing_.presets.size(), 2);
    EXPECT_FALSE(printing_.presets[1].selection);
}

TEST_F(PadPrintTest, TheDialogOffersTheNameOfTheReportBeingPrintedEachTime)
{
    ASSERT_NE(referenceReport(), nullptr);
    // The first print offers a file beside the report, named after it.
    QDir(tmp_.path()).mkdir(QStringLiteral("cikti"));
    print({tmp_.file(QStringLiteral("cikti/ilk.pdf")), 1, 1});
    // A later report offers its own name, in the folder printed to last.
    const QString other = data(QStringLiteral("FFTEST.TXT"));
    writeBytes(other, "FORMUL\r\n");
    ASSERT_TRUE(pads().RE_DOOPENFILE(other));
    print({tmp_.file(QStringLiteral("cikti/ikinci.pdf"))});
    // And the first report again, its own name.
    padItem(5173);  // "Ka&pat": back to the reference report
    ASSERT_EQ(pads().activePad()->CFNAME, data(kAsFedReportFile));
    print({tmp_.file(QStringLiteral("ucuncu.pdf")), 1, 1});

    QStringList offered;
    for (const Presets& p : printing_.presets)
        offered << p.file;
    EXPECT_EQ(offered, (QStringList{data(QStringLiteral("HK Referans Matris.pdf")),
                                    tmp_.file(QStringLiteral("cikti/FFTEST.pdf")),
                                    tmp_.file(QStringLiteral("cikti/HK Referans Matris.pdf"))}));
    EXPECT_TRUE(QFileInfo::exists(tmp_.file(QStringLiteral("ucuncu.pdf"))));
}

}  // namespace
}  // namespace zeva
