// The report pad's names and plain-text files.
#include "reports/padfiles.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

TEST(PadFiles, NamesAndKinds)
{
    EXPECT_EQ(untitledPadName(1), QStringLiteral("Adsız1"));
    EXPECT_EQ(untitledPadName(12), QStringLiteral("Adsız12"));
    EXPECT_EQ(untitledPadName(100), QStringLiteral("Adsız100"));
    EXPECT_TRUE(isUntitledPadName(QStringLiteral("Adsız7")));
    EXPECT_FALSE(isUntitledPadName(QStringLiteral("/veri/Adsız7.TXT")));

    const struct {
        const char* name;
        bool report;
        PadFileKind kind;
    } cases[] = {
        {"/veri/Data/KARMA.TXT", true, PadFileKind::PlainText},
        {"/veri/Data/karma.txt", true, PadFileKind::PlainText},
        {"/veri/Data/Not.Rtf", true, PadFileKind::RichText},
        {".TXT", true, PadFileKind::PlainText},
        {"TXT", false, PadFileKind::PlainText},
        {"/veri/Data/KARMA.ZVF", false, PadFileKind::Other},
        {"/veri/Data/rapor.tx", false, PadFileKind::Other},
        {"/veri/Data/raporTXT", false, PadFileKind::PlainText},
        {"Adsız3", false, PadFileKind::Untitled},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(isReportFileName(name), c.report) << c.name;
        EXPECT_EQ(padFileKind(name), c.kind) << c.name;
    }
}

}  // namespace
}  // namespace zeva
