#include "controls/ui/typededits.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace zeva {

namespace {

constexpr Qt::KeyboardModifiers kCommandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool isCaretKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

bool passesToTheDialog(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab ||
           key == Qt::Key_Backtab;
}

// The character a key types, or a null QChar (Backspace types 8).
QChar typedCharacter(const QKeyEvent* event)
{
    if (event->modifiers() & kCommandModifiers)
        return {};
    if (event->key() == Qt::Key_Backspace)
        return QChar(8);
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return {};
    return text.at(0);
}

}  // namespace

ODI_SLE::ODI_SLE(QWidget* owner, int id, const QString& type)
    : QLineEdit(owner), id_(id), type_(type)
{
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool ODI_SLE::typed() const { return type_ == QLatin1String("N") || type_ == QLatin1String("D"); }

int ODI_SLE::SETPOS(int pos, int ref, bool back) const { return zeva::SETPOS(text(), pos, ref, back); }

bool ODI_SLE::SETLEN(int length, int decimals)
{
    totalLength_ = length;
    lengths_ = NumericLengths::SETLEN(length, decimals);
    return true;
}

bool ODI_SLE::SETBUFFER(const QString& text)
{
    raw_ = text;
    raw_.remove(QLatin1Char(','));
    return true;
}

void ODI_SLE::apply(const EditKey& key)
{
    const EditState before{text(), selectionStart() >= 0 ? selectionStart() : cursorPosition(),
                           selectionStart() >= 0 ? selectionEnd() : cursorPosition()};
    EditState after;
    if (type_ == QLatin1String("N")) {
        after = numericKey(before, key, lengths_);
        SETBUFFER(after.text);
    } else {
        // Today as it is now: an edit left open past midnight gives the new day.
        after = dateKey(before, key, clock_ ? clock_() : QDate::currentDate());
    }
    setText(after.text);
    if (after.start != after.end)
        setSelection(after.start, after.end - after.start);
    else
        setCursorPosition(after.start);
}

void ODI_SLE::keyPressEvent(QKeyEvent* event)
{
    if (!typed()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Delete) {
        // Ctrl+Delete and Shift+Delete count as Delete.
        if (!isReadOnly())
            apply(EditKey::deleteKey());
        event->accept();
        return;
    }
    if (passesToTheDialog(key)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll) ||
        (isCaretKey(key) && !(event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = typedCharacter(event);
    if (!c.isNull() && !isReadOnly())
        apply(c == QChar(8) ? EditKey::backspace() : EditKey::character(c));
    // Everything else (paste, cut, undo, word deletion, other shortcuts)
    // would change the text outside the rules.
    event->accept();
}

void ODI_SLE::mousePressEvent(QMouseEvent* event)
{
    // The middle button pastes the selection on some desktops.
    if (typed() && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void ODI_SLE::inputMethodEvent(QInputMethodEvent* event)
{
    if (typed()) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void ODI_SLE::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (typed()) {
        for (QAction* a : menu->actions()) {
            const QString name = a->objectName();
            if (name == QLatin1String("edit-undo") || name == QLatin1String("edit-redo") ||
                name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
                name == QLatin1String("edit-delete"))
                a->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ODI_SLE::dragEnterEvent(QDragEnterEvent* event)
{
    if (typed()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void ODI_SLE::dropEvent(QDropEvent* event)
{
    if (typed()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

QList<QWidget*> ACONTROLS(const QWidget* owner)
{
    QList<QWidget*> controls;
    if (!owner)
        return controls;
    for (QObject* child : owner->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            controls.append(w);
    }
    return controls;
}

SMARTSLE::SMARTSLE(QWidget* owner, int id) : QLineEdit(owner), id_(id) {}

void SMARTSLE::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter moves on when it is released; the press stays here, so the
        // dialog does not press its default button.
        event->accept();
        return;
    }
    const QChar c = typedCharacter(event);
    if (!LEMPTIED && !c.isNull() && !isReadOnly()) {
        LEMPTIED = true;
        clear();
        if (c == QChar(8)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void SMARTSLE::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat())
        NEXTSLE(this);
}

void SMARTSLE::NEXTSLE(QWidget* from)
{
    const QList<QWidget*> controls = ACONTROLS(parentWidget());
    const qsizetype pos = controls.indexOf(from);
    if (pos < 0)
        return;
    QWidget* next = controls.at((pos + 1) % controls.size());
    if (auto* smart = qobject_cast<SMARTSLE*>(next)) {
        smart->selectAll();
        smart->setFocus(Qt::TabFocusReason);
    }
}

}  // namespace zeva
