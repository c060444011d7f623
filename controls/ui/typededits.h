#pragma once
// Edits that do their own keystroke editing.
//
// ODI_SLE: numeric ("N") or date ("D") mode by the rules of
// controls/typededit.h; any other type is a plain edit. A key that types a
// character (Backspace included) and the Delete key go through the rules;
// caret keys, copy and select-all are the edit's own; every other road that
// would change the text (paste, cut, undo, drops, middle-click, input methods,
// the context menu's editing items) is closed, so the text always keeps its
// form. Return, Enter, Escape and Tab go on to the dialog.
//
// SMARTSLE: the first character typed throws away the text the edit was shown
// with; Enter moves the focus to the next SMARTSLE among its window's controls,
// all of its text selected, from the last back to the first.

#include "controls/typededit.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>

namespace zeva {

class ODI_SLE : public QLineEdit {
    Q_OBJECT
public:
    explicit ODI_SLE(QWidget* owner, int id = 0, const QString& type = QStringLiteral("N"));

    void SLE_TYPE(const QString& type) { type_ = type; }
    QString type() const { return type_; }
    int SETPOS(int pos, int ref, bool back = false) const;
    bool SETLEN(int length = 10, int decimals = 0);
    bool SETBUFFER(const QString& text);
    QString rawText() const { return raw_; }
    int controlId() const { return id_; }

    // Where "*" reads today's date, at the moment it is typed; the system
    // date unless set (tests give a clock of their own).
    using DateClock = std::function<QDate()>;
    void setClock(DateClock clock) { clock_ = std::move(clock); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool typed() const;
    void apply(const EditKey& key);

    int id_;
    QString type_;
    NumericLengths lengths_;
    int totalLength_ = 0;
    QString raw_;
    DateClock clock_;
};

class SMARTSLE : public QLineEdit {
    Q_OBJECT
public:
    explicit SMARTSLE(QWidget* owner, int id = 0);

    // TRUE once the first character cleared the text; set it back to FALSE to
    // arm the clearing again.
    bool LEMPTIED = false;

    // Focus to the SMARTSLE after `from` among the owner's controls.
    void NEXTSLE(QWidget* from);
    int controlId() const { return id_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    int id_;
};

// The owner's controls in the order they were made.
QList<QWidget*> ACONTROLS(const QWidget* owner);

}  // namespace zeva
