#include "controls/ui/calendardialog.h"

#include "controls/ui/pecalendar.h"
#include "controls/ui/rightsle.h"
#include "controls/ui/wmbitmapbutton.h"
#include "platform/runtime.h"

#include <QAction>
#include <QScreen>

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

void DLGPECALENDAR::POSTINIT(RIGHTSLE* edit)
{
    const QDate date = DateFromText(edit->TEXTVALUE());

    QPoint corner = edit->mapToGlobal(QPoint(edit->LALIGNCALENDARLEFT ? 0 : edit->width(), edit->height()));
    const QSize size = frameGeometry().size().expandedTo(this->size());
    if (QScreen* screen = edit->screen()) {
        const QRect area = screen->availableGeometry();
        if (corner.y() + size.height() > area.bottom() + 1)
            corner.setY(edit->mapToGlobal(QPoint(0, 0)).y() - size.height());
        corner.setY(std::max(corner.y(), area.top()));
        corner.setX(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    }
    move(corner);

    calendar_->setCURRENTDATE(date.isValid() ? date : QDate::currentDate());
    calendar_->setFIRSTDAYOFTHEWEEK(edit->FIRSTDAYOFTHEWEEK);
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
