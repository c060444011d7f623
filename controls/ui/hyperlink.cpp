#include "controls/ui/hyperlink.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPalette>
#include <QRegularExpression>

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
    const QString name = (LINK.isEmpty() ? text() : LINK).trimmed();
    if (name.isEmpty())
        return {};
    const bool www = name.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    // A scheme of two letters or more: "C:" would be a drive, and
    // "www.example.com:8080" a host with its port.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (!www && scheme.match(name).hasMatch())
        return QUrl(name);
    const QFileInfo file(QDir::current(), name);
    if (file.exists())
        return QUrl::fromLocalFile(file.absoluteFilePath());
    if (www)
        return QUrl(QStringLiteral("http://") + name);
    return {};
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
        // A target that names nothing opens nothing, silently.
        if (const QUrl url = target(); !url.isEmpty()) {
            if (opener_)
                opener_(url);
            else
                QDesktopServices::openUrl(url);
        }
    }
    QLabel::mousePressEvent(event);
}

}  // namespace zeva
