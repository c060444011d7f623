#include "core/ui/matchdialog.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace zeva {

const DialogTemplate kCbHsecTemplate{
    "CB_HSec", "Eşleştirme Diyaloğu", 0, 0, 214, 72, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::ComboBox, 80, 6, 73, 67, "", CS_EDITABLE},
        {101, CtlKind::PushButton, 160, 7, 46, 12, "Tamam"},
        {102, CtlKind::PushButton, 160, 51, 46, 13, "İptal"},
        {103, CtlKind::Label, 6, 6, 67, 24, ""},
        {104, CtlKind::PushButton, 160, 29, 46, 12, "Atla"},
    }};

namespace {

// A long name needs more lines than the prompt's box holds in the substitute
// font: the box grows downwards into the free part of the dialog, and the font
// shrinks a little when even that is not enough.
void fitPrompt(QLabel* label, int bottom)
{
    const QString text = label->text();
    QFont font = label->font();
    const int start = QFontInfo(font).pixelSize();
    const int room = std::max(label->height(), bottom - label->y());
    for (int px = start; px >= std::max(6, start * 3 / 4); --px) {
        font.setPixelSize(px);
        const QRect need = QFontMetrics(font).boundingRect(QRect(0, 0, label->width(), 10000),
                                                           Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        if (need.width() <= label->width() && need.height() <= room) {
            if (px != start)
                label->setFont(font);
            if (need.height() > label->height())
                label->resize(label->width(), need.height());
            return;
        }
    }
    label->setFont(font);
    label->resize(label->width(), room);
}

}  // namespace

CB_HSEC::CB_HSEC(QWidget* owner, const QString& name, const QStringList& candidates)
    : TemplateDialog(kCbHsecTemplate, owner)
{
    CBHSEC = control<VQCOMBOBOX>(100);
    pbTamam = control<QPushButton>(101);
    pbIptal = control<QPushButton>(102);
    FT_BM_UN = control<QLabel>(103);
    pbAtla = control<QPushButton>(104);

    // The template's height is that of the open list; the box itself is one line.
    CBHSEC->resize(CBHSEC->width(), CBHSEC->sizeHint().height());
    CBHSEC->setInsertPolicy(QComboBox::NoInsert);
    CBHSEC->setCompleter(nullptr);
    // Text typed into the field is never read: the combo box must not turn
    // it into a list item either (it would on Enter or on leaving the field).
    if (QLineEdit* field = CBHSEC->lineEdit()) {
        QObject::disconnect(field, &QLineEdit::returnPressed, CBHSEC, nullptr);
        QObject::disconnect(field, &QLineEdit::editingFinished, CBHSEC, nullptr);
    }
    CBHSEC->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // No default button; Enter on a button that has the focus presses it.
    for (QPushButton* b : {pbTamam, pbAtla, pbIptal}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->installEventFilter(this);
    }

    setObjectName(QStringLiteral("CB_HSEC"));
    setWindowTitle(QStringLiteral("Eşleştirme Diyaloğu"));
    setIcons(ZVXTOD());
    connect(pbTamam, &QPushButton::clicked, this, &CB_HSEC::PBTAMAM);
    connect(pbAtla, &QPushButton::clicked, this, &CB_HSEC::PB_ATLA);
    connect(pbIptal, &QPushButton::clicked, this, &CB_HSEC::PBIPTAL);

    // POSTINIT: the name on the first line, the request on the second; the
    // candidates in their order, none chosen.
    FT_BM_UN->setText(name + QStringLiteral(" ->\nEşini Seçiniz"));
    fitPrompt(FT_BM_UN, clientSize().height() - baseUnits().toPixelsY(4));
    CBHSEC->addItems(candidates);
    CBHSEC->setCurrentIndex(-1);
    // The open list shows every name whole, however narrow the box: two
    // names that differ only in their middle or at their end must not look
    // the same.
    QAbstractItemView* list = CBHSEC->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width()
                          + 2 * list->frameWidth());
    CBHSEC->setFocus();
}

bool CB_HSEC::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QPushButton*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return TemplateDialog::eventFilter(watched, event);
}

void CB_HSEC::PBTAMAM()
{
    NSELECTED = 0;
    // Only a list item counts; typed text is never read.
    const int current = CBHSEC->currentIndex();
    if (current < 0 || current >= CBHSEC->count()) {
        CBHSEC->setFocus();
        return;
    }
    NSELECTED = current + 1;
    done(1);
}

void CB_HSEC::PB_ATLA()
{
    NSELECTED = 0;
    done(2);
}

void CB_HSEC::PBIPTAL()
{
    NSELECTED = 0;
    done(0);
}

}  // namespace zeva
