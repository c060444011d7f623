// The bitmap list box: nodes and ids, removal, keys, double clicks and the
// rows' pixels.
#include "controls/ui/bitmaplistbox.h"
#include "qtwarnings.h"
#include "support/tempdir.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace zeva {
namespace {

const QColor kBase(255, 255, 255);
const QColor kText(0, 0, 0);
const QColor kHighlight(0, 0, 128);
const QColor kHighlightText(255, 255, 255);
const QColor kLightGrey(192, 192, 192);

// A window with a list box 200 x 150 and an edit to take the focus.
struct ListWindow {
    QWidget window;
    BITMAPLISTBOX* list = nullptr;
    QLineEdit* other = nullptr;

    ListWindow()
    {
        QPalette pal;
        pal.setColor(QPalette::Base, kBase);
        pal.setColor(QPalette::Text, kText);
        pal.setColor(QPalette::Highlight, kHighlight);
        pal.setColor(QPalette::HighlightedText, kHighlightText);
        window.setPalette(pal);
        list = new BITMAPLISTBOX(&window, 100, QRect(10, 10, 200, 150));
        other = new QLineEdit(&window);
        other->setGeometry(10, 170, 100, 22);
        window.resize(230, 200);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    // Node ids in list order.
    std::vector<int> rows() const
    {
        std::vector<int> ids;
        for (int i = 0; i < list->count(); ++i)
            ids.push_back(list->item(i)->data(Qt::UserRole).toInt());
        return ids;
    }

    void fill(int n)
    {
        for (int i = 0; i < n; ++i)
            list->ADDNODE(QStringLiteral("Satır %1").arg(i), i * 10);
    }
};

QRect rowRect(BITMAPLISTBOX* list, int row)
{
    return list->visualItemRect(list->item(row));
}

bool hasColour(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

bool hasInkOtherThan(const QImage& image, const QRect& area, const QColor& background)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background)
                return true;
    return false;
}

}  // namespace

TEST(BitmapListBox, NodesAndIds)
{
    test::QtWarningCatcher warnings;
    ListWindow w;
    BITMAPLISTBOX* list = w.list;
    EXPECT_TRUE(list->EMPTY());
    EXPECT_EQ(list->ADDNODE(QStringLiteral("a"), 1), 2);
    EXPECT_EQ(list->ADDNODE(QStringLiteral("b"), 2), 3);
    list->LISTCLEAR();
    EXPECT_TRUE(list->EMPTY());
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->ADDNODE(QStringLiteral("c"), 3), 4) << "ids go on counting";
    EXPECT_EQ(list->ADDNODE(QStringLiteral("d"), 4), 5);
    const int first = list->ADDNODE(QStringLiteral("e"), QStringLiteral("ilk"), QVariant(), 0, QString(), 0);
    EXPECT_EQ(first, 6);
    EXPECT_EQ(w.rows(), (std::vector<int>{6, 4, 5}));
    EXPECT_EQ(list->ALISTBOX().back().id, 6);
    EXPECT_EQ(list->GETACTIVEID(), -1);
    EXPECT_EQ(list->GETACTIVEVALUE(), QVariant(QString()));

    list->setCurrentRow(0);
    EXPECT_EQ(list->NACTIVEINDEX(), 0);
    EXPECT_EQ(list->GETACTIVEID(), 6);
    EXPECT_EQ(list->GETACTIVEVALUE(), QVariant(QStringLiteral("ilk")));
    list->SETACTIVEVALUE(42);
    list->SETACTIVETEXT(QStringLiteral("yeni"));
    EXPECT_EQ(list->GETACTIVEVALUE().toInt(), 42);
    EXPECT_EQ(list->ALISTBOX().back().text, QStringLiteral("yeni"));

    list->NDROPINDEX = 2;
    EXPECT_EQ(list->GETDROPPEDID(), 5);
    EXPECT_EQ(list->GETDROPPEDVALUE().toInt(), 4);
    list->NDROPINDEX = 7;
    EXPECT_EQ(list->GETDROPPEDID(), -1);
    EXPECT_EQ(list->GETDROPPEDVALUE(), QVariant(QString()));

    // A row put in above the active one keeps the same node active.
    list->ADDNODE(QStringLiteral("f"), 5, QVariant(), 0, QString(), 0);
    EXPECT_EQ(list->NACTIVEINDEX(), 1);
    EXPECT_EQ(list->GETACTIVEID(), 6);
}

TEST(BitmapListBox, RemovingNodes)
{
    test::QtWarningCatcher warnings;
    ListWindow w;
    BITMAPLISTBOX* list = w.list;
    list->REMOVENODE();  // empty: nothing
    list->REMOVENODE(2);
    w.fill(4);  // ids 2, 3, 4, 5
    list->setCurrentRow(0);

    // The node named, not the active one.
    list->REMOVENODE(4);
    EXPECT_EQ(w.rows(), (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(list->ALISTBOX().size(), 3u);
    EXPECT_EQ(list->GETACTIVEID(), 2);
    list->REMOVENODE(99);  // no such node
    EXPECT_EQ(list->count(), 3);

    // A row above the active one: the same node stays active.
    list->setCurrentRow(2);
    ASSERT_EQ(list->GETACTIVEID(), 5);
    list->REMOVENODE(2);
    EXPECT_EQ(w.rows(), (std::vector<int>{3, 5}));
    EXPECT_EQ(list->NACTIVEINDEX(), 1);
    EXPECT_EQ(list->GETACTIVEID(), 5);

    // BONDELETE answering true keeps the node.
    int asked = 0;
    list->BONDELETE = [&](BITMAPLISTBOX& box) {
        EXPECT_EQ(&box, list);
        ++asked;
        return true;
    };
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    list->REMOVENODE(3);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(list->count(), 2);
    list->BONDELETE = [&](BITMAPLISTBOX&) { return false; };

    // Delete removes the active node.
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(w.rows(), (std::vector<int>{3}));
    EXPECT_EQ(list->ALISTBOX().size(), 1u);
    EXPECT_EQ(list->GETACTIVEID(), 3) << "the row left takes the place";
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(list->EMPTY());
    EXPECT_EQ(list->NACTIVEINDEX(), -1);

    // After LISTCLEAR and refilling no row is active: Delete removes nothing.
    w.fill(3);
    list->setCurrentRow(1);
    list->LISTCLEAR();
    EXPECT_EQ(list->NACTIVEINDEX(), -1);
    w.fill(3);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->count(), 3);
}

TEST(BitmapListBox, UpDownAndDoubleClick)
{
    test::QtWarningCatcher warnings;
    ListWindow w;
    BITMAPLISTBOX* list = w.list;
    w.fill(3);
    list->setFocus();
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(list->selection(), -1);

    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->selection(), -1) << "Up with no selection";
    EXPECT_EQ(list->NACTIVEINDEX(), -1);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selection(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selection(), 1) << "one row a press";
    EXPECT_EQ(list->NACTIVEINDEX(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selection(), 2);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->selection(), 1);

    std::vector<QVariant> values;
    list->BONMOUSEDBLCLK = [&](BITMAPLISTBOX& box, const QVariant& value) {
        EXPECT_EQ(&box, list);
        values.push_back(value);
    };
    list->LISTCLEAR();
    w.fill(3);
    const QPoint below(20, rowRect(list, 2).bottom() + 20);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_TRUE(values.empty()) << "no selection";
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rowRect(list, 2).center());
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values.at(0).toInt(), 20);
}

TEST(BitmapListBox, ActiveRowColours)
{
    test::QtWarningCatcher warnings;
    ListWindow w;
    BITMAPLISTBOX* list = w.list;
    w.fill(3);
    list->setCurrentRow(1);
    const QRect row = rowRect(list, 1);
    ASSERT_EQ(row.height(), 16);
    const QPoint blank(row.right() - 5, row.center().y());  // right of the text

    list->setFocus();
    ASSERT_TRUE(list->hasFocus());
    QImage img = list->viewport()->grab().toImage();
    EXPECT_EQ(img.pixelColor(blank), kBase);
    EXPECT_TRUE(hasColour(img, QRect(row.left(), row.top(), row.width(), 1), kText)) << "the focus rectangle";
    EXPECT_EQ(img.pixelColor(rowRect(list, 0).right() - 5, rowRect(list, 0).center().y()), kBase);

    w.other->setFocus();
    ASSERT_FALSE(list->hasFocus());
    img = list->viewport()->grab().toImage();
    EXPECT_EQ(img.pixelColor(blank), kHighlight);
    EXPECT_FALSE(hasColour(img, QRect(row.left(), row.top(), row.width(), 1), kText));
    EXPECT_EQ(img.pixelColor(rowRect(list, 2).right() - 5, rowRect(list, 2).center().y()), kBase);

    // Under the rows the list's own viewport is light grey, and only its own.
    const QPoint empty(50, rowRect(list, 2).bottom() + 30);
    EXPECT_EQ(img.pixelColor(empty), kLightGrey);
    VQLISTBOX plain(&w.window);
    plain.setGeometry(0, 0, 60, 60);
    const QImage plainImg = plain.viewport()->grab().toImage();
    EXPECT_NE(plainImg.pixelColor(30, 30), kLightGrey);
}

TEST(BitmapListBox, MultiLineAndImages)
{
    test::QtWarningCatcher warnings;
    ListWindow w;
    BITMAPLISTBOX* list = w.list;

    // Two lines centred as a block in a 40-pixel row.
    list->setNBITMAPHEIGHT(40);
    list->setMULTILINE(true);
    list->ADDNODE(QStringLiteral("Bir;İki"), 1);
    QRect row = rowRect(list, 0);
    ASSERT_EQ(row.height(), 40);
    QImage img = list->viewport()->grab().toImage();
    const int textLeft = row.left() + list->NBITMAPWIDTH() + 2;
    const int middle = row.top() + 20;
    EXPECT_TRUE(hasInkOtherThan(img, QRect(textLeft, row.top(), 60, middle - 2 - row.top()), kBase));
    EXPECT_TRUE(hasInkOtherThan(img, QRect(textLeft, middle + 2, 60, row.bottom() - middle - 2), kBase));
    EXPECT_FALSE(hasInkOtherThan(img, QRect(row.left(), row.top(), textLeft - row.left(), 40), kBase))
        << "no image, nothing left of the text";

    // Images: an icon of 32 x 32 stays in its 20 x 16 area; a bitmap is
    // drawn from the row's corner; a file is read at every drawing.
    list->LISTCLEAR();
    list->setMULTILINE(false);
    list->setNBITMAPHEIGHT(16);
    QPixmap red(32, 32);
    red.fill(Qt::red);
    QPixmap green(40, 40);
    green.fill(Qt::green);
    test::TempDir dir;
    const QString file = dir.path() + QStringLiteral("/blue.bmp");
    QPixmap blue(20, 16);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(file, "BMP"));
    list->ADDNODE(QStringLiteral("üst"), 1);
    list->ADDNODE(QStringLiteral("simge"), 2, QIcon(red), controls::kImageIcon);
    list->ADDNODE(QStringLiteral("resim"), 3, green, controls::kImageBitmap);
    list->ADDNODE(QStringLiteral("dosya"), 4, QVariant(), controls::kImageFile, file);
    list->ADDNODE(QStringLiteral("eksik"), 5, QVariant(), controls::kImageFile, dir.path() + QStringLiteral("/yok.bmp"));
    list->doItemsLayout();  // as the event loop would before painting
    img = list->viewport()->grab().toImage();
    const QColor pureRed(255, 0, 0);
    EXPECT_FALSE(hasColour(img, rowRect(list, 0), pureRed)) << "the row above the icon";
    EXPECT_FALSE(hasColour(img, rowRect(list, 2), pureRed)) << "the row below the icon";
    row = rowRect(list, 1);
    EXPECT_TRUE(hasColour(img, QRect(row.topLeft(), QSize(20, 16)), pureRed));
    EXPECT_FALSE(hasColour(img, QRect(row.left() + 20, row.top(), row.width() - 20, 16), pureRed));
    row = rowRect(list, 2);
    EXPECT_EQ(img.pixelColor(row.topLeft()), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(row.left() + 19, row.top() + 15), QColor(0, 255, 0));
    EXPECT_NE(img.pixelColor(row.left() + 20, row.top() + 5), QColor(0, 255, 0));
    EXPECT_NE(img.pixelColor(rowRect(list, 3).topLeft()), QColor(0, 255, 0));
    row = rowRect(list, 3);
    EXPECT_EQ(img.pixelColor(row.left() + 10, row.top() + 8), QColor(0, 0, 255));
    row = rowRect(list, 4);
    EXPECT_EQ(img.pixelColor(row.left() + 10, row.top() + 8), kBase) << "a file that does not load";
}

}  // namespace zeva
