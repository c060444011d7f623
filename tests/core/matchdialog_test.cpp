// The name-matching dialog CB_HSEC, driven without a modal loop.
#include "core/ui/matchdialog.h"
#include "platform/ui/controls.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeva;

namespace {

const QStringList kFields{QStringLiteral("FIATI"), QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("NB")};

}  // namespace

TEST(CbHsec, ButtonsGiveResultAndPosition)
{
    {
        // "Tamam" without a chosen item keeps the dialog open.
        CB_HSEC dlg(nullptr, QStringLiteral("Ham Yağ"), kFields);
        dlg.open();
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Eşleştirme Diyaloğu"));
        EXPECT_EQ(dlg.CBHSEC->count(), 4);
        EXPECT_EQ(dlg.CBHSEC->currentIndex(), -1);
        // Typed text is not a choice.
        dlg.CBHSEC->setEditText(QStringLiteral("HP"));
        dlg.pbTamam->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.NSELECTED, 0);
        // The last candidate.
        dlg.CBHSEC->setCurrentIndex(3);
        dlg.pbTamam->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.RESULT(), 1);
        EXPECT_EQ(dlg.NSELECTED, 4);
    }
    {
        CB_HSEC dlg(nullptr, QStringLiteral("Ham Yağ"), kFields);
        dlg.open();
        dlg.CBHSEC->setCurrentIndex(1);
        dlg.pbAtla->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.RESULT(), 2);
        EXPECT_EQ(dlg.NSELECTED, 0);
    }
    {
        CB_HSEC dlg(nullptr, QStringLiteral("Ham Yağ"), kFields);
        dlg.open();
        dlg.CBHSEC->setCurrentIndex(1);
        dlg.pbIptal->click();
        EXPECT_EQ(dlg.RESULT(), 0);
        EXPECT_EQ(dlg.NSELECTED, 0);
    }
    {
        // The close box, and Esc, stop as "İptal" does.
        CB_HSEC dlg(nullptr, QStringLiteral("Ham Yağ"), kFields);
        dlg.open();
        dlg.CBHSEC->setCurrentIndex(2);
        dlg.close();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.RESULT(), 0);
        EXPECT_EQ(dlg.NSELECTED, 0);
    }
    {
        CB_HSEC dlg(nullptr, QStringLiteral("Ham Yağ"), kFields);
        dlg.open();
        QTest::keyClick(dlg.CBHSEC, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.RESULT(), 0);
    }
    {
        // With no candidates only "Atla" and "İptal" close it.
        CB_HSEC dlg(nullptr, QStringLiteral("Ham Yağ"), {});
        dlg.open();
        dlg.pbTamam->click();
        EXPECT_TRUE(dlg.isVisible());
        dlg.pbAtla->click();
        EXPECT_EQ(dlg.RESULT(), 2);
    }
}

TEST(CbHsec, TemplateAndPrompt)
{
    const QString name = QStringLiteral("BUĞDAY KEPEĞİ İNCE KIRMA");  // 24 characters
    CB_HSEC dlg(nullptr, name, kFields);
    dlg.open();
    EXPECT_EQ(dlg.FT_BM_UN->text(), name + QStringLiteral(" ->\nEşini Seçiniz"));
    EXPECT_EQ(dlg.pbTamam->text(), QStringLiteral("Tamam"));
    EXPECT_EQ(dlg.pbAtla->text(), QStringLiteral("Atla"));
    EXPECT_EQ(dlg.pbIptal->text(), QStringLiteral("İptal"));
    EXPECT_FALSE(dlg.pbTamam->isDefault() || dlg.pbAtla->isDefault() || dlg.pbIptal->isDefault());
    // Buttons one under the other at the right: Tamam, Atla, İptal.
    EXPECT_LT(dlg.pbTamam->y(), dlg.pbAtla->y());
    EXPECT_LT(dlg.pbAtla->y(), dlg.pbIptal->y());
    EXPECT_GT(dlg.pbTamam->x(), dlg.CBHSEC->x() + dlg.CBHSEC->width());
    // The whole prompt shows, inside the dialog.
    const QRect box = dlg.FT_BM_UN->contentsRect();
    const QRect need = QFontMetrics(dlg.FT_BM_UN->font())
                           .boundingRect(QRect(0, 0, box.width(), 10000), Qt::TextWordWrap | Qt::AlignLeft,
                                         dlg.FT_BM_UN->text());
    EXPECT_LE(need.width(), box.width());
    EXPECT_LE(need.height(), box.height());
    EXPECT_LE(dlg.FT_BM_UN->geometry().bottom(), dlg.height());
    for (QPushButton* b : {dlg.pbTamam, dlg.pbAtla, dlg.pbIptal})
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), b->width());
}
