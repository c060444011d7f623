// The open problem file in the program: the main window wired as the program
// wires it, its own Qt user port, the installed broiler example, problems
// opened from the menu, cells typed into the matrix window and every box
// answered on screen. Another writer (a script, or another session on the
// same data folder) changes the file while it is open here: no save, close,
// exit or Save As writes over that change without asking, and a New stopped
// by its close makes or replaces no file. A file opened with
// the warning that its matrix does not fit its tables is saved as the
// program shows it.
#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "editing/ui/entrywindowopeners.h"
#include "editing/ui/entrywindows.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "platform/ui/controls.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/agree.h"
#include "support/files.h"
#include "support/programenv.h"
#include "support/qstringprint.h"
#include "support/sampledata.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zeva {
namespace {

const QString kExitQuestion = QStringLiteral("Çıkış: ZEVA 2.0'dan çıkmak istediğinizden emin misiniz?");

QString saveQuestion(const QString& path)
{
    return QStringLiteral("Uyarı...: ") + path
           + QStringLiteral(" Dosyasındaki veriler değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
}

QString changedOnDiskQuestion(const QString& path)
{
    return QStringLiteral("Uyarı...: ") + path
           + QStringLiteral(" Dosyası açıldıktan veya son kaydedildikten sonra diskte değiştirilmiş.\n\n"
                            "Üzerine yazarsanız dosyadaki bu değişiklikler kaybolacak. Üzerine yazılmasını "
                            "istiyor musunuz?");
}

// What a problem file holds, read with the table layer: a feed's price, a
// nutrient's lower limit, one matrix cell (the rows in nutrient order).
struct FileView {
    DbfTable t;
    explicit FileView(const QString& path) { EXPECT_TRUE(readDbfFile(path, &t)) << path.toStdString(); }

    int recordOf(const char* field, const QString& name) const
    {
        for (int r : t.liveRecords())
            if (AllTrim(t.value(r, QString::fromLatin1(field))) == name)
                return r;
        ADD_FAILURE() << "no " << name.toStdString();
        return -1;
    }
    QString price(const QString& feed) const { return t.value(recordOf("YMADI", feed), QStringLiteral("YMFIAT")); }
    QString lowerLimit(const QString& nutrient) const
    {
        return t.value(recordOf("BMADI", nutrient), QStringLiteral("BMALTLIM"));
    }
    QString cell(int row, int feed) const
    {
        return t.value(t.liveRecords().value(row), QStringLiteral("YMBMAT")).split(QLatin1Char(',')).value(feed);
    }
};

class ProblemFileProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::installSampleData(tmp_.path()), QString()); }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(replies_.isEmpty());
        EXPECT_TRUE(fileNames_.isEmpty());
    }

    // The main window as the program wires it, shown and active; file
    // dialogs take the names of fileNames_, the new-problem dialog newName_,
    // question boxes the replies of replies_ (TRUE: Evet; with enter_ set,
    // Enter once they have run out), and every box is noted in boxes_.
    STANDARDSHELLWINDOW& window()
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>();
        STANDARDSHELLWINDOW& w = *window_;
        installEntryWindowCommands(w);
        installReferenceMatrixCommands(w);
        w.qtPort()->setToneWait(false);
        w.qtPort()->setDialogRunner([this](QDialog& d) { return answer(d); });
        w.resize(900, 650);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    int answer(QDialog& d)
    {
        if (auto* nd = qobject_cast<YENIDOSYAWINDOW*>(&d); nd && !newName_.isEmpty()) {
            d.open();
            nd->DOSYAADILINE->setText(newName_);
            nd->KYEMBUTTON->click();
            nd->pbTamam->click();
            return d.result();
        }
        if (auto* fd = qobject_cast<QFileDialog*>(&d)) {
            if (fileNames_.isEmpty()) {
                ADD_FAILURE() << "unexpected file dialog " << d.windowTitle().toStdString();
                d.reject();
                return d.result();
            }
            auto* edit = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!edit) {
                ADD_FAILURE() << "no file name field in " << d.windowTitle().toStdString();
                d.reject();
                return d.result();
            }
            edit->setText(fileNames_.takeFirst());
            static_cast<QDialog*>(fd)->accept();
            return fd->result();
        }
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box) {
            ADD_FAILURE() << "unexpected dialog " << d.windowTitle().toStdString();
            d.reject();
            return d.result();
        }
        d.open();
        boxes_ << box->windowTitle() + QStringLiteral(": ") + box->text();
        if (!box->button(QMessageBox::Yes)) {
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else {
                ADD_FAILURE() << "neither Evet nor Tamam in " << box->text().toStdString();
                d.reject();
            }
            return d.result();
        }
        if (replies_.isEmpty() && enter_)
            return test::pressEnter(*box);
        if (replies_.isEmpty())
            ADD_FAILURE() << "no reply for " << box->text().toStdString();
        const bool yes = !replies_.isEmpty() && replies_.takeFirst();
        QAbstractButton* button = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
        if (!button) {
            ADD_FAILURE() << "no Hayır in " << box->text().toStdString();
            d.reject();
            return d.result();
        }
        button->click();
        return d.result();
    }

    static void choose(STANDARDSHELLWINDOW& w, int id)
    {
        QAction* a = w.mainMenu()->action(id);
        ASSERT_NE(a, nullptr) << id;
        ASSERT_TRUE(a->isEnabled()) << id;
        a->trigger();
        QCoreApplication::processEvents();
    }

    // Ctrl + `key` in the main window, back in front after the last box.
    static void press(STANDARDSHELLWINDOW& w, Qt::Key key)
    {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, key, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

    void openFromMenu(STANDARDSHELLWINDOW& w, const QString& path)
    {
        fileNames_ = {path};
        choose(w, 3529);  // "&Aç..."
    }

    // Types `text` into a cell of the matrix window (row: nutrient, feed:
    // column of the problem, both from 0) and closes the window.
    static void typeMatrixCell(STANDARDSHELLWINDOW& w, int row, int feed, const QString& text)
    {
        choose(w, 3539);  // "Aktif &Matris Yazımı"
        auto* matrix = qobject_cast<AMAT_GIRISWIN*>(w.mdiArea()->activeSubWindow());
        ASSERT_NE(matrix, nullptr);
        OABS_BROWSER* grid = matrix->browser();
        ASSERT_NE(grid, nullptr);
        grid->setCurrentIndex(grid->model()->index(row, feed + 1));  // the names come first
        test::typeText(grid, text.left(1));
        CellEditor* editor = grid->openEditor();
        ASSERT_NE(editor, nullptr);
        test::typeText(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_NE(matrix->windowMenu(), nullptr);
        QAction* close = matrix->windowMenu()->action(4249);  // "Ka&pat..."
        ASSERT_NE(close, nullptr);
        close->trigger();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Another writer sets a feed's price in the file; the file's bytes after.
    static QByteArray priceElsewhere(const QString& path, const QString& feed, const QString& price)
    {
        DbfTable t;
        EXPECT_TRUE(readDbfFile(path, &t));
        for (int r : t.liveRecords())
            if (AllTrim(t.value(r, QStringLiteral("YMADI"))) == feed)
                t.setValue(r, QStringLiteral("YMFIAT"), price);
        EXPECT_TRUE(writeDbfFile(path, t));
        return test::readAll(path);
    }

    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    QStringList fileNames_;
    QString newName_;  // typed into the new-problem dialog, with "&Karma yem"
    QList<bool> replies_;
    bool enter_ = false;  // a question met when replies_ is empty: Enter
    QStringList boxes_;
};

const QString kMisir = QStringLiteral("MISIR");

// The table has the cell (row, column), both from 0: asserted before a test
// indexes it, so that a problem a fault left empty fails the test instead of
// ending the run.
::testing::AssertionResult hasCell(const Table& table, int row, int column)
{
    if (row >= table.size())
        return ::testing::AssertionFailure() << "the table has " << table.size() << " rows, row " << row << " wanted";
    if (column >= table[row].size())
        return ::testing::AssertionFailure()
               << "row " << row << " has " << table[row].size() << " cells, cell " << column << " wanted";
    return ::testing::AssertionSuccess();
}

// The broiler example open; a script sets MISIR's price in the file; a
// matrix cell typed; Ctrl+K. The user is told: Hayır writes nothing and keeps
// the edit, Evet writes the problem as the program holds it. The next save
// asks nothing, until the file changes on disk again.
TEST_F(ProblemFileProgramTest, CtrlKAsksBeforeWritingOverAnotherWritersChange)
{
    STANDARDSHELLWINDOW& w = window();
    const QString path = data(QStringLiteral("BROYLER.ZVF"));
    openFromMenu(w, path);
    ASSERT_EQ(openProblemPath(), path);
    ASSERT_EQ(G().AYMNAMES.value(0), kMisir);
    ASSERT_TRUE(hasCell(G().AYMTABLE, 0, YMPRICE));
    const QString ours = G().AYMTABLE[0][YMPRICE];
    const QString theirPrice = SDAYA(QStringLiteral("99"), 3);
    const QByteArray theirs = priceElsewhere(path, kMisir, theirPrice);

    typeMatrixCell(w, 1, 1, QStringLiteral("3150"));  // ME_KA of BUĞDAY
    const QString typed = SDAYA(QStringLiteral("3150"), 4);
    ASSERT_TRUE(hasCell(G().AMATRIX, 1, 1));
    ASSERT_EQ(G().AMATRIX[1][1], typed);
    ASSERT_TRUE(G().LMATCHANGED);

    replies_ = {false};
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(test::readAll(path), theirs);
    EXPECT_TRUE(G().LMATCHANGED);
    ASSERT_TRUE(hasCell(G().AMATRIX, 1, 1));
    ASSERT_TRUE(hasCell(G().AYMTABLE, 0, YMPRICE));
    EXPECT_EQ(G().AMATRIX[1][1], typed);
    EXPECT_EQ(G().AYMTABLE[0][YMPRICE], ours);
    EXPECT_EQ(openProblemPath(), path);

    boxes_.clear();
    replies_ = {true};
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_FALSE(G().anyChanged());
    {
        const FileView file(path);
        EXPECT_EQ(file.cell(1, 1), typed);
        EXPECT_EQ(file.price(kMisir), ours);  // the feeds go with the matrix
    }

    // Saved: the next save asks nothing.
    boxes_.clear();
    typeMatrixCell(w, 2, 2, QStringLiteral("49"));
    press(w, Qt::Key_K);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(G().anyChanged());
    EXPECT_EQ(FileView(path).cell(2, 2), SDAYA(QStringLiteral("49"), 4));

    // Until somebody writes into the file again.
    const QByteArray again = priceElsewhere(path, kMisir, theirPrice);
    typeMatrixCell(w, 2, 2, QStringLiteral("50"));
    replies_ = {false};
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(test::readAll(path), again);
    G().LMATCHANGED = false;
}

// The close, another problem's open and the exit offer to save; their Evet
// writes into the file only after the same question, and Hayır to it keeps
// the problem open with its edit and the program running. Evet to every
// question writes and goes on.
TEST_F(ProblemFileProgramTest, CloseOpenAndExitAskBeforeWritingOverAnotherWritersChange)
{
    const QString path = data(QStringLiteral("BROYLER.ZVF"));
    const QString other = data(QStringLiteral("SUTINEGI.ZVF"));
    const struct {
        const char* what;
        std::function<void(STANDARDSHELLWINDOW&)> go;
        QStringList first;  // what is asked before the question on the file
        std::function<void(STANDARDSHELLWINDOW&)> done;
    } ways[] = {
        {"Ka&pat... (Ctrl+P)", [](STANDARDSHELLWINDOW& w) { press(w, Qt::Key_P); },
         {saveQuestion(path)}, [](STANDARDSHELLWINDOW&) { EXPECT_FALSE(G().isOpen()); }},
        {"&Aç... another problem",
         [this, &other](STANDARDSHELLWINDOW& w) { openFromMenu(w, other); },
         {saveQuestion(path)}, [&other](STANDARDSHELLWINDOW&) { EXPECT_EQ(openProblemPath(), other); }},
        {"&Çıkış... (Ctrl+X)", [](STANDARDSHELLWINDOW& w) { press(w, Qt::Key_X); },
         {kExitQuestion, saveQuestion(path)}, [](STANDARDSHELLWINDOW& w) { EXPECT_FALSE(w.isVisible()); }},
    };
    int n = 0;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        G().reset();
        boxes_.clear();
        STANDARDSHELLWINDOW& w = window();
        openFromMenu(w, path);
        ASSERT_EQ(openProblemPath(), path);
        const QByteArray theirs = priceElsewhere(path, kMisir, SDAYA(QString::number(90 + ++n), 3));
        const QString typed = SDAYA(QString::number(3100 + n), 4);
        typeMatrixCell(w, 1, 1, QString::number(3100 + n));
        ASSERT_TRUE(hasCell(G().AMATRIX, 1, 1));
        ASSERT_EQ(G().AMATRIX[1][1], typed);

        QList<bool> yes(way.first.size(), true);
        replies_ = yes + QList<bool>{false};
        way.go(w);
        EXPECT_EQ(boxes_, way.first + QStringList{changedOnDiskQuestion(path)});
        EXPECT_EQ(test::readAll(path), theirs);
        EXPECT_EQ(openProblemPath(), path);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(G().LMATCHANGED);
        ASSERT_TRUE(hasCell(G().AMATRIX, 1, 1));
        EXPECT_EQ(G().AMATRIX[1][1], typed);

        boxes_.clear();
        replies_ = yes + QList<bool>{true};
        way.go(w);
        EXPECT_EQ(boxes_, way.first + QStringList{changedOnDiskQuestion(path)});
        EXPECT_EQ(FileView(path).cell(1, 1), typed);
        way.done(w);
    }
}

// Farklı Kaydet of a problem whose file another writer changed: Hayır keeps
// that file as the other writer left it and still writes the problem, as the
// program shows it, into the new file, which becomes the open one. Evet
// writes the open file first, and the new file is its copy.
TEST_F(ProblemFileProgramTest, SaveAsKeepsBothWhenTheOpenFileIsNotWrittenOver)
{
    STANDARDSHELLWINDOW& w = window();
    const QString path = data(QStringLiteral("BROYLER.ZVF"));
    openFromMenu(w, path);
    ASSERT_EQ(openProblemPath(), path);
    ASSERT_TRUE(hasCell(G().AYMTABLE, 0, YMPRICE));
    const QString ours = G().AYMTABLE[0][YMPRICE];
    const QString theirPrice = SDAYA(QStringLiteral("99"), 3);
    const QByteArray theirs = priceElsewhere(path, kMisir, theirPrice);
    typeMatrixCell(w, 1, 1, QStringLiteral("3150"));
    const QString typed = SDAYA(QStringLiteral("3150"), 4);

    const QString copy = data(QStringLiteral("YENI.ZVF"));
    fileNames_ = {copy};
    replies_ = {false};
    press(w, Qt::Key_F);  // "&Farklı Kaydet"
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(test::readAll(path), theirs);
    EXPECT_EQ(openProblemPath(), copy);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZEVA 2.0 - ") + copy);
    EXPECT_FALSE(G().anyChanged());
    ASSERT_TRUE(hasCell(G().AMATRIX, 1, 1));
    ASSERT_TRUE(hasCell(G().AYMTABLE, 0, YMPRICE));
    EXPECT_EQ(G().AMATRIX[1][1], typed);
    EXPECT_EQ(G().AYMTABLE[0][YMPRICE], ours);
    {
        const FileView file(copy);
        EXPECT_EQ(file.cell(1, 1), typed);
        EXPECT_EQ(file.price(kMisir), ours);
        EXPECT_EQ(FileView(path).price(kMisir), theirPrice);
    }

    // The new file changed on disk in its turn: Evet writes it, then copies it.
    boxes_.clear();
    priceElsewhere(copy, kMisir, theirPrice);
    typeMatrixCell(w, 2, 2, QStringLiteral("49"));
    const QString second = data(QStringLiteral("IKINCI.ZVF"));
    fileNames_ = {second};
    replies_ = {true};
    press(w, Qt::Key_F);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(copy)});
    EXPECT_EQ(openProblemPath(), second);
    EXPECT_EQ(test::readAll(copy), test::readAll(second));
    const FileView file(copy);
    EXPECT_EQ(file.cell(2, 2), SDAYA(QStringLiteral("49"), 4));
    EXPECT_EQ(file.price(kMisir), ours);
}

// Two sessions on one data folder, each with the broiler example open: the
// first sets MISIR's price and saves, the second changes ME_KA's limit and
// saves. The second is asked first; Hayır keeps the first one's price in
// the file. Once the second wrote over it with Evet, the first is asked in
// its turn.
TEST_F(ProblemFileProgramTest, TwoSessionsOnOneFileLoseNothingUnasked)
{
    STANDARDSHELLWINDOW& w = window();
    const QString path = data(QStringLiteral("BROYLER.ZVF"));
    const QString price = SDAYA(QStringLiteral("99"), 3);
    const QString limit = SDAYA(QStringLiteral("3050"), 4);

    openFromMenu(w, path);
    ASSERT_EQ(G().AYMNAMES.value(0), kMisir);
    ASSERT_TRUE(hasCell(G().AYMTABLE, 0, YMPRICE));
    G().AYMTABLE[0][YMPRICE] = price;
    G().LYMCHANGED = true;
    ActiveProblem first = G();
    G().reset();

    openFromMenu(w, path);
    ASSERT_EQ(G().ABMNAMES.value(1), QStringLiteral("ME_KA"));
    ASSERT_TRUE(hasCell(G().ABMTABLE, 1, BMLLIMIT));
    const QString ourLimit = G().ABMTABLE[1][BMLLIMIT];
    G().ABMTABLE[1][BMLLIMIT] = limit;
    G().LBMCHANGED = true;
    ActiveProblem second = G();
    ASSERT_TRUE(boxes_.isEmpty());

    // The first saves: nothing changed since it read the file.
    G() = first;
    press(w, Qt::Key_K);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(FileView(path).price(kMisir), price);
    first = G();
    const QByteArray firstSaved = test::readAll(path);

    // The second is told.
    G() = second;
    replies_ = {false};
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(test::readAll(path), firstSaved);
    EXPECT_TRUE(G().LBMCHANGED);
    boxes_.clear();
    replies_ = {true};
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(FileView(path).lowerLimit(QStringLiteral("ME_KA")), limit);
    second = G();
    const QByteArray secondSaved = test::readAll(path);

    // The first changes its price again: told in its turn.
    G() = first;
    ASSERT_TRUE(hasCell(G().AYMTABLE, 0, YMPRICE));
    G().AYMTABLE[0][YMPRICE] = SDAYA(QStringLiteral("98"), 3);
    G().LYMCHANGED = true;
    boxes_.clear();
    replies_ = {false};
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(test::readAll(path), secondSaved);
    EXPECT_EQ(FileView(path).lowerLimit(QStringLiteral("ME_KA")), limit);
    EXPECT_NE(ourLimit, limit);
    G().LYMCHANGED = false;
}

// Files whose matrix does not fit their tables, as another program or an
// older save may leave them: opened from the menu, each gives the warning;
// a plain Ctrl+K writes the problem as the program shows it, so the file
// opens again without the warning and gives the same problem.
TEST_F(ProblemFileProgramTest, AFileOpenedWithTheMismatchWarningIsSavedAsShown)
{
    using Rec = QList<QPair<const char*, QString>>;
    auto cells = [](const QStringList& values) {
        QString text;
        for (const QString& v : values)
            text += SDAYA(v, 4) + QLatin1Char(',');
        return text;
    };
    const Rec misir{{"YMADI", "MISIR"}, {"YMFIAT", SDAYA("10.5", 3)}, {"BMADI", "AGIRLIK"}, {"BMSABIT", SDAYA("1", 4)}};
    const Rec soya{{"YMADI", "SOYA KÜSPESİ 48"}, {"YMFIAT", SDAYA("21.5", 3)}, {"BMADI", "ME_KA"},
                   {"BMALTLIM", SDAYA("2900", 4)}};
    const Rec hp{{"BMADI", "HP"}, {"BMALTLIM", SDAYA("20", 4)}, {"BMADIA", "HP"}, {"BMADIB", "ME_KA"},
                 {"OALTLIM", SDAYA("0.007", 4)}};
    const QString cut = QStringLiteral("Tablolarda karşılığı olmayan matris hücreleri ve satırları atılacak.");
    const QString padded =
        QStringLiteral("Matriste karşılığı olmayan yem ve besin maddelerinin hücreleri boş (0) alınacak.");
    const struct {
        const char* what;
        QList<Rec> records;
        QString told;
    } cases[] = {
        // No header; the row of a nutrient another program removed is kept
        // last: no header either, it is dropped and the default header taken.
        {"a stray last row and no header",
         {misir + Rec{{"YMBMAT", cells({"1", "1"})}}, soya + Rec{{"YMBMAT", cells({"3350", "2440"})}},
          hp + Rec{{"YMBMAT", cells({"8.5", "48.5"})}}, {{"YMBMAT", cells({"0.02", "0.27"})}}},
         cut},
        {"a row after the header",
         {misir + Rec{{"YMBMAT", cells({"1", "1"})}}, soya + Rec{{"YMBMAT", cells({"3350", "2440"})}},
          hp + Rec{{"YMBMAT", cells({"8.5", "48.5"})}}, {{"YMBMAT", QStringLiteral("K,1000.00,TL,Kg,")}},
          {{"YMBMAT", cells({"0.02", "0.27"})}}},
         cut},
        {"a cell and a row missing",
         {misir + Rec{{"YMBMAT", cells({"1", "1"})}}, soya + Rec{{"YMBMAT", cells({"3350"})}},
          hp + Rec{{"YMBMAT", QStringLiteral("G,1.000,USD,Kg,")}}},
         padded},
    };
    STANDARDSHELLWINDOW& w = window();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = data(QStringLiteral("UYUSMAZ.ZVF"));
        DbfTable t = newProblemTable(1);
        for (const Rec& rec : c.records) {
            const int r = t.appendRecord();
            for (const auto& [name, value] : rec)
                t.setValue(r, QString::fromLatin1(name), value);
        }
        ASSERT_TRUE(writeDbfFile(path, t));

        boxes_.clear();
        openFromMenu(w, path);
        ASSERT_EQ(openProblemPath(), path);
        EXPECT_EQ(boxes_, QStringList{QStringLiteral("Uyarı...: ") + path
                                      + QStringLiteral(" dosyasının matrisi yem/besin maddesi tablosuyla "
                                                       "uyuşmuyor...\n\n")
                                      + c.told});
        const ActiveProblem shown = G();

        boxes_.clear();
        press(w, Qt::Key_K);
        EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
        EXPECT_FALSE(G().anyChanged());

        openFromMenu(w, path);
        EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(G().AYMTABLE, shown.AYMTABLE);
        EXPECT_EQ(G().ABMTABLE, shown.ABMTABLE);
        EXPECT_EQ(G().ABMOTABLE, shown.ABMOTABLE);
        EXPECT_EQ(G().AMATRIX, shown.AMATRIX);
        EXPECT_EQ(G().APARAMS, shown.APARAMS);
        EXPECT_FALSE(G().anyChanged());
        boxes_.clear();
        press(w, Qt::Key_P);  // "Ka&pat...": nothing to ask
        EXPECT_TRUE(boxes_.isEmpty());
        EXPECT_FALSE(G().isOpen());
    }
}

// A file another program only touched (a backup, a sync) holds nothing to
// lose: Ctrl+K asks nothing and saves. Once another writer changed its
// bytes, the question comes, and Enter (the reflex answer) keeps that change
// and the edit: Hayır is the default.
TEST_F(ProblemFileProgramTest, EnterAtTheChangedOnDiskQuestionKeepsTheOtherWritersChange)
{
    STANDARDSHELLWINDOW& w = window();
    const QString path = data(QStringLiteral("BROYLER.ZVF"));
    openFromMenu(w, path);
    ASSERT_EQ(openProblemPath(), path);

    test::touchOnly(path);
    typeMatrixCell(w, 1, 1, QStringLiteral("3150"));
    press(w, Qt::Key_K);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(G().anyChanged());
    EXPECT_EQ(FileView(path).cell(1, 1), SDAYA(QStringLiteral("3150"), 4));

    const QByteArray theirs = priceElsewhere(path, kMisir, SDAYA(QStringLiteral("99"), 3));
    typeMatrixCell(w, 2, 2, QStringLiteral("49"));
    const QString typed = SDAYA(QStringLiteral("49"), 4);
    enter_ = true;
    press(w, Qt::Key_K);
    EXPECT_EQ(boxes_, QStringList{changedOnDiskQuestion(path)});
    EXPECT_EQ(test::readAll(path), theirs);
    EXPECT_TRUE(G().LMATCHANGED);
    ASSERT_TRUE(hasCell(G().AMATRIX, 2, 2));
    EXPECT_EQ(G().AMATRIX[2][2], typed);
    G().LMATCHANGED = false;
}

// The open problem has an edit and another writer changed its file; the user
// chooses "&Yeni..." and the close it starts stops: at the question on the
// other writer's change (Hayır), or because the save fails. The open problem
// stays, and every file in the data folder is as it was, bytes and presence:
// nothing is replaced by the new empty table, no new file is made.
TEST_F(ProblemFileProgramTest, ANewStoppedByTheCloseLeavesEveryFileAsItWas)
{
    const QString path = data(QStringLiteral("BROYLER.ZVF"));
    const QString existing = data(QStringLiteral("SUTINEGI.ZVF"));
    auto folder = [this] {
        QMap<QString, QByteArray> files;
        const QDir dir(tmp_.file(QStringLiteral("Data")));
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            files.insert(name, test::readAll(dir.filePath(name)));
        return files;
    };
    const QString overwrite = QStringLiteral("Uyarı...: ") + existing
                              + QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?");
    const QString saveFailed = QStringLiteral("Hata...: ") + path
                               + QStringLiteral(" dosyasını kaydetmede hata!\n\nDeğişiklikler kaydedilmedi.");
    const struct {
        const char* what;
        QString name;  // as typed in the new-problem dialog
        bool saveFails;
        QList<bool> replies;
        QStringList asked;
    } cases[] = {
        {"an existing name, Hayır to the question", QStringLiteral("SUTINEGI"), false, {true, true, false},
         {overwrite, saveQuestion(path), changedOnDiskQuestion(path)}},
        {"a new name, Hayır to the question", QStringLiteral("YENI"), false, {true, false},
         {saveQuestion(path), changedOnDiskQuestion(path)}},
        {"an existing name, the save fails", QStringLiteral("SUTINEGI"), true, {true, true},
         {overwrite, saveQuestion(path), saveFailed}},
        {"a new name, the save fails", QStringLiteral("YENI"), true, {true}, {saveQuestion(path), saveFailed}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        G().reset();
        STANDARDSHELLWINDOW& w = window();
        openFromMenu(w, path);
        ASSERT_EQ(openProblemPath(), path);
        typeMatrixCell(w, 1, 1, QStringLiteral("3150"));
        const QString typed = SDAYA(QStringLiteral("3150"), 4);
        if (c.saveFails) {
            // The open file made read-only meanwhile: its save cannot replace it.
            ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        } else {
            priceElsewhere(path, kMisir, SDAYA(QString::number(90 + ++n), 3));  // a new price each time
        }
        const QMap<QString, QByteArray> before = folder();

        boxes_.clear();
        newName_ = c.name;
        replies_ = c.replies;
        press(w, Qt::Key_Y);  // "&Yeni..."
        EXPECT_EQ(boxes_, c.asked);
        EXPECT_EQ(folder(), before);
        EXPECT_EQ(openProblemPath(), path);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("ZEVA 2.0 - ") + path);
        EXPECT_TRUE(G().LMATCHANGED);
        ASSERT_TRUE(hasCell(G().AMATRIX, 1, 1));
        EXPECT_EQ(G().AMATRIX[1][1], typed);

        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ReadGroup));
        G().LMATCHANGED = false;
    }
}

}  // namespace
}  // namespace zeva
