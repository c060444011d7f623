#pragma once
// The problem-parameter dialogs asked before a solution report: the amount
// (mixer capacity of a compound feed, number of animals of a daily ration), the
// currency unit and the weight unit. The dialog itself only edits texts; the
// caller applies answer() to the problem header (see core/paramdialog.h).

#include "core/userport.h"
#include "platform/ui/dialogtemplate.h"

class QLabel;
class QPushButton;

namespace zeva {

class VQSLE;

extern const DialogTemplate kKyParmGirTemplate;
extern const DialogTemplate kGrParmGirTemplate;

// What both dialogs share; the ids of their controls differ.
class ParamDialog : public TemplateDialog {
    Q_OBJECT
public:
    ~ParamDialog() override;

    // The answer as the caller applies it. Before OK it is not accepted.
    ParamAnswer answer() const;

    VQSLE* PARABIRIM = nullptr;
    VQSLE* AGIRBIRIM = nullptr;
    QLabel* FIXEDTEXT1 = nullptr;
    QLabel* FIXEDTEXT2 = nullptr;
    QLabel* FIXEDTEXT3 = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;

    // Exported texts, filled by OK.
    QString CABIRIX;  // weight unit
    QString CPBIRIX;  // currency unit

    VQSLE* amountField() const { return amount_; }
    const QString& exportedAmount() const { return exportedAmount_; }

public slots:
    void PBTAMAM();
    void PBIPTAL() override;

protected:
    struct Ids {
        int amount, currency, weight, text1, text2, text3, ok, cancel;
    };
    ParamDialog(const DialogTemplate& tpl, const Ids& ids, int decimals, QWidget* owner,
                const QString& amount, const QString& currency, const QString& weight);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void POSTINIT(const QString& amount, const QString& currency, const QString& weight);
    void EDITFOCUSCHANGE(VQSLE* edit);
    void EDITCHANGE();

    int decimals_;
    VQSLE* amount_ = nullptr;
    bool accepted_ = false;
    bool edited_ = false;
    QString exportedAmount_;
};

// Compound feed: mixer capacity with 2 decimals.
class KYPARMGIR_WIN : public ParamDialog {
    Q_OBJECT
public:
    KYPARMGIR_WIN(QWidget* owner, const QString& amount, const QString& currency, const QString& weight);
    VQSLE* MIXCAPA = nullptr;
    const QString& CMCAPAX() const { return exportedAmount(); }
};

// Daily ration: number of animals with 3 decimals.
class GRPARMGIR_WIN : public ParamDialog {
    Q_OBJECT
public:
    GRPARMGIR_WIN(QWidget* owner, const QString& amount, const QString& currency, const QString& weight);
    VQSLE* HAYSAY = nullptr;
    const QString& CHAYSAX() const { return exportedAmount(); }
};

}  // namespace zeva
