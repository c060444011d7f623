// The requirement dialogs on the offscreen screen: presets, the buttons that
// enable and disable, the range of every edit (both bounds included) tested
// when the focus leaves it and again on OK, the parity limit, the cow's two
// warnings, the ways of cancelling, and every text shown whole.
#include "requirements/ui/requirementcommands.h"
#include "requirements/ui/requirementdialogs.h"

#include "core/numeric.h"
#include "platform/ui/accesskeys.h"
#include "platform/ui/controls.h"
#include "support/fakeport.h"
#include "support/tempdir.h"
#include "support/typing.h"
#include "support/qstringprint.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace zeva {
namespace {

using test::FakePort;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Shows the dialog as the active window.
void show(QDialog& d)
{
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    settle();
}

// Types `text` over the edit's contents, as a user would.
void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    test::typeText(edit, text);
}

// Leaves the edit with Tab.
void leave(QLineEdit* edit)
{
    QTest::keyClick(edit, Qt::Key_Tab);
    settle();
}

QWidget* focus() { return QApplication::focusWidget(); }

// A mouse click with the event loop running between press and release, as
// it does between a user's two movements.
void slowClick(QWidget* w)
{
    QTest::mousePress(w, Qt::LeftButton);
    settle();
    QTest::mouseRelease(w, Qt::LeftButton);
    settle();
}

// One edit's bounds: the two accepted values and what they show, and values
// that keep the focus.
struct Bounds {
    const char* edit;
    const char* low;
    const char* lowShown;
    const char* high;
    const char* highShown;
    std::vector<const char*> refused;
};

// Types each value into the edit and leaves it.
void expectBounds(QDialog& d, QLineEdit* edit, const Bounds& b)
{
    SCOPED_TRACE(b.edit);
    for (auto [typed, shown] : {std::pair{b.low, b.lowShown}, std::pair{b.high, b.highShown}}) {
        typeInto(edit, QString::fromUtf8(typed));
        leave(edit);
        EXPECT_EQ(edit->text(), QString::fromUtf8(shown)) << typed;
        EXPECT_NE(focus(), edit) << typed << " is accepted";
    }
    for (const char* typed : b.refused) {
        typeInto(edit, QString::fromUtf8(typed));
        leave(edit);
        EXPECT_EQ(focus(), edit) << typed << " keeps the focus";
        EXPECT_EQ(edit->text(), QString::fromUtf8(typed)) << "the text stays as typed";
        // OK (Enter, without leaving the edit) tests it again and stays open.
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
        EXPECT_TRUE(d.isVisible()) << typed;
        EXPECT_EQ(focus(), edit) << typed;
    }
    typeInto(edit, QString());
    leave(edit);
}

// Every label, button and frame of a dialog shows its whole text.
void expectTextsWhole(const QDialog& d)
{
    for (QLabel* label : d.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QRect box(QPoint(0, 0), label->size());
        const QRect need =
            label->fontMetrics().boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
        EXPECT_LE(need.height(), box.height()) << label->text().toStdString();
        EXPECT_LE(need.width(), box.width()) << label->text().toStdString();
    }
    for (QRadioButton* button : d.findChildren<QRadioButton*>())
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
    for (QPushButton* button : d.findChildren<QPushButton*>()) {
        const int text = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&')));
        EXPECT_LE(text + 8, button->width()) << button->text().toStdString();
    }
    for (QGroupBox* box : d.findChildren<QGroupBox*>())
        EXPECT_LE(box->minimumSizeHint().width(), box->width()) << box->title().toStdString();
    // The widest value any of the edits takes shows whole (its leading blanks
    // may scroll out of sight).
    for (VQSLE* edit : d.findChildren<VQSLE*>()) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        const int room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - 4;
        EXPECT_LE(edit->fontMetrics().horizontalAdvance(QStringLiteral("1400.00")), room)
            << edit->objectName().toStdString();
    }
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (w->parentWidget() != &d)
            continue;
        EXPECT_TRUE(QRect(QPoint(0, 0), d.size()).contains(w->geometry())) << w->objectName().toStdString();
    }
}

class RequirementDialogsTest : public ::testing::Test {
protected:
    void TearDown() override { settle(); }
    FakePort port_;
};

// ---------------------------------------------------------------- animal type

TEST_F(RequirementDialogsTest, AnimalTypeForTheRows)
{
    STIPISECW d(nullptr, 1);
    show(d);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Sığır Tipi"));
    EXPECT_TRUE(d.BGSBUTTON->isChecked());
    EXPECT_TRUE(d.RB_OZET->isChecked());
    EXPECT_FALSE(d.RB_OZET->isEnabled());
    EXPECT_FALSE(d.RB_DETAY->isEnabled());
    ASSERT_NE(d.FBINEGESOR->pixmap().isNull(), true);
    EXPECT_EQ(d.FBINEGESOR->pixmap().size(), QSize(177, 119));
    // The bull and back: the report kind stays greyed.
    QTest::mouseClick(d.EBBUTTON, Qt::LeftButton);
    QTest::mouseClick(d.GSVBUTTON, Qt::LeftButton);
    EXPECT_FALSE(d.RB_DETAY->isEnabled());
    QTest::mouseClick(d.pbTamam, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.NSTIPI, 2);
    EXPECT_EQ(d.NRTIPI, 1);
}

TEST_F(RequirementDialogsTest, AnimalTypeForTheReport)
{
    STIPISECW d(nullptr, 2);
    show(d);
    EXPECT_TRUE(d.RB_OZET->isEnabled());
    EXPECT_TRUE(d.RB_DETAY->isEnabled());
    QTest::mouseClick(d.RB_DETAY, Qt::LeftButton);
    ASSERT_TRUE(d.RB_DETAY->isChecked());
    // The bull has no detailed report.
    QTest::mouseClick(d.EBBUTTON, Qt::LeftButton);
    EXPECT_TRUE(d.RB_OZET->isChecked());
    EXPECT_FALSE(d.RB_DETAY->isChecked());
    EXPECT_FALSE(d.RB_OZET->isEnabled());
    EXPECT_FALSE(d.RB_DETAY->isEnabled());
    // Young cattle again: both offered, "Özet" still pressed.
    QTest::mouseClick(d.BGSBUTTON, Qt::LeftButton);
    EXPECT_TRUE(d.RB_OZET->isEnabled());
    EXPECT_TRUE(d.RB_DETAY->isEnabled());
    EXPECT_TRUE(d.RB_OZET->isChecked());
    QTest::mouseClick(d.RB_DETAY, Qt::LeftButton);
    QTest::keyClick(d.RB_DETAY, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.NSTIPI, 1);
    EXPECT_EQ(d.NRTIPI, 2);
}

TEST_F(RequirementDialogsTest, AnimalTypeCancelledEveryWay)
{
    const std::function<void(STIPISECW&)> ways[] = {
        [](STIPISECW& d) { QTest::mouseClick(d.pbIptal, Qt::LeftButton); },
        [](STIPISECW& d) { QTest::keyClick(d.BGSBUTTON, Qt::Key_Escape); },
        [](STIPISECW& d) { d.close(); },
    };
    for (const auto& cancel : ways) {
        STIPISECW d(nullptr, 2);
        show(d);
        QTest::mouseClick(d.GSVBUTTON, Qt::LeftButton);
        cancel(d);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.NSTIPI, 0);
    }
}

// ---------------------------------------------------------------- young cattle

TEST_F(RequirementDialogsTest, YoungCattle)
{
    GROWCATLEDW d(nullptr);
    show(d);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Büyüyen Genç Sığır"));
    EXPECT_TRUE(d.DBI_RBUTTON->isChecked());
    EXPECT_EQ(d.SLEENKONS->text(), QStringLiteral("1.00"));
    EXPECT_EQ(focus(), d.SLEENKONS);

    expectBounds(d, d.SLEENKONS, {"energy", "0.95", "       0.95", "1.05", "       1.05", {"0.94", "1.051", "abc", "0,94"}});
    expectBounds(d, d.SLECANAG, {"weight", "100", "     100.00", "800", "     800.00", {"99", "801", "abc", "-450"}});
    expectBounds(d, d.SLEBAGKAZ, {"gain", "400", "     400.00", "1000", "    1000.00", {"399", "1001"}});

    typeInto(d.SLEENKONS, QStringLiteral("1"));
    leave(d.SLEENKONS);
    EXPECT_EQ(d.SLEENKONS->text(), QStringLiteral("       1.00"));
    typeInto(d.SLECANAG, QStringLiteral("450"));
    leave(d.SLECANAG);
    EXPECT_EQ(d.SLECANAG->text(), QStringLiteral("     450.00"));
    // Typed and confirmed with Enter without leaving: normalised all the same.
    typeInto(d.SLEBAGKAZ, QStringLiteral("812,5"));
    QTest::mouseClick(d.EKI_RBUTTON, Qt::LeftButton);
    typeInto(d.SLEBAGKAZ, QStringLiteral("812,5"));
    QTest::keyClick(d.SLEBAGKAZ, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(d.SLEBAGKAZ->text(), QStringLiteral("     812.50"));
    EXPECT_EQ(d.NENECONS, 1.0);
    EXPECT_EQ(d.NCANAGIR, 450.0);
    EXPECT_EQ(d.NBEKCAAR, 812.5);
    EXPECT_EQ(d.NCESTYPE, 4);
}

TEST_F(RequirementDialogsTest, YoungCattleEmptyFieldsReachTheEstimatorAsZero)
{
    GROWCATLEDW d(nullptr);
    show(d);
    QTest::mouseClick(d.DKI_RBUTTON, Qt::LeftButton);
    QTest::mouseClick(d.pbTamam, Qt::LeftButton);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(d.NCANAGIR, 0.0);
    EXPECT_EQ(d.NBEKCAAR, 0.0);
    EXPECT_EQ(d.NCESTYPE, 2);
}

// OK puts the focus into the first edit out of range, also when the edit it
// comes from is out of range too.
TEST_F(RequirementDialogsTest, OkFocusesTheFirstEditOutOfRange)
{
    GROWCATLEDW d(nullptr);
    show(d);
    d.SLECANAG->setText(QStringLiteral("50"));
    typeInto(d.SLEBAGKAZ, QStringLiteral("5000"));
    QTest::keyClick(d.SLEBAGKAZ, Qt::Key_Return);
    settle();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(focus(), d.SLECANAG);
    EXPECT_EQ(d.SLEBAGKAZ->text(), QStringLiteral("5000"));
    d.reject();
}

// ---------------------------------------------------------------- mature bull

TEST_F(RequirementDialogsTest, MatureBull)
{
    MATBULDW d(nullptr);
    show(d);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Ergin Boğa"));
    EXPECT_EQ(d.SLEEY->text(), QStringLiteral("1.00"));
    EXPECT_EQ(focus(), d.SLEEY);
    expectBounds(d, d.SLEEY, {"energy", "0.95", "       0.95", "1.05", "       1.05", {"0.949", "1.06", "x"}});
    expectBounds(d, d.SLECA, {"weight", "500", "     500.00", "1400", "    1400.00", {"499", "1401", "x"}});
    typeInto(d.SLECA, QStringLiteral("750"));
    leave(d.SLECA);
    EXPECT_EQ(d.SLECA->text(), QStringLiteral("     750.00"));
    typeInto(d.SLEEY, QStringLiteral("1"));
    QTest::keyClick(d.SLEEY, Qt::Key_Return);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(d.NENECONS, 1.0);
    EXPECT_EQ(d.NCANAGIR, 750.0);
}

// ---------------------------------------------------------------- cow

TEST_F(RequirementDialogsTest, CowPresetsAndIntakeStates)
{
    LACTCATLEDW d(nullptr, port_);
    show(d);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Gebe & Süt Veren İnek"));
    EXPECT_TRUE(d.RADIOBUTTON1->isChecked());
    EXPECT_EQ(d.SLEENECONS->text(), QStringLiteral("1.00"));
    EXPECT_EQ(focus(), d.SLEENECONS);
    EXPECT_FALSE(d.SLEENIHKAROR->isEnabled());
    EXPECT_FALSE(d.SLEISTAGKAZ->isEnabled());
    EXPECT_EQ(d.SLEGEBSAY->toolTip(), QStringLiteral("Kurudaki inek için de gebelik sayısı verilmelidir"));

    QTest::mouseClick(d.RADIOBUTTON2, Qt::LeftButton);
    settle();
    EXPECT_TRUE(d.SLEENIHKAROR->isEnabled());
    EXPECT_EQ(focus(), d.SLEENIHKAROR);
    EXPECT_FALSE(d.SLEISTAGKAZ->isEnabled());
    EXPECT_EQ(d.SLEISTAGKAZ->text(), QStringLiteral("     "));
    typeInto(d.SLEENIHKAROR, QStringLiteral("0.8"));

    QTest::mouseClick(d.RADIOBUTTON3, Qt::LeftButton);
    settle();
    EXPECT_EQ(d.SLEENIHKAROR->text(), QStringLiteral("     "));
    EXPECT_FALSE(d.SLEENIHKAROR->isEnabled());
    EXPECT_TRUE(d.SLEISTAGKAZ->isEnabled());
    EXPECT_EQ(focus(), d.SLEISTAGKAZ);

    QTest::mouseClick(d.RADIOBUTTON1, Qt::LeftButton);
    settle();
    EXPECT_FALSE(d.SLEENIHKAROR->isEnabled());
    EXPECT_FALSE(d.SLEISTAGKAZ->isEnabled());
    EXPECT_EQ(d.SLEISTAGKAZ->text(), QStringLiteral("     "));
    EXPECT_TRUE(port_.log.isEmpty());
}

TEST_F(RequirementDialogsTest, CowBounds)
{
    LACTCATLEDW d(nullptr, port_);
    show(d);
    expectBounds(d, d.SLEENECONS, {"energy", "0.95", "       0.95", "1.05", "       1.05", {"0.94", "1.06"}});
    expectBounds(d, d.SLECANAG, {"weight", "400", "     400.00", "800", "     800.00", {"399.99", "801"}});
    expectBounds(d, d.SLESUTVER, {"milk", "0", "       0.00", "66", "      66.00", {"66.01", "-1"}});
    expectBounds(d, d.SLESYAGTEST, {"fat", "0", "       0.00", "5.5", "       5.50", {"5.51"}});
    expectBounds(d, d.SLEGEBGUN, {"day", "0", "          0", "282", "        282", {"283", "-1"}});
    QTest::mouseClick(d.RADIOBUTTON2, Qt::LeftButton);
    settle();
    expectBounds(d, d.SLEENIHKAROR, {"share", "0.70", "       0.70", "1.00", "       1.00", {"0.69", "1.01", "0"}});
    QTest::mouseClick(d.RADIOBUTTON3, Qt::LeftButton);
    settle();
    expectBounds(d, d.SLEISTAGKAZ, {"gain", "0.00", "       0.00", "3.00", "       3.00", {"3.01", "-0.5"}});
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
}

TEST_F(RequirementDialogsTest, CowWholeNumbersAndParity)
{
    LACTCATLEDW d(nullptr, port_);
    show(d);
    const struct {
        const char* typed;
        const char* shown;  // null: refused
    } parities[] = {{"5", "          3"}, {"4", "          3"}, {"3", "          3"}, {"2.0", "          2"},
                    {"0", "          0"}, {"-1", nullptr},       {"2.7", nullptr},       {"2,5", nullptr},
                    {"999999999999", nullptr}};
    for (const auto& p : parities) {
        typeInto(d.SLEGEBSAY, QString::fromLatin1(p.typed));
        leave(d.SLEGEBSAY);
        if (p.shown) {
            EXPECT_EQ(d.SLEGEBSAY->text(), QString::fromLatin1(p.shown)) << p.typed;
            EXPECT_NE(focus(), d.SLEGEBSAY) << p.typed;
        } else {
            EXPECT_EQ(d.SLEGEBSAY->text(), QString::fromLatin1(p.typed));
            EXPECT_EQ(focus(), d.SLEGEBSAY) << p.typed;
        }
    }
    typeInto(d.SLEGEBSAY, QStringLiteral("2"));
    leave(d.SLEGEBSAY);
    // A fraction typed as day of pregnancy is refused, as it is on OK.
    typeInto(d.SLEGEBGUN, QStringLiteral("150.5"));
    leave(d.SLEGEBGUN);
    EXPECT_EQ(focus(), d.SLEGEBGUN);
    EXPECT_EQ(d.SLEGEBGUN->text(), QStringLiteral("150.5"));
    typeInto(d.SLECANAG, QStringLiteral("600"));
    typeInto(d.SLEGEBGUN, QStringLiteral("200,9"));
    QTest::keyClick(d.SLEGEBGUN, Qt::Key_Return);
    settle();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(focus(), d.SLEGEBGUN);

    typeInto(d.SLEGEBGUN, QStringLiteral("200,0"));
    QTest::keyClick(d.SLEGEBGUN, Qt::Key_Return);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(d.SLEGEBGUN->text(), QStringLiteral("        200"));
    EXPECT_EQ(d.NGEBEGUN, 200);
    EXPECT_EQ(d.NGEBESAY, 2);
    EXPECT_EQ(d.NCANAGIR, 600.0);
    EXPECT_EQ(d.NYEMTUKE, 1);
}

// What a Turkish user types: a comma is the decimal point, and the range is
// tested on the number that is stored. A minus sign anywhere, and a number
// with more integer digits than the 11-character form holds, are refused.
TEST_F(RequirementDialogsTest, FieldsTestTheNumberThatIsStored)
{
    const QString nines = QString(400, QLatin1Char('9'));  // too big for a double: read as 0 before
    {
        GROWCATLEDW d(nullptr);
        show(d);
        typeInto(d.SLEENKONS, QStringLiteral("0,96"));
        leave(d.SLEENKONS);
        EXPECT_NE(focus(), d.SLEENKONS);
        EXPECT_EQ(d.SLEENKONS->text(), QStringLiteral("       0.96"));
        for (const QString& refused : {QStringLiteral("3,5"), QStringLiteral("450-"), QStringLiteral("1000,01")}) {
            typeInto(d.SLEBAGKAZ, refused);
            leave(d.SLEBAGKAZ);
            EXPECT_EQ(focus(), d.SLEBAGKAZ) << refused.toStdString();
            EXPECT_EQ(d.SLEBAGKAZ->text(), refused);
        }
        typeInto(d.SLEBAGKAZ, QStringLiteral("812,5"));
        typeInto(d.SLECANAG, QStringLiteral("0000000000000450"));  // 16 characters, 3 digits to hold
        QTest::keyClick(d.SLECANAG, Qt::Key_Return);
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(d.NENECONS, 0.96);
        EXPECT_EQ(d.NCANAGIR, 450.0);
        EXPECT_EQ(d.NBEKCAAR, 812.5);
    }
    {
        LACTCATLEDW d(nullptr, port_);
        show(d);
        typeInto(d.SLECANAG, QStringLiteral("600"));
        typeInto(d.SLEGEBSAY, QStringLiteral("2"));
        for (const QString& refused : {nines, QStringLiteral("-0"), QStringLiteral("66,5")}) {
            typeInto(d.SLESUTVER, refused);
            leave(d.SLESUTVER);
            EXPECT_EQ(focus(), d.SLESUTVER) << refused.left(20).toStdString();
            EXPECT_EQ(d.SLESUTVER->text(), refused);
        }
        // OK refuses it too: the cow is not computed as a dry one.
        QTest::keyClick(d.SLESUTVER, Qt::Key_Return);
        settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(focus(), d.SLESUTVER);
        typeInto(d.SLESUTVER, QStringLiteral("32,4"));
        typeInto(d.SLESYAGTEST, QStringLiteral("3,7"));
        QTest::keyClick(d.SLESYAGTEST, Qt::Key_Return);
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(d.NSUTVERI, 32.4);
        EXPECT_EQ(d.NSYAGTES, 3.7);
    }
    {
        MATBULDW d(nullptr);
        show(d);
        typeInto(d.SLECA, nines);
        QTest::keyClick(d.SLECA, Qt::Key_Return);
        settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(focus(), d.SLECA);
        typeInto(d.SLECA, QStringLiteral("1.399,5"));  // the first mark is the point, as stored
        leave(d.SLECA);
        EXPECT_EQ(focus(), d.SLECA);
        d.reject();
    }
}

TEST_F(RequirementDialogsTest, CowWarnings)
{
    const QString ratioBox = QStringLiteral("box 48 Uyarı...: ") + kRatioMissing;
    const QString gainBox = QStringLiteral("box 48 Uyarı...: ") + kGainMissing;
    const auto essentials = [](LACTCATLEDW& d, const QString& parity) {
        typeInto(d.SLECANAG, QStringLiteral("600"));
        typeInto(d.SLEGEBSAY, parity);
        leave(d.SLEGEBSAY);
    };
    {
        // State 2 without its share: the warning, and the dialog stays open.
        LACTCATLEDW d(nullptr, port_);
        show(d);
        essentials(d, QStringLiteral("2"));
        QTest::mouseClick(d.RADIOBUTTON2, Qt::LeftButton);
        QTest::mouseClick(d.pbTamam, Qt::LeftButton);
        settle();
        EXPECT_EQ(port_.log, QStringList{ratioBox});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(focus(), d.SLEENIHKAROR);
        // Blanks left by a switch of states count as empty too.
        QTest::mouseClick(d.RADIOBUTTON3, Qt::LeftButton);
        QTest::mouseClick(d.RADIOBUTTON2, Qt::LeftButton);
        ASSERT_EQ(d.SLEENIHKAROR->text(), QStringLiteral("     "));
        QTest::keyClick(d.SLEENIHKAROR, Qt::Key_Return);
        settle();
        EXPECT_EQ(port_.log, (QStringList{ratioBox, ratioBox}));
        EXPECT_TRUE(d.isVisible());
        // A share of 0 is out of range: no warning, the dialog stays open.
        typeInto(d.SLEENIHKAROR, QStringLiteral("0"));
        QTest::keyClick(d.SLEENIHKAROR, Qt::Key_Return);
        settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(focus(), d.SLEENIHKAROR);
        EXPECT_EQ(port_.log.size(), 2);
        typeInto(d.SLEENIHKAROR, QStringLiteral("0.85"));
        QTest::keyClick(d.SLEENIHKAROR, Qt::Key_Return);
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(d.NYEMTUKE, 2);
        EXPECT_EQ(d.NENGKARO, 0.85);
        EXPECT_EQ(d.NGEBESAY, 2);
    }
    port_.log.clear();
    {
        // State 3 without its gain.
        LACTCATLEDW d(nullptr, port_);
        show(d);
        essentials(d, QStringLiteral("1"));
        QTest::mouseClick(d.RADIOBUTTON3, Qt::LeftButton);
        QTest::keyClick(d.SLEISTAGKAZ, Qt::Key_Return);
        settle();
        EXPECT_EQ(port_.log, QStringList{gainBox});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(focus(), d.SLEISTAGKAZ);
        typeInto(d.SLEISTAGKAZ, QStringLiteral("0.5"));
        QTest::mouseClick(d.pbTamam, Qt::LeftButton);
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(d.NYEMTUKE, 3);
        EXPECT_EQ(d.NISTAGKA, 0.5);
    }
    port_.log.clear();
    {
        // Without a parity there is no warning: the estimator stops on it.
        LACTCATLEDW d(nullptr, port_);
        show(d);
        essentials(d, QString());
        QTest::mouseClick(d.RADIOBUTTON2, Qt::LeftButton);
        QTest::mouseClick(d.pbTamam, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(d.NGEBESAY, 0);
        EXPECT_TRUE(port_.log.isEmpty());
    }
}

// Cancel by mouse while an edit holds a value out of range; Esc in any edit;
// the close box.
TEST_F(RequirementDialogsTest, InputDialogsCancelledEveryWay)
{
    const auto ways = [](RequirementInputDialog& d, QLineEdit* edit, QPushButton* cancel, int way) {
        typeInto(edit, QStringLiteral("9999"));
        switch (way) {
        case 0:
            slowClick(cancel);
            break;
        case 1:
            QTest::keyClick(edit, Qt::Key_Escape);
            break;
        default:
            d.close();
            break;
        }
        settle();
    };
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        {
            GROWCATLEDW d(nullptr);
            show(d);
            ways(d, d.SLECANAG, d.findChild<QPushButton*>(QStringLiteral("ctl106")), way);
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), 0);
            EXPECT_EQ(d.NCANAGIR, 0.0);
        }
        {
            LACTCATLEDW d(nullptr, port_);
            show(d);
            ways(d, d.SLESUTVER, d.findChild<QPushButton*>(QStringLiteral("ctl111")), way);
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), 0);
            EXPECT_EQ(d.NYEMTUKE, 0);
        }
        {
            MATBULDW d(nullptr);
            show(d);
            ways(d, d.SLEEY, d.findChild<QPushButton*>(QStringLiteral("ctl106")), way);
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), 0);
        }
    }
    EXPECT_TRUE(port_.log.isEmpty());
}

// OK by mouse while an edit holds a value out of range does not close.
TEST_F(RequirementDialogsTest, OkByMouseKeepsAnEditOutOfRange)
{
    MATBULDW d(nullptr);
    show(d);
    typeInto(d.SLECA, QStringLiteral("1500"));
    slowClick(d.findChild<QPushButton*>(QStringLiteral("ctl105")));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(focus(), d.SLECA);
    EXPECT_EQ(d.SLECA->text(), QStringLiteral("1500"));
    d.reject();
}

TEST_F(RequirementDialogsTest, EveryTextShowsWhole)
{
    STIPISECW type(nullptr, 2);
    GROWCATLEDW young(nullptr);
    LACTCATLEDW cow(nullptr, port_);
    MATBULDW bull(nullptr);
    for (QDialog* d : std::initializer_list<QDialog*>{&type, &young, &cow, &bull}) {
        SCOPED_TRACE(d->objectName().toStdString());
        expectTextsWhole(*d);
        EXPECT_FALSE(d->windowIcon().isNull());
    }
}

// No frame's top line runs through the text of a label inside the frame.
TEST_F(RequirementDialogsTest, FrameLinesRunAboveTheLabels)
{
    GROWCATLEDW young(nullptr);
    LACTCATLEDW cow(nullptr, port_);
    MATBULDW bull(nullptr);
    for (QDialog* d : std::initializer_list<QDialog*>{&young, &cow, &bull}) {
        SCOPED_TRACE(d->objectName().toStdString());
        show(*d);
        const QImage image = d->grab().toImage();
        int labelsInFrames = 0;
        for (QGroupBox* frame : d->findChildren<QGroupBox*>()) {
            // The frame's top line: the first row, from the frame's top, that
            // leaves the dialog's background in one long run of one colour.
            const QRect g = frame->geometry();
            const int mid = g.left() + g.width() / 2;
            const QRgb background = image.pixel(mid, g.top());
            int line = -1;
            for (int y = g.top(); y < g.top() + g.height() / 2 && line < 0; ++y) {
                const QRgb colour = image.pixel(mid, y);
                if (colour == background)
                    continue;
                int run = 0;
                for (int x = mid; x < g.right() - 4 && image.pixel(x, y) == colour; ++x)
                    ++run;
                if (run >= g.width() / 2 - 6)
                    line = y;
            }
            ASSERT_GE(line, 0) << frame->title().toStdString();
            for (QLabel* label : d->findChildren<QLabel*>()) {
                if (label->text().isEmpty() || !g.contains(label->geometry().center()))
                    continue;
                ++labelsInFrames;
                const QRect text = label->fontMetrics().boundingRect(label->contentsRect(),
                                                                     Qt::TextWordWrap | label->alignment(),
                                                                     label->text());
                EXPECT_GT(label->y() + text.top(), line + 1) << label->text().toStdString();
            }
        }
        EXPECT_GE(labelsInFrames, 2);
        const QList<QLabel*> labels = d->findChildren<QLabel*>();
        for (QLabel* a : labels)
            for (QLabel* b : labels)
                if (a < b && !a->text().isEmpty() && !b->text().isEmpty()) {
                    EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                        << a->text().toStdString() << " / " << b->text().toStdString();
                }
        expectTextsWhole(*d);
        d->reject();
    }
}

// Alt with a key, and the text that key types.
void altKey(QWidget* w, const QString& text, Qt::KeyboardModifiers more = Qt::NoModifier)
{
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_I, text, Qt::AltModifier | more);
}

// The i key answers "&İptal" (Alt+i, Turkish and US keyboards alike). In the
// young-cattle dialog it answers "Erkek - Küçük &Irk" as well: it moves the
// focus between the two and presses neither; the dotless ı still chooses
// "&Irk".
TEST_F(RequirementDialogsTest, AccessKeysOnTheDottedI)
{
    installAccessKeys();
    {
        STIPISECW d(nullptr, 2);
        show(d);
        altKey(focus(), QStringLiteral("i"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 2000));
        EXPECT_EQ(d.result(), 0);
    }
    {
        MATBULDW d(nullptr);
        show(d);
        altKey(d.SLEEY, QStringLiteral("i"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 2000));
        EXPECT_EQ(d.result(), 0);
    }
    GROWCATLEDW d(nullptr);
    show(d);
    ASSERT_EQ(focus(), d.SLEENKONS);
    altKey(focus(), QStringLiteral("i"));
    settle();
    const QWidget* first = focus();
    EXPECT_TRUE(first == d.EKI_RBUTTON || first == d.pbIptal);
    altKey(focus(), QStringLiteral("i"));
    settle();
    EXPECT_TRUE(focus() == d.EKI_RBUTTON || focus() == d.pbIptal);
    EXPECT_NE(focus(), first);
    altKey(focus(), QStringLiteral("i"));
    settle();
    EXPECT_EQ(focus(), first);
    QTest::qWait(300);  // a press would show by now
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.EKI_RBUTTON->isChecked());
    EXPECT_TRUE(d.DBI_RBUTTON->isChecked());

    altKey(focus(), QStringLiteral("ı"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.EKI_RBUTTON->isChecked(); }, 2000));
    d.reject();
}

// Alt+Shift+letter acts as Alt+letter, with the keys as an X11 keyboard sends
// them (the shifted key and its text, Alt and Shift held): Alt+Shift+I is the
// capital of ı and chooses "Erkek - Küçük &Irk" alone, Alt+Shift+İ is the
// capital of i and moves between "&Irk" and "&İptal", Alt+Shift+E chooses
// "&Erkek - Büyük Irk", Alt+Shift+T presses "&Tamam".
TEST_F(RequirementDialogsTest, AltShiftLetterActsAsAltLetter)
{
    installAccessKeys();
    GROWCATLEDW d(nullptr);
    show(d);
    ASSERT_TRUE(d.DBI_RBUTTON->isChecked());
    auto altShift = [](int key, const QString& text) {
        QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key(key), text, Qt::AltModifier | Qt::ShiftModifier);
        settle();
    };
    altShift(Qt::Key_I, QStringLiteral("I"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.EKI_RBUTTON->isChecked(); }, 2000));
    EXPECT_EQ(focus(), d.EKI_RBUTTON);

    altShift(Qt::Key_E, QStringLiteral("E"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.EBI_RBUTTON->isChecked(); }, 2000));
    EXPECT_EQ(focus(), d.EBI_RBUTTON);

    // Alt+Shift+i of a Turkish keyboard as X11 sends it: İ on the i key
    // (keycode 48, keysym Iabovedot) with Shift and Alt held. The shortcuts
    // never see it, where they would read it as "&İptal"'s own Alt+İ.
    QKeyEvent turkish(QEvent::ShortcutOverride, 0x0130, Qt::AltModifier | Qt::ShiftModifier, 48, 0x2a9, 0x9,
                      QStringLiteral("İ"));
    turkish.ignore();
    QCoreApplication::sendEvent(focus(), &turkish);
    EXPECT_TRUE(turkish.isAccepted());

    altShift(0x0130, QStringLiteral("İ"));
    const QWidget* first = focus();
    EXPECT_TRUE(first == d.EKI_RBUTTON || first == d.pbIptal);
    altShift(0x0130, QStringLiteral("İ"));
    EXPECT_TRUE(focus() == d.EKI_RBUTTON || focus() == d.pbIptal);
    EXPECT_NE(focus(), first);
    QTest::qWait(300);  // a press would show by now
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.EBI_RBUTTON->isChecked());

    // A letter no caption has moves nothing.
    d.SLECANAG->setFocus(Qt::OtherFocusReason);
    altShift(Qt::Key_Z, QStringLiteral("Z"));
    EXPECT_EQ(focus(), d.SLECANAG);
    EXPECT_TRUE(d.EBI_RBUTTON->isChecked());

    typeInto(d.SLECANAG, QStringLiteral("300"));
    altShift(Qt::Key_T, QStringLiteral("T"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 2000));
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(d.NCESTYPE, 3);
    EXPECT_EQ(d.NCANAGIR, 300);
}

// ---------------------------------------------------------------- through the run

// The real dialogs through the estimation run: cancelled any way, there are no
// rows, no file and no message.
TEST_F(RequirementDialogsTest, CancelledRunLeavesNothing)
{
    test::TempDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("Data")));
    ActiveProblem p;
    p.CDATAPATH = tmp.path();
    p.CREPORTFILE = QStringLiteral("/eski/rapor.TXT");

    // Which dialog is cancelled (0 the type dialog, 1 the input dialog) and how.
    for (int stage = 0; stage < 2; ++stage)
        for (int type = 1; type <= 3; ++type)
            for (int way = 0; way < 3; ++way) {
                SCOPED_TRACE(QStringLiteral("stage %1 type %2 way %3").arg(stage).arg(type).arg(way).toStdString());
                QStringList shown;
                QtRequirementDialogs dialogs(nullptr, port_, [&](QDialog& d) {
                    show(d);
                    shown << d.objectName();
                    if (auto* t = qobject_cast<STIPISECW*>(&d); t && stage == 1) {
                        QTest::mouseClick(t->findChild<QRadioButton*>(QStringLiteral("ctl%1").arg(100 + type)),
                                          Qt::LeftButton);
                        QTest::mouseClick(t->pbTamam, Qt::LeftButton);
                    } else if (way == 0) {
                        QTest::mouseClick(d.findChildren<QPushButton*>().at(1), Qt::LeftButton);
                    } else if (way == 1) {
                        QWidget* f = QApplication::focusWidget();
                        QTest::keyClick(f ? f : &d, Qt::Key_Escape);
                    } else {
                        d.close();
                    }
                    settle();
                    EXPECT_FALSE(d.isVisible());
                    return d.result();
                });
                for (int destination : {1, 2}) {
                    shown.clear();
                    NUTREQESTIMATE e;
                    EXPECT_FALSE(runRequirementEstimate(e, dialogs, port_, destination, p));
                    EXPECT_EQ(shown.size(), stage + 1);
                    EXPECT_FALSE(e.LDDEG);
                    EXPECT_TRUE(e.ABMREQM.isEmpty());
                }
                EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("Data/ZVXSBIH.TXT"))));
                EXPECT_EQ(p.CREPORTFILE, QStringLiteral("/eski/rapor.TXT"));
                EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
            }
}

}  // namespace
}  // namespace zeva
