#include "platform/ui/dialogtemplate.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

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

// The substitute fonts run wider than the fonts the templates were laid out
// for, so a label's text can need more lines than its box holds and lose its
// last line. Such a label gets a slightly smaller font (down to three quarters
// of its size) so that the whole text shows.
void fitLabelText(QLabel* label)
{
    const QString text = label->text();
    if (text.isEmpty())
        return;
    const QRect box(QPoint(0, 0), label->size());
    QFont font = label->font();
    const QFontInfo info(font);
    const int start = info.pixelSize();
    for (int px = start; px >= std::max(6, start * 3 / 4); --px) {
        font.setPixelSize(px);
        const QRect need = QFontMetrics(font).boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        if (need.height() <= box.height() && need.width() <= box.width()) {
            if (px != start)
                label->setFont(font);
            return;
        }
    }
}

}  // namespace

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
    return font;
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

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (tpl_.style & DS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (tpl_.style & DS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);

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
            auto* label = new QLabel(text, this);
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
                auto* edit = new QPlainTextEdit(this);
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

}  // namespace zeva
