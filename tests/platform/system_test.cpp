// The system queries in their Linux form.
#include "platform/system.h"

#include "support/tempdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace zeva {
namespace {

TEST(System, NoWindowsHere)
{
    EXPECT_FALSE(ISWIN98());
    EXPECT_FALSE(ISWINME());
    EXPECT_TRUE(GETWINDOWSDIR().isEmpty());
    EXPECT_FALSE(OS().isEmpty());
}

TEST(System, AFolderIsReadyWhenItCanBeEntered)
{
    test::TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("kapali"));
    QFile file(dir.file("dosya"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const struct {
        QString folder;
        bool ready;
    } cases[] = {
        {dir.path(), true},
        {dir.path() + "/", true},
        {QString(), false},
        {"  ", false},
        {dir.file("yok"), false},
        {dir.file("dosya"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ISDRIVEREADY(c.folder), c.ready) << c.folder.toStdString();
}

}  // namespace
}  // namespace zeva
