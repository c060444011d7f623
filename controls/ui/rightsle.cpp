#include "controls/ui/rightsle.h"

#include "controls/ui/calendardialog.h"
#include "controls/ui/wmbitmapbutton.h"
#include "platform/runtime.h"
#include "platform/ui/dialogtemplate.h"
#include "platform/ui/turkishdialogs.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QTimerEvent>

#include <memory>

namespace zeva {

using controls::NumKey;

namespace {

int beepCount = 0;

CalendarPicker& programPicker()
{
    static CalendarPicker picker = runCalendarDialog;
    return picker;
}

// The character a key types, as the platform would send it after the
// key-down: none for the keys that act on the dialog (Return, Enter, Esc,
// Tab) and for keys held with Ctrl, Alt or Meta; Backspace types its own
// control character.
bool typedCharacter(const QKeyEvent* event, QChar* typed)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event->key() == Qt::Key_Backspace) {
        *typed = QChar(8);
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
        return false;
    *typed = c;
    return true;
}

// Keys a numeric edit leaves to the line edit because they change no text:
// copying, selecting all, and the keys that belong to the dialog.
bool changesNoText(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll))
        return true;
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F35;
    }
}

bool isCaretCode(int code)
{
    return code == controls::kKeyEnd || code == controls::kKeyHome || code == controls::kKeyLeft
           || code == controls::kKeyRight;
}

}  // namespace

void controlBeep()
{
    ++beepCount;
    QApplication::beep();
}

int controlBeepCount()
{
    return beepCount;
}

void setCalendarPicker(CalendarPicker picker)
{
    programPicker() = picker ? std::move(picker) : CalendarPicker(runCalendarDialog);
}

// --- RIGHTSLE ---------------------------------------------------------------

RIGHTSLE::RIGHTSLE(QWidget* owner, int id, const QRect& geometry) : VQSLE(owner), id_(id), owner_(owner)
{
    FIRSTDAYOFTHEWEEK = controls::firstDayOfTheWeekCode(QLocale::system().firstDayOfWeek());
    setValidator(new Cp1254Validator(false, this));
    placeControl(this, owner, id, geometry);
}

RIGHTSLE::~RIGHTSLE() = default;

void RIGHTSLE::setFIELDSPEC(const controls::FieldSpec& format)
{
    format_ = format;
    // The blanks in front of a number are narrower than its digits in the
    // dialog font: the edit itself keeps the number at its right edge.
    setAlignment((isNumeric() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void RIGHTSLE::clearFIELDSPEC()
{
    format_.reset();
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QVariant RIGHTSLE::VALUE() const
{
    if (format_)
        return format_->toValue(text());
    return text();
}

void RIGHTSLE::setVALUE(const QVariant& value)
{
    setText(format_ ? format_->TRANSFORM(value) : value.toString());
}

QString RIGHTSLE::SETFIELD(const QString& value, double factor) const
{
    return controls::SETFIELD(FIELDSPEC(), value, factor);
}

QString RIGHTSLE::ZEROPAD() const
{
    return controls::zeroPad(VALUE(), static_cast<int>(text().size()));
}

void RIGHTSLE::ENABLE()
{
    setReadOnly(false);
    setEnabled(true);
}

void RIGHTSLE::DISABLE()
{
    setReadOnly(true);
    setEnabled(false);
}

WMBITMAPBUTTON* RIGHTSLE::attachedButton() const
{
    return button_;
}

void RIGHTSLE::setAttachedButton(WMBITMAPBUTTON* button)
{
    button_ = button;
}

void RIGHTSLE::setVisible(bool visible)
{
    VQSLE::setVisible(visible);
    // The attached button shows and hides with its edit.
    if (button_)
        button_->setVisible(visible);
}

void RIGHTSLE::PROCESSNUM(NumKey key)
{
    if (!isNumeric())
        return;
    controls::NumEntry entry;
    entry.text = text();
    if (hasSelectedText()) {
        entry.selStart = selectionStart();
        entry.selEnd = selectionEnd();
    } else {
        entry.selStart = entry.selEnd = cursorPosition();
    }
    entry.fresh = fresh_;
    entry.pendingMinus = pendingMinus_;
    const controls::NumResult r = controls::PROCESSNUM(*format_, entry, key);
    if (r.beep)
        INVALIDACTION();
    fresh_ = r.fresh;
    pendingMinus_ = r.pendingMinus;
    // Writing the text clears the modified flag; a keystroke that changed the
    // number leaves it set.
    const bool modified = isModified() || r.modified || r.text != text();
    if (r.text != text())
        setText(r.text);
    setModified(modified);
    deselect();
    setCursorPosition(r.caret);
}

void RIGHTSLE::CALKEYDOWN(int code)
{
    if (!isDate())
        return;
    const QDate date = DateFromText(text());
    if (!date.isValid())
        return;
    if (code == controls::kKeyPadPlus)
        setText(DateText(date.addDays(1)));
    else if (code == controls::kKeyPadMinus)
        setText(DateText(date.addDays(-1)));
}

void RIGHTSLE::SHOWCALENDAR()
{
    if (!isDate())
        return;
    const CalendarPicker& picker = picker_ ? picker_ : programPicker();
    const QDate chosen = picker ? picker(*this) : QDate();
    if (chosen.isValid())
        setVALUE(chosen);
    setFocus(Qt::OtherFocusReason);
}

void RIGHTSLE::command(int id)
{
    if (!isDate() || isReadOnly())
        return;
    if (id == kCmdCalendar)
        SHOWCALENDAR();
    else if (id == kCmdToday)
        setVALUE(QDate::currentDate());
}

void RIGHTSLE::keyPressEvent(QKeyEvent* event)
{
    if (isNumeric())
        numericKey(event);
    else if (isDate())
        dateKey(event);
    else
        VQSLE::keyPressEvent(event);
}

void RIGHTSLE::numericKey(QKeyEvent* event)
{
    const int code = controls::keyCodeOf(event->key(), event->modifiers());
    const bool held = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    QChar typed;
    const bool types = typedCharacter(event, &typed);

    if (code == controls::kKeyBackspace || code == controls::kKeyDelete) {
        // Delete with Ctrl or Shift is Delete; Backspace with Ctrl, Alt or
        // Meta (word deletion, undo) does nothing.
        if (!isReadOnly() && !(code == controls::kKeyBackspace && held)) {
            PROCESSNUM({NumKey::KeyDown, code});
            if (types)
                PROCESSNUM({NumKey::Char, typed.unicode()});
        }
        event->accept();
        return;
    }
    if (isCaretCode(code)) {
        if (!isReadOnly())
            PROCESSNUM({NumKey::KeyDown, code});
        VQSLE::keyPressEvent(event);  // the caret moves from where the entry put it
        return;
    }
    if (types) {
        // The keypad's decimal key is the separator whatever it types.
        if (!isReadOnly())
            PROCESSNUM({NumKey::Char, code == controls::kKeyPadDecimal ? int(controls::kDecimalSep.unicode())
                                                                        : int(typed.unicode())});
        event->accept();
        return;
    }
    if (changesNoText(event)) {
        VQSLE::keyPressEvent(event);
        return;
    }
    // Paste, cut, undo, redo, word deletion and the like never reach the
    // text of a numeric edit.
    event->ignore();
}

void RIGHTSLE::dateKey(QKeyEvent* event)
{
    const int code = controls::keyCodeOf(event->key(), event->modifiers());
    if (code == controls::kKeyPadPlus || code == controls::kKeyPadMinus) {
        if (!isReadOnly())
            CALKEYDOWN(code);
        event->accept();
        return;
    }
    QChar typed;
    if (typedCharacter(event, &typed) && (typed == QLatin1Char('+') || typed == QLatin1Char('-'))) {
        if (!DateFromText(text()).isValid())
            INVALIDACTION();
        event->accept();
        return;
    }
    VQSLE::keyPressEvent(event);
}

bool RIGHTSLE::leftDoubleClick()
{
    if (isNumeric()) {
        setFocus(Qt::MouseFocusReason);
        selectAll();
        fresh_ = true;
        return true;
    }
    if (isDate() && !isReadOnly()) {
        SHOWCALENDAR();
        return true;
    }
    return false;
}

void RIGHTSLE::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && leftDoubleClick()) {
        event->accept();
        return;
    }
    VQSLE::mouseDoubleClickEvent(event);
}

void RIGHTSLE::mousePressEvent(QMouseEvent* event)
{
    if (isNumeric() && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    VQSLE::mousePressEvent(event);
}

void RIGHTSLE::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection on some desktops.
    if (isNumeric() && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    VQSLE::mouseReleaseEvent(event);
}

QMenu* RIGHTSLE::createNumericContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    static const char* const changing[] = {"edit-undo", "edit-redo", "edit-cut", "edit-paste", "edit-delete"};
    for (QAction* action : menu->actions()) {
        bool off = action->menu() != nullptr;  // e.g. the control-character submenu
        for (const char* name : changing)
            if (action->objectName() == QLatin1String(name))
                off = true;
        if (off)
            action->setEnabled(false);
    }
    return menu;
}

void RIGHTSLE::contextMenuEvent(QContextMenuEvent* event)
{
    if (!isNumeric()) {
        VQSLE::contextMenuEvent(event);
        return;
    }
    std::unique_ptr<QMenu> menu(createNumericContextMenu());
    menu->exec(event->globalPos());
}

void RIGHTSLE::dragEnterEvent(QDragEnterEvent* event)
{
    if (isNumeric()) {
        event->ignore();
        return;
    }
    VQSLE::dragEnterEvent(event);
}

void RIGHTSLE::dragMoveEvent(QDragMoveEvent* event)
{
    if (isNumeric()) {
        event->ignore();
        return;
    }
    VQSLE::dragMoveEvent(event);
}

void RIGHTSLE::dropEvent(QDropEvent* event)
{
    if (isNumeric()) {
        event->ignore();
        return;
    }
    VQSLE::dropEvent(event);
}

void RIGHTSLE::inputMethodEvent(QInputMethodEvent* event)
{
    if (isNumeric()) {
        event->accept();  // composed text would bypass the entry
        return;
    }
    VQSLE::inputMethodEvent(event);
}

// --- DATESLE ----------------------------------------------------------------

DATESLE::DATESLE(QWidget* owner, int id, const QRect& geometry) : RIGHTSLE(owner, id, geometry)
{
    attachButton(this, new DATEPB(parentWidget(), kButtonId, QRect(), this), true);
    setFIELDSPEC(controls::FieldSpec::date());
    contextMenu_ = new PEDATESLECONTEXTMENU(this);
    setVALUE(QDate());
    FIRSTDAYOFTHEWEEK = 1;
}

PEDATESLECONTEXTMENU* DATESLE::CONTEXTMENU() const
{
    return contextMenu_;
}

void DATESLE::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (contextMenu_)
        contextMenu_->popup(event->globalPos());
}

// --- FILESLE ----------------------------------------------------------------

namespace {

// The program's file dialog, with the labels of these edits.
void speakTurkish(QFileDialog& dialog, const QString& accept)
{
    setUpTurkishFileDialog(dialog);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Konum:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dosya adı:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dosya türü:"));
    dialog.setLabelText(QFileDialog::Accept, accept);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("&İptal"));
}

class DialogFileChooser : public FileChooser {
public:
    QString openFileName(QWidget* owner, const QString& initialName, const QStringList& filters) override
    {
        return fileName(owner, initialName, filters, false);
    }
    QString saveFileName(QWidget* owner, const QString& initialName, const QStringList& filters) override
    {
        return fileName(owner, initialName, filters, true);
    }
    QString folderName(QWidget* owner, const QString& caption) override
    {
        QFileDialog dialog(owner, caption);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        speakTurkish(dialog, QStringLiteral("&Seç"));
        dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dizin:"));
        dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) + 120);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    }

private:
    static QString fileName(QWidget* owner, const QString& initialName, const QStringList& filters, bool save)
    {
        QFileDialog dialog(owner);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters(filters);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        speakTurkish(dialog, save ? QStringLiteral("&Kaydet") : QStringLiteral("&Aç"));
        if (!save)
            setUpFileDialogToRead(dialog);
        if (!initialName.trimmed().isEmpty())
            dialog.selectFile(initialName.trimmed());
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    }
};

QStringList asList(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.canConvert<QVariantList>() && value.typeId() != QMetaType::QString) {
        QStringList list;
        for (const QVariant& v : value.toList())
            list << v.toString();
        return list;
    }
    return {value.toString()};
}

}  // namespace

FileChooser& defaultFileChooser()
{
    static DialogFileChooser chooser;
    return chooser;
}

FILESLE::FILESLE(QWidget* owner, int id, const QRect& geometry) : RIGHTSLE(owner, id, geometry) {}

QStringList FILESLE::filters() const
{
    if (XFILTER.isNull())
        return {QStringLiteral("All FIles (*)")};
    // Patterns as "*.dbf;*.txt" or a list of them, each with its description.
    const QStringList patterns = asList(XFILTER);
    const QStringList descriptions = XFILTERDESC.isNull() ? QStringList() : asList(XFILTERDESC);
    QStringList result;
    for (qsizetype i = 0; i < patterns.size(); ++i) {
        QString pattern = patterns.at(i);
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        pattern = pattern.simplified();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");  // every name, with or without a dot
        const QString description = descriptions.value(i).trimmed();
        result << (description.isEmpty() ? pattern : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return result;
}

void FILESLE::MOUSEBUTTONDOUBLECLICK()
{
    FileChooser& chooser = chooser_ ? *chooser_ : defaultFileChooser();
    QWidget* owner = OWNER() ? OWNER() : window();
    if (NDIALOGTYPE == 2) {
        const QString folder = chooser.folderName(this, SFDIALOGCAPTION);
        if (!folder.isEmpty())
            setText(controls::folderAndName(QDir::fromNativeSeparators(folder), SDBFNAME));
        return;
    }
    const QString name = NDIALOGTYPE == 1 ? chooser.openFileName(owner, text(), filters())
                                          : chooser.saveFileName(owner, text(), filters());
    if (!name.isEmpty())
        setText(name);
}

bool FILESLE::leftDoubleClick()
{
    if (!isReadOnly())
        MOUSEBUTTONDOUBLECLICK();
    return true;
}

PBFILESLE::PBFILESLE(QWidget* owner, int id, const QRect& geometry) : FILESLE(owner, id, geometry)
{
    attachButton(this, new FILEPB(parentWidget(), kButtonId, QRect(), this));
}

// --- SEARCHSLE --------------------------------------------------------------

SEARCHSLE::SEARCHSLE(QWidget* owner, int id, const QRect& geometry) : RIGHTSLE(owner, id, geometry)
{
    attachButton(this, new SEARCHPB(parentWidget(), kButtonId, QRect(), this));
}

void SEARCHSLE::MOUSEBUTTONDOUBLECLICK()
{
    QObject* owner = OWNER();
    if (!owner || SYMMETHOD.isEmpty())
        return;
    const QByteArray signature = SYMMETHOD + "(QWidget*,QString)";
    const int index = owner->metaObject()->indexOfMethod(signature.constData());
    if (index < 0)
        return;
    const QMetaMethod method = owner->metaObject()->method(index);
    method.invoke(owner, Qt::DirectConnection, Q_ARG(QWidget*, this), Q_ARG(QString, text()));
}

bool SEARCHSLE::leftDoubleClick()
{
    MOUSEBUTTONDOUBLECLICK();
    return true;
}

// --- TIMERSLE ---------------------------------------------------------------

namespace {

class SystemTimerClock : public TimerClock {
public:
    SystemTimerClock() { clock_.start(); }
    double seconds() const override { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }
    QTime timeOfDay() const override { return QTime::currentTime(); }

private:
    QElapsedTimer clock_;
};

}  // namespace

TimerClock& systemTimerClock()
{
    static SystemTimerClock clock;
    return clock;
}

TIMERSLE::TIMERSLE(QWidget* owner, int id, const QRect& geometry) : RIGHTSLE(owner, id, geometry) {}

void TIMERSLE::TIMER()
{
    const QString shown = watch_.display(style_, clock().seconds(), clock().timeOfDay());
    if (!shown.isNull())
        setText(shown);
}

void TIMERSLE::START()
{
    if (!watch_.start(clock().seconds()))
        return;
    timer_.start(std::max(1, interval_), this);
    TIMER();
}

void TIMERSLE::STOP()
{
    if (!watch_.stop(clock().seconds()))
        return;
    timer_.stop();
}

void TIMERSLE::RESET()
{
    STOP();
    watch_.reset();
    setText(QStringLiteral("0"));
}

void TIMERSLE::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_.timerId()) {
        TIMER();
        return;
    }
    RIGHTSLE::timerEvent(event);
}

}  // namespace zeva
