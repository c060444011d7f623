// Daily rations from the shipped dry-matter table: the requirement rows of a
// young animal, a cow and a mature bull, with a roughage, grains, a protein
// meal, minerals and a premix of the table, solve to an optimum that meets
// every requirement, vitamins A and D included, and whose energy rows agree
// with one another. The least cost is checked against an independent LP
// solver.
#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/optimizer.h"
#include "core/ui/choicedialogs.h"
#include "editing/ui/entrywindowopeners.h"
#include "platform/codec.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "platform/ui/controls.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/reftables.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "reftestutil.h"
#include "requirements/nutreqestimate.h"
#include "requirements/ui/requirementcommands.h"
#include "requirements/ui/requirementdialogs.h"
#include "shell/shellcommands.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/agree.h"
#include "support/fakeport.h"
#include "support/programenv.h"
#include "support/sampledata.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <glpk.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zeva {
namespace {

// The least daily cost of the active daily ration as an independent solver
// finds it: dry-matter amounts of the priced feeds, costs per kg of dry
// matter, every nutrient limit and feed limit of the tables. Nullopt when it
// finds no optimum.
std::optional<double> referenceDailyCost(const ActiveProblem& p)
{
    const int kmo = static_cast<int>(p.ABMNAMES.indexOf(QStringLiteral("KMO")));
    EXPECT_GE(kmo, 0);
    if (kmo < 0)
        return std::nullopt;
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    const int n = static_cast<int>(p.AYMTABLE.size());
    glp_add_cols(lp, n);
    for (int j = 0; j < n; ++j) {
        const Row& feed = p.AYMTABLE.at(j);
        const double ratio = Val(p.AMATRIX.at(kmo).at(j));
        glp_set_obj_coef(lp, j + 1, ratio > 0 ? Val(feed.at(YMPRICE)) / ratio * 100.0 : 0.0);
        const bool low = !isBlankCell(feed.at(YMLLIMIT));
        const bool up = !isBlankCell(feed.at(YMULIMIT));
        if (!isBlankCell(feed.at(YMFIX)))
            glp_set_col_bnds(lp, j + 1, GLP_FX, Val(feed.at(YMFIX)), Val(feed.at(YMFIX)));
        else if (low && up)
            glp_set_col_bnds(lp, j + 1, GLP_DB, Val(feed.at(YMLLIMIT)), Val(feed.at(YMULIMIT)));
        else if (up)
            glp_set_col_bnds(lp, j + 1, GLP_DB, 0.0, Val(feed.at(YMULIMIT)));
        else
            glp_set_col_bnds(lp, j + 1, GLP_LO, low ? Val(feed.at(YMLLIMIT)) : 0.0, 0.0);
    }
    std::vector<int> ind(n + 1);
    std::vector<double> val(n + 1);
    for (int r = 0; r < p.ABMTABLE.size(); ++r) {
        const Row& row = p.ABMTABLE.at(r);
        const bool fix = !isBlankCell(row.at(BMFIX));
        const bool low = !isBlankCell(row.at(BMLLIMIT));
        const bool up = !isBlankCell(row.at(BMULIMIT));
        if (!fix && !low && !up)
            continue;
        const int i = glp_add_rows(lp, 1);
        for (int j = 0; j < n; ++j) {
            ind[j + 1] = j + 1;
            val[j + 1] = Val(p.AMATRIX.at(r).at(j));
        }
        glp_set_mat_row(lp, i, n, ind.data(), val.data());
        if (fix)
            glp_set_row_bnds(lp, i, GLP_FX, Val(row.at(BMFIX)), Val(row.at(BMFIX)));
        else if (low && up)
            glp_set_row_bnds(lp, i, GLP_DB, Val(row.at(BMLLIMIT)), Val(row.at(BMULIMIT)));
        else if (low)
            glp_set_row_bnds(lp, i, GLP_LO, Val(row.at(BMLLIMIT)), 0.0);
        else
            glp_set_row_bnds(lp, i, GLP_UP, 0.0, Val(row.at(BMULIMIT)));
    }
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    glp_exact(lp, &parm);
    std::optional<double> cost;
    if (glp_get_status(lp) == GLP_OPT)
        cost = glp_get_obj_val(lp);
    glp_delete_prob(lp);
    return cost;
}

// Positions (from 1) of `names` among the feeds of the installed table, as
// the feed list offers them.
QList<int> feedPositions(const QString& table, const QStringList& names)
{
    DbfTable t;
    EXPECT_TRUE(readDbfFile(referenceTablePath(table), &t));
    QStringList feeds;
    const QList<int> live = t.liveRecords();
    for (int i = 1; i < live.size(); ++i)
        feeds << AllTrim(t.value(live.at(i), 0));
    QList<int> positions;
    for (const QString& n : names) {
        const qsizetype at = feeds.indexOf(n);
        EXPECT_GE(at, 0) << "no feed " << n.toStdString();
        positions << static_cast<int>(at + 1);
    }
    return positions;
}

// The energy rows of a daily ration. The first four follow from one energy
// density of the whole ration; the net energies for maintenance and gain of
// a young animal ask for a part of its energy only and land far above their
// requirements whenever the others are met.
const QStringList kEnergyRows = {"TSBM", "SE", "ME_BB", "NEL", "NEY", "NEK"};
const QStringList kDensityRows = kEnergyRows.mid(0, 4);

// What a ration reaches on one nutrient row with a lower limit.
struct RowReach {
    QString name;
    double required = 0;
    double reached = 0;
};

// A ration whose energy is set by one of the energy rows must not carry the
// density rows past their requirements: a feed table whose energies follow
// other equations than the requirements makes the least-cost ration pay for
// energy the animal does not need. Checks that some energy row binds, so
// that the comparison says something.
void expectEnergyRowsAgree(const QList<RowReach>& rows)
{
    bool binds = false;
    QStringList over;
    for (const RowReach& row : rows) {
        if (!kEnergyRows.contains(row.name) || row.required <= 0)
            continue;
        binds = binds || row.reached <= row.required * (1 + 1e-6) + 1e-4;
        if (kDensityRows.contains(row.name) && row.reached > 1.01 * row.required)
            over << QStringLiteral("%1 %2 against %3").arg(row.name).arg(row.reached).arg(row.required);
    }
    EXPECT_TRUE(binds) << "no energy row binds";
    EXPECT_TRUE(over.isEmpty()) << over.join(QStringLiteral(", ")).toStdString();
}

// Limits on the daily dry matter of one feed, as the user types them into the
// feed table; an empty text leaves that cell blank.
struct FeedLimit {
    const char* feed;
    const char* lower;
    const char* upper;
    const char* fixed = "";
};

struct AnimalCase {
    const char* name;
    std::function<void(NUTREQESTIMATE&)> inputs;
    QStringList feeds;
    std::vector<FeedLimit> limits = {};
};

void PrintTo(const AnimalCase& c, std::ostream* os) { *os << c.name; }

class SampleRationTest : public ::testing::TestWithParam<AnimalCase> {
protected:
    void SetUp() override { ASSERT_EQ(test::installSampleData(tmp_.path()), QString()); }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
};

// The rows of the model and feeds of the shipped table, put into a new daily
// ration by the program's own commands, solve to an optimum: every row met,
// the cost the independent solver's.
TEST_P(SampleRationTest, RequirementRowsAndShippedFeedsSolve)
{
    const AnimalCase& c = GetParam();
    NUTREQESTIMATE e;
    c.inputs(e);
    e.NENECONS = 1.0;
    ASSERT_TRUE(e.compute(NUTREQESTIMATE::kRows));

    test::openEmptyProblem(tmp_.file(QStringLiteral("Data/RASYON.ZVF")), QStringLiteral("G"));
    test::FakePort port;
    ASSERT_TRUE(handOverRequirements(port, e.ABMREQM, {}));
    port.markings = {feedPositions(kDryMatterTable, c.feeds)};
    port.replies = {REPLY_YES};
    AMAT_YMEKLE(port, {});
    ASSERT_EQ(G().AYMNAMES, c.feeds);
    ASSERT_TRUE(port.boxTexts(BOX_ERROR).isEmpty()) << port.log.join(QLatin1Char('\n')).toStdString();
    for (const FeedLimit& limit : c.limits) {
        const qsizetype j = G().AYMNAMES.indexOf(QString::fromUtf8(limit.feed));
        ASSERT_GE(j, 0) << limit.feed;
        G().AYMTABLE[j][YMLLIMIT] = SDAYA(QString::fromLatin1(limit.lower), 3);
        G().AYMTABLE[j][YMULIMIT] = SDAYA(QString::fromLatin1(limit.upper), 3);
        G().AYMTABLE[j][YMFIX] = SDAYA(QString::fromLatin1(limit.fixed), 3);
    }

    // Every row the model names is a column of the table that some shipped
    // feed of the ration supplies.
    for (int r = 0; r < G().ABMNAMES.size(); ++r) {
        const QString& name = G().ABMNAMES.at(r);
        if (name == QLatin1String("KMT") || isBlankCell(G().ABMTABLE.at(r).at(BMLLIMIT))
            || Val(G().ABMTABLE.at(r).at(BMLLIMIT)) == 0.0)
            continue;
        bool supplied = false;
        for (const QString& cell : G().AMATRIX.at(r))
            supplied = supplied || Val(cell) > 0.0;
        EXPECT_TRUE(supplied) << name.toStdString() << " comes from none of the feeds";
    }

    test::FakePort solvePort;
    OptimizerOptions options;
    options.reportStep = [](Optimizer&) { return true; };
    GR_OPTIMIZER o(solvePort, options);
    ASSERT_TRUE(o.optimumFound) << "reason " << static_cast<int>(o.stopReason);
    double cost = 0;
    std::vector<double> x(o.NFEEDCOLS, 0.0);
    for (int j = 0; j < o.NFEEDCOLS; ++j) {
        const int r = o.basicRow(j);
        if (r >= 0) {
            x[j] = o.ARHS[r];
            cost += o.ACOSTB[r] * o.ARHS[r];
        }
    }
    QList<RowReach> reachedRows;
    for (int r = 0; r < G().ABMNAMES.size(); ++r) {
        const Row& row = G().ABMTABLE.at(r);
        double reached = 0;
        for (int j = 0; j < o.NFEEDCOLS; ++j)
            reached += Val(G().AMATRIX.at(r).at(j)) * x[j];
        if (!isBlankCell(row.at(BMLLIMIT)))
            reachedRows << RowReach{G().ABMNAMES.at(r), Val(row.at(BMLLIMIT)), reached};
        SCOPED_TRACE(G().ABMNAMES.at(r).toStdString());
        if (!isBlankCell(row.at(BMFIX))) {
            EXPECT_NEAR(reached, Val(row.at(BMFIX)), 1e-6);
        }
        if (!isBlankCell(row.at(BMLLIMIT))) {
            EXPECT_GE(reached, Val(row.at(BMLLIMIT)) - 1e-6);
        }
    }
    expectEnergyRowsAgree(reachedRows);
    const std::optional<double> reference = referenceDailyCost(G());
    ASSERT_TRUE(reference.has_value());
    EXPECT_NEAR(cost, *reference, 1e-6 * *reference);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeAnimals, SampleRationTest,
    ::testing::Values(
        AnimalCase{"YoungFemaleOfALargeBreed",
                   [](NUTREQESTIMATE& e) {
                       e.NSTIPI = NUTREQESTIMATE::kYoung;
                       e.NCANAGIR = 300;
                       e.NBEKCAAR = 800;
                       e.NCESTYPE = 1;
                   },
                   {"MISIR SİLAJI", "BUĞDAY SAMANI", "ARPA", "SOYA KÜSPESİ 44", "KİREÇ TAŞI", "DİKALS.FOSFAT",
                    "VİTAMİN PREMİKS"},
                   // Limestone for calcium only, not as a cheap filler of
                   // dry matter.
                   {{"KİREÇ TAŞI", "", "0.1"}}},
        AnimalCase{"LactatingCow",
                   [](NUTREQESTIMATE& e) {
                       e.NSTIPI = NUTREQESTIMATE::kCow;
                       e.NCANAGIR = 600;
                       e.NSUTVERI = 30;
                       e.NSYAGTES = 3.5;
                       e.NGEBEGUN = 100;
                       e.NGEBESAY = 3;
                       e.NYEMTUKE = 1;
                       e.NENGKARO = 1.0;
                   },
                   {"MISIR SİLAJI", "ÇAYIR KURU OTU", "ARPA", "SOYA KÜSPESİ 44", "KİREÇ TAŞI", "DİKALS.FOSFAT",
                    "VİTAMİN PREMİKS"}},
        AnimalCase{"MatureBull",
                   [](NUTREQESTIMATE& e) {
                       e.NSTIPI = NUTREQESTIMATE::kBull;
                       e.NCANAGIR = 500;
                   },
                   {"BUĞDAY SAMANI", "ARPA", "AYÇİÇEK KÜSP 28", "KİREÇ TAŞI", "MİN.VİT.PREMİKS"}},
        // The feeds and limits of the example daily ration.
        AnimalCase{"HighYieldingCowWithFeedLimits",
                   [](NUTREQESTIMATE& e) {
                       e.NSTIPI = NUTREQESTIMATE::kCow;
                       e.NCANAGIR = 650;
                       e.NSUTVERI = 35;
                       e.NSYAGTES = 3.8;
                       e.NGEBEGUN = 0;
                       e.NGEBESAY = 3;
                       e.NYEMTUKE = 1;
                       e.NENGKARO = 1.0;
                   },
                   {"MISIR SİLAJI", "YONCA KURU OTU", "BUĞDAY SAMANI", "MISIR", "ARPA", "BUĞDAY KEPEĞİ",
                    "SOYA KÜSPESİ 44", "AYÇİÇEK KÜSP 28", "PAMUK ÇİĞİDİ", "KİREÇ TAŞI", "DİKALS.FOSFAT", "TUZ",
                    "VİTAMİN PREMİKS"},
                   {{"MISIR SİLAJI", "6", "9"},
                    {"YONCA KURU OTU", "", "4"},
                    {"BUĞDAY SAMANI", "", "1.5"},
                    {"MISIR", "", "6"},
                    {"ARPA", "", "4"},
                    {"BUĞDAY KEPEĞİ", "", "2"},
                    {"AYÇİÇEK KÜSP 28", "", "2.5"},
                    {"PAMUK ÇİĞİDİ", "", "2"},
                    {"KİREÇ TAŞI", "", "0.2"},
                    {"TUZ", "", "", "0.1"}}}),
    [](const ::testing::TestParamInfo<AnimalCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ in the program

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    test::typeText(edit, text);
}

// One limit line of the solution report: the mark, the requested and the
// reached value.
struct LimitLine {
    QString mark;
    double requested = 0;
    double reached = 0;
};

std::optional<LimitLine> limitLine(const QStringList& lines, const QString& name)
{
    for (const QString& l : lines)
        if (l.size() >= 60 && l.mid(7, 20).trimmed() == name)
            return LimitLine{l.left(7).trimmed(), Val(l.mid(37, 11)), Val(l.mid(49, 11))};
    return std::nullopt;
}

class ShippedRationProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::installSampleData(tmp_.path()), QString()); }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window wired as the program wires it, shown and active; every
    // dialog is answered on screen by answer().
    STANDARDSHELLWINDOW& window()
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>();
        STANDARDSHELLWINDOW& w = *window_;
        installEntryWindowCommands(w);
        installReferenceMatrixCommands(w);
        installRequirementCommands(w);
        w.qtPort()->setToneWait(false);
        const DialogRunner runner = [this](QDialog& d) { return answer(d); };
        w.qtPort()->setDialogRunner(runner);
        w.setDialogRunner(runner);
        w.resize(900, 650);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    int answer(QDialog& d)
    {
        shown_ << d.objectName();
        if (auto* dlg = qobject_cast<YENIDOSYAWINDOW*>(&d)) {
            d.open();
            dlg->DOSYAADILINE->setText(QStringLiteral("INEK"));
            dlg->GRASBUTTON->click();
            dlg->pbTamam->click();
        } else if (auto* dlg = qobject_cast<MARKTOPBOT*>(&d)) {
            d.open();
            for (const QString& feed : feeds_) {
                bool found = false;
                for (int i = 0; i < dlg->LBTOSELECT->count(); ++i)
                    if (AllTrim(dlg->LBTOSELECT->item(i)->text()) == feed) {
                        dlg->LBTOSELECT->item(i)->setSelected(true);
                        found = true;
                    }
                EXPECT_TRUE(found) << feed.toStdString();
            }
            dlg->pbTamam->click();
        } else if (qobject_cast<STIPISECW*>(&d) || qobject_cast<LACTCATLEDW*>(&d)) {
            // The requirement dialogs, worked by keys as a user works them.
            d.show();
            QApplication::setActiveWindow(&d);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            settle();
            if (auto* type = qobject_cast<STIPISECW*>(&d)) {
                QTest::mouseClick(type->GSVBUTTON, Qt::LeftButton);
                QTest::keyClick(type->GSVBUTTON, Qt::Key_Return);
            } else {
                auto* cow = qobject_cast<LACTCATLEDW*>(&d);
                typeInto(cow->SLECANAG, QStringLiteral("600"));
                typeInto(cow->SLESUTVER, QStringLiteral("30"));
                typeInto(cow->SLESYAGTEST, QStringLiteral("3.5"));
                typeInto(cow->SLEGEBGUN, QStringLiteral("100"));
                typeInto(cow->SLEGEBSAY, QStringLiteral("3"));
                QTest::keyClick(cow->SLEGEBSAY, Qt::Key_Return);
            }
            settle();
            EXPECT_FALSE(d.isVisible()) << d.objectName().toStdString();
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
        settle();
    }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    QStringList feeds_;
    QStringList shown_;
    QStringList boxes_;
};

// A new daily ration, Ctrl+G for a 600 kg cow giving 30 kg of 3.5 % milk,
// feeds added from the dry-matter table, solved: an optimum whose vitamin
// rows are met, whose energy rows agree, at the least cost.
TEST_F(ShippedRationProgramTest, CowRequirementsAndShippedFeedsSolveToAnOptimum)
{
    STANDARDSHELLWINDOW& w = window();
    choose(w, 3527);  // "&Yeni..."
    ASSERT_TRUE(G().isOpen());
    ASSERT_EQ(G().APARAMS.value(0), QStringLiteral("G"));

    shown_.clear();
    ASSERT_TRUE(w.mainMenu()->action(3548)->isEnabled());
    w.activateWindow();  // back from the new-problem dialog
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "LactCatleDW"}));
    ASSERT_EQ(G().ABMNAMES.size(), 15);
    EXPECT_EQ(G().ABMNAMES.mid(13), (QStringList{"VITA", "VITD"}));

    feeds_ = {"MISIR SİLAJI", "YONCA KURU OTU", "MISIR", "SOYA KÜSPESİ 48", "KİREÇ TAŞI", "DİKALS.FOSFAT",
              "MİN.VİT.PREMİKS"};
    choose(w, 3545);  // "&Yem Maddesi Ekle"
    EXPECT_EQ(boxes_, QStringList{QStringLiteral("Seçilen yem maddeleri aktif girişlere eklenecek!")});
    ASSERT_EQ(G().AYMNAMES, feeds_);

    G().CREPORTFILE.clear();
    boxes_.clear();
    choose(w, 3550);  // "Yem &Formülü"
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
    ASSERT_FALSE(G().CREPORTFILE.isEmpty());
    QFile file(G().CREPORTFILE);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = cp1254::decode(file.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(PadR(QStringLiteral("     § ÇÖZÜM DURUMU: Optimum Çözüm Bulundu."), 100)))
        << lines.mid(0, 12).join(QLatin1Char('\n')).toStdString();
    for (const char* vitamin : {"VITA", "VITD"}) {
        const std::optional<LimitLine> line = limitLine(lines, QString::fromLatin1(vitamin));
        ASSERT_TRUE(line.has_value()) << vitamin;
        EXPECT_EQ(line->mark, QString()) << vitamin;
        EXPECT_GT(line->requested, 0.0) << vitamin;
        EXPECT_GE(line->reached, line->requested) << vitamin;
    }
    // Her energy comes from one density of the ration: her lactation energy
    // lands on her requirement, not past it.
    QList<RowReach> energies;
    for (const QString& name : kDensityRows) {
        const std::optional<LimitLine> line = limitLine(lines, name);
        ASSERT_TRUE(line.has_value()) << name.toStdString();
        EXPECT_EQ(line->mark, QString()) << name.toStdString();
        energies << RowReach{name, line->requested, line->reached};
    }
    expectEnergyRowsAgree(energies);

    // The daily cost the report gives is the independent solver's.
    const QString costLabel = QStringLiteral("Günlük Maliyet = ");
    double reported = -1;
    for (const QString& l : lines)
        if (l.contains(costLabel))
            reported = Val(l.mid(l.indexOf(costLabel) + costLabel.size()).section(QLatin1Char(' '), 0, 0));
    const std::optional<double> reference = referenceDailyCost(G());
    ASSERT_TRUE(reference.has_value());
    EXPECT_NEAR(reported, *reference, 0.0005);
}

}  // namespace
}  // namespace zeva
