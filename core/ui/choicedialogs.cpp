#include "core/ui/choicedialogs.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace zeva {

const DialogTemplate kAChoiceTemplate{
    "AChoice", "DataDialog Caption", 0, 0, 148, 93, "MS Sans Serif", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::ListBox, 10, 9, 74, 77},
        {101, CtlKind::PushButton, 93, 30, 47, 13, "&Tamam", CS_DEFAULT},
        {102, CtlKind::PushButton, 93, 55, 47, 12, "&İptal"},
    }};

const DialogTemplate kMarkTopBotTemplate{
    "MarkTopBot", "DataDialog Caption", 0, 0, 154, 93, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::ListBox, 10, 9, 74, 77, "", CS_MULTISELECT},
        {101, CtlKind::PushButton, 92, 40, 53, 12, "&Tamam", CS_DEFAULT},
        {102, CtlKind::PushButton, 92, 62, 53, 13, "&İptal"},
        {103, CtlKind::PushButton, 92, 18, 53, 12, "Tümünü &Seç"},
    }};

namespace {

const QString kSelectAll = QStringLiteral("Tümünü &Seç");
const QString kClearAll = QStringLiteral("Tümünü &Kaldır");

// The list as wide as its longest name, so that every name shows whole (two
// feeds that differ only at the end of their names must not look the same),
// and the dialog as wide as its title needs in the frame's title bar. The
// list widens, the buttons to its right move over by as much and the dialog
// grows with them; a dialog that fits stays as its template has it.
void fitListAndTitle(TemplateDialog* dialog, QListWidget* list)
{
    const int listNeeds = list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width()
                        + 2 * list->frameWidth();
    const int grow = std::max({0, listNeeds - list->width(),
                               titleBarWidth(dialog, dialog->windowTitle()) - dialog->width()});
    if (grow == 0)
        return;
    const int right = list->geometry().right();
    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != list && w->x() > right)
            w->move(w->x() + grow, w->y());
    list->resize(list->width() + grow, list->height());
    dialog->setFixedSize(dialog->width() + grow, dialog->height());
}

}  // namespace

ACHOICE::ACHOICE(QWidget* owner, const QString& caption, const QStringList& items)
    : TemplateDialog(kAChoiceTemplate, owner)
{
    BMLIST = control<VQLISTBOX>(100);
    pbTamam = control<QPushButton>(101);
    pbIptal = control<QPushButton>(102);
    setIcons(ZVXTOD());
    connect(pbTamam, &QPushButton::clicked, this, &ACHOICE::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &ACHOICE::PBIPTAL);
    // A double click on an item picks it at once.
    connect(BMLIST, &QListWidget::itemDoubleClicked, this, &ACHOICE::PBTAMAM);

    setWindowTitle(caption);
    BMLIST->addItems(items);
    fitListAndTitle(this, BMLIST);
}

void ACHOICE::PBTAMAM()
{
    NSELECTED = 0;
    for (int i = 0; i < BMLIST->count(); ++i)
        if (BMLIST->item(i)->isSelected()) {
            NSELECTED = i + 1;
            break;
        }
    done(QDialog::Accepted);
}

void ACHOICE::PBIPTAL()
{
    NSELECTED = 0;
    done(QDialog::Rejected);
}

MARKTOPBOT::MARKTOPBOT(QWidget* owner, const QString& caption, const QStringList& items, bool selectAllButton)
    : TemplateDialog(kMarkTopBotTemplate, owner)
{
    LBTOSELECT = control<VQLISTBOX>(100);
    pbTamam = control<QPushButton>(101);
    pbIptal = control<QPushButton>(102);
    pbTsec = control<QPushButton>(103);
    setIcons(ZVXTOD());
    connect(pbTamam, &QPushButton::clicked, this, &MARKTOPBOT::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &MARKTOPBOT::PBIPTAL);
    connect(pbTsec, &QPushButton::clicked, this, &MARKTOPBOT::PBTSEC);

    setWindowTitle(caption);
    LBTOSELECT->addItems(items);
    if (!selectAllButton) {
        removeControl(103);
        pbTsec = nullptr;
    }
    fitListAndTitle(this, LBTOSELECT);
}

void MARKTOPBOT::PBTAMAM()
{
    ANSELECTED.clear();
    for (int i = 0; i < LBTOSELECT->count(); ++i)
        if (LBTOSELECT->item(i)->isSelected())
            ANSELECTED << i + 1;
    done(QDialog::Accepted);
}

void MARKTOPBOT::PBIPTAL()
{
    ANSELECTED.clear();
    done(QDialog::Rejected);
}

void MARKTOPBOT::PBTSEC()
{
    if (!pbTsec)
        return;
    // The button's own caption tells which way it toggles.
    const QString caption = pbTsec->text();
    if (caption == kSelectAll) {
        for (int i = 0; i < LBTOSELECT->count(); ++i)
            LBTOSELECT->item(i)->setSelected(true);
        LBTOSELECT->setFocus();
        setButtonText(pbTsec, kClearAll);
    } else if (caption == kClearAll) {
        LBTOSELECT->clearSelection();
        LBTOSELECT->setFocus();
        setButtonText(pbTsec, kSelectAll);
    }
}

}  // namespace zeva
