#include "editing/ui/oabsbrowser.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "editing/ui/celleditor.h"
#include "gridtestutil.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

using namespace zeva;

namespace {

struct Notice {
    int code, rec, field;
};

// The data window around a grid: counts its closes, deletes rows as the
// entry windows do.
class OwnerWindow : public QWidget, public BrowserOwner {
public:
    BARRAYSERVER* server = nullptr;
    bool answer = true;
    int deletes = 0;
    int closes = 0;
    bool DODELETE() override
    {
        ++deletes;
        if (!answer)
            return false;
        server->Delete();
        if (!server->Deleted())
            return false;
        server->Pack();
        return true;
    }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++closes;
        e->accept();
    }
};

// One grid window over a table, shown offscreen, with the model tester
// watching its model and every Qt warning failing the test.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().APARAMS = {"K", "1000.00", "TL", "Kg"};
        warnings = std::make_unique<QtWarningGuard>();
    }
    void TearDown() override
    {
        if (window) {
            EXPECT_EQ(browser->focusLockCount(), 0);
        }
        tester.reset();
        window.reset();
        server.reset();
        warnings.reset();
        G().reset();
    }

    void open(const FieldSpecs& fields, const Table& rows, std::unique_ptr<BrowserRules> rules,
              const QStringList& captions = {})
    {
        server = std::make_unique<BARRAYSERVER>(fields, rows);
        QObject::connect(server.get(), &BARRAYSERVER::notice,
                         [this](int c, int r, int f) { notices.append({c, r, f}); });
        window = std::make_unique<OwnerWindow>();
        window->server = server.get();
        window->resize(700, 300);
        auto* layout = new QVBoxLayout(window.get());
        browser = new OABS_BROWSER(window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(browser);
        layout->addWidget(other);
        browser->setRules(std::move(rules));
        for (int i = 0; i < fields.size(); ++i) {
            auto* c = new VQDATACOLUMN(i == 0 ? 20 : 11);
            c->SetHyperLabel(fields.at(i).name, captions.value(i, fields.at(i).name));
            browser->ADDCOLUMN(c);
        }
        browser->Use(server.get());
        browser->ENABLECELLCURSOR(true);
        tester = std::make_unique<QAbstractItemModelTester>(
            browser->arrayModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        browser->setFocus();
        notices.clear();
    }

    void openFeeds(const Table& rows)
    {
        const FieldSpecs f = {{"YMNAME", "C", 20, 0}, {"YMPRICE", "C", 11, 0}, {"YMFIX", "C", 11, 0},
                              {"YMLLIMIT", "C", 11, 0}, {"YMULIMIT", "C", 11, 0}};
        open(f, rows, std::make_unique<OYM_BROWSER>(window_owner(), &counters));
    }
    // The owner is made in open(); the rules get it through this forwarder.
    BrowserOwner* window_owner() { return &forward; }

    void select(int row, int col)
    {
        browser->selectionModel()->setCurrentIndex(browser->arrayModel()->index(row, col),
                                                   QItemSelectionModel::ClearAndSelect);
    }
    QPoint cellCenter(int row, int col)
    {
        return browser->visualRect(browser->arrayModel()->index(row, col)).center();
    }
    // A double click as the window system delivers it: press, release,
    // double click, release.
    static void doubleClick(QWidget* w, QPoint pos)
    {
        QTest::mousePress(w, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
        QTest::mouseDClick(w, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
    }
    QString cell(int rec, int field) { return server->cellAt(rec, field); }
    int count(int code)
    {
        int n = 0;
        for (const Notice& x : notices)
            n += x.code == code;
        return n;
    }

    struct Forward : BrowserOwner {
        GridTest* t;
        explicit Forward(GridTest* t) : t(t) {}
        bool DODELETE() override { return t->window->DODELETE(); }
    } forward{this};

    std::unique_ptr<QtWarningGuard> warnings;
    std::unique_ptr<BARRAYSERVER> server;
    std::unique_ptr<OwnerWindow> window;
    std::unique_ptr<QAbstractItemModelTester> tester;
    OABS_BROWSER* browser = nullptr;
    QLineEdit* other = nullptr;
    NameCounters counters;
    QList<Notice> notices;
};

// Types text of any letters (QTest's key clicks take Latin-1 only).
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

const Table kFeeds = {{"Arpa", "      1.000", "", "", ""},
                      {"Mısır", "      2.000", "", "", ""},
                      {"Soya", "      3.000", "", "", ""}};

}  // namespace

TEST_F(GridTest, TypedCharacterStartsAModifiedEditEnterCommits)
{
    openFeeds(kFeeds);
    G().AMATRIX = {{"     1.0000", "     1.0000", "     1.0000"}};
    select(1, 1);
    QTest::keyClick(browser, '7');
    CellEditor* editor = browser->openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "7");
    EXPECT_TRUE(editor->isModified());
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_FALSE(editor->hasSelectedText());
    EXPECT_EQ(browser->focusLockCount(), 1);
    EXPECT_EQ(editor->geometry(), browser->visualRect(browser->currentIndex()));
    EXPECT_EQ(editor->maxLength(), 11);

    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(cell(2, 2), "      7.000");
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->focusLockCount(), 0);
    EXPECT_EQ(count(kNoticeFieldWritten), 1);
    EXPECT_EQ(server->RecNo(), 2);
    EXPECT_EQ(browser->currentIndex(), browser->arrayModel()->index(1, 1));
}

TEST_F(GridTest, EscKeepsTheCellThenClosesTheWindow)
{
    openFeeds(kFeeds);
    select(0, 1);
    QTest::keyClick(browser, '9');
    ASSERT_NE(browser->openEditor(), nullptr);
    QTest::keyClick(browser->openEditor(), Qt::Key_Escape);
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->focusLockCount(), 0);
    EXPECT_EQ(cell(1, 2), "      1.000");
    EXPECT_EQ(count(kNoticeFieldWritten), 0);
    EXPECT_EQ(window->closes, 0);  // that Esc belonged to the editor

    QTest::keyClick(browser, Qt::Key_Escape);
    EXPECT_EQ(window->closes, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(GridTest, DoubleClickOpensTheOldValueUnmodified)
{
    openFeeds(kFeeds);
    doubleClick(browser->viewport(), cellCenter(2, 1));
    CellEditor* editor = browser->openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "3.000");  // without the blanks that pad it
    EXPECT_EQ(editor->maxLength(), 11);
    EXPECT_FALSE(editor->isModified());
    EXPECT_EQ(browser->focusLockCount(), 1);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(count(kNoticeFieldWritten), 0);
    EXPECT_EQ(browser->focusLockCount(), 0);

    // Changed after a double click, it commits like any edit, padded again;
    // what is typed stops at the field's width.
    doubleClick(browser->viewport(), cellCenter(2, 1));
    ASSERT_NE(browser->openEditor(), nullptr);
    QTest::keyClick(browser->openEditor(), Qt::Key_Home);
    QTest::keyClicks(browser->openEditor(), "12");
    EXPECT_EQ(browser->openEditor()->text(), "123.000");
    QTest::keyClick(browser->openEditor(), Qt::Key_Enter);
    EXPECT_EQ(cell(3, 2), "    123.000");
    EXPECT_EQ(count(kNoticeFieldWritten), 1);

    doubleClick(browser->viewport(), cellCenter(2, 1));
    ASSERT_NE(browser->openEditor(), nullptr);
    QTest::keyClick(browser->openEditor(), Qt::Key_Home);
    QTest::keyClicks(browser->openEditor(), "98765432");
    EXPECT_EQ(browser->openEditor()->text(), "9876123.000");
    QTest::keyClick(browser->openEditor(), Qt::Key_Enter);
    EXPECT_EQ(cell(3, 2), "9876123.000");

    // A name opens without its trailing blanks; typed on, it keeps them off.
    server->GoTo(1);
    server->FieldPut(1, "Arpa                ");
    doubleClick(browser->viewport(), cellCenter(0, 0));
    ASSERT_NE(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->openEditor()->text(), "Arpa");
    QTest::keyClick(browser->openEditor(), Qt::Key_End);
    QTest::keyClicks(browser->openEditor(), " 2");
    QTest::keyClick(browser->openEditor(), Qt::Key_Enter);
    EXPECT_EQ(cell(1, 1), "Arpa 2");
}

TEST_F(GridTest, FocusOutAndTabCommitIntoTheEditedCell)
{
    openFeeds(kFeeds);
    select(0, 2);
    QTest::keyClick(browser, '4');
    ASSERT_NE(browser->openEditor(), nullptr);
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->focusLockCount(), 0);
    EXPECT_EQ(cell(1, 3), "    4.00000");

    // Tab commits and moves to the next cell without opening an editor there.
    browser->setFocus();
    select(1, 2);
    QTest::keyClick(browser, '3');
    QTest::keyClick(browser->openEditor(), Qt::Key_Tab);
    EXPECT_EQ(cell(2, 3), "    3.00000");
    EXPECT_EQ(browser->currentIndex(), browser->arrayModel()->index(1, 3));
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->focusLockCount(), 0);

    // The focus cell moving away (a click elsewhere, the window moving the
    // server) still writes into the cell the editor was opened on.
    select(0, 4);
    QTest::keyClick(browser, '8');
    ASSERT_NE(browser->openEditor(), nullptr);
    server->GoTo(3);
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(cell(1, 5), "    8.00000");
    EXPECT_EQ(cell(3, 5), "");
    EXPECT_EQ(browser->RowPos(), 3);
    EXPECT_EQ(server->RecNo(), 3);
}

TEST_F(GridTest, EmptyingARowDeletesItAfterTheEditorIsGone)
{
    G().ABMNAMES = {"KM"};
    G().AMATRIX = {{"     1.0000", "     2.0000", "     3.0000"}};
    openFeeds({{"Arpa", "      1.000", "", "", ""},
               {"", "      2.000", "", "", ""},
               {"Soya", "      3.000", "", "", ""}});
    // The owner refusing leaves the row and the matrix.
    window->answer = false;
    select(1, 1);
    QTest::keyClick(browser, ' ');
    QTest::keyClick(browser->openEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->deletes, 1);
    EXPECT_EQ(server->LastRec(), 3);
    EXPECT_EQ(cell(2, 2), "      2.000");
    EXPECT_EQ(G().AMATRIX.at(0).size(), 3);
    EXPECT_EQ(count(kNoticeFieldWritten), 0);

    window->answer = true;
    QTest::keyClick(browser, 'x');
    QTest::keyClick(browser->openEditor(), Qt::Key_Backspace);
    EXPECT_EQ(browser->openEditor()->text(), "");
    QTest::keyClick(browser->openEditor(), Qt::Key_Return);
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->focusLockCount(), 0);
    EXPECT_EQ(window->deletes, 1);  // not while the editor was closing
    QCoreApplication::processEvents();

    EXPECT_EQ(window->deletes, 2);
    EXPECT_EQ(server->LastRec(), 2);
    EXPECT_EQ(browser->arrayModel()->rowCount(), 2);
    EXPECT_EQ(cell(2, 1), "Soya");
    EXPECT_EQ(G().AMATRIX, (Table{{"     1.0000", "     3.0000"}}));
    EXPECT_EQ(count(kNoticeFieldWritten), 0);
    EXPECT_EQ(browser->focusLockCount(), 0);
    EXPECT_EQ(browser->currentIndex(), browser->arrayModel()->index(1, 1));
    EXPECT_EQ(server->RecNo(), 2);
}

TEST_F(GridTest, EditorRefusesWhatTheFieldCannotHold)
{
    openFeeds(kFeeds);
    // A character Windows-1254 has no place for opens no editor.
    select(0, 0);
    typeText(browser, QString(QChar(0x0101)));
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->currentIndex(), browser->arrayModel()->index(0, 0));

    // In the editor: Turkish letters go in, others do not; no more than the
    // field's 20 characters.
    QTest::keyClick(browser, 'Y');
    CellEditor* editor = browser->openEditor();
    ASSERT_NE(editor, nullptr);
    typeText(editor, QStringLiteral("em şğı") + QChar(0x0101) + QChar(0x4E2D));
    EXPECT_EQ(editor->text(), QStringLiteral("Yem şğı"));
    typeText(editor, QStringLiteral(" katkısı ve başkaları"));
    EXPECT_EQ(editor->text().size(), 20);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(cell(1, 1), QStringLiteral("Yem şğı katkısı ve b"));
}

TEST_F(GridTest, MatrixLabelColumnNeverKeepsTheFocus)
{
    const FieldSpecs f = {{"MATFNAMEUNIT", "C", 20, 0}, {"MATYMNAME1", "C", 11, 0}, {"MATYMNAME2", "C", 11, 0}};
    open(f, {{"KM, Kg/Kg", "     1.0000", ""}, {"HP, %", "", "    20.0000"}},
         std::make_unique<OAMAT_BROWSER>());
    EXPECT_EQ(browser->ColPos(), 2);  // the cell cursor starts beside the label

    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, cellCenter(1, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->ColPos(), 2);
    EXPECT_EQ(browser->RowPos(), 2);
    EXPECT_EQ(browser->selectionModel()->selectedIndexes(),
              QModelIndexList{browser->arrayModel()->index(1, 1)});

    QTest::keyClick(browser, Qt::Key_Left);
    EXPECT_EQ(browser->ColPos(), 2);
    doubleClick(browser->viewport(), cellCenter(0, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->openEditor(), nullptr);

    // A matrix cell emptied becomes blanks.
    select(1, 2);
    QTest::keyClick(browser, ' ');
    QTest::keyClick(browser->openEditor(), Qt::Key_Return);
    EXPECT_EQ(cell(2, 3), blankCell());
}

TEST_F(GridTest, CellAndRowCursorAndServerFollowing)
{
    openFeeds(kFeeds);
    select(1, 2);
    EXPECT_EQ(server->RecNo(), 2);
    browser->ENABLECELLCURSOR(false);
    EXPECT_EQ(browser->selectionModel()->selectedIndexes().size(), 5);
    EXPECT_TRUE(browser->selectionModel()->isRowSelected(1, QModelIndex()));
    browser->ENABLECELLCURSOR(true);
    EXPECT_EQ(browser->selectionModel()->selectedIndexes(),
              QModelIndexList{browser->arrayModel()->index(1, 2)});

    server->GoBottom();
    EXPECT_EQ(browser->currentIndex(), browser->arrayModel()->index(2, 2));
    server->Append();
    EXPECT_EQ(browser->RowPos(), 4);
    QTest::keyClick(browser, Qt::Key_Up);
    EXPECT_EQ(server->RecNo(), 3);

    // The window deleting a row under an open editor: the editor goes, the
    // lock with it, nothing is written.
    QTest::keyClick(browser, '1');
    ASSERT_NE(browser->openEditor(), nullptr);
    server->GoTo(1);
    EXPECT_EQ(browser->openEditor(), nullptr);  // moving commits it first
    EXPECT_EQ(cell(3, 3), "    1.00000");
    QTest::keyClick(browser, '2');
    ASSERT_NE(browser->openEditor(), nullptr);
    notices.clear();
    server->Delete();
    server->Pack();
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->openEditor(), nullptr);
    EXPECT_EQ(browser->focusLockCount(), 0);
    EXPECT_EQ(count(kNoticeFieldWritten), 0);
    EXPECT_EQ(browser->RowPos(), 1);
}

TEST_F(GridTest, FrozenFirstColumn)
{
    openFeeds(kFeeds);
    EXPECT_FALSE(browser->isVerticalSplit());
    browser->EnableVerticalSplit(true);
    QTableView* frozen = browser->frozenView();
    ASSERT_NE(frozen, nullptr);
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->model(), browser->model());
    EXPECT_EQ(frozen->selectionModel(), browser->selectionModel());
    EXPECT_FALSE(frozen->isColumnHidden(0));
    for (int c = 1; c < 5; ++c)
        EXPECT_TRUE(frozen->isColumnHidden(c));
    EXPECT_EQ(frozen->width(), browser->columnWidth(0));

    // A click in the frozen column moves the grid's focus cell.
    QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {},
                      frozen->visualRect(frozen->model()->index(2, 0)).center());
    EXPECT_EQ(browser->RowPos(), 3);
    EXPECT_EQ(browser->ColPos(), 1);

    // The table changing under it keeps the frozen view to one column.
    server->GoTo(1);
    server->Delete();
    server->Pack();
    EXPECT_TRUE(frozen->isColumnHidden(3));

    browser->EnableVerticalSplit(false);
    EXPECT_EQ(browser->frozenView(), nullptr);
    EXPECT_FALSE(browser->isVerticalSplit());
}
