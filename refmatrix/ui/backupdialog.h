#pragma once
// VQFOLDERDIALOGWINDOW ("RM Dosyası (dBF) Yedekle "): where the backup of a
// reference table goes. The edit (a PBFILESLE) opens the folder dialog on a
// double-click or its browse button and shows the chosen folder followed by
// the table's backup name; it may also be typed into. "&Tamam" keeps the
// edit's text in SFFTXTVAL; "&İptal" leaves SFFTXTVAL empty.

#include "platform/ui/dialogtemplate.h"

#include <QString>

class QLabel;
class QPushButton;

namespace zeva {

class PBFILESLE;

extern const DialogTemplate kVqFolderDialogTemplate;

class VQFOLDERDIALOGWINDOW : public TemplateDialog {
    Q_OBJECT
public:
    VQFOLDERDIALOGWINDOW(QWidget* owner, const QString& fileName);

    PBFILESLE* SLEYEDDIZ = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;
    QLabel* FIXEDTEXT1 = nullptr;

    QString SFFTXTVAL;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;
};

}  // namespace zeva
