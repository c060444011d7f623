#include "platform/ui/messagebox.h"

#include <QLabel>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <memory>

namespace zeva {
namespace {

TEST(MessageBoxText, CarriageReturnsBreakTheLine)
{
    const QString two = QStringLiteral("Rapor dosyası oluşturmada hata!\n\nSonra tekrar deneyin..");
    for (const QString& text : {QStringLiteral("Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyin.."),
                                QStringLiteral("Rapor dosyası oluşturmada hata!\r\n\r\nSonra tekrar deneyin.."), two}) {
        std::unique_ptr<QMessageBox> box(makeMessageBox(nullptr, QStringLiteral("Hata..."), text, 16));
        EXPECT_EQ(box->text(), two);
    }
    // Shown, the three lines take three lines' height.
    std::unique_ptr<QMessageBox> one(makeMessageBox(nullptr, QString(), QStringLiteral("Rapor"), 16));
    std::unique_ptr<QMessageBox> three(makeMessageBox(nullptr, QString(), QStringLiteral("Rapor\r\rSonra"), 16));
    QLabel* a = one->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    QLabel* b = three->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_GE(b->sizeHint().height(), 3 * a->sizeHint().height() - 2);
}

}  // namespace
}  // namespace zeva
