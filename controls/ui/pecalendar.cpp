#include "controls/ui/pecalendar.h"

#include "controls/rightsle.h"
#include "platform/ui/dialogtemplate.h"

#include <QAction>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolButton>

#include <algorithm>

namespace zeva {

using controls::CalendarChange;
using controls::CalendarModel;
using controls::CalRect;

namespace {

constexpr int kBandHeight = CalendarModel::kTopOffset - 2;  // the filled caption band
constexpr int kArrowMargin = 20;                              // the arrows' click strips
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// Lines leave out their end point: a line from (x0, y) to (x1, y) covers x0
// to x1 - 1.
void hline(QPainter& p, int x0, int x1, int y, const QColor& colour)
{
    if (x1 > x0)
        p.fillRect(QRect(x0, y, x1 - x0, 1), colour);
}

void vline(QPainter& p, int x, int y0, int y1, const QColor& colour)
{
    if (y1 > y0)
        p.fillRect(QRect(x, y0, 1, y1 - y0), colour);
}

// Fills leave out the right and bottom edge.
QRect fillRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

// A raised frame: white left and top, grey right and bottom.
void draw3DBox(QPainter& p, int l, int t, int r, int b)
{
    vline(p, l, t + 1, b + 1, kWhite);  // (l, b) up to (l, t)
    hline(p, l, r, t, kWhite);          // (l, t) to (r, t)
    vline(p, r, t, b, kGrey);           // (r, t) down to (r, b)
    hline(p, l + 1, r + 1, b, kGrey);   // (r, b) back to (l, b)
}

void drawOutline(QPainter& p, const CalendarModel& m)
{
    for (int i = 1; i <= 6; ++i) {
        const int y = m.gridTop() + i * m.cellHeight();
        hline(p, m.gridLeft(), m.gridRight(), y, kWhite);
        hline(p, m.gridLeft(), m.gridRight(), y + 1, kGrey);
    }
    for (int i = 1; i <= 6; ++i) {
        const int x = m.gridLeft() + i * m.cellWidth();
        vline(p, x, m.gridTop(), m.gridBottom(), kWhite);
        vline(p, x + 1, m.gridTop(), m.gridBottom(), kGrey);
    }
}

// A day number as the grid shows it: two characters, a blank before 1 to 9.
QString dayText(int day)
{
    return QString::number(day).rightJustified(2, QLatin1Char(' '));
}

QString yearText(int year)
{
    return QString::number(year).rightJustified(4, QLatin1Char(' '));
}

// The rectangle of a day's number: the cell moved down by two pixels.
QRect dayTextRect(const CalRect& cell, int cellWidth, int cellHeight)
{
    return QRect(cell.left, cell.top + 2, cellWidth, cellHeight);
}

bool isAllDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

}  // namespace

// The names and the first day of the week come from the system's locale, not
// from the default locale the program sets for Qt's own dialogs.
PECALENDAR::PECALENDAR(QWidget* owner, int id, const QRect& geometry)
    : QFrame(owner), id_(id), model_(0, 0, QDate::currentDate()), locale_(QLocale::system())
{
    model_.setFIRSTDAYOFTHEWEEK(controls::firstDayOfTheWeekCode(locale_.firstDayOfWeek()));
    setFrameStyle(QFrame::NoFrame);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    placeControl(this, owner, id, geometry);
    // The replaced control's focus policy is not the calendar's.
    setFocusPolicy(Qt::StrongFocus);
    model_.setSize(contentsRect().width(), contentsRect().height());
}

PECALENDAR::~PECALENDAR() = default;

void PECALENDAR::setBordered(bool bordered)
{
    setFrameStyle(bordered ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    setLineWidth(1);
    model_.setSize(contentsRect().width(), contentsRect().height());
    update();
}

QSize PECALENDAR::sizeHint() const
{
    return QSize(247, 139);
}

void PECALENDAR::setCalendarLocale(const QLocale& locale)
{
    locale_ = locale;
    model_.setFIRSTDAYOFTHEWEEK(controls::firstDayOfTheWeekCode(locale.firstDayOfWeek()));
    update();
}

QString PECALENDAR::monthName(int month) const
{
    return locale_.standaloneMonthName(month, QLocale::LongFormat);
}

QString PECALENDAR::weekdayAbbreviation(int weekday) const
{
    // The locale's own short names: the first letters of the full names are
    // not unique in every language.
    const int qtDay = (weekday + 5) % 7 + 1;  // Qt counts Monday 1 ... Sunday 7
    return locale_.standaloneDayName(qtDay, QLocale::ShortFormat);
}

QFont PECALENDAR::gridFont() const
{
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QFont PECALENDAR::captionFont() const
{
    QFont f = gridFont();
    f.setBold(true);
    return f;
}

QPoint PECALENDAR::toWidget(int x, int y) const
{
    return contentsRect().topLeft() + QPoint(x, y);
}

QRect PECALENDAR::cellRect(int row, int column) const
{
    const CalRect c = model_.cell(row, column);
    return QRect(toWidget(c.left, c.top), QSize(c.right - c.left, c.bottom - c.top));
}

PECALENDAR::Caption PECALENDAR::caption() const
{
    Caption cap;
    const QDate first = controls::FIRSTDAYOFMONTH(model_.CURRENTDATE());
    const QString month = monthName(first.month());
    const QString year = yearText(first.year());
    cap.text = month + QLatin1Char(' ') + year;
    const QFontMetrics fm(captionFont());
    const int cx = fm.horizontalAdvance(cap.text);
    const int cy = fm.height();
    cap.x = model_.controlRight() / 2 - cx / 2;
    cap.y = kBandHeight / 2 - cy / 2;
    const int monthRight = cap.x + fm.horizontalAdvance(month + QLatin1Char(' '));
    cap.month = CalRect{cap.x, cap.y, monthRight, kBandHeight};
    cap.year = CalRect{monthRight, cap.y, monthRight + fm.horizontalAdvance(year), kBandHeight};
    return cap;
}

CalRect PECALENDAR::monthCaptionRect() const
{
    return caption().month;
}

CalRect PECALENDAR::yearCaptionRect() const
{
    return caption().year;
}

void PECALENDAR::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    model_.setSize(contentsRect().width(), contentsRect().height());
}

void PECALENDAR::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);
    const QRect inside = contentsRect();
    p.setClipRect(inside, Qt::IntersectClip);
    p.translate(inside.topLeft());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);

    const CalendarModel& m = model_;
    const QPalette& pal = palette();
    const int cw = m.cellWidth();
    const int ch = m.cellHeight();

    // The raised frame of the caption band; the band's fill then leaves its
    // bottom edge and the lowest pixels of its sides.
    draw3DBox(p, 0, 0, m.gridRight(), m.gridTop() - 1);
    drawOutline(p, m);

    // The band and its caption.
    const Caption cap = caption();
    const QRect band(0, 0, m.controlRight(), kBandHeight);
    p.fillRect(band, pal.color(QPalette::Button));
    p.save();
    p.setClipRect(band, Qt::IntersectClip);
    p.setFont(captionFont());
    p.setPen(pal.color(QPalette::WindowText));
    p.drawText(QPoint(cap.x, cap.y + QFontMetrics(captionFont()).ascent()), cap.text);
    p.restore();

    // Weekdays, the first and the last column in red.
    p.setFont(gridFont());
    const int first = static_cast<int>(m.FIRSTDAYOFWEEK());
    for (int i = 0; i < 7; ++i) {
        const int weekday = (first - 1 + i) % 7 + 1;
        const QRect r(m.gridLeft() + i * cw, m.gridTop() + 1, cw, ch);
        p.setPen(i == 0 || i == 6 ? kRed : kBlack);
        p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, weekdayAbbreviation(weekday));
    }

    // The days of the month.
    const QDate day1 = controls::FIRSTDAYOFMONTH(m.CURRENTDATE());
    const int days = day1.daysInMonth();
    p.setPen(kBlack);
    int row = 1;
    int column = m.CASTDATE2COLUMN(day1);
    for (int day = 1; day <= days; ++day) {
        p.drawText(dayTextRect(m.cell(row, column), cw, ch), Qt::AlignHCenter | Qt::AlignTop, dayText(day));
        if (column == 7) {
            column = 1;
            ++row;
        } else {
            ++column;
        }
    }

    // The arrows at the band's ends.
    p.setPen(kBlack);
    p.setBrush(kBlack);
    p.drawPolygon(QPolygon({QPoint(10, 13), QPoint(14, 9), QPoint(14, 17)}), Qt::WindingFill);
    const int gr = m.gridRight();
    p.drawPolygon(QPolygon({QPoint(gr - 10, 13), QPoint(gr - 14, 9), QPoint(gr - 14, 17)}), Qt::WindingFill);

    // The current day.
    const CalRect c = m.cell(m.CURRENTROWNUMBER(), m.CURRENTCOLUMNNUMBER());
    p.fillRect(fillRect(c.left + 1, c.top + 1, c.right - 1, c.bottom - 1), pal.color(QPalette::Highlight));
    p.setPen(pal.color(QPalette::HighlightedText));
    p.drawText(dayTextRect(c, cw, ch), Qt::AlignHCenter | Qt::AlignTop, dayText(m.CURRENTDATE().day()));
}

void PECALENDAR::updateDay(const QDate& date)
{
    int row = 0;
    int column = 0;
    model_.cellOf(date, &row, &column);
    update(cellRect(row, column));
}

void PECALENDAR::showChange(CalendarChange change, const QDate& before)
{
    switch (change) {
    case CalendarChange::None:
        break;
    case CalendarChange::Within:
        updateDay(before);
        updateDay(model_.CURRENTDATE());
        break;
    case CalendarChange::Month:
        update();
        break;
    }
}

void PECALENDAR::setCURRENTDATE(const QDate& date)
{
    const QDate before = model_.CURRENTDATE();
    showChange(model_.setCURRENTDATE(date), before);
}

void PECALENDAR::MOVEDAYS(int n)
{
    const QDate before = model_.CURRENTDATE();
    showChange(model_.MOVEDAYS(n), before);
}

void PECALENDAR::MOVEMONTHS(int n)
{
    const QDate before = model_.CURRENTDATE();
    showChange(model_.MOVEMONTHS(n), before);
}

void PECALENDAR::MOVEYEARS(int n)
{
    const QDate before = model_.CURRENTDATE();
    showChange(model_.MOVEYEARS(n), before);
}

void PECALENDAR::command(int id)
{
    const QDate before = model_.CURRENTDATE();
    showChange(model_.chooseMonth(static_cast<unsigned>(id)), before);
}

void PECALENDAR::EDITMONTH()
{
    if (!monthMenu_) {
        monthMenu_ = new QMenu(this);
        monthMenu_->setObjectName(QStringLiteral("monthMenu"));
    }
    monthMenu_->clear();
    for (int month = 1; month <= 12; ++month) {
        const int id = static_cast<int>(CalendarModel::kFirstMonthId) + month - 1;
        QAction* action = monthMenu_->addAction(monthName(month));
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { command(id); });
    }
    const CalRect r = monthCaptionRect();
    monthMenu_->popup(mapToGlobal(toWidget(r.left, r.bottom)));
}

void PECALENDAR::EDITYEAR()
{
    if (yearEdit_)
        return;
    const CalRect r = yearCaptionRect();
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("ctl%1").arg(kYearEditId));
    edit->setFont(font());
    edit->setMaxLength(4);
    // The year's own width is the caption's; the edit widens so that its
    // frame leaves room for four digits.
    const QFontMetrics fm(edit->font());
    const int width = std::max(r.right - r.left, fm.horizontalAdvance(QStringLiteral("0000")) + 12);
    const int height = std::max(r.bottom - r.top, fm.height() + 4);
    edit->setGeometry(QRect(toWidget(r.left, r.top), QSize(width, height)));
    edit->setText(yearText(model_.CURRENTDATE().year()));
    edit->installEventFilter(this);

    // The up-down: two arrow buttons 20 x 20 right of the edit.
    auto* spinner = new QWidget(this);
    spinner->setObjectName(QStringLiteral("ctl%1").arg(kSpinnerId));
    spinner->setGeometry(edit->geometry().right() + 1, edit->y(), 20, 20);
    auto* up = new QToolButton(spinner);
    up->setObjectName(QStringLiteral("up"));
    up->setArrowType(Qt::UpArrow);
    up->setGeometry(0, 0, 20, 10);
    up->setFocusPolicy(Qt::NoFocus);
    auto* down = new QToolButton(spinner);
    down->setObjectName(QStringLiteral("down"));
    down->setArrowType(Qt::DownArrow);
    down->setGeometry(0, 10, 20, 10);
    down->setFocusPolicy(Qt::NoFocus);
    // A click on the arrows leaves the focus in the edit (the calendar taking
    // it would apply the year).
    spinner->setFocusPolicy(Qt::ClickFocus);
    spinner->setFocusProxy(edit);
    connect(up, &QToolButton::clicked, this, [this] { stepYearEdit(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepYearEdit(-1); });

    yearEdit_ = edit;
    spinner_ = spinner;
    edit->show();
    spinner->show();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void PECALENDAR::stepYearEdit(int n)
{
    if (!yearEdit_)
        return;
    // Each step counts on from the year in the edit (the shown year when the
    // edit holds none), inside the range of the up-down.
    bool ok = false;
    const QString text = yearEdit_->text().trimmed();
    int year = isAllDigits(text) ? text.toInt(&ok) : 0;
    if (!ok)
        year = model_.displayedYear();
    year = std::clamp(year + n, kFirstYear, kLastYear);
    yearEdit_->setText(QString::number(year));
}

void PECALENDAR::applyYearEdit()
{
    if (!yearEdit_)
        return;
    QLineEdit* edit = yearEdit_;
    QWidget* spinner = spinner_;
    yearEdit_ = nullptr;
    spinner_ = nullptr;
    const QString text = edit->text().trimmed();
    edit->removeEventFilter(this);
    edit->hide();
    edit->deleteLater();
    if (spinner) {
        spinner->hide();
        spinner->deleteLater();
    }
    // Only a year of the up-down's range moves the calendar; anything else
    // closes the edit and keeps the date.
    bool ok = false;
    const int year = isAllDigits(text) ? text.toInt(&ok) : 0;
    if (ok && year >= kFirstYear && year <= kLastYear)
        MOVEYEARS(year - model_.CURRENTDATE().year());
}

bool PECALENDAR::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == yearEdit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
            stepYearEdit(1);
            return true;
        case Qt::Key_Down:
            stepYearEdit(-1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The year is applied and the focus goes back to the calendar;
            // the key's release then finds no press of its own there.
            setFocus(Qt::OtherFocusReason);
            applyYearEdit();
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

bool PECALENDAR::focusNextPrevChild(bool)
{
    // Tab stays in the calendar; from the year edit it applies the year.
    if (yearEdit_) {
        setFocus(Qt::TabFocusReason);
        applyYearEdit();
    }
    return true;
}

void PECALENDAR::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    applyYearEdit();
}

void PECALENDAR::focusOutEvent(QFocusEvent* event)
{
    enterDown_ = false;
    QFrame::focusOutEvent(event);
}

void PECALENDAR::press(int x, int y)
{
    if (y <= CalendarModel::kTopOffset) {
        if (x < kArrowMargin)
            MOVEMONTHS(-1);
        else if (x > model_.gridRight() - kArrowMargin)
            MOVEMONTHS(1);
        else if (controls::POINTINSIDE(monthCaptionRect(), x, y))
            EDITMONTH();
        else if (controls::POINTINSIDE(yearCaptionRect(), x, y))
            EDITYEAR();
        return;
    }
    const QDate d = model_.dayAt(x, y);
    if (d.isValid())
        setCURRENTDATE(d);
}

void PECALENDAR::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    event->accept();
    // Taking the focus applies an open year edit before the click counts.
    setFocus(Qt::MouseFocusReason);
    applyYearEdit();
    const QPoint pos = event->position().toPoint() - contentsRect().topLeft();
    press(pos.x(), pos.y());
}

void PECALENDAR::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    setFocus(Qt::MouseFocusReason);
    applyYearEdit();
    const QPoint pos = event->position().toPoint() - contentsRect().topLeft();
    // The press that began the double click has done what a click does; the
    // second one counts only on a day of the shown month, which it picks (the
    // lower edge of the weekday row makes the day current without picking it).
    if (pos.y() <= CalendarModel::kTopOffset)
        return;
    const QDate d = model_.dayAt(pos.x(), pos.y());
    if (!d.isValid())
        return;
    setCURRENTDATE(d);
    if (pos.y() > CalendarModel::kTopOffset + model_.cellHeight())
        emit picked(d);
}

void PECALENDAR::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        MOVEDAYS(1);
        break;
    case Qt::Key_Left:
        MOVEDAYS(-1);
        break;
    case Qt::Key_Up:
        MOVEDAYS(-7);
        break;
    case Qt::Key_Down:
        MOVEDAYS(7);
        break;
    case Qt::Key_PageUp:
        MOVEMONTHS(-1);
        break;
    case Qt::Key_PageDown:
        MOVEMONTHS(1);
        break;
    case Qt::Key_Home:
        setCURRENTDATE(controls::FIRSTDAYOFMONTH(model_.CURRENTDATE()));
        break;
    case Qt::Key_End:
        setCURRENTDATE(controls::LASTDAYOFMONTH(model_.CURRENTDATE()));
        break;
    case Qt::Key_Escape:
        if (!event->isAutoRepeat())
            emit closeRequested();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            enterDown_ = true;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PECALENDAR::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QFrame::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // Enter picks on its release, and only after its press reached the
    // calendar: the Enter that opened the calendar does not close it.
    if (event->isAutoRepeat() || !enterDown_)
        return;
    enterDown_ = false;
    emit picked(model_.CURRENTDATE());
}

}  // namespace zeva
