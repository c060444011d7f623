#include "requirements/nutreqestimate.h"

#include <cmath>

namespace zeva {

namespace {

// Stores a double result in a single-precision field.
inline float f(double x) { return static_cast<float>(x); }

// Reads a single-precision field for double arithmetic.
inline double d(float x) { return static_cast<double>(x); }

}  // namespace

// ---------------------------------------------------------------- run

bool NUTREQESTIMATE::inputsUsable() const
{
    if (!(NCANAGIR > 0) || !(NENECONS > 0))
        return false;
    switch (NSTIPI) {
    case kYoung:
        return NBEKCAAR > 0 && NCESTYPE >= 1 && NCESTYPE <= 4;
    case kCow:
        // In state 2 the share scales the whole supply: at 0 nothing is left
        // to divide by.
        return NGEBESAY > 0 && (NYEMTUKE != 2 || NENGKARO > 0);
    case kBull:
        return true;
    default:
        return false;
    }
}

bool NUTREQESTIMATE::compute(int destination)
{
    LDDEG = false;
    if (!inputsUsable())
        return false;
    if (NSTIPI != kCow || NYEMTUKE != 2)
        NENGKARO = 1.0f;

    if (NSTIPI == kCow)
        CALC_PREG_LACTATION();
    else
        CALC_GROW_BULL();
    CALC_ALLPROTEIN();

    if (destination == kRows) {
        if (NSTIPI == kCow)
            REQ_DAIRY();
        else
            REQ_GROW_BULL();
        return true;
    }
    switch (NSTIPI) {
    case kYoung:
        OUTPUT1();
        if (NRTIPI == 2)
            OUTPUT4();
        break;
    case kCow:
        OUTPUT2();
        if (NRTIPI == 2)
            OUTPUT4();
        break;
    default:
        OUTPUT3();
        break;
    }
    return true;
}

// ---------------------------------------------------------------- growing animal and bull

void NUTREQESTIMATE::CALC_GROW_BULL()
{
    const double W = NCANAGIR;
    const double G = NBEKCAAR;
    const double LWG = G / 1000.0;
    const double W75 = std::pow(W, 0.75);

    NNEM = f(0.086 * W75);

    if (NSTIPI == kYoung) {
        switch (NCESTYPE) {
        case 1:
            NNEG = f(0.035 * W75 * std::pow(LWG, 1.119) + 1.0 * LWG);
            break;
        case 2:
        case 3:
            NNEG = f(0.025 * W75 * std::pow(LWG, 1.097) + 1.0 * LWG);
            break;
        case 4:
            NNEG = f(0.035 * W75 * std::pow(LWG, 1.097) + 1.0 * LWG);
            break;
        default:
            break;
        }
        NNEGKG = f(d(NNEG) / LWG);
        switch (NCESTYPE) {
        case 1: NMATWT = 800.0f; break;
        case 2: NMATWT = 600.0f; break;
        case 3: NMATWT = 1000.0f; break;
        case 4: NMATWT = 800.0f; break;
        default: break;
        }
        NWTRATIO = W / d(NMATWT);
        if (NWTRATIO < 0.125)
            NMECONC = 2.67f;
        else if (NWTRATIO <= 0.75)
            NMECONC = f(2.67 - 0.67 * ((NWTRATIO - 0.125) / (0.75 - 0.125)));
        else
            NMECONC = 2.0f;
    }
    if (NSTIPI == kBull)
        NMECONC = 2.0f;

    NMECONC = f(d(NMECONC) * NENECONS);

    const double ME = NMECONC;
    NNEMCONC = f(1.37 * ME - 0.138 * ME * ME + 0.0105 * std::pow(ME, 3) - 1.12);
    NNEGCONC = f(1.42 * ME - 0.174 * ME * ME + 0.0122 * std::pow(ME, 3) - 1.65);

    NDMMAINT = d(NNEM) / d(NNEMCONC);
    NDMGAIN = d(NNEG) / d(NNEGCONC);
    NDMI = NDMMAINT + NDMGAIN;

    NME = f(d(NMECONC) * NDMI);
    NDECONC = (d(NMECONC) + 0.45) / 1.01;
    NDE = NDMI * NDECONC;
    NTDN = NDE / 4.409;
    NTDNCONC = NTDN / NDMI;
    NVITA = 42.4 * W;
    NVITD = 6.6 * W;

    if (W >= 90 && W <= 250) {
        NCA = 8.0 + 0.0367 * W + 0.00848 * G;
        NPHOS = 0.884 + 0.05 * W + 0.00486 * G;
    } else if (W > 250 && W <= 400) {
        NCA = 13.4 + 0.0184 * W + 0.00717 * G;
        NPHOS = 7.27 + 0.0215 * W + 0.00602 * G;
    } else if (W > 400) {
        NCA = 25.4 + 0.00092 * W + 0.00361 * G;
        NPHOS = 13.5 + 0.00207 * W + 0.00829 * G;
    }
    if (NSTIPI == kBull) {
        NCA = 0.0154 * W / 0.38;
        NPHOS = 0.0125 * W / 0.5;
    }

    NTDNOFF = 0.08;
    NDMDIG = NTDN * (1 - NTDNOFF);
    NDMIPCT = NDMI / W;
    NDMINDIG = f(NDMI - NDMDIG);
    NCACONC = NCA / (NDMI * 1000);
    NPHOSCONC = NPHOS / (NDMI * 1000);
    NVITACONC = NVITA / NDMI;
    NVITDCONC = NVITD / NDMI;

    if (NSTIPI == kBull) {
        NNDF = 0.33 * NDMI;
        NADF = 0.21 * NDMI;
    } else {
        NNDF = 0.3 * NDMI;
        NADF = 0.2 * NDMI;
    }
}

// ---------------------------------------------------------------- cow

void NUTREQESTIMATE::CALC_PREG_LACTATION()
{
    const double W = NCANAGIR;
    const double M = NSUTVERI;
    const double F = NSYAGTES;
    const double R = NENGKARO;
    const double W75 = std::pow(W, 0.75);

    NNELMILK = f(0.3512 + 0.0962 * F);
    NSIZEF = NCANAGIR == 600.0f ? 1.0 : W75 / std::pow(600.0, 0.75);
    NMILKLOW = f(10 * NSIZEF * (0.74 / d(NNELMILK)));
    NMILKHIGH = f(40 * NSIZEF * (0.74 / d(NNELMILK)));

    if (M == 0)
        NNELCONC = 1.25f;
    else if (M < d(NMILKLOW))
        NNELCONC = 1.42f;
    else if (M <= d(NMILKHIGH))
        NNELCONC = f(1.42 + 0.01 * ((M - d(NMILKLOW)) / (NSIZEF * 0.74 / d(NNELMILK))));
    else
        NNELCONC = 1.72f;
    if (R < 1.0)
        NNELCONC = 1.67f;
    NNELCONC = f(d(NNELCONC) * NENECONS);

    NTDNCONC = (d(NNELCONC) + 0.12) / 2.45;
    NDECONCCOW = 4.409 * NTDNCONC;
    NMECONCCOW = -0.45 + 1.01 * NDECONCCOW;

    NNELMAINT = f(0.08 * W75);
    if (NGEBESAY == 1)
        NNELMAINT = f(d(NNELMAINT) * 1.2);
    else if (NGEBESAY == 2)
        NNELMAINT = f(d(NNELMAINT) * 1.1);
    NDMMAINT = d(NNELMAINT) / d(NNELCONC);
    NTDNMAINT = NDMMAINT * NTDNCONC;
    NMEMAINT = NDMMAINT * NMECONCCOW;
    NDEMAINT = NDMMAINT * NDECONCCOW;

    NFCMF = 0.4 + 0.15 * F;
    NFCM = M * NFCMF;

    NNELLACT = f(d(NNELMILK) * M);
    NDMLACT = d(NNELLACT) / d(NNELCONC);
    NTDNLACT = NDMLACT * NTDNCONC;
    NMELACT = NDMLACT * NMECONCCOW;
    NDELACT = NDMLACT * NDECONCCOW;

    if (NGEBEGUN > 210) {
        NTDNPREG = 0.0106 * W75;
        NNELPREG = f(0.024 * W75);
        NMEPREG = 0.04 * W75;
        NDEPREG = 0.046 * W75;
    }

    NNELKG = 5.12f;
    NTDNKG = 2.26;
    NMEKG = 8.55;
    NDEKG = 9.96;
    if (NISTAGKA > 0) {
        NNELCHG = f(d(NNELKG) * NISTAGKA);
        NTDNCHG = NTDNKG * NISTAGKA;
        NMECHG = NMEKG * NISTAGKA;
        NDECHG = NDEKG * NISTAGKA;
    }
    if (R < 1.0)
        NISTAGKA = 0;

    NPREGWT = NGEBEGUN > 210 ? 1.23 * W : 0.0;
    const double k = NGEBESAY == 1 ? 1.2 : NGEBESAY == 2 ? 1.1 : 1.0;
    NCA = (k * 0.0154 * W + 1.22 * NFCM + 0.0078 * NPREGWT) / 0.38;
    NPHOS = (k * 0.0143 * W + 0.99 * NFCM + 0.0047 * NPREGWT) / 0.5;
    NVITA = 76 * W;
    NVITD = 30 * W;

    NTDN = NTDNMAINT + NTDNLACT + NTDNPREG + NTDNCHG;
    NNEL = f(d(NNELMAINT) + d(NNELLACT) + d(NNELPREG) + d(NNELCHG));
    NMECOW = NMEMAINT + NMELACT + NMEPREG + NMECHG;
    NDECOW = NDEMAINT + NDELACT + NDEPREG + NDECHG;

    NNELKGLOSS = 4.92f;
    if (R < 1.0) {
        NNELCHG = f(R * d(NNEL) - d(NNEL));
        NISTAGKA = d(NNELCHG) / d(NNELKGLOSS);
    }
    NNEL = f(d(NNEL) * R);
    NMECOW *= R;
    NDECOW *= R;
    NTDN *= R;

    NTDNOFF = 0.08;
    NDMDIG = NTDN * (1 - NTDNOFF);
    NDMI = NTDN / NTDNCONC;
    NDMIPCT = NDMI / W;
    NDMINDIG = f(NDMI - NDMDIG);
    NCACONC = NCA / (NDMI * 1000);
    NPHOSCONC = NPHOS / (NDMI * 1000);
    NVITACONC = NVITA / NDMI;
    NVITDCONC = NVITD / NDMI;

    if (M == 0) {
        NNDF = 0.33 * NDMI;
        NADF = 0.21 * NDMI;
    } else {
        NNDF = 0.25 * NDMI;
        NADF = 0.17 * NDMI;
    }
}

// ---------------------------------------------------------------- protein

void NUTREQESTIMATE::CALC_ALLPROTEIN()
{
    NBTPF = 0.8;
    NBTPDIGF = 0.8;
    NRUPDIGF = 0.8;
    NEFFMAINT = 0.67f;
    NEFFPREG = 0.5;
    NMFPF = 0.09;
    NNUCPDIGF = 1.0;
    NBCPEFF = 0.9;
    NINFLUXF = 0.15;
    NEFFLACT = 0.7f;
    NEFFRET = 0.5;

    const double W = NCANAGIR;
    const double G = NBEKCAAR;
    const double M = NSUTVERI;
    const double F = NSYAGTES;

    // Maintenance.
    NSCURFP = 0.2 * std::pow(W, 0.6);
    NURINEEND = 2.75 * std::pow(W, 0.5);
    NMPSCURF = NSCURFP / d(NEFFMAINT);
    NMPURINE = NURINEEND / d(NEFFMAINT);
    NMPMAINT = f(NMPSCURF + NMPURINE);
    if (NSTIPI == kCow) {
        if (NGEBESAY == 1)
            NMPMAINT = f(d(NMPMAINT) * 1.2);
        else if (NGEBESAY == 2)
            NMPMAINT = f(d(NMPMAINT) * 1.1);
    }

    NMFP = d(NDMINDIG) * NMFPF * 1000;

    // Milk.
    NMILKPF = f((1.9 + 0.4 * F) / 100);
    NNPLACT = f(M * d(NMILKPF) * 1000);
    NMPLACT = f(d(NNPLACT) / d(NEFFLACT));

    // Conceptus.
    NNPPREG = 1.136 * std::pow(W, 0.7);
    if (NGEBEGUN <= 210)
        NNPPREG = 0;
    NMPPREG = NNPPREG / NEFFPREG;

    // Growth.
    if (G != 0 && NSTIPI != kBull) {
        NNPRET = (211 - 26.2 * d(NNEGKG)) * (G / 1000);
        NMPRET = NNPRET / NEFFRET;
    }

    // Weight change.
    NPROTKG = 256.0;
    NMPCHG = NPROTKG * NISTAGKA;
    if (NMPCHG < -187.5)
        NMPCHG = -187.5;

    NMPREQ = d(NMPMAINT) + d(NMPLACT) + NMFP + NMPPREG + NMPRET + NMPCHG;

    // Bacterial protein from the energy supply.
    if (NSTIPI == kCow)
        NBCP = 6.25 * (-30.93 + 11.45 * d(NNEL));
    else
        NBCP = 6.25 * (26.12 * NTDN - 31.86);
    NRUMAVP = NBCP / NBCPEFF;
    NBTP = NBCP * NBTPF;
    NBACTPDIG = NBTP * NBTPDIGF;
    NBACTPUNDIG = f(NBTP - NBACTPDIG);

    NNUCP = f(NBCP - NBTP);
    NNUCPDIG = d(NNUCP) * NNUCPDIGF;
    NNUCPUNDIG = f(d(NNUCP) - NNUCPDIG);

    // What the bacteria leave uncovered comes from undegraded feed protein.
    NRUPDIG = NMPREQ - NBACTPDIG;
    NRUP = NRUPDIG / NRUPDIGF;
    NRUPCONC = NRUP / (NDMI * 1000);
    NRUPUNDIG = f(NRUP - NRUPDIG);

    NEFFLUXP = NRUMAVP * (1 - NBCPEFF);

    NLACTPINC = f(d(NMPLACT) - d(NNPLACT));
    NPREGPINC = NMPPREG - NNPPREG;
    NRETPINC = NMPRET - NNPRET;

    // Intake.
    NPI = f((NRUMAVP + NRUP) / (1 + NINFLUXF));
    NPICONC = f(d(NPI) / (NDMI * 1000));
    NINFLUXP = NINFLUXF * d(NPI);
    NRDP = NRUMAVP - NINFLUXP;
    NRDPCONC = NRDP / (NDMI * 1000);

    NRUPPI = NRUP / d(NPI);
    NMPPI = NMPREQ / d(NPI);

    NCPREF = f(NRUPPI < 0.33 ? NRDP / (1 - 0.33) : NRUP / 0.33);
    NCP = d(NPI) + 0.5 * (d(NCPREF) - d(NPI));
    NCPCONC = NCP / (NDMI * 1000);

    if (NSTIPI == kYoung) {
        if (NCPCONC > 0.16)
            NCPCONC = 0.16;
        else if (NCPCONC < 0.12)
            NCPCONC = 0.12;
    }
    if (NSTIPI == kCow && M == 0)
        NCPCONC = 0.12;
    if (NSTIPI == kBull && NCPCONC < 0.1)
        NCPCONC = 0.1;
    NCP = NDMI * NCPCONC * 1000;

    // Where the protein goes.
    NFECALP = d(NBACTPUNDIG) + d(NNUCPUNDIG) + d(NRUPUNDIG) + NMFP;
    NURINEP = NEFFLUXP + NNUCPDIG + d(NMPMAINT) + d(NLACTPINC) + NPREGPINC + NRETPINC - NINFLUXP - NSCURFP;

    NNPLACTPI = f(d(NNPLACT) / d(NPI));
    NNPPREGPI = NNPPREG / d(NPI);
    NNPRETPI = NNPRET / d(NPI);
    NMPCHGPI = NMPCHG / d(NPI);
    NSCURFPI = NSCURFP / d(NPI);
    NURINEPI = NURINEP / d(NPI);
    NFECALPI = NFECALP / d(NPI);

    // Protein reaching the small intestine: NRC and the four alternatives.
    NSITP = NBTP + NRUP;
    NSICP = NBCP + NRUP;
    NDOM = 0.92 * NTDN;
    NSITAMMINGA = (32.3 * NDOM - 8.63) * 6.25;
    NSIROHR = (40.11 * NDOM - 40.56) * 6.25;
    NSIJOURNET = f((22.62 * NDOM + 0.687 * NRUP / 6.25 + 4.3) * 6.25);
    NSIVERITE = (23.85 * NDOM + 0.6 * NRUP / 6.25 + 8.6) * 6.25;

    // Fractions to per cent.
    NMPPI *= 100;
    NTDNCONC *= 100;
    NCACONC *= 100;
    NCPCONC *= 100;
    NRDPCONC *= 100;
    NDMIPCT *= 100;
    NMPCHGPI *= 100;
    NFECALPI *= 100;
    NPICONC = f(d(NPICONC) * 100);
    NNPLACTPI = f(d(NNPLACTPI) * 100);
    NPHOSCONC *= 100;
    NNPRETPI *= 100;
    NSCURFPI *= 100;
    NRUPCONC *= 100;
    NRUPPI *= 100;
    NURINEPI *= 100;
    NNPPREGPI *= 100;
}

}  // namespace zeva
