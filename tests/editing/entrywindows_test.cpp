// The entry windows in the main window: their keys and menus, the close that
// hands the copy back, one window per table, the matrix window never open
// beside the nutrient or feed window, the main window's commands that close
// or write back the open windows first, and the whole road from typing a
// feed to the saved file.
#include "editing/ui/entrywindowopeners.h"
#include "editing/ui/entrywindows.h"

#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "core/problemtestutil.h"
#include "editing/ui/celleditor.h"
#include "platform/helpdisplay.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/fakeport.h"
#include "support/helplauncher.h"
#include "support/programenv.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zeva {
namespace {

using test::FakePort;

const QString kExitBox = QStringLiteral("box 36 Çıkış: ZEVA 2.0'dan çıkmak istediğinizden emin misiniz?");

class EntryWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { QDir(tmp_.path()).mkdir(QStringLiteral("Data")); }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ProblemEntryWindow::setHelpHandler(nullptr);
    }

    // The main window with the openers installed, shown and active; its
    // menu-state command counts the calls the entry windows send.
    STANDARDSHELLWINDOW& window()
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>(nullptr, &port_);
        STANDARDSHELLWINDOW& w = *window_;
        installEntryWindowCommands(w);
        w.setCommand(QStringLiteral("MI_ENADISABLE"), [this, &w] {
            ++menuStates_;
            w.MI_ENADISABLE();
        });
        w.resize(900, 650);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }

    // A saved problem in the data folder, opened through the window.
    void openProblem(STANDARDSHELLWINDOW& w, int feeds, int nutrients, int ratios)
    {
        FakePort quiet;
        const QString path = data(QStringLiteral("DENEME.ZVF"));
        DbfTable t = newProblemTable(1);
        ASSERT_TRUE(writeDbfFile(path, t));
        G().OPROBSERVER = std::make_shared<ProblemServer>(path, t);
        test::fillProblem(feeds, nutrients, ratios);
        ASSERT_TRUE(PROBDBFUPDATE(quiet));
        G().reset();
        ASSERT_TRUE(w.DOOPENFILE(path));
        port_.log.clear();
        port_.boxes.clear();
        menuStates_ = 0;
    }

    // Opens the problem file again, as the next start would.
    void reopen()
    {
        G().reset();
        FakePort quiet;
        FileCommands files(quiet);
        ASSERT_TRUE(files.DOOPENFILE(data(QStringLiteral("DENEME.ZVF"))));
    }

    ProblemEntryWindow* open(STANDARDSHELLWINDOW& w, const char* symbol)
    {
        EXPECT_TRUE(w.dispatch(QString::fromLatin1(symbol)));
        return qobject_cast<ProblemEntryWindow*>(w.mdiArea()->activeSubWindow());
    }

    // Types into the focus cell of the grid and ends the edit with Enter.
    static void typeIntoGrid(OABS_BROWSER* b, const QString& text)
    {
        test::typeText(b, text.left(1));
        CellEditor* editor = b->openEditor();
        ASSERT_NE(editor, nullptr);
        test::typeText(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    static void key(ProblemEntryWindow* win, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(win->browser(), k, mods);
        QCoreApplication::processEvents();
    }

    static void gone()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QList<ProblemEntryWindow*> openWindows(STANDARDSHELLWINDOW& w)
    {
        QList<ProblemEntryWindow*> list;
        for (QMdiSubWindow* s : w.mdiArea()->subWindowList())
            if (auto* e = qobject_cast<ProblemEntryWindow*>(s); e && !e->isClosing())
                list << e;
        return list;
    }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    FakePort port_;
    int menuStates_ = 0;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
};

TEST_F(EntryWindowsTest, OpenerBuildsTheWindowOverTheCanvas)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 3, 2, 1);
    ProblemEntryWindow* win = open(w, "BM_GIRIS");
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->objectName(), QStringLiteral("BM_GIRISWIN"));
    EXPECT_EQ(win->windowTitle(), QStringLiteral("Besin Maddesi Verileri Girişi"));
    EXPECT_EQ(win->size(), w.mdiArea()->viewport()->size());
    EXPECT_EQ(win->pos(), QPoint(0, 0));
    EXPECT_EQ(w.menuHost()->shownMenu(), win->windowMenu());
    EXPECT_EQ(win->browser()->model()->rowCount(), 2);
    EXPECT_EQ(win->browser()->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Besin Maddesi Adı"));

    // The grid keeps a margin of 4 pixels inside the client area.
    win->widget()->resize(300, 200);
    EXPECT_EQ(win->browser()->size(), QSize(296, 196));

    // Without an open problem nothing opens.
    win->close();
    gone();
    ASSERT_TRUE(w.dispatch(QStringLiteral("FILECLOSE")));
    EXPECT_FALSE(w.dispatch(QStringLiteral("NOSUCH")));
    ASSERT_TRUE(w.dispatch(QStringLiteral("YM_GIRIS")));
    EXPECT_TRUE(openWindows(w).isEmpty());
}

TEST_F(EntryWindowsTest, F5AppendsOnlyWhenNoRowLacksAName)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 0, 0, 0);
    ProblemEntryWindow* win = open(w, "BM_GIRIS");
    ASSERT_NE(win, nullptr);
    BARRAYSERVER* s = win->browser()->server();
    ASSERT_EQ(s->LastRec(), 0);

    key(win, Qt::Key_F5);
    EXPECT_EQ(s->LastRec(), 1);
    EXPECT_EQ(win->browser()->RowPos(), 1);
    typeIntoGrid(win->browser(), QStringLiteral("A"));
    key(win, Qt::Key_F5);
    EXPECT_EQ(s->LastRec(), 2);
    EXPECT_EQ(win->browser()->RowPos(), 2);

    // Row 2 has no name: from row 1, F5 goes back to it instead of appending.
    key(win, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(win->browser()->RowPos(), 1);
    key(win, Qt::Key_F5);
    EXPECT_EQ(s->LastRec(), 2);
    EXPECT_EQ(win->browser()->RowPos(), 2);
}

TEST_F(EntryWindowsTest, F6DeletesTheRowAndItsMatrixRowOnYesOnly)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 3, 4, 0);
    const Table matrix = G().AMATRIX;
    ProblemEntryWindow* win = open(w, "BM_GIRIS");
    ASSERT_NE(win, nullptr);
    win->browser()->server()->GoTo(2);
    ASSERT_EQ(win->browser()->RowPos(), 2);

    port_.replies = {REPLY_NO};
    key(win, Qt::Key_F6);
    EXPECT_EQ(port_.log, QStringList{QStringLiteral("box 36 Uyarı: Seçili besin maddesi siliniyor!")});
    EXPECT_EQ(G().AMATRIX, matrix);
    EXPECT_EQ(win->browser()->server()->LastRec(), 4);

    port_.replies = {REPLY_YES};
    key(win, Qt::Key_F6);
    Table want = matrix;
    want.removeAt(1);
    EXPECT_EQ(G().AMATRIX, want);
    EXPECT_EQ(win->browser()->server()->LastRec(), 3);
    EXPECT_EQ(win->browser()->model()->rowCount(), 3);
}

TEST_F(EntryWindowsTest, ClosingSendsTheMenuStateOnlyAfterAChange)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    const QStringList names = G().ABMNAMES;

    // Moving and closing from the menu: nothing goes back.
    ProblemEntryWindow* win = open(w, "BM_GIRIS");
    ASSERT_NE(win, nullptr);
    key(win, Qt::Key_End, Qt::ControlModifier);
    win->windowMenu()->action(3778)->trigger();
    gone();
    EXPECT_TRUE(openWindows(w).isEmpty());
    EXPECT_EQ(menuStates_, 0);
    EXPECT_FALSE(G().LBMCHANGED);
    EXPECT_EQ(w.menuHost()->shownMenu(), w.mainMenu());

    // A typed name: Esc in the grid closes, and the name goes back trimmed.
    win = open(w, "BM_GIRIS");
    ASSERT_NE(win, nullptr);
    key(win, Qt::Key_F5);
    typeIntoGrid(win->browser(), QStringLiteral("  Ca  "));
    QPointer<ProblemEntryWindow> alive(win);
    key(win, Qt::Key_Escape);
    gone();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(G().ABMNAMES, names + QStringList{QStringLiteral("Ca")});
    EXPECT_EQ(G().ABMUNITS.last(), QString());
    EXPECT_TRUE(G().LBMCHANGED);
    EXPECT_EQ(menuStates_, 1);
    EXPECT_EQ(G().AMATRIX.size(), 3);  // its matrix row came with the first commit
}

TEST_F(EntryWindowsTest, F7PicksARatioOnlyInTheRatioWindow)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 3, 0);
    ProblemEntryWindow* nutrients = open(w, "BM_GIRIS");
    ASSERT_NE(nutrients, nullptr);
    key(nutrients, Qt::Key_F7);
    EXPECT_TRUE(port_.log.isEmpty());
    nutrients->close();
    gone();

    ProblemEntryWindow* ratios = open(w, "BMO_GIRIS");
    ASSERT_NE(ratios, nullptr);
    port_.choices = {2, 2};
    key(ratios, Qt::Key_F7);
    EXPECT_EQ(port_.log, (QStringList{QStringLiteral("chooseOne Bölünen Seçimi"),
                                      QStringLiteral("chooseOne Bölen Seçimi")}));
    BARRAYSERVER* s = ratios->browser()->server();
    ASSERT_EQ(s->LastRec(), 1);
    EXPECT_EQ(s->cellAt(1, 1), PadR(test::nutrientName(2), 15));
    EXPECT_EQ(s->cellAt(1, 2), PadR(test::nutrientName(3), 15));
    EXPECT_TRUE(G().LBMOCHANGED);
    // The context menu shows F7 but leaves the key to the window menu.
    EXPECT_TRUE(ratios->contextMenu()->action(4177)->shortcut().isEmpty());
    EXPECT_TRUE(ratios->contextMenu()->action(4177)->text().endsWith(QStringLiteral("\tF7")));
    ratios->close();
    gone();
    EXPECT_EQ(G().ABMOTABLE.size(), 1);
}

// A ratio name typed that is not a nutrient of the problem is kept, and told
// once the cell is written; a nutrient's name (blanks around it or not) is
// taken without a word.
TEST_F(EntryWindowsTest, ARatioNameThatIsNoNutrientIsToldAndKept)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 1);
    ProblemEntryWindow* ratios = open(w, "BMO_GIRIS");
    ASSERT_NE(ratios, nullptr);
    OABS_BROWSER* grid = ratios->browser();
    BARRAYSERVER* s = grid->server();
    ASSERT_EQ(grid->currentIndex().row(), 0);
    ASSERT_EQ(grid->currentIndex().column(), 0);

    typeIntoGrid(grid, QStringLiteral("FOSFOR"));
    EXPECT_EQ(port_.log, QStringList{QStringLiteral("box 48 Uyarı...: FOSFOR besin maddesi problemde yok!\n\n"
                                                    "Bu isimde bir besin maddesi eklenmezse oran çözümde "
                                                    "kullanılmaz.")});
    EXPECT_EQ(AllTrim(s->cellAt(1, 1)), QStringLiteral("FOSFOR"));

    port_.log.clear();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    typeIntoGrid(grid, QStringLiteral(" ") + test::nutrientName(2) + QStringLiteral(" "));
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('|').toStdString();
    EXPECT_EQ(AllTrim(s->cellAt(1, 1)), test::nutrientName(2));
    ratios->close();
    gone();
    EXPECT_EQ(AllTrim(G().ABMOTABLE.at(0).at(BMONAME1)), test::nutrientName(2));
}

TEST_F(EntryWindowsTest, CtrlXInAnEntryWindowIsCutNotExit)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    ProblemEntryWindow* win = open(w, "YM_GIRIS");
    ASSERT_NE(win, nullptr);
    key(win, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(port_.log.contains(kExitBox));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(win->isClosing());

    // In an open cell editor it cuts the selection.
    test::typeText(win->browser(), QStringLiteral("K"));
    CellEditor* editor = win->browser()->openEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    key(win, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QString());
    EXPECT_FALSE(port_.log.contains(kExitBox));
}

// The cell editor from the keyboard, in the windows as the program opens
// them: a feed name takes no more than the 15 characters the file keeps, a
// minus sign never reaches a numeric cell, Ctrl+T clears only the selected
// text, and a double click opens a cell on its text without the padding, so
// that a digit can go in front.
TEST_F(EntryWindowsTest, CellEditorKeys)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    const QString price = G().AYMTABLE.at(0).at(YMPRICE);
    G().AMATRIX[0][1] = QStringLiteral("    12.5000");

    ProblemEntryWindow* feeds = open(w, "YM_GIRIS");
    ASSERT_NE(feeds, nullptr);
    OABS_BROWSER* grid = feeds->browser();
    BARRAYSERVER* s = grid->server();

    // A 17-character name stops after its 15th character.
    key(feeds, Qt::Key_F5);
    const QString name = QStringLiteral("Şeker-pancarı küspesi").left(17);
    test::typeText(grid, name.left(1));
    CellEditor* editor = grid->openEditor();
    ASSERT_NE(editor, nullptr);
    test::typeText(editor, name.mid(1));
    EXPECT_EQ(editor->text(), name.left(15));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(s->cellAt(3, 1), name.left(15));

    // "-" in a price opens nothing and changes nothing; inside an editor it
    // is not taken.
    grid->setCurrentIndex(grid->model()->index(0, 1));
    test::typeText(grid, QStringLiteral("-"));
    EXPECT_EQ(grid->openEditor(), nullptr);
    test::typeText(grid, QStringLiteral("3"));
    editor = grid->openEditor();
    ASSERT_NE(editor, nullptr);
    test::typeText(editor, QStringLiteral("-,25"));
    EXPECT_EQ(editor->text(), QStringLiteral("3,25"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(s->cellAt(1, 2), price);

    // Ctrl+T takes the selected text away and nothing else.
    test::typeText(grid, QStringLiteral("4"));
    editor = grid->openEditor();
    ASSERT_NE(editor, nullptr);
    test::typeText(editor, QStringLiteral("567"));
    editor->setSelection(1, 2);
    key(feeds, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("47"));
    EXPECT_EQ(editor->cursorPosition(), 1);
    key(feeds, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("47"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(s->cellAt(1, 2), SDAYA(QStringLiteral("47"), 3));
    feeds->close();
    gone();
    EXPECT_EQ(G().AYMNAMES.value(2), name.left(15));

    // A double click, Home, a digit and Enter on a matrix cell.
    auto* matrix = qobject_cast<AMAT_GIRISWIN*>(open(w, "AMAT_GIRIS"));
    ASSERT_NE(matrix, nullptr);
    grid = matrix->browser();
    ASSERT_EQ(grid->server()->cellAt(1, 3), QStringLiteral("    12.5000"));
    const QPoint at = grid->visualRect(grid->model()->index(0, 2)).center();
    // As the window system delivers a double click.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    editor = grid->openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("12.5000"));
    EXPECT_FALSE(editor->isModified());
    QTest::keyClick(editor, Qt::Key_Home);
    test::typeText(editor, QStringLiteral("3"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->server()->cellAt(1, 3), QStringLiteral("   312.5000"));
}

TEST_F(EntryWindowsTest, OneWindowPerTable)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 3, 3, 1);
    ProblemEntryWindow* feeds = open(w, "YM_GIRIS");
    ProblemEntryWindow* ratios = open(w, "BMO_GIRIS");
    ASSERT_NE(feeds, nullptr);
    ASSERT_NE(ratios, nullptr);
    EXPECT_EQ(w.mdiArea()->activeSubWindow(), ratios);

    // "Yem Maddesi &Verileri" again, by its key: the open feed window comes forward.
    QTest::keyClick(ratios->browser(), Qt::Key_Escape);  // back to the main menu's keys
    gone();
    w.mdiArea()->setActiveSubWindow(nullptr);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.mdiArea()->activeSubWindow(), feeds);
    EXPECT_EQ(openWindows(w), QList<ProblemEntryWindow*>{feeds});
    EXPECT_EQ(open(w, "YM_GIRIS"), feeds);
    EXPECT_EQ(openWindows(w).size(), 1);
}

TEST_F(EntryWindowsTest, TheMatrixWindowNeverOpensBesideTheFeedOrNutrientWindow)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    ProblemEntryWindow* feeds = open(w, "YM_GIRIS");
    ProblemEntryWindow* nutrients = open(w, "BM_GIRIS");
    ProblemEntryWindow* ratios = open(w, "BMO_GIRIS");
    ASSERT_TRUE(feeds && nutrients && ratios);
    w.mdiArea()->setActiveSubWindow(feeds);
    key(feeds, Qt::Key_F5);
    typeIntoGrid(feeds->browser(), QStringLiteral("MISIR"));

    // The matrix window: the feed and nutrient windows close first and hand
    // their copies back, so the matrix window shows the new feed.
    auto* matrix = qobject_cast<AMAT_GIRISWIN*>(open(w, "AMAT_GIRIS"));
    ASSERT_NE(matrix, nullptr);
    gone();
    EXPECT_EQ(openWindows(w).size(), 2);  // the ratio window stays
    EXPECT_EQ(G().AYMNAMES.last(), QStringLiteral("MISIR"));
    EXPECT_EQ(matrix->browser()->model()->columnCount(), 4);
    EXPECT_EQ(matrix->browser()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("MISIR"));
    EXPECT_EQ(matrix->browser()->model()->index(0, 0).data().toString(), QStringLiteral("BM1, %"));
    EXPECT_EQ(matrix->browser()->ColPos(), 2);

    // A feed window opened now closes the matrix window first.
    QPointer<AMAT_GIRISWIN> alive(matrix);
    ASSERT_NE(open(w, "YM_GIRIS"), nullptr);
    gone();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(EntryWindowsTest, MatrixWindowCommands)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 3, 0);
    auto* win = qobject_cast<AMAT_GIRISWIN*>(open(w, "AMAT_GIRIS"));
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->windowTitle(), QStringLiteral("Yem Maddesi & Besin Maddesi Matrisi Yazımı"));

    // "Kolon &Dondur" freezes the label column and frees it again.
    win->windowMenu()->action(4261)->trigger();
    EXPECT_TRUE(win->browser()->isVerticalSplit());
    win->contextMenu()->action(4831)->trigger();
    EXPECT_FALSE(win->browser()->isVerticalSplit());

    // "Besin Maddesi &Bağla" on the focus feed.
    port_.choices = {1};
    port_.values = {QStringLiteral("22")};
    port_.markings = {{1}};
    const double before = Val(G().AMATRIX[1][0]);
    win->windowMenu()->action(4263)->trigger();
    EXPECT_TRUE(port_.allAnswersUsed());
    win->close();
    gone();
    EXPECT_EQ(G().AMATRIX[0][0], SDAYA(QStringLiteral("22"), 4));
    EXPECT_EQ(G().AMATRIX[1][0], Str(Round(before / 11.0 * 22.0, 4), 11, 4));
    EXPECT_EQ(menuStates_, 1);
}

TEST_F(EntryWindowsTest, FileCommandsCloseTheWindowsBeforeTheSaveQuestion)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    ProblemEntryWindow* win = open(w, "BM_GIRIS");
    ASSERT_NE(win, nullptr);
    key(win, Qt::Key_F5);
    typeIntoGrid(win->browser(), QStringLiteral("CA"));
    EXPECT_FALSE(G().LBMCHANGED);

    // Save writes the window's copy; the window stays.
    ASSERT_TRUE(w.dispatch(QStringLiteral("KAYDET")));
    EXPECT_FALSE(win->isClosing());
    EXPECT_FALSE(G().anyChanged());
    key(win, Qt::Key_F5);
    typeIntoGrid(win->browser(), QStringLiteral("P"));

    // Close: the window closes first, so the question sees its change.
    port_.replies = {REPLY_YES};
    ASSERT_TRUE(w.dispatch(QStringLiteral("FILECLOSE")));
    gone();
    EXPECT_TRUE(openWindows(w).isEmpty());
    EXPECT_EQ(port_.logLines(QStringLiteral("box 36")).size(), 1);
    reopen();
    EXPECT_EQ(G().ABMNAMES, (QStringList{test::nutrientName(1), test::nutrientName(2), QStringLiteral("CA"),
                                         QStringLiteral("P")}));
    EXPECT_EQ(G().AMATRIX.size(), 4);
}

TEST_F(EntryWindowsTest, CommandsThatReadTheProblemGetTheWindowsCopiesFirst)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    QString priceSeen;
    w.setCommand(QStringLiteral("COZUM"), [&priceSeen] { priceSeen = G().AYMTABLE.at(0).at(YMPRICE); });
    ProblemEntryWindow* win = open(w, "YM_GIRIS");
    ASSERT_NE(win, nullptr);
    win->browser()->SetColumnFocus(2);
    typeIntoGrid(win->browser(), QStringLiteral("9"));
    ASSERT_TRUE(w.dispatch(QStringLiteral("COZUM")));
    EXPECT_EQ(priceSeen, SDAYA(QStringLiteral("9"), 3));
    EXPECT_FALSE(win->isClosing());

    // A command that replaces the tables has the windows closed first.
    bool openDuring = true;
    w.setCommand(QStringLiteral("NRESTOFDC1"), [&] { openDuring = !openWindows(w).isEmpty(); });
    ASSERT_TRUE(w.dispatch(QStringLiteral("NRESTOFDC1")));
    EXPECT_FALSE(openDuring);
}

TEST_F(EntryWindowsTest, AFeedTypedInAndItsCompositionReachTheFileAtExit)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 3, 2, 0);

    ProblemEntryWindow* feeds = open(w, "YM_GIRIS");
    ASSERT_NE(feeds, nullptr);
    key(feeds, Qt::Key_F5);
    typeIntoGrid(feeds->browser(), QStringLiteral("MISIR"));

    auto* matrix = qobject_cast<AMAT_GIRISWIN*>(open(w, "AMAT_GIRIS"));
    ASSERT_NE(matrix, nullptr);
    gone();
    OABS_BROWSER* grid = matrix->browser();
    grid->setCurrentIndex(grid->model()->index(0, 4));
    typeIntoGrid(grid, QStringLiteral("12,5"));
    EXPECT_EQ(grid->server()->cellAt(1, 5), QStringLiteral("    12.5000"));

    port_.replies = {REPLY_YES, REPLY_YES};
    ASSERT_TRUE(w.dispatch(QStringLiteral("FILEEXIT")));
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(port_.logLines(QStringLiteral("box")).size(), 2);
    EXPECT_EQ(port_.logLines(QStringLiteral("box")).first(), kExitBox);

    reopen();
    ASSERT_EQ(G().AYMNAMES.size(), 4);
    EXPECT_EQ(G().AYMNAMES.at(3), QStringLiteral("MISIR"));
    ASSERT_EQ(G().AMATRIX.size(), 2);
    EXPECT_EQ(G().AMATRIX.at(0).at(3), QStringLiteral("    12.5000"));
    EXPECT_TRUE(isBlankCell(G().AMATRIX.at(1).at(3)));
    EXPECT_EQ(G().AMATRIX.at(0).at(0), SDAYA(QStringLiteral("11"), 4));
}

// A problem opened from a folder made read-only after the open (its file's
// write bits off too: they stop root, whom no folder stops), a matrix cell
// typed into its window, then "&Farklı Kaydet" from the main menu into the
// data folder: the save into the source fails and says so, the new file holds
// the typed cell, the source keeps its bytes and the new file is the open
// problem. When the chosen file cannot be written either, both failures are
// told and the problem stays open with the typed cell.
TEST_F(EntryWindowsTest, SaveAsWritesTheProblemElsewhereWhenItsFileCannotBeWritten)
{
    const QString folder = tmp_.file(QStringLiteral("Kaynak"));
    const QString source = folder + QStringLiteral("/DENEME.ZVF");
    const QString kSaveFailed = QStringLiteral(" dosyasını kaydetmede hata!\n\nDeğişiklikler kaydedilmedi.");
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QDir().mkdir(folder));
    {
        FakePort quiet;
        DbfTable t = newProblemTable(1);
        ASSERT_TRUE(writeDbfFile(source, t));
        G().OPROBSERVER = std::make_shared<ProblemServer>(source, t);
        test::fillProblem(3, 2, 0);
        ASSERT_TRUE(PROBDBFUPDATE(quiet));
        G().reset();
    }
    STANDARDSHELLWINDOW& w = window();
    ShellMenu* menu = w.mainMenu();
    port_.fileNames = {source};
    menu->action(3529)->trigger();  // "&Aç..."
    ASSERT_EQ(openProblemPath(), source);
    ASSERT_TRUE(QFile::setPermissions(source, readOnly));
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    const QByteArray before = test::fileBytes(source);
    const QString typed = SDAYA(QStringLiteral("7,25"), 4);

    // Types `text` into row 2, feed 3 of the matrix window and closes it.
    auto typeIntoMatrix = [&](const QString& text) {
        menu->action(3539)->trigger();  // "Aktif &Matris Yazımı"
        auto* matrix = qobject_cast<AMAT_GIRISWIN*>(w.mdiArea()->activeSubWindow());
        ASSERT_NE(matrix, nullptr);
        gone();
        OABS_BROWSER* grid = matrix->browser();
        grid->setCurrentIndex(grid->model()->index(1, 3));
        typeIntoGrid(grid, text);
        matrix->windowMenu()->action(4249)->trigger();  // "Ka&pat..."
        gone();
        ASSERT_TRUE(openWindows(w).isEmpty());
    };
    typeIntoMatrix(QStringLiteral("7,25"));
    ASSERT_EQ(G().AMATRIX[1][2], typed);

    port_.log.clear();
    port_.fileNames = {data(QStringLiteral("YENI"))};
    menu->action(3533)->trigger();  // "&Farklı Kaydet"
    const QString copy = data(QStringLiteral("YENI.ZVF"));
    EXPECT_EQ(port_.logLines(QStringLiteral("box")),
              QStringList{QStringLiteral("box 16 Hata...: ") + source + kSaveFailed});
    EXPECT_EQ(port_.logLines(QStringLiteral("status")), QStringList{QStringLiteral("status: Dosya başarıyla kaydedildi...")});
    EXPECT_EQ(test::fileBytes(source), before);
    EXPECT_EQ(openProblemPath(), copy);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZEVA 2.0 - ") + copy);
    EXPECT_FALSE(G().anyChanged());
    EXPECT_EQ(G().AMATRIX[1][2], typed);
    EXPECT_TRUE(menu->isEnabled(3532));
    {
        G().reset();
        FakePort quiet;
        ASSERT_TRUE(FileCommands(quiet).DOOPENFILE(copy));
        EXPECT_EQ(G().AMATRIX[1][2], typed);
        EXPECT_EQ(G().AMATRIX[0][0], SDAYA(QStringLiteral("11"), 4));
        ASSERT_TRUE(FileCommands(quiet).DOOPENFILE(source));
        EXPECT_NE(G().AMATRIX[1][2], typed);
        G().reset();
    }

    // Now the new file is write-protected, and so is the one chosen next,
    // which the user agrees to replace.
    port_.fileNames = {copy};
    menu->action(3529)->trigger();
    ASSERT_EQ(openProblemPath(), copy);
    const QString locked = data(QStringLiteral("KILITLI.ZVF"));
    ASSERT_TRUE(QFile::copy(copy, locked));
    ASSERT_TRUE(QFile::setPermissions(copy, readOnly));
    ASSERT_TRUE(QFile::setPermissions(locked, readOnly));
    const QByteArray copyBefore = test::fileBytes(copy);
    const QByteArray lockedBefore = test::fileBytes(locked);
    typeIntoMatrix(QStringLiteral("8"));
    port_.log.clear();
    port_.fileNames = {locked};
    port_.replies = {REPLY_YES};
    menu->action(3533)->trigger();
    EXPECT_EQ(port_.logLines(QStringLiteral("box")),
              (QStringList{QStringLiteral("box 20 Uyarı...: ") + locked + QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?"),
                           QStringLiteral("box 16 Hata...: ") + copy + kSaveFailed,
                           QStringLiteral("box 16 Hata...: ") + locked + kSaveFailed}));
    EXPECT_TRUE(port_.logLines(QStringLiteral("status")).isEmpty());
    EXPECT_EQ(test::fileBytes(copy), copyBefore);
    EXPECT_EQ(test::fileBytes(locked), lockedBefore);
    EXPECT_EQ(openProblemPath(), copy);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZEVA 2.0 - ") + copy);
    EXPECT_TRUE(G().LMATCHANGED);
    EXPECT_EQ(G().AMATRIX[1][2], SDAYA(QStringLiteral("8"), 4));
    EXPECT_TRUE(menu->isEnabled(3533));
    EXPECT_TRUE(port_.allAnswersUsed());
    G().LMATCHANGED = false;
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly | QFile::WriteOwner | QFile::ExeOwner));
}

TEST_F(EntryWindowsTest, HelpAndAboutFromTheWindowMenu)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, 2, 2, 0);
    QStringList topics;
    ProblemEntryWindow::setHelpHandler([&topics](const QString& t) { topics << t; });
    ProblemEntryWindow* win = open(w, "BMO_GIRIS");
    ASSERT_NE(win, nullptr);
    key(win, Qt::Key_F1);
    key(win, Qt::Key_F2);
    EXPECT_EQ(topics, (QStringList{QStringLiteral("HelpIndex"), QStringLiteral("Besin Maddesi Oranları")}));

    QString shown;
    win->setDialogRunner([&shown](QDialog& d) {
        shown = d.objectName().isEmpty() ? d.metaObject()->className() : d.objectName();
        return int(QDialog::Accepted);
    });
    key(win, Qt::Key_F4);
    EXPECT_TRUE(shown.contains(QStringLiteral("ZVXHAKKINDA"))) << shown.toStdString();

    // "&Küçült" is the main window's cascade: the window stays open.
    win->windowMenu()->action(4111)->trigger();
    EXPECT_FALSE(win->isClosing());
}

// The help keys as the program wires them (no handler of the test's own): F1
// and F2 show the main window's help file, F2 with the window's topic.
TEST_F(EntryWindowsTest, HelpKeysReachTheMainWindowsHelpDisplay)
{
    STANDARDSHELLWINDOW& w = window();
    const auto launches = test::recordHelp(w, tmp_.file(QStringLiteral("Zeva.chm")));
    ASSERT_NE(launches, nullptr);
    openProblem(w, 2, 2, 1);

    const struct {
        const char* symbol;
        const char* topic;
    } windows[] = {
        {"BM_GIRIS", "Besin Maddesi Verileri Girişi"},
        {"YM_GIRIS", "Yem Maddesi Verileri Girişi"},
        {"BMO_GIRIS", "Besin Maddesi Oranları"},
        {"AMAT_GIRIS", "Aktif Matris Yazımı"},
    };
    for (const auto& row : windows) {
        launches->shown.clear();
        ProblemEntryWindow* win = open(w, row.symbol);
        ASSERT_NE(win, nullptr) << row.symbol;
        key(win, Qt::Key_F2);
        key(win, Qt::Key_F1);
        EXPECT_EQ(launches->shown, (QStringList{QStringLiteral("Zeva.chm ") + QString::fromUtf8(row.topic),
                                                QStringLiteral("Zeva.chm HelpIndex")}))
            << row.symbol;
    }
    EXPECT_TRUE(port_.logLines(QStringLiteral("box")).isEmpty());
}

}  // namespace
}  // namespace zeva
