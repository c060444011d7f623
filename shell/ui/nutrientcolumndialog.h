#pragma once
// BM_MAN_WIN: the dialog "Besin Maddesi Ekle-Sil" over the fields of a
// reference table. The user picks an operation (add at the end, insert
// before a field, delete a field), a field and a new name; "Tamam" runs the
// caller's check, shows its refusal in an information box and stays open,
// or closes with the answer. The restructuring itself is the caller's
// (refmatrix/nutrientcolumns.h).

#include "core/userport.h"
#include "platform/ui/dialogtemplate.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zeva {

extern const DialogTemplate kBmManWinTemplate;

class BM_MAN_WIN_DIALOG : public TemplateDialog {
    Q_OBJECT
public:
    // `show`: how the refusal box is shown (the caller's port).
    BM_MAN_WIN_DIALOG(QWidget* owner, const QString& caption, const QStringList& fields, NutrientColumnCheck check,
                      std::function<void(const QString&)> show);

    QGroupBox* GROUPBOX1 = nullptr;
    QRadioButton* RBEKLE = nullptr;
    QRadioButton* RBAGIR = nullptr;
    QRadioButton* RBSIL = nullptr;
    QListWidget* LBBMAD = nullptr;
    QLineEdit* SLEBMNAME = nullptr;
    QPushButton* PBIPTAL_ = nullptr;
    QPushButton* PBTAMAM_ = nullptr;

    // The current choices, as the check sees them.
    NutrientColumnAnswer answer() const;
    int BMSELECTED() const;

    void PBTAMAM();
    void BUTTONCLICK();

private:
    NutrientColumnCheck check_;
    std::function<void(const QString&)> show_;
};

}  // namespace zeva
