#include "shell/ui/toolbarimages.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace zeva {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kFolder(230, 190, 80);
const QColor kBlue(40, 90, 170);
const QColor kGreen(30, 140, 50);
const QColor kRed(190, 40, 40);
const QColor kShade(200, 215, 235);

// Every drawing works on a 16 x 16 grid; the painter is scaled for larger sizes.
void page(QPainter& p, qreal x = 3, qreal y = 1, qreal w = 10, qreal h = 14)
{
    QPolygonF outline;
    outline << QPointF(x, y) << QPointF(x + w - 3, y) << QPointF(x + w, y + 3) << QPointF(x + w, y + h)
            << QPointF(x, y + h);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPolygon(outline);
    p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
    p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

void lines(QPainter& p, qreal x, qreal y, qreal w, int count)
{
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + 2 * i), QPointF(x + w, y + 2 * i));
}

void arrow(QPainter& p, bool left, qreal x)
{
    QPolygonF tri;
    if (left)
        tri << QPointF(x + 6, 3) << QPointF(x, 8) << QPointF(x + 6, 13);
    else
        tri << QPointF(x, 3) << QPointF(x + 6, 8) << QPointF(x, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(tri);
}

void bar(QPainter& p, qreal x)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(x, 3, 2, 10));
}

void grid(QPainter& p, bool shadeFirstColumn)
{
    p.setBrush(kPaper);
    p.setPen(QPen(kInk, 1));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    if (shadeFirstColumn) {
        p.setPen(Qt::NoPen);
        p.setBrush(kShade);
        p.drawRect(QRectF(2, 3, 4, 10));
        p.setPen(QPen(kInk, 1));
    }
    for (qreal x : {6.0, 10.0})
        p.drawLine(QPointF(x, 2.5), QPointF(x, 13.5));
    for (qreal y : {6.0, 10.0})
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
}

void plus(QPainter& p, const QColor& c, QPointF centre, qreal r)
{
    p.setPen(QPen(c, 2));
    p.drawLine(centre - QPointF(r, 0), centre + QPointF(r, 0));
    p.drawLine(centre - QPointF(0, r), centre + QPointF(0, r));
}

// Lines of text set left (0), centred (1) or right (2).
void alignedLines(QPainter& p, int how)
{
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < 5; ++i) {
        const qreal w = i % 2 ? 8 : 12;
        const qreal x = how == 0 ? 2 : how == 1 ? 8 - w / 2 : 14 - w;
        p.drawLine(QPointF(x, 3 + 2.5 * i), QPointF(x + w, 3 + 2.5 * i));
    }
}

bool draw(QPainter& p, int number)
{
    switch (number) {
    case 100:  // new file of the report pad: as 1
        return draw(p, 1);
    case 5: {  // print: a printer with a page
        page(p, 4, 1, 8, 6);
        p.setPen(QPen(kInk, 1));
        p.setBrush(kShade);
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        return true;
    }
    case 12: {  // font: a capital A
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(3, 14), QPointF(8, 2));
        p.drawLine(QPointF(8, 2), QPointF(13, 14));
        p.drawLine(QPointF(5, 10), QPointF(11, 10));
        return true;
    }
    case 21:  // align left
    case 22:  // centre
    case 23:  // align right
        alignedLines(p, number - 21);
        return true;
    case 1:  // new file: blank page with a star of new
        page(p);
        plus(p, kGreen, QPointF(11.5, 12), 2.5);
        return true;
    case 2: {  // open: a folder
        p.setPen(QPen(kInk, 1));
        p.setBrush(kFolder);
        QPolygonF back;
        back << QPointF(1.5, 3.5) << QPointF(6, 3.5) << QPointF(7.5, 5) << QPointF(13.5, 5) << QPointF(13.5, 13.5)
             << QPointF(1.5, 13.5);
        p.drawPolygon(back);
        QPolygonF front;
        front << QPointF(1.5, 13.5) << QPointF(4, 7.5) << QPointF(15, 7.5) << QPointF(13.5, 13.5);
        p.setBrush(kFolder.lighter(115));
        p.drawPolygon(front);
        return true;
    }
    case 3:  // close: a page crossed out
        page(p);
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(5, 6), QPointF(11, 12));
        p.drawLine(QPointF(11, 6), QPointF(5, 12));
        return true;
    case 4:  // save: a diskette
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(4, 9.5, 8, 5));
        return true;
    case 6:  // report editor: a written page with a pen
        page(p);
        lines(p, 5, 6, 5, 4);
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(9, 14), QPointF(15, 8));
        return true;
    case 31:  // copy: two pages
        page(p, 1, 1, 8, 10);
        page(p, 6, 5, 8, 10);
        return true;
    case 69:  // add a record
        plus(p, kGreen, QPointF(8, 8), 5);
        return true;
    case 89: {  // column arithmetic: a column with the four signs
        p.setPen(QPen(kInk, 1));
        p.setBrush(kShade);
        p.drawRect(QRectF(1.5, 1.5, 5, 13));
        plus(p, kBlue, QPointF(11.5, 4.5), 2.5);
        p.setPen(QPen(kBlue, 2));
        p.drawLine(QPointF(9, 11.5), QPointF(14, 11.5));
        return true;
    }
    case 90: {  // solve: a sigma
        p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        QPolygonF sigma;
        sigma << QPointF(13, 3) << QPointF(3, 3) << QPointF(8.5, 8) << QPointF(3, 13) << QPointF(13, 13);
        p.drawPolyline(sigma);
        return true;
    }
    case 101:  // cut: scissors
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 10, 4, 4));
        p.drawEllipse(QRectF(10, 10, 4, 4));
        p.drawLine(QPointF(5.5, 10.5), QPointF(11, 1.5));
        p.drawLine(QPointF(10.5, 10.5), QPointF(5, 1.5));
        return true;
    case 102:  // paste: a clipboard with a page
        p.setPen(QPen(kInk, 1));
        p.setBrush(kFolder);
        p.drawRect(QRectF(1.5, 2.5, 10, 12));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(4.5, 1.5, 4, 2));
        page(p, 7, 6, 8, 9);
        return true;
    case 41: {  // link nutrients: two chain links
        p.setPen(QPen(kBlue, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 5, 8, 5), 2.5, 2.5);
        p.drawRoundedRect(QRectF(6.5, 7, 8, 5), 2.5, 2.5);
        return true;
    }
    case 81: {  // pick a ratio: one over another
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 4));
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(QPen(kBlue, 2));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        return true;
    }
    case 107:  // freeze column
        grid(p, true);
        return true;
    case 120: {  // help index: a question mark in a circle
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(kPaper, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath q;
        q.moveTo(5.5, 6);
        q.arcTo(QRectF(5.5, 3.5, 5, 5), 180, -240);
        q.lineTo(8, 9.5);
        p.drawPath(q);
        p.drawPoint(QPointF(8, 12.5));
        return true;
    }
    case 121:  // delete a record
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        return true;
    case 127:  // previous
        arrow(p, true, 5);
        return true;
    case 128:  // next
        arrow(p, false, 5);
        return true;
    case 129:  // first
        bar(p, 3);
        arrow(p, true, 6);
        return true;
    case 130:  // last
        arrow(p, false, 4);
        bar(p, 11);
        return true;
    case 131:  // table
        grid(p, false);
        return true;
    case 132:  // form: labels and fields
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        for (qreal y : {4.0, 8.0, 12.0}) {
            p.drawLine(QPointF(3, y), QPointF(6, y));
            p.drawRect(QRectF(7.5, y - 1.5, 5, 3));
        }
        return true;
    default:
        return false;
    }
}

QPixmap render(int number, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    if (!draw(p, number)) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
    }
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace

bool hasToolbarImage(int number)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    return draw(p, number);
}

QIcon toolbarImage(int number)
{
    QIcon icon;
    icon.addPixmap(render(number, 16));
    icon.addPixmap(render(number, 32));
    return icon;
}

}  // namespace zeva
