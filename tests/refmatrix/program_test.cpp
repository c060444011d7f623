// The reference-matrix commands in the program: the main window wired as the
// program wires it, its own Qt user port, the installed sample tables, every
// step chosen from the menu and every dialog answered on screen. A new
// problem is built from the reference table, solved, extended by a fifth
// feed, saved and opened again. The reference matrix window and the
// nutrient column dialog are opened from the menu too.
#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "core/problemtestutil.h"
#include "core/ui/choicedialogs.h"
#include "core/ui/matchdialog.h"
#include "core/ui/paramdialogs.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/entrywindowopeners.h"
#include "editing/ui/entrywindows.h"
#include "editing/ui/oabsbrowser.h"
#include "platform/dbf.h"
#include "platform/helpdisplay.h"
#include "platform/runtime.h"
#include "platform/ui/controls.h"
#include "refmatrix/nutrientcolumns.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/refmatrixedit.h"
#include "refmatrix/reftables.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "refmatrix/ui/stddatawindow.h"
#include "reftestutil.h"
#include "shell/menustate.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/nutrientcolumndialog.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/colonmathsdialog.h"
#include "shell/ui/standardshellwindow.h"
#include "support/agree.h"
#include "support/fakeport.h"
#include "support/files.h"
#include "support/hangguard.h"
#include "support/helplauncher.h"
#include "support/programenv.h"
#include "support/picklist.h"
#include "support/sampledata.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <memory>

namespace zeva {
namespace {

class ReferenceProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::installSampleData(tmp_.path()), QString()); }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window as the program wires it; its dialogs are answered by
    // `answer`.
    STANDARDSHELLWINDOW& window()
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>();
        STANDARDSHELLWINDOW& w = *window_;
        installEntryWindowCommands(w);
        installReferenceMatrixCommands(w);
        w.qtPort()->setToneWait(false);
        w.qtPort()->setDialogRunner([this](QDialog& d) { return answer(d); });
        return w;
    }

    int answer(QDialog& d)
    {
        d.open();
        if (auto* dlg = qobject_cast<YENIDOSYAWINDOW*>(&d)) {
            dlg->DOSYAADILINE->setText(newName_);
            (newType_ == 1 ? dlg->KYEMBUTTON : dlg->GRASBUTTON)->click();
            dlg->pbTamam->click();
        } else if (auto* dlg = qobject_cast<MARKTOPBOT*>(&d)) {
            captions_ << dlg->windowTitle();
            EXPECT_EQ(dlg->pbTsec, nullptr);  // marked item by item
            if (marks_.isEmpty()) {
                ADD_FAILURE() << "no marks for " << dlg->windowTitle().toStdString();
            } else {
                const QStringList marks = marks_.takeFirst();
                for (const QString& m : marks) {
                    bool found = false;
                    for (int i = 0; i < dlg->LBTOSELECT->count(); ++i)
                        if (AllTrim(dlg->LBTOSELECT->item(i)->text()) == m) {
                            dlg->LBTOSELECT->item(i)->setSelected(true);
                            found = true;
                        }
                    EXPECT_TRUE(found) << m.toStdString();
                }
            }
            dlg->pbTamam->click();
        } else {
            return test::agree(d, &boxes_);
        }
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

    // The stored cells of one reference feed under the problem's nutrients.
    QStringList referenceColumn(const QString& table, const QString& feed) const
    {
        DbfTable t;
        EXPECT_TRUE(readDbfFile(referenceTablePath(table), &t));
        QStringList cells;
        for (int rec : t.liveRecords()) {
            if (AllTrim(t.value(rec, 0)) != feed)
                continue;
            for (const QString& n : G().ABMNAMES)
                cells << (t.hasField(n) ? t.value(rec, n) : QStringLiteral("     1.0000"));  // the weight row
            return cells;
        }
        ADD_FAILURE() << "no reference feed " << feed.toStdString();
        return cells;
    }

    static Table trimmed(Table t)
    {
        for (Row& r : t)
            for (QString& c : r)
                c = AllTrim(c);
        return t;
    }

    static QStringList column(int j)
    {
        QStringList cells;
        for (const Row& r : G().AMATRIX)
            cells << r.value(j);
        return cells;
    }

    void buildSolveExtendReopen(int type, const QString& table, const QStringList& nutrients,
                                const QStringList& feeds, const QString& fifth, const QStringList& expectedNames,
                                const QList<QPair<QString, QString>>& limits)
    {
        newName_ = type == 1 ? QStringLiteral("KARMA1") : QStringLiteral("RASYON1");
        newType_ = type;
        STANDARDSHELLWINDOW& w = window();
        choose(w, 3527);  // "&Yeni..."
        ASSERT_TRUE(G().isOpen());
        const QString path = G().OPROBSERVER->path();

        marks_ = {nutrients, feeds};
        choose(w, 3543);  // "Seçerek &Oluştur"
        EXPECT_EQ(captions_, (QStringList{"Besin Maddesi Seçimi", "Yem Maddesi Seçimi"}));
        EXPECT_TRUE(marks_.isEmpty());
        EXPECT_EQ(G().ABMNAMES, expectedNames);
        EXPECT_EQ(G().AYMNAMES, feeds);
        for (int j = 0; j < feeds.size(); ++j)
            EXPECT_EQ(column(j), referenceColumn(table, feeds.at(j))) << feeds.at(j).toStdString();
        // The full problem: the builder is greyed, the solve and the windows open.
        EXPECT_FALSE(w.mainMenu()->isEnabled(3543));
        EXPECT_TRUE(w.mainMenu()->isEnabled(3550));
        EXPECT_TRUE(w.mainMenu()->isEnabled(3545));
        EXPECT_TRUE(w.mainMenu()->isEnabled(3546));

        // The limits the user types in the nutrient window before a solve.
        for (const auto& [name, lower] : limits) {
            const int r = static_cast<int>(G().ABMNAMES.indexOf(name));
            ASSERT_GE(r, 0) << name.toStdString();
            G().ABMTABLE[r][BMLLIMIT] = SDAYA(lower, 4);
        }
        G().LBMCHANGED = true;

        G().CREPORTFILE.clear();
        choose(w, 3550);  // "Yem &Formülü"
        ASSERT_FALSE(G().CREPORTFILE.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
        QFile report(G().CREPORTFILE);
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        EXPECT_TRUE(report.readAll().contains("Optimum \xC7\xF6z\xFCm Bulundu."));
        report.close();

        marks_ = {{fifth}};
        boxes_.clear();
        choose(w, 3545);  // "&Yem Maddesi Ekle"
        EXPECT_EQ(boxes_, QStringList{QStringLiteral("Seçilen yem maddeleri aktif girişlere eklenecek!")});
        ASSERT_EQ(G().AYMNAMES.size(), feeds.size() + 1);
        EXPECT_EQ(G().AYMNAMES.last(), fifth);
        EXPECT_EQ(column(static_cast<int>(feeds.size())), referenceColumn(table, fifth));

        const ActiveProblem before = G();
        choose(w, 3532);  // "&Kaydet..."
        EXPECT_FALSE(G().anyChanged());

        G().reset();
        test::FakePort quiet;
        FileCommands files(quiet);
        ASSERT_TRUE(files.DOOPENFILE(path));
        // Blank cells come back as wide as their fields.
        EXPECT_EQ(trimmed(G().AYMTABLE), trimmed(before.AYMTABLE));
        EXPECT_EQ(trimmed(G().ABMTABLE), trimmed(before.ABMTABLE));
        EXPECT_EQ(G().AMATRIX, before.AMATRIX);
        EXPECT_EQ(G().APARAMS, before.APARAMS);
        EXPECT_EQ(G().ABMNAMES, before.ABMNAMES);
    }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    QString newName_;
    int newType_ = 1;
    QList<QStringList> marks_;
    QStringList captions_;
    QStringList boxes_;
};

TEST_F(ReferenceProgramTest, CompoundFeedFromTheAsFedTable)
{
    buildSolveExtendReopen(1, kAsFedTable, {"HP", "ME_KA", "KALSIYUM"},
                           {"MISIR", "ARPA", "BUĞDAY", "BUĞDAY KEPEĞİ"}, QStringLiteral("RAZMOL"),
                           {"AGIRLIK", "HP", "ME_KA", "KALSIYUM"}, {{QStringLiteral("HP"), QStringLiteral("12")}, {QStringLiteral("ME_KA"), QStringLiteral("2800")}});
}

TEST_F(ReferenceProgramTest, DailyRationFromTheDryMatterTable)
{
    buildSolveExtendReopen(2, kDryMatterTable, {"HP", "NDF", "NEL"},
                           {"MISIR SİLAJI", "YONCA KURU OTU", "ÇAYIR KURU OTU", "ARPA"},
                           QStringLiteral("YULAF KURU OTU"), {"KMT", "KMO", "HP", "NDF", "NEL"},
                           {{QStringLiteral("HP"), QStringLiteral("1")}, {QStringLiteral("NEL"), QStringLiteral("1")}});
}

// A reference feed whose name the problem file cuts, added to the broiler
// example, saved, and added again after the program starts on the file once
// more: the file holds it once.
TEST_F(ReferenceProgramTest, AFeedOfALongNameIsAddedOnceAcrossAReopen)
{
    const QString byProduct = QStringLiteral("KANATLI YAN ÜRÜN UNU");
    const QString kept = QStringLiteral("KANATLI YAN ÜRÜ");
    const QString path = tmp_.file(QStringLiteral("Data/BROYLER.ZVF"));
    {
        STANDARDSHELLWINDOW& w = window();
        ASSERT_TRUE(w.DOOPENFILE(path));
        const qsizetype feeds = G().AYMNAMES.size();
        marks_ = {{byProduct}};
        choose(w, 3545);  // "&Yem Maddesi Ekle"
        EXPECT_EQ(boxes_, QStringList{QStringLiteral("Seçilen yem maddeleri aktif girişlere eklenecek!")});
        ASSERT_EQ(G().AYMNAMES.size(), feeds + 1);
        // Known by the name the file keeps, before the save too.
        EXPECT_EQ(G().AYMNAMES.last(), kept);
        choose(w, 3532);  // "&Kaydet..."
        EXPECT_FALSE(G().anyChanged());
    }

    window_.reset();
    G().reset();
    STANDARDSHELLWINDOW& w = window();
    ASSERT_TRUE(w.DOOPENFILE(path));
    EXPECT_EQ(G().AYMNAMES.count(kept), 1);
    boxes_.clear();
    marks_ = {{byProduct}};
    choose(w, 3545);
    // Named as left out; no question, nothing added.
    EXPECT_EQ(boxes_, QStringList{kFeedsLeftOut + byProduct});
    EXPECT_EQ(G().AYMNAMES.count(kept), 1);
    EXPECT_FALSE(G().anyChanged());
    choose(w, 3532);

    const QString script = QStringLiteral(
        "import json, sys, dbfread\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')\n"
        "print(json.dumps([r['YMADI'] for r in t]))\n");
    QString error;
    const QJsonDocument doc = test::runPython(script, {path}, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    int copies = 0;
    for (const QJsonValue& v : doc.array())
        copies += v.toString().trimmed() == kept ? 1 : 0;
    EXPECT_EQ(copies, 1);
}

// Two reference feeds whose names the problem file cuts to one, picked
// together in "&Yem Maddesi Ekle": the first goes in, and the warning names
// the second as meeting another pick of the same command, not a feed of the
// problem.
TEST_F(ReferenceProgramTest, TwoPicksOfOneKeptNameAreToldApartFromTheProblemsFeeds)
{
    STANDARDSHELLWINDOW& w = window();
    const QString table = referenceTablePath(kAsFedTable);
    DbfTable t;
    ASSERT_TRUE(readDbfFile(table, &t));
    const QStringList batches{QStringLiteral("MISIR ÇİFTLİK-1 A"), QStringLiteral("MISIR ÇİFTLİK-1 B")};
    for (const QString& name : batches) {
        const int rec = t.appendRecord();
        t.setValue(rec, 0, name);
        t.setValue(rec, 1, SDAYA(QStringLiteral("10"), 3));
    }
    ASSERT_TRUE(writeDbfFile(table, t));

    ASSERT_TRUE(w.DOOPENFILE(tmp_.file(QStringLiteral("Data/BROYLER.ZVF"))));
    const QStringList before = G().AYMNAMES;
    marks_ = {batches};
    choose(w, 3545);  // "&Yem Maddesi Ekle"
    EXPECT_EQ(boxes_, (QStringList{kFeedsLeftOutByPick + batches.at(1),
                                   QStringLiteral("Seçilen yem maddeleri aktif girişlere eklenecek!")}));
    EXPECT_EQ(G().AYMNAMES, before + QStringList{QStringLiteral("MISIR ÇİFTLİK-1")});
}

TEST_F(ReferenceProgramTest, TheMatchingDialogThroughTheQtPort)
{
    // A nutrient without a same-named column: the dialog is asked through the
    // window's port, and its choice renames the nutrient.
    STANDARDSHELLWINDOW& w = window();
    QStringList asked;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        if (auto* dlg = qobject_cast<CB_HSEC*>(&d)) {
            asked << dlg->FT_BM_UN->text();
            dlg->CBHSEC->setCurrentIndex(dlg->CBHSEC->findText(QStringLiteral("HP")));
            dlg->pbTamam->click();
        } else {
            return answer(d);
        }
        return d.result();
    });
    const MatchAnswer a = w.port().askMatch(QStringLiteral("Ham Protein"), {"FIATI", "KMO", "HP"});
    EXPECT_EQ(asked, QStringList{QStringLiteral("Ham Protein ->\nEşini Seçiniz")});
    EXPECT_EQ(a.result, 1);
    EXPECT_EQ(a.selected, 3);

    // Typed text is no choice, left with Enter or Tab; a list item picked
    // from the keyboard is. Enter on a button that has the focus presses it.
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        auto* dlg = qobject_cast<CB_HSEC*>(&d);
        if (!dlg) {
            ADD_FAILURE() << d.windowTitle().toStdString();
            return answer(d);
        }
        QApplication::setActiveWindow(dlg);
        dlg->CBHSEC->setFocus();
        test::typeText(dlg->CBHSEC->lineEdit(), QStringLiteral("HP"));
        QTest::keyClick(dlg->CBHSEC->lineEdit(), Qt::Key_Return);
        QTest::keyClick(dlg->CBHSEC->lineEdit(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dlg->pbTamam);
        EXPECT_EQ(dlg->CBHSEC->currentIndex(), -1);
        QTest::keyClick(dlg->pbTamam, Qt::Key_Return);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->NSELECTED, 0);
        dlg->CBHSEC->setFocus();
        QTest::keyClick(dlg->CBHSEC, Qt::Key_Down);
        EXPECT_EQ(dlg->CBHSEC->currentIndex(), 0);
        dlg->pbTamam->setFocus();
        QTest::keyClick(dlg->pbTamam, Qt::Key_Return);
        return d.result();
    });
    const MatchAnswer picked = w.port().askMatch(QStringLiteral("Ham Protein"), {"FIATI", "KMO", "HP"});
    EXPECT_EQ(picked.result, 1);
    EXPECT_EQ(picked.selected, 1);

    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        auto* dlg = qobject_cast<CB_HSEC*>(&d);
        if (dlg) {
            dlg->CBHSEC->setCurrentIndex(0);
            dlg->pbAtla->setFocus();
            QTest::keyClick(dlg->pbAtla, Qt::Key_Enter);
        }
        return d.result();
    });
    const MatchAnswer skipped = w.port().askMatch(QStringLiteral("Ham Protein"), {"FIATI", "HP"});
    EXPECT_EQ(skipped.result, 2);
    EXPECT_EQ(skipped.selected, 0);

    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        d.close();  // the close box
        return d.result();
    });
    const MatchAnswer closed = w.port().askMatch(QStringLiteral("Ham Protein"), {"HP"});
    EXPECT_EQ(closed.result, 0);
    EXPECT_EQ(closed.selected, 0);
}

// "&Besin Maddesi Ekle" asks the reference feed of a problem feed that has
// none: the matching dialog's open list shows every name whole, also two long
// ones that differ only at their end.
TEST_F(ReferenceProgramTest, TheMatchingListShowsEveryNameWhole)
{
    STANDARDSHELLWINDOW& w = window();
    w.show();
    const QString table = referenceTablePath(kAsFedTable);
    DbfTable t;
    ASSERT_TRUE(readDbfFile(table, &t));
    const QStringList batches{QStringLiteral("MISIR ÇİFTLİK-1 ANKARA A"),
                              QStringLiteral("MISIR ÇİFTLİK-1 ANKARA B")};
    for (const QString& name : batches) {
        const int rec = t.appendRecord();
        t.setValue(rec, 0, name);
    }
    ASSERT_TRUE(writeDbfFile(table, t));

    ASSERT_TRUE(w.DOOPENFILE(tmp_.file(QStringLiteral("Data/BROYLER.ZVF"))));
    // A feed the user renamed: no reference record has its name.
    const int salt = static_cast<int>(G().AYMNAMES.indexOf(QStringLiteral("TUZ")));
    ASSERT_GE(salt, 0);
    G().AYMNAMES[salt] = QStringLiteral("DENİZ TUZU");
    G().AYMTABLE[salt][YMNAME] = PadR(QStringLiteral("DENİZ TUZU"), 15);

    QStringList asked;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<CB_HSEC*>(&d);
        if (!dlg)
            return answer(d);
        d.open();
        QApplication::setActiveWindow(dlg);
        asked << dlg->FT_BM_UN->text();
        dlg->CBHSEC->setFocus();
        QTest::keyClick(dlg->CBHSEC, Qt::Key_Down, Qt::AltModifier);  // opens the list
        QAbstractItemView* list = dlg->CBHSEC->view();
        EXPECT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }, 2000));
        QStringList names;
        for (int i = 0; i < dlg->CBHSEC->count(); ++i) {
            const QModelIndex index = list->model()->index(i, 0);
            names << index.data().toString();
            EXPECT_LE(list->sizeHintForIndex(index).width(), list->viewport()->width())
                << index.data().toString().toStdString();
        }
        EXPECT_TRUE(names.contains(batches.at(0)) && names.contains(batches.at(1)));
        dlg->CBHSEC->hidePopup();
        dlg->pbAtla->click();
        return d.result();
    });
    marks_ = {{QStringLiteral("SODYUM")}};
    choose(w, 3546);  // "&Besin Maddesi Ekle"
    EXPECT_EQ(asked, QStringList{QStringLiteral("DENİZ TUZU ->\nEşini Seçiniz")});
    EXPECT_TRUE(G().ABMNAMES.contains(QStringLiteral("SODYUM")));
}

// The pick lists the menus open, over the shipped tables: "Seçerek
// &Oluştur", "&Yem Maddesi Ekle" and "&Besin Maddesi Ekle", for a compound
// feed from the as-fed table and a daily ration from the dry-matter table.
// Every name shows whole, the longest ones ("KANATLI YAN ÜRÜN UNU",
// "PEYNİRALTI SUYU TOZU", "SOYA KÜSPESİ 48") included, and so does every
// title.
TEST_F(ReferenceProgramTest, ThePickListsShowEveryNameAndTitleWhole)
{
    const struct {
        int type;
        const char* name;
        QStringList firstFeeds;
        QStringList longNames;
    } problems[] = {
        {1, "KARMA1", {QStringLiteral("MISIR")},
         {QStringLiteral("KANATLI YAN ÜRÜN UNU"), QStringLiteral("PEYNİRALTI SUYU TOZU"),
          QStringLiteral("SOYA KÜSPESİ 48")}},
        {2, "RASYON1", {QStringLiteral("ARPA")}, {QStringLiteral("YAŞ PANCAR POSASI"), QStringLiteral("SOYA KÜSPESİ 48")}},
    };
    for (const auto& problem : problems) {
        SCOPED_TRACE(problem.name);
        window_.reset();
        G().reset();
        newName_ = QString::fromUtf8(problem.name);
        newType_ = problem.type;
        STANDARDSHELLWINDOW& w = window();
        w.show();
        QStringList titles;
        QSet<QString> shown;
        w.qtPort()->setDialogRunner([&](QDialog& d) {
            if (auto* dlg = qobject_cast<MARKTOPBOT*>(&d)) {
                d.open();
                titles << dlg->windowTitle();
                test::expectPickListWhole(*dlg, dlg->LBTOSELECT);
                for (int i = 0; i < dlg->LBTOSELECT->count(); ++i)
                    shown << AllTrim(dlg->LBTOSELECT->item(i)->text());
            }
            return answer(d);
        });
        choose(w, 3527);  // "&Yeni..."
        ASSERT_TRUE(G().isOpen());
        marks_ = {{QStringLiteral("HP")}, problem.firstFeeds};
        choose(w, 3543);  // "Seçerek &Oluştur"
        marks_ = {{QStringLiteral("SOYA KÜSPESİ 48")}};
        choose(w, 3545);  // "&Yem Maddesi Ekle"
        marks_ = {{QStringLiteral("KALSIYUM")}};
        choose(w, 3546);  // "&Besin Maddesi Ekle"
        EXPECT_TRUE(marks_.isEmpty());
        EXPECT_EQ(titles, (QStringList{"Besin Maddesi Seçimi", "Yem Maddesi Seçimi", "Yem Maddesi Ekle",
                                       "Besin Maddesi Ekle"}));
        EXPECT_TRUE(G().AYMNAMES.contains(QStringLiteral("SOYA KÜSPESİ 48")));
        EXPECT_TRUE(G().ABMNAMES.contains(QStringLiteral("KALSIYUM")));
        for (const QString& name : problem.longNames)
            EXPECT_TRUE(shown.contains(name)) << name.toStdString();
    }
}

TEST_F(ReferenceProgramTest, TheReferenceMatrixWindowFromTheMenu)
{
    STANDARDSHELLWINDOW& w = window();
    w.show();
    const QString path = referenceTablePath(kAsFedTable);
    const QByteArray before = test::fileBytes(path);
    auto referenceWindows = [&w] {
        QList<STDDATAWINDOW*> found;
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
            if (auto* r = qobject_cast<STDDATAWINDOW*>(sub))
                found << r;
        return found;
    };

    choose(w, ITEM_RMSEC_HK);
    choose(w, 3572);  // "&Matris Yazımı"
    ASSERT_EQ(referenceWindows().size(), 1);
    STDDATAWINDOW* rm = referenceWindows().first();
    EXPECT_EQ(rm->CRMFILE(), path);
    EXPECT_EQ(rm->windowTitle(), QStringLiteral("Havada Kuru Referans Matris Yazımı"));
    EXPECT_EQ(w.menuHost()->shownMenu(), rm->windowMenu());

    choose(w, 3572);  // the open window comes forward, no second one
    EXPECT_EQ(referenceWindows(), QList<STDDATAWINDOW*>{rm});
    EXPECT_EQ(w.mdiArea()->activeSubWindow(), rm);

    boxes_.clear();
    choose(w, 3573);  // "Besin Maddesi &Ekle-Sil" is refused while the window is open
    EXPECT_EQ(boxes_, QStringList{QStringLiteral("Referans matris penceresi açıkken bu işlem yapılamaz.")});
    EXPECT_EQ(test::fileBytes(path), before);

    // A price typed into the first feed's cell, in the grid.
    OABS_BROWSER* grid = rm->browser();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    QTest::keyClicks(grid, QStringLiteral("7"));
    CellEditor* editor = grid->openEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral(",5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(rm->edit().server().cellAt(2, 2), QStringLiteral("      7.500"));
    EXPECT_EQ(test::fileBytes(path), before);

    boxes_.clear();
    rm->close();  // answered Yes
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(referenceWindows().isEmpty());

    const QString script = QStringLiteral(
        "import json, sys, dbfread\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')\n"
        "print(json.dumps([dict(r) for r in t]))\n");
    QString error;
    const QJsonDocument doc = test::runPython(script, {path}, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const QJsonArray records = doc.array();
    ASSERT_GE(records.size(), 2);
    EXPECT_EQ(records.at(0).toObject().value(QStringLiteral("YM_ADI")).toString(), QStringLiteral("BIRIM"));
    EXPECT_EQ(records.at(1).toObject().value(QStringLiteral("FIATI")).toString(), QStringLiteral("      7.500"));

    // The window gone, the column dialog opens: "h" is refused (HP begins
    // with it), "ÇİNKO2" is refused with the rule of a field name, and the
    // dialog stays open for "lif", stored as LIF.
    boxes_.clear();
    QStringList dialogs;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        if (auto* dlg = qobject_cast<BM_MAN_WIN_DIALOG*>(&d)) {
            dialogs << dlg->windowTitle();
            EXPECT_TRUE(dlg->RBEKLE->isChecked());
            EXPECT_FALSE(dlg->LBBMAD->isEnabled());
            EXPECT_EQ(dlg->SLEBMNAME->maxLength(), 10);
            dlg->SLEBMNAME->setText(QStringLiteral("h"));
            dlg->PBTAMAM_->click();
            EXPECT_TRUE(dlg->isVisible());
            dlg->SLEBMNAME->setText(QStringLiteral("ÇİNKO2"));
            dlg->PBTAMAM_->click();
            EXPECT_TRUE(dlg->isVisible());
            dlg->SLEBMNAME->setText(QStringLiteral("lif"));
            dlg->PBTAMAM_->click();
            return d.result();
        }
        return answer(d);
    });
    choose(w, 3573);
    EXPECT_EQ(dialogs, QStringList{QStringLiteral("Havada Kuru RM: Besin maddesi ekle-sil")});
    EXPECT_EQ(boxes_, (QStringList{QStringLiteral("H Besin maddesi RM dosyasında mevcut."),
                                   QStringLiteral("Besin maddesi adı A-Z harflerinden biriyle başlamalı; yalnız A-Z "
                                                  "harfleri, rakamlar ve _ içerebilir.\n\nTürkçe harfler (Ç, Ğ, İ, "
                                                  "Ö, Ş, Ü) alan adında kullanılamaz.")}));
    DbfTable after;
    ASSERT_TRUE(readDbfFile(path, &after));
    EXPECT_EQ(after.fields().last().name, QStringLiteral("LIF"));
    EXPECT_EQ(after.value(1, QStringLiteral("FIATI")), QStringLiteral("      7.500"));
}

// A named pipe where the as-fed table should be: "&Matris Yazımı" tells why
// the table cannot be opened, at once, and opens no window.
TEST_F(ReferenceProgramTest, APipeAtTheReferenceTableOpensNoWindow)
{
    STANDARDSHELLWINDOW& w = window();
    w.show();
    const QString path = referenceTablePath(kAsFedTable);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    choose(w, ITEM_RMSEC_HK);
    boxes_.clear();
    {
        test::PipeGuard guard({path});
        choose(w, 3572);  // "&Matris Yazımı"
        EXPECT_FALSE(guard.hung()) << "the window waited on the pipe";
    }
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(boxes_.first().startsWith(kReferenceOpenError)) << boxes_.first().toStdString();
    EXPECT_TRUE(boxes_.first().endsWith(path + QStringLiteral(" normal bir dosya değil...")))
        << boxes_.first().toStdString();
    for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
        EXPECT_EQ(qobject_cast<STDDATAWINDOW*>(sub), nullptr);
}

// A reference table whose header is full (2046 fields): "Besin Maddesi
// &Ekle-Sil" from the menu refuses the new column in the dialog, saying why,
// the dialog stays open, and the table is not written.
TEST_F(ReferenceProgramTest, TheColumnDialogRefusesAColumnTheHeaderCannotHold)
{
    const QString path = referenceTablePath(kAsFedTable);
    DbfTable sample;
    ASSERT_TRUE(readDbfFile(path, &sample));
    QList<DbfField> fields = sample.fields();
    while (fields.size() < kDbfMaxFields)
        fields << DbfField{QStringLiteral("EK%1").arg(fields.size()), 'C', kCellWidth, 0};
    DbfTable full(fields);
    for (int rec = 0; rec < sample.recordCount(); ++rec) {
        const int r = full.appendRecord();
        for (int f = 0; f < sample.fieldCount(); ++f)
            full.setValue(r, f, sample.value(rec, f));
    }
    ASSERT_TRUE(writeDbfFile(path, full));
    const QByteArray before = test::fileBytes(path);

    STANDARDSHELLWINDOW& w = window();
    w.show();
    choose(w, ITEM_RMSEC_HK);
    bool stayedOpen = false;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        if (auto* dlg = qobject_cast<BM_MAN_WIN_DIALOG*>(&d)) {
            EXPECT_EQ(dlg->LBBMAD->count(), kDbfMaxFields);
            dlg->SLEBMNAME->setText(QStringLiteral("lif"));
            dlg->PBTAMAM_->click();
            stayedOpen = dlg->isVisible();
            dlg->PBIPTAL_->click();
            return d.result();
        }
        return answer(d);
    });
    choose(w, 3573);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(boxes_, QStringList{QStringLiteral("RM dosyasına yeni besin maddesi eklenemez.\n\nNOT: Dosya başlığı "
                                                 "en fazla 2046 alan tutabilir; dosyada 2046 alan var. Önce, sonradan "
                                                 "eklenen bir besin maddesini silmelisiniz.")});
    EXPECT_EQ(test::fileBytes(path), before);
}

// The cells of a DBF file as its bytes hold them: per field name, one entry
// per record.
QMap<QString, QList<QByteArray>> rawCells(const QByteArray& bytes)
{
    if (bytes.size() < 32)
        return {};
    auto u16 = [&](int at) { return int(quint8(bytes.at(at))) | int(quint8(bytes.at(at + 1))) << 8; };
    const int records = u16(4) | u16(6) << 16;
    const int headerLength = u16(8);
    const int recordLength = u16(10);
    QMap<QString, QList<QByteArray>> cells;
    int offset = 1;  // the deletion mark comes first
    for (int at = 32; at + 32 <= qMin(headerLength, int(bytes.size())) && bytes.at(at) != '\r'; at += 32) {
        const QString name = QString::fromLatin1(bytes.mid(at, 11).split('\0').first());
        const int length = bytes.at(at + 11) == 'C' ? u16(at + 16) : int(quint8(bytes.at(at + 16)));
        for (int r = 0; r < records; ++r)
            cells[name] << bytes.mid(headerLength + r * recordLength + offset, length);
        offset += length;
    }
    return cells;
}

// The table at `path` written again with the fields `names` (cells kept by
// name); a new field gets a value in every record.
void restructure(const QString& path, const QStringList& names)
{
    DbfTable old;
    ASSERT_TRUE(readDbfFile(path, &old));
    QList<DbfField> fields;
    for (const QString& n : names)
        fields << (old.hasField(n) ? old.fields().at(old.fieldIndex(n)) : DbfField{n, 'C', kCellWidth, 0});
    DbfTable fresh(fields);
    for (int rec = 0; rec < old.recordCount(); ++rec) {
        const int r = fresh.appendRecord();
        for (int f = 0; f < fields.size(); ++f)
            fresh.setValue(r, f, old.hasField(names.at(f)) ? old.value(rec, names.at(f))
                                                            : QStringLiteral("%1.%2").arg(rec + 1).arg(f));
    }
    ASSERT_TRUE(writeDbfFile(path, fresh));
}

// Another program changes the table's columns while "Besin Maddesi
// &Ekle-Sil" stands open: Sil and Araya gir act on the column the user chose,
// by its name, wherever it stands when the table is written; a column gone
// meanwhile is said and nothing is written. The other columns keep their
// bytes.
TEST_F(ReferenceProgramTest, TheColumnDialogActsOnTheChosenColumnByName)
{
    const QString path = referenceTablePath(kAsFedTable);
    const QStringList sample = test::fieldNames(path);
    ASSERT_FALSE(sample.contains(QStringLiteral("XA")));
    restructure(path, sample + QStringList{"ZB", "XA"});
    const QByteArray start = test::fileBytes(path);
    const QStringList fields = test::fieldNames(path);
    auto without = [](QStringList l, const QString& n) {
        l.removeAll(n);
        return l;
    };
    auto before = [](QStringList l, const QString& anchor, const QString& n) {
        l.insert(l.indexOf(anchor), n);
        return l;
    };
    const QStringList withYY = before(fields, "XA", "YY");
    const QString gone = QStringLiteral(" besin maddesi RM dosyasında artık yok: dosya, pencere açıldıktan sonra "
                                        "değiştirilmiş.\n\nNOT: RM dosyasında hiçbir değişiklik yapılmadı.");
    const QString deleteXA = QStringLiteral("MATNRC.DBF Referans matris dosyasındaki \nXA besin maddesi silinecek."
                                            "\n\nSilinmesini gerçekten istiyor musunuz?");
    const struct {
        const char* what;
        QRadioButton* BM_MAN_WIN_DIALOG::*operation;
        QString newName;   // typed, for Ekle and Araya gir
        QStringList theirs;  // the fields the other program leaves
        QStringList ours;    // the fields afterwards; empty: the file as they left it
        QStringList boxes;
    } cases[] = {
        {"Sil XA, YY put before it", &BM_MAN_WIN_DIALOG::RBSIL, "", withYY, without(withYY, "XA"), {deleteXA}},
        {"Sil XA, ZB deleted before it", &BM_MAN_WIN_DIALOG::RBSIL, "", without(fields, "ZB"),
         without(without(fields, "ZB"), "XA"), {deleteXA}},
        {"Araya gir before XA, YY put before it", &BM_MAN_WIN_DIALOG::RBAGIR, "yeni", withYY,
         before(withYY, "XA", "YENI"), {}},
        {"Araya gir before XA, ZB deleted before it", &BM_MAN_WIN_DIALOG::RBAGIR, "yeni", without(fields, "ZB"),
         before(without(fields, "ZB"), "XA", "YENI"), {}},
        {"Sil XA, XA deleted", &BM_MAN_WIN_DIALOG::RBSIL, "", without(fields, "XA"), {}, {deleteXA, "XA" + gone}},
        {"Araya gir before XA, XA deleted", &BM_MAN_WIN_DIALOG::RBAGIR, "yeni", without(fields, "XA"), {},
         {"Önüne girilecek XA" + gone}},
        {"Ekle LIF, LIF added", &BM_MAN_WIN_DIALOG::RBEKLE, "lif", fields + QStringList{"LIF"}, {},
         {"LIF Besin maddesi RM dosyasında mevcut."}},
    };

    STANDARDSHELLWINDOW& w = window();
    w.show();
    choose(w, ITEM_RMSEC_HK);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(f.write(start), start.size());
        }
        QByteArray theirs;
        boxes_.clear();
        w.qtPort()->setDialogRunner([&](QDialog& d) {
            d.open();
            auto* dlg = qobject_cast<BM_MAN_WIN_DIALOG*>(&d);
            if (!dlg)
                return answer(d);
            (dlg->*c.operation)->click();
            if (c.operation != &BM_MAN_WIN_DIALOG::RBEKLE) {
                const QList<QListWidgetItem*> xa = dlg->LBBMAD->findItems(QStringLiteral("XA"), Qt::MatchExactly);
                EXPECT_EQ(xa.size(), 1);
                if (!xa.isEmpty())
                    dlg->LBBMAD->setCurrentItem(xa.first());
            }
            if (!c.newName.isEmpty())
                dlg->SLEBMNAME->setText(c.newName);
            restructure(path, c.theirs);  // the other program, while the dialog is open
            theirs = test::fileBytes(path);
            dlg->PBTAMAM_->click();
            return d.result();
        });
        choose(w, 3573);
        EXPECT_EQ(boxes_, c.boxes);
        if (c.ours.isEmpty()) {
            EXPECT_EQ(test::fileBytes(path), theirs);
            continue;
        }
        EXPECT_EQ(test::fieldNames(path), c.ours);
        const QMap<QString, QList<QByteArray>> was = rawCells(theirs);
        const QMap<QString, QList<QByteArray>> now = rawCells(test::fileBytes(path));
        ASSERT_GT(was.value(QStringLiteral("YM_ADI")).size(), 2);
        EXPECT_TRUE(was.value(QStringLiteral("YM_ADI")).first().startsWith("BIRIM"));
        EXPECT_EQ(now.keys().size(), c.ours.size());
        for (const QString& f : c.ours) {
            const QList<QByteArray> expected = f == QLatin1String("YENI")
                                                   ? QList<QByteArray>(was.first().size(), QByteArray(kCellWidth, ' '))
                                                   : was.value(f);
            EXPECT_EQ(now.value(f).join('|'), expected.join('|')) << f.toStdString();
        }
    }
}

// The field descriptors of a DBF file as its bytes hold them, per name.
QMap<QString, QByteArray> rawDescriptors(const QByteArray& bytes)
{
    QMap<QString, QByteArray> descriptors;
    if (bytes.size() < 32)
        return descriptors;
    const int headerLength = int(quint8(bytes.at(8))) | int(quint8(bytes.at(9))) << 8;
    for (int at = 32; at + 32 <= qMin(headerLength, int(bytes.size())) && bytes.at(at) != '\r'; at += 32)
        descriptors[QString::fromLatin1(bytes.mid(at, 11).split('\0').first())] = bytes.mid(at, 32);
    return descriptors;
}

// A reference table to which another program added columns of its own,
// named in lower and mixed case, one of them numeric with decimals:
// "Besin Maddesi &Ekle-Sil" changes only the column it is asked to; every
// other column keeps its name as written, its descriptor and its cells.
TEST_F(ReferenceProgramTest, TheColumnDialogKeepsTheOtherColumnsAsWritten)
{
    const QString path = referenceTablePath(kAsFedTable);
    const QStringList sample = test::fieldNames(path);
    restructure(path, sample + QStringList{"LOWF", "MIXED"});
    QByteArray start = test::fileBytes(path);
    ASSERT_GT(start.size(), 32);
    const int headerLength = int(quint8(start.at(8))) | int(quint8(start.at(9))) << 8;
    for (int at = 32; at + 32 <= qMin(headerLength, int(start.size())); at += 32) {
        if (start.mid(at, 5) == QByteArray("LOWF\0", 5)) {
            start.replace(at, 4, "lowf");
        } else if (start.mid(at, 6) == QByteArray("MIXED\0", 6)) {
            start.replace(at, 5, "Mixed");
            start[at + 11] = 'N';
            start[at + 17] = 3;  // decimals
        }
    }
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(start), start.size());
    }
    const QStringList fields = test::fieldNames(path);
    ASSERT_EQ(fields, sample + QStringList({"lowf", "Mixed"}));
    const QMap<QString, QByteArray> descriptors = rawDescriptors(start);
    const QMap<QString, QList<QByteArray>> cells = rawCells(start);
    ASSERT_GT(cells.value(QStringLiteral("YM_ADI")).size(), 2);

    QStringList withYeni = fields;
    withYeni.insert(fields.indexOf(QStringLiteral("Mixed")), QStringLiteral("YENI"));
    const struct {
        const char* what;
        QRadioButton* BM_MAN_WIN_DIALOG::*operation;
        QString at;       // the column chosen in the list
        QString newName;  // typed
        QStringList ours;
        QStringList boxes;
    } cases[] = {
        {"Ekle LIF", &BM_MAN_WIN_DIALOG::RBEKLE, "", "lif", fields + QStringList{"LIF"}, {}},
        {"Araya gir before Mixed", &BM_MAN_WIN_DIALOG::RBAGIR, "Mixed", "yeni", withYeni, {}},
        {"Sil lowf", &BM_MAN_WIN_DIALOG::RBSIL, "lowf", "", sample + QStringList{"Mixed"},
         {QStringLiteral("MATNRC.DBF Referans matris dosyasındaki \nlowf besin maddesi silinecek.\n\nSilinmesini "
                         "gerçekten istiyor musunuz?")}},
    };

    STANDARDSHELLWINDOW& w = window();
    w.show();
    choose(w, ITEM_RMSEC_HK);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(f.write(start), start.size());
        }
        boxes_.clear();
        w.qtPort()->setDialogRunner([&](QDialog& d) {
            d.open();
            auto* dlg = qobject_cast<BM_MAN_WIN_DIALOG*>(&d);
            if (!dlg)
                return answer(d);
            (dlg->*c.operation)->click();
            if (!c.at.isEmpty()) {
                const QList<QListWidgetItem*> item = dlg->LBBMAD->findItems(c.at, Qt::MatchExactly);
                EXPECT_EQ(item.size(), 1);
                if (!item.isEmpty())
                    dlg->LBBMAD->setCurrentItem(item.first());
            }
            dlg->SLEBMNAME->setText(c.newName);
            dlg->PBTAMAM_->click();
            return d.result();
        });
        choose(w, 3573);
        EXPECT_EQ(boxes_, c.boxes);
        EXPECT_EQ(test::fieldNames(path), c.ours);
        const QByteArray now = test::fileBytes(path);
        const QMap<QString, QByteArray> nowDescriptors = rawDescriptors(now);
        const QMap<QString, QList<QByteArray>> nowCells = rawCells(now);
        ASSERT_EQ(nowDescriptors.size(), c.ours.size());
        for (const QString& f : c.ours) {
            if (f == QLatin1String("LIF") || f == QLatin1String("YENI")) {
                EXPECT_EQ(nowCells.value(f).join('|'),
                          QList<QByteArray>(cells.first().size(), QByteArray(kCellWidth, ' ')).join('|'));
                continue;
            }
            EXPECT_EQ(nowDescriptors.value(f), descriptors.value(f)) << f.toStdString();
            EXPECT_EQ(nowCells.value(f).join('|'), cells.value(f).join('|')) << f.toStdString();
        }
    }
}

// The reference matrix window as the user meets it: opened from the main
// menu in the shown and active main window, worked through its toolbar, its
// keys and its fields.
class ReferenceWindowTest : public ReferenceProgramTest {
protected:
    STDDATAWINDOW* openReference(STANDARDSHELLWINDOW& w, int selection = ITEM_RMSEC_HK)
    {
        w.resize(1000, 700);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        choose(w, selection);
        choose(w, 3572);  // "&Matris Yazımı"
        auto* rm = qobject_cast<STDDATAWINDOW*>(w.mdiArea()->activeSubWindow());
        EXPECT_NE(rm, nullptr);
        return rm;
    }

    // A click on the button of item `id` in the toolbar the frame shows.
    static void clickTool(STDDATAWINDOW* rm, int id)
    {
        ShellMenu* m = rm->windowMenu();
        QWidget* button = m->toolBar()->widgetForAction(m->action(id));
        ASSERT_NE(button, nullptr) << id;
        ASSERT_TRUE(button->isVisible()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // Types `text` over the whole of form field n.
    static void typeIntoField(STDDATAWINDOW* rm, int n, const QString& text)
    {
        QLineEdit* e = rm->formEdit(n);
        ASSERT_NE(e, nullptr);
        e->setFocus();
        e->selectAll();
        test::typeText(e, text);
    }
};

// A value typed into a form field is kept whichever way the user goes on:
// the toolbar's arrows, the key F5, or the switch back to the table.
TEST_F(ReferenceWindowTest, TheFormKeepsWhatWasTypedWhicheverWayTheUserMovesOn)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    BARRAYSERVER& s = rm->edit().server();
    clickTool(rm, 3548);  // "Form görünüş"
    ASSERT_TRUE(rm->isFormView());
    clickTool(rm, 3540);  // to the first feed
    ASSERT_EQ(s.RecNo(), 2);

    const struct {
        const char* way;
        const char* typed;
        const char* stored;
        std::function<void()> leave;
        int recordAfter;
    } ways[] = {
        {"toolbar Sonraki", "7,5", "      7.500", [&] { clickTool(rm, 3540); }, 3},
        {"toolbar Önceki", "8,25", "      8.250", [&] { clickTool(rm, 3539); }, 2},
        {"toolbar Sona git", "9", "      9.000", [&] { clickTool(rm, 3541); }, 0},
        {"toolbar Başa git", "4,5", "      4.500", [&] { clickTool(rm, 3538); }, 1},
    };
    for (const auto& row : ways) {
        const int rec = s.RecNo();
        typeIntoField(rm, 2, QString::fromUtf8(row.typed));
        row.leave();
        QCoreApplication::processEvents();
        EXPECT_EQ(s.cellAt(rec, 2), QString::fromUtf8(row.stored)) << row.way;
        EXPECT_EQ(s.RecNo(), row.recordAfter ? row.recordAfter : s.LastRec()) << row.way;
    }

    // F5 appends a feed after taking the field.
    clickTool(rm, 3540);
    const int rec = s.RecNo();
    const int records = s.LastRec();
    typeIntoField(rm, 4, QStringLiteral("12,5"));  // HP
    QTest::keyClick(rm->formEdit(4), Qt::Key_F5);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.cellAt(rec, 4), QStringLiteral("    12.5000"));
    EXPECT_EQ(s.LastRec(), records + 1);

    // The switch to the table by its toolbar button.
    s.GoTo(rec);
    typeIntoField(rm, 4, QStringLiteral("13"));
    clickTool(rm, 3550);
    EXPECT_FALSE(rm->isFormView());
    EXPECT_EQ(s.cellAt(rec, 4), QStringLiteral("    13.0000"));
}

// The form's fields follow the grid editor's rules: the text without its
// padding, the field's width, the code page's characters, and no minus sign
// in a price or nutrient value of a feed; the unit row and the name are text.
TEST_F(ReferenceWindowTest, TheFormFieldsTakeTypingByTheCellRules)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    BARRAYSERVER& s = rm->edit().server();
    clickTool(rm, 3548);
    clickTool(rm, 3540);
    ASSERT_EQ(s.RecNo(), 2);
    EXPECT_EQ(rm->formEdit(1)->text(), QStringLiteral("MISIR"));
    EXPECT_EQ(rm->formEdit(2)->text(), QStringLiteral("10.500"));
    EXPECT_EQ(rm->formEdit(2)->maxLength(), 11);
    EXPECT_EQ(rm->formEdit(1)->maxLength(), 25);

    // A digit goes in front of the shown value.
    QLineEdit* price = rm->formEdit(2);
    price->setFocus();
    price->setCursorPosition(0);
    test::typeText(price, QStringLiteral("1"));
    EXPECT_EQ(price->text(), QStringLiteral("110.500"));

    const struct {
        int record;
        int field;
        const char* typed;
        const char* shown;
    } typing[] = {
        {2, 2, "-3,5", "3,5"},                    // a price takes no minus sign
        {2, 4, "–2", "2"},                        // nor a nutrient value (a dash)
        {2, 1, "ÇİĞ-Ő", "ÇİĞ-"},                  // the name: text, in the code page
        {2, 3, "5€", "5€"},                       // the euro sign is in the code page
        {1, 2, "TL-Kg", "TL-Kg"},                 // the unit row keeps free text
        {1, 4, "g/Kg ő", "g/Kg "},
    };
    for (const auto& row : typing) {
        if (s.RecNo() != row.record)
            s.GoTo(row.record);
        QCoreApplication::processEvents();
        typeIntoField(rm, row.field, QString::fromUtf8(row.typed));
        EXPECT_EQ(rm->formEdit(row.field)->text(), QString::fromUtf8(row.shown)) << row.typed;
    }
    clickTool(rm, 3538);
    EXPECT_EQ(s.cellAt(1, 2), QStringLiteral("TL-Kg"));
    EXPECT_EQ(s.cellAt(1, 4), QStringLiteral("g/Kg "));
}

// A minus sign never reaches a feed's price or nutrient value in the grid; the
// unit row and the name column take it.
TEST_F(ReferenceWindowTest, TheGridRefusesAMinusSignInAFeedsValues)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    OABS_BROWSER* grid = rm->browser();
    BARRAYSERVER& s = rm->edit().server();
    const QString before = s.cellAt(2, 4);

    // Typed first, it opens nothing; typed inside an editor, it is not taken.
    grid->setCurrentIndex(grid->model()->index(1, 3));
    test::typeText(grid, QStringLiteral("-"));
    EXPECT_EQ(grid->openEditor(), nullptr);
    test::typeText(grid, QStringLiteral("3"));
    ASSERT_NE(grid->openEditor(), nullptr);
    test::typeText(grid->openEditor(), QStringLiteral("-,5"));
    EXPECT_EQ(grid->openEditor()->text(), QStringLiteral("3,5"));
    QTest::keyClick(grid->openEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.cellAt(2, 4), QStringLiteral("     3.5000"));
    EXPECT_NE(s.cellAt(2, 4), before);

    const struct {
        int row;
        int column;
        const char* typed;
        const char* stored;
    } texts[] = {
        {0, 3, "-%", "-%"},         // a unit text
        {1, 0, "-MISIR", "-MISIR"},  // a name
    };
    for (const auto& t : texts) {
        grid->setCurrentIndex(grid->model()->index(t.row, t.column));
        const QString typed = QString::fromUtf8(t.typed);
        test::typeText(grid, typed.left(1));
        ASSERT_NE(grid->openEditor(), nullptr) << t.typed;
        test::typeText(grid->openEditor(), typed.mid(1));
        QTest::keyClick(grid->openEditor(), Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(s.cellAt(t.row + 1, t.column + 1), QString::fromUtf8(t.stored)) << t.typed;
    }
}

// What a minus sign, a letter and a decimal comma do in every column of the
// five entry grids, typed into the cell editor of the windows as the menus
// open them. A numeric column takes no minus sign, neither as the character
// that opens the editor nor inside it; it takes a letter and drops it when
// the edit ends, and reads a comma as the decimal point. A text column keeps
// all three as typed.
TEST_F(ReferenceWindowTest, AMinusALetterAndACommaInEveryColumnOfTheEntryGrids)
{
    enum Kind {
        kText,         // kept as typed
        kUnit,         // kept, right-aligned in the cell
        kUnitRowName,  // the reference unit row's name: "BIRIM" whatever is typed
        kPrice,        // a number with 3 decimals
        kAmount,       // a number with 5 decimals (a compound feed's amounts and limits)
        kValue,        // a number with 4 decimals
        kLabel,        // never takes the focus: it passes to the first feed
    };
    // By kind: what the editor shows of "-1-2", and the cell after "-1-2",
    // "x4" and "5,5".
    const struct {
        const char* minusShown;
        const char* minus;
        const char* letter;
        const char* comma;
    } outcome[] = {
        /* kText */ {"-1-2", "-1-2", "x4", "5,5"},
        /* kUnit */ {"-1-2", "       -1-2", "         x4", "        5,5"},
        /* kUnitRowName */ {"-1-2", "BIRIM", "BIRIM", "BIRIM"},
        /* kPrice */ {"12", "     12.000", "      4.000", "      5.500"},
        /* kAmount */ {"12", "   12.00000", "    4.00000", "    5.50000"},
        /* kValue */ {"12", "    12.0000", "     4.0000", "     5.5000"},
        /* kLabel */ {},
    };
    const QString kReference = QStringLiteral("reference");
    // Every column of every grid, from 1; `last` 0 runs to the grid's last
    // column. The reference grid is tried on a feed (record 2) and on its
    // unit row (record 1).
    const struct {
        const char* grid;
        int record;
        int first;
        int last;
        Kind kind;
    } columns[] = {
        {"YM_GIRIS", 1, 1, 1, kText},            // name
        {"YM_GIRIS", 1, 2, 2, kPrice},           // price
        {"YM_GIRIS", 1, 3, 3, kAmount},          // fixed amount
        {"YM_GIRIS", 1, 4, 4, kAmount},          // lower limit
        {"YM_GIRIS", 1, 5, 5, kAmount},          // upper limit
        {"BM_GIRIS", 1, 1, 1, kText},            // name
        {"BM_GIRIS", 1, 2, 2, kUnit},            // unit
        {"BM_GIRIS", 1, 3, 3, kValue},           // fixed value
        {"BM_GIRIS", 1, 4, 4, kValue},           // lower limit
        {"BM_GIRIS", 1, 5, 5, kValue},           // upper limit
        {"BMO_GIRIS", 1, 1, 1, kText},           // first name
        {"BMO_GIRIS", 1, 2, 2, kText},           // second name
        {"BMO_GIRIS", 1, 3, 3, kValue},          // fixed value
        {"BMO_GIRIS", 1, 4, 4, kValue},          // lower limit
        {"BMO_GIRIS", 1, 5, 5, kValue},          // upper limit
        {"AMAT_GIRIS", 1, 1, 1, kLabel},         // the nutrient's name and unit
        {"AMAT_GIRIS", 1, 2, 0, kValue},         // every feed
        {"reference", 2, 1, 1, kText},           // feed name
        {"reference", 2, 2, 2, kPrice},          // price
        {"reference", 2, 3, 0, kValue},          // dry matter and every nutrient
        {"reference", 1, 1, 1, kUnitRowName},    // the unit row's name
        {"reference", 1, 2, 0, kText},           // its unit texts
    };

    STANDARDSHELLWINDOW& w = window();
    w.resize(1000, 700);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.DOOPENFILE(tmp_.file(QStringLiteral("Data/BROYLER.ZVF"))));
    ASSERT_EQ(G().APARAMS.value(0), QStringLiteral("K"));

    // Characters go to the grid until one opens the cell editor, the rest
    // into the editor; answers what the editor shows when Enter ends the edit.
    const auto typeIntoCell = [](OABS_BROWSER* grid, const QString& text) {
        for (QChar c : text) {
            QWidget* to = grid->openEditor() ? static_cast<QWidget*>(grid->openEditor()) : grid;
            test::typeText(to, QString(c));
        }
        CellEditor* editor = grid->openEditor();
        if (!editor)
            return QStringLiteral("(no editor)");
        const QString shown = editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        return shown;
    };

    QString open;
    QWidget* window = nullptr;
    OABS_BROWSER* grid = nullptr;
    QMap<QString, QSet<int>> tried;
    QMap<QString, int> columnCounts;
    for (const auto& c : columns) {
        const QString name = QString::fromLatin1(c.grid);
        if (name != open) {
            if (window) {
                window->close();
                QCoreApplication::processEvents();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            if (name == kReference) {
                STDDATAWINDOW* rm = openReference(w);
                ASSERT_NE(rm, nullptr);
                window = rm;
                grid = rm->browser();
            } else {
                ASSERT_TRUE(w.dispatch(name));
                auto* win = qobject_cast<ProblemEntryWindow*>(w.mdiArea()->activeSubWindow());
                ASSERT_NE(win, nullptr) << c.grid;
                window = win;
                grid = win->browser();
            }
            // Small: the grid repaints after every edit.
            window->resize(400, 200);
            QCoreApplication::processEvents();
            open = name;
        }
        BARRAYSERVER* s = grid->server();
        ASSERT_NE(s, nullptr);
        ASSERT_GE(s->LastRec(), c.record) << c.grid;
        const int last = c.last ? c.last : grid->model()->columnCount();
        for (int col = c.first; col <= last; ++col) {
            SCOPED_TRACE(QStringLiteral("%1 record %2 column %3 (%4)")
                             .arg(name)
                             .arg(c.record)
                             .arg(col)
                             .arg(grid->model()->headerData(col - 1, Qt::Horizontal).toString())
                             .toStdString());
            tried[name + QString::number(c.record)].insert(col);
            columnCounts[name + QString::number(c.record)] = grid->model()->columnCount();
            const QModelIndex cell = grid->model()->index(c.record - 1, col - 1);
            if (c.kind == kLabel) {
                grid->setCurrentIndex(cell);
                QCoreApplication::processEvents();
                EXPECT_EQ(grid->currentIndex(), cell.siblingAtColumn(1));
                continue;
            }
            const auto& want = outcome[c.kind];
            const struct {
                const char* typed;
                const char* shown;
                const char* stored;
            } probes[] = {
                {"-1-2", want.minusShown, want.minus},
                {"x4", "x4", want.letter},
                {"5,5", "5,5", want.comma},
            };
            for (const auto& p : probes) {
                grid->setCurrentIndex(cell);
                ASSERT_EQ(grid->currentIndex(), cell);
                EXPECT_EQ(typeIntoCell(grid, QString::fromLatin1(p.typed)), QString::fromLatin1(p.shown))
                    << p.typed;
                EXPECT_EQ(s->cellAt(c.record, col), QString::fromLatin1(p.stored)) << p.typed;
            }
        }
    }

    // The table reaches every column of every grid.
    EXPECT_EQ(tried.keys(), (QStringList{"AMAT_GIRIS1", "BMO_GIRIS1", "BM_GIRIS1", "YM_GIRIS1", "reference1",
                                         "reference2"}));
    for (auto it = tried.cbegin(); it != tried.cend(); ++it) {
        QSet<int> all;
        for (int col = 1; col <= columnCounts.value(it.key()); ++col)
            all.insert(col);
        EXPECT_EQ(it.value(), all) << it.key().toStdString();
    }
}

// "İl&gili Yardım" (F2) shows the table's topic in the help display; the
// right button shows the context menu in the form view as in the grid.
TEST_F(ReferenceWindowTest, HelpKeyAndContextMenuInBothViews)
{
    STANDARDSHELLWINDOW& w = window();
    const auto launches = test::recordHelp(w, tmp_.file(QStringLiteral("Zeva.chm")));
    ASSERT_NE(launches, nullptr);

    const struct {
        int selection;
        const char* topic;
    } tables[] = {
        {ITEM_RMSEC_HK, "Havada Kuru Matris"},
        {ITEM_RMSEC_KME, "Kuru Madde Esaslı Matris"},
    };
    for (const auto& t : tables) {
        launches->shown.clear();
        STDDATAWINDOW* rm = openReference(w, t.selection);
        ASSERT_NE(rm, nullptr);
        QTest::keyClick(rm->browser(), Qt::Key_F2);
        QTest::keyClick(rm->browser(), Qt::Key_F1);
        QCoreApplication::processEvents();
        EXPECT_EQ(launches->shown, (QStringList{QStringLiteral("Zeva.chm ") + QString::fromUtf8(t.topic),
                                                QStringLiteral("Zeva.chm HelpIndex")}));
        clickTool(rm, 3548);
        for (QWidget* target : {static_cast<QWidget*>(rm->formEdit(2)), rm->formEdit(1)->parentWidget()}) {
            QMenu* menu = rm->contextMenu()->topMenus().value(0);
            ASSERT_NE(menu, nullptr);
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), target->mapToGlobal(QPoint(3, 3)));
            QApplication::sendEvent(target, &event);
            QCoreApplication::processEvents();
            EXPECT_TRUE(menu->isVisible());
            EXPECT_EQ(QApplication::activePopupWidget(), menu);
            menu->close();
        }
        rm->close();
        QCoreApplication::processEvents();
    }
}

// The right button's menu greys what the window menu greys: the column
// commands are grey in both in the form view, where a click on one does
// nothing, and on in both in the table view.
TEST_F(ReferenceWindowTest, TheContextMenuGreysWhatTheWindowMenuGreys)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    QStringList dialogs;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        dialogs << d.windowTitle();
        d.open();
        d.reject();
        return d.result();
    });
    ShellMenu* windowMenu = rm->windowMenu();
    QMenu* popup = rm->contextMenu()->topMenus().value(0);
    ASSERT_NE(popup, nullptr);
    auto item = [popup](const QString& caption) -> QAction* {
        for (QAction* a : popup->actions())
            if (a->text().section(QLatin1Char('\t'), 0, 0) == caption)
                return a;
        return nullptr;
    };
    const struct {
        const char* caption;
        int windowItem;
    } columnCommands[] = {{"Kolon &Dondur", 3543}, {"Kolon &Aritmetiği", 3544}, {"Besin Maddesi &Bağla", 3546}};
    BARRAYSERVER& s = rm->edit().server();

    for (bool form : {false, true, false}) {
        SCOPED_TRACE(form ? "form" : "table");
        clickTool(rm, form ? 3548 : 3550);
        ASSERT_EQ(rm->isFormView(), form);
        QWidget* target = form ? static_cast<QWidget*>(rm->formEdit(2)) : rm->browser()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), target->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(target, &event);
        QCoreApplication::processEvents();
        ASSERT_TRUE(popup->isVisible());
        for (const auto& c : columnCommands) {
            QAction* a = item(QString::fromUtf8(c.caption));
            ASSERT_NE(a, nullptr) << c.caption;
            EXPECT_EQ(windowMenu->isEnabled(c.windowItem), !form) << c.caption;
            EXPECT_EQ(a->isEnabled(), !form) << c.caption;
        }
        for (const char* on : {"&Başa Git", "Yem Maddesi &Ekle", "&Kapat"})
            EXPECT_TRUE(item(QString::fromUtf8(on)) && item(QString::fromUtf8(on))->isEnabled()) << on;
        if (form) {
            const Table before = s.Data();
            QAction* maths = item(QStringLiteral("Kolon &Aritmetiği"));
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(maths).center());
            QCoreApplication::processEvents();
            EXPECT_TRUE(dialogs.isEmpty());
            EXPECT_EQ(s.Data(), before);
        }
        popup->close();
        QCoreApplication::processEvents();
    }
}

// The closing question is answered Evet or Hayır: Esc and the box's close
// button leave it standing, so no edit is thrown away unasked.
TEST_F(ReferenceWindowTest, TheClosingQuestionWaitsForAnAnswer)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    const QString path = rm->CRMFILE();
    OABS_BROWSER* grid = rm->browser();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    test::typeText(grid, QStringLiteral("7"));
    ASSERT_NE(grid->openEditor(), nullptr);
    QTest::keyClick(grid->openEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();

    QStringList asked;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box) {
            ADD_FAILURE() << d.windowTitle().toStdString();
            d.reject();
            return d.result();
        }
        asked << box->text();
        QTest::keyClick(box->button(QMessageBox::Yes), Qt::Key_Escape);
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(box->close());
        EXPECT_TRUE(box->isVisible());
        box->button(QMessageBox::Yes)->click();
        return d.result();
    });
    QTest::keyClick(grid, Qt::Key_Escape);  // Esc in the grid closes the window
    QCoreApplication::processEvents();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.first().endsWith(QStringLiteral("Değişiklikleri kaydetmek istiyor musunuz?")));
    DbfTable after;
    ASSERT_TRUE(readDbfFile(path, &after));
    EXPECT_EQ(after.value(after.liveRecords().at(1), QStringLiteral("FIATI")), QStringLiteral("      7.000"));
}

// The feed library is shared: while its window is open, another program
// changes a price in MATNRC.DBF and another session's nutrient column
// dialog adds a column. A price typed in the window and Evet at closing,
// by the toolbar, the context menu, Esc or the program's exit, never write
// over them unasked: the user is told, and Hayır keeps the window with its
// edits and the file as the others left it.
TEST_F(ReferenceWindowTest, ChangesOtherProgramsMadeToTheTableAreNotWrittenOverUnasked)
{
    STANDARDSHELLWINDOW& w = window();
    QPointer<STDDATAWINDOW> rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    const QString path = rm->CRMFILE();

    // Another program (a spreadsheet) saves the table with a new price for
    // the second feed.
    DbfTable theirs;
    ASSERT_TRUE(readDbfFile(path, &theirs));
    const int second = theirs.liveRecords().at(2);
    const QString theirPrice = QStringLiteral("     77.250");
    ASSERT_NE(theirs.value(second, QStringLiteral("FIATI")), theirPrice);
    theirs.setValue(second, QStringLiteral("FIATI"), theirPrice);
    ASSERT_TRUE(writeDbfFile(path, theirs));

    // The user types a price for the first feed.
    OABS_BROWSER* grid = rm->browser();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    test::typeText(grid, QStringLiteral("8"));
    ASSERT_NE(grid->openEditor(), nullptr);
    QTest::keyClick(grid->openEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(rm->edit().server().cellAt(2, 2), QStringLiteral("      8.000"));

    QStringList asked;
    QList<bool> replies;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box || replies.isEmpty()) {
            ADD_FAILURE() << "unexpected " << d.windowTitle().toStdString() << ": "
                          << (box ? box->text().toStdString() : std::string());
            d.reject();
            return d.result();
        }
        asked << box->text();
        box->button(replies.takeFirst() ? QMessageBox::Yes : QMessageBox::No)->click();
        return d.result();
    });
    const QString save = QStringLiteral("Referans matris dosyası (") + path
                         + QStringLiteral(") değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
    const QString changed = QStringLiteral("Referans matris dosyası (") + path
                            + QStringLiteral(") pencere açıldıktan sonra diskte değiştirilmiş.\n\nÜzerine yazarsanız "
                                             "dosyadaki bu değişiklikler kaybolacak. Üzerine yazılmasını istiyor "
                                             "musunuz?");
    auto fileKeepsTheirs = [&](const char* way) {
        DbfTable now;
        ASSERT_TRUE(readDbfFile(path, &now)) << way;
        EXPECT_EQ(now.value(second, QStringLiteral("FIATI")), theirPrice) << way;
        EXPECT_NE(now.value(now.liveRecords().at(1), QStringLiteral("FIATI")), QStringLiteral("      8.000")) << way;
        ASSERT_FALSE(rm.isNull()) << way;
        EXPECT_TRUE(rm->isVisible()) << way;
        EXPECT_EQ(rm->edit().server().cellAt(2, 2), QStringLiteral("      8.000")) << way;
    };

    // "Kapat" on the toolbar, Evet: told, and Hayır keeps it all.
    replies = {true, false};
    clickTool(rm, 3528);
    EXPECT_EQ(asked, (QStringList{save, changed}));
    fileKeepsTheirs("toolbar");

    // Another session adds a nutrient column to the same table meanwhile.
    test::FakePort other;
    other.nutrientColumns = {{1, QStringLiteral("LIF"), 0}};
    ASSERT_TRUE(BM_MAN_WIN(other, path, kAsFedTable));
    const QByteArray withColumn = test::fileBytes(path);

    const struct {
        const char* way;
        std::function<void()> close;
        QList<bool> replies;
    } ways[] = {
        {"context menu Kapat", [&] { rm->contextMenu()->action(5863)->trigger(); }, {true, false}},
        {"Esc in the grid", [&] { QTest::keyClick(rm->browser(), Qt::Key_Escape); }, {true, false}},
        {"the program's exit", [&] { w.close(); }, {true, true, false}},
    };
    for (const auto& way : ways) {
        asked.clear();
        replies = way.replies;
        way.close();
        QCoreApplication::processEvents();
        EXPECT_TRUE(replies.isEmpty()) << way.way;
        ASSERT_GE(asked.size(), 2) << way.way;
        EXPECT_EQ(asked.mid(asked.size() - 2), (QStringList{save, changed})) << way.way;
        EXPECT_EQ(test::fileBytes(path), withColumn) << way.way;
        fileKeepsTheirs(way.way);
        EXPECT_TRUE(w.isVisible()) << way.way;
    }
    DbfTable now;
    ASSERT_TRUE(readDbfFile(path, &now));
    EXPECT_TRUE(now.hasField(QStringLiteral("LIF")));

    // Hayır to the save question closes the window and writes nothing.
    asked.clear();
    replies = {false};
    clickTool(rm, 3528);
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, QStringList{save});
    EXPECT_EQ(test::fileBytes(path), withColumn);
    EXPECT_FALSE(ReferenceWindowRegistry::instance().isHeld(path));
}

// A table another program only touched (a backup, a sync) holds nothing to
// lose: Evet at closing saves without a further question. Once another
// session added a nutrient column to it, Evet brings the question, and Enter
// (the reflex answer) keeps that column: Hayır is the default, and the window
// stays with its edit.
TEST_F(ReferenceWindowTest, EnterAtTheChangedOnDiskQuestionKeepsAnotherSessionsColumn)
{
    STANDARDSHELLWINDOW& w = window();
    QPointer<STDDATAWINDOW> rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    const QString path = rm->CRMFILE();
    auto typePrice = [&rm](const QString& price) {
        OABS_BROWSER* grid = rm->browser();
        grid->setCurrentIndex(grid->model()->index(1, 1));
        test::typeText(grid, price);
        ASSERT_NE(grid->openEditor(), nullptr);
        QTest::keyClick(grid->openEditor(), Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    auto firstPrice = [&path] {
        DbfTable t;
        EXPECT_TRUE(readDbfFile(path, &t));
        return t.value(t.liveRecords().at(1), QStringLiteral("FIATI"));
    };

    // Evet to the save question; Enter to any question after it.
    QStringList asked;
    w.qtPort()->setDialogRunner([&asked](QDialog& d) {
        d.open();
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box) {
            ADD_FAILURE() << "unexpected " << d.windowTitle().toStdString();
            d.reject();
            return d.result();
        }
        asked << box->text();
        if (asked.size() > 1)
            return test::pressEnter(*box);
        box->button(QMessageBox::Yes)->click();
        return d.result();
    });
    const QString save = QStringLiteral("Referans matris dosyası (") + path
                         + QStringLiteral(") değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
    const QString changed = QStringLiteral("Referans matris dosyası (") + path
                            + QStringLiteral(") pencere açıldıktan sonra diskte değiştirilmiş.\n\nÜzerine yazarsanız "
                                             "dosyadaki bu değişiklikler kaybolacak. Üzerine yazılmasını istiyor "
                                             "musunuz?");

    test::touchOnly(path);
    typePrice(QStringLiteral("8"));
    clickTool(rm, 3528);  // "Kapat"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(asked, QStringList{save});
    EXPECT_EQ(firstPrice(), QStringLiteral("      8.000"));
    EXPECT_TRUE(rm.isNull() || !rm->isVisible());

    choose(w, 3572);  // the table is still the chosen one
    rm = qobject_cast<STDDATAWINDOW*>(w.mdiArea()->activeSubWindow());
    ASSERT_NE(rm, nullptr);
    test::FakePort other;
    other.nutrientColumns = {{1, QStringLiteral("LIF"), 0}};
    ASSERT_TRUE(BM_MAN_WIN(other, path, kAsFedTable));
    const QByteArray withColumn = test::fileBytes(path);
    typePrice(QStringLiteral("7"));
    asked.clear();
    clickTool(rm, 3528);
    EXPECT_EQ(asked, (QStringList{save, changed}));
    EXPECT_EQ(test::fileBytes(path), withColumn);
    ASSERT_FALSE(rm.isNull());
    EXPECT_TRUE(rm->isVisible());
    EXPECT_EQ(rm->edit().server().cellAt(2, 2), QStringLiteral("      7.000"));

    // Hayır to the save question closes the window, writing nothing.
    w.qtPort()->setDialogRunner([](QDialog& d) {
        d.open();
        if (auto* box = qobject_cast<QMessageBox*>(&d))
            box->button(QMessageBox::No)->click();
        return d.result();
    });
    clickTool(rm, 3528);
    EXPECT_EQ(test::fileBytes(path), withColumn);
}

// The frozen name column, switched on far down the table, labels every row
// with its own feed at once.
TEST_F(ReferenceWindowTest, TheFrozenNameColumnFollowsTheGridFromTheStart)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    OABS_BROWSER* grid = rm->browser();
    const int last = grid->model()->rowCount() - 1;
    grid->setCurrentIndex(grid->model()->index(1, 3));
    clickTool(rm, 3541);  // "Sona git"
    ASSERT_EQ(grid->currentIndex().row(), last);
    ASSERT_GT(grid->verticalScrollBar()->value(), 0);

    clickTool(rm, 3543);  // "Kolon dondur"
    QTableView* frozen = grid->frozenView();
    ASSERT_NE(frozen, nullptr);
    ASSERT_TRUE(frozen->isVisible());
    for (int row : {last, last - 5}) {
        EXPECT_EQ(frozen->visualRect(frozen->model()->index(row, 0)).top(),
                  grid->visualRect(grid->model()->index(row, 3)).top())
            << row;
    }
    EXPECT_EQ(frozen->indexAt(QPoint(2, 2)).row(), grid->indexAt(QPoint(2, 2)).row());

    clickTool(rm, 3543);
    EXPECT_EQ(grid->frozenView(), nullptr);
}

// Column arithmetic from the toolbar changes the column and leaves the grid
// on the row and column it stood on.
TEST_F(ReferenceWindowTest, ColumnArithmeticKeepsTheGridOnItsRow)
{
    STANDARDSHELLWINDOW& w = window();
    STDDATAWINDOW* rm = openReference(w);
    ASSERT_NE(rm, nullptr);
    w.qtPort()->setDialogRunner([this](QDialog& d) {
        d.open();
        if (auto* dlg = qobject_cast<COLONMATHS*>(&d)) {
            dlg->CBVALAP->setEditText(QStringLiteral("2"));
            dlg->pbCarpi->click();
            return d.result();
        }
        return answer(d);
    });
    OABS_BROWSER* grid = rm->browser();
    BARRAYSERVER& s = rm->edit().server();
    grid->setCurrentIndex(grid->model()->index(5, 3));
    grid->setFocus();
    const QString before = s.cellAt(6, 4);
    clickTool(rm, 3544);  // "Kolon aritmetiği"
    EXPECT_EQ(s.cellAt(6, 4), SDAYA(Str(Val(before) * 2, 11, 4), 4));
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(5, 3));
    EXPECT_EQ(s.RecNo(), 6);
}

}  // namespace
}  // namespace zeva
