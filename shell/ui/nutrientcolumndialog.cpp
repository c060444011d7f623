#include "shell/ui/nutrientcolumndialog.h"

#include "platform/ui/programicons.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace zeva {

const DialogTemplate kBmManWinTemplate{
    "BM_Man_Win", "Besin Maddesi Ekle-Sil", 0, 0, 260, 80, "MS Shell Dlg", 8,
    DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::GroupBox, 5, 3, 66, 56, "Bir işlem seç"},
        {101, CtlKind::RadioButton, 11, 15, 56, 10, "&Ekle", CS_GROUP},
        {102, CtlKind::RadioButton, 11, 28, 56, 10, "&Araya gir"},
        {103, CtlKind::RadioButton, 11, 41, 56, 10, "&Sil"},
        {109, CtlKind::Label, 77, 5, 94, 18, "Besin Maddesi konumu belirle --->"},
        {104, CtlKind::ListBox, 175, 5, 80, 70, "Konum Seç"},
        {108, CtlKind::Label, 77, 24, 94, 18, "Yeni Besin Maddesi adı giriniz (Maksimum 10 karakter)"},
        {105, CtlKind::Edit, 77, 44, 94, 12, "", CS_NONE, 10},
        {106, CtlKind::PushButton, 77, 61, 44, 14, "&İptal"},
        {107, CtlKind::PushButton, 127, 61, 44, 14, "&Tamam", CS_DEFAULT},
    }};

BM_MAN_WIN_DIALOG::BM_MAN_WIN_DIALOG(QWidget* owner, const QString& caption, const QStringList& fields,
                                     NutrientColumnCheck check, std::function<void(const QString&)> show)
    : TemplateDialog(kBmManWinTemplate, owner), check_(std::move(check)), show_(std::move(show))
{
    setObjectName(QStringLiteral("BM_MAN_WIN"));
    GROUPBOX1 = control<QGroupBox>(100);
    RBEKLE = control<QRadioButton>(101);
    RBAGIR = control<QRadioButton>(102);
    RBSIL = control<QRadioButton>(103);
    LBBMAD = control<QListWidget>(104);
    SLEBMNAME = control<QLineEdit>(105);
    PBIPTAL_ = control<QPushButton>(106);
    PBTAMAM_ = control<QPushButton>(107);
    setWindowTitle(caption);
    setIcons(ZVXTOD());

    for (QRadioButton* b : {RBEKLE, RBAGIR, RBSIL})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                BUTTONCLICK();
        });
    connect(LBBMAD, &QListWidget::itemClicked, this, [this] {
        if (RBAGIR->isChecked() && BMSELECTED() > 0)
            SLEBMNAME->setFocus();
    });
    connect(PBTAMAM_, &QPushButton::clicked, this, &BM_MAN_WIN_DIALOG::PBTAMAM);
    connect(PBIPTAL_, &QPushButton::clicked, this, &BM_MAN_WIN_DIALOG::PBIPTAL);

    // POSTINIT
    LBBMAD->addItems(fields);
    RBEKLE->setChecked(true);
    BUTTONCLICK();
}

int BM_MAN_WIN_DIALOG::BMSELECTED() const
{
    const QList<QListWidgetItem*> selected = LBBMAD->selectedItems();
    return selected.isEmpty() ? 0 : LBBMAD->row(selected.first()) + 1;
}

NutrientColumnAnswer BM_MAN_WIN_DIALOG::answer() const
{
    NutrientColumnAnswer a;
    a.operation = RBEKLE->isChecked() ? 1 : RBAGIR->isChecked() ? 2 : RBSIL->isChecked() ? 3 : 0;
    a.name = SLEBMNAME->text();
    a.position = a.operation == 1 ? 0 : BMSELECTED();
    return a;
}

void BM_MAN_WIN_DIALOG::BUTTONCLICK()
{
    const bool add = RBEKLE->isChecked();
    const bool remove = RBSIL->isChecked();
    LBBMAD->setEnabled(!add);
    SLEBMNAME->setEnabled(!remove);
    if (add)
        SLEBMNAME->setFocus();
    else
        LBBMAD->setFocus();
}

void BM_MAN_WIN_DIALOG::PBTAMAM()
{
    const QString refusal = check_ ? check_(answer()) : QString();
    if (!refusal.isEmpty()) {
        if (show_)
            show_(refusal);
        if (refusal == kNoNewColumnName)
            SLEBMNAME->setFocus();
        return;
    }
    accept();
}

}  // namespace zeva
