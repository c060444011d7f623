// The font dialog's style names in Turkish.
#include "platform/ui/turkishdialogs.h"

#include "support/filedialogdelete.h"
#include "support/files.h"
#include "support/qstringprint.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

TEST(TurkishFontStyle, NamesEveryWordOfAStyleAndKeepsWhatItDoesNotKnow)
{
    const struct {
        const char* style;
        const char* turkish;
    } cases[] = {
        {"Regular", "Normal"},
        {"Book", "Normal"},
        {"Bold Italic", "Kalın İtalik"},
        {"Bold Oblique", "Kalın Eğik"},
        {"SemiBold", "Yarı Kalın"},
        {"Semibold Italic", "Yarı Kalın İtalik"},
        {"Demi Bold", "Yarı Kalın"},
        {"ExtraLight Oblique", "Fazla Açık Eğik"},
        {"Condensed Bold", "Dar Kalın"},
        {"Medium", "Orta"},
        {"W3", "W3"},
        {"Kalın", "Kalın"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(turkishFontStyle(QString::fromUtf8(c.style)), QString::fromUtf8(c.turkish)) << c.style;
}

// The file dialogs Qt opens itself (the print dialog's file browser is one)
// get the program's set-up as they are shown: Delete on a folder, answered
// Yes, leaves it and what it holds.
TEST(TurkishFileDialogs, QtsOwnDialogsDeleteNoFolder)
{
    installTurkishDialogs();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    test::TempDir tmp;
    const QString folder = tmp.file(QStringLiteral("eski"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/ic")));
    test::writeAll(folder + QStringLiteral("/ic/not.txt"), "kalsin");
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "open");
        test::FolderDeleteAttempt attempt;
        test::NextFileDialog next([&](QFileDialog& fd) { attempt = test::tryToDeleteFolder(fd, tmp.path(), QStringLiteral("eski")); });
        if (save)
            QFileDialog::getSaveFileName(nullptr, QStringLiteral("Kaydet"), tmp.path());
        else
            QFileDialog::getOpenFileName(nullptr, QStringLiteral("Aç"), tmp.path());
        EXPECT_TRUE(next.seen());
        EXPECT_TRUE(attempt.questions.isEmpty()) << attempt.questions.join('|').toStdString();
        EXPECT_FALSE(attempt.offered.contains(QStringLiteral("qt_delete_action")));
        EXPECT_EQ(test::readAll(folder + QStringLiteral("/ic/not.txt")), QByteArray("kalsin"));
    }
}

}  // namespace
}  // namespace zeva
