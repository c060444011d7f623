#pragma once
// The dialogs of a cattle requirement estimate: the animal type with the
// report kind (STIPISECW), then the data of a growing young animal
// (GROWCATLEDW), of a pregnant or lactating cow (LACTCATLEDW) or of a mature
// bull (MATBULDW). The caller reads the exported fields after the dialog has
// closed; the input dialogs' fields count only when their result is 1.
//
// Each input edit is tested against its range when the focus leaves it: out of
// range, the focus goes back into it and the text stays as typed; in range,
// the text becomes right-aligned numeric text. OK tests every filled edit the
// same way (Enter presses OK without leaving the edit), puts the focus into the
// first one out of range and keeps the dialog open. Blanks count as empty. Esc
// in an edit, "&İptal" and the close box end the dialog with result 0.

#include "core/userport.h"
#include "platform/ui/dialogtemplate.h"

#include <QList>

#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zeva {

class VQSLE;

extern const DialogTemplate kSTipiSecWTemplate;
extern const DialogTemplate kGrowCatleDWTemplate;
extern const DialogTemplate kLactCatleDWTemplate;
extern const DialogTemplate kMatBulDWTemplate;

// Animal type and report kind.
class STIPISECW : public TemplateDialog {
    Q_OBJECT
public:
    // `destination` 1: rows for the daily ration (no report kind to choose).
    STIPISECW(QWidget* owner, int destination);

    QGroupBox* RADIOBUTTONGROUP1 = nullptr;
    QRadioButton* BGSBUTTON = nullptr;
    QRadioButton* GSVBUTTON = nullptr;
    QRadioButton* EBBUTTON = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;
    QLabel* FBINEGESOR = nullptr;
    QGroupBox* GROUPBOX1 = nullptr;
    QRadioButton* RB_OZET = nullptr;
    QRadioButton* RB_DETAY = nullptr;

    // Exported: 0 until OK (cancelled), then 1 young cattle, 2 cow, 3 bull.
    std::uint16_t NSTIPI = 0;
    // Exported: 1 summary, 2 detailed.
    std::uint16_t NRTIPI = 1;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;

private:
    void POSTINIT(int destination);
    void BUTTONCLICK(QRadioButton* clicked);

    std::uint16_t NDEST = 0;
};

// What the three input dialogs share: the range-tested edits.
class RequirementInputDialog : public TemplateDialog {
    Q_OBJECT
public:
    ~RequirementInputDialog() override;

    void done(int result) override;

    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;

public slots:
    void PBIPTAL() override;

protected:
    RequirementInputDialog(const DialogTemplate& tpl, QWidget* owner);

    // An edit, its accepted range (both bounds included) and its decimals.
    // `parity`: no upper bound; a value above 3 becomes "3".
    struct EditRule {
        VQSLE* edit = nullptr;
        double low = 0;
        double high = 0;
        int decimals = 2;
        bool parity = false;
    };
    void addEdit(const EditRule& rule);

    // OK's tests: every filled edit accepted (then normalised), else the
    // focus goes into the first one that is not, and FALSE.
    bool editsAccepted();

    // Focus changes inside the dialog that the subclass handles (the ratio
    // and gain edits of the cow).
    virtual void focusGained(VQSLE*) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Puts the focus into `w` once the focus change under way has ended.
    void focusLater(QWidget* w);

    static bool isBlank(const QString& text);

private:
    // The test made when the focus leaves an edit; TRUE when the text is
    // accepted (then normalised) or empty.
    bool EDITFOCUSCHANGE(const EditRule& rule);
    // A filled edit's text is accepted when the number it stores is in range:
    // read as SDAYA reads it (comma or point as the decimal point), with no
    // minus sign, no fraction in a whole-number edit and no more integer
    // digits than the 11-character form holds.
    static bool accepted(const EditRule& rule, const QString& text);
    static bool inRange(const EditRule& rule, double value);

    QList<EditRule> rules_;
    bool ended_ = false;
    bool movingFocus_ = false;
};

// Growing young animal.
class GROWCATLEDW : public RequirementInputDialog {
    Q_OBJECT
public:
    explicit GROWCATLEDW(QWidget* owner);

    QGroupBox* RADIOBUTTONGROUP1 = nullptr;
    QRadioButton* DBI_RBUTTON = nullptr;
    QRadioButton* DKI_RBUTTON = nullptr;
    QRadioButton* EBI_RBUTTON = nullptr;
    QRadioButton* EKI_RBUTTON = nullptr;
    QGroupBox* GROUPBOX1 = nullptr;
    QLabel* FIXEDTEXT1 = nullptr;
    VQSLE* SLEENKONS = nullptr;
    VQSLE* SLECANAG = nullptr;
    QLabel* FIXEDTEXT2 = nullptr;
    QLabel* FIXEDTEXT3 = nullptr;
    VQSLE* SLEBAGKAZ = nullptr;

    std::uint16_t NCESTYPE = 0;  // 1-4: female large, female small, male large, male small breed
    double NBEKCAAR = 0;         // expected gain, g/day
    double NENECONS = 0;         // energy concentration fed / NRC estimate
    double NCANAGIR = 0;         // live weight, kg

public slots:
    void PBTAMAM();

private:
    void POSTINIT();
};

// Pregnant or lactating cow.
class LACTCATLEDW : public RequirementInputDialog {
    Q_OBJECT
public:
    explicit LACTCATLEDW(QWidget* owner, UserPort& port);

    QGroupBox* GROUPBOX1 = nullptr;
    QLabel* FTCA = nullptr;
    QLabel* FTSV = nullptr;
    QLabel* FTSYT = nullptr;
    QLabel* FTGG = nullptr;
    QLabel* FTGS = nullptr;
    QGroupBox* RADIOBUTTONGROUP1 = nullptr;
    QRadioButton* RADIOBUTTON1 = nullptr;
    QRadioButton* RADIOBUTTON2 = nullptr;
    QRadioButton* RADIOBUTTON3 = nullptr;
    QLabel* FTEY = nullptr;
    QLabel* FTTKEO = nullptr;
    QLabel* FIXEDTEXT7 = nullptr;
    VQSLE* SLEENECONS = nullptr;
    VQSLE* SLECANAG = nullptr;
    VQSLE* SLESUTVER = nullptr;
    VQSLE* SLESYAGTEST = nullptr;
    VQSLE* SLEGEBGUN = nullptr;
    VQSLE* SLEGEBSAY = nullptr;
    VQSLE* SLEENIHKAROR = nullptr;
    VQSLE* SLEISTAGKAZ = nullptr;

    double NENECONS = 0;
    double NCANAGIR = 0;         // kg
    double NSUTVERI = 0;         // milk, kg/day
    double NSYAGTES = 0;         // milk fat, %
    std::int32_t NGEBEGUN = 0;   // day of pregnancy
    std::uint16_t NGEBESAY = 0;  // parity
    std::uint16_t NYEMTUKE = 0;  // intake state 1-3
    double NENGKARO = 0;         // share of the energy requirement covered (state 2)
    double NISTAGKA = 0;         // expected gain, kg/day (state 3)

public slots:
    void PBTAMAM();

protected:
    void focusGained(VQSLE* edit) override;

private:
    void POSTINIT();
    void BUTTONCLICK(QRadioButton* clicked);

    UserPort& port_;
};

// Mature bull.
class MATBULDW : public RequirementInputDialog {
    Q_OBJECT
public:
    explicit MATBULDW(QWidget* owner);

    QGroupBox* GROUPBOX1 = nullptr;
    QLabel* FIXEDTEXT1 = nullptr;
    QLabel* FIXEDTEXT2 = nullptr;
    VQSLE* SLEEY = nullptr;
    VQSLE* SLECA = nullptr;

    double NENECONS = 0;
    double NCANAGIR = 0;  // kg

public slots:
    void PBTAMAM();

private:
    void POSTINIT();
};

// The warnings of the cow dialog's OK.
inline const QString kRatioMissing = QStringLiteral("Enerji ihtiyacının tüketimle karşılanma oranı girilmedi!");
inline const QString kGainMissing = QStringLiteral("Beklenen ağırlık kazancı girilmedi!");

}  // namespace zeva
