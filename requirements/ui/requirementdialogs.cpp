#include "requirements/ui/requirementdialogs.h"

#include "core/messages.h"
#include "core/numeric.h"
#include "platform/runtime.h"
#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QPointer>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

static void initRequirementBitmapResources()
{
    Q_INIT_RESOURCE(requirementbitmaps);
}

namespace zeva {

namespace {

constexpr unsigned kDialogStyle = DS_CAPTION | DS_SYSMENU | DS_MODALFRAME;

void initRequirementBitmaps()
{
    static const bool done = [] {
        initRequirementBitmapResources();
        return true;
    }();
    Q_UNUSED(done);
}

// A number of an edit as a whole number within [low, high] (the edits'
// tests keep it there; this only guards the conversion).
long wholeNumber(double value, long low, long high)
{
    if (!std::isfinite(value))
        return low;
    return static_cast<long>(std::clamp(std::trunc(value), static_cast<double>(low), static_cast<double>(high)));
}

// A field's text read as SDAYA reads it: digits and the first decimal point
// (a comma counts as one) kept, everything else dropped.
struct FieldNumber {
    double value = 0;       // the number, all its decimals kept
    bool fraction = false;  // a non-zero digit after the point
    bool tooLong = false;   // more integer digits than the 11-character form holds
};

FieldNumber readField(const QString& text)
{
    QString whole;
    QString decimals;
    bool point = false;
    for (QChar c : text) {
        if (c == QLatin1Char('.') || c == QLatin1Char(','))
            point = true;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            (point ? decimals : whole) += c;
    }
    while (whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    FieldNumber n;
    n.tooLong = whole.size() > kNumWidth;
    for (QChar c : decimals)
        n.fraction = n.fraction || c != QLatin1Char('0');
    if (!n.tooLong) {
        const QString number = (whole.isEmpty() ? QStringLiteral("0") : whole) + QLatin1Char('.') + decimals
                               + QLatin1Char('0');
        n.value = number.toDouble();  // C locale
    }
    return n;
}

// The substitute font runs wider than the one the dialogs were laid out for:
// a radio button whose text would be cut grows to the right, as far as the
// frame it sits in (or the dialog) leaves room. Its need is measured in the
// font it was given, not in the smaller one the builder chose to fit the
// template's box: the button takes all the room first, so that the fitting
// goes back to the given font where that now fits.
void widenRadioButtons(TemplateDialog& d)
{
    const QList<QGroupBox*> frames = d.findChildren<QGroupBox*>();
    for (QRadioButton* b : d.findChildren<QRadioButton*>()) {
        int right = d.width() - 2;
        for (QGroupBox* f : frames)
            if (f->geometry().contains(b->geometry().center()))
                right = std::min(right, f->geometry().right() - 3);
        const int room = right - b->x() + 1;
        const int width = b->width();
        if (room <= width)
            continue;
        b->resize(room, b->height());
        fitButtonText(b);
        b->resize(std::max(width, std::min(b->sizeHint().width(), room)), b->height());
        fitButtonText(b);
    }
}

// The frames draw their top line lower than the layout reckons with, at the
// top of their contents: a label inside a frame that starts less than a few
// pixels below that moves down, keeping its bottom where its text still fits
// in the smaller height.
void clearOfFrameLines(TemplateDialog& d)
{
    constexpr int gap = 4;
    const QList<QGroupBox*> frames = d.findChildren<QGroupBox*>();
    for (QLabel* label : d.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->parentWidget() != &d)
            continue;
        for (const QGroupBox* f : frames) {
            if (f->parentWidget() != &d || !f->geometry().contains(label->geometry().center()))
                continue;
            const int top = f->y() + f->contentsRect().top() + gap;
            if (label->y() >= top)
                continue;
            const int shift = top - label->y();
            const QRect smaller(0, 0, label->width(), label->height() - shift);
            const QRect need = label->fontMetrics().boundingRect(smaller, Qt::TextWordWrap | label->alignment(),
                                                                 label->text());
            if (need.height() <= smaller.height())
                label->setGeometry(label->x(), top, label->width(), smaller.height());
            else
                label->move(label->x(), top);
        }
    }
}

// Whether the label's whole text fits a box of `width` and the label's
// height in `font`, wrapped as the label wraps it.
bool fitsWidth(const QLabel* label, const QFont& font, int width)
{
    const QRect box(0, 0, width, label->contentsRect().height());
    const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignLeft | Qt::AlignTop;
    const QRect need = QFontMetrics(font).boundingRect(box, flags, label->text());
    return need.width() <= box.width() && need.height() <= box.height();
}

// Labels on the left of a column of edits, laid out for a narrower font than
// the substitute: a label that would need a smaller font, or that runs under
// the edits, gets the room its whole text takes in the dialog's font. The
// edits move right as one column to make it, never past the inside of the
// frame they sit in; the labels keep their texts and reach up to the column.
void roomForLabels(TemplateDialog& d, const QGroupBox* frame, const QList<QLabel*>& labels,
                   const QList<QWidget*>& edits)
{
    if (labels.isEmpty() || edits.isEmpty())
        return;
    const QFont font = d.font();
    const int gap = d.baseUnits().toPixelsX(1);
    int column = 0;
    for (const QWidget* e : edits)
        column = std::max(column, e->x());
    int needed = 0;
    for (const QLabel* label : labels) {
        int width = 1;
        while (width < d.width() && !fitsWidth(label, font, width))
            ++width;
        needed = std::max(needed, label->x() + width + gap);
    }
    int widest = 0;
    for (const QWidget* e : edits)
        widest = std::max(widest, e->width());
    const QRect inside = frame->geometry().adjusted(0, 0, -frame->contentsMargins().right(), 0);
    column = std::max(column, std::min(needed, inside.right() + 1 - widest));
    for (QWidget* e : edits)
        e->move(column, e->y());
    for (QLabel* label : labels) {
        label->resize(std::max(1, column - gap - label->x()), label->height());
        fitLabelText(label);
    }
}

}  // namespace

// ---------------------------------------------------------------- templates

const DialogTemplate kSTipiSecWTemplate{
    "STipiSecW", "Sığır Tipi", 96, 104, 346, 86, "MS Shell Dlg", 8, kDialogStyle,
    {
        {100, CtlKind::GroupBox, 133, 6, 101, 55, "Bir tip seçiniz", CS_GROUP},
        {101, CtlKind::RadioButton, 140, 18, 80, 11, "Büyüyen &Genç Sığır"},
        {102, CtlKind::RadioButton, 140, 30, 86, 11, "Gebe - &Süt Veren İnek"},
        {103, CtlKind::RadioButton, 140, 43, 57, 11, "Ergin &Boğa"},
        {104, CtlKind::PushButton, 292, 7, 46, 13, "&Tamam", CS_DEFAULT},
        {105, CtlKind::PushButton, 292, 25, 46, 13, "&İptal"},
        {106, CtlKind::Bitmap, 6, 6, 120, 74, "IDS_INEGESOR"},
        {107, CtlKind::GroupBox, 241, 40, 59, 40, "Rapor", CS_GROUP},
        {108, CtlKind::RadioButton, 249, 51, 40, 11, "Özet"},
        {109, CtlKind::RadioButton, 249, 64, 40, 11, "Detaylı"},
    }};

const DialogTemplate kGrowCatleDWTemplate{
    "GrowCatleDW", "Büyüyen Genç Sığır", 59, 70, 309, 91, "MS Shell Dlg", 8, kDialogStyle,
    {
        {100, CtlKind::GroupBox, 160, 5, 88, 68, "Cesamet seçimi", CS_GROUP},
        {101, CtlKind::RadioButton, 166, 18, 67, 11, "&Dişi - Büyük Irk"},
        {102, CtlKind::RadioButton, 166, 30, 67, 11, "Dişi - &Küçük Irk"},
        {103, CtlKind::RadioButton, 166, 43, 74, 12, "&Erkek - Büyük Irk"},
        {104, CtlKind::RadioButton, 166, 55, 74, 11, "Erkek - Küçük &Irk"},
        {105, CtlKind::PushButton, 256, 25, 46, 13, "&Tamam", CS_DEFAULT},
        {106, CtlKind::PushButton, 256, 48, 46, 12, "&İptal"},
        {107, CtlKind::GroupBox, 8, 5, 144, 79, "Veri girişi", CS_GROUP},
        {108, CtlKind::Label, 13, 19, 93, 18, "Enerji konsantrasyonu (Yed./NRC Tah.=0.95-1.05):"},
        {109, CtlKind::Edit, 106, 24, 38, 11},
        {110, CtlKind::Edit, 106, 43, 38, 11},
        {111, CtlKind::Label, 13, 43, 93, 12, "Canlı ağırlık (100-800 Kg).....:"},
        {112, CtlKind::Label, 13, 57, 93, 18, "Beklenen ağırlık artışı (400-1000 g/Gün)................:"},
        {113, CtlKind::Edit, 106, 62, 38, 11},
    }};

const DialogTemplate kLactCatleDWTemplate{
    "LactCatleDW", "Gebe & Süt Veren İnek", 133, 137, 331, 121, "MS Shell Dlg", 8, kDialogStyle,
    {
        {100, CtlKind::GroupBox, 5, 3, 155, 116, "Veri giriş", CS_GROUP},
        {101, CtlKind::Label, 14, 36, 94, 15, "Canlı  ağırlık (400-800 Kg)....:"},
        {102, CtlKind::Label, 14, 53, 94, 14, "Süt verimi (0-66 Kg)..............:"},
        {103, CtlKind::Label, 13, 70, 96, 13, "Süt yağ testi (% 0-5.5)...........:"},
        {104, CtlKind::Label, 14, 86, 94, 13, "Gebelikte gün (0-282)...........:"},
        {105, CtlKind::Label, 14, 102, 96, 12, "Gebelik sayısı (1-3)................:"},
        {106, CtlKind::GroupBox, 166, 3, 160, 102, "Yem tüketim durumu", CS_GROUP},
        {107, CtlKind::RadioButton, 173, 16, 135, 11, "İhtiyaç düzeyinde ve ağırlık &değişmiyor"},
        {108, CtlKind::RadioButton, 173, 33, 139, 11, "İhtiyaçtan az ve ağırlık &kaybı varsa;"},
        {109, CtlKind::RadioButton, 173, 67, 133, 11, "İhtiyaçtan &fazla ve ağırlık artışı varsa;"},
        {110, CtlKind::PushButton, 196, 107, 46, 12, "&Tamam", CS_DEFAULT},
        {111, CtlKind::PushButton, 252, 107, 46, 12, "&İptal"},
        {112, CtlKind::Label, 14, 12, 94, 18, "Enerji konsantrasyonu (Yed./NRC Tah.=0.95-1.05):"},
        {113, CtlKind::Label, 186, 44, 94, 20, "Enerji ihtiyacının tüketimle karşılanma oranı (0.70-1.00):"},
        {114, CtlKind::Label, 186, 80, 74, 18, "Beklenen ağırlık artışı (0.00-3.00 Kg/Gün):"},
        {115, CtlKind::Edit, 113, 16, 39, 11},
        {116, CtlKind::Edit, 113, 33, 39, 11},
        {117, CtlKind::Edit, 113, 50, 39, 11},
        {118, CtlKind::Edit, 113, 67, 39, 11},
        {119, CtlKind::Edit, 113, 84, 39, 11},
        {120, CtlKind::Edit, 113, 101, 39, 11},
        {121, CtlKind::Edit, 280, 49, 38, 11},
        {122, CtlKind::Edit, 260, 86, 37, 10},
    }};

const DialogTemplate kMatBulDWTemplate{
    "MatBulDW", "Ergin Boğa", 46, 59, 213, 56, "MS Shell Dlg", 8, kDialogStyle,
    {
        {100, CtlKind::GroupBox, 6, 3, 147, 52, "Veri giriş", CS_GROUP},
        {101, CtlKind::Label, 13, 14, 95, 19, "Enerji konsantrasyonu (Yed./NRC Tah.=0.95-1.05):"},
        {102, CtlKind::Label, 12, 38, 94, 13, "Canlı ağırlık (500-1400 Kg)...:"},
        {103, CtlKind::Edit, 106, 19, 40, 11},
        {104, CtlKind::Edit, 106, 35, 40, 11},
        {105, CtlKind::PushButton, 160, 14, 46, 13, "&Tamam", CS_DEFAULT},
        {106, CtlKind::PushButton, 160, 33, 46, 12, "&İptal"},
    }};

// ---------------------------------------------------------------- STIPISECW

STIPISECW::STIPISECW(QWidget* owner, int destination) : TemplateDialog((initRequirementBitmaps(), kSTipiSecWTemplate), owner)
{
    RADIOBUTTONGROUP1 = control<QGroupBox>(100);
    BGSBUTTON = control<QRadioButton>(101);
    GSVBUTTON = control<QRadioButton>(102);
    EBBUTTON = control<QRadioButton>(103);
    pbTamam = control<QPushButton>(104);
    pbIptal = control<QPushButton>(105);
    FBINEGESOR = control<QLabel>(106);
    GROUPBOX1 = control<QGroupBox>(107);
    RB_OZET = control<QRadioButton>(108);
    RB_DETAY = control<QRadioButton>(109);
    FBINEGESOR->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    widenRadioButtons(*this);

    setWindowTitle(QStringLiteral("Sığır Tipi"));
    setIcons(ZVXTOD());
    POSTINIT(destination);

    connect(pbTamam, &QPushButton::clicked, this, &STIPISECW::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &STIPISECW::PBIPTAL);
    for (QRadioButton* b : {BGSBUTTON, GSVBUTTON, EBBUTTON, RB_OZET, RB_DETAY})
        connect(b, &QRadioButton::clicked, this, [this, b] { BUTTONCLICK(b); });
}

void STIPISECW::POSTINIT(int destination)
{
    BGSBUTTON->setChecked(true);
    RB_OZET->setChecked(true);
    NDEST = static_cast<std::uint16_t>(std::clamp(destination, 0, 0xFFFF));
    if (NDEST == 1) {
        RB_OZET->setEnabled(false);
        RB_DETAY->setEnabled(false);
    }
    BGSBUTTON->setFocus(Qt::OtherFocusReason);
}

void STIPISECW::BUTTONCLICK(QRadioButton* clicked)
{
    if (NDEST != 2)
        return;
    if (clicked == EBBUTTON) {
        if (EBBUTTON->isChecked()) {
            // The mature bull has no detailed report.
            RB_OZET->setChecked(true);
            RB_OZET->setEnabled(false);
            RB_DETAY->setEnabled(false);
        }
    } else if (clicked == BGSBUTTON || clicked == GSVBUTTON) {
        RB_OZET->setEnabled(true);
        RB_DETAY->setEnabled(true);
    }
}

void STIPISECW::PBTAMAM()
{
    if (BGSBUTTON->isChecked())
        NSTIPI = 1;
    else if (GSVBUTTON->isChecked())
        NSTIPI = 2;
    else if (EBBUTTON->isChecked())
        NSTIPI = 3;
    if (RB_DETAY->isChecked())
        NRTIPI = 2;
    done(QDialog::Accepted);
}

void STIPISECW::PBIPTAL()
{
    done(QDialog::Rejected);
}

// ---------------------------------------------------------------- input dialogs

RequirementInputDialog::RequirementInputDialog(const DialogTemplate& tpl, QWidget* owner) : TemplateDialog(tpl, owner)
{
    setIcons(ZVXTOD());
    clearOfFrameLines(*this);
}

RequirementInputDialog::~RequirementInputDialog()
{
    for (const EditRule& rule : rules_)
        rule.edit->removeEventFilter(this);
}

void RequirementInputDialog::addEdit(const EditRule& rule)
{
    rules_.append(rule);
    rule.edit->installEventFilter(this);
}

bool RequirementInputDialog::isBlank(const QString& text)
{
    return AllTrim(text).isEmpty();
}

bool RequirementInputDialog::inRange(const EditRule& rule, double value)
{
    if (rule.parity)
        return value >= 0;
    return value >= rule.low && value <= rule.high;
}

bool RequirementInputDialog::accepted(const EditRule& rule, const QString& text)
{
    if (text.contains(QLatin1Char('-')))
        return false;
    const FieldNumber n = readField(text);
    if (n.tooLong || (n.fraction && (rule.parity || rule.decimals == 0)))
        return false;
    return inRange(rule, n.value);
}

bool RequirementInputDialog::EDITFOCUSCHANGE(const EditRule& rule)
{
    QString text = rule.edit->text();
    if (isBlank(text))
        return true;
    if (!accepted(rule, text))
        return false;
    if (rule.parity && readField(text).value > 3)
        text = QStringLiteral("3");
    rule.edit->setText(SDAYA(text, rule.parity ? 0 : rule.decimals));
    return true;
}

bool RequirementInputDialog::editsAccepted()
{
    for (const EditRule& rule : rules_) {
        const QString text = rule.edit->text();
        if (!isBlank(text) && !accepted(rule, text)) {
            // The edit that loses the focus now is not tested again.
            const bool wasMoving = movingFocus_;
            movingFocus_ = true;
            rule.edit->setFocus(Qt::OtherFocusReason);
            movingFocus_ = wasMoving;
            return false;
        }
    }
    // Every filled edit is stored in its normalised form, also one filled
    // without typing.
    for (const EditRule& rule : rules_)
        EDITFOCUSCHANGE(rule);
    return true;
}

void RequirementInputDialog::focusLater(QWidget* w)
{
    QMetaObject::invokeMethod(
        this,
        [this, target = QPointer<QWidget>(w)] {
            if (!ended_ && target && target->isEnabled() && isVisible())
                target->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

bool RequirementInputDialog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::FocusOut || type == QEvent::FocusIn) && !ended_ && !movingFocus_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only moves between the dialog's controls: a context menu, another
        // window or a message box taking the focus tests nothing.
        const bool inside = reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
        for (const EditRule& rule : rules_) {
            if (rule.edit != watched || !inside)
                continue;
            if (type == QEvent::FocusIn) {
                focusGained(rule.edit);
            } else if (rule.edit->isModified() && QApplication::focusWidget() != pbIptal) {
                // Leaving for "&İptal" tests nothing, so that a click on it
                // always cancels.
                if (!EDITFOCUSCHANGE(rule))
                    focusLater(rule.edit);
            }
            break;
        }
    }
    return TemplateDialog::eventFilter(watched, event);
}

void RequirementInputDialog::done(int result)
{
    ended_ = true;
    TemplateDialog::done(result);
}

void RequirementInputDialog::PBIPTAL()
{
    done(QDialog::Rejected);
}

// ---------------------------------------------------------------- GROWCATLEDW

GROWCATLEDW::GROWCATLEDW(QWidget* owner) : RequirementInputDialog(kGrowCatleDWTemplate, owner)
{
    RADIOBUTTONGROUP1 = control<QGroupBox>(100);
    DBI_RBUTTON = control<QRadioButton>(101);
    DKI_RBUTTON = control<QRadioButton>(102);
    EBI_RBUTTON = control<QRadioButton>(103);
    EKI_RBUTTON = control<QRadioButton>(104);
    pbTamam = control<QPushButton>(105);
    pbIptal = control<QPushButton>(106);
    GROUPBOX1 = control<QGroupBox>(107);
    FIXEDTEXT1 = control<QLabel>(108);
    SLEENKONS = control<VQSLE>(109);
    SLECANAG = control<VQSLE>(110);
    FIXEDTEXT2 = control<QLabel>(111);
    FIXEDTEXT3 = control<QLabel>(112);
    SLEBAGKAZ = control<VQSLE>(113);

    widenRadioButtons(*this);
    roomForLabels(*this, GROUPBOX1, {FIXEDTEXT1, FIXEDTEXT2, FIXEDTEXT3}, {SLEENKONS, SLECANAG, SLEBAGKAZ});
    addEdit({SLEENKONS, 0.95, 1.05, 2});
    addEdit({SLECANAG, 100, 800, 2});
    addEdit({SLEBAGKAZ, 400, 1000, 2});

    setWindowTitle(QStringLiteral("Büyüyen Genç Sığır"));
    connect(pbTamam, &QPushButton::clicked, this, &GROWCATLEDW::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &GROWCATLEDW::PBIPTAL);
    POSTINIT();
}

void GROWCATLEDW::POSTINIT()
{
    DBI_RBUTTON->setChecked(true);
    SLEENKONS->setText(QStringLiteral("1.00"));
    SLEENKONS->setFocus(Qt::OtherFocusReason);
}

void GROWCATLEDW::PBTAMAM()
{
    if (!editsAccepted())
        return;
    NENECONS = Val(SLEENKONS->text());
    NCANAGIR = Val(SLECANAG->text());
    NBEKCAAR = Val(SLEBAGKAZ->text());
    const QRadioButton* classes[] = {DBI_RBUTTON, DKI_RBUTTON, EBI_RBUTTON, EKI_RBUTTON};
    for (int i = 0; i < 4; ++i)
        if (classes[i]->isChecked()) {
            NCESTYPE = static_cast<std::uint16_t>(i + 1);
            break;
        }
    done(1);
}

// ---------------------------------------------------------------- LACTCATLEDW

LACTCATLEDW::LACTCATLEDW(QWidget* owner, UserPort& port) : RequirementInputDialog(kLactCatleDWTemplate, owner), port_(port)
{
    GROUPBOX1 = control<QGroupBox>(100);
    FTCA = control<QLabel>(101);
    FTSV = control<QLabel>(102);
    FTSYT = control<QLabel>(103);
    FTGG = control<QLabel>(104);
    FTGS = control<QLabel>(105);
    RADIOBUTTONGROUP1 = control<QGroupBox>(106);
    RADIOBUTTON1 = control<QRadioButton>(107);
    RADIOBUTTON2 = control<QRadioButton>(108);
    RADIOBUTTON3 = control<QRadioButton>(109);
    pbTamam = control<QPushButton>(110);
    pbIptal = control<QPushButton>(111);
    FTEY = control<QLabel>(112);
    FTTKEO = control<QLabel>(113);
    FIXEDTEXT7 = control<QLabel>(114);
    SLEENECONS = control<VQSLE>(115);
    SLECANAG = control<VQSLE>(116);
    SLESUTVER = control<VQSLE>(117);
    SLESYAGTEST = control<VQSLE>(118);
    SLEGEBGUN = control<VQSLE>(119);
    SLEGEBSAY = control<VQSLE>(120);
    SLEENIHKAROR = control<VQSLE>(121);
    SLEISTAGKAZ = control<VQSLE>(122);

    widenRadioButtons(*this);
    roomForLabels(*this, GROUPBOX1, {FTEY, FTCA, FTSV, FTSYT, FTGG, FTGS},
                  {SLEENECONS, SLECANAG, SLESUTVER, SLESYAGTEST, SLEGEBGUN, SLEGEBSAY});
    // The ratio edit stands by its own label under its intake-state button
    // (the gain edit's label has room enough).
    roomForLabels(*this, RADIOBUTTONGROUP1, {FTTKEO}, {SLEENIHKAROR});
    addEdit({SLEENECONS, 0.95, 1.05, 2});
    addEdit({SLECANAG, 400, 800, 2});
    addEdit({SLESUTVER, 0, 66, 2});
    addEdit({SLESYAGTEST, 0, 5.5, 2});
    addEdit({SLEGEBGUN, 0, 282, 0});
    addEdit({SLEGEBSAY, 0, 0, 0, true});
    addEdit({SLEENIHKAROR, 0.70, 1.00, 2});
    addEdit({SLEISTAGKAZ, 0.00, 3.00, 2});

    FTEY->setStatusTip(QStringLiteral("Yedirilecek/NRC Kabulü"));
    SLEGEBSAY->setToolTip(QStringLiteral("Kurudaki inek için de gebelik sayısı verilmelidir"));
    setWindowTitle(QStringLiteral("Gebe & Süt Veren İnek"));

    connect(pbTamam, &QPushButton::clicked, this, &LACTCATLEDW::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &LACTCATLEDW::PBIPTAL);
    for (QRadioButton* b : {RADIOBUTTON1, RADIOBUTTON2, RADIOBUTTON3})
        connect(b, &QRadioButton::clicked, this, [this, b] { BUTTONCLICK(b); });
    POSTINIT();
}

void LACTCATLEDW::POSTINIT()
{
    RADIOBUTTON1->setChecked(true);
    SLEENECONS->setText(QStringLiteral("1.00"));
    SLEENECONS->setFocus(Qt::OtherFocusReason);
    SLEENIHKAROR->setEnabled(false);
    SLEISTAGKAZ->setEnabled(false);
}

void LACTCATLEDW::BUTTONCLICK(QRadioButton* clicked)
{
    if (!clicked->isChecked())
        return;
    const QString blanks(5, QLatin1Char(' '));
    if (clicked == RADIOBUTTON1) {
        SLEENIHKAROR->setText(blanks);
        SLEENIHKAROR->setEnabled(false);
        SLEISTAGKAZ->setText(blanks);
        SLEISTAGKAZ->setEnabled(false);
    } else if (clicked == RADIOBUTTON2) {
        SLEENIHKAROR->setEnabled(true);
        SLEENIHKAROR->setFocus(Qt::OtherFocusReason);
        SLEISTAGKAZ->setText(blanks);
        SLEISTAGKAZ->setEnabled(false);
    } else if (clicked == RADIOBUTTON3) {
        SLEENIHKAROR->setText(blanks);
        SLEENIHKAROR->setEnabled(false);
        SLEISTAGKAZ->setEnabled(true);
        SLEISTAGKAZ->setFocus(Qt::OtherFocusReason);
    }
}

void LACTCATLEDW::focusGained(VQSLE* edit)
{
    // The ratio and the gain edit are for their own intake state only.
    if (edit == SLEENIHKAROR) {
        if (RADIOBUTTON1->isChecked())
            focusLater(RADIOBUTTON1);
        else if (RADIOBUTTON3->isChecked())
            focusLater(SLEISTAGKAZ);
    } else if (edit == SLEISTAGKAZ) {
        if (RADIOBUTTON1->isChecked())
            focusLater(RADIOBUTTON1);
        else if (RADIOBUTTON2->isChecked())
            focusLater(SLEENIHKAROR);
    }
}

void LACTCATLEDW::PBTAMAM()
{
    if (!editsAccepted())
        return;
    NENECONS = Val(SLEENECONS->text());
    NCANAGIR = Val(SLECANAG->text());
    NSUTVERI = Val(SLESUTVER->text());
    NSYAGTES = Val(SLESYAGTEST->text());
    NGEBEGUN = static_cast<std::int32_t>(wholeNumber(Val(SLEGEBGUN->text()), 0, 282));
    NGEBESAY = static_cast<std::uint16_t>(wholeNumber(Val(SLEGEBSAY->text()), 0, 3));
    NENGKARO = Val(SLEENIHKAROR->text());
    NISTAGKA = Val(SLEISTAGKAZ->text());

    // The essentials given, the field of the chosen intake state must be too.
    const bool essentials = NENECONS != 0 && NCANAGIR != 0 && NGEBESAY != 0;
    if (RADIOBUTTON1->isChecked()) {
        NYEMTUKE = 1;
    } else if (RADIOBUTTON2->isChecked()) {
        if (isBlank(SLEENIHKAROR->text()) && essentials) {
            UYARI(port_, kRatioMissing);
            SLEENIHKAROR->setFocus(Qt::OtherFocusReason);
            return;
        }
        NYEMTUKE = 2;
    } else if (RADIOBUTTON3->isChecked()) {
        if (isBlank(SLEISTAGKAZ->text()) && essentials) {
            UYARI(port_, kGainMissing);
            SLEISTAGKAZ->setFocus(Qt::OtherFocusReason);
            return;
        }
        NYEMTUKE = 3;
    }
    done(1);
}

// ---------------------------------------------------------------- MATBULDW

MATBULDW::MATBULDW(QWidget* owner) : RequirementInputDialog(kMatBulDWTemplate, owner)
{
    GROUPBOX1 = control<QGroupBox>(100);
    FIXEDTEXT1 = control<QLabel>(101);
    FIXEDTEXT2 = control<QLabel>(102);
    SLEEY = control<VQSLE>(103);
    SLECA = control<VQSLE>(104);
    pbTamam = control<QPushButton>(105);
    pbIptal = control<QPushButton>(106);

    roomForLabels(*this, GROUPBOX1, {FIXEDTEXT1, FIXEDTEXT2}, {SLEEY, SLECA});
    addEdit({SLEEY, 0.95, 1.05, 2});
    addEdit({SLECA, 500, 1400, 2});

    setWindowTitle(QStringLiteral("Ergin Boğa"));
    connect(pbTamam, &QPushButton::clicked, this, &MATBULDW::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &MATBULDW::PBIPTAL);
    POSTINIT();
}

void MATBULDW::POSTINIT()
{
    SLEEY->setText(QStringLiteral("1.00"));
    SLEEY->setFocus(Qt::OtherFocusReason);
}

void MATBULDW::PBTAMAM()
{
    if (!editsAccepted())
        return;
    NENECONS = Val(SLEEY->text());
    NCANAGIR = Val(SLECA->text());
    done(1);
}

}  // namespace zeva
