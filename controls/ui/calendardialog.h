#pragma once
// The calendar dialog of the date edits and the date edit's context menu.
//
// DLGPECALENDAR opens under a date edit on the edit's date (today when it
// holds none) with the edit's first day of the week. A day double-clicked, or
// Enter pressed and released on the calendar, becomes DSELECTED and closes the
// dialog; Esc and the close box close it with DSELECTED left empty.

#include <QDate>
#include <QMenu>
#include <QPointer>

#include "platform/ui/dialogtemplate.h"

namespace zeva {

class PECALENDAR;
class RIGHTSLE;

// The dialog's template: one control, 100, that the calendar replaces.
const DialogTemplate& calendarDialogTemplate();

class DLGPECALENDAR : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int kCalendarId = 100;

    // `parent` is the window that holds the edit.
    DLGPECALENDAR(QWidget* parent, RIGHTSLE* edit);

    PECALENDAR* calendar() const { return calendar_; }

    // The picked day; a null date until one is picked.
    QDate DSELECTED;

    // The edit's date and first day of the week, and the dialog's place: its
    // top-left corner on the edit's bottom-left corner (bottom-right when
    // the edit's LALIGNCALENDARLEFT is false), moved to stay on the screen,
    // above the edit when there is no room below it.
    void POSTINIT(RIGHTSLE* edit);

private:
    PECALENDAR* calendar_ = nullptr;
};

// Runs the calendar dialog modally for a date edit; the picked date or a null
// date. The date edits' calendar unless the program installs another.
QDate runCalendarDialog(RIGHTSLE& edit);

// The date edit's context menu: "&Today" (7754) and "&Calendar..." (7755),
// each sent to the edit's command().
class PEDATESLECONTEXTMENU : public QMenu {
    Q_OBJECT
public:
    explicit PEDATESLECONTEXTMENU(RIGHTSLE* owner);

private:
    QPointer<RIGHTSLE> owner_;
};

}  // namespace zeva
