// The solution report of both optimisers (SONUCDOSYA): the parameter dialog,
// then the fixed-width report built from the final tableau and written beside
// the problem file with the extension ".TXT".
//
// Every comparison of a computed value with 0 or with a limit here uses the
// solve's tolerance (platform/tolerance.h): a shadow price of -0.00000005 is 0.

#include "core/optimizer.h"

#include "core/activeproblem.h"
#include "core/helpers.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/paramdialog.h"
#include "core/reporttext.h"
#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "platform/tolerance.h"

#include <QFileInfo>

#include <cmath>
#include <optional>

namespace zeva {

namespace {

using namespace report;

const QString kWriteFailed = QStringLiteral("Rapor dosyası oluşturmada hata!\nSonra tekrar deneyin..");

// "-" and four blanks right-aligned in 11: a row without a limit, or a value
// that does not exist (a quotient whose divisor is 0).
QString noValue()
{
    return R(QStringLiteral("-") + b(4), 11);
}

QString shadowText(double y)
{
    if (tol::negative(y))
        return R(QStringLiteral("< 0.0000"), 11);
    if (tol::isZero(y))
        return R(QStringLiteral("0.0000"), 11);
    return numberField(y, 11, 4);
}

// The highest price at which a feed left out would enter the mix.
QString highestPriceText(double m)
{
    if (tol::isZero(m))
        return R(QStringLiteral("0.000"), 11);
    if (tol::negative(m))
        return R(QStringLiteral("< 0.000"), 11);
    return numberField(MROUND(m, 3), 11, 3);
}

class SolutionReport {
public:
    // `reportFile`: the file the report goes to, named in its header.
    SolutionReport(Optimizer& o, QString reportFile)
        : o_(o), daily_(o.kind == ProblemKind::DailyRation), found_(o.optimumFound), reportFile_(std::move(reportFile))
    {
        const int n = o.NFEEDCOLS;
        share_.assign(n, 0.0);
        selected_.assign(n, false);
        for (int j = 0; j < n; ++j) {
            const int p = o.basicRow(j);
            if (p < 0)
                continue;
            selected_[j] = true;
            ++selectedCount_;
            share_[j] = o.ARHS[p];
            cost_ += o.ACOSTB[p] * o.ARHS[p];
        }
    }

    ReportText build()
    {
        header();
        if (daily_)
            dailyFeeds();
        else
            compoundFeeds();
        t_.blank();
        t_.add(b(5) + QStringLiteral("§ SINIRLIKLAR:"));
        limits();
        if (someLeftOut()) {
            t_.blank();
            t_.add(b(7) + (daily_ ? QStringLiteral("KM:Kuru Madde, GİMFD:Giriş İçin Marjinal Fiyat Değişikliği, "
                                                   "HB:Hayvan Başına")
                                  : QStringLiteral("GİMFD: Giriş İçin Marjinal Fiyat Değişikliği")));
        }
        t_.blank();
        t_.add(C(QStringLiteral("<>"), kLineWidth));
        return t_;
    }

private:
    bool someLeftOut() const { return selectedCount_ < o_.NFEEDCOLS; }
    double price(int j) const { return o_.ACOST[j]; }

    void header()
    {
        const QDateTime now = o_.reportTime();
        const QString base = PROBFILEBASE();
        t_.add(C(QStringLiteral("ZEVA S 2.0"), kLineWidth));
        t_.add(C(QStringLiteral("ZOVOZUR OVIRURAZI DODAD ADI DU VADOVO DADODOZ ERUDEZERU RIZUDEZO"), kLineWidth));
        t_.add(C(QStringLiteral("Tarih: ") + DateText(now.date()) + b(2) + QStringLiteral("Saat: ")
                     + now.time().toString(QStringLiteral("hh:mm:ss")),
                 kLineWidth));
        t_.blank();
        t_.add(b(5) + QStringLiteral("§ DOSYA: ") + QStringLiteral("Veri Dosyasi..: ") + base + QStringLiteral(".ZVF"));
        t_.add(b(14) + QStringLiteral("Rapor Dosyası.: ") + reportFile_);
        t_.blank();
        if (found_) {
            t_.add(b(5) + QStringLiteral("§ ÇÖZÜM DURUMU: ") + QStringLiteral("Optimum Çözüm Bulundu."));
            DONEBEEP(*o_.OOWNER);
        } else {
            t_.add(b(5) + QStringLiteral("§ ÇÖZÜM DURUMU: ") + QStringLiteral("Optimum Çözüm Bulunamadı."));
            t_.add(b(7) + QStringLiteral("Sınırlık ve imkanlari kontrol ediniz..."));
        }
        t_.blank();
        const QString cost = AllTrim(N(MROUND(cost_, 3), 11, 3));
        if (daily_)
            t_.add(b(5) + QStringLiteral("§ MALİYET DURUMU: ") + QStringLiteral("Günlük Maliyet") + QStringLiteral(" = ")
                   + cost + QStringLiteral(" ") + o_.CCURRENCY + QStringLiteral("/HB"));
        else
            t_.add(b(5) + QStringLiteral("§ MALİYET DURUMU: ") + QStringLiteral("Birim Maliyet") + QStringLiteral(" = ")
                   + cost + QStringLiteral(" ") + AllTrim(o_.CCURRENCY) + QStringLiteral("/")
                   + AllTrim(o_.CWEIGHTUNIT));
        t_.blank();
        t_.add(b(5) + QStringLiteral("§ MEVCUT ÇÖZÜM:"));
        t_.add(b(7) + QStringLiteral("a) Seçilen Yem Maddeleri:"));
    }

    // ---- Compound feed: shares and amounts per batch of the mixer ----
    void compoundFeeds()
    {
        const double capacity = Val(o_.CAMOUNT);
        const QString ruleLine = b(10) + rule(20) + b(1) + rule(11) + b(1) + rule(11) + b(1) + rule(10);
        t_.add(b(10) + C(QStringLiteral("Yem Maddesi"), 20) + b(1) + C(QStringLiteral("Birim "), 11) + b(1)
               + C(QStringLiteral("Aktüel"), 11) + b(1) + C(QStringLiteral("Mikser"), 10));
        t_.add(b(10) + C(QStringLiteral("Adı"), 20) + b(1) + C(QStringLiteral("Fiyatı"), 11) + b(1)
               + C(QStringLiteral("Kullanım"), 11) + b(1) + C(QStringLiteral("Girişi"), 10));
        t_.add(ruleLine);
        double sumShare = 0.0;
        double sumAmount = 0.0;
        for (int j = 0; j < o_.NFEEDCOLS; ++j) {
            if (!selected_[j])
                continue;
            const double s = MROUND(share_[j], 5);
            const double a = s * capacity;
            sumShare += s;
            sumAmount += a;
            t_.add(b(10) + L(o_.ACOLNAMES.at(j), 20) + b(1) + numberField(price(j), 11, 3) + b(1)
                   + numberField(s, 11, 5) + b(1) + numberField(a, 10, 2));
        }
        t_.add(ruleLine);
        t_.add(b(10) + L(QStringLiteral("TOPLAM:"), 20) + b(8) + L(QStringLiteral("-"), 4) + b(1)
               + numberField(sumShare, 11, 5) + b(1) + numberField(sumAmount, 10, 2));
        if (!someLeftOut())
            return;
        t_.blank();
        t_.add(b(7) + QStringLiteral("b) Seçilmeyen Yem Maddeleri:"));
        t_.add(b(10) + C(QStringLiteral("Yem Maddesi"), 20) + b(1) + C(QStringLiteral("Birim "), 11) + b(15)
               + C(QStringLiteral("Azami"), 11));
        t_.add(b(10) + C(QStringLiteral("Adı"), 20) + b(1) + C(QStringLiteral("Fiyatı"), 11) + b(1)
               + C(QStringLiteral("GİMFD"), 13) + b(1) + C(QStringLiteral("Fiyat"), 11));
        t_.add(b(10) + rule(20) + b(1) + rule(11) + b(1) + rule(13) + b(1) + rule(11));
        for (int j = 0; j < o_.NFEEDCOLS; ++j) {
            if (selected_[j])
                continue;
            const double g = o_.AZC[j];
            t_.add(b(10) + L(o_.ACOLNAMES.at(j), 20) + b(1) + numberField(price(j), 11, 3) + b(1)
                   + numberField(MROUND(g, 4), 13, 4) + b(1) + highestPriceText(price(j) + g));
        }
    }

    // ---- Daily ration: dry matter per animal, its per cent, as fed for the herd ----
    void dailyFeeds()
    {
        const bool ratios = o_.NKMOROW >= 0;
        // The herd is fed for the number as typed; only its heading shows the
        // whole animals.
        const double animals = Val(o_.CAMOUNT);
        const QString count = QString::number(std::trunc(animals) + 0.0, 'f', 0);
        const QString herd = count.size() > 12 ? QString(12, QLatin1Char('*')) : count + QStringLiteral(" Hay/Gün");

        std::vector<double> d(o_.NFEEDCOLS, 0.0);
        std::vector<double> asFed(o_.NFEEDCOLS, 0.0);
        double total = 0.0;
        double totalAsFed = 0.0;
        for (int j = 0; j < o_.NFEEDCOLS; ++j) {
            if (!selected_[j])
                continue;
            d[j] = MROUND(share_[j], 3);
            total += d[j];
            const double k = ratios ? o_.AKMOVALUES[j] : 0.0;
            asFed[j] = tol::isZero(k) ? 0.0 : d[j] / k * 100.0;
            totalAsFed += asFed[j];
        }
        const bool noTotal = tol::isZero(total);
        // The dry-matter ratio of the ration: the reached value of "KMO".
        if (!tol::isZero(totalAsFed))
            kmoReached_ = total / totalAsFed * 100.0;

        const QString ruleLine = b(10) + rule(20) + b(1) + rule(10) + b(1) + rule(11) + b(1) + rule(11) + b(1) + rule(12);
        t_.add(b(10) + C(QStringLiteral("Yem Maddesi"), 20) + b(1) + C(QStringLiteral("Birim"), 10) + b(1)
               + C(QStringLiteral("Aktüel"), 11) + b(1) + C(QStringLiteral("Toplam"), 11) + b(1) + C(herd, 12));
        t_.add(b(10) + C(QStringLiteral("Adı"), 20) + b(1) + C(QStringLiteral("Fiyatı"), 10) + b(1)
               + C(QStringLiteral("KM Girişi"), 11) + b(1) + C(QStringLiteral("KM'de"), 11) + b(1)
               + C(QStringLiteral("Verilecek"), 12));
        t_.add(b(10) + rule(20) + b(1) + rule(10) + b(1) + QStringLiteral("---Kg/Kg---") + b(1)
               + QStringLiteral("-----%-----") + b(1) + QStringLiteral("---Kg/Kg----"));
        double sumPct = 0.0;
        double sumHerd = 0.0;
        for (int j = 0; j < o_.NFEEDCOLS; ++j) {
            if (!selected_[j])
                continue;
            QString pctText = noValue();
            if (!noTotal) {
                const double pct = MROUND(d[j] / total * 100.0, 3);
                sumPct += pct;
                pctText = numberField(pct, 11, 3);
            }
            const double f = asFed[j] * animals;
            sumHerd += f;
            t_.add(b(10) + L(o_.ACOLNAMES.at(j), 20) + b(1) + numberField(price(j), 10, 3) + b(1)
                   + numberField(d[j], 11, 3) + b(1) + pctText + b(1) + numberField(f, 11, 3));
        }
        t_.add(ruleLine);
        t_.add(b(10) + L(QStringLiteral("TOPLAM (") + AllTrim(o_.CWEIGHTUNIT) + QStringLiteral(")"), 20)
               + R(QStringLiteral("-"), 8) + b(4) + numberField(total, 11, 3) + b(1)
               + (noTotal ? noValue() : numberField(sumPct, 11, 3)) + b(1) + numberField(sumHerd, 11, 3));
        if (!someLeftOut())
            return;
        t_.blank();
        t_.add(b(7) + QStringLiteral("b) Seçilmeyen Yem Maddeleri:"));
        t_.add(b(10) + C(QStringLiteral("Yem Maddesi"), 20) + b(1) + C(QStringLiteral("Birim"), 10));
        t_.add(b(10) + C(QStringLiteral("Adı"), 20) + b(1) + C(QStringLiteral("Fiyatı"), 10) + b(1)
               + C(QStringLiteral("GİMFD"), 15) + b(1) + QStringLiteral("Azami Fiyat"));
        t_.add(b(10) + rule(20) + b(1) + rule(10) + b(1) + rule(15) + b(1) + rule(11));
        for (int j = 0; j < o_.NFEEDCOLS; ++j) {
            if (selected_[j])
                continue;
            // The price change for entry, in as-fed price units.
            const double g = ratios ? o_.AZC[j] / 100.0 * o_.AKMOVALUES[j] : o_.AZC[j];
            t_.add(b(10) + L(o_.ACOLNAMES.at(j), 20) + b(1) + numberField(price(j), 10, 3) + b(1)
                   + numberField(MROUND(g, 4), 15, 4) + b(1) + highestPriceText(price(j) + g));
        }
    }

    // ---- Limit lines ----
    double rowValue(int r) const
    {
        double v = 0.0;
        const std::vector<double>& row = o_.ABMMATRIX[r];
        for (int c = 0; c < o_.NFEEDCOLS; ++c)
            v += row[c] * share_[c];
        return v;
    }

    void limits()
    {
        t_.add(b(7) + C(QStringLiteral("Sınırlık"), 20) + b(1) + QStringLiteral("Sınırlık") + b(1)
               + C(QStringLiteral("İstenen"), 11) + b(1) + QStringLiteral("Hesaplanan") + b(2)
               + C(QStringLiteral("Gölge"), 11));
        t_.add(b(7) + C(QStringLiteral("Adı"), 20) + b(1) + C(QStringLiteral("Tipi"), 8) + b(1)
               + C(QStringLiteral("Değer"), 11) + b(1) + C(QStringLiteral("Değer"), 11) + b(1)
               + C(QStringLiteral("Fiyat"), 11));
        t_.add(b(7) + rule(20) + b(1) + rule(8) + b(1) + rule(11) + b(1) + rule(11) + b(1) + rule(11));
        t_.add(b(7) + QStringLiteral("Besin Maddesi:"));

        o_.AKMM_DATA.clear();
        QStringList seen;
        for (int r = 0; r < o_.NBMROWS; ++r) {
            const QString& name = o_.AROWNAMES.at(r);
            std::optional<double> v = rowValue(r);
            if (daily_ && name == QLatin1String("KMO"))
                v = kmoReached_;
            limitLine(r, v, 4);
            // The formula keeps the value itself, also where its column in
            // the report could not hold it.
            if (!daily_ && found_ && !seen.contains(name)) {
                seen << name;
                o_.AKMM_DATA.append({name, v ? N(MROUND(*v, 4), 11, 4) : noValue()});
            }
        }

        const int ratioRows = static_cast<int>(o_.ARATIOPAIRS.size());
        if (ratioRows > 0) {
            if (daily_) {
                t_.addUnpadded(QString());
                t_.addUnpadded(b(7) + QStringLiteral("Besin Maddesi Oranı:"));
            } else {
                t_.blank();
                t_.add(b(7) + QStringLiteral("Besin Maddesi Oranı:"));
            }
            for (int i = 0; i < ratioRows; ++i) {
                const RatioPair& pair = o_.ARATIOPAIRS[i];
                const double divisor = rowValue(pair.divisor);
                std::optional<double> v;
                if (!tol::isZero(divisor))
                    v = rowValue(pair.dividend) / divisor;
                limitLine(o_.NBMROWS + i, v, 4);
            }
        }

        const int first = o_.NBMROWS + ratioRows;
        if (first < o_.AROWNAMES.size()) {
            t_.blank();
            t_.add(b(7) + QStringLiteral("Yem Maddesi:"));
            const int decimals = daily_ ? 3 : 5;
            for (int r = first; r < o_.AROWNAMES.size(); ++r) {
                const size_t i = static_cast<size_t>(r - first);
                const int column = i < o_.feedLimitColumns.size() ? o_.feedLimitColumns[i] : -1;
                const double v = column >= 0 ? share_[column] : 0.0;
                limitLine(r, v, decimals);
            }
        }
    }

    // One limit line of constraint row r with its reached value v (none when
    // it does not exist), the values with `decimals` decimals.
    void limitLine(int r, std::optional<double> v, int decimals)
    {
        QString mark = b(7);
        QString requested = noValue();
        QString shadow = noValue();
        const QString reached = v ? numberField(MROUND(*v, decimals), 11, decimals) : noValue();
        if (const OptReal q = o_.ACTSINVALUE(r)) {
            requested = numberField(*q, 11, decimals);
            const size_t k = static_cast<size_t>(k_++);
            if (k < o_.AINITBASIS.size())
                shadow = shadowText(o_.AZROW[o_.AINITBASIS[k]]);
            if (v)
                mark = o_.ISARETVARMI(found_, r, *v, *q);
        }
        t_.add(mark + L(o_.AROWNAMES.at(r), 20) + b(1) + C(o_.AROWTYPES.at(r), 8) + b(1) + requested + b(1) + reached
               + b(1) + shadow);
    }

    Optimizer& o_;
    const bool daily_;
    const bool found_;
    const QString reportFile_;
    ReportText t_;
    std::vector<double> share_;
    std::vector<bool> selected_;
    int selectedCount_ = 0;
    double cost_ = 0.0;
    std::optional<double> kmoReached_;
    int k_ = 0;  // rows with a limit so far: the tableau row of the next one
};

}  // namespace

// The report step of both optimisers. A cancelled parameter dialog answers
// false and changes nothing. Otherwise the report is written whole through a
// temporary file; a failed write shows the error box and keeps the previous
// report as the current one. Either way the answer is then true.
bool Optimizer::SONUCDOSYA()
{
    // The parameter step closes the please-wait box before its dialog.
    waitOpen_ = false;
    const QString type = kind == ProblemKind::DailyRation ? QStringLiteral("G") : QStringLiteral("K");
    if (!PARMGIR(*OOWNER, type, CAMOUNT, CCURRENCY, CWEIGHTUNIT))
        return false;

    const QString base = PROBFILEBASE();
    // A report already there under another letter case is replaced, never
    // joined by a second one, and its header names it as it is on disk.
    QString file = base + QStringLiteral(".TXT");
    QString shown = file;
    if (const QString existing = findExistingPath(file); !base.isEmpty() && !existing.isEmpty()) {
        file = existing;
        shown.chop(QFileInfo(shown).fileName().size());
        shown += QFileInfo(existing).fileName();
    }
    const QByteArray bytes = SolutionReport(*this, shown).build().bytes();
    if (!base.isEmpty() && writeFileAtomically(file, bytes))
        G().CREPORTFILE = file;
    else
        ERRMESS(*OOWNER, kWriteFailed);
    return true;
}

}  // namespace zeva
