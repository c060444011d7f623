#include "controls/ui/iconpushbutton.h"

#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QStyleOptionButton>

static void initButtonIcons()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(buttonicons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace zeva {

namespace {

// A rectangle given by its edges, right and bottom not included.
QRect edges(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

}  // namespace

IconButtonLayout iconButtonLayout(QSize size, bool pressed, bool focused, bool hasIcon, int leftIconBorder)
{
    IconButtonLayout l;
    int left = 0;
    int top = 0;
    int right = size.width();
    int bottom = size.height();
    if (pressed || focused) {
        l.outline = true;
        left += 1;
        top += 1;
    } else {
        right += 1;
        bottom += 1;
    }
    l.sunken = pressed;
    // The panel never reaches outside the button.
    l.frame = edges(left, top, right, bottom).intersected(QRect(QPoint(0, 0), size));
    const int n = hasIcon ? size.height() - 4 : 0;
    if (hasIcon)
        l.icon = QRect(leftIconBorder, 2, n, n);
    int textLeft = left + n + 4;
    int textTop = top + 2;
    if (pressed) {
        textLeft += 1;
        textTop += 1;
    }
    l.text = edges(textLeft, textTop, right - 4, bottom - 3);
    return l;
}

QColor iconButtonTextColor(quint32 colorRef, const QPalette& palette)
{
    if (colorRef > 0)
        return QColor(int(colorRef & 0xFF), int(colorRef >> 8 & 0xFF), int(colorRef >> 16 & 0xFF));
    return palette.color(QPalette::ButtonText);
}

ICONPUSHBUTTON::ICONPUSHBUTTON(QWidget* owner, int id, const QString& text) : QPushButton(text, owner), id_(id) {}

int ICONPUSHBUTTON::LEFTICONBORDER(int n)
{
    leftIconBorder_ = n;
    update();
    return leftIconBorder_;
}

QIcon ICONPUSHBUTTON::ICONUP(const QIcon& icon)
{
    up_ = icon;
    if (down_.isNull())
        down_ = icon;
    update();
    return up_;
}

QIcon ICONPUSHBUTTON::ICONDOWN(const QIcon& icon)
{
    down_ = icon;
    if (up_.isNull())
        up_ = icon;
    update();
    return down_;
}

QIcon ICONPUSHBUTTON::ICONDISABLED(const QIcon& icon)
{
    disabled_ = icon;
    update();
    return disabled_;
}

quint32 ICONPUSHBUTTON::BUTTONTEXTCOLOR(quint32 colorRef)
{
    textColor_ = colorRef;
    update();
    return textColor_;
}

IconButtonLayout ICONPUSHBUTTON::currentLayout() const
{
    return iconButtonLayout(size(), isDown(), hasFocus(), !up_.isNull(), leftIconBorder_);
}

QIcon ICONPUSHBUTTON::shownIcon() const
{
    if (!isEnabled() && !disabled_.isNull())
        return disabled_;
    if (isDown() && isEnabled())
        return down_;
    return up_;
}

void ICONPUSHBUTTON::changeEvent(QEvent* event)
{
    // The look follows the enabled state however it changed.
    if (event->type() == QEvent::EnabledChange)
        update();
    QPushButton::changeEvent(event);
}

void ICONPUSHBUTTON::paintEvent(QPaintEvent*)
{
    const IconButtonLayout l = currentLayout();
    QPainter p(this);
    p.setClipRect(rect());

    QStyleOptionButton panel;
    panel.initFrom(this);
    panel.rect = l.frame;
    panel.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    panel.state |= l.sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, &p, this);
    if (l.outline) {
        p.setPen(palette().color(QPalette::ButtonText));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    const QIcon icon = shownIcon();
    if (!icon.isNull() && !l.icon.isEmpty())
        p.drawPixmap(l.icon, icon.pixmap(l.icon.size()));

    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (isEnabled()) {
        p.setPen(iconButtonTextColor(textColor_, palette()));
        p.drawText(l.text, flags, text());
    } else {
        // Embossed: the highlight one pixel down and right, the shadow over it.
        p.setPen(palette().color(QPalette::Light));
        p.drawText(l.text.translated(1, 1), flags, text());
        p.setPen(palette().color(QPalette::Dark));
        p.drawText(l.text, flags, text());
    }

    if (hasFocus()) {
        // Dotted, one pixel on and one off, in the button text colour; drawn
        // here rather than by the style, which shows it only after a focus
        // change by the keyboard.
        QPen dotted(palette().color(QPalette::ButtonText), 0);
        dotted.setDashPattern({1.0, 1.0});
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(l.text.adjusted(0, 0, -1, -1));
    }
}

QIcon buttonIcon(const QString& name)
{
    initButtonIcons();
    const QString path = QStringLiteral(":/buttonicons/") + name + QStringLiteral(".png");
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

namespace {
void setIcons(ICONPUSHBUTTON* button, const char* prefix)
{
    const QString p = QString::fromLatin1(prefix);
    button->ICONUP(buttonIcon(p + QStringLiteral("UP")));
    button->ICONDOWN(buttonIcon(p + QStringLiteral("DOWN")));
    button->ICONDISABLED(buttonIcon(p + QStringLiteral("DISABLED")));
}
}  // namespace

OKPUSHBUTTON::OKPUSHBUTTON(QWidget* owner, int id, const QString& text) : ICONPUSHBUTTON(owner, id, text)
{
    setIcons(this, "ICOOK");
}

CANCELPUSHBUTTON::CANCELPUSHBUTTON(QWidget* owner, int id, const QString& text) : ICONPUSHBUTTON(owner, id, text)
{
    setIcons(this, "ICOCANCEL");
}

NOPUSHBUTTON::NOPUSHBUTTON(QWidget* owner, int id, const QString& text) : ICONPUSHBUTTON(owner, id, text)
{
    setIcons(this, "ICONO");
}

HELPPUSHBUTTON::HELPPUSHBUTTON(QWidget* owner, int id, const QString& text) : ICONPUSHBUTTON(owner, id, text)
{
    setIcons(this, "ICOHELP");
}

}  // namespace zeva
