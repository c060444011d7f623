#pragma once
// COLONMATHS: the column arithmetic dialog of the reference-matrix window. It
// asks which of the four operations to apply to the selected column and with
// what operand (a number or another column) and hands the choice back in
// COPERAT, CVALUEX and CVTYPE; the calling command checks it and changes the
// table.

#include "platform/ui/dialogtemplate.h"
#include "shell/colonmaths.h"

#include <QStringList>

class QLabel;
class QPushButton;

namespace zeva {

class VQCOMBOBOX;

extern const DialogTemplate kColonMathsTemplate;

class COLONMATHS : public TemplateDialog {
    Q_OBJECT
public:
    // `tableFields`: the field names of the caller's table, in field order.
    COLONMATHS(QWidget* owner, const QStringList& tableFields);
    ~COLONMATHS() override;

    QLabel* FIXEDTEXT1 = nullptr;
    VQCOMBOBOX* CBVALAP = nullptr;
    QPushButton* pbArti = nullptr;
    QPushButton* pbEksi = nullptr;
    QPushButton* pbCarpi = nullptr;
    QPushButton* pbBolu = nullptr;
    QPushButton* pbIptal = nullptr;

    // Read after the dialog has closed.
    QString COPERAT;
    QString CVALUEX;
    QString CVTYPE = QStringLiteral("U");

    // The columns offered in the combo box.
    const QStringList& fieldList() const { return fields_; }

    // Classes the combo box's text into CVTYPE; TRUE for "N" and "A".
    bool NUMORFLD();

public slots:
    void PBARTI();
    void PBEKSI();
    void PBCARPI();
    void PBBOLU();
    void PBIPTAL() override;

public:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EDITFOCUSCHANGE();
    void operation(const QString& symbol);
    void setOperandText(const QString& text);

    QStringList fields_;
    bool edited_ = false;
    bool ended_ = false;
};

}  // namespace zeva
