#include "core/helpers.h"

#include "support/tempdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zeva;

namespace {

struct Placement {
    int placement;
    std::optional<int> ox, oy;
    QPoint topLeft;  // Qt coordinates, y from the top
};

}  // namespace

TEST(Helpers, VqMoveWindowOnCanvas)
{
    const QSize canvas(800, 600);
    const QSize window(200, 100);
    // Free space: 600 across, 500 down.
    const Placement cases[] = {
        {1, {}, {}, {0, 0}},
        {1, 50, 30, {50, 30}},
        {1, 1000, 1000, {600, 500}},  // offsets limited: opposite corner, still inside
        {1, -50, -30, {50, 30}},      // signs ignored
        {2, {}, {}, {600, 0}},
        {2, 50, 30, {550, 30}},
        {3, {}, {}, {300, 250}},
        {3, 40, -20, {340, 270}},    // offsets move a centred window right and down
        {3, 1000, 1000, {600, 500}},  // half the free space at most
        {4, {}, {}, {600, 500}},
        {4, -20, -40, {580, 460}},    // origin (580, 40) measured from the bottom
        {5, {}, {}, {0, 500}},
        {5, 50, 30, {50, 470}},
        {0, {}, {}, {300, 72}},       // centred across, a seventh of the free height down
        {0, 0, 0, {300, 72}},
        {9, 50, 30, {350, 72}},       // positive oy is ignored
        {0, 0, -40, {300, 112}},      // negative oy moves it down
    };
    for (const Placement& c : cases) {
        const QPoint p = VQMOVEWINDOW(canvas, window, c.placement, c.ox, c.oy);
        EXPECT_EQ(p, c.topLeft) << "placement " << c.placement << " offsets " << c.ox.value_or(-1) << ","
                                << c.oy.value_or(-1) << " gave " << p.x() << "," << p.y();
    }
    // A window larger than the area keeps its top edge on the area's top edge.
    EXPECT_EQ(VQMOVEWINDOW(QSize(800, 600), QSize(900, 700), 1), QPoint(0, 0));
    EXPECT_EQ(VQMOVEWINDOW(QSize(800, 600), QSize(200, 700), 1, 30, 30), QPoint(30, 0));
}

TEST(Helpers, FileNameRules)
{
    struct Case {
        const char* name;
        const char* ext;
        const char* base;
    };
    const Case cases[] = {
        {"  RAPOR.TXT  ", ".TXT", "  RAPOR"},
        {"/data/x.ZVF", ".ZVF", "/data/x"},
        {"/data/abc", "", "/data/abc"},
        {"/data.old/abc", "", "/data"},  // the folder's point is the last one
        {"a.b", "a.b", "a"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SFILEEXT(QString::fromUtf8(c.name)), QString::fromUtf8(c.ext)) << c.name;
        EXPECT_EQ(SFILEBASE(QString::fromUtf8(c.name)), QString::fromUtf8(c.base)) << c.name;
    }

    EXPECT_EQ(CHRCONT(QStringLiteral("a/b:c.")), QStringLiteral("a b c "));
    EXPECT_EQ(CHRCONT(QStringLiteral("  x|y\\z*w<v>u  ")), QStringLiteral("x y z w v u"));
    EXPECT_EQ(CHRCONT(QStringLiteral("abc.zvf")), QStringLiteral("abc zvf"));
    EXPECT_EQ(CHRCONT(QStringLiteral("Süt İnek")), QStringLiteral("Süt İnek"));

    EXPECT_TRUE(ISSAMEFILE(QStringLiteral("/d/Abc.ZVF"), QStringLiteral("/d/Abc.zvf")));
    EXPECT_FALSE(ISSAMEFILE(QStringLiteral("/D/ABC.ZVF"), QStringLiteral("/d/abc.zvf")));
    EXPECT_FALSE(ISSAMEFILE(QStringLiteral("/d/abc.ZVF"), QStringLiteral("/d/abc.TXT")));

    QString drive = QStringLiteral("keep"), dir, name, ext;
    MYSPLITPATH(QString(), drive, dir, name, ext);
    EXPECT_EQ(drive, QStringLiteral("keep"));
    MYSPLITPATH(QStringLiteral("/home/u/Data/Inek.ZVF"), drive, dir, name, ext);
    EXPECT_EQ(drive, QString());
    EXPECT_EQ(dir, QStringLiteral("/home/u/Data/"));
    EXPECT_EQ(name, QStringLiteral("Inek"));
    EXPECT_EQ(ext, QStringLiteral(".ZVF"));
    MYSPLITPATH(QStringLiteral("C:\\ZEVA\\Data\\a.b.TXT"), drive, dir, name, ext);
    EXPECT_EQ(drive, QStringLiteral("C:"));
    EXPECT_EQ(dir, QStringLiteral("\\ZEVA\\Data\\"));
    EXPECT_EQ(name, QStringLiteral("a.b"));
    EXPECT_EQ(ext, QStringLiteral(".TXT"));
}

TEST(Helpers, DeleteFilesStaysInItsFolder)
{
    test::TempDir tmp;
    auto touch = [&](const QString& n) {
        QFile f(tmp.file(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch(QStringLiteral("a.txt"));
    touch(QStringLiteral("B.TXT"));
    touch(QStringLiteral("c.zvf"));
    touch(QStringLiteral("noext"));

    EXPECT_FALSE(DELETEFILES(QString()));
    EXPECT_FALSE(DELETEFILES(QStringLiteral("/")));
    EXPECT_FALSE(DELETEFILES(tmp.file(QStringLiteral("missing"))));
    EXPECT_TRUE(DELETEFILES(tmp.path(), QStringLiteral("*.RTF")));  // nothing matches
    EXPECT_TRUE(DELETEFILES(tmp.path(), QStringLiteral("*.txt")));  // case ignored
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), (QStringList{QStringLiteral("c.zvf"), QStringLiteral("noext")}));

    // Names of another folder are taken in this one; a missing one stops the work.
    EXPECT_FALSE(DELETEFILES(tmp.path(), QStringList{QStringLiteral("/etc/c.zvf"), QStringLiteral("gone"),
                                                     QStringLiteral("noext")}));
    EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("c.zvf"))));
    EXPECT_TRUE(QFile::exists(tmp.file(QStringLiteral("noext"))));
    EXPECT_TRUE(DELETEFILES(tmp.path()));  // "*.*": every file
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Files).isEmpty());
}

TEST(Helpers, RfatribMakesReadOnlyFileWritable)
{
    test::TempDir tmp;
    const QString path = tmp.file(QStringLiteral("x.ZVF"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_TRUE(RFATRIB(path));
    EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);
    EXPECT_TRUE(RFATRIB(tmp.file(QStringLiteral("none.ZVF"))));
}
