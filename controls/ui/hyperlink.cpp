#include "controls/ui/hyperlink.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPalette>

namespace zeva {

FIXEDTEXTHYPERLINK::FIXEDTEXTHYPERLINK(QWidget* owner, int id, const QString& text) : QLabel(text, owner), id_(id)
{
    // Link colour on the window colour.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    setPalette(pal);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

QUrl FIXEDTEXTHYPERLINK::target() const
{
    return QUrl::fromUserInput(LINK.isEmpty() ? text() : LINK);
}

void FIXEDTEXTHYPERLINK::MOUSEENTER()
{
    if (entered_)
        return;
    entered_ = true;
    saved_ = testAttribute(Qt::WA_SetCursor) ? std::optional<QCursor>(cursor()) : std::nullopt;
    setCursor(Qt::PointingHandCursor);
}

void FIXEDTEXTHYPERLINK::MOUSEEXIT()
{
    if (!entered_)
        return;
    entered_ = false;
    if (saved_)
        setCursor(*saved_);
    else
        unsetCursor();
}

void FIXEDTEXTHYPERLINK::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QUrl url = target();
        if (opener_)
            opener_(url);
        else
            QDesktopServices::openUrl(url);
    }
    QLabel::mousePressEvent(event);
}

}  // namespace zeva
