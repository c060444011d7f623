#include "platform/ui/dialogtemplate.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionTitleBar>

#include <algorithm>
#include <cmath>

namespace zeva {

namespace {

// Rounded a * b / c, as the dialog manager scales its units.
int mulDiv(int a, int b, int c)
{
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

bool isSystemDialogFont(const QString& face)
{
    return face.compare(QLatin1String("MS Shell Dlg"), Qt::CaseInsensitive) == 0
        || face.compare(QLatin1String("MS Shell Dlg 2"), Qt::CaseInsensitive) == 0
        || face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0;
}

QString u8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// The properties by which a label remembers the font it was given and the
// font fitting chose for it.
constexpr const char* kGivenFont = "zevaGivenFont";
constexpr const char* kFittedFont = "zevaFittedFont";

int textFlags(const QLabel* label)
{
    return (label->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignLeft | Qt::AlignTop;
}

bool textFits(const QLabel* label, const QFont& font)
{
    const QRect box = label->contentsRect();
    const QRect need = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), box.size()), textFlags(label),
                                                       label->text());
    return need.height() <= box.height() && need.width() <= box.width();
}

bool captionFits(const QAbstractButton* button, const QFont& font)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    opt.icon = button->icon();
    opt.iconSize = button->iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(button))
        element = QStyle::SE_RadioButtonContents;
    else if (auto* push = qobject_cast<const QPushButton*>(button); push && push->isDefault())
        opt.features |= QStyleOptionButton::DefaultButton;
    const QRect room = button->style()->subElementRect(element, &opt, button);
    const QFontMetrics fm(font);
    const QString shown = shownCaption(button->text());
    const int width = std::max(fm.horizontalAdvance(shown), fm.boundingRect(shown).width());
    return width <= room.width() && fm.height() <= room.height();
}

// Gives the widget the largest font, from the one it was given down to three
// quarters of it, in which `fits` holds; the font it was given when none.
template <typename Fits>
void fitFont(QWidget* w, Fits fits)
{
    // Start from the font the widget was given: the one fitting chose last
    // time unless somebody has set another since.
    QFont given = w->font();
    const QVariant fitted = w->property(kFittedFont);
    if (fitted.isValid() && fitted.value<QFont>() == given)
        given = w->property(kGivenFont).value<QFont>();
    w->setProperty(kGivenFont, given);

    QFont chosen = given;
    if (!fits(given)) {
        const int start = QFontInfo(given).pixelSize();
        for (int px = start - 1; px >= std::max(6, start * 3 / 4); --px) {
            QFont smaller = given;
            smaller.setPixelSize(px);
            if (fits(smaller)) {
                chosen = smaller;
                break;
            }
        }
    }
    if (w->font() != chosen)
        w->setFont(chosen);
    w->setProperty(kFittedFont, chosen);
}

// The letters of the program's texts beyond ASCII.
const QString kTurkishLetters = QStringLiteral("ÇĞİÖŞÜçğıöşüÂâÎîÛû");

bool holdsTurkishLetters(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return true;  // nothing to ask
    for (QChar c : kTurkishLetters)
        if (!raw.supportsCharacter(c))
            return false;
    return true;
}

// A bold face that lacks letters of the program's texts (Debian's EB Garamond
// bold holds none beyond ASCII) would have them drawn from another font. The
// family's upright face that holds them all is drawn bold instead; empty when
// the bold face holds them or no face does.
QString boldStandIn(const QFont& bold)
{
    static QHash<QString, QString> known;
    const QString family = bold.family();
    if (const auto it = known.constFind(family); it != known.constEnd())
        return *it;
    QString style;
    if (!holdsTurkishLetters(bold)) {
        for (const QString& candidate : QFontDatabase::styles(family)) {
            if (QFontDatabase::italic(family, candidate))
                continue;
            QFont f = bold;
            f.setStyleName(candidate);
            if (holdsTurkishLetters(f)) {
                style = candidate;
                break;
            }
        }
    }
    known.insert(family, style);
    return style;
}

}  // namespace

QString shownCaption(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    shown.remove(QLatin1Char('&'));
    shown.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return shown;
}

QString substituteFamily(const QString& face)
{
    static const struct {
        const char* face;
        const char* family;
    } table[] = {
        {"MS Shell Dlg", "Liberation Sans"},
        {"MS Shell Dlg 2", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Garamond", "EB Garamond"},
    };
    for (const auto& row : table)
        if (face.compare(QLatin1String(row.face), Qt::CaseInsensitive) == 0)
            return QLatin1String(row.family);
    return face;
}

void installFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char* face : {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Arial", "Courier New", "Garamond"})
        QFont::insertSubstitution(QLatin1String(face), substituteFamily(QLatin1String(face)));
}

QFont templateFont(const QString& face, int points, bool bold)
{
    QFont font(substituteFamily(face));
    if (points > 0)
        font.setPointSize(points);
    font.setBold(bold);
    if (bold && qGuiApp) {
        const QString style = boldStandIn(font);
        if (!style.isEmpty())
            font.setStyleName(style);
    }
    return font;
}

QString withLineFeeds(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

void setLabelText(QLabel* label, const QString& text)
{
    label->setText(withLineFeeds(text));
    fitLabelText(label);
}

void fitLabelText(QLabel* label)
{
    fitFont(label, [label](const QFont& f) { return label->text().isEmpty() || textFits(label, f); });
}

void setButtonText(QAbstractButton* button, const QString& text)
{
    button->setText(text);
    fitButtonText(button);
}

void fitButtonText(QAbstractButton* button)
{
    fitFont(button, [button](const QFont& f) { return button->text().isEmpty() || captionFits(button, f); });
}

bool labelTextFits(const QLabel* label)
{
    return label->text().isEmpty() || textFits(label, label->font());
}

void setDialogFrame(QWidget* dialog, bool closeBox)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::MSWindowsFixedSizeDialogHint;
    if (closeBox)
        flags |= Qt::WindowCloseButtonHint;
    dialog->setWindowFlags(flags);
}

int titleBarWidth(const QWidget* window, const QString& title)
{
    QStyle* style = window->style();
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.text = title;
    option.icon = window->windowIcon();
    option.titleBarFlags = window->windowFlags() | Qt::WindowSystemMenuHint;
    option.subControls = QStyle::SC_All;
    const int height = style->pixelMetric(QStyle::PM_TitleBarHeight, &option, window);
    // The room the icon and the buttons leave the title in a wide bar.
    option.rect = QRect(0, 0, 100 * height, height);
    const QRect label = style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, window);
    const int side = std::max({label.left(), option.rect.right() - label.right(), height});
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics fm(font);
    return std::max(fm.horizontalAdvance(title), fm.boundingRect(title).width()) + 2 * side
         + 2 * fm.averageCharWidth();
}

BaseUnits BaseUnits::forFont(const QString& face, int points, qreal dpi)
{
    if (dpi <= 0)
        dpi = 96;
    BaseUnits u;
    if (isSystemDialogFont(face) && points == 8) {
        u.x = mulDiv(6, static_cast<int>(std::lround(dpi)), 96);
        u.y = mulDiv(13, static_cast<int>(std::lround(dpi)), 96);
        return u;
    }
    // Average width of the letters and the line height of the substitute, at
    // the pixel height the font has at this dpi.
    QFont font = templateFont(face, points);
    font.setPixelSize(std::max(1, mulDiv(points > 0 ? points : 8, static_cast<int>(std::lround(dpi)), 72)));
    const QFontMetricsF fm(font);
    const qreal width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    u.x = std::max(1, static_cast<int>((width / 26 + 1) / 2));
    u.y = std::max(1, static_cast<int>(std::lround(fm.height())));
    return u;
}

int BaseUnits::toPixelsX(int du) const { return mulDiv(du, x, 4); }
int BaseUnits::toPixelsY(int du) const { return mulDiv(du, y, 8); }

QRect BaseUnits::toPixels(int px, int py, int cx, int cy) const
{
    return QRect(toPixelsX(px), toPixelsY(py), toPixelsX(cx), toPixelsY(cy));
}

TemplateDialog::TemplateDialog(const DialogTemplate& tpl, QWidget* owner, qreal dpi)
    : QDialog(owner), tpl_(tpl)
{
    installFontSubstitutions();
    if (dpi <= 0) {
        QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        dpi = screen ? screen->logicalDotsPerInch() : 96;
    }
    units_ = BaseUnits::forFont(u8(tpl_.font), tpl_.points, dpi);
    build();
}

void TemplateDialog::build()
{
    setObjectName(u8(tpl_.name));
    setWindowTitle(u8(tpl_.caption));
    setFont(templateFont(u8(tpl_.font), tpl_.points));

    // A dialog frame: the title bar with its close box, never a minimise or
    // maximise button, and a size of its own (below).
    if (tpl_.style & DS_CAPTION)
        setDialogFrame(this, (tpl_.style & DS_SYSMENU) != 0);
    else
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint);

    clientSize_ = QSize(units_.toPixelsX(tpl_.cx), units_.toPixelsY(tpl_.cy));
    setFixedSize(clientSize_);

    // The template's place is measured from the owner's client area (the
    // screen when there is no owner).
    const QPoint offset(units_.toPixelsX(tpl_.x), units_.toPixelsY(tpl_.y));
    if (QWidget* owner = parentWidget())
        move(owner->mapToGlobal(QPoint(0, 0)) + offset);
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft() + offset);

    QWidget* previousFocus = nullptr;
    QButtonGroup* radioGroup = nullptr;
    QList<QWidget*> groupBoxes;

    for (const ControlTemplate& c : tpl_.controls) {
        const QString text = u8(c.text);
        QWidget* w = nullptr;
        bool takesFocus = true;

        switch (c.kind) {
        case CtlKind::Label: {
            auto* label = new QLabel(this);
            label->setText(withLineFeeds(text));
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            Qt::Alignment align = Qt::AlignLeft;
            if (c.style & CS_RIGHT)
                align = Qt::AlignRight;
            else if (c.style & CS_CENTER)
                align = Qt::AlignHCenter;
            label->setAlignment(align | Qt::AlignTop);
            w = label;
            takesFocus = false;
            break;
        }
        case CtlKind::Edit:
            if (c.style & CS_MULTILINE) {
                auto* edit = new PasteGuarded<QPlainTextEdit>(this);
                edit->setPlainText(text);
                edit->setReadOnly(c.style & CS_READONLY);
                edit->setTabChangesFocus(true);
                w = edit;
            } else {
                auto* edit = new VQSLE(this);
                edit->setValidator(new Cp1254Validator((c.style & CS_UPPERCASE) != 0, edit));
                edit->setText(text);
                if (c.style & CS_PASSWORD)
                    edit->setEchoMode(QLineEdit::Password);
                if (c.limit > 0)
                    edit->setMaxLength(c.limit);
                edit->setReadOnly(c.style & CS_READONLY);
                if (c.style & CS_RIGHT)
                    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                w = edit;
            }
            break;
        case CtlKind::PushButton: {
            auto* button = new QPushButton(text, this);
            if (c.style & CS_DEFAULT)
                button->setDefault(true);
            w = button;
            break;
        }
        case CtlKind::ListBox: {
            auto* list = new VQLISTBOX(this);
            list->setSelectionMode((c.style & CS_MULTISELECT) ? QAbstractItemView::MultiSelection
                                                              : QAbstractItemView::SingleSelection);
            list->setSortingEnabled(c.style & CS_SORTED);
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            list->setFrameShadow(QFrame::Sunken);
            w = list;
            break;
        }
        case CtlKind::ComboBox: {
            auto* combo = new VQCOMBOBOX(this);
            combo->setEditable(c.style & CS_EDITABLE);
            if (c.style & CS_SORTED)
                combo->setInsertPolicy(QComboBox::InsertAlphabetically);
            w = combo;
            break;
        }
        case CtlKind::GroupBox: {
            auto* box = new QGroupBox(text, this);
            groupBoxes << box;
            w = box;
            takesFocus = false;
            break;
        }
        case CtlKind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            if (!radioGroup || (c.style & CS_GROUP)) {
                radioGroup = new QButtonGroup(this);
                radioGroup->setExclusive(true);
            }
            radioGroup->addButton(radio);
            w = radio;
            break;
        }
        case CtlKind::CheckBox:
            w = new QCheckBox(text, this);
            break;
        case CtlKind::Bitmap:
        case CtlKind::Icon: {
            auto* picture = new QLabel(this);
            QPixmap pixmap;
            if (c.kind == CtlKind::Icon) {
                const QIcon icon = programIcon(text);
                if (!icon.isNull())
                    pixmap = icon.pixmap(icon.availableSizes().value(0, QSize(32, 32)));
            } else {
                pixmap = QPixmap(QStringLiteral(":/bitmaps/") + text + QStringLiteral(".png"));
            }
            if (!pixmap.isNull())
                picture->setPixmap(pixmap);
            w = picture;
            takesFocus = false;
            break;
        }
        }

        if (c.kind != CtlKind::RadioButton)
            radioGroup = nullptr;  // any other control ends a run of radio buttons

        w->setObjectName(QStringLiteral("ctl%1").arg(c.id));
        if (c.font)
            w->setFont(templateFont(u8(c.font), c.points, c.bold));
        w->setGeometry(units_.toPixels(c.x, c.y, c.cx, c.cy));
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == CtlKind::Label)
            fitLabelText(label);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            fitButtonText(button);
        if (c.style & CS_DISABLED)
            w->setEnabled(false);
        if (!takesFocus) {
            w->setFocusPolicy(Qt::NoFocus);
        } else if (c.style & CS_NOTABSTOP) {
            w->setFocusPolicy(Qt::ClickFocus);
        } else {
            w->setFocusPolicy(Qt::StrongFocus);
            if (previousFocus)
                QWidget::setTabOrder(previousFocus, w);
            else
                w->setFocus(Qt::OtherFocusReason);
            previousFocus = w;
        }
        controls_.insert(c.id, w);
    }
    // Group frames stay behind the controls drawn over them.
    for (QWidget* box : groupBoxes)
        box->lower();
}

QWidget* TemplateDialog::control(int id) const
{
    return controls_.value(id, nullptr);
}

void TemplateDialog::removeControl(int id)
{
    delete controls_.take(id);
}

bool TemplateDialog::replaceControl(int id, QWidget* replacement)
{
    QWidget* old = controls_.value(id, nullptr);
    if (!old || !replacement || old == replacement)
        return false;
    if (replacement->parentWidget() != this)
        replacement->setParent(this);
    replacement->setObjectName(old->objectName());
    replacement->setGeometry(old->geometry());
    replacement->setFont(old->font());
    replacement->setEnabled(old->isEnabled());
    replacement->setFocusPolicy(old->focusPolicy());
    replacement->stackUnder(old);
    // Right behind the old control in the tab chain, which closes up over the
    // old one when it goes.
    if (old->focusPolicy() & Qt::TabFocus)
        QWidget::setTabOrder(old, replacement);
    const bool hadFocus = old->hasFocus() || focusWidget() == old;
    const bool hidden = old->isHidden() && old->testAttribute(Qt::WA_WState_ExplicitShowHide);
    controls_.insert(id, replacement);
    delete old;
    replacement->setVisible(!hidden);
    if (hadFocus)
        replacement->setFocus(Qt::OtherFocusReason);
    return true;
}

void TemplateDialog::reject()
{
    PBIPTAL();
}

void TemplateDialog::PBIPTAL()
{
    done(QDialog::Rejected);
}

void TemplateDialog::setIcons(const QIcon& icon)
{
    setWindowIcon(icon);
}

void TemplateDialog::showEvent(QShowEvent* event)
{
    for (const ControlTemplate& c : tpl_.controls) {
        QWidget* w = controls_.value(c.id, nullptr);
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == CtlKind::Label)
            fitLabelText(label);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            fitButtonText(button);
    }
    QDialog::showEvent(event);
}

void placeControl(QWidget* control, QWidget* owner, int id, const QRect& geometry)
{
    if (!geometry.isNull()) {
        control->setGeometry(geometry);
    } else if (auto* dialog = qobject_cast<TemplateDialog*>(owner); dialog && id != 0 && dialog->control(id)) {
        dialog->replaceControl(id, control);
    }
    if (control->objectName().isEmpty() && id != 0)
        control->setObjectName(QStringLiteral("ctl%1").arg(id));
}

}  // namespace zeva
