// The problem-parameter dialogs and their effect on the header.
#include "core/activeproblem.h"
#include "core/paramdialog.h"
#include "core/ui/paramdialogs.h"
#include "platform/ui/controls.h"
#include "support/fakeport.h"
#include "support/typing.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeva;
using zeva::test::FakePort;
using zeva::test::typeText;

namespace {

class ParamDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().APARAMS = {QStringLiteral("K"), QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
    }
    void TearDown() override { G().reset(); }

    // Shows the dialog without a modal loop and makes it the active window.
    static void show(QDialog& dlg)
    {
        dlg.open();
        QApplication::setActiveWindow(&dlg);
        dlg.activateWindow();
    }
    // Replaces the field's text by typing.
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        typeText(edit, text);
    }
};

}  // namespace

TEST_F(ParamDialogTest, MixerCapacityIsNormalisedWhenLeftAndOnOk)
{
    KYPARMGIR_WIN dlg(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
    show(dlg);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Parametre Giriş"));
    EXPECT_EQ(dlg.MIXCAPA->text(), QStringLiteral("1000.00"));
    EXPECT_EQ(dlg.PARABIRIM->text(), QStringLiteral("TL"));
    EXPECT_EQ(dlg.AGIRBIRIM->text(), QStringLiteral("Kg"));
    EXPECT_EQ(dlg.FIXEDTEXT1->text(), QStringLiteral("Mikser kapasitesi..:"));

    retype(dlg.MIXCAPA, QStringLiteral("1250,5"));
    QTest::keyClick(dlg.MIXCAPA, Qt::Key_Tab);
    EXPECT_EQ(dlg.MIXCAPA->text(), QStringLiteral("    1250.50"));
    EXPECT_TRUE(dlg.PARABIRIM->hasFocus());

    dlg.pbTamam->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.CMCAPAX(), QStringLiteral("    1250.50"));
    const ParamAnswer a = dlg.answer();
    EXPECT_TRUE(a.accepted);
    EXPECT_TRUE(a.edited);
    EXPECT_TRUE(applyParamAnswer(a, QStringLiteral("K")));
    EXPECT_EQ(G().APARAMS, (QStringList{"K", "    1250.50", "TL", "Kg"}));
    EXPECT_TRUE(G().LPARAMCHANGED);

    // OK by Enter while the amount still has the focus stores the same text.
    KYPARMGIR_WIN enter(nullptr, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg"));
    show(enter);
    retype(enter.MIXCAPA, QStringLiteral("1250,5"));
    ASSERT_TRUE(enter.MIXCAPA->hasFocus());
    QTest::keyClick(enter.MIXCAPA, Qt::Key_Return);
    EXPECT_EQ(enter.result(), QDialog::Accepted);
    EXPECT_EQ(enter.answer().amount, QStringLiteral("    1250.50"));
}

TEST_F(ParamDialogTest, NumberOfAnimalsHasThreeDecimalsAndItsOwnTabOrder)
{
    G().APARAMS = {QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
    GRPARMGIR_WIN dlg(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
    show(dlg);
    EXPECT_EQ(dlg.FIXEDTEXT1->text(), QStringLiteral("Hayvan sayısı:"));
    retype(dlg.HAYSAY, QStringLiteral("12"));
    QTest::keyClick(dlg.HAYSAY, Qt::Key_Tab);
    EXPECT_EQ(dlg.HAYSAY->text(), QStringLiteral("     12.000"));
    // Animals, weight, currency: the weight unit comes second though it is shown last.
    EXPECT_TRUE(dlg.AGIRBIRIM->hasFocus());
    QTest::keyClick(dlg.AGIRBIRIM, Qt::Key_Tab);
    EXPECT_TRUE(dlg.PARABIRIM->hasFocus());
    EXPECT_GT(dlg.AGIRBIRIM->y(), dlg.PARABIRIM->y());

    dlg.pbTamam->click();
    EXPECT_EQ(dlg.CHAYSAX(), QStringLiteral("     12.000"));
    EXPECT_EQ(dlg.CPBIRIX, QStringLiteral("TL"));
    EXPECT_EQ(dlg.CABIRIX, QStringLiteral("Kg"));
}

// The amount takes no minus sign (its numeric text would drop it and the
// number would change its sign unseen); the unit fields take any text.
TEST_F(ParamDialogTest, AmountRefusesAMinusSign)
{
    GRPARMGIR_WIN dlg(nullptr, QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg"));
    show(dlg);
    retype(dlg.HAYSAY, QStringLiteral("-10,75"));
    EXPECT_EQ(dlg.HAYSAY->text(), QStringLiteral("10,75"));
    QTest::keyClick(dlg.HAYSAY, Qt::Key_Tab);
    EXPECT_EQ(dlg.HAYSAY->text(), QStringLiteral("     10.750"));
    retype(dlg.AGIRBIRIM, QStringLiteral("g-KM"));
    EXPECT_EQ(dlg.AGIRBIRIM->text(), QStringLiteral("g-KM"));

    KYPARMGIR_WIN mixer(nullptr, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg"));
    show(mixer);
    retype(mixer.MIXCAPA, QStringLiteral("-500"));
    EXPECT_EQ(mixer.MIXCAPA->text(), QStringLiteral("500"));
}

TEST_F(ParamDialogTest, CancelKeepsAnEarlierConfirmedChange)
{
    // A confirmed, unsaved change before this dialog.
    G().APARAMS[PRM_CURRENCY] = QStringLiteral("USD");
    G().LPARAMCHANGED = true;

    // Cancel button, Esc in an edit and the close box, each after typing.
    for (int way = 0; way < 3; ++way) {
        KYPARMGIR_WIN dlg(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
        show(dlg);
        retype(dlg.PARABIRIM, QStringLiteral("EUR"));
        if (way == 0)
            dlg.pbIptal->click();
        else if (way == 1)
            QTest::keyClick(dlg.PARABIRIM, Qt::Key_Escape);
        else
            dlg.close();
        EXPECT_FALSE(dlg.isVisible()) << way;
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << way;
        const ParamAnswer a = dlg.answer();
        EXPECT_FALSE(a.accepted) << way;
        EXPECT_FALSE(applyParamAnswer(a, QStringLiteral("K"))) << way;
        EXPECT_TRUE(G().LPARAMCHANGED) << way;
        EXPECT_EQ(G().APARAMS, (QStringList{"K", "1000.00", "USD", "Kg"})) << way;
    }

    // Without an earlier change the flag stays low.
    G().LPARAMCHANGED = false;
    KYPARMGIR_WIN dlg(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
    show(dlg);
    retype(dlg.PARABIRIM, QStringLiteral("EUR"));
    dlg.pbIptal->click();
    applyParamAnswer(dlg.answer(), QStringLiteral("K"));
    EXPECT_FALSE(G().LPARAMCHANGED);
}

TEST_F(ParamDialogTest, OkWithoutTypingWritesOnlyWhenTheFlagIsUp)
{
    {
        KYPARMGIR_WIN dlg(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
        show(dlg);
        dlg.pbTamam->click();
        const ParamAnswer a = dlg.answer();
        EXPECT_TRUE(a.accepted);
        EXPECT_FALSE(a.edited);
        EXPECT_EQ(a.amount, QStringLiteral("1000.00"));  // not typed in: handed over as shown
        G().APARAMS[PRM_AMOUNT] = QStringLiteral("sentinel");
        EXPECT_TRUE(applyParamAnswer(a, QStringLiteral("K")));
        EXPECT_FALSE(G().LPARAMCHANGED);
        EXPECT_EQ(G().APARAMS[PRM_AMOUNT], QStringLiteral("sentinel"));
    }
    G().LPARAMCHANGED = true;
    ParamAnswer a{true, false, QStringLiteral("    1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
    EXPECT_TRUE(applyParamAnswer(a, QStringLiteral("K")));
    EXPECT_EQ(G().APARAMS, (QStringList{"K", "    1000.00", "TL", "Kg"}));
}

TEST_F(ParamDialogTest, CommasLeaveTheUnits)
{
    KYPARMGIR_WIN dlg(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
    show(dlg);
    retype(dlg.PARABIRIM, QStringLiteral("T,L"));
    retype(dlg.AGIRBIRIM, QStringLiteral(",Kg,"));
    dlg.pbTamam->click();
    EXPECT_EQ(dlg.CPBIRIX, QStringLiteral("TL"));
    EXPECT_EQ(dlg.CABIRIX, QStringLiteral("Kg"));
    // Typing the same text back still counts as a change.
    KYPARMGIR_WIN same(nullptr, G().APARAMS[1], G().APARAMS[2], G().APARAMS[3]);
    show(same);
    retype(same.AGIRBIRIM, QStringLiteral("Kg"));
    same.pbTamam->click();
    EXPECT_TRUE(same.answer().edited);
}

TEST_F(ParamDialogTest, ParmgirAsksThroughThePortAfterClosingTheWaitBox)
{
    FakePort port;
    // Answers as a careless port might give them: amount as typed, commas in the units.
    port.params = {ParamAnswer{true, true, QStringLiteral("1250,5"), QStringLiteral("T,L"), QStringLiteral("Kg")},
                   ParamAnswer{}};
    QString amount = QStringLiteral("old"), currency = QStringLiteral("old"), weight = QStringLiteral("old");
    EXPECT_TRUE(PARMGIR(port, QStringLiteral("K"), amount, currency, weight));
    EXPECT_EQ(port.log, (QStringList{"wait close", "params K 1000.00|TL|Kg"}));
    EXPECT_EQ(amount, QStringLiteral("    1250.50"));
    EXPECT_EQ(currency, QStringLiteral("TL"));
    EXPECT_EQ(weight, QStringLiteral("Kg"));
    EXPECT_EQ(G().APARAMS, (QStringList{"K", "    1250.50", "TL", "Kg"}));
    EXPECT_TRUE(G().LPARAMCHANGED);

    // Cancel: the outputs and the header stay.
    QString a2 = QStringLiteral("x"), c2 = QStringLiteral("y"), w2 = QStringLiteral("z");
    EXPECT_FALSE(PARMGIR(port, QStringLiteral("K"), a2, c2, w2));
    EXPECT_EQ(a2 + c2 + w2, QStringLiteral("xyz"));
    EXPECT_EQ(G().APARAMS[PRM_AMOUNT], QStringLiteral("    1250.50"));
    EXPECT_TRUE(G().LPARAMCHANGED);
    EXPECT_TRUE(port.allAnswersUsed());

    // Daily ration: three decimals.
    G().reset();
    G().APARAMS = {QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
    port.params = {ParamAnswer{true, true, QStringLiteral("12"), QStringLiteral("TL"), QStringLiteral("Kg")}};
    EXPECT_TRUE(PARMGIR(port, QStringLiteral("G"), a2, c2, w2));
    EXPECT_EQ(a2, QStringLiteral("     12.000"));
}
