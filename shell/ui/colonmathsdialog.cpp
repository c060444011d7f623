#include "shell/ui/colonmathsdialog.h"

#include "core/numeric.h"
#include "platform/runtime.h"
#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zeva {

const DialogTemplate kColonMathsTemplate{
    "ColonMaths", "", 103, 96, 152, 71, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 8, 3, 64, 22, "Seçili kolona uygulanacak değer:"},
        {101, CtlKind::ComboBox, 76, 7, 66, 63, "", CS_EDITABLE},
        {102, CtlKind::PushButton, 8, 29, 26, 15, "+", CS_NONE, 0, "MS Sans Serif", 10},
        {103, CtlKind::PushButton, 44, 29, 26, 15, "--", CS_NONE, 0, "MS Sans Serif", 10},
        {104, CtlKind::PushButton, 80, 29, 26, 15, "*", CS_NONE, 0, "MS Sans Serif", 10},
        {105, CtlKind::PushButton, 116, 29, 26, 15, "/", CS_NONE, 0, "MS Sans Serif", 10},
        {106, CtlKind::PushButton, 56, 51, 48, 13, "&İptal", CS_DEFAULT},
    }};

COLONMATHS::COLONMATHS(QWidget* owner, const QStringList& tableFields)
    : TemplateDialog(kColonMathsTemplate, owner)
{
    FIXEDTEXT1 = control<QLabel>(100);
    CBVALAP = control<VQCOMBOBOX>(101);
    pbArti = control<QPushButton>(102);
    pbEksi = control<QPushButton>(103);
    pbCarpi = control<QPushButton>(104);
    pbBolu = control<QPushButton>(105);
    pbIptal = control<QPushButton>(106);

    // The template's height is that of the open list; the box itself is one line.
    CBVALAP->resize(CBVALAP->width(), CBVALAP->sizeHint().height());
    CBVALAP->setInsertPolicy(QComboBox::NoInsert);
    CBVALAP->setCompleter(nullptr);
    CBVALAP->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CBVALAP->installEventFilter(this);
    refuseMinusSign(CBVALAP->lineEdit());
    connect(CBVALAP->lineEdit(), &QLineEdit::textEdited, this, [this] { edited_ = true; });

    setObjectName(QStringLiteral("COLONMATHS"));
    setWindowTitle(QStringLiteral("Kolon Aritmetiği"));
    setStatusTip(QStringLiteral("Şeçili kolona dört işlem uygulanır."));
    setIcons(ZVXTOD());
    connect(pbArti, &QPushButton::clicked, this, &COLONMATHS::PBARTI);
    connect(pbEksi, &QPushButton::clicked, this, &COLONMATHS::PBEKSI);
    connect(pbCarpi, &QPushButton::clicked, this, &COLONMATHS::PBCARPI);
    connect(pbBolu, &QPushButton::clicked, this, &COLONMATHS::PBBOLU);
    connect(pbIptal, &QPushButton::clicked, this, &COLONMATHS::PBIPTAL);

    // POSTINIT
    fields_ = colonMathsFields(tableFields);
    CBVALAP->addItems(fields_);
    setOperandText(QString());
    CBVALAP->setFocus();
}

COLONMATHS::~COLONMATHS()
{
    CBVALAP->removeEventFilter(this);
}

void COLONMATHS::setOperandText(const QString& text)
{
    CBVALAP->setEditText(text);
    edited_ = false;
}

bool COLONMATHS::NUMORFLD()
{
    CVTYPE = operandClass(CBVALAP->currentText(), fields_);
    return CVTYPE == QLatin1String("N") || CVTYPE == QLatin1String("A");
}

bool COLONMATHS::eventFilter(QObject* watched, QEvent* event)
{
    // The focus leaving a dialog that has ended changes nothing.
    if (watched == CBVALAP && event->type() == QEvent::FocusOut && !ended_
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        EDITFOCUSCHANGE();
    return TemplateDialog::eventFilter(watched, event);
}

void COLONMATHS::EDITFOCUSCHANGE()
{
    if (!edited_ || AllTrim(CBVALAP->currentText()).isEmpty())
        return;
    NUMORFLD();
    if (CVTYPE == QLatin1String("N")) {
        setOperandText(SDAYA(CBVALAP->currentText(), 4));
    } else if (CVTYPE == QLatin1String("L")) {
        setOperandText(SDAYA(CBVALAP->currentText(), 4));
        // Back to the box once the focus change that is under way has ended.
        QTimer::singleShot(0, CBVALAP, [box = CBVALAP] { box->setFocus(Qt::OtherFocusReason); });
    }
}

void COLONMATHS::operation(const QString& symbol)
{
    ColonMathsChoice choice;
    QString cvtype;
    const bool closes = colonMathsOperation(CBVALAP->currentText(), fields_, symbol, &choice, &cvtype);
    CVTYPE = cvtype;
    if (!closes) {
        CBVALAP->setFocus();
        return;
    }
    COPERAT = choice.COPERAT;
    CVALUEX = choice.CVALUEX;
    CVTYPE = choice.CVTYPE;
    done(COPERAT.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
}

void COLONMATHS::done(int result)
{
    ended_ = true;
    TemplateDialog::done(result);
}

void COLONMATHS::PBARTI() { operation(QStringLiteral("+")); }
void COLONMATHS::PBEKSI() { operation(QStringLiteral("-")); }
void COLONMATHS::PBCARPI() { operation(QStringLiteral("*")); }
void COLONMATHS::PBBOLU() { operation(QStringLiteral("/")); }

void COLONMATHS::PBIPTAL()
{
    CVALUEX.clear();
    COPERAT.clear();
    CVTYPE = QStringLiteral("U");
    done(QDialog::Rejected);
}

}  // namespace zeva
