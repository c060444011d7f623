#pragma once
// The program's control classes used by every dialog and window menu.
//
// VQSLE and VQLISTBOX turn Esc typed while they have the focus into a call of
// their window's PBIPTAL slot (the dialog's cancel handler), once per key
// press. VQCOMBOBOX is the combo box as it is. VQTOOLBAR is the flat toolbar of
// the window menus. PasteGuarded is the base of the program's edits of several
// lines.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QToolBar>
#include <QValidator>

class QKeyEvent;

namespace zeva {

// Calls the PBIPTAL() slot of the window that holds `control`; false when that
// window has none.
bool sendCancelToOwner(QWidget* control);

// Refuses typed characters that Windows-1254 cannot hold; with `upper` it turns
// letters to upper case as they are typed.
class Cp1254Validator : public QValidator {
    Q_OBJECT
public:
    explicit Cp1254Validator(bool upper = false, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    bool upper_;
};

// The typed text of a numeric field: what Cp1254Validator takes, but no
// minus sign. The program's numbers have none (the numeric text would drop
// it and the value would change its sign unseen), so it is refused where it
// is typed.
class NumericTextValidator : public Cp1254Validator {
    Q_OBJECT
public:
    explicit NumericTextValidator(QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
};

// TRUE for the minus sign and the dashes a keyboard gives in its place.
bool isMinusSign(QChar c);

// Makes `edit` a numeric field (see NumericTextValidator).
void refuseMinusSign(QLineEdit* edit);

class VQSLE : public QLineEdit {
    Q_OBJECT
public:
    explicit VQSLE(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class VQLISTBOX : public QListWidget {
    Q_OBJECT
public:
    explicit VQLISTBOX(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class VQCOMBOBOX : public QComboBox {
    Q_OBJECT
public:
    explicit VQCOMBOBOX(QWidget* parent = nullptr);
};

// An edit of several lines (QTextEdit, QPlainTextEdit) that pastes nothing
// from a clipboard without data. A desktop clipboard that no program owns (a
// fresh session, or after the program that copied has ended) hands out data
// with no format at all, and Qt 6.4's text edits read the first format of
// what they paste without asking whether there is one: the paste would bring
// the program down. Every way to paste (the keys, a menu command, the middle
// button, a drop) goes through insertFromMimeData.
template <class Edit>
class PasteGuarded : public Edit {
public:
    using Edit::Edit;

protected:
    void insertFromMimeData(const QMimeData* source) override
    {
        if (!source || source->formats().isEmpty())
            return;
        Edit::insertFromMimeData(source);
    }
};

// The flat toolbar of the window menus: icon buttons, no handle, fixed in its
// place. The menus add their actions to it.
class VQTOOLBAR : public QToolBar {
    Q_OBJECT
public:
    explicit VQTOOLBAR(QWidget* parent = nullptr);
};

}  // namespace zeva
