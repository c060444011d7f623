// Placing windows relative to their owner: the arithmetic and real windows.
#include "core/ui/windowhelpers.h"
#include "core/windowplace.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

using namespace zeva;

TEST(WindowPlace, OriginsOnACanvas)
{
    const QSize canvas(800, 600), window(200, 100);
    const struct {
        int placement;
        std::optional<int> ox, oy;
        QPoint origin;
    } table[] = {
        {1, {}, {}, {0, 500}},          // top edge on the canvas's top edge
        {1, 50, 30, {50, 470}},
        {1, 1000, 1000, {600, 0}},      // offsets limited to the free space
        {2, {}, {}, {600, 500}},
        {2, 20, 40, {580, 460}},
        {4, -20, -40, {580, 40}},       // signs ignored
        {5, 10, 10, {10, 10}},
        {3, {}, {}, {300, 250}},
        {3, 1000, 1000, {600, 0}},      // at most half the free space
        {0, 0, 0, {300, 428}},          // a seventh of the free height below the top
        {9, 0, -28, {300, 400}},
        {0, 0, 50, {300, 428}},         // a positive vertical offset is ignored
    };
    for (const auto& row : table)
        EXPECT_EQ(windowOrigin(canvas, window, row.placement, row.ox, row.oy), row.origin)
            << row.placement << " " << row.ox.value_or(-1) << " " << row.oy.value_or(-1);

    // Larger than the area: no offset moves it, its top edge meets the area's.
    const QPoint big = windowOrigin(QSize(300, 200), QSize(400, 300), 1, 20, 20);
    EXPECT_EQ(big, QPoint(0, -100));
    EXPECT_EQ(topLeftFromOrigin(QSize(300, 200), QSize(400, 300), big), QPoint(0, 0));
    EXPECT_EQ(topLeftFromOrigin(canvas, window, QPoint(50, 470)), QPoint(50, 30));
}

TEST(WindowPlace, MovesRealWindows)
{
    // An MDI child at the top left of the main window's canvas.
    QMainWindow main;
    auto* mdi = new QMdiArea;
    main.setCentralWidget(mdi);
    main.resize(900, 700);
    main.show();
    auto* child = mdi->addSubWindow(new QWidget);
    child->resize(200, 100);
    child->show();
    child->move(123, 45);
    const QPoint origin = VQMOVEWINDOW(child, 1);
    const QSize area = mdi->viewport()->contentsRect().size();
    EXPECT_EQ(origin, QPoint(0, area.height() - 100));
    EXPECT_EQ(child->pos(), QPoint(0, 0));

    VQMOVEWINDOW(child, 1, 50, 30);
    EXPECT_EQ(child->pos(), QPoint(50, 30));
    VQMOVEWINDOW(child, 4);
    EXPECT_EQ(child->geometry().bottomRight(), QPoint(area.width() - 1, area.height() - 1));

    // A top-level window with an owner: relative to the owner's canvas.
    QWidget dialog(&main, Qt::Dialog);
    dialog.resize(100, 50);
    dialog.show();
    VQMOVEWINDOW(&dialog, 2, 10, 20);
    const QPoint canvasTopLeft = mdi->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(dialog.frameGeometry().topRight(),
              canvasTopLeft + QPoint(mdi->width() - 1 - 10, 20));
}
