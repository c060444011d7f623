#pragma once
// A push button with an icon at its left, scaled to the button's height, and
// its caption centred in the rest: separate icons for the released, pressed
// and disabled looks, an embossed caption when disabled and a focus rectangle
// around the caption. OKPUSHBUTTON, CANCELPUSHBUTTON, NOPUSHBUTTON and
// HELPPUSHBUTTON carry the program's icons for those buttons.

#include <QIcon>
#include <QPushButton>

namespace zeva {

// Where the parts of an icon button go, in widget pixels.
struct IconButtonLayout {
    QRect frame;         // the raised or sunken panel
    bool outline = false;  // a one-pixel line around the whole button (focus or pressed)
    bool sunken = false;
    QRect icon;          // empty without an icon
    QRect text;          // the caption's rectangle (and the focus rectangle's)
};

IconButtonLayout iconButtonLayout(QSize size, bool pressed, bool focused, bool hasIcon, int leftIconBorder);

// The caption's colour: the button text colour (a COLORREF, red in the low
// byte) when above 0, else the palette's button text.
QColor iconButtonTextColor(quint32 colorRef, const QPalette& palette);

class ICONPUSHBUTTON : public QPushButton {
    Q_OBJECT
public:
    ICONPUSHBUTTON(QWidget* owner, int id = 0, const QString& text = {});

    int LEFTICONBORDER() const { return leftIconBorder_; }
    int LEFTICONBORDER(int n);
    // Setting one of up and down also sets the other while that is empty.
    QIcon ICONUP(const QIcon& icon);
    QIcon ICONDOWN(const QIcon& icon);
    QIcon ICONDISABLED(const QIcon& icon);
    quint32 BUTTONTEXTCOLOR(quint32 colorRef);
    quint32 BUTTONTEXTCOLOR() const { return textColor_; }
    void ENABLE() { setEnabled(true); }
    void DISABLE() { setEnabled(false); }

    int controlId() const { return id_; }
    // The layout and the icon of the look the button has now.
    IconButtonLayout currentLayout() const;
    QIcon shownIcon() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int id_;
    QIcon up_;
    QIcon down_;
    QIcon disabled_;
    int leftIconBorder_ = 4;
    quint32 textColor_ = 0;
};

class OKPUSHBUTTON : public ICONPUSHBUTTON {
    Q_OBJECT
public:
    OKPUSHBUTTON(QWidget* owner, int id = 0, const QString& text = {});
};

class CANCELPUSHBUTTON : public ICONPUSHBUTTON {
    Q_OBJECT
public:
    CANCELPUSHBUTTON(QWidget* owner, int id = 0, const QString& text = {});
};

class NOPUSHBUTTON : public ICONPUSHBUTTON {
    Q_OBJECT
public:
    NOPUSHBUTTON(QWidget* owner, int id = 0, const QString& text = {});
};

class HELPPUSHBUTTON : public ICONPUSHBUTTON {
    Q_OBJECT
public:
    HELPPUSHBUTTON(QWidget* owner, int id = 0, const QString& text = {});
};

// One of the twelve button icons by name ("ICOOKUP", ..., "ICOHELPDISABLED");
// a null icon for another name.
QIcon buttonIcon(const QString& name);

}  // namespace zeva
