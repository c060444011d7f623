#include "controls/ui/wmbitmapbutton.h"

#include "controls/ui/rightsle.h"

#include <QPainter>
#include <QPaintEvent>

static void initControlBitmaps()
{
    Q_INIT_RESOURCE(controlbitmaps);
}

namespace zeva {

QPixmap controlBitmap(const QString& name)
{
    static const bool loaded = (initControlBitmaps(), true);
    Q_UNUSED(loaded);
    return QPixmap(QStringLiteral(":/controlbitmaps/") + name + QStringLiteral(".png"));
}

WMBITMAPBUTTON::WMBITMAPBUTTON(QWidget* owner, int id, const QRect& geometry, const QString& text)
    : QAbstractButton(owner), id_(id)
{
    setText(text);
    if (!geometry.isNull())
        setGeometry(geometry);
    if (id != 0)
        setObjectName(QStringLiteral("ctl%1").arg(id));
    setFocusPolicy(Qt::NoFocus);
    // pressed() and released() also come when a held pointer leaves the
    // button and comes back.
    connect(this, &QAbstractButton::pressed, this, [this] { setState(true); });
    connect(this, &QAbstractButton::released, this, [this] { setState(false); });
}

void WMBITMAPBUTTON::setState(bool pressed)
{
    if (!LTWOSTATE) {
        LDOWN = pressed;
    } else if (pressed && !LDOWN) {
        LINSTATE = true;
        LDOWN = true;
    } else if (!pressed && LINSTATE) {
        LINSTATE = false;
    } else if (!pressed) {
        LDOWN = false;
    }
    update();
}

void WMBITMAPBUTTON::DESTROY()
{
    HBITMAPUP = QPixmap();
    HBITMAPDOWN = QPixmap();
    hide();
    deleteLater();
}

QSize WMBITMAPBUTTON::sizeHint() const
{
    const QPixmap& shown = HBITMAPUP.isNull() ? HBITMAPDOWN : HBITMAPUP;
    return shown.isNull() ? QSize(30, 21) : shown.size();
}

void WMBITMAPBUTTON::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The bitmap is the whole face with its frame; it is copied from its
    // top-left corner as it is, and what it does not cover shows the face
    // colour.
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QPixmap& shown = LDOWN ? HBITMAPDOWN : HBITMAPUP;
    if (!shown.isNull())
        painter.drawPixmap(QPoint(0, 0), shown);
}

DATEPB::DATEPB(QWidget* owner, int id, const QRect& geometry, RIGHTSLE* edit)
    : WMBITMAPBUTTON(owner, id, geometry), edit_(edit)
{
    setFocusPolicy(Qt::StrongFocus);
    HBITMAPUP = controlBitmap(QStringLiteral("IBM_CALUP"));
    HBITMAPDOWN = controlBitmap(QStringLiteral("IBM_CALDN"));
    connect(this, &QAbstractButton::clicked, this, &DATEPB::act);
}

void DATEPB::act()
{
    if (edit_ && !edit_->isReadOnly())
        edit_->command(RIGHTSLE::kCmdCalendar);
}

FILEPB::FILEPB(QWidget* owner, int id, const QRect& geometry, FILESLE* edit)
    : WMBITMAPBUTTON(owner, id, geometry), edit_(edit)
{
    setFocusPolicy(Qt::StrongFocus);
    HBITMAPUP = controlBitmap(QStringLiteral("IBM_MAGNIFUP"));
    HBITMAPDOWN = controlBitmap(QStringLiteral("IBM_MAGNIFDN"));
    connect(this, &QAbstractButton::clicked, this, &FILEPB::act);
}

void FILEPB::act()
{
    if (edit_ && !edit_->isReadOnly())
        edit_->MOUSEBUTTONDOUBLECLICK();
}

SEARCHPB::SEARCHPB(QWidget* owner, int id, const QRect& geometry, SEARCHSLE* edit)
    : WMBITMAPBUTTON(owner, id, geometry), edit_(edit)
{
    setFocusPolicy(Qt::ClickFocus);
    HBITMAPUP = controlBitmap(QStringLiteral("IBM_MAGNIFUP"));
    HBITMAPDOWN = controlBitmap(QStringLiteral("IBM_MAGNIFDN"));
    connect(this, &QAbstractButton::clicked, this, &SEARCHPB::act);
}

void SEARCHPB::act()
{
    if (edit_ && !edit_->isReadOnly())
        edit_->MOUSEBUTTONDOUBLECLICK();
}

QRect attachedButtonGeometry(const QRect& edit)
{
    return QRect(edit.x() + edit.width() - 28, edit.y(), 30, edit.height() + 1);
}

void attachButton(RIGHTSLE* edit, WMBITMAPBUTTON* button, bool showFirst)
{
    const QRect g = edit->geometry();
    if (button->parentWidget() != edit->parentWidget())
        button->setParent(edit->parentWidget());
    button->setGeometry(attachedButtonGeometry(g));
    button->setFont(edit->font());
    edit->setAttachedButton(button);
    // Hidden only when the edit was hidden on purpose (a new child of a
    // window not shown yet counts as shown).
    const bool shown = !(edit->isHidden() && edit->testAttribute(Qt::WA_WState_ExplicitShowHide));
    if (showFirst)
        button->setVisible(shown);
    edit->resize(g.width() - 30, g.height());
    if (!showFirst)
        button->setVisible(shown);
    if (button->focusPolicy() & Qt::TabFocus)
        QWidget::setTabOrder(edit, button);
}

}  // namespace zeva
