#include "platform/ui/accesskeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace zeva {

namespace {

constexpr char16_t kDottedI = 0x0130;

enum class Letter { Other, Plain, Dotted };

// Which I a caption's access key is on: "&I", "&i" and "&ı" all answer the
// key I; "&İ" is the dotted one.
Letter accessLetter(const QString& caption)
{
    const QKeySequence key = QKeySequence::mnemonic(caption);
    if (key.isEmpty())
        return Letter::Other;
    const int code = key[0].key();
    if (code == Qt::Key_I)
        return Letter::Plain;
    if (code == kDottedI)
        return Letter::Dotted;
    return Letter::Other;
}

// The i key itself: the lower-case dotted i, which every Turkish and US
// keyboard types on its I key without Shift.
bool isDottedIKey(const QKeyEvent* e)
{
    return e->key() == Qt::Key_I && e->text() == QStringLiteral("i");
}

// One control, or one item of a menu bar, that an access key on I reaches.
struct Target {
    QWidget* widget = nullptr;  // the control (null for a menu bar item)
    QMenuBar* bar = nullptr;
    QAction* action = nullptr;
    Letter letter = Letter::Other;

    // Where the focus goes when the key only moves it.
    QWidget* focusTarget() const
    {
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->buddy();
        if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            if (box->isCheckable())
                return box;
            for (QWidget* child : box->findChildren<QWidget*>())
                if ((child->focusPolicy() & Qt::TabFocus) && child->isVisible() && child->isEnabled())
                    return child;
            return nullptr;
        }
        return widget;
    }

    // What the access key does when it names this target alone.
    void activate() const
    {
        if (bar) {
            bar->setActiveAction(action);
            return;
        }
        QWidget* focus = focusTarget();
        if (focus && focus->focusPolicy() != Qt::NoFocus)
            focus->setFocus(Qt::ShortcutFocusReason);
        if (auto* box = qobject_cast<QGroupBox*>(widget); box && box->isCheckable())
            box->setChecked(!box->isChecked());
        else if (auto* button = qobject_cast<QAbstractButton*>(focus))
            button->animateClick();
    }
};

// A control inside an MDI child that is not the active one does not answer.
bool inInactiveChild(const QWidget* w)
{
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (auto* sub = qobject_cast<const QMdiSubWindow*>(p))
            return sub->mdiArea() && sub->mdiArea()->activeSubWindow() != sub;
    return false;
}

QList<Target> targetsOn(QWidget* window)
{
    QList<Target> targets;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled() || inInactiveChild(w))
            continue;
        if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions())
                if (a->isVisible() && a->isEnabled() && !a->isSeparator())
                    if (const Letter l = accessLetter(a->text()); l != Letter::Other)
                        targets.append({nullptr, bar, a, l});
            continue;
        }
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            caption = button->text();
        else if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
            caption = label->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            caption = box->title();
        if (const Letter l = accessLetter(caption); l != Letter::Other)
            targets.append({w, nullptr, nullptr, l});
    }
    return targets;
}

// Alt+i in a window with at least one "&İ" caption. TRUE when the key was
// taken.
bool windowKey(QWidget* receiver)
{
    QWidget* window = receiver->window();
    if (qobject_cast<QMenu*>(window))
        return false;  // an open menu takes its keys as key presses
    const QList<Target> targets = targetsOn(window);
    const bool dotted = std::any_of(targets.begin(), targets.end(), [](const Target& t) {
        return t.letter == Letter::Dotted;
    });
    if (!dotted)
        return false;  // "&I" captions answer by themselves
    if (targets.size() == 1) {
        targets.first().activate();
        return true;
    }
    // Several captions answer: the focus moves on to the next of them.
    QList<QWidget*> stops;
    for (const Target& t : targets)
        if (QWidget* f = t.widget ? t.focusTarget() : nullptr; f && f->focusPolicy() != Qt::NoFocus && !stops.contains(f))
            stops.append(f);
    if (stops.isEmpty()) {
        targets.first().activate();
        return true;
    }
    const qsizetype at = stops.indexOf(QApplication::focusWidget());
    stops.at(at < 0 ? 0 : (at + 1) % stops.size())->setFocus(Qt::ShortcutFocusReason);
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    return true;
}

// i in an open menu, or in a menu bar under keyboard control.
bool menuKey(QWidget* menuWidget, QKeyEvent* e)
{
    QList<QAction*> answering;
    bool dotted = false;
    bool plain = false;
    for (QAction* a : menuWidget->actions()) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        const Letter l = accessLetter(a->text());
        if (l == Letter::Other)
            continue;
        answering.append(a);
        (l == Letter::Dotted ? dotted : plain) = true;
    }
    if (!dotted)
        return false;
    if (!plain) {
        // The menu's own rule, with the key read as the letter of the caption.
        QKeyEvent asDotted(e->type(), e->key(), e->modifiers(), QString(QChar(kDottedI)), e->isAutoRepeat());
        QCoreApplication::sendEvent(menuWidget, &asDotted);
        return true;
    }
    QAction* active = nullptr;
    if (auto* menu = qobject_cast<QMenu*>(menuWidget))
        active = menu->activeAction();
    else if (auto* bar = qobject_cast<QMenuBar*>(menuWidget))
        active = bar->activeAction();
    const qsizetype at = answering.indexOf(active);
    QAction* next = answering.at(at < 0 ? 0 : (at + 1) % answering.size());
    if (auto* menu = qobject_cast<QMenu*>(menuWidget))
        menu->setActiveAction(next);
    else if (auto* bar = qobject_cast<QMenuBar*>(menuWidget))
        bar->setActiveAction(next);
    return true;
}

// The letter Alt+Shift+letter stands for: the one the key types without
// Shift. The capital I is the dotless ı's (Alt+Shift+I acts as Alt+ı) and the
// dotted İ is i's; every other letter has its own small letter. Null when the
// text is not one letter.
QChar unshiftedLetter(const QString& text)
{
    if (text.size() != 1 || !text.at(0).isLetter())
        return {};
    const QChar c = text.at(0);
    if (c == QLatin1Char('I'))
        return QChar(0x0131);
    if (c == QChar(kDottedI))
        return QLatin1Char('i');
    return c.toLower();
}

class AccessKeys : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
            return false;
        auto* e = static_cast<QKeyEvent*>(event);
        if (e == tried_) {
            // The Alt+letter tried for Alt+Shift+letter arrived as a key
            // press: no shortcut took it. It goes no further.
            if (type == QEvent::KeyPress)
                triedArrived_ = true;
            return type == QEvent::KeyPress;
        }
        if ((e->modifiers() & ~Qt::KeypadModifier) == (Qt::AltModifier | Qt::ShiftModifier)) {
            if (type == QEvent::KeyPress)
                return shiftedAccessKey(watched, e);
            if (type == QEvent::ShortcutOverride && unshiftedLetter(e->text()) == QLatin1Char('i')
                && qobject_cast<QWidget*>(watched)) {
                // The dotted capital İ of a Turkish keyboard: X11 offers it
                // to the shortcuts as Alt+İ too, the key of the "&İ"
                // captions alone, which would press one of them. It is
                // Alt+i here: taken as a key press, which comes next.
                e->accept();
                return true;
            }
        }
        if (type == QEvent::KeyRelease) {
            if (e->key() == Qt::Key_I)
                swallowPress_ = false;
            return false;
        }
        if (!isDottedIKey(e))
            return false;
        const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
        if (type == QEvent::KeyPress && swallowPress_ && mods == Qt::AltModifier) {
            // The key press that follows a taken access key.
            swallowPress_ = false;
            return true;
        }
        if (type == QEvent::ShortcutOverride)
            swallowPress_ = false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if (type == QEvent::KeyPress && (mods == Qt::NoModifier || mods == Qt::AltModifier)
            && (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget)))
            return menuKey(widget, e);
        if (type == QEvent::ShortcutOverride && mods == Qt::AltModifier && windowKey(widget)) {
            // Taken here: the shortcuts do not see it, and the key press that
            // Qt sends next goes nowhere.
            swallowPress_ = true;
            e->accept();
            return true;
        }
        return false;
    }

private:
    // Alt+Shift+letter acts as Alt+letter: access keys do not mind Shift. Its
    // key press reaches a widget only when no shortcut took Alt+Shift+letter
    // itself; it is then tried as Alt with the unshifted letter: in an open
    // menu or a menu bar as that key press, in a window through the shortcuts
    // (the access keys) and the dotted-I rule above. TRUE when the key was
    // taken.
    bool shiftedAccessKey(QObject* watched, QKeyEvent* e)
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        const QChar letter = unshiftedLetter(e->text());
        if (!widget || letter.isNull())
            return false;
        const QString text(letter);
        const int key = letter == QLatin1Char('i') || letter == QChar(0x0131) ? int(Qt::Key_I) : e->key();
        if (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget)) {
            QKeyEvent unshifted(QEvent::KeyPress, key, Qt::AltModifier, text, e->isAutoRepeat());
            QCoreApplication::sendEvent(widget, &unshifted);
            return true;
        }
        // A key press made here goes to the shortcuts first (the
        // ShortcutOverride to the widget, then the shortcut map), as a key
        // typed on the keyboard does; it reaches the widget itself only when
        // none took it, and is stopped there.
        QKeyEvent unshifted(QEvent::KeyPress, key, Qt::AltModifier, text, e->isAutoRepeat());
        unshifted.setTimestamp(e->timestamp());
        swallowPress_ = false;
        tried_ = &unshifted;
        triedArrived_ = false;
        QCoreApplication::sendEvent(widget, &unshifted);
        tried_ = nullptr;
        // The dotted-I rule takes its key in the ShortcutOverride and lets its
        // key press through to be stopped; that key press was ours.
        const bool dotted = swallowPress_;
        swallowPress_ = false;
        return !triedArrived_ || dotted;
    }

    bool swallowPress_ = false;
    const QKeyEvent* tried_ = nullptr;  // the Alt+letter being tried
    bool triedArrived_ = false;
};

}  // namespace

void installAccessKeys()
{
    static AccessKeys* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new AccessKeys(qApp);
    qApp->installEventFilter(filter);
}

}  // namespace zeva
