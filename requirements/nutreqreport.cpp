// The requirement report: the summary section of each animal type and the
// protein detail section. Lines are 100 characters; numbers are rounded to
// their decimals and right-aligned in their width, a number wider than its
// field is written whole.

#include "requirements/nutreqestimate.h"

#include "platform/runtime.h"

namespace zeva {

using report::b;
using report::C;
using report::kLineWidth;
using report::L;
using report::N;

namespace {
constexpr int kLabelWidth = 45;
}

void NUTREQESTIMATE::addLine()
{
    CREPORTTEXT.add(CLINE);
}

void NUTREQESTIMATE::reportHeader(const QString& title)
{
    CREPORTTEXT = report::ReportText();
    const QDateTime now = clock ? clock() : QDateTime::currentDateTime();
    CLINE = C(QStringLiteral("ZEVA S 2.0"), kLineWidth);
    addLine();
    CLINE = C(QStringLiteral("ZOVOZUR OVIRURAZI DODAD ADI DU VADOVO DADODOZ ERUDEZERU RIZUDEZO"), kLineWidth);
    addLine();
    CLINE = C(QStringLiteral("Tarih: ") + DateText(now.date()) + b(2) + QStringLiteral("Saat: ")
                  + now.time().toString(QStringLiteral("hh:mm:ss")),
              kLineWidth);
    addLine();
    CREPORTTEXT.blank();
    CLINE = b(5) + title;
    addLine();
    CREPORTTEXT.blank();
}

void NUTREQESTIMATE::inputLine(const QString& label, double value, int width, int decimals)
{
    CLINE = b(5) + label + N(value, width, decimals);
    addLine();
}

void NUTREQESTIMATE::nutrientLine(const QString& label, double amount, int amountWidth, int amountDecimals,
                                  const QString& unit, double concentration, int concentrationDecimals)
{
    CLINE = b(5) + L(label, kLabelWidth) + N(amount, amountWidth, amountDecimals) + unit
            + N(concentration, 5, concentrationDecimals);
    addLine();
}

void NUTREQESTIMATE::ratioLine()
{
    CLINE = b(5) + L(QStringLiteral("RUP/PT:"), 54) + QStringLiteral(" %PT ") + N(NRUPPI, 5, 2);
    addLine();
}

// ---------------------------------------------------------------- summaries

namespace {
const QString kKg = QStringLiteral(" Kg & %C.A. ");
const QString kMcal = QStringLiteral(" MCal & MCal/Kg ");
const QString kKgKm = QStringLiteral(" Kg & %KM ");
const QString kG = QStringLiteral(" g & %KM ");
const QString kIu = QStringLiteral(" IU & IU/Kg ");
const QString kTsbm = QStringLiteral("TOPLAM SİNDİRİLEBİLİR BESİN MADDELERİ (TSBM):");
}  // namespace

void NUTREQESTIMATE::OUTPUT1()
{
    reportHeader(QStringLiteral("GENÇ SIGIR - GÜNLÜK BESİN MADDESİ İHTİYAÇLARI:"));
    inputLine(QStringLiteral("ENERJİ KONSANTRASYONU (Yed./NRC Tah.): "), NENECONS, 5, 2);
    inputLine(QStringLiteral("CANLI AĞIRLIK (C.A.,Kg):"), NCANAGIR, 5, 0);
    inputLine(QStringLiteral("GÜNLÜK CANLI AĞIRLIK ARTIŞI (g):"), NBEKCAAR, 5, 0);
    static const QString classes[] = {QStringLiteral("DİŞİ BÜYÜK IRK"), QStringLiteral("DİŞİ KÜÇÜK IRK"),
                                      QStringLiteral("ERKEK BÜYÜK IRK"), QStringLiteral("ERKEK KÜÇÜK IRK")};
    CLINE = b(5) + (NCESTYPE >= 1 && NCESTYPE <= 4 ? classes[NCESTYPE - 1] : QString());
    addLine();
    CREPORTTEXT.blank();

    nutrientLine(QStringLiteral("KURU MADDE TÜKETİMİ (KMT):"), NDMI, 5, 2, kKg, NDMIPCT, 2);
    nutrientLine(QStringLiteral("NET ENERJİ YAŞAMA (NEY):"), NNEM, 5, 2, kMcal, NNEMCONC, 2);
    nutrientLine(QStringLiteral("NET ENERJİ KAZANÇ (NEK):"), NNEG, 5, 2, kMcal, NNEGCONC, 2);
    nutrientLine(QStringLiteral("METABOLİK ENERJİ (ME):"), NME, 6, 2, kMcal, NMECONC, 2);
    nutrientLine(QStringLiteral("SİNDİRİLEBİLİR ENERJİ (SE):"), NDE, 6, 2, kMcal, NDECONC, 2);
    nutrientLine(QStringLiteral("TOPLAM SİDİRİLEBİLİR BESİN MADDELERİ (TSBM):"), NTDN, 5, 2, kKgKm, NTDNCONC, 2);
    nutrientLine(QStringLiteral("HAM PROTEİN (HP):"), NCP, 5, 0, kG, NCPCONC, 2);
    nutrientLine(QStringLiteral("RUMENDE PARÇALANMAYAN PROTEİN (RUP):"), NRUP, 5, 0, kG, NRUPCONC, 2);
    nutrientLine(QStringLiteral("RUMENDE PARÇALANAN PROTEİN (RDP):"), NRDP, 5, 0, kG, NRDPCONC, 2);
    nutrientLine(QStringLiteral("PROTEİN TÜKETİMİ (PT):"), NPI, 5, 0, kG, NPICONC, 2);
    nutrientLine(QStringLiteral("KALSİYUM (CA):"), NCA, 5, 1, kG, NCACONC, 3);
    nutrientLine(QStringLiteral("FOSFOR (P):"), NPHOS, 5, 1, kG, NPHOSCONC, 3);
    nutrientLine(QStringLiteral("VİTAMİN A:"), NVITA, 6, 0, kIu, NVITACONC, 0);
    nutrientLine(QStringLiteral("VİTAMİN D:"), NVITD, 6, 0, kIu, NVITDCONC, 0);
    ratioLine();
}

void NUTREQESTIMATE::OUTPUT2()
{
    reportHeader(QStringLiteral("GEBE & SÜT VEREN İNEK - GÜNLÜK BESİN MADDESİ İHTİYAÇLARI:"));
    inputLine(QStringLiteral("ENERJİ KONSANTRASYONU (Yed./NRC Tah.) "), NENECONS, 5, 2);
    inputLine(QStringLiteral("CANLI AĞIRLIK (C.A.,Kg):"), NCANAGIR, 5, 0);
    inputLine(QStringLiteral("SÜT ÜRETİMİ (Kg): "), NSUTVERI, 5, 0);
    inputLine(QStringLiteral("SÜT YAĞ TESTİ (%): "), NSYAGTES, 5, 2);
    inputLine(QStringLiteral("GEBELİKTE GÜN SAYISI: "), NGEBEGUN, 5, 0);
    inputLine(QStringLiteral("LAKTASYON SAYISI: "), NGEBESAY, 2, 0);
    inputLine(QStringLiteral("YEMDE NEL/IHTİYAÇ NEL ORANI: "), NENGKARO, 4, 2);
    inputLine(QStringLiteral("LAKTASYONDA AĞIRLIK DEĞİŞİMİ (Kg): "), NISTAGKA, 6, 3);
    CREPORTTEXT.blank();

    nutrientLine(QStringLiteral("KURU MADDE TÜKETİMİ (KMT):"), NDMI, 5, 2, kKg, NDMIPCT, 2);
    nutrientLine(QStringLiteral("NET ENERJİ LAKTASYON (NEL):"), NNEL, 5, 2, kMcal, NNELCONC, 2);
    nutrientLine(QStringLiteral("METABOLİK ENERJİ (ME):"), NMECOW, 6, 2, kMcal, NMECONCCOW, 2);
    nutrientLine(QStringLiteral("SİNDİRİLEBİLİR ENERJİ (SE):"), NDECOW, 6, 2, kMcal, NDECONCCOW, 2);
    nutrientLine(kTsbm, NTDN, 5, 2, kKgKm, NTDNCONC, 2);
    nutrientLine(QStringLiteral("HAM PROTEİN (HP):"), NCP, 5, 0, kG, NCPCONC, 2);
    nutrientLine(QStringLiteral("RUMENDE PARÇALANMAYAN PROTEİN (RUP):"), NRUP, 5, 0, kG, NRUPCONC, 2);
    nutrientLine(QStringLiteral("RUMENDE PARÇALANAN PROTEİN (RDP):"), NRDP, 5, 0, kG, NRDPCONC, 2);
    nutrientLine(QStringLiteral("PROTEİN TÜKETİMİ (PT):"), NPI, 5, 0, kG, NPICONC, 2);
    nutrientLine(QStringLiteral("KALSİYUM (CA):"), NCA, 5, 1, kG, NCACONC, 3);
    nutrientLine(QStringLiteral("FOSFOR (P):"), NPHOS, 5, 1, kG, NPHOSCONC, 3);
    nutrientLine(QStringLiteral("VİTAMİN A:"), NVITA, 6, 0, kIu, NVITACONC, 0);
    nutrientLine(QStringLiteral("VİTAMİN D:"), NVITD, 6, 0, kIu, NVITDCONC, 0);
    ratioLine();
}

void NUTREQESTIMATE::OUTPUT3()
{
    reportHeader(QStringLiteral("ERGİN BOĞA - GÜNLÜK BESİN MADDESİ İHTİYAÇLARI:"));
    inputLine(QStringLiteral("ENERJİ KONSANTRASYONU (Yed./NRC Tah.) "), NENECONS, 5, 2);
    inputLine(QStringLiteral("CANLI AĞIRLIK (C.A.,Kg):"), NCANAGIR, 5, 0);
    CREPORTTEXT.blank();

    nutrientLine(QStringLiteral("KURU MADDE TÜKETİMİ (KMT):"), NDMI, 5, 2, kKg, NDMIPCT, 2);
    nutrientLine(QStringLiteral("NET ENERJİ YAŞAMA (NEY):"), NNEM, 5, 2, kMcal, NNEMCONC, 2);
    nutrientLine(QStringLiteral("NET ENERJİ KAZANÇ (NEK):"), NNEG, 5, 2, kMcal, NNEGCONC, 2);
    nutrientLine(QStringLiteral("METABOLİK ENERJİ (ME):"), NME, 6, 2, kMcal, NMECONC, 2);
    nutrientLine(QStringLiteral("SİNDİRİLEBİLİR ENERJİ (SE):"), NDE, 6, 2, kMcal, NDECONC, 2);
    nutrientLine(kTsbm, NTDN, 5, 2, kKgKm, NTDNCONC, 2);
    nutrientLine(QStringLiteral("HAM PROTEİN (HP):"), NCP, 5, 0, kG, NCPCONC, 2);
    nutrientLine(QStringLiteral("RUMENDE PARÇALANMAYAN PROTEİN (RUP):"), NRUP, 5, 0, kG, NRUPCONC, 2);
    nutrientLine(QStringLiteral("RUMENDE PARÇALANAN PROTEİN (RDP):"), NRDP, 5, 0, kG, NRDPCONC, 2);
    nutrientLine(QStringLiteral("PROTEİN TÜKETİMİ (PT):"), NPI, 5, 0, kG, NPICONC, 2);
    nutrientLine(QStringLiteral("KALSİYUM (CA):"), NCA, 5, 1, kG, NCACONC, 3);
    nutrientLine(QStringLiteral("FOSFOR (P):"), NPHOS, 5, 1, kG, NPHOSCONC, 3);
    nutrientLine(QStringLiteral("VİTAMİN A:"), NVITA, 6, 0, kIu, NVITACONC, 0);
    nutrientLine(QStringLiteral("VİTAMİN D:"), NVITD, 6, 0, kIu, NVITDCONC, 0);
    ratioLine();
    CREPORTTEXT.blank();
    CLINE = C(QStringLiteral("<>"), kLineWidth);
    addLine();
}

// ---------------------------------------------------------------- protein detail

void NUTREQESTIMATE::amountLine(const QString& label, double amount)
{
    CLINE = b(5) + L(label, 50) + N(amount, 5, 0) + QStringLiteral(" g");
    addLine();
}

void NUTREQESTIMATE::shareLine(const QString& label, double share, int labelWidth)
{
    CLINE = b(5) + L(label, labelWidth) + QStringLiteral("% ") + N(share, 5, 2);
    addLine();
}

void NUTREQESTIMATE::OUTPUT4()
{
    CREPORTTEXT.blank();
    amountLine(QStringLiteral("EMİLEN YÜZEY PROTEİNİ:"), NMPSCURF);
    amountLine(QStringLiteral("EMİLEN İDRAR PROTEİNİ:"), NMPURINE);
    amountLine(QStringLiteral("EMİLEN YAŞAMA PAYI PROTEİNİ:"), NMPMAINT);
    amountLine(QStringLiteral("EMİLEN METABOLİK FECAL PROTEİN:"), NMFP);
    amountLine(QStringLiteral("EMİLEN LAKTASYON PROTEİNİ:"), NMPLACT);
    amountLine(QStringLiteral("EMİLEN GEBELİK (Conceptus) PROTEİNİ:"), NMPPREG);
    amountLine(QStringLiteral("EMİLEN FARK (Difference) PROTEİNİ:"), NMPCHG);
    amountLine(QStringLiteral("EMİLEN TUTULAN (Retained) PROTEİN:"), NMPRET);
    amountLine(QStringLiteral("EMİLEN İHTİYAÇ (Required) PROTEİNİ:"), NMPREQ);
    CREPORTTEXT.blank();
    amountLine(QStringLiteral("RUMENDE MEVCUT PROTEİN:"), NRUMAVP);
    amountLine(QStringLiteral("BAKTERİYAL HAM PROTEİN: "), NBCP);
    amountLine(QStringLiteral("NÜKLEİK HAM PROTEİN:"), NNUCP);
    amountLine(QStringLiteral("BAKTERİYAL GERÇEK PROTEİN:"), NBTP);
    amountLine(QStringLiteral("SİNDİRİLEBİLİR BAKTERİYEL PROTEİN:"), NBACTPDIG);
    amountLine(QStringLiteral("SİNDİRİLEBİLİR PARÇALANMAYAN PROTEİN:"), NRUPDIG);
    amountLine(QStringLiteral("RUMENDE PARÇALANMAYAN PROROTEİN:"), NRUP);
    amountLine(QStringLiteral("RUMENDE PARÇALANAN PROTEİN:"), NRDP);
    amountLine(QStringLiteral("PROTEİN TÜKETİMİ:"), NPI);
    shareLine(QStringLiteral("EMİLEN PROTEİN/PROTEİN TÜKETİMİ:"), NMPPI, 50);
    CREPORTTEXT.blank();
    amountLine(QStringLiteral("DÖKÜNTÜ (Scurf) PROTEİN:"), NSCURFP);
    amountLine(QStringLiteral("RUMEN INFLUX PROTEİN:"), NINFLUXP);
    amountLine(QStringLiteral("RUMEN EFFLUX PROTEİN:"), NEFFLUXP);
    amountLine(QStringLiteral("SİNDİRİLEBİLİR NÜKLEİK PROTEİN:"), NNUCPDIG);
    amountLine(QStringLiteral("EMİLEN YAŞAMA PAYI PROTEiNİ:"), NMPMAINT);
    amountLine(QStringLiteral("LAKTASYON PROTEİNİ ARTIŞI:"), NLACTPINC);
    amountLine(QStringLiteral("GEBELİK PROTEİN ARTIŞI:"), NPREGPINC);
    amountLine(QStringLiteral("TUTULAN PROTEİN ARTIŞI:"), NRETPINC);
    amountLine(QStringLiteral("İDRAR PROTEİNİ:"), NURINEP);
    CREPORTTEXT.blank();
    amountLine(QStringLiteral("SİNDİRİLMEYEN BAKTERİYEL PROTEİN:"), NBACTPUNDIG);
    amountLine(QStringLiteral("SİNDİRİLMEYEN NÜKLEİK PROTEİN:"), NNUCPUNDIG);
    amountLine(QStringLiteral("SİNDİRİLMEZ PARÇALANMAYAN PROTEİN:"), NRUPUNDIG);
    amountLine(QStringLiteral("EMİLEN METABOLİK FECAL PROTEİN:"), NMFP);
    amountLine(QStringLiteral("FECAL PROTEİN:"), NFECALP);
    CREPORTTEXT.blank();
    amountLine(QStringLiteral("NET SÜT PROTEİNİ:"), NNPLACT);
    amountLine(QStringLiteral("NET GEBELİK PROTEİNİ:"), NNPPREG);
    amountLine(QStringLiteral("NET FARK (Difference) PROTEİNİ:"), NMPCHG);
    amountLine(QStringLiteral("NET TUTULAN PROTEİN:"), NNPRET);
    CREPORTTEXT.blank();
    shareLine(QStringLiteral("NET SÜT PROTEİNİ/PROTEİN TÜKETİMİ:"), NNPLACTPI);
    shareLine(QStringLiteral("NET GEBELİK PROTEİNİ/PROTEİN TÜKETİMİ:"), NNPPREGPI);
    shareLine(QStringLiteral("EMİLEN FARK (Difference) PROTEİNİ/PROTEİN TÜKETİMİ:"), NMPCHGPI);
    shareLine(QStringLiteral("TUTULAN NET PROTEİN/PROTEİN TÜKETİMİ:"), NNPRETPI);
    shareLine(QStringLiteral("DÖKÜNTÜ (Scurf) PROTEİN/PROTEİN TÜKETİMİ:"), NSCURFPI);
    shareLine(QStringLiteral("İDRAR PROTEİNİ/PROTEİN TÜKETİMİ:"), NURINEPI);
    shareLine(QStringLiteral("FECAL PROTEİN/PROTEİN TÜKETİMİ:"), NFECALPI);
    CREPORTTEXT.blank();
    amountLine(QStringLiteral("İNCE BARSAKTA HAM PROTEİN (NRC Tahmini):"), NSICP);
    amountLine(QStringLiteral("İNCE BARSAKTA GERÇEK PROTEİN (NRC Tahmini):"), NSITP);
    amountLine(QStringLiteral("İNCE BARSAKTA BEKLENEN GERÇEK PROTEİN (TAMMINGA):"), NSITAMMINGA);
    amountLine(QStringLiteral("İNCE BARSAKTA BEKLENEN HAM PROTEİN (ROHR):"), NSIROHR);
    amountLine(QStringLiteral("İNCE BARSAKTA BEKLENEN HAM PROTEİN (JOURNET):"), NSIJOURNET);
    amountLine(QStringLiteral("İNCE BARSAKTA BEKLENEN HAM PROTEİN (VERİTE):"), NSIVERITE);
    CREPORTTEXT.blank();
    CLINE = C(QStringLiteral("<>"), kLineWidth);
    addLine();
}

}  // namespace zeva
