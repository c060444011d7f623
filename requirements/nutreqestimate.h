#pragma once
// Daily nutrient requirements of one head of cattle: a growing young animal,
// a pregnant or lactating cow, or a mature bull (NRC dairy equations with the
// absorbed-protein system). The object holds the inputs and every result as
// fields named as the program names them; the models, the requirement rows
// for a daily ration and the requirement report text are its methods.
//
// A default-made estimator holds zeros everywhere and shows nothing: set the
// inputs, then either call the methods one by one in the model's order
// (energy model, CALC_ALLPROTEIN, rows or report) or let compute() run the
// whole sequence with its input tests.
//
// Fields that the model keeps in single precision are floats: every
// expression is evaluated in double and rounded to float when stored, so the
// stored value is what later steps read.

#include "core/activeproblem.h"
#include "core/reporttext.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>

namespace zeva {

class NUTREQESTIMATE {
public:
    // Animal types (NSTIPI).
    static constexpr int kYoung = 1;
    static constexpr int kCow = 2;
    static constexpr int kBull = 3;

    // Destinations of compute(): requirement rows or the report text.
    static constexpr int kRows = 1;
    static constexpr int kReport = 2;

    NUTREQESTIMATE() = default;

    // The inputs of NSTIPI must be set (with NRTIPI for the report). Tests the
    // essential inputs, fixes NENGKARO at 1.0 where the intake state does not
    // use it, runs the energy model of the animal and CALC_ALLPROTEIN, then
    // REQ_GROW_BULL / REQ_DAIRY for destination 1, or the summary section
    // (with the protein detail for report kind 2, not for a bull) for any
    // other destination. Answers FALSE, having computed nothing, when an
    // essential input is missing or unusable.
    bool compute(int destination);

    // TRUE when the inputs of the animal type allow a computation: live weight
    // and energy concentration above 0; a growing animal also needs a gain and
    // a sex and size class 1-4; a cow a parity, and in intake state 2 a share
    // of the energy requirement above 0 (it scales the whole energy supply).
    bool inputsUsable() const;

    // Energy models (growing animal and bull; cow), the protein model.
    void CALC_GROW_BULL();
    void CALC_PREG_LACTATION();
    void CALC_ALLPROTEIN();

    // Requirement rows for the daily ration: ABMREQM afresh, LDDEG TRUE.
    void REQ_DAIRY();
    void REQ_GROW_BULL();

    // Report text: the summary of a growing animal, a cow, a bull (each starts
    // CREPORTTEXT anew) and the protein detail section (appended).
    void OUTPUT1();
    void OUTPUT2();
    void OUTPUT3();
    void OUTPUT4();

    // The report as it goes to the file: Windows-1254, every line ended by
    // CR LF.
    QByteArray reportBytes() const { return CREPORTTEXT.bytes(); }

    // The clock of the report's date and time line; none: the current time.
    std::function<QDateTime()> clock;

    // ------------------------------------------------------------- fields
    // In declaration order. Units: energies Mcal/day, dry matter and TDN
    // kg/day, protein and minerals g/day, vitamins IU/day. Concentrations and
    // shares are fractions until the last step of CALC_ALLPROTEIN turns them
    // into per cent.
    float NBACTPUNDIG = 0;
    float NDMINDIG = 0;
    float NNUCPUNDIG = 0;
    float NPI = 0;
    float NPICONC = 0;
    float NCPREF = 0;
    float NRUPUNDIG = 0;
    float NSIJOURNET = 0;
    float NMPLACT = 0;
    float NLACTPINC = 0;
    float NNPLACT = 0;
    float NNPLACTPI = 0;
    float NMILKPF = 0;
    float NEFFLACT = 0;
    float NCANAGIR = 0;   // input: live weight, kg
    float NBEKCAAR = 0;   // input: expected daily gain of a growing animal, g
    float NMILKHIGH = 0;
    float NMATWT = 0;
    float NME = 0;
    float NMECONC = 0;
    float NSUTVERI = 0;   // input: milk yield, kg/day
    float NMILKLOW = 0;
    float NMPMAINT = 0;
    float NEFFMAINT = 0;
    float NNUCP = 0;
    float NNEG = 0;
    float NNEGCONC = 0;
    float NNEGKG = 0;
    float NNEL = 0;
    float NNELCHG = 0;
    float NNELCONC = 0;
    float NNELLACT = 0;
    float NNELMILK = 0;
    float NNELKG = 0;
    float NNELMAINT = 0;
    float NNELPREG = 0;
    float NENGKARO = 0;   // input: share of the energy requirement met by the feed
    float NNELKGLOSS = 0;
    float NNEM = 0;
    float NNEMCONC = 0;
    double NMPREQ = 0;
    double NMPPI = 0;
    double NDMDIG = 0;
    double NBCP = 0;
    double NBCPEFF = 0;
    double NDECOW = 0;
    double NDECHG = 0;
    double NDECONCCOW = 0;
    double NDELACT = 0;
    double NDEKG = 0;
    double NDEMAINT = 0;
    double NDEPREG = 0;
    double NMECOW = 0;
    double NMECHG = 0;
    double NMECONCCOW = 0;
    double NMELACT = 0;
    double NMEKG = 0;
    double NMEMAINT = 0;
    double NMEPREG = 0;
    double NTDN = 0;
    double NTDNCHG = 0;
    double NTDNCONC = 0;
    double NTDNLACT = 0;
    double NTDNKG = 0;
    double NTDNMAINT = 0;
    double NTDNPREG = 0;
    double NBTP = 0;
    double NBTPF = 0;
    double NCA = 0;
    double NCACONC = 0;
    double NPREGWT = 0;
    double NCP = 0;
    double NCPCONC = 0;
    double NBACTPDIG = 0;
    double NBTPDIGF = 0;
    double NDE = 0;
    double NDECONC = 0;
    double NTDNOFF = 0;
    double NRDP = 0;
    double NRDPCONC = 0;
    double NISTAGKA = 0;  // input: a cow's expected gain, kg/day; becomes the computed change
    double NDMI = 0;
    double NDMGAIN = 0;
    double NDMLACT = 0;
    double NDMIPCT = 0;
    double NDMMAINT = 0;
    double NNUCPDIG = 0;
    double NNUCPDIGF = 0;
    double NDOM = 0;
    double NMPCHG = 0;
    double NPROTKG = 0;
    double NMPCHGPI = 0;
    double NRUPDIG = 0;
    double NRUPDIGF = 0;
    double NENECONS = 0;  // input: energy concentration fed / NRC estimate
    double NFCM = 0;
    double NFCMF = 0;
    double NFECALP = 0;
    double NMFP = 0;
    double NMFPF = 0;
    double NFECALPI = 0;
    std::int32_t NGEBESAY = 0;  // input: parity 1-3
    std::int32_t NYEMTUKE = 0;  // input: intake state 1 at requirement, 2 below, 3 above
    std::int32_t NSTIPI = 0;    // input: animal type
    std::int32_t NCESTYPE = 0;  // input: sex and size class 1-4 of a growing animal
    double NPHOS = 0;
    double NGEBEGUN = 0;  // input: day of pregnancy
    double NPHOSCONC = 0;
    double NSYAGTES = 0;  // input: milk fat, %
    double NRUMAVP = 0;
    double NWTRATIO = 0;
    double NSIZEF = 0;
    double NEFFLUXP = 0;
    double NINFLUXP = 0;
    double NINFLUXF = 0;
    double NSIROHR = 0;
    double NMPRET = 0;
    double NRETPINC = 0;
    double NNPRET = 0;
    double NNPRETPI = 0;
    double NEFFRET = 0;
    double NSICP = 0;
    double NMPSCURF = 0;
    double NSCURFP = 0;
    double NSCURFPI = 0;
    double NSITP = 0;
    double NSITAMMINGA = 0;
    double NRUP = 0;
    double NRUPCONC = 0;
    double NRUPPI = 0;
    double NURINEP = 0;
    double NMPURINE = 0;
    double NURINEPI = 0;
    double NURINEEND = 0;
    double NSIVERITE = 0;
    double NVITA = 0;
    double NVITACONC = 0;
    double NVITD = 0;
    double NVITDCONC = 0;
    double NMPPREG = 0;
    double NPREGPINC = 0;
    double NNPPREG = 0;
    double NNPPREGPI = 0;
    double NEFFPREG = 0;
    double NADF = 0;
    double NNDF = 0;
    QString CLINE;                   // the report line being built
    report::ReportText CREPORTTEXT;  // the whole report
    std::uint16_t NRTIPI = 0;        // input: report kind 1 summary, 2 detailed
    Table ABMREQM;                   // requirement rows, laid out as nutrient-table rows
    bool LDDEG = false;              // TRUE once ABMREQM holds the rows

private:
    void reportHeader(const QString& title);
    void inputLine(const QString& label, double value, int width, int decimals);
    void nutrientLine(const QString& label, double amount, int amountWidth, int amountDecimals, const QString& unit,
                      double concentration, int concentrationDecimals);
    void ratioLine();
    void amountLine(const QString& label, double amount);
    void shareLine(const QString& label, double share, int labelWidth = 51);
    void addLine();
    void addRequirement(const QString& code, const QString& unit, int cell, double value, int width,
                        int decimals);
};

}  // namespace zeva
