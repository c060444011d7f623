// The choice dialogs ACHOICE and MARKTOPBOT, driven without a modal loop.
#include "core/ui/choicedialogs.h"
#include "platform/ui/controls.h"
#include "support/picklist.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace zeva;

namespace {

const QStringList kThree{QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("NEL")};
const QStringList kFive{QStringLiteral("NEL"), QStringLiteral("HP"), QStringLiteral("Ca"), QStringLiteral("P"),
                        QStringLiteral("KMO")};

void clickItem(VQLISTBOX* list, int row, bool twice = false)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

}  // namespace

TEST(AChoice, PicksOneItemByPosition)
{
    {
        ACHOICE dlg(nullptr, QStringLiteral("Bölünen Seçimi"), kThree);
        dlg.open();
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bölünen Seçimi"));
        ASSERT_EQ(dlg.BMLIST->count(), 3);
        EXPECT_EQ(dlg.BMLIST->item(2)->text(), QStringLiteral("NEL"));
        dlg.pbTamam->click();
        EXPECT_EQ(dlg.NSELECTED, 0);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    {
        ACHOICE dlg(nullptr, QStringLiteral("Bölünen Seçimi"), kThree);
        dlg.open();
        clickItem(dlg.BMLIST, 1);
        EXPECT_TRUE(dlg.isVisible());  // one click only selects
        dlg.pbTamam->click();
        EXPECT_EQ(dlg.NSELECTED, 2);
    }
    {
        ACHOICE dlg(nullptr, QStringLiteral("Bölünen Seçimi"), kThree);
        dlg.open();
        clickItem(dlg.BMLIST, 2, true);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.NSELECTED, 3);
    }
    {
        ACHOICE dlg(nullptr, QStringLiteral("Bölünen Seçimi"), kThree);
        dlg.open();
        clickItem(dlg.BMLIST, 1);
        dlg.pbIptal->click();
        EXPECT_EQ(dlg.NSELECTED, 0);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    {
        // Esc in the list cancels.
        ACHOICE dlg(nullptr, QStringLiteral("Bölünen Seçimi"), kThree);
        dlg.open();
        clickItem(dlg.BMLIST, 1);
        QTest::keyClick(dlg.BMLIST, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.NSELECTED, 0);
    }
    {
        ACHOICE dlg(nullptr, QStringLiteral("Boş"), {});
        dlg.open();
        dlg.pbTamam->click();
        EXPECT_EQ(dlg.NSELECTED, 0);
    }
}

TEST(AChoice, TemplateGeometry)
{
    ACHOICE dlg(nullptr, QStringLiteral("x"), kThree);
    EXPECT_EQ(dlg.clientSize(), QSize(222, 151));
    EXPECT_EQ(dlg.BMLIST->geometry(), QRect(15, 15, 111, 125));
    EXPECT_TRUE(dlg.pbTamam->isDefault());
    EXPECT_FALSE(dlg.windowIcon().isNull());
}

TEST(MarkTopBot, MarksSelectAllAndCancel)
{
    {
        MARKTOPBOT dlg(nullptr, QStringLiteral("Bağlı Besin Maddeleri Seçimi"), kFive);
        dlg.open();
        // Items stay in the given order.
        for (int i = 0; i < kFive.size(); ++i)
            EXPECT_EQ(dlg.LBTOSELECT->item(i)->text(), kFive[i]);
        clickItem(dlg.LBTOSELECT, 3);
        clickItem(dlg.LBTOSELECT, 1);
        clickItem(dlg.LBTOSELECT, 0);
        clickItem(dlg.LBTOSELECT, 0);  // the second click unmarks
        dlg.pbTamam->click();
        EXPECT_EQ(dlg.ANSELECTED, (QList<int>{2, 4}));
    }
    {
        MARKTOPBOT dlg(nullptr, QStringLiteral("Seçim"), kFive);
        dlg.open();
        ASSERT_TRUE(dlg.pbTsec);
        EXPECT_EQ(dlg.pbTsec->text(), QStringLiteral("Tümünü &Seç"));
        clickItem(dlg.LBTOSELECT, 2);
        dlg.pbTsec->click();
        EXPECT_EQ(dlg.pbTsec->text(), QStringLiteral("Tümünü &Kaldır"));
        dlg.pbTamam->click();
        EXPECT_EQ(dlg.ANSELECTED, (QList<int>{1, 2, 3, 4, 5}));
    }
    {
        MARKTOPBOT dlg(nullptr, QStringLiteral("Seçim"), kFive);
        dlg.open();
        clickItem(dlg.LBTOSELECT, 2);
        dlg.pbTsec->click();
        clickItem(dlg.LBTOSELECT, 4);  // unmarked by hand, then the button clears all
        dlg.pbTsec->click();
        EXPECT_EQ(dlg.pbTsec->text(), QStringLiteral("Tümünü &Seç"));
        dlg.pbTamam->click();
        EXPECT_TRUE(dlg.ANSELECTED.isEmpty());
    }
    {
        MARKTOPBOT dlg(nullptr, QStringLiteral("Seçim"), kFive);
        dlg.open();
        dlg.pbTsec->click();
        dlg.pbIptal->click();
        EXPECT_TRUE(dlg.ANSELECTED.isEmpty());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    {
        MARKTOPBOT dlg(nullptr, QStringLiteral("Seçim"), kFive);
        dlg.open();
        clickItem(dlg.LBTOSELECT, 0);
        QTest::keyClick(dlg.LBTOSELECT, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_TRUE(dlg.ANSELECTED.isEmpty());
    }
    {
        MARKTOPBOT dlg(nullptr, QStringLiteral("Boş"), {});
        dlg.open();
        dlg.pbTamam->click();
        EXPECT_TRUE(dlg.ANSELECTED.isEmpty());
    }
}

TEST(MarkTopBot, NoSelectAllButtonWhenAskedWithout)
{
    MARKTOPBOT dlg(nullptr, QStringLiteral("Besin Maddesi Seçimi"), kFive, false);
    EXPECT_EQ(dlg.pbTsec, nullptr);
    EXPECT_EQ(dlg.control(103), nullptr);
    for (QPushButton* b : dlg.findChildren<QPushButton*>())
        EXPECT_NE(b->text(), QStringLiteral("Tümünü &Seç"));
    dlg.open();
    clickItem(dlg.LBTOSELECT, 4);
    dlg.pbTamam->click();
    EXPECT_EQ(dlg.ANSELECTED, (QList<int>{5}));
}

// Long names and long titles: the reference tables' longest feed names, as
// the pick lines hold them (padded to the name field's 25 characters), and the
// longest captions the program gives these dialogs. Every name shows whole,
// the title too; the buttons stay right of the list and inside the dialog. A
// dialog whose names and title fit keeps its template's size.
TEST(ChoiceDialogs, EveryNameAndTheTitleShowWhole)
{
    const QStringList longNames{
        QStringLiteral("MISIR"),
        QStringLiteral("KANATLI YAN ÜRÜN UNU").leftJustified(25),
        QStringLiteral("PEYNİRALTI SUYU TOZU").leftJustified(25),
        QStringLiteral("SOYA KÜSPESİ 48").leftJustified(25),
        QStringLiteral("SODYUM BİKARBONAT").leftJustified(25),
    };
    const struct {
        bool many;
        const char* title;
        QStringList items;
        bool grows;
    } cases[] = {
        {false, "Makro Besin Maddesi Seçimi", kThree, true},
        {false, "Bölünen Seçimi", longNames, true},
        {true, "Yem Maddesi Ekle", longNames, true},
        {true, "Bağlı Besin Maddeleri Seçimi", kFive, true},
        {true, "Besin Maddesi Seçimi", kFive, true},
        {false, "x", kThree, false},
        {true, "x", kFive, false},
    };
    for (const auto& c : cases) {
        const QString title = QString::fromUtf8(c.title);
        SCOPED_TRACE(title.toStdString() + " / " + c.items.value(1).toStdString());
        std::unique_ptr<TemplateDialog> dlg;
        QListWidget* list = nullptr;
        if (c.many) {
            auto* d = new MARKTOPBOT(nullptr, title, c.items, false);
            list = d->LBTOSELECT;
            dlg.reset(d);
        } else {
            auto* d = new ACHOICE(nullptr, title, c.items);
            list = d->BMLIST;
            dlg.reset(d);
        }
        const QSize templateSize = dlg->clientSize();
        dlg->open();
        EXPECT_EQ(dlg->windowTitle(), title);
        test::expectPickListWhole(*dlg, list);
        EXPECT_EQ(dlg->width() > templateSize.width(), c.grows);
        EXPECT_EQ(dlg->height(), templateSize.height());
        for (QPushButton* b : dlg->findChildren<QPushButton*>()) {
            EXPECT_GT(b->x(), list->geometry().right()) << b->text().toStdString();
            EXPECT_LE(b->geometry().right(), dlg->width() - 1) << b->text().toStdString();
        }
        dlg->reject();
    }
}
