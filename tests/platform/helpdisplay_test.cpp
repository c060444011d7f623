// The help display: the file found without regard to letter case, handed to
// the launcher with its topic; missing files and failed launches told apart.
#include "platform/helpdisplay.h"

#include "support/tempdir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace zeva {
namespace {

class Launcher : public HelpLauncher {
public:
    QStringList calls;
    bool ok = true;
    bool launch(const QString& file, const QString& topic) override
    {
        calls << file + "|" + topic;
        return ok;
    }
};

TEST(HelpDisplay, ShowsTheExistingFileOnly)
{
    test::TempDir dir;
    auto launcher = std::make_shared<Launcher>();
    const HelpDisplay help(dir.file("Zeva.chm"), launcher);
    EXPECT_EQ(help.show("HelpIndex"), HelpDisplay::Shown::Missing);
    EXPECT_TRUE(launcher->calls.isEmpty());

    QFile f(dir.file("zeva.chm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(help.existingFile(), dir.file("zeva.chm"));
    EXPECT_EQ(help.show("HelpIndex"), HelpDisplay::Shown::Opened);
    EXPECT_EQ(launcher->calls, QStringList{dir.file("zeva.chm") + "|HelpIndex"});
    launcher->ok = false;
    EXPECT_EQ(help.show("HelpContents"), HelpDisplay::Shown::NoViewer);
    EXPECT_EQ(HelpDisplay(dir.file("zeva.chm"), nullptr).show("x"), HelpDisplay::Shown::NoViewer);
    EXPECT_EQ(HelpDisplay(dir.path(), launcher).show("x"), HelpDisplay::Shown::Missing) << "a folder is no file";
}

}  // namespace
}  // namespace zeva
