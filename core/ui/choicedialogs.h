#pragma once
// The two choice dialogs: ACHOICE picks one item of a list, MARKTOPBOT marks
// several and can mark or unmark all of them at once. The caller shows the
// dialog and reads NSELECTED or ANSELECTED after it has closed.

#include "platform/ui/dialogtemplate.h"

#include <QList>
#include <QStringList>

class QPushButton;

namespace zeva {

class VQLISTBOX;

extern const DialogTemplate kAChoiceTemplate;
extern const DialogTemplate kMarkTopBotTemplate;

class ACHOICE : public TemplateDialog {
    Q_OBJECT
public:
    ACHOICE(QWidget* owner, const QString& caption, const QStringList& items);

    VQLISTBOX* BMLIST = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;

    // Position (from 1) of the item picked; 0 for none, Cancel or any close.
    int NSELECTED = 0;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;
};

class MARKTOPBOT : public TemplateDialog {
    Q_OBJECT
public:
    // Without `selectAllButton` the "Tümünü &Seç" button is removed.
    MARKTOPBOT(QWidget* owner, const QString& caption, const QStringList& items, bool selectAllButton = true);

    VQLISTBOX* LBTOSELECT = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;
    QPushButton* pbTsec = nullptr;  // nullptr once removed

    // Positions (from 1, ascending) of the marked items; empty for none or Cancel.
    QList<int> ANSELECTED;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;
    void PBTSEC();
};

}  // namespace zeva
