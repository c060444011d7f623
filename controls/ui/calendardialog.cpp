#include "controls/ui/calendardialog.h"

#include "controls/ui/pecalendar.h"
#include "controls/ui/rightsle.h"
#include "controls/ui/wmbitmapbutton.h"
#include "platform/runtime.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace zeva {

const DialogTemplate& calendarDialogTemplate()
{
    static const DialogTemplate tpl{
        "DLGPECALENDAR", "Calendar", 5, 16, 171, 91, "MS Sans Serif", 8,
        DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
        {
            {DLGPECALENDAR::kCalendarId, CtlKind::Label, 2, 2, 165, 86, ""},
        }};
    return tpl;
}

DLGPECALENDAR::DLGPECALENDAR(QWidget* parent, RIGHTSLE* edit) : TemplateDialog(calendarDialogTemplate(), parent)
{
    setModal(true);
    setWindowTitle(QStringLiteral("Calendar"));
    calendar_ = new PECALENDAR(this, kCalendarId);
    calendar_->setObjectName(QStringLiteral("CALENDAR"));
    // The control's border is drawn round the calendar, which draws inside it.
    calendar_->setBordered(true);
    calendar_->setFocusPolicy(Qt::StrongFocus);
    calendar_->setFocus(Qt::OtherFocusReason);
    connect(calendar_, &PECALENDAR::picked, this, [this](const QDate& date) {
        DSELECTED = date;
        done(QDialog::Accepted);
    });
    connect(calendar_, &PECALENDAR::closeRequested, this, &QWidget::close);
    if (edit)
        POSTINIT(edit);
}

QPoint calendarFramePosition(const QRect& edit, bool alignLeft, const QSize& content, const QMargins& margins,
                             const QRect& area)
{
    const QSize frame = content.grownBy(margins);
    QPoint corner(alignLeft ? edit.left() : edit.right() + 1, edit.bottom() + 1);
    if (corner.y() + frame.height() > area.bottom() + 1)
        corner.setY(edit.top() - frame.height());
    if (!area.isValid())
        return corner;
    corner.setY(std::max(corner.y(), area.top()));
    corner.setX(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
    return corner;
}

void DLGPECALENDAR::POSTINIT(RIGHTSLE* edit)
{
    const QDate date = DateFromText(edit->TEXTVALUE());

    edit_ = QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    alignLeft_ = edit->LALIGNCALENDARLEFT;
    QScreen* screen = edit->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    area_ = screen ? screen->availableGeometry() : QRect();
    placed_ = true;
    place();

    calendar_->setCURRENTDATE(date.isValid() ? date : QDate::currentDate());
    calendar_->setFIRSTDAYOFTHEWEEK(edit->FIRSTDAYOFTHEWEEK);
}

QMargins DLGPECALENDAR::frameMargins() const
{
    if (const QWindow* window = windowHandle())
        return window->frameMargins();
    return {};
}

void DLGPECALENDAR::place()
{
    if (!placed_)
        return;
    placedMargins_ = frameMargins();
    move(calendarFramePosition(edit_, alignLeft_, size(), placedMargins_, area_));
}

void DLGPECALENDAR::showEvent(QShowEvent* event)
{
    TemplateDialog::showEvent(event);
    place();
}

void DLGPECALENDAR::moveEvent(QMoveEvent* event)
{
    TemplateDialog::moveEvent(event);
    // The window manager may frame the dialog after it shows.
    if (placed_ && frameMargins() != placedMargins_)
        place();
}

QDate runCalendarDialog(RIGHTSLE& edit)
{
    DLGPECALENDAR dialog(edit.window(), &edit);
    dialog.exec();
    return dialog.DSELECTED;
}

PEDATESLECONTEXTMENU::PEDATESLECONTEXTMENU(RIGHTSLE* owner) : QMenu(owner), owner_(owner)
{
    setObjectName(QStringLiteral("PEDateSleContextMenu"));
    struct Item {
        int id;
        const char* text;
        const char* tip;
    };
    static const Item items[] = {
        {RIGHTSLE::kCmdToday, "&Today", "Enter today's date"},
        {RIGHTSLE::kCmdCalendar, "&Calendar...", "Pick a date from the calendar"},
    };
    for (const Item& item : items) {
        QAction* action = addAction(QString::fromUtf8(item.text));
        action->setData(item.id);
        action->setStatusTip(QString::fromUtf8(item.tip));
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] {
            if (owner_)
                owner_->command(id);
        });
    }
}

}  // namespace zeva
