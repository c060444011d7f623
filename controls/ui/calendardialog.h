#pragma once
// The calendar dialog of the date edits and the date edit's context menu.
//
// DLGPECALENDAR opens under a date edit on the edit's date (today when it
// holds none) with the edit's first day of the week. A day double-clicked, or
// Enter pressed and released on the calendar, becomes DSELECTED and closes the
// dialog; Esc and the close box close it with DSELECTED left empty.

#include <QDate>
#include <QMargins>
#include <QMenu>
#include <QPointer>
#include <QRect>

#include "platform/ui/dialogtemplate.h"

namespace zeva {

class PECALENDAR;
class RIGHTSLE;

// The dialog's template: one control, 100, that the calendar replaces.
const DialogTemplate& calendarDialogTemplate();

// Where the calendar dialog's frame goes, its top-left corner in screen
// pixels. `edit` is the date edit's rectangle on the screen, `content` the
// dialog without its frame and `margins` the frame round it (the title bar in
// the top margin), `area` the screen's available area. The frame's top lies on
// the edit's bottom, its left on the edit's left (right when `alignLeft` is
// false); when it does not fit below the edit, its bottom lies on the edit's
// top instead. It is then moved to stay inside the area.
QPoint calendarFramePosition(const QRect& edit, bool alignLeft, const QSize& content, const QMargins& margins,
                             const QRect& area);

class DLGPECALENDAR : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int kCalendarId = 100;

    // `parent` is the window that holds the edit.
    DLGPECALENDAR(QWidget* parent, RIGHTSLE* edit);

    PECALENDAR* calendar() const { return calendar_; }

    // The picked day; a null date until one is picked.
    QDate DSELECTED;

    // The edit's date and first day of the week, and the dialog's place by
    // calendarFramePosition. The frame is known only once the dialog is
    // framed: the place is computed again when it shows and whenever its
    // frame changes.
    void POSTINIT(RIGHTSLE* edit);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QMargins frameMargins() const;
    void place();

    PECALENDAR* calendar_ = nullptr;
    bool placed_ = false;
    QRect edit_;  // the edit on the screen
    bool alignLeft_ = true;
    QRect area_;
    QMargins placedMargins_;  // the frame the dialog was placed with
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
