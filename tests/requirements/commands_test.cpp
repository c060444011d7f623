// The requirement commands in the main window, as the program wires them:
// "Süt Sığırı BM İhtiyaçları &Girişi" by its key Ctrl+G fills a new daily
// ration's nutrient table, and "&Süt Sığırı BM İhtiyaçları Raporu" (3560)
// writes the requirement report that becomes the current report.
#include "requirements/ui/requirementcommands.h"
#include "requirements/ui/requirementdialogs.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "platform/runtime.h"
#include "platform/ui/accesskeys.h"
#include "platform/settingsstore.h"
#include "platform/ui/controls.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/fakeport.h"
#include "support/programenv.h"
#include "support/tempdir.h"
#include "support/typing.h"
#include "support/qstringprint.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace zeva {
namespace {

using test::FakePort;

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

class RequirementCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().CREPORTFILE = QStringLiteral("/eski/rapor.TXT");
        QDir(tmp_.path()).mkdir(QStringLiteral("Data"));
    }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window with the requirement commands installed, shown and
    // active. Its dialogs are run by the steps, one per dialog, in order.
    STANDARDSHELLWINDOW& window()
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>(nullptr, &port_);
        STANDARDSHELLWINDOW& w = *window_;
        installRequirementCommands(w);
        w.setDialogRunner([this](QDialog& d) {
            d.show();
            QApplication::setActiveWindow(&d);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            settle();
            EXPECT_EQ(d.parentWidget(), window_.get()) << "owned by the main window";
            shown_ << d.objectName();
            if (steps_.isEmpty()) {
                ADD_FAILURE() << "no step for " << d.objectName().toStdString();
                d.reject();
            } else {
                steps_.takeFirst()(d);
            }
            settle();
            EXPECT_FALSE(d.isVisible()) << d.objectName().toStdString();
            return d.result();
        });
        w.resize(900, 650);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    // "&Yeni...": a new daily ration.
    void newDailyRation(STANDARDSHELLWINDOW& w)
    {
        port_.newProblems = {NewProblemAnswer{true, QStringLiteral("INEK"), 2}};
        w.mainMenu()->action(3527)->trigger();
        ASSERT_TRUE(G().isOpen());
        ASSERT_EQ(G().APARAMS.value(0), QStringLiteral("G"));
        ASSERT_TRUE(G().ABMTABLE.isEmpty());
        port_.log.clear();
    }

    // The steps of young cattle of 300 kg gaining 800 g a day.
    void youngCattle300(int kind = 1)
    {
        steps_ << [kind](QDialog& d) {
            auto* type = qobject_cast<STIPISECW*>(&d);
            ASSERT_NE(type, nullptr);
            EXPECT_TRUE(type->BGSBUTTON->isChecked());
            if (kind == 2)
                QTest::mouseClick(type->RB_DETAY, Qt::LeftButton);
            QTest::keyClick(type->BGSBUTTON, Qt::Key_Return);
        };
        steps_ << [](QDialog& d) {
            auto* young = qobject_cast<GROWCATLEDW*>(&d);
            ASSERT_NE(young, nullptr);
            typeInto(young->SLECANAG, QStringLiteral("300"));
            QTest::keyClick(young->SLECANAG, Qt::Key_Tab);
            typeInto(young->SLEBAGKAZ, QStringLiteral("800"));
            QTest::keyClick(young->SLEBAGKAZ, Qt::Key_Return);
        };
    }

    QString reportPath() const { return tmp_.file(QStringLiteral("Data/ZVXSBIH.TXT")); }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    FakePort port_;
    QList<std::function<void(QDialog&)>> steps_;
    QStringList shown_;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
};

TEST_F(RequirementCommandsTest, CtrlGFillsANewDailyRation)
{
    STANDARDSHELLWINDOW& w = window();
    newDailyRation(w);
    ASSERT_TRUE(w.mainMenu()->action(3548)->isEnabled());
    youngCattle300();
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "GrowCatleDW"}));
    EXPECT_TRUE(steps_.isEmpty());

    const Table& t = G().ABMTABLE;
    ASSERT_EQ(t.size(), 16);
    EXPECT_EQ(AllTrim(t[0][BMNAME]), QStringLiteral("KMT"));
    EXPECT_EQ(t[0][BMFIX], QStringLiteral("     7.0600"));
    EXPECT_EQ(AllTrim(t[7][BMNAME]), QStringLiteral("HP"));
    EXPECT_EQ(t[7][BMLLIMIT], QStringLiteral("   848.0000"));
    EXPECT_EQ(G().ABMNAMES.size(), 16);
    EXPECT_TRUE(G().LBMCHANGED);
    // Rows only: no report, the current report unchanged, nothing said.
    EXPECT_FALSE(QFile::exists(reportPath()));
    EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/eski/rapor.TXT"));
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));
}

TEST_F(RequirementCommandsTest, ReportItemWritesTheReport)
{
    STANDARDSHELLWINDOW& w = window();
    newDailyRation(w);
    youngCattle300(2);
    w.mainMenu()->action(3560)->trigger();
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "GrowCatleDW"}));
    EXPECT_EQ(G().CREPORTFILE, reportPath());
    QFile report(reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray bytes = report.readAll();
    // The summary and the protein detail section of the same animal.
    NUTREQESTIMATE e;
    e.NSTIPI = NUTREQESTIMATE::kYoung;
    e.NCANAGIR = 300;
    e.NBEKCAAR = 800;
    e.NCESTYPE = 1;
    e.NENECONS = 1.0;
    e.NRTIPI = 2;
    ASSERT_TRUE(e.compute(NUTREQESTIMATE::kReport));
    EXPECT_EQ(bytes.count("\r\n"), e.reportBytes().count("\r\n"));
    EXPECT_TRUE(bytes.contains("300")) << bytes.left(400).toStdString();
    // The ration itself is not touched.
    EXPECT_TRUE(G().ABMTABLE.isEmpty());
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));

    // Without a problem the report is offered too; cancelling it changes nothing.
    w.FILECLOSE();
    ASSERT_FALSE(G().isOpen());
    ASSERT_TRUE(w.mainMenu()->action(3560)->isEnabled());
    port_.log.clear();
    shown_.clear();
    steps_ << [](QDialog& d) { d.close(); };
    w.mainMenu()->action(3560)->trigger();
    EXPECT_EQ(shown_, QStringList{"STipiSecW"});
    EXPECT_EQ(G().CREPORTFILE, reportPath());
    QFile again(reportPath());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));
}

TEST_F(RequirementCommandsTest, CancelledEntryChangesNothing)
{
    STANDARDSHELLWINDOW& w = window();
    newDailyRation(w);
    steps_ << [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); };
    steps_ << [](QDialog& d) {
        auto* young = qobject_cast<GROWCATLEDW*>(&d);
        ASSERT_NE(young, nullptr);
        typeInto(young->SLECANAG, QStringLiteral("300"));
        QTest::keyClick(young->SLECANAG, Qt::Key_Escape);
    };
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "GrowCatleDW"}));
    EXPECT_TRUE(G().ABMTABLE.isEmpty());
    EXPECT_FALSE(G().LBMCHANGED);
    EXPECT_EQ(port_.log, (QStringList{"wait open", "wait close"}));
}

// The requirement entry worked by access keys with Shift held, as the
// program installs them: Alt+Shift+T is "&Tamam", Alt+Shift+I chooses
// "Erkek - Küçük &Irk".
TEST_F(RequirementCommandsTest, AccessKeysWithShiftHeld)
{
    installAccessKeys();
    STANDARDSHELLWINDOW& w = window();
    newDailyRation(w);
    auto altShift = [](QWidget* target, Qt::Key key, const QString& text) {
        QTest::sendKeyEvent(QTest::Click, target, key, text, Qt::AltModifier | Qt::ShiftModifier);
        settle();
    };
    steps_ << [&](QDialog& d) {
        ASSERT_NE(qobject_cast<STIPISECW*>(&d), nullptr);
        altShift(QApplication::focusWidget(), Qt::Key_T, QStringLiteral("T"));
        EXPECT_TRUE(QTest::qWaitFor([&d] { return !d.isVisible(); }, 2000));  // the button's press shows first
    };
    steps_ << [&](QDialog& d) {
        auto* young = qobject_cast<GROWCATLEDW*>(&d);
        ASSERT_NE(young, nullptr);
        altShift(QApplication::focusWidget(), Qt::Key_I, QStringLiteral("I"));
        EXPECT_TRUE(QTest::qWaitFor([young] { return young->EKI_RBUTTON->isChecked(); }, 2000));
        typeInto(young->SLECANAG, QStringLiteral("300"));
        QTest::keyClick(young->SLECANAG, Qt::Key_Tab);
        typeInto(young->SLEBAGKAZ, QStringLiteral("800"));
        altShift(young->SLEBAGKAZ, Qt::Key_T, QStringLiteral("T"));
        EXPECT_TRUE(QTest::qWaitFor([&d] { return !d.isVisible(); }, 2000));
        EXPECT_EQ(young->NCESTYPE, 4);
    };
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "GrowCatleDW"}));
    EXPECT_TRUE(steps_.isEmpty());
    EXPECT_EQ(G().ABMTABLE.size(), 16);
}

// The mature bull's dialog as the report item opens it: every label shows its
// whole text in the dialog's own font, clear of the edits, inside its frame;
// the values typed there make the report.
TEST_F(RequirementCommandsTest, TheBullDialogShowsEveryLabelWholeInOneSize)
{
    STANDARDSHELLWINDOW& w = window();
    steps_ << [](QDialog& d) {
        auto* type = qobject_cast<STIPISECW*>(&d);
        ASSERT_NE(type, nullptr);
        QTest::mouseClick(type->EBBUTTON, Qt::LeftButton);
        QTest::keyClick(type->EBBUTTON, Qt::Key_Return);
    };
    steps_ << [](QDialog& d) {
        auto* bull = qobject_cast<MATBULDW*>(&d);
        ASSERT_NE(bull, nullptr);
        const int size = QFontInfo(d.font()).pixelSize();
        const QRect frame = bull->GROUPBOX1->geometry();
        const QList<QLineEdit*> edits{bull->SLEEY, bull->SLECA};
        for (QLabel* label : {bull->FIXEDTEXT1, bull->FIXEDTEXT2}) {
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_EQ(QFontInfo(label->font()).pixelSize(), size);
            // Where the text is drawn, wrapped as the label wraps it.
            const QRect text = label->fontMetrics()
                                   .boundingRect(label->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                                 label->text())
                                   .translated(label->pos());
            EXPECT_TRUE(label->geometry().contains(text));
            EXPECT_TRUE(frame.contains(label->geometry()));
            for (QLineEdit* e : edits) {
                EXPECT_FALSE(label->geometry().intersects(e->geometry())) << e->objectName().toStdString();
                EXPECT_TRUE(frame.contains(e->geometry())) << e->objectName().toStdString();
            }
        }
        EXPECT_EQ(bull->SLEEY->x(), bull->SLECA->x());
        typeInto(bull->SLECA, QStringLiteral("750"));
        QTest::keyClick(bull->SLECA, Qt::Key_Return);
    };
    w.mainMenu()->action(3560)->trigger();
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "MatBulDW"}));
    EXPECT_TRUE(steps_.isEmpty());
    EXPECT_EQ(G().CREPORTFILE, reportPath());
    QFile report(reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("750"));
}

}  // namespace
}  // namespace zeva
