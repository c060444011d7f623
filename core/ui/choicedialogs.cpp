#include "core/ui/choicedialogs.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QPushButton>

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
