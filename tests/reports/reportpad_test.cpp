// The report pad in the main window: pad mode, the list of pads and its
// limit, drops, opening and saving, closing with the save question.
#include "padtestutil.h"

#include "platform/ui/richtext.h"
#include "reports/padfiles.h"
#include "core/problemfile.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextFrame>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace zeva {
namespace {

using test::PadWindowTest;

const QString kLimit = QStringLiteral("box 64 Uyarı...: Dinamik hafızayı zorluyorsunuz...");

// Drops `files` on `target` as the desktop does: enter, move, then drop,
// each offering copy and move with `proposed` first. The action the drop was
// answered with; Qt::IgnoreAction when nobody took it.
Qt::DropAction dropOn(QWidget& target, const QList<QUrl>& files, Qt::DropAction proposed = Qt::CopyAction)
{
    QMimeData mime;
    mime.setUrls(files);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(10, 10), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(proposed);
    QCoreApplication::sendEvent(&target, &enter);
    QDragMoveEvent move(QPoint(12, 12), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    move.setDropAction(proposed);
    QCoreApplication::sendEvent(&target, &move);
    EXPECT_EQ(enter.isAccepted(), move.isAccepted());
    QDropEvent drop(QPointF(12, 12), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(proposed);
    QCoreApplication::sendEvent(&target, &drop);
    if (!drop.isAccepted())
        return Qt::IgnoreAction;
    EXPECT_EQ(enter.dropAction(), drop.dropAction());
    EXPECT_EQ(move.dropAction(), drop.dropAction());
    return drop.dropAction();
}

class ReportPadTest : public PadWindowTest {};

void typeInto(PADWIN* pad, const QString& text)
{
    QTextCursor c(pad->ODCRICHEDIT->document());
    c.movePosition(QTextCursor::End);
    c.insertText(text);
}

TEST_F(ReportPadTest, CtrlEWithoutAReportOpensAnUntitledPadInPadMode)
{
    showActive();
    ShellMenu* main = w().mainMenu();
    EXPECT_TRUE(main->isEnabled(3562));
    QTest::keyClick(&w(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(padNames(), QStringList{QStringLiteral("Adsız1")});
    ASSERT_TRUE(inPadMode());
    ShellMenu* menu = pads().padMenu();
    EXPECT_EQ(menu->name(), QStringLiteral("StandardPadMenu"));
    EXPECT_FALSE(menu->isEnabled(5176));

    // Typing raises the pad's flag and "&Kaydet" follows the active pad.
    PADWIN* first = pads().activePad();
    ASSERT_NE(first, nullptr);
    QTest::keyClicks(first->ODCRICHEDIT, QStringLiteral("not"));
    EXPECT_TRUE(first->LCHANGE());
    EXPECT_TRUE(menu->isEnabled(5176));
    padItem(5169);
    EXPECT_EQ(padNames(), (QStringList{"Adsız1", "Adsız2"}));
    EXPECT_FALSE(menu->isEnabled(5176));
    w().mdiArea()->setActiveSubWindow(first);
    EXPECT_TRUE(menu->isEnabled(5176));
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
}

TEST_F(ReportPadTest, TheEleventhPadIsRefusedAndTheCounterRunsOn)
{
    pads().REPORTPAD();  // Adsız1, counted
    for (int i = 0; i < 9; ++i)
        padItem(5169);
    ASSERT_EQ(pads().APADWINS().size(), 10);
    EXPECT_EQ(padNames().last(), QStringLiteral("Adsız10"));
    padItem(5169);
    EXPECT_EQ(port_.log, QStringList{kLimit});
    EXPECT_EQ(pads().APADWINS().size(), 10);

    // An opened file is refused the same way.
    const QString report = data(QStringLiteral("RAPOR.TXT"));
    writeBytes(report, "rapor\r\n");
    port_.fileNames = {report};
    padItem(5171);
    EXPECT_EQ(port_.log.last(), kLimit);

    PADWIN* third = pads().APADWINS().at(2);
    third->CLOSE();
    EXPECT_EQ(pads().APADWINS().size(), 9);
    EXPECT_FALSE(padNames().contains(QStringLiteral("Adsız3")));
    padItem(5169);
    EXPECT_EQ(padNames().last(), QStringLiteral("Adsız12"));

    // Closing them all ends pad mode; the next stay starts at Adsız1.
    padItem(5174);
    EXPECT_TRUE(pads().APADWINS().isEmpty());
    EXPECT_FALSE(pads().padMode());
    EXPECT_EQ(shownMenu(), w().mainMenu());
    pads().REPORTPAD();
    EXPECT_EQ(padNames(), QStringList{QStringLiteral("Adsız1")});
}

TEST_F(ReportPadTest, CtrlEOpensTheCurrentReportOnceAndAnUnreadableOneNotAtAll)
{
    const QString report = data(QStringLiteral("KARMA.TXT"));
    writeBytes(report, "SATIR 1\r\nSATIR 2\r\n");
    G().CREPORTFILE = report;
    pads().REPORTPAD();
    EXPECT_EQ(padNames(), QStringList{report});
    EXPECT_EQ(plainLines(*pads().activePad()->ODCRICHEDIT->document()), QStringLiteral("SATIR 1\nSATIR 2\n"));
    EXPECT_FALSE(pads().activePad()->LCHANGE());

    // Again: the open pad comes forward, no second one.
    padItem(5169);
    pads().REPORTPAD();
    EXPECT_EQ(padNames(), (QStringList{report, "Adsız1"}));
    EXPECT_EQ(pads().activePad()->windowTitle(), report);
    padItem(5174);

    // A report file that is empty: said so, no pad, main mode again.
    writeBytes(report, "");
    pads().REPORTPAD();
    EXPECT_EQ(port_.log, QStringList{"box 16 Dosya Açma Hatası: " + report + " dosyası açılamıyor..."});
    EXPECT_TRUE(pads().APADWINS().isEmpty());
    EXPECT_FALSE(pads().padMode());
    EXPECT_EQ(shownMenu(), w().mainMenu());

    // A rich-text file that is no rich text is reported the same way.
    port_.log.clear();
    const QString rtf = data(QStringLiteral("BOZUK.RTF"));
    writeBytes(rtf, "not rich text");
    EXPECT_FALSE(pads().RE_DOOPENFILE(rtf));
    EXPECT_EQ(port_.log, QStringList{"box 16 Dosya Açma Hatası: " + rtf + " dosyası açılamıyor..."});
    EXPECT_TRUE(pads().APADWINS().isEmpty());
}

TEST_F(ReportPadTest, DropsOpenReportsUnderTheMainMenuAndRefuseOtherFiles)
{
    const QString zvf = data(QStringLiteral("BROYLER.ZVF"));
    const QString rtf = data(QStringLiteral("NOT.rtf"));
    writeBytes(zvf, "x");
    writeBytes(rtf, "{\\rtf1 Merhaba}");
    dropOn(w(), {QUrl::fromLocalFile(zvf), QUrl::fromLocalFile(data(QStringLiteral("YOK.TXT"))),
                 QUrl::fromLocalFile(rtf)});
    EXPECT_EQ(port_.log, QStringList{"box 16 Hata...: " + zvf + " bir ZEVA rapor dosyası değil..."});
    EXPECT_EQ(padNames(), QStringList{rtf});
    // The main menu stays.
    EXPECT_FALSE(pads().padMode());
    EXPECT_EQ(shownMenu(), w().mainMenu());

    // The same file dropped again brings its pad forward: a second pad
    // would save over the first one's edits.
    port_.log.clear();
    dropOn(w(), {QUrl::fromLocalFile(rtf)});
    EXPECT_EQ(padNames(), QStringList{rtf});
    EXPECT_TRUE(port_.log.isEmpty());
}

TEST_F(ReportPadTest, FilesDroppedOnAPadAreOpenedNotPastedAndAlwaysCopied)
{
    const QString report = data(QStringLiteral("KARMA.TXT"));
    const QString other = data(QStringLiteral("DIGER.TXT"));
    const QString zvf = data(QStringLiteral("BROYLER.ZVF"));
    writeBytes(report, "SATIR 1\r\nSATIR 2\r\n");
    writeBytes(other, "OTEKI\r\n");
    writeBytes(zvf, "x");
    G().CREPORTFILE = report;
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    ASSERT_NE(pad, nullptr);
    QWidget* text = pad->ODCRICHEDIT->viewport();

    // A problem file on the pad's text: refused, the report unchanged.
    EXPECT_EQ(dropOn(*text, {QUrl::fromLocalFile(zvf)}, Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(port_.log, QStringList{"box 16 Hata...: " + zvf + " bir ZEVA rapor dosyası değil..."});
    EXPECT_EQ(plainLines(*pad->ODCRICHEDIT->document()), QStringLiteral("SATIR 1\nSATIR 2\n"));
    EXPECT_FALSE(pad->LCHANGE());

    // A report on the pad's text, or on the pad's ruler: opened in its own
    // pad; a move offered by the sender is answered as a copy.
    port_.log.clear();
    EXPECT_EQ(dropOn(*text, {QUrl::fromLocalFile(other)}, Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(padNames(), (QStringList{report, other}));
    EXPECT_EQ(plainLines(*pad->ODCRICHEDIT->document()), QStringLiteral("SATIR 1\nSATIR 2\n"));
    EXPECT_FALSE(pad->LCHANGE());
    EXPECT_EQ(dropOn(*pad->findChild<QWidget*>(QStringLiteral("PadRuler")), {QUrl::fromLocalFile(report)}),
              Qt::CopyAction);
    EXPECT_EQ(pads().activePad(), pad);
    EXPECT_EQ(dropOn(w(), {QUrl::fromLocalFile(report)}, Qt::MoveAction), Qt::CopyAction);
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
    EXPECT_EQ(QFileInfo(report).size(), 18);

    // Text dragged within the pad is still the pad's own.
    QMimeData words;
    words.setText(QStringLiteral("yeni "));
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(text, &enter);
    QCoreApplication::sendEvent(text, &drop);
    EXPECT_TRUE(plainLines(*pad->ODCRICHEDIT->document()).contains(QStringLiteral("yeni ")));
}

// Qt's own font dialog, shown to the test instead of the user: what it
// offers when it opens, then OK (after `change`, when set).
class SeenFontDialog : public QtPadDialogs {
public:
    QFont offered;
    QStringList shown;  // the family, style and size boxes
    std::function<void(QFontDialog&)> change;

    int run(QDialog& dialog) override
    {
        auto* fonts = qobject_cast<QFontDialog*>(&dialog);
        if (!fonts) {
            ADD_FAILURE() << "not the font dialog";
            return 0;
        }
        offered = fonts->currentFont();
        shown.clear();
        for (QLineEdit* box : fonts->findChildren<QLineEdit*>())
            shown << box->text();
        if (change)
            change(*fonts);
        fonts->accept();
        return fonts->result();
    }
};

TEST_F(ReportPadTest, TheFontDialogOpensOnTheFontOfTheTextAndOkAloneChangesNothing)
{
    SeenFontDialog seen;
    pads().setDialogs(&seen);
    const QString report = data(QStringLiteral("KARMA.TXT"));
    writeBytes(report, "SATIR 1\r\nSATIR 2\r\n");
    G().CREPORTFILE = report;
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    ASSERT_NE(pad, nullptr);
    const rtf::Document before = richTextOf(*pad->ODCRICHEDIT->document());

    // The pad's font as it is drawn: its fixed-pitch family, 12 pixels at 96
    // to the inch are 9 points.
    const QString drawn = QFontInfo(pad->ODCRICHEDIT->document()->defaultFont()).family();
    padItem(5182);  // "&Font"
    EXPECT_EQ(seen.offered.family(), drawn);
    EXPECT_DOUBLE_EQ(seen.offered.pointSizeF(), 9);
    EXPECT_FALSE(seen.offered.bold());
    EXPECT_TRUE(seen.shown.contains(drawn)) << seen.shown.join('|').toStdString();
    EXPECT_TRUE(seen.shown.contains(QStringLiteral("9"))) << seen.shown.join('|').toStdString();
    EXPECT_EQ(richTextOf(*pad->ODCRICHEDIT->document()), before);
    EXPECT_FALSE(pad->ODCRICHEDIT->currentCharFormat().hasProperty(QTextFormat::FontFamilies));
    EXPECT_FALSE(pad->LCHANGE());

    // Text typed after it keeps the pad's font, and a rich-text save names it.
    QTest::keyClicks(pad->ODCRICHEDIT, QStringLiteral("ek"));
    const QString saved = data(QStringLiteral("KARMA.RTF"));
    dialogs_.saveAs = {{saved, 2}};
    pads().setDialogs(&dialogs_);
    padItem(5177);
    const QByteArray rtfBytes = bytes(saved);
    EXPECT_FALSE(rtfBytes.contains("Sans Serif")) << rtfBytes.constData();
    EXPECT_TRUE(rtfBytes.contains("Courier New")) << rtfBytes.constData();
    pads().setDialogs(&seen);

    // A rich-text run: its own family, size and colour are offered, and are
    // kept; a new size changes the size alone.
    const QString rtf = data(QStringLiteral("NOT.RTF"));
    writeBytes(rtf, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}"
                    "\\f0\\fs28\\b\\cf1 Kal\\'fdn\\par}");
    ASSERT_TRUE(pads().RE_DOOPENFILE(rtf));
    PADWIN* rich = pads().activePad();
    ASSERT_EQ(rich->windowTitle(), rtf);
    const rtf::Document original = richTextOf(*rich->ODCRICHEDIT->document());
    QTextCursor onTheRun(rich->ODCRICHEDIT->document());
    onTheRun.setPosition(2);
    rich->ODCRICHEDIT->setTextCursor(onTheRun);
    padItem(5182);
    EXPECT_EQ(seen.offered.family(), QFontInfo(QFont(QStringLiteral("Arial"))).family());
    EXPECT_DOUBLE_EQ(seen.offered.pointSizeF(), 14);
    EXPECT_TRUE(seen.offered.bold());
    EXPECT_EQ(richTextOf(*rich->ODCRICHEDIT->document()), original);
    EXPECT_FALSE(rich->LCHANGE());

    seen.change = [](QFontDialog& d) {
        QFont f = d.currentFont();
        f.setPointSize(20);
        d.setCurrentFont(f);
    };
    rich->ODCRICHEDIT->selectAll();
    padItem(5182);
    const rtf::Document changed = richTextOf(*rich->ODCRICHEDIT->document());
    ASSERT_EQ(changed.paragraphs.value(0).runs.size(), 1);
    const rtf::CharFormat f = changed.paragraphs[0].runs[0].format;
    const rtf::CharFormat was = original.paragraphs[0].runs[0].format;
    EXPECT_EQ(f.halfPoints, 40);
    EXPECT_EQ(f.family, was.family);
    EXPECT_TRUE(f.bold);
    EXPECT_EQ(f.rgb, was.rgb);
    EXPECT_TRUE(rich->LCHANGE());
}

TEST_F(ReportPadTest, EveryFileOpensAtItsStart)
{
    showActive();
    QByteArray text;
    for (int i = 1; i <= 300; ++i)
        text += "SATIR " + QByteArray::number(i) + QByteArray(150, ' ') + "|\r\n";
    const QString report = data(QStringLiteral("UZUN.TXT"));
    writeBytes(report, text);
    const QString dropped = data(QStringLiteral("UZUN2.TXT"));
    writeBytes(dropped, text);
    const QString rtf = data(QStringLiteral("UZUN.RTF"));
    QByteArray rich = "{\\rtf1\\ansi ";
    for (int i = 1; i <= 300; ++i)
        rich += "SATIR " + QByteArray::number(i) + "\\par ";
    writeBytes(rtf, rich + "}");

    const struct {
        const char* way;
        QString file;
        std::function<void()> open;
    } cases[] = {
        {"Ctrl+E", report, [&] { QTest::keyClick(&w(), Qt::Key_E, Qt::ControlModifier); }},
        {"Aç", rtf, [&] { port_.fileNames = {rtf}; padItem(5171); }},
        {"drop", dropped, [&] { dropOn(*w().mdiArea()->viewport(), {QUrl::fromLocalFile(dropped)}); }},
    };
    G().CREPORTFILE = report;
    for (const auto& c : cases) {
        c.open();
        QCoreApplication::processEvents();
        PADWIN* pad = pads().activePad();
        ASSERT_NE(pad, nullptr) << c.way;
        ASSERT_EQ(pad->windowTitle(), c.file) << c.way;
        QTextEdit* edit = pad->ODCRICHEDIT;
        EXPECT_EQ(edit->textCursor().position(), 0) << c.way;
        EXPECT_EQ(edit->verticalScrollBar()->value(), 0) << c.way;
        EXPECT_EQ(edit->horizontalScrollBar()->value(), 0) << c.way;
        EXPECT_TRUE(edit->viewport()->rect().contains(edit->cursorRect())) << c.way;
    }
    EXPECT_FALSE(port_.log.join('\n').contains(QStringLiteral("box"))) << port_.log.join('\n').toStdString();
}

TEST_F(ReportPadTest, ClosingTheLastPadRebuildsTheMainMenu)
{
    const QString report = data(QStringLiteral("RAPOR.TXT"));
    writeBytes(report, "rapor\r\n");
    const struct {
        const char* name;
        bool open;
        bool formula;
        bool addFormula;
    } cases[] = {
        {"problem and formula", true, true, true},
        {"problem, no formula", true, false, false},
        {"no problem", false, true, false},
    };
    for (const auto& c : cases) {
        G().reset();
        if (c.open)
            G().OPROBSERVER = std::make_shared<ProblemServer>(data(QStringLiteral("K.ZVF")), newProblemTable(1));
        if (c.formula)
            G().AKMMDATA = {{QStringLiteral("HP"), QStringLiteral("    18.0000")}};
        ShellMenu* before = w().mainMenu();
        pads().DROP({report});
        ASSERT_EQ(pads().APADWINS().size(), 1) << c.name;
        pads().APADWINS().first()->CLOSE();
        EXPECT_TRUE(pads().APADWINS().isEmpty());
        EXPECT_NE(w().mainMenu(), before) << c.name;
        EXPECT_EQ(shownMenu(), w().mainMenu()) << c.name;
        EXPECT_EQ(w().mainMenu()->isEnabled(3564), c.addFormula) << c.name;
        // The menu state came from the problem: no problem, no entry items.
        EXPECT_EQ(w().mainMenu()->isEnabled(3530), c.open) << c.name;
        // The logon was off at start: the user items stay greyed.
        EXPECT_FALSE(w().mainMenu()->isEnabled(3587));
        EXPECT_FALSE(w().mainMenu()->isEnabled(3588));
    }
}


const QString kSaveQuestion =
    QStringLiteral(" Dosyasındaki metin değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");

TEST_F(ReportPadTest, UntitledSaveCancelledOrRefusedKeepsTheEdits)
{
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    typeInto(pad, QStringLiteral("önemli not"));
    ASSERT_TRUE(pad->LCHANGE());

    // "&Kaydet" on an untitled pad asks for a name; cancelled, nothing is saved.
    dialogs_.saveAs = {{}};
    padItem(5176);
    EXPECT_EQ(dialogs_.log, QStringList{"saveAs Farklı Kaydet Data Adsız1 [*.TXT *.RTF]"});
    EXPECT_TRUE(pad->LCHANGE());
    EXPECT_TRUE(pads().padMenu()->isEnabled(5176));

    // So closing still asks; Cancel keeps the pad.
    port_.replies = {REPLY_CANCEL};
    padItem(5173);
    EXPECT_EQ(port_.log, QStringList{"box 35 Uyarı...: Adsız1" + kSaveQuestion});
    EXPECT_EQ(pads().APADWINS(), QList<PADWIN*>{pad});

    // "Yes", then a name that exists and the overwrite refused: the pad stays.
    const QString existing = data(QStringLiteral("VAR.TXT"));
    writeBytes(existing, "eski");
    port_.log.clear();
    port_.replies = {REPLY_YES, REPLY_NO};
    dialogs_.saveAs = {{existing, 1}};
    padItem(5173);
    EXPECT_EQ(port_.log, (QStringList{"box 35 Uyarı...: Adsız1" + kSaveQuestion,
                                      "box 36 Uyarı...: " + existing
                                          + " Dosyası mevcut.\n\nÜzerine yazılmasını istiyor musunuz?"}));
    EXPECT_EQ(bytes(existing), QByteArray("eski"));
    EXPECT_EQ(pads().APADWINS(), QList<PADWIN*>{pad});
    EXPECT_TRUE(pad->LCHANGE());
    EXPECT_TRUE(pads().padMode());

    // "Yes" and a new name: saved, the pad closes, pad mode ends.
    port_.log.clear();
    port_.replies = {REPLY_YES};
    dialogs_.saveAs = {{data(QStringLiteral("yeni")), 1}};
    padItem(5173);
    EXPECT_EQ(bytes(data(QStringLiteral("yeni.TXT"))), QByteArray("\xf6nemli not"));
    EXPECT_TRUE(pads().APADWINS().isEmpty());
    EXPECT_FALSE(pads().padMode());
    EXPECT_EQ(port_.log.last(), QStringLiteral("status: Dosya başarıyla kaydedildi!"));
    EXPECT_TRUE(port_.allAnswersUsed());
}

TEST_F(ReportPadTest, FailedWritesAreReportedAndKeepTheFlag)
{
    const QString report = data(QStringLiteral("RAPOR.TXT"));
    writeBytes(report, "bir\r\n");
    G().CREPORTFILE = report;
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    typeInto(pad, QStringLiteral("iki"));

    testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
    padItem(5176);
    EXPECT_EQ(port_.log, QStringList{"box 16 Hata...: " + report + " dosyası kaydedilemedi..."});
    EXPECT_TRUE(pad->LCHANGE());
    EXPECT_EQ(bytes(report), QByteArray("bir\r\n"));

    // "Yes" to the save question and the write fails: the pad stays.
    port_.log.clear();
    port_.replies = {REPLY_YES};
    testhooks::failAtomicWrite(testhooks::WriteFault::Write);
    pad->CLOSE();
    EXPECT_EQ(port_.log.last(), "box 16 Hata...: " + report + " dosyası kaydedilemedi...");
    EXPECT_EQ(pads().APADWINS(), QList<PADWIN*>{pad});

    // A rich-text save that fails the same way.
    port_.log.clear();
    dialogs_.saveAs = {{data(QStringLiteral("zengin")), 2}};
    testhooks::failAtomicWrite(testhooks::WriteFault::Write);
    padItem(5177);
    EXPECT_EQ(port_.log, QStringList{"box 16 Hata...: " + data(QStringLiteral("zengin.RTF"))
                                     + " dosyası kaydedilemedi..."});
    EXPECT_EQ(pad->windowTitle(), report);
    EXPECT_FALSE(QFile::exists(data(QStringLiteral("zengin.RTF"))));

    // And then one that works.
    port_.log.clear();
    padItem(5176);
    EXPECT_EQ(bytes(report), QByteArray("bir\r\niki"));
    EXPECT_FALSE(pad->LCHANGE());
    EXPECT_FALSE(pads().padMenu()->isEnabled(5176));
}

// A later solve rewrites the report while its pad is open: "&Kaydet", the
// closing question's Yes, a second pad on the same file and "Farklı Kaydet"
// onto it all ask before they write over it, and No keeps the pad, its
// edits and the solve's report.
TEST_F(ReportPadTest, AReportRewrittenSinceThePadOpenedItIsNotWrittenOverUnasked)
{
    const QString report = data(QStringLiteral("BROYLER.TXT"));
    writeBytes(report, "ilk \xe7\xf6z\xfcm\r\n");
    G().CREPORTFILE = report;
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    typeInto(pad, QStringLiteral("not"));

    const QByteArray solved("ikinci \xe7\xf6z\xfcm\r\nTOPLAM\r\n");
    ASSERT_TRUE(writeFileAtomically(report, solved));  // as the solve writes it
    const QString changed = "box 308 Uyarı...: " + report
                            + " Dosyası rapor editöründe açıldıktan sonra diskte değiştirilmiş.\n\nÜzerine "
                              "yazarsanız dosyadaki bu değişiklikler kaybolacak. Üzerine yazılmasını istiyor musunuz?";

    port_.replies = {REPLY_NO};
    padItem(5176);  // "&Kaydet"
    EXPECT_EQ(port_.log, QStringList{changed});
    EXPECT_EQ(bytes(report), solved);
    EXPECT_TRUE(pad->LCHANGE());
    EXPECT_TRUE(pads().padMenu()->isEnabled(5176));

    // Closing: Yes to the save question, No to writing over: the pad stays.
    port_.log.clear();
    port_.replies = {REPLY_YES, REPLY_NO};
    padItem(5173);  // "Ka&pat"
    EXPECT_EQ(port_.log, (QStringList{"box 35 Uyarı...: " + report + kSaveQuestion, changed}));
    EXPECT_EQ(bytes(report), solved);
    EXPECT_EQ(pads().APADWINS(), QList<PADWIN*>{pad});

    // "Farklı Kaydet" onto the same file: it exists, and it changed.
    port_.log.clear();
    port_.replies = {REPLY_YES, REPLY_NO};
    dialogs_.saveAs = {{report, 1}};
    padItem(5177);
    EXPECT_EQ(port_.log, (QStringList{"box 36 Uyarı...: " + report
                                          + " Dosyası mevcut.\n\nÜzerine yazılmasını istiyor musunuz?",
                                      changed}));
    EXPECT_EQ(bytes(report), solved);

    // Told, the user writes over it; the next save asks nothing more.
    port_.log.clear();
    port_.replies = {REPLY_YES};
    padItem(5176);
    EXPECT_EQ(port_.log, (QStringList{changed, "status: Dosya başarıyla kaydedildi!"}));
    EXPECT_EQ(bytes(report), QByteArray("ilk \xe7\xf6z\xfcm\r\nnot"));
    EXPECT_FALSE(pad->LCHANGE());
    port_.log.clear();
    typeInto(pad, QStringLiteral("!"));
    padItem(5176);
    EXPECT_EQ(port_.log, QStringList{"status: Dosya başarıyla kaydedildi!"});

    // A second pad on the file (a drop opens one): the first saves, and the
    // second does not write over that unasked.
    ASSERT_TRUE(pads().RE_DOOPENFILE(report));
    PADWIN* second = pads().activePad();
    ASSERT_NE(second, pad);
    typeInto(pad, QStringLiteral("?"));
    pad->RTFSAVE();
    const QByteArray firstSaved = bytes(report);
    typeInto(second, QStringLiteral("ek"));
    port_.log.clear();
    port_.replies = {REPLY_NO};
    padItem(5176);
    EXPECT_EQ(port_.log, QStringList{changed});
    EXPECT_EQ(bytes(report), firstSaved);
    EXPECT_TRUE(port_.allAnswersUsed());
}

TEST_F(ReportPadTest, SaveAsChoosesTheFormatByExtensionOrFilter)
{
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    pad->ODCRICHEDIT->setPlainText(QStringLiteral("Başlık\tdeğer"));
    QTextCursor c(pad->ODCRICHEDIT->document());
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    pad->ODCRICHEDIT->setTextCursor(c);
    pad->ODCRICHEDIT->SETBOLD();
    padItem(5187);  // "&Orta"

    const struct {
        const char* typed;
        int filter;
        const char* saved;
        bool rich;
    } cases[] = {
        {"a", 2, "a.RTF", true},
        {"b.rtf", 1, "b.rtf", true},
        {"c", 1, "c.TXT", false},
        {"d.doc", 2, "d.doc", false},
    };
    for (const auto& k : cases) {
        dialogs_.saveAs = {{data(QString::fromLatin1(k.typed)), k.filter}};
        ASSERT_TRUE(pad->RTFSAVEAS()) << k.typed;
        const QString saved = data(QString::fromLatin1(k.saved));
        EXPECT_EQ(pad->windowTitle(), saved);
        EXPECT_EQ(pad->CFNAME, saved);
        const QByteArray b = bytes(saved);
        EXPECT_EQ(b.startsWith("{\\rtf1\\ansi\\ansicpg1254"), k.rich) << k.typed;
        if (!k.rich) {
            EXPECT_EQ(b, QByteArray("Ba\xfel\xfdk\tde\xf0" "er")) << k.typed;
        }
    }

    // The rich text reads back with its bold and its centring.
    dialogs_.saveAs.clear();
    ASSERT_TRUE(pads().RE_DOOPENFILE(data(QStringLiteral("a.RTF"))));
    PADWIN* back = pads().activePad();
    ASSERT_NE(back, pad);
    const QTextBlock block = back->ODCRICHEDIT->document()->begin();
    EXPECT_EQ(block.text(), QStringLiteral("Başlık\tdeğer"));
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_GE(block.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(block.begin().fragment().charFormat().fontFamilies().toStringList().value(0),
              QStringLiteral("Courier New"));

    // "&Kaydet" after "Farklı Kaydet" writes to the new name by its extension.
    typeInto(pad, QStringLiteral("!"));
    padItem(5176);  // the active pad is `back`, unchanged: greyed
    w().mdiArea()->setActiveSubWindow(pad);
    padItem(5176);
    EXPECT_TRUE(bytes(data(QStringLiteral("d.doc"))).endsWith("er!"));
    EXPECT_TRUE(port_.allAnswersUsed());
}

TEST_F(ReportPadTest, CharactersWithoutA1254ByteAreWarnedAboutBeforeATextSave)
{
    const QString report = data(QStringLiteral("R.TXT"));
    writeBytes(report, "a");
    pads().RE_DOOPENFILE(report);
    PADWIN* pad = pads().activePad();
    typeInto(pad, QStringLiteral(" ā €"));
    port_.replies = {REPLY_NO};
    EXPECT_FALSE(pad->RTFSAVE());
    EXPECT_EQ(port_.log, QStringList{QStringLiteral("box 52 Uyarı...: Metindeki şu karakterler metin dosyasına "
                                                    "yazılamaz: ā\n\nYerlerine \"?\" yazılacak. Yine de kaydetmek "
                                                    "istiyor musunuz?")});
    EXPECT_EQ(bytes(report), QByteArray("a"));
    EXPECT_TRUE(pad->LCHANGE());
    port_.replies = {REPLY_YES};
    EXPECT_TRUE(pad->RTFSAVE());
    EXPECT_EQ(bytes(report), QByteArray("a ? \x80"));
}

TEST_F(ReportPadTest, ARichTextSaveWarnsBeforeItDropsWhatThePadCouldNotShow)
{
    const QString file = data(QStringLiteral("RESIMLI.RTF"));
    writeBytes(file, "{\\rtf1 {\\header Ust bilgi}Metin{\\pict\\bin2 xy}}");
    ASSERT_TRUE(pads().RE_DOOPENFILE(file));
    PADWIN* pad = pads().activePad();
    EXPECT_EQ(pad->skippedContent(), (QStringList{"header", "pict"}));
    typeInto(pad, QStringLiteral("!"));
    const QString question = file
                             + " dosyasında rapor editörünün gösteremediği kısımlar var (resim, nesne, üst ve alt "
                               "bilgi gibi).\n\nKaydederseniz bu kısımlar dosyadan silinecek. Kaydetmek istiyor "
                               "musunuz?";
    port_.replies = {REPLY_NO};
    EXPECT_FALSE(pad->RTFSAVE());
    EXPECT_EQ(port_.log, QStringList{"box 52 Uyarı...: " + question});
    EXPECT_TRUE(bytes(file).contains("\\pict"));

    // Saved under another name the file keeps them, and nothing is asked.
    port_.log.clear();
    dialogs_.saveAs = {{data(QStringLiteral("KOPYA.RTF")), 2}};
    EXPECT_TRUE(pad->RTFSAVEAS());
    EXPECT_TRUE(port_.logLines(QStringLiteral("box")).isEmpty());
    EXPECT_TRUE(bytes(data(QStringLiteral("KOPYA.RTF"))).contains("Metin!"));
}

TEST_F(ReportPadTest, OpenDialogAndTheAlreadyOpenTest)
{
    const QString report = data(QStringLiteral("RAPOR.TXT"));
    writeBytes(report, "x\r\n");
    pads().REPORTPAD();
    port_.fileNames = {report, report, data(QStringLiteral("RAPOR.tx")), QString()};
    writeBytes(data(QStringLiteral("RAPOR.tx")), "y");
    padItem(5171);
    EXPECT_EQ(padNames(), (QStringList{"Adsız1", report}));
    padItem(5171);
    padItem(5171);
    padItem(5171);
    EXPECT_EQ(padNames(), (QStringList{"Adsız1", report}));
    EXPECT_EQ(port_.logLines(QStringLiteral("box")),
              (QStringList{"box 64 Uyarı...: Bu dosya şu anda açık...",
                           "box 16 Hata...: " + data(QStringLiteral("RAPOR.tx")) + " bir ZEVA rapor dosyası değil..."}));
    EXPECT_EQ(port_.logLines(QStringLiteral("open")).size(), 4);
}

TEST_F(ReportPadTest, EscAndTheContextMenuCloseThePad)
{
    showActive();
    pads().REPORTPAD();
    padItem(5169);
    ASSERT_EQ(pads().APADWINS().size(), 2);
    PADWIN* second = pads().activePad();
    second->ODCRICHEDIT->setFocus();
    QTest::keyClick(second->ODCRICHEDIT, Qt::Key_A);
    port_.replies = {REPLY_NO};
    QTest::keyClick(second->ODCRICHEDIT, Qt::Key_Escape);
    EXPECT_EQ(port_.log, QStringList{"box 35 Uyarı...: Adsız2" + kSaveQuestion});
    EXPECT_EQ(padNames(), QStringList{"Adsız1"});

    // The context menu has no file items; its "Ka&pat..." closes the pad.
    PADWIN* first = pads().APADWINS().first();
    ShellMenu* context = first->ODCRICHEDIT->contextMenu();
    for (int id : {5169, 5171, 5176, 5177, 5179})
        EXPECT_EQ(context->action(id), nullptr);
    context->action(1238)->trigger();
    EXPECT_TRUE(pads().APADWINS().isEmpty());
    EXPECT_FALSE(pads().padMode());
}

// A clipboard that holds nothing (a fresh desktop session, or the program
// that copied has ended) pastes nothing, whichever way the paste is asked
// for: the report, its flag and "&Kaydet" stay as they were.
TEST_F(ReportPadTest, AnEmptyClipboardPastesNothing)
{
    const QString report = data(QStringLiteral("BROYLER.TXT"));
    writeBytes(report, "SATIR 1\r\nSATIR 2\r\n");
    G().CREPORTFILE = report;
    showActive();
    QTest::keyClick(&w(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(inPadMode());
    PADWIN* pad = pads().activePad();
    ASSERT_NE(pad, nullptr);
    VQRICHEDIT* edit = pad->ODCRICHEDIT;
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    ShellMenu* menu = pads().padMenu();
    auto* button = qobject_cast<QToolButton*>(menu->toolBar()->widgetForAction(menu->action(5192)));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());

    QClipboard* clipboard = QGuiApplication::clipboard();
    const struct {
        const char* clipboard;
        std::function<void()> empty;
    } states[] = {
        // No owner: the desktop hands out data that has no format at all.
        {"no formats", [&] { clipboard->setMimeData(new QMimeData); }},
        {"cleared", [&] { clipboard->clear(); }},
    };
    const struct {
        const char* route;
        std::function<void()> paste;
    } routes[] = {
        {"Ctrl+V", [&] { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [&] { QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"Yazım > Yapıştır", [&] { padItem(5192); }},
        {"toolbar", [&] { QTest::mouseClick(button, Qt::LeftButton); }},
        {"context menu", [&] { edit->contextMenu()->action(1234)->trigger(); }},
    };
    for (const auto& state : states) {
        for (const auto& route : routes) {
            SCOPED_TRACE(std::string(state.clipboard) + ", " + route.route);
            state.empty();
            edit->moveCursor(QTextCursor::End);
            route.paste();
            QCoreApplication::processEvents();
            EXPECT_EQ(plainLines(*edit->document()), QStringLiteral("SATIR 1\nSATIR 2\n"));
            EXPECT_FALSE(pad->LCHANGE());
            EXPECT_FALSE(menu->isEnabled(5176));
        }
    }

    // Text on the clipboard still pastes.
    clipboard->setText(QStringLiteral("YENİ"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plainLines(*edit->document()), QStringLiteral("SATIR 1\nSATIR 2\nYENİ"));
    EXPECT_TRUE(pad->LCHANGE());
    clipboard->clear();
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
}

TEST_F(ReportPadTest, MarginDialogStartsAtZeroAndSevenAndRefusesMarginsWithoutText)
{
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    const struct {
        const char* left;
        const char* right;
        bool taken;
    } cases[] = {
        {"1", "6", true}, {"0", "10", true}, {"", "3", true},  {"2", "", false},
        {"3", "3", false}, {"5", "2", false}, {"0", "11", false}, {"-1", "5", false},
    };
    for (const auto& c : cases) {
        port_.log.clear();
        pad->NLEFTMARGIN = -1;
        pad->NRIGHTMARGIN = -1;
        bool stayedOpen = false;
        dialogs_.runner = [&](QDialog& d) {
            auto& m = dynamic_cast<MARGINDIALOG&>(d);
            d.open();
            EXPECT_EQ(m.ODCSLELM()->text(), QStringLiteral("0"));
            EXPECT_EQ(m.ODCSLERM()->text(), QStringLiteral("7"));
            m.ODCSLELM()->setText(QString::fromLatin1(c.left));
            m.ODCSLERM()->setText(QString::fromLatin1(c.right));
            m.pbOK()->click();
            stayedOpen = d.isVisible();
            if (stayedOpen)
                m.pbCancel()->click();
            return d.result();
        };
        pad->SETMARGINS();
        EXPECT_EQ(stayedOpen, !c.taken) << c.left << "/" << c.right;
        if (c.taken) {
            EXPECT_EQ(pad->NLEFTMARGIN, QString::fromLatin1(c.left).toInt() * 1440);
            EXPECT_EQ(pad->NRIGHTMARGIN, QString::fromLatin1(c.right).toInt() * 1440);
            const QTextFrameFormat f = pad->ODCRICHEDIT->document()->rootFrame()->frameFormat();
            const double inch = pad->NWIDTH / 10.0;
            EXPECT_DOUBLE_EQ(f.leftMargin(), QString::fromLatin1(c.left).toInt() * inch);
            EXPECT_DOUBLE_EQ(f.rightMargin(), (10 - QString::fromLatin1(c.right).toInt()) * inch);
            EXPECT_TRUE(port_.log.isEmpty());
        } else {
            EXPECT_EQ(pad->NLEFTMARGIN, -1);
            EXPECT_EQ(port_.log.size(), 1);
            EXPECT_TRUE(port_.log.value(0).startsWith(QStringLiteral("box 48 Uyarı...: Marjlar")));
        }
    }
    // Margins are no change of the text.
    EXPECT_FALSE(pad->LCHANGE());
}

TEST_F(ReportPadTest, PadMenuCommandsReachThePadTheManagerAndTheMainWindow)
{
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    pad->ODCRICHEDIT->setPlainText(QStringLiteral("abc"));
    padItem(5194);  // "&Tümünü Seç"
    EXPECT_EQ(pad->ODCRICHEDIT->textCursor().selectedText(), QStringLiteral("abc"));
    padItem(5188);  // "Sa&ğ"
    EXPECT_EQ(pad->ODCRICHEDIT->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    padItem(5191);
    padItem(5190);
    EXPECT_EQ(pad->ODCRICHEDIT->toPlainText(), QString());
    padItem(5192);
    EXPECT_EQ(pad->ODCRICHEDIT->toPlainText(), QStringLiteral("abc"));

    dialogs_.fonts = {{true, QFont(QStringLiteral("Arial"), 14)}};
    padItem(5182);
    EXPECT_EQ(pad->ODCRICHEDIT->currentCharFormat().fontFamilies().toStringList().value(0), QStringLiteral("Arial"));

    padItem(5180);
    EXPECT_EQ(dialogs_.log.last(), QStringLiteral("printerSetup"));
    padItem(5179);  // the print dialog cancelled
    EXPECT_EQ(dialogs_.log.last(), QStringLiteral("print"));

    // The window commands reach the main window: tile sets the two pads side
    // by side over the whole area, cascade steps them with a usable size.
    showActive();
    padItem(5169);
    ASSERT_EQ(pads().APADWINS().size(), 2);
    const QRect area = w().mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> windows = w().mdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(windows.size(), 2);
    padItem(5198);  // "&Diz..."
    const QRect a = windows.at(0)->geometry();
    const QRect b = windows.at(1)->geometry();
    EXPECT_FALSE(a.intersects(b));
    EXPECT_TRUE(area.contains(a));
    EXPECT_TRUE(area.contains(b));
    EXPECT_GE(a.width() * a.height() + b.width() * b.height(), area.width() * area.height() * 9 / 10);
    padItem(5196);  // "&Küçült"
    const QRect below = windows.at(0)->geometry();
    const QRect top = windows.at(1)->geometry();
    EXPECT_EQ(below.topLeft(), area.topLeft());
    EXPECT_GT(top.y(), below.y());
    EXPECT_GT(top.x(), below.x());
    EXPECT_EQ(top.size(), below.size());
    EXPECT_TRUE(area.contains(top));
    EXPECT_GE(top.width(), area.width() / 2);
    EXPECT_GE(top.height(), area.height() / 2);
    EXPECT_EQ(w().mdiArea()->activeSubWindow(), windows.at(1));
}

// The dialog's texts show whole in the substitute fonts.
TEST_F(ReportPadTest, MarginDialogShowsItsTextsWhole)
{
    pads().REPORTPAD();
    MARGINDIALOG dialog(pads().activePad(), nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sayfa Marjı"));
    for (int id : {100, 101}) {
        auto* label = qobject_cast<QLabel*>(dialog.control(id));
        ASSERT_NE(label, nullptr);
        const QRect box(QPoint(0, 0), label->size());
        const QRect need =
            label->fontMetrics().boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
        EXPECT_LE(need.height(), box.height()) << label->text().toStdString();
    }
    for (QPushButton* b : {dialog.pbOK(), dialog.pbCancel()})
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))), b->width());
    for (QLineEdit* e : {dialog.ODCSLELM(), dialog.ODCSLERM()})
        EXPECT_GE(e->height(), e->fontMetrics().height());
}

// The pad gives its focus to its edit control when it becomes active, and
// leaves it alone otherwise: a dialog or another pad keeps what it has.
TEST_F(ReportPadTest, TheFocusGoesIntoTheEditOfTheActivePad)
{
    showActive();
    pads().REPORTPAD();
    PADWIN* first = pads().activePad();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(first->ODCRICHEDIT));
    padItem(5169);
    PADWIN* second = pads().activePad();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(second->ODCRICHEDIT));
    w().mdiArea()->setActiveSubWindow(first);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(first->ODCRICHEDIT));

    // The pad menu's keys: Ctrl+X and Ctrl+V reach the pad, F1 the main window.
    QTest::keyClicks(first->ODCRICHEDIT, QStringLiteral("abc"));
    padItem(5194);
    QTest::keyClick(first->ODCRICHEDIT, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(first->ODCRICHEDIT->toPlainText(), QString());
    QTest::keyClick(first->ODCRICHEDIT, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(first->ODCRICHEDIT->toPlainText(), QStringLiteral("abc"));
    EXPECT_TRUE(port_.log.isEmpty());
    QTest::keyClick(first->ODCRICHEDIT, Qt::Key_F1);
    ASSERT_EQ(port_.log.size(), 1);
    EXPECT_TRUE(port_.log.first().contains(QStringLiteral("Zeva.chm"))) << port_.log.first().toStdString();
}

// The ruler band stays 25 pixels high above the edit whatever the pad's size;
// its page ends at the 10-inch line, and text wraps there.
TEST_F(ReportPadTest, TheRulerStaysAboveTheEdit)
{
    showActive();
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    EXPECT_EQ(pad->NWIDTH, 10 * pad->logicalDpiX());
    EXPECT_EQ(pad->ODCRICHEDIT->lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(pad->ODCRICHEDIT->lineWrapColumnOrWidth(), pad->NWIDTH);
    auto* ruler = pad->findChild<PadRuler*>();
    ASSERT_NE(ruler, nullptr);
    for (const QSize size : {QSize(700, 500), QSize(300, 120)}) {
        pad->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(ruler->height(), 25);
        EXPECT_EQ(pad->ODCRICHEDIT->mapTo(pad, QPoint(0, 0)).y(), ruler->mapTo(pad, QPoint(0, 25)).y());
        EXPECT_EQ(ruler->width(), pad->ODCRICHEDIT->width());
    }
}

// The ruler's drawing: the white page up to NWIDTH under a black line, the
// page edge, the grey beyond, and at every inch its number with a mark half
// an inch before it.
TEST_F(ReportPadTest, TheRulerDrawsThePageAndItsInches)
{
    showActive();
    pads().REPORTPAD();
    PADWIN* pad = pads().activePad();
    pad->resize(1300, 300);
    QCoreApplication::processEvents();
    auto* ruler = pad->findChild<PadRuler*>();
    ASSERT_NE(ruler, nullptr);
    const int n = pad->NWIDTH;
    const int inch = n / 10;
    const int half = inch / 2;
    ASSERT_GT(ruler->width(), n + 40) << "the page edge is in sight";
    const QImage drawn = ruler->grab().toImage();
    ASSERT_EQ(drawn.height(), 25);

    const QColor white(255, 255, 255);
    const QColor grey(127, 127, 127);
    const QColor light(191, 191, 191);
    const struct {
        int x, y;
        QColor colour;
        const char* what;
    } pixels[] = {
        {1, 12, grey, "the band's left edge"},
        {n / 2, 3, grey, "the band's top edge"},
        {n / 2, 23, grey, "the band's bottom edge"},
        {n / 2, 24, white, "the white line under the band"},
        {2, 4, Qt::black, "the page's top line, from its start"},
        {n, 4, Qt::black, "the page's top line, to NWIDTH"},
        {n + 1, 4, white, "the white line beyond the page"},
        {n + 1, 5, grey, "the page edge, top"},
        {n + 1, 22, grey, "the page edge, bottom"},
        {n + 2, 12, light, "beyond the page"},
        {ruler->width() - 2, 12, light, "beyond the page, to the band's end"},
        {n - 2, 12, white, "the page before its edge"},
        {half + 20, 12, white, "the page between a mark and its number"},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(drawn.pixelColor(p.x, p.y).name().toStdString(), p.colour.name().toStdString())
            << p.what << " at " << p.x << "," << p.y;

    // Ink: a pixel of text, darker than the light grey beyond the page (the
    // text is smoothed, so its edges are grey).
    auto ink = [&](const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += drawn.pixelColor(x, y).lightness() < 180;
        return count;
    };
    const int top = 5;
    const int bottom = 22;
    // The marks go on beyond the page (11 and up) to the band's end.
    ASSERT_GT(ruler->width(), 11 * inch + 12);
    for (int k = 1; k * inch + 12 < ruler->width(); ++k) {
        const int x = k * inch;
        EXPECT_GT(ink(QRect(QPoint(x + 2, top), QPoint(x + 12, bottom))), 4) << "the number " << k;
        EXPECT_GT(ink(QRect(QPoint(x - half - 1, top), QPoint(x - half + 3, bottom))), 4) << "the mark before " << k;
        EXPECT_EQ(ink(QRect(QPoint(x - half + 6, top), QPoint(x - 2, bottom))), 0) << "between the mark and " << k;
    }
}

}  // namespace
}  // namespace zeva
