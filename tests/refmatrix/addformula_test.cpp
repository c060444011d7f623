// The solved formula appended to MATKUMAD.DBF: the append and its refusals,
// the window's gating of "Ekle", and the whole road from the menu on the
// broiler example.
#include "refmatrix/drymatter.h"

#include "core/activeproblem.h"
#include "core/problemtestutil.h"
#include "core/ui/paramdialogs.h"
#include "editing/barrayserver.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"
#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogtemplate.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/refmatrixedit.h"
#include "refmatrix/reftables.h"
#include "refmatrix/ui/addkmmwin.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "reftestutil.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/agree.h"
#include "support/fakeport.h"
#include "support/programenv.h"
#include "support/sampledata.h"
#include "support/tempdir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;

class AddFormulaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().CDATAPATH = tmp_.path();
        ASSERT_TRUE(test::writeReference(table(), {QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("ME")},
                                         {QStringLiteral("%"), QStringLiteral("g/Kg"), QStringLiteral("MCal/Kg")},
                                         {{QStringLiteral("ARPA"), QStringLiteral("9"), {"89", "124", "3.1"}}}));
        G().ABMNAMES = {QStringLiteral("AGIRLIK"), QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("ME")};
        G().ABMUNITS = {QStringLiteral("Kg/Kg"), QStringLiteral("%"), QStringLiteral("%"), QStringLiteral("KCal/Kg")};
        G().AKMMDATA = {{QStringLiteral("AGIRLIK"), PadL(QStringLiteral("1.0000"), 11)},
                        {QStringLiteral("KMO"), PadL(QStringLiteral("88.0000"), 11)},
                        {QStringLiteral("HP"), PadL(QStringLiteral("18.0000"), 11)},
                        {QStringLiteral("ME"), PadL(QStringLiteral("2800.0000"), 11)}};
        before_ = test::fileBytes(table());
    }
    void TearDown() override
    {
        setReferenceTableHeldCheck({});
        testhooks::clearAtomicWriteFault();
        G().reset();
    }
    QString table() const { return tmp_.file(QStringLiteral("MATKUMAD.DBF")); }
    ConvRows calculated()
    {
        FakePort port;
        ConvRows rows = GET_DON_DIZ(port);
        EXPECT_TRUE(PBHESAP(port, rows));
        EXPECT_TRUE(port.log.isEmpty());
        return rows;
    }

    test::TempDir tmp_;
    QByteArray before_;
};

TEST_F(AddFormulaTest, AppendsOneRecordWithTheConvertedCells)
{
    const ConvRows rows = calculated();
    FakePort port;
    port.replies = {REPLY_YES};
    EXPECT_EQ(appendFormula(port, QStringLiteral("BROYLER 1 "), rows, true), AppendOutcome::Appended);
    EXPECT_EQ(port.boxTexts(BOX_YESNO_EXCLAMATION), QStringList{kAppendQuestion});
    EXPECT_EQ(port.boxTexts(BOX_INFO), QStringList{kAppendDoneText});

    const DbfTable t = test::readTable(table());
    ASSERT_EQ(t.liveRecords().size(), 3);
    const int rec = t.liveRecords().last();
    EXPECT_EQ(t.value(rec, QStringLiteral("YM_ADI")), PadR(QStringLiteral("BROYLER 1 "), 25));
    EXPECT_EQ(t.value(rec, QStringLiteral("FIATI")), blankCell());
    EXPECT_EQ(t.value(rec, QStringLiteral("KMO")), PadR(QStringLiteral("88.0000"), 11));
    EXPECT_EQ(t.value(rec, QStringLiteral("HP")), QStringLiteral("   204.5455"));
    EXPECT_EQ(t.value(rec, QStringLiteral("ME")), QStringLiteral("     3.1818"));
    // The rows before it are as they were.
    EXPECT_EQ(AllTrim(t.value(t.liveRecords().at(1), 0)), QStringLiteral("ARPA"));
    EXPECT_EQ(t.value(t.liveRecords().at(1), QStringLiteral("HP")), PadL(QStringLiteral("124.0000"), 11));
}

TEST_F(AddFormulaTest, RefusalsWriteNothing)
{
    const ConvRows rows = calculated();
    ConvRows renamed = rows;
    renamed[2].SLE_NAME2 = QStringLiteral("YM_ADI");
    ConvRows unknown = rows;
    unknown[1].SLE_NAME2 = QStringLiteral("XYZ");

    struct Case {
        const char* what;
        QString name;
        ConvRows rows;
        bool calculated;
        bool held;
        QList<int> replies;
        AppendOutcome outcome;
        int boxType;  // 0: no box
        QString text;
    };
    const Case cases[] = {
        {"empty name", QStringLiteral("   "), rows, true, false, {}, AppendOutcome::NoName, 0, {}},
        {"not calculated", QStringLiteral("YEM"), rows, false, false, {}, AppendOutcome::Refused, BOX_WARNING,
         kNotCalculatedText},
        {"table held", QStringLiteral("YEM"), rows, true, true, {}, AppendOutcome::Refused, BOX_WARNING, kReferenceWindowOpen},
        {"answer No", QStringLiteral("YEM"), rows, true, false, {REPLY_NO}, AppendOutcome::Declined,
         BOX_YESNO_EXCLAMATION, kAppendQuestion},
        {"name field", QStringLiteral("YEM"), renamed, true, false, {REPLY_YES}, AppendOutcome::Refused, BOX_WARNING,
         {}},
        {"unknown field", QStringLiteral("YEM"), unknown, true, false, {REPLY_YES}, AppendOutcome::Refused,
         BOX_WARNING, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setReferenceTableHeldCheck(c.held ? ReferenceTableHeldCheck([](const QString& t) { return t == kDryMatterTable; })
                                          : ReferenceTableHeldCheck());
        FakePort port;
        port.replies = c.replies;
        EXPECT_EQ(appendFormula(port, c.name, c.rows, c.calculated), c.outcome);
        if (c.boxType == 0) {
            EXPECT_TRUE(port.log.isEmpty());
        } else {
            ASSERT_FALSE(port.boxes.isEmpty());
            EXPECT_EQ(port.boxes.last().type, c.boxType);
            if (!c.text.isEmpty()) {
                EXPECT_EQ(port.boxes.last().text, c.text);
            }
        }
        EXPECT_TRUE(port.boxTexts(BOX_INFO).isEmpty());
        EXPECT_EQ(test::fileBytes(table()), before_);
    }
    // The warning names the field.
    FakePort port;
    port.replies = {REPLY_YES};
    appendFormula(port, QStringLiteral("YEM"), renamed, true);
    EXPECT_TRUE(port.boxTexts(BOX_WARNING).value(0).contains(QStringLiteral("YM_ADI")));
}

TEST_F(AddFormulaTest, AFailedWriteIsReportedAndKeepsTheTable)
{
    const ConvRows rows = calculated();
    for (auto fault : {testhooks::WriteFault::Write, testhooks::WriteFault::Rename}) {
        testhooks::failAtomicWrite(fault);
        FakePort port;
        port.replies = {REPLY_YES};
        EXPECT_EQ(appendFormula(port, QStringLiteral("YEM"), rows, true), AppendOutcome::WriteFailed);
        EXPECT_EQ(port.boxTexts(BOX_ERROR).size(), 1);
        EXPECT_TRUE(port.boxTexts(BOX_INFO).isEmpty());
        EXPECT_EQ(test::fileBytes(table()), before_);
    }
    // A table that cannot be read.
    QFile::remove(table());
    FakePort port;
    port.replies = {REPLY_YES};
    EXPECT_EQ(appendFormula(port, QStringLiteral("YEM"), rows, true), AppendOutcome::OpenFailed);
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{kAppendOpenText});
}

TEST_F(AddFormulaTest, TheWindowGatesEkleUntilHesaplaSucceeds)
{
    FakePort port;
    STANDARDSHELLWINDOW w(nullptr, &port);
    installReferenceMatrixCommands(w);

    // Every text of the window shows whole.
    {
        ADD_KMM_WIN* shown = BUCOZ_EKLE(w);
        ASSERT_NE(shown, nullptr);
        w.show();
        QApplication::processEvents();
        for (QLabel* l : shown->findChildren<QLabel*>())
            EXPECT_TRUE(labelTextFits(l)) << l->text().toStdString();
        for (QPushButton* b : shown->findChildren<QPushButton*>())
            EXPECT_GE(b->contentsRect().width(), b->fontMetrics().horizontalAdvance(b->text().remove('&')))
                << b->text().toStdString();
        for (int c = 0; c < shown->browser()->model()->columnCount(); ++c) {
            const QString caption = shown->browser()->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_GE(shown->browser()->columnWidth(c), shown->browser()->fontMetrics().horizontalAdvance(caption))
                << caption.toStdString();
        }
        // Every column shows whole inside the grid, its caption and its
        // values, also with the vertical scroll bar of a long formula.
        BARRAYSERVER* rows = shown->server();
        for (int i = 0; i < 30; ++i) {
            rows->Append();
            rows->FieldPut(QStringLiteral("SLE_NAME1"), QStringLiteral("METISIST"));
            rows->FieldPut(QStringLiteral("SLE_UNIT1"), QStringLiteral("    MCal/Kg"));
            rows->FieldPut(QStringLiteral("SLE_VALUE2"), QStringLiteral("88888.8888"));
        }
        QApplication::processEvents();
        OABS_BROWSER* grid = shown->browser();
        ASSERT_TRUE(grid->verticalScrollBar()->isVisible());
        EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
        QHeaderView* header = grid->horizontalHeader();
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            const QString caption = grid->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_LE(grid->columnViewportPosition(c) + grid->columnWidth(c), grid->viewport()->width())
                << caption.toStdString();
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << caption.toStdString();
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                const QString text = grid->model()->index(r, c).data().toString().trimmed();
                EXPECT_GE(grid->columnWidth(c), grid->fontMetrics().horizontalAdvance(text) + 4) << text.toStdString();
            }
        }
        shown->PBIPTAL();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w.hide();
    }

    // Without a row paired with KMO: the error, and "Ekle" stays disabled.
    G().AKMMDATA.removeAt(1);
    ADD_KMM_WIN* win = BUCOZ_EKLE(w);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->server()->LastRec(), 2);
    win->pbHesap->click();
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{kNoKmoText});
    EXPECT_FALSE(win->pbEkle->isEnabled());
    EXPECT_FALSE(win->action(6133)->isEnabled());
    EXPECT_FALSE(win->action(6171)->isEnabled());
    win->SLE_YEM->setText(QStringLiteral("KARMA"));
    win->PBEKLE();  // the context menu's item, were it reached
    EXPECT_EQ(port.boxTexts(BOX_WARNING), QStringList{kNotCalculatedText});
    EXPECT_EQ(test::fileBytes(table()), before_);
    win->pbIptal->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());

    // With KMO: Hesapla twice gives the same values and enables "Ekle".
    SetUp();
    port.log.clear();
    port.boxes.clear();
    win = BUCOZ_EKLE(w);
    ASSERT_NE(win, nullptr);
    EXPECT_TRUE(port.log.isEmpty());  // every name pairs: nothing asked
    win->pbHesap->click();
    const ConvRows first = win->rows();
    win->action(6170)->trigger();
    EXPECT_EQ(win->rows().size(), 3);
    for (int i = 0; i < first.size(); ++i)
        EXPECT_EQ(win->rows().at(i).SLE_VALUE2, first.at(i).SLE_VALUE2);
    EXPECT_EQ(AllTrim(first.at(1).SLE_VALUE2), QStringLiteral("204.5455"));
    EXPECT_TRUE(win->pbEkle->isEnabled());
    EXPECT_TRUE(win->action(6133)->isEnabled());
    EXPECT_TRUE(win->action(6171)->isEnabled());

    // A row name edited into the name field is refused; the window stays.
    BARRAYSERVER* s = win->server();
    s->GoTo(2);
    s->FieldPut(QStringLiteral("SLE_NAME2"), QStringLiteral("YM_ADI"));
    win->SLE_YEM->setText(QStringLiteral("KARMA"));
    port.replies = {REPLY_YES};
    win->pbEkle->click();
    EXPECT_EQ(test::fileBytes(table()), before_);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 1);

    // Put back: one record appended, the window closes.
    s->GoTo(2);
    s->FieldPut(QStringLiteral("SLE_NAME2"), QStringLiteral("HP"));
    port.replies = {REPLY_YES};
    win->action(6171)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(test::readTable(table()).liveRecords().size(), 3);
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());

    // While a reference matrix window holds the table, "Ekle" is refused
    // (the program's check, installed with the commands).
    const QByteArray appended = test::fileBytes(table());
    QObject holder;
    ReferenceWindowRegistry::instance().hold(referenceTablePath(kDryMatterTable), &holder);
    port.boxes.clear();
    win = BUCOZ_EKLE(w);
    ASSERT_NE(win, nullptr);
    win->pbHesap->click();
    win->SLE_YEM->setText(QStringLiteral("KARMA2"));
    port.replies = {REPLY_YES};
    win->pbEkle->click();
    EXPECT_EQ(port.boxTexts(BOX_WARNING), QStringList{kReferenceWindowOpen});
    EXPECT_EQ(test::fileBytes(table()), appended);
    ReferenceWindowRegistry::instance().release(referenceTablePath(kDryMatterTable));

    // Esc in the grid closes the window, not just the sub-form.
    w.show();
    win->browser()->setFocus();
    QTest::keyClick(win->browser(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
    w.hide();
}

// The program's road: the broiler example solved from the menu, 3564,
// "Hesapla", "Ekle", every dialog answered on screen; an independent reader
// finds the new feed.
TEST(AddFormulaProgram, TheBroilerFormulaBecomesAFeedOfTheDryMatterTable)
{
    test::TempDir tmp;
    test::ProgramEnvironment env(tmp.path());
    ASSERT_EQ(test::installSampleData(tmp.path()), QString());
    const QString kmm = findExistingPath(referenceTablePath(kDryMatterTable));
    ASSERT_FALSE(kmm.isEmpty());
    const int recordsBefore = static_cast<int>(test::readTable(kmm).liveRecords().size());
    {
        STANDARDSHELLWINDOW w;
        installReferenceMatrixCommands(w);
        QStringList boxes;
        w.qtPort()->setToneWait(false);
        w.qtPort()->setDialogRunner([&](QDialog& d) {
            d.open();
            return test::agree(d, &boxes);
        });
        ASSERT_TRUE(w.DOOPENFILE(tmp.file(QStringLiteral("Data/BROYLER.ZVF"))));
        // The example carries no dry-matter ratio: every feed gets 88 %.
        ActiveProblem& p = G();
        p.ABMTABLE << Row{PadR(QStringLiteral("KMO"), 15), PadL(QStringLiteral("%"), 11), blankCell(), blankCell(),
                          blankCell()};
        p.AMATRIX << Row(p.AYMNAMES.size(), PadL(QStringLiteral("88.0000"), 11));
        p.rebuildNutrientNames();
        p.matrixReplaced();
        p.LBMCHANGED = p.LMATCHANGED = true;

        w.mainMenu()->action(3550)->trigger();  // "Yem &Formülü"
        QCoreApplication::processEvents();
        ASSERT_TRUE(w.mainMenu()->isEnabled(3564));
        w.mainMenu()->action(3564)->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(w.mdiArea()->subWindowList().size(), 1);
        auto* win = qobject_cast<ADD_KMM_WIN*>(w.mdiArea()->subWindowList().first()->widget());
        ASSERT_NE(win, nullptr);
        EXPECT_EQ(win->SLE_YEM->text(), QStringLiteral("BROYLER"));
        win->pbHesap->click();
        ASSERT_TRUE(win->pbEkle->isEnabled());
        win->pbEkle->click();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(boxes.contains(kAppendDoneText)) << boxes.join('\n').toStdString();
        EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
        G().LBMCHANGED = G().LMATCHANGED = G().LYMCHANGED = G().LBMOCHANGED = G().LPARAMCHANGED = false;
    }

    const QString script = QStringLiteral(
        "import json, sys, dbfread\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')\n"
        "print(json.dumps([dict(r) for r in t]))\n");
    QString error;
    const QJsonDocument doc = test::runPython(script, {kmm}, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const QJsonArray records = doc.array();
    ASSERT_EQ(records.size(), recordsBefore + 1);
    const QJsonObject added = records.last().toObject();
    EXPECT_EQ(added.value(QStringLiteral("YM_ADI")).toString(), QStringLiteral("BROYLER"));
    EXPECT_EQ(added.value(QStringLiteral("FIATI")).toString(), QString());
    EXPECT_EQ(added.value(QStringLiteral("KMO")).toString().trimmed(), QStringLiteral("88.0000"));
    // Crude protein of 22 to 23.5 % as fed: 250 to 267 g per kg of dry matter.
    EXPECT_GE(Val(added.value(QStringLiteral("HP")).toString()), 249.99);
    EXPECT_LT(Val(added.value(QStringLiteral("HP")).toString()), 270.0);
    // Energy of at least 3000 kcal as fed: megacalories of dry matter.
    EXPECT_GT(Val(added.value(QStringLiteral("ME_KA")).toString()), 3.4);
    EXPECT_LT(Val(added.value(QStringLiteral("ME_KA")).toString()), 3.6);
}

// The broiler example asked for 60 % protein finds no optimum: the formula of
// the optimum before it is gone, and "&KM Esaslı Matrise Ekle" opens nothing.
TEST(AddFormulaProgram, ASolveWithoutAnOptimumOffersNoFormula)
{
    test::TempDir tmp;
    test::ProgramEnvironment env(tmp.path());
    ASSERT_EQ(test::installSampleData(tmp.path()), QString());
    STANDARDSHELLWINDOW w;
    installReferenceMatrixCommands(w);
    QStringList boxes;
    w.qtPort()->setToneWait(false);
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        return test::agree(d, &boxes);
    });
    ASSERT_TRUE(w.DOOPENFILE(tmp.file(QStringLiteral("Data/BROYLER.ZVF"))));
    auto solve = [&w] {
        w.mainMenu()->action(3550)->trigger();  // "Yem &Formülü"
        QCoreApplication::processEvents();
        QFile report(G().CREPORTFILE);
        EXPECT_TRUE(report.open(QIODevice::ReadOnly));
        return report.readAll();
    };
    ASSERT_TRUE(solve().contains("Optimum \xC7\xF6z\xFCm Bulundu."));
    ASSERT_TRUE(w.mainMenu()->isEnabled(3564));

    // The protein limits as the user types them: at least 60 %.
    ActiveProblem& p = G();
    const int hp = static_cast<int>(p.ABMNAMES.indexOf(QStringLiteral("HP")));
    ASSERT_GE(hp, 0);
    p.ABMTABLE[hp][BMLLIMIT] = SDAYA(QStringLiteral("60"), 4);
    p.ABMTABLE[hp][BMULIMIT] = blankCell();
    p.LBMCHANGED = true;
    ASSERT_TRUE(solve().contains("Optimum \xC7\xF6z\xFCm Bulunamad\xFD."));
    EXPECT_TRUE(p.AKMMDATA.isEmpty());
    EXPECT_FALSE(w.mainMenu()->isEnabled(3564));
    w.mainMenu()->action(3564)->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(BUCOZ_EKLE(w), nullptr);
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
    p.LBMCHANGED = p.LMATCHANGED = p.LYMCHANGED = p.LBMOCHANGED = p.LPARAMCHANGED = false;
}

}  // namespace
}  // namespace zeva
