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
#include "support/x11keyboard.h"
#include "support/qstringprint.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

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

// The young-cattle dialog worked from a Turkish keyboard (X11, layout "tr"),
// with the keys the X server sends for it. That layout has i and İ on one key
// and ı and I on another, so Alt+Shift+i comes as the capital İ with Alt and
// Shift held, which X11's shortcut matching also reads as Alt+İ, the key of
// "&İptal" alone. Here it is Alt+i: it moves the focus between "Erkek -
// Küçük &Irk" and "&İptal" and presses neither; Alt+ı and Alt+Shift+ı (the
// capital I) choose "&Irk", Alt+Shift+e "&Erkek - Büyük Irk", and
// Alt+Shift+t "&Tamam" hands the typed values over.
TEST_F(RequirementCommandsTest, TurkishKeyboardAccessKeys)
{
    if (!test::X11Keyboard::inside()) {
        if (const QStringList missing = test::X11Keyboard::missingPrograms(); !missing.isEmpty())
            GTEST_SKIP() << "not installed: " << missing.join(QLatin1Char(' ')).toStdString();
        test::X11Keyboard x11;
        QString output;
        const QString failure = x11.runThisTestInside(QStringLiteral("tr"), &output);
        EXPECT_EQ(failure, QString()) << output.toStdString();
        return;
    }
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    installAccessKeys();
    STANDARDSHELLWINDOW& w = window();
    newDailyRation(w);
    auto type = [](const char* keys) { ASSERT_TRUE(test::X11Keyboard::type(QLatin1String(keys))) << keys; };
    steps_ << [&](QDialog& d) {
        ASSERT_NE(qobject_cast<STIPISECW*>(&d), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    steps_ << [&](QDialog& d) {
        auto* young = qobject_cast<GROWCATLEDW*>(&d);
        ASSERT_NE(young, nullptr);
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        typeInto(young->SLECANAG, QStringLiteral("300"));
        QTest::keyClick(young->SLECANAG, Qt::Key_Tab);
        typeInto(young->SLEBAGKAZ, QStringLiteral("800"));
        const QList<QWidget*> iCaptions{young->EKI_RBUTTON, young->pbIptal};
        auto focusMoved = [&](const QWidget* from) {
            return QTest::qWaitFor(
                [&] {
                    return QApplication::focusWidget() != from || young->pbIptal->isDown() || !d.isVisible();
                },
                5000);
        };
        // Alt+Shift+i twice, then Alt+i: round the two i-captions, nothing pressed.
        QWidget* from = young->SLEBAGKAZ;
        for (const char* keys : {"alt+shift+i", "alt+shift+i", "alt+i"}) {
            SCOPED_TRACE(keys);
            type(keys);
            ASSERT_TRUE(focusMoved(from));
            ASSERT_FALSE(young->pbIptal->isDown());
            ASSERT_TRUE(d.isVisible());
            EXPECT_TRUE(iCaptions.contains(QApplication::focusWidget()));
            EXPECT_NE(QApplication::focusWidget(), from);
            EXPECT_TRUE(young->DBI_RBUTTON->isChecked());
            from = QApplication::focusWidget();
        }
        // The other mappings: each chooses its own button.
        const struct {
            const char* keys;
            QRadioButton* chosen;
        } picks[] = {
            {"alt+idotless", young->EKI_RBUTTON},
            {"alt+shift+e", young->EBI_RBUTTON},
            {"alt+shift+idotless", young->EKI_RBUTTON},
        };
        for (const auto& pick : picks) {
            SCOPED_TRACE(pick.keys);
            type(pick.keys);
            EXPECT_TRUE(QTest::qWaitFor([&] { return pick.chosen->isChecked(); }, 5000));
            EXPECT_TRUE(d.isVisible());
        }
        type("alt+shift+t");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 5000));
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(young->NCESTYPE, 4);
        EXPECT_EQ(young->NCANAGIR, 300);
        EXPECT_EQ(young->NBEKCAAR, 800);
    };
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", "GrowCatleDW"}));
    EXPECT_TRUE(steps_.isEmpty());
    EXPECT_EQ(G().ABMTABLE.size(), 16);
}

// Every label and radio button of a shown dialog shows its whole text in the
// dialog's own font, inside its own box and its frame, clear of the edits;
// every edit lies inside its frame.
void expectTextsWholeInOneSize(const QDialog& d)
{
    const int size = QFontInfo(d.font()).pixelSize();
    const QList<QGroupBox*> frames = d.findChildren<QGroupBox*>();
    const auto frameOf = [&](const QWidget* w) {
        for (const QGroupBox* f : frames)
            if (f->geometry().contains(w->geometry().center()))
                return f->geometry();
        return QRect(QPoint(0, 0), d.size());
    };
    const QList<QLineEdit*> edits = d.findChildren<QLineEdit*>();
    QList<QWidget*> texts;
    for (QLabel* label : d.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;  // a picture
        SCOPED_TRACE(label->text().toStdString());
        // Where the text is drawn, wrapped as the label wraps it.
        const QRect text = label->fontMetrics()
                               .boundingRect(label->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                             label->text())
                               .translated(label->pos());
        EXPECT_TRUE(label->geometry().contains(text));
        texts << label;
    }
    for (QRadioButton* button : d.findChildren<QRadioButton*>()) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
        texts << button;
    }
    for (QWidget* w : texts) {
        const auto* label = qobject_cast<QLabel*>(w);
        SCOPED_TRACE((label ? label->text() : static_cast<QAbstractButton*>(w)->text()).toStdString());
        EXPECT_EQ(QFontInfo(w->font()).pixelSize(), size);
        EXPECT_TRUE(frameOf(w).contains(w->geometry()));
        for (QLineEdit* e : edits)
            EXPECT_FALSE(w->geometry().intersects(e->geometry())) << e->objectName().toStdString();
    }
    for (QLineEdit* e : edits)
        EXPECT_TRUE(frameOf(e).contains(e->geometry())) << e->objectName().toStdString();
}

// An input dialog as the report item opens it, and what is typed there.
struct InputDialogCase {
    const char* name;                                // the dialog's template
    QRadioButton* STIPISECW::*type;                  // the animal type that opens it
    std::vector<std::vector<int>> columns;           // edits that stand in one column
    std::vector<std::pair<int, const char*>> typed;  // edit id and text, in order
    const char* reported;                            // a value the report shows
};

void PrintTo(const InputDialogCase& c, std::ostream* os) { *os << c.name; }

class InputDialogLayoutTest : public RequirementCommandsTest,
                              public ::testing::WithParamInterface<InputDialogCase> {};

// Every text of the animal-type dialog and of the input dialog it opens shows
// whole in the dialog's own font, clear of the edits, inside its frame; the
// edits of a column stay in line, and the values typed there make the report.
TEST_P(InputDialogLayoutTest, EveryTextShowsWholeInOneSize)
{
    const InputDialogCase& c = GetParam();
    STANDARDSHELLWINDOW& w = window();
    steps_ << [&c](QDialog& d) {
        auto* type = qobject_cast<STIPISECW*>(&d);
        ASSERT_NE(type, nullptr);
        expectTextsWholeInOneSize(d);
        QTest::mouseClick(type->*c.type, Qt::LeftButton);
        QTest::keyClick(type->*c.type, Qt::Key_Return);
    };
    steps_ << [&c](QDialog& d) {
        ASSERT_EQ(d.objectName(), QString::fromUtf8(c.name));
        expectTextsWholeInOneSize(d);
        const auto edit = [&d](int id) { return d.findChild<QLineEdit*>(QStringLiteral("ctl%1").arg(id)); };
        for (const std::vector<int>& column : c.columns)
            for (int id : column) {
                ASSERT_NE(edit(id), nullptr) << id;
                EXPECT_EQ(edit(id)->x(), edit(column.front())->x()) << id;
            }
        QLineEdit* last = nullptr;
        for (const auto& [id, text] : c.typed) {
            last = edit(id);
            ASSERT_NE(last, nullptr) << id;
            typeInto(last, QString::fromUtf8(text));
        }
        ASSERT_NE(last, nullptr);
        QTest::keyClick(last, Qt::Key_Return);
    };
    w.mainMenu()->action(3560)->trigger();
    settle();
    EXPECT_EQ(shown_, (QStringList{"STipiSecW", QString::fromUtf8(c.name)}));
    EXPECT_TRUE(steps_.isEmpty());
    EXPECT_EQ(G().CREPORTFILE, reportPath());
    QFile report(reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains(c.reported));
}

INSTANTIATE_TEST_SUITE_P(
    RequirementInputDialogs, InputDialogLayoutTest,
    ::testing::Values(InputDialogCase{"GrowCatleDW", &STIPISECW::BGSBUTTON, {{109, 110, 113}},
                                      {{110, "300"}, {113, "800"}}, "300"},
                      InputDialogCase{"LactCatleDW",
                                      &STIPISECW::GSVBUTTON,
                                      {{115, 116, 117, 118, 119, 120}},
                                      {{116, "600"}, {117, "20"}, {118, "3.5"}, {119, "100"}, {120, "2"}},
                                      "600"},
                      InputDialogCase{"MatBulDW", &STIPISECW::EBBUTTON, {{103, 104}}, {{104, "750"}}, "750"}),
    [](const ::testing::TestParamInfo<InputDialogCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zeva
