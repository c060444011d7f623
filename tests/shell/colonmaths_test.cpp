// The column arithmetic dialog: offered columns, the operand classes and what
// each operation button hands back.
#include "shell/colonmaths.h"
#include "shell/ui/colonmathsdialog.h"

#include "platform/ui/controls.h"
#include "support/typing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeva;
using zeva::test::typeText;

namespace {

const QStringList kTableFields{QStringLiteral("YM_ADI"), QStringLiteral("FIATI"), QStringLiteral("KMO"),
                               QStringLiteral("HP"), QStringLiteral("VITB12")};

}  // namespace

TEST(ColonMaths, OffersEveryColumnButTheNameAndThePrice)
{
    EXPECT_EQ(colonMathsFields({QStringLiteral("YM_ADI"), QStringLiteral("FIATI"), QStringLiteral("KMO"),
                                QStringLiteral("HP")}),
              (QStringList{QStringLiteral("KMO"), QStringLiteral("HP")}));
    EXPECT_EQ(colonMathsFields({QStringLiteral("ym_adi"), QStringLiteral("HP")}),
              (QStringList{QStringLiteral("ym_adi"), QStringLiteral("HP")}));

    COLONMATHS dlg(nullptr, kTableFields);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Kolon Aritmetiği"));
    EXPECT_EQ(dlg.FIXEDTEXT1->text(), QStringLiteral("Seçili kolona uygulanacak değer:"));
    EXPECT_EQ(dlg.pbEksi->text(), QStringLiteral("--"));
    EXPECT_EQ(dlg.pbArti->font().pointSize(), 10);
    EXPECT_FALSE(dlg.pbArti->font().bold());
    EXPECT_TRUE(dlg.pbIptal->isDefault());
    EXPECT_TRUE(dlg.CBVALAP->isEditable());
    EXPECT_EQ(dlg.CBVALAP->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    ASSERT_EQ(dlg.CBVALAP->count(), 3);
    EXPECT_EQ(dlg.CBVALAP->itemText(0), QStringLiteral("KMO"));
    EXPECT_EQ(dlg.CBVALAP->itemText(2), QStringLiteral("VITB12"));
    EXPECT_TRUE(dlg.CBVALAP->currentText().isEmpty());
}

TEST(ColonMaths, OperandClasses)
{
    const QStringList fields{QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("VITB12")};
    const struct {
        const char* text;
        const char* cls;
    } cases[] = {
        {"12.5", "N"}, {" 0 ", "N"}, {".", "N"},   {"1..2", "N"}, {"KMO", "A"},  {"VITB12", "A"},
        {"kmo", ""},   {"KM", ""},   {"1,5", "L"}, {"2 kg", "L"}, {"-3", "L"},  {"", ""},
        {"   ", ""},   {"abc", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(operandClass(QString::fromUtf8(c.text), fields), QString::fromUtf8(c.cls)) << c.text;
}

TEST(ColonMaths, DialogCases)
{
    enum Button { Arti, Eksi, Carpi, Bolu, Iptal, None };
    const struct {
        const char* what;
        const char* typed;   // typed into the box (null: nothing)
        int pick;            // list item picked (-1: none)
        bool leave;          // the focus leaves the box before the button
        const char* shown;   // the box's text after leaving (null: unchanged)
        bool focusBack;      // the focus came back to the box
        Button button;
        bool closed;
        const char* coperat;
        const char* cvaluex;
        const char* cvtype;
    } cases[] = {
        {"decimal comma", "1,5", -1, true, "     1.5000", true, Carpi, true, "*", "1.5000", "N"},
        {"number with a unit", "2 kg", -1, true, "     2.0000", true, Arti, true, "+", "2.0000", "N"},
        {"number", "12.5", -1, true, "    12.5000", false, Bolu, true, "/", "12.5000", "N"},
        {"number without leaving", "7", -1, false, nullptr, false, Eksi, true, "-", "7", "N"},
        {"zero divisor is not refused here", "0", -1, false, nullptr, false, Bolu, true, "/", "0", "N"},
        {"picked column", nullptr, 0, false, nullptr, false, Eksi, true, "-", "KMO", "A"},
        {"picked column with a digit", nullptr, 2, true, "VITB12", false, Arti, true, "+", "VITB12", "A"},
        {"typed column with blanks", "  HP  ", -1, false, nullptr, false, Carpi, true, "*", "HP", "A"},
        {"column in small letters", "kmo", -1, true, "kmo", false, Arti, false, "", "", ""},
        {"beginning of a column", "KM", -1, false, nullptr, false, Arti, false, "", "", ""},
        {"name column is not offered", "YM_ADI", -1, false, nullptr, false, Arti, false, "", "", ""},
        {"digits and letters", "1a2", -1, false, nullptr, false, Arti, false, "", "", "L"},
        {"empty operand cancels", nullptr, -1, false, nullptr, false, Bolu, true, "", "", "U"},
        {"blank operand cancels", "   ", -1, true, "   ", false, Carpi, true, "", "", "U"},
        {"cancel", "5", -1, false, nullptr, false, Iptal, true, "", "", "U"},
    };
    for (const auto& c : cases) {
        COLONMATHS dlg(nullptr, kTableFields);
        dlg.open();
        QApplication::setActiveWindow(&dlg);
        ASSERT_TRUE(dlg.CBVALAP->hasFocus()) << c.what;
        if (c.pick >= 0)
            dlg.CBVALAP->setCurrentIndex(c.pick);
        if (c.typed)
            typeText(dlg.CBVALAP->lineEdit(), QString::fromUtf8(c.typed));
        if (c.leave) {
            dlg.pbIptal->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            EXPECT_EQ(dlg.CBVALAP->currentText(), QString::fromUtf8(c.shown)) << c.what;
            EXPECT_EQ(dlg.CBVALAP->hasFocus(), c.focusBack) << c.what;
        }
        QPushButton* const buttons[] = {dlg.pbArti, dlg.pbEksi, dlg.pbCarpi, dlg.pbBolu, dlg.pbIptal};
        buttons[c.button]->click();
        EXPECT_EQ(!dlg.isVisible(), c.closed) << c.what;
        EXPECT_EQ(dlg.COPERAT, QString::fromUtf8(c.coperat)) << c.what;
        EXPECT_EQ(dlg.CVALUEX, QString::fromUtf8(c.cvaluex)) << c.what;
        EXPECT_EQ(dlg.CVTYPE, QString::fromUtf8(c.cvtype)) << c.what;
        if (!c.closed) {
            EXPECT_TRUE(dlg.CBVALAP->hasFocus()) << c.what;
        }
    }
}

// Subtraction is the "--" button: a minus sign typed into the value is not
// taken, so a number never changes its sign unseen.
TEST(ColonMaths, MinusSignIsNotTaken)
{
    COLONMATHS dlg(nullptr, kTableFields);
    dlg.open();
    QApplication::setActiveWindow(&dlg);
    typeText(dlg.CBVALAP->lineEdit(), QStringLiteral("-3,25"));
    EXPECT_EQ(dlg.CBVALAP->currentText(), QStringLiteral("3,25"));
    dlg.pbIptal->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.CBVALAP->currentText(), QStringLiteral("     3.2500"));
    dlg.pbCarpi->click();
    EXPECT_EQ(dlg.CVALUEX, QStringLiteral("3.2500"));
}

TEST(ColonMaths, AnEarlierClassDoesNotCarryOver)
{
    COLONMATHS dlg(nullptr, kTableFields);
    dlg.open();
    QApplication::setActiveWindow(&dlg);
    typeText(dlg.CBVALAP->lineEdit(), QStringLiteral("KMO"));
    EXPECT_TRUE(dlg.NUMORFLD());
    EXPECT_EQ(dlg.CVTYPE, QStringLiteral("A"));
    dlg.CBVALAP->lineEdit()->selectAll();
    typeText(dlg.CBVALAP->lineEdit(), QStringLiteral("abc"));
    dlg.pbArti->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.COPERAT.isEmpty());

    // Esc in the box and the close box end it as a cancel.
    QTest::keyClick(dlg.CBVALAP->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.CVTYPE, QStringLiteral("U"));
    COLONMATHS closed(nullptr, kTableFields);
    closed.open();
    typeText(closed.CBVALAP->lineEdit(), QStringLiteral("5"));
    closed.close();
    EXPECT_FALSE(closed.isVisible());
    EXPECT_TRUE(closed.COPERAT.isEmpty());
    EXPECT_EQ(closed.CVTYPE, QStringLiteral("U"));
}
