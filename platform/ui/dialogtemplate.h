#pragma once
// Dialog templates: each dialog of the program is described by a table that
// keeps its numbers as they were designed (dialog units, dialog font, control
// ids, texts and styles). TemplateDialog builds the widgets from such a table,
// converting dialog units from the dialog font's base units, and gives access
// to the controls by id.
//
// Texts in the tables are UTF-8 literals.

#include <QDialog>
#include <QIcon>
#include <QFont>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <initializer_list>
#include <vector>

class QAbstractButton;
class QLabel;
class QShowEvent;
class QWidget;

namespace zeva {

enum class CtlKind {
    Label,        // static text
    Edit,         // single-line edit (VQSLE); multi-line with CS_MULTILINE
    PushButton,
    ListBox,      // VQLISTBOX
    ComboBox,     // VQCOMBOBOX
    GroupBox,
    RadioButton,
    CheckBox,
    Bitmap,       // picture from a named bitmap resource
    Icon,         // picture from a named icon resource
};

// Control styles; combine with |.
enum CtlStyle : unsigned {
    CS_NONE = 0,
    CS_PASSWORD = 1u << 0,    // edit shows bullets
    CS_UPPERCASE = 1u << 1,   // edit turns typed letters to upper case
    CS_READONLY = 1u << 2,
    CS_MULTILINE = 1u << 3,   // edit of several lines
    CS_DEFAULT = 1u << 4,     // the dialog's default push button
    CS_GROUP = 1u << 5,       // starts a new group (radio buttons)
    CS_MULTISELECT = 1u << 6, // list: each click marks or unmarks an item
    CS_SORTED = 1u << 7,      // list or combo box sorts its items
    CS_NOTABSTOP = 1u << 8,   // leaves the control out of the tab order
    CS_RIGHT = 1u << 9,       // right-aligned text
    CS_CENTER = 1u << 10,     // centred text
    CS_DISABLED = 1u << 11,
    CS_EDITABLE = 1u << 12,   // combo box accepts typed text
};

// Dialog (window) styles.
enum DlgStyle : unsigned {
    DS_NONE = 0,
    DS_CAPTION = 1u << 0,     // caption bar
    DS_SYSMENU = 1u << 1,     // system menu and close box
    DS_MODALFRAME = 1u << 2,
};

struct ControlTemplate {
    int id = 0;
    CtlKind kind = CtlKind::Label;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    const char* text = "";             // caption, or resource name of a bitmap or icon
    unsigned style = CS_NONE;
    int limit = 0;                     // edit: most characters (0: no limit)
    const char* font = nullptr;        // own font face (nullptr: the dialog's)
    int points = 0;
    bool bold = false;
};

struct DialogTemplate {
    const char* name;
    const char* caption;
    int x, y, cx, cy;  // dialog units
    const char* font;  // dialog font face
    int points;
    unsigned style;
    std::vector<ControlTemplate> controls;
};

// Dialog base units (pixels per 4 horizontal and 8 vertical dialog units).
struct BaseUnits {
    int x = 6;
    int y = 13;

    // The base units of a dialog font at the given logical dpi. The 8-point
    // system dialog fonts have the fixed 6 x 13 at 96 dpi; other fonts are
    // measured from their substitute.
    static BaseUnits forFont(const QString& face, int points, qreal dpi);

    int toPixelsX(int du) const;
    int toPixelsY(int du) const;
    QRect toPixels(int x, int y, int cx, int cy) const;
};

// Family that stands in for a font named in a template.
QString substituteFamily(const QString& face);
// A font for a template's face, size and weight (substitution applied).
QFont templateFont(const QString& face, int points, bool bold = false);
// Registers the substitutions with Qt's font database (done by the builder).
void installFontSubstitutions();

// The program joins the lines of some texts with CR LF or a bare CR; a label
// or a box shows every one of them as a line break (a line feed).
QString withLineFeeds(const QString& text);

// Sets a label's text (line breaks as above) and fits it to its box. Every
// text a dialog puts into a label after it was built goes through here (a
// text set straight on a label is fitted when the dialog is shown).
void setLabelText(QLabel* label, const QString& text);

// The substitute fonts run wider than the fonts the templates were laid out
// for: a label whose text does not fit its box gets a slightly smaller font
// (down to three quarters of the font it was given), so that the whole text
// shows. A label that fits keeps its font; fitting again starts from the
// font the label was given, not from an earlier shrunk one.
void fitLabelText(QLabel* label);

// Whether the label's whole text, in its present font, fits inside its box.
bool labelTextFits(const QLabel* label);

// A button's caption as drawn: a mnemonic's "&" is not shown, "&&" shows
// one "&".
QString shownCaption(const QString& text);

// The same for the caption of a push button, check box or radio button: it
// fits the room the style leaves beside the box or inside the frame.
void setButtonText(QAbstractButton* button, const QString& text);
void fitButtonText(QAbstractButton* button);

// The frame of every dialog of the program: title bar with the close box
// only (no minimise or maximise), when `closeBox` is false the title alone.
void setDialogFrame(QWidget* dialog, bool closeBox = true);

// The width a window needs for `title` to show whole in its frame's title
// bar: the text in the title-bar font, drawn bold as many frames draw it,
// with the room the frame's icon and buttons take on either side of it (a
// frame that centres its title keeps that room on both sides).
int titleBarWidth(const QWidget* window, const QString& title);

// A dialog built from a template. Esc, the close box and every other way of
// cancelling reach PBIPTAL(), which the dialogs of the program override; the
// default ends the dialog with result 0.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    // `dpi` 0 takes the logical dpi of the screen the dialog would show on.
    explicit TemplateDialog(const DialogTemplate& tpl, QWidget* owner = nullptr, qreal dpi = 0);

    const DialogTemplate& dialogTemplate() const { return tpl_; }
    const BaseUnits& baseUnits() const { return units_; }

    // The control with that id; nullptr when there is none (or it was removed).
    QWidget* control(int id) const;
    template <typename T>
    T* control(int id) const { return qobject_cast<T*>(control(id)); }

    // Takes the control out of the dialog and destroys it.
    void removeControl(int id);

    // Puts `replacement` in the place of control `id`: it takes the control's
    // geometry, font, tab position, focus, enabled state and name, and is
    // found by that id from then on; the old control is destroyed. False, and
    // nothing done, when there is no such control.
    bool replaceControl(int id, QWidget* replacement);

    // Size of the client area in pixels as the template gives it.
    QSize clientSize() const { return clientSize_; }

    void reject() override;

public slots:
    virtual void PBIPTAL();

protected:
    // Sets the large and small window icon.
    void setIcons(const QIcon& icon);
    // Fits the labels once more: a text set straight on a label since the
    // dialog was built shows whole too.
    void showEvent(QShowEvent* event) override;

private:
    void build();

    DialogTemplate tpl_;
    BaseUnits units_;
    QSize clientSize_;
    QHash<int, QWidget*> controls_;
};

// Puts a control made in code where it belongs: at `geometry` when one is
// given, else in the place of control `id` of a TemplateDialog owner that has
// one (see replaceControl). A control with no name is named "ctl<id>".
void placeControl(QWidget* control, QWidget* owner, int id, const QRect& geometry);

}  // namespace zeva
