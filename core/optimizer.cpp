#include "core/optimizer.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/userport.h"
#include "platform/runtime.h"
#include "platform/tolerance.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zeva {

namespace optimizer_text {
const QString kNoPrice = QStringLiteral(
    "Yem maddelerine fiyat verilmedi...\n\n"
    "NOT: ZEVA 2.0 çözümleri En Düşük Maliyetli olarak yürütmektedir.\n"
    "Bir çözüm elde edebilmek için, en az iki yem maddesine fiyat verilmelidir.\n"
    "Fiyat verilmeyen diğer yem maddeleri ise hesaplamaya girmez ve sonuç\n"
    "raporunda yer almazlar.");
const QString kNoLimit = QStringLiteral(
    "Hiç besin maddesi sınırı verilmedi...\n\n"
    "NOT: Bir hesap yürütebilmek için, en az iki adet besin maddesi sınırı\n"
    "verilmelidir. Sınır verilmeyen diğer besin maddeleri ise, raporda yer\n"
    "alsalar da, hesaplamada dikkate alınmazlar.");
const QString kNoKmoRow = QStringLiteral(
    "Besin Maddeleri girişinde Kuru Madde Oranı (KMO, %) girilmedi...\n\n"
    "NOT: Günde verilecek yem maddesi miktarlarının hesaplanması için\n"
    "bu  oran  gerekli. Şimdi  sadece  KM  için  bir çözüm  elde edilecek.\n"
    "Günlük verilecek miktarlar ayrıca hesaplanmalıdır.");
const QString kShapeMismatch = QStringLiteral("Aktif matris yem ve besin maddesi tablolarıyla uyuşmuyor...");
const QString kKmoDropped = QStringLiteral("Kuru madde oranı (KMO) verilmeyen yem maddeleri hesaplamaya alınmadı:");
const QString kNoKmoFeed = QStringLiteral("Kuru madde oranı (KMO) verilmiş, fiyatlı yem maddesi yok...");
const QString kIterationCap = QStringLiteral("Çözüm yineleme sınırına ulaştı; optimum bulunamadı...");
}  // namespace optimizer_text

namespace {

// After this many pivots in a row that do not move the solution, the entering
// and leaving choices follow the smallest-index rule, which cannot cycle.
constexpr int kBlandAfter = 50;

// Entries at or below this are zeros left by round-off.
constexpr double kEntryFloor = 1e-13;
// How far below 0 a value may be pushed by one pivot step.
constexpr double kOvershoot = 1e-9;
// Pivots between two full pricings (between them the pricing row is updated
// with the tableau).
constexpr int kRepriceEvery = 50;
// An artificial column at or below this level is at 0 up to round-off.
constexpr double kRoundOff = 1e-10;

const QString& cellOf(const Row& row, int i)
{
    static const QString none;
    return i < row.size() ? row.at(i) : none;
}

// The number a table cell holds; none for a blank cell. Numeric text
// (blanks, digits, at most one point) is read here directly: its digits over a
// power of ten are exact in a double, so the quotient is the correctly rounded
// value, as Val gives it. Anything else goes through Val.
OptReal numberOf(const QString& cell)
{
    static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const char16_t* c = reinterpret_cast<const char16_t*>(cell.constData());
    const qsizetype n = cell.size();
    qsizetype i = 0;
    while (i < n && c[i] == u' ')
        ++i;
    if (i == n)
        return std::nullopt;
    long long digits = 0;
    int count = 0;
    int decimals = -1;
    for (; i < n; ++i) {
        const char16_t u = c[i];
        if (u >= u'0' && u <= u'9') {
            if (++count > 15)
                return Val(cell);
            digits = digits * 10 + (u - u'0');
            if (decimals >= 0)
                ++decimals;
        } else if (u == u'.' && decimals < 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    while (i < n && c[i] == u' ')
        ++i;
    if (i < n || count == 0 || decimals > 12)
        return Val(cell);
    const double v = static_cast<double>(digits);
    return decimals > 0 ? v / kPow10[decimals] : v;
}

bool matrixColumnBlank(const Table& m, int col)
{
    for (const Row& r : m)
        if (col < r.size() && !isBlankCell(r.at(col)))
            return false;
    return true;
}

bool matrixRowBlank(const Row& r)
{
    for (const QString& c : r)
        if (!isBlankCell(c))
            return false;
    return true;
}

// t[j] -= f * p[j] for every j: the inner loop of the pivot, built for the
// wider vector units too where the processor has them.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ZEVA_WIDE_VECTORS __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ZEVA_WIDE_VECTORS
#endif
ZEVA_WIDE_VECTORS void rowSubtract(double* __restrict t, const double* __restrict p, size_t n, double f)
{
    for (size_t j = 0; j < n; ++j)
        t[j] -= f * p[j];
}

// t[idx[n]] -= f * value[n]: the same over the non-zero entries only.
void scatterSubtract(double* __restrict t, const int* __restrict idx, const double* __restrict value,
                     size_t count, double f)
{
    for (size_t n = 0; n < count; ++n)
        t[idx[n]] -= f * value[n];
}

template <typename T>
void eraseAt(std::vector<T>& v, int i)
{
    v.erase(v.begin() + i);
}

}  // namespace

// ---------------------------------------------------------------------------
// Ratios the solve cannot use

QStringList unusedRatioLines()
{
    const ActiveProblem& p = G();
    QStringList nutrients;
    for (const Row& r : p.ABMTABLE) {
        const QString name = AllTrim(cellOf(r, BMNAME));
        if (!name.isEmpty())
            nutrients << name;
    }
    QStringList lines;
    for (const Row& r : p.ABMOTABLE) {
        const QString c1 = AllTrim(cellOf(r, BMONAME1));
        const QString c2 = AllTrim(cellOf(r, BMONAME2));
        if (c1.isEmpty() || c2.isEmpty())
            continue;
        QStringList missing;
        for (const QString& name : {c1, c2})
            if (!nutrients.contains(name) && !missing.contains(name))
                missing << name;
        if (missing.isEmpty())
            continue;
        const QString what = missing.size() == 1
            ? missing.first() + QStringLiteral(" besin maddesi")
            : missing.join(QStringLiteral(" ve ")) + QStringLiteral(" besin maddeleri");
        const QString line = c1 + QLatin1Char('/') + c2 + QStringLiteral(": ") + what
            + QStringLiteral(" problemde yok; bu oran çözümde kullanılmadı.");
        if (!lines.contains(line))
            lines << line;
    }
    return lines;
}

void warnUnusedRatios(UserPort& port)
{
    const QStringList lines = unusedRatioLines();
    if (!lines.isEmpty())
        UYARI(port, lines.join(QLatin1Char('\n')));
}

// ---------------------------------------------------------------------------
// Construction and the order of the solve

KY_OPTIMIZER::KY_OPTIMIZER(UserPort& port, OptimizerOptions options)
    : Optimizer(port, ProblemKind::CompoundFeed, std::move(options))
{
}

GR_OPTIMIZER::GR_OPTIMIZER(UserPort& port, OptimizerOptions options)
    : Optimizer(port, ProblemKind::DailyRation, std::move(options))
{
}

Optimizer::Optimizer(UserPort& port, ProblemKind k, OptimizerOptions options)
    : OOWNER(&port), kind(k), options_(std::move(options))
{
    using namespace optimizer_text;
    LRESULT = false;

    // Intake; a matrix out of step with its tables is refused here.
    if (!SINDIZOLUSUMU())
        return;
    if (HFVERILMEDI()) {
        refuse(kNoPrice);
        return;
    }
    buildTableau();
    FIATSIZYEM();

    // The penalty of the artificial columns, from the prices as entered.
    const double highest = ACOST.empty() ? 0.0 : ACOST[AMAX(ACOST) - 1];
    NBIGM = highest > 0.0 ? 100.0 * highest : 1.0;
    NFEEDCOLS = static_cast<int>(ACOST.size());

    BMUSTLIMADD();
    NBMROWS = static_cast<int>(AROWLIMITS[LIM_FIX].size());
    ADDBMTYPE();
    AUSERLIMITS = AROWLIMITS;
    ABMMATRIX = ATABLEAU;

    if (kind == ProblemKind::DailyRation && !dryMatterCosts())
        return;

    BMOADD();
    YEMMADADD();
    DELBMSINSIZ();
    if (AROWLIMITS[LIM_FIX].empty()) {
        refuse(kNoLimit);
        return;
    }
    BMESITLIK();
    SDEGISKEN();

    const int rows = static_cast<int>(ABASIS.size());
    const int cols = static_cast<int>(simplexCost().size());
    ACOSTB.assign(rows, 0.0);
    ARHS.assign(rows, 0.0);
    ATHETA.assign(rows, 0.0);
    AZROW.assign(cols, 0.0);
    AZC.assign(cols, 0.0);
    for (int i = 0; i < rows; ++i) {
        ACOSTB[i] = simplexCost()[ABASIS[i]];
        if (AROWLIMITS[LIM_FIX][i])
            ARHS[i] = *AROWLIMITS[LIM_FIX][i];
        else if (AROWLIMITS[LIM_LOW][i])
            ARHS[i] = *AROWLIMITS[LIM_LOW][i];
        else
            ARHS[i] = AROWLIMITS[LIM_UPP][i].value_or(0.0);
    }
    AINITBASIS = ABASIS;

    iterate();

    // ==== Report step ====
    // The parameter dialog and the solution report, from the final tableau.
    const bool answer = options_.reportStep ? options_.reportStep(*this) : SONUCDOSYA();
    if (kind == ProblemKind::CompoundFeed && answer)
        LRESULT = true;
}

void Optimizer::closeWait()
{
    if (waitOpen_) {
        waitOpen_ = false;
        OOWNER->waitClose();
    }
}

QDateTime Optimizer::reportTime() const
{
    return options_.clock ? options_.clock() : QDateTime::currentDateTime();
}

void Optimizer::refuse(const QString& text)
{
    closeWait();
    ERRBEEP(*OOWNER);
    ERRMESS(*OOWNER, text);
}

const std::vector<double>& Optimizer::simplexCost() const
{
    return kind == ProblemKind::DailyRation ? ASIMPLEXCOST : ACOST;
}

void Optimizer::appendCost(double cost)
{
    if (kind == ProblemKind::DailyRation) {
        ASIMPLEXCOST.push_back(cost);
        // Without dry-matter ratios the simplex runs on the prices themselves.
        if (NKMOROW < 0)
            ACOST.push_back(cost);
    } else {
        ACOST.push_back(cost);
    }
}

bool Optimizer::isArtificial(int column) const
{
    return column >= 0 && column < static_cast<int>(artificial.size()) && artificial[column];
}

int Optimizer::basicRow(int column) const
{
    for (int i = 0; i < static_cast<int>(ABASIS.size()); ++i)
        if (ABASIS[i] == column)
            return i;
    return -1;
}

void Optimizer::DESTROY_OLDS()
{
    ABMMATRIX.clear();
    for (auto& a : AUSERLIMITS)
        a.clear();
    AROWNAMES.clear();
    AROWTYPES.clear();
    ACOST.clear();
    ACOLNAMES.clear();
    ARATIOPAIRS.clear();
    AINITBASIS.clear();
    ATABLEAU.clear();
    feedLimitColumns.clear();
    ASIMPLEXCOST.clear();
    AKMOVALUES.clear();
    AKMM_DATA.clear();
}

// ---------------------------------------------------------------------------
// Intake

bool Optimizer::SINDIZOLUSUMU()
{
    const ActiveProblem& p = G();
    const Table& m = p.AMATRIX;
    const int matRows = static_cast<int>(m.size());
    int matCols = 0;
    for (const Row& r : m)
        matCols = std::max(matCols, static_cast<int>(r.size()));

    // Feed row i owns matrix column i and nutrient row i matrix row i. A
    // nameless row is left out together with its column or row; a named row
    // without one, or matrix content beyond the tables, is a mismatch.
    bool mismatch = false;
    feedRows_.clear();
    nutrientRows_.clear();
    for (int i = 0; i < p.AYMTABLE.size(); ++i) {
        if (AllTrim(cellOf(p.AYMTABLE.at(i), YMNAME)).isEmpty())
            continue;
        // With no matrix row there is no cell to miss: every feed has its column.
        if (matRows > 0 && i >= matCols)
            mismatch = true;
        feedRows_.push_back(i);
    }
    for (int c = static_cast<int>(p.AYMTABLE.size()); c < matCols; ++c)
        if (!matrixColumnBlank(m, c))
            mismatch = true;
    for (int i = 0; i < p.ABMTABLE.size(); ++i) {
        if (AllTrim(cellOf(p.ABMTABLE.at(i), BMNAME)).isEmpty())
            continue;
        if (i >= matRows)
            mismatch = true;
        nutrientRows_.push_back(i);
    }
    for (int r = static_cast<int>(p.ABMTABLE.size()); r < matRows; ++r)
        if (!matrixRowBlank(m.at(r)))
            mismatch = true;
    if (mismatch) {
        refuse(optimizer_text::kShapeMismatch);
        return false;
    }

    for (int i : feedRows_) {
        const Row& r = p.AYMTABLE.at(i);
        ACOLNAMES << AllTrim(cellOf(r, YMNAME));
        prices_.push_back(numberOf(cellOf(r, YMPRICE)));
        AYMLIMITS[LIM_FIX].push_back(numberOf(cellOf(r, YMFIX)));
        AYMLIMITS[LIM_LOW].push_back(numberOf(cellOf(r, YMLLIMIT)));
        AYMLIMITS[LIM_UPP].push_back(numberOf(cellOf(r, YMULIMIT)));
    }
    for (int i : nutrientRows_) {
        const Row& r = p.ABMTABLE.at(i);
        AROWNAMES << AllTrim(cellOf(r, BMNAME));
        AROWLIMITS[LIM_FIX].push_back(numberOf(cellOf(r, BMFIX)));
        AROWLIMITS[LIM_LOW].push_back(numberOf(cellOf(r, BMLLIMIT)));
        AROWLIMITS[LIM_UPP].push_back(numberOf(cellOf(r, BMULIMIT)));
    }
    for (const Row& r : p.ABMOTABLE) {
        const QString n1 = cellOf(r, BMONAME1);
        const QString n2 = cellOf(r, BMONAME2);
        if (AllTrim(n1).isEmpty() || AllTrim(n2).isEmpty())
            continue;
        ABMODEFS.push_back({n1, n2, numberOf(cellOf(r, BMOFIX)), numberOf(cellOf(r, BMOLLIMIT)),
                            numberOf(cellOf(r, BMOULIMIT))});
    }
    return true;
}

bool Optimizer::HFVERILMEDI() const
{
    return std::none_of(prices_.begin(), prices_.end(), [](const OptReal& p) { return p.has_value(); });
}

void Optimizer::buildTableau()
{
    const Table& m = G().AMATRIX;
    ATABLEAU.assign(nutrientRows_.size(), std::vector<double>(feedRows_.size(), 0.0));
    for (size_t r = 0; r < nutrientRows_.size(); ++r) {
        const Row& row = m.at(nutrientRows_[r]);
        for (size_t c = 0; c < feedRows_.size(); ++c) {
            ATABLEAU[r][c] = numberOf(cellOf(row, feedRows_[c])).value_or(0.0);
        }
    }
}

void Optimizer::FIATSIZYEM()
{
    for (int n = static_cast<int>(prices_.size()) - 1; n >= 0; --n) {
        if (prices_[n])
            continue;
        for (auto& row : ATABLEAU)
            eraseAt(row, n);
        ACOLNAMES.removeAt(n);
        eraseAt(prices_, n);
        for (auto& a : AYMLIMITS)
            eraseAt(a, n);
    }
    ACOST.clear();
    for (const OptReal& p : prices_)
        ACOST.push_back(*p);
}

// ---------------------------------------------------------------------------
// Tableau construction

void Optimizer::BMUSTLIMADD()
{
    auto& [fix, low, upp] = AROWLIMITS;
    for (size_t i = 0; i < fix.size(); ++i)
        if (fix[i]) {
            low[i].reset();
            upp[i].reset();
        }
    const size_t n = fix.size();
    for (size_t i = 0; i < n; ++i) {
        if (low[i] && upp[i]) {
            ATABLEAU.push_back(ATABLEAU[i]);
            fix.push_back(std::nullopt);
            low.push_back(std::nullopt);
            upp.push_back(upp[i]);
            upp[i].reset();
            AROWNAMES << AROWNAMES.at(static_cast<int>(i));
        }
    }
}

void Optimizer::ADDBMTYPE()
{
    for (int i = 0; i < AROWNAMES.size(); ++i) {
        if (AROWLIMITS[LIM_FIX][i])
            AROWTYPES << kKindFixed;
        else if (AROWLIMITS[LIM_LOW][i])
            AROWTYPES << kKindLower;
        else if (AROWLIMITS[LIM_UPP][i])
            AROWTYPES << kKindUpper;
        else
            AROWTYPES << kKindNone;
    }
}

void Optimizer::BMOUSTLIMADD()
{
    for (RatioDef& d : ABMODEFS)
        if (d.fix) {
            d.low.reset();
            d.upp.reset();
        }
    const size_t n = ABMODEFS.size();
    for (size_t i = 0; i < n; ++i) {
        if (ABMODEFS[i].low && ABMODEFS[i].upp) {
            RatioDef extra{ABMODEFS[i].dividend, ABMODEFS[i].divisor, std::nullopt, std::nullopt, ABMODEFS[i].upp};
            ABMODEFS[i].upp.reset();
            ABMODEFS.push_back(extra);
        }
    }
}

QString Optimizer::GETNTRUNCATED(const QString& c1, const QString& c2)
{
    QString c = c1 + QLatin1Char('/') + c2;
    if (c.size() > 20)
        c = c1.left(9) + QLatin1Char('/') + c2.left(9);
    return c;
}

void Optimizer::BMOADD()
{
    if (ABMODEFS.empty())
        return;
    BMOUSTLIMADD();
    // Ratios name nutrients: only the nutrient rows are searched.
    const QStringList nutrientNames = AROWNAMES.mid(0, NBMROWS);
    for (const RatioDef& d : ABMODEFS) {
        const QString c1 = AllTrim(d.dividend);
        const QString c2 = AllTrim(d.divisor);
        const int p = static_cast<int>(nutrientNames.indexOf(c1));
        const int q = static_cast<int>(nutrientNames.indexOf(c2));
        if (p < 0 || q < 0)
            continue;
        ARATIOPAIRS.push_back({p, q});
        AROWNAMES << GETNTRUNCATED(c1, c2);
        int k = -1;
        if (d.fix)
            k = LIM_FIX;
        else if (d.low)
            k = LIM_LOW;
        else if (d.upp)
            k = LIM_UPP;
        AROWTYPES << (k == LIM_FIX ? kKindFixed : k == LIM_LOW ? kKindLower : k == LIM_UPP ? kKindUpper : kKindNone);
        const OptReal ratio = k == LIM_FIX ? d.fix : k == LIM_LOW ? d.low : k == LIM_UPP ? d.upp : std::nullopt;
        for (int a = 0; a < 3; ++a)
            AUSERLIMITS[a].push_back(a == k ? ratio : std::nullopt);
        if (k < 0)
            continue;
        const double r = *ratio;
        std::vector<double> row(NFEEDCOLS);
        for (int j = 0; j < NFEEDCOLS; ++j)
            row[j] = ATABLEAU[p][j] - ATABLEAU[q][j] * r;
        ATABLEAU.push_back(std::move(row));
        for (int a = 0; a < 3; ++a)
            AROWLIMITS[a].push_back(a == k ? OptReal(0.0) : std::nullopt);
    }
}

void Optimizer::YEMMADADD()
{
    for (int i = 0; i < NFEEDCOLS; ++i)
        if (AYMLIMITS[LIM_FIX][i]) {
            AYMLIMITS[LIM_LOW][i].reset();
            AYMLIMITS[LIM_UPP][i].reset();
        }
    static const QString kinds[3] = {kKindFixed, kKindLower, kKindUpper};
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < NFEEDCOLS; ++i) {
            const OptReal v = AYMLIMITS[k][i];
            if (!v)
                continue;
            AROWNAMES << ACOLNAMES.at(i);
            AROWTYPES << kinds[k];
            feedLimitColumns.push_back(i);
            std::vector<double> row(NFEEDCOLS, 0.0);
            row[i] = 1.0;
            ATABLEAU.push_back(std::move(row));
            for (int a = 0; a < 3; ++a) {
                AUSERLIMITS[a].push_back(a == k ? v : std::nullopt);
                AROWLIMITS[a].push_back(a == k ? v : std::nullopt);
            }
        }
    }
}

void Optimizer::DELBMSINSIZ()
{
    size_t i = 0;
    while (i < ATABLEAU.size()) {
        if (!AROWLIMITS[LIM_FIX][i] && !AROWLIMITS[LIM_LOW][i] && !AROWLIMITS[LIM_UPP][i]) {
            ATABLEAU.erase(ATABLEAU.begin() + static_cast<long>(i));
            for (auto& a : AROWLIMITS)
                a.erase(a.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
}

// The rows are widened once, in BMESITLIK, to the columns still to come (all
// 0.0); each added column then only sets its one entry.
void Optimizer::ADDNMATKOL(int row, double value)
{
    ATABLEAU[row][addedColumns_++] = value;
}

void Optimizer::BMESITLIK()
{
    const size_t rows = ATABLEAU.size();
    size_t lower = 0;
    for (size_t i = 0; i < rows; ++i)
        if (AROWLIMITS[LIM_LOW][i])
            ++lower;
    for (auto& r : ATABLEAU)
        r.resize(static_cast<size_t>(NFEEDCOLS) + lower + rows, 0.0);
    addedColumns_ = NFEEDCOLS;
    artificial.assign(NFEEDCOLS, 0);

    for (size_t i = 0; i < rows; ++i) {
        if (AROWLIMITS[LIM_LOW][i]) {
            ADDNMATKOL(static_cast<int>(i), -1.0);
            appendCost(0.0);
            artificial.push_back(0);
        }
    }
}

void Optimizer::SDEGISKEN()
{
    for (size_t i = 0; i < ATABLEAU.size(); ++i) {
        const bool needsArtificial = AROWLIMITS[LIM_FIX][i] || AROWLIMITS[LIM_LOW][i];
        ADDNMATKOL(static_cast<int>(i), 1.0);
        appendCost(needsArtificial ? NBIGM : 0.0);
        artificial.push_back(needsArtificial ? 1 : 0);
        ABASIS.push_back(addedColumns_ - 1);
    }
    barred.assign(artificial.size(), 0);
}

// ---------------------------------------------------------------------------
// Daily ration: prices per unit of dry matter

bool Optimizer::dryMatterCosts()
{
    using namespace optimizer_text;
    NKMOROW = static_cast<int>(AROWNAMES.mid(0, NBMROWS).indexOf(QStringLiteral("KMO")));
    if (NKMOROW < 0) {
        NKMOROW = -1;
        ERRBEEP(*OOWNER);
        ERRMESS(*OOWNER, kNoKmoRow);
        ASIMPLEXCOST = ACOST;
        return true;
    }

    // A feed without a dry-matter ratio cannot be priced per unit of dry
    // matter: it is left out of the solve, and the user is told which.
    QStringList dropped;
    for (int j = NFEEDCOLS - 1; j >= 0; --j) {
        if (tol::positive(ATABLEAU[NKMOROW][j]))
            continue;
        dropped.prepend(ACOLNAMES.at(j));
        for (auto& row : ATABLEAU)
            eraseAt(row, j);
        for (auto& row : ABMMATRIX)
            eraseAt(row, j);
        eraseAt(ACOST, j);
        ACOLNAMES.removeAt(j);
        for (auto& a : AYMLIMITS)
            eraseAt(a, j);
    }
    NFEEDCOLS = static_cast<int>(ACOST.size());
    if (NFEEDCOLS == 0) {
        refuse(kNoKmoFeed);
        return false;
    }
    if (!dropped.isEmpty()) {
        closeWait();
        UYARI(*OOWNER, kKmoDropped + QLatin1Char('\n') + dropped.join(QLatin1Char('\n')));
    }
    for (int j = 0; j < NFEEDCOLS; ++j) {
        const double k = ATABLEAU[NKMOROW][j];
        AKMOVALUES.push_back(k);
        ASIMPLEXCOST.push_back(ACOST[j] / k * 100.0);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Queries of the report

OptReal Optimizer::ACTSINVALUE(int row) const
{
    for (int k : {LIM_FIX, LIM_LOW, LIM_UPP})
        if (row >= 0 && row < static_cast<int>(AUSERLIMITS[k].size()) && AUSERLIMITS[k][row])
            return AUSERLIMITS[k][row];
    return std::nullopt;
}

QString Optimizer::ISARETVARMI(bool skip, int row, double reached, double limit) const
{
    const QString none(7, QLatin1Char(' '));
    const double r = MROUND(reached, 4);
    const double l = MROUND(limit, 4);
    if (skip || row < 0 || row >= static_cast<int>(AUSERLIMITS[LIM_FIX].size()))
        return none;
    bool mark = false;
    if (AUSERLIMITS[LIM_FIX][row])
        mark = tol::ne(r, l);
    else if (AUSERLIMITS[LIM_LOW][row])
        mark = tol::lt(r, l);
    else if (AUSERLIMITS[LIM_UPP][row])
        mark = tol::gt(r, l);
    return mark ? QStringLiteral("      *") : none;
}

// ---------------------------------------------------------------------------
// Simplex iterations

void Optimizer::useCosts(const std::vector<double>& costs)
{
    costs_ = &costs;
    for (size_t i = 0; i < ABASIS.size(); ++i)
        ACOSTB[i] = costs[ABASIS[i]];
}

void Optimizer::KRITER()
{
    const std::vector<double>& c = *costs_;
    const size_t cols = AZROW.size();
    std::fill(AZROW.begin(), AZROW.end(), 0.0);
    double* z = AZROW.data();
    for (size_t i = 0; i < ATABLEAU.size(); ++i) {
        const double cb = ACOSTB[i];
        if (cb == 0.0)
            continue;
        const double* t = ATABLEAU[i].data();
        for (size_t j = 0; j < cols; ++j)
            z[j] += cb * t[j];
    }
    for (size_t j = 0; j < cols; ++j)
        AZC[j] = AZROW[j] - c[j];
}

bool Optimizer::HEPSI() const
{
    for (size_t j = 0; j < AZC.size(); ++j)
        if (!barred[j] && tol::positive(AZC[j]))
            return false;
    return true;
}

bool Optimizer::hasPositiveEntry(int column) const
{
    for (const auto& row : ATABLEAU)
        if (row[column] > kEntryFloor)
            return true;
    return false;
}

bool Optimizer::GVEKTOR()
{
    const int cols = static_cast<int>(AZC.size());
    if (bland_) {
        for (int j = 0; j < cols; ++j)
            if (!barred[j] && tol::positive(AZC[j]) && hasPositiveEntry(j)) {
                NPIVCOL = j;
                return true;
            }
        return false;
    }
    // The largest reduced cost, the first of equal ones; most of the time it
    // can enter at once.
    int best = -1;
    for (int j = 0; j < cols; ++j)
        if (!barred[j] && tol::positive(AZC[j]) && (best < 0 || tol::gt(AZC[j], AZC[best])))
            best = j;
    if (best < 0)
        return false;
    if (hasPositiveEntry(best)) {
        NPIVCOL = best;
        return true;
    }
    // It cannot: the next largest ones, in turn.
    std::vector<std::pair<int, double>> candidates;
    for (int j = 0; j < cols; ++j)
        if (!barred[j] && tol::positive(AZC[j]) && j != best)
            candidates.emplace_back(j, AZC[j]);
    for (size_t attempt = 0; attempt < candidates.size(); ++attempt) {
        size_t top = 0;
        for (size_t c = 1; c < candidates.size(); ++c)
            if (tol::gt(candidates[c].second, candidates[top].second))
                top = c;
        if (hasPositiveEntry(candidates[top].first)) {
            NPIVCOL = candidates[top].first;
            return true;
        }
        candidates[top].second = 0.0;
    }
    return false;
}

bool Optimizer::HESTETA()
{
    const int k = NPIVCOL;
    const int rows = static_cast<int>(ATABLEAU.size());
    std::fill(ATHETA.begin(), ATHETA.end(), 0.0);
    NPIVROW = -1;

    // How far the step may go before some value falls below 0 by more than
    // kOvershoot. Every row with a positive entry counts here, also one below
    // 0.0000001: contents run from thousandths to thousands, and a small entry
    // of a large column still stops the step.
    double thetaMax = 0.0;
    bool anyRow = false;
    std::vector<int>& candidates = candidateRows_;
    candidates.clear();
    for (int i = 0; i < rows; ++i) {
        const double a = ATABLEAU[i][k];
        if (a <= kEntryFloor)
            continue;
        // A value a hair below 0 stops the step at once, never backwards.
        ATHETA[i] = std::max(ARHS[i], 0.0) / a;
        const double reach = (std::max(ARHS[i], 0.0) + kOvershoot) / a;
        if (!anyRow || reach < thetaMax)
            thetaMax = reach;
        anyRow = true;
        if (tol::positive(a))
            candidates.push_back(i);
    }
    if (!anyRow)
        return false;

    const int chosen = leavingRow(candidates);
    if (chosen >= 0 && ATHETA[chosen] <= thetaMax) {
        NPIVROW = chosen;
        return true;
    }
    // A row with a small entry stops the step first: of the rows that stop it
    // within the overshoot, the largest entry is the steadiest pivot.
    for (int i = 0; i < rows; ++i) {
        const double a = ATABLEAU[i][k];
        if (a > kEntryFloor && ATHETA[i] <= thetaMax && (NPIVROW < 0 || a > ATABLEAU[NPIVROW][k]))
            NPIVROW = i;
    }
    return true;
}

// The ratio test proper over the rows whose entry is at least 0.0000001: the
// smallest quotient, ties broken lexicographically (or, against cycling, by
// the smallest basic column). -1 when there is no such row.
int Optimizer::leavingRow(const std::vector<int>& candidates)
{
    const int k = NPIVCOL;
    if (candidates.empty())
        return -1;
    int best = candidates.front();
    for (int i : candidates)
        if (tol::lt(ATHETA[i], ATHETA[best]))
            best = i;
    std::vector<int>& tied = tiedRows_;
    tied.clear();
    for (int i : candidates)
        if (tol::eq(ATHETA[i], ATHETA[best]))
            tied.push_back(i);
    if (tied.size() < 2)
        return best;

    if (bland_) {
        // The tied row whose basic column has the smallest index leaves.
        int row = tied.front();
        for (int i : tied)
            if (ABASIS[i] < ABASIS[row])
                row = i;
        return row;
    }
    // Entries divided by the pivot-column entry, compared column by column:
    // the added columns first, then the feed columns.
    const int cols = static_cast<int>(ATABLEAU[0].size());
    auto scaled = [&](int r, int j) { return ATABLEAU[r][j] / ATABLEAU[r][k]; };
    for (int step = 0; step < cols; ++step) {
        const int j = step < cols - NFEEDCOLS ? NFEEDCOLS + step : step - (cols - NFEEDCOLS);
        const double first = scaled(tied.front(), j);
        bool differs = false;
        for (size_t t = 1; t < tied.size() && !differs; ++t)
            differs = tol::ne(scaled(tied[t], j), first);
        if (!differs)
            continue;
        int pick = tied.front();
        for (int r : tied)
            if (tol::lt(scaled(r, j), scaled(pick, j)))
                pick = r;
        return pick;
    }
    return best;
}

void Optimizer::TABLODEGIS()
{
    const int r = NPIVROW;
    const int k = NPIVCOL;
    std::vector<double>& prow = ATABLEAU[r];
    const size_t cols = prow.size();
    const double p = prow[k];
    if (p != 1.0) {
        const double inv = 1.0 / p;
        for (double& v : prow)
            v *= inv;
        ARHS[r] /= p;
    }
    prow[k] = 1.0;

    // The pivot row's non-zero entries: only those change the other rows.
    nzIndex_.clear();
    nzValue_.clear();
    for (size_t j = 0; j < cols; ++j)
        if (prow[j] != 0.0) {
            nzIndex_.push_back(static_cast<int>(j));
            nzValue_.push_back(prow[j]);
        }
    const bool sparse = nzIndex_.size() * 3 < cols;
    const double* pr = prow.data();
    const double rhs = ARHS[r];
    const size_t count = nzIndex_.size();
    const int* idx = nzIndex_.data();
    const double* nv = nzValue_.data();

    auto eliminate = [&](double* t, double f) {
        if (sparse)
            scatterSubtract(t, idx, nv, count, f);
        else
            rowSubtract(t, pr, cols, f);
    };
    for (size_t i = 0; i < ATABLEAU.size(); ++i) {
        if (static_cast<int>(i) == r)
            continue;
        double* t = ATABLEAU[i].data();
        const double f = t[k];
        if (f == 0.0)
            continue;
        eliminate(t, f);
        t[k] = 0.0;
        ARHS[i] -= f * rhs;
    }
    // The pricing row changes like any other row; KRITER recomputes it in
    // full at the start of a run and before an optimum is accepted.
    if (AZC.size() == cols) {
        const double d = AZC[k];
        if (d != 0.0) {
            eliminate(AZC.data(), d);
            eliminate(AZROW.data(), d);
        }
        AZC[k] = 0.0;
        AZROW[k] = (*costs_)[k];
    }
    ACOSTB[r] = (*costs_)[k];
    ABASIS[r] = k;
}

// Pivots until no column can lower the cost, or until something stops it.
StopReason Optimizer::runLoop()
{
    int degenerateRun = 0;
    bland_ = false;
    KRITER();
    int sincePricing = 0;
    for (;;) {
        if (HEPSI()) {
            if (sincePricing == 0)
                return StopReason::Optimal;
            KRITER();  // the updated pricing, checked against a fresh one
            sincePricing = 0;
            continue;
        }
        if (iterations >= iterationCap)
            return StopReason::IterationCap;
        bland_ = degenerateRun >= kBlandAfter;
        if (!GVEKTOR())
            return StopReason::NoEnteringColumn;
        if (!HESTETA())
            return StopReason::NoPivotRow;
        const bool degenerate = tol::isZero(ATHETA[NPIVROW]);
        TABLODEGIS();
        ++iterations;
        degenerateRun = degenerate ? degenerateRun + 1 : 0;
        if (++sincePricing == kRepriceEvery) {
            KRITER();
            sincePricing = 0;
        }
    }
}

// A column that can replace the artificial basic in `row` without moving the
// solution: not artificial, with a non-zero entry in that row (the largest
// one, for a stable pivot). -1 when the row has none: it is redundant.
int Optimizer::CHEKNEGA(int row) const
{
    const auto& t = ATABLEAU[row];
    std::vector<char> basic(t.size(), 0);
    for (int b : ABASIS)
        basic[b] = 1;
    int best = -1;
    for (int j = 0; j < static_cast<int>(t.size()); ++j) {
        if (artificial[j] || basic[j] || !tol::ne(t[j], 0.0))
            continue;
        if (best < 0 || std::fabs(t[j]) > std::fabs(t[best]))
            best = j;
    }
    return best;
}

// At an optimum: every artificial column still basic at level 0 is replaced
// in its own row by a pivot that leaves the solution where it is, and may not
// enter again. TRUE when some pivot was made (the pricing has changed).
bool Optimizer::CHEKCASES()
{
    bool pivoted = false;
    for (int n = 0; n < static_cast<int>(ABASIS.size()); ++n) {
        const int a = ABASIS[n];
        if (!artificial[a] || !tol::isZero(ARHS[n]))
            continue;
        const int j = CHEKNEGA(n);
        if (j < 0)
            continue;
        ARHS[n] = 0.0;
        NPIVROW = n;
        NPIVCOL = j;
        TABLODEGIS();
        ++iterations;
        barred[a] = 1;
        pivoted = true;
    }
    return pivoted;
}

StopReason Optimizer::runToOptimum()
{
    for (;;) {
        const StopReason r = runLoop();
        if (r != StopReason::Optimal || !CHEKCASES())
            return r;
    }
}

bool Optimizer::artificialAbove(double level) const
{
    for (size_t i = 0; i < ABASIS.size(); ++i)
        if (artificial[ABASIS[i]] && ARHS[i] > level)
            return true;
    return false;
}

bool Optimizer::artificialPositive() const
{
    for (size_t i = 0; i < ABASIS.size(); ++i)
        if (artificial[ABASIS[i]] && tol::positive(ARHS[i]))
            return true;
    return false;
}

// The Big-M optimum is reached. When an artificial column is still above 0,
// either the problem has no solution or M was too small for its numbers:
// minimise the sum of the artificial columns on the same tableau. Only a
// positive minimum means "no solution"; at 0 the solve goes on from there
// with the original costs. From here on no artificial column enters again.
StopReason Optimizer::afterBigM()
{
    if (artificialAbove(kRoundOff)) {
        const auto savedTableau = ATABLEAU;
        const auto savedRhs = ARHS;
        const auto savedBasis = ABASIS;

        phaseOneCost_.assign(artificial.size(), 0.0);
        for (size_t j = 0; j < artificial.size(); ++j)
            if (artificial[j]) {
                phaseOneCost_[j] = 1.0;
                barred[j] = 1;
            }
        useCosts(phaseOneCost_);
        const StopReason r = runLoop();
        if (r != StopReason::Optimal)
            return r;
        if (artificialPositive()) {
            // No solution: the report shows the Big-M end point.
            ATABLEAU = savedTableau;
            ARHS = savedRhs;
            ABASIS = savedBasis;
            return StopReason::Infeasible;
        }
        useCosts(scaledCost_);
    }
    for (size_t j = 0; j < artificial.size(); ++j)
        if (artificial[j])
            barred[j] = 1;
    CHEKCASES();
    return runToOptimum();
}

// The iterations run on a scaled copy of the problem: every tableau row is
// multiplied by a power of two that brings its largest feed entry into [1, 2),
// and the surplus, artificial or slack columns of the row are divided by the
// same factor, so that they stay unit columns. Contents in Kg/Kg and in
// kcal then meet the same tolerances. Powers of two scale without rounding:
// unscaling gives back the very tableau the iterations reached.
void Optimizer::scaleProblem()
{
    const size_t rows = ATABLEAU.size();
    const size_t cols = AZC.size();
    rowScale_.assign(rows, 1.0);
    colScale_.assign(cols, 1.0);
    for (size_t i = 0; i < rows; ++i) {
        double big = 0.0;
        for (int j = 0; j < NFEEDCOLS; ++j)
            big = std::max(big, std::fabs(ATABLEAU[i][j]));
        if (big > 0.0 && std::isfinite(big))
            rowScale_[i] = std::ldexp(1.0, -std::ilogb(big));
    }
    // Column j > feeds belongs to the one row in which it is not 0.
    for (size_t j = NFEEDCOLS; j < cols; ++j)
        for (size_t i = 0; i < rows; ++i)
            if (ATABLEAU[i][j] != 0.0) {
                colScale_[j] = 1.0 / rowScale_[i];
                break;
            }
    for (size_t i = 0; i < rows; ++i) {
        for (size_t j = 0; j < cols; ++j)
            ATABLEAU[i][j] *= rowScale_[i] * colScale_[j];
        ARHS[i] *= rowScale_[i];
    }
    scaledCost_ = simplexCost();
    for (size_t j = 0; j < cols; ++j)
        scaledCost_[j] *= colScale_[j];
}

void Optimizer::unscaleProblem()
{
    const size_t cols = AZC.size();
    std::vector<double> inverse(cols);
    for (size_t j = 0; j < cols; ++j)
        inverse[j] = 1.0 / colScale_[j];  // powers of two: exact
    for (size_t i = 0; i < ATABLEAU.size(); ++i) {
        const double sb = colScale_[ABASIS[i]];
        double* t = ATABLEAU[i].data();
        for (size_t j = 0; j < cols; ++j)
            t[j] *= sb * inverse[j];
        ARHS[i] *= sb;
    }
}

void Optimizer::iterate()
{
    const int rows = static_cast<int>(ATABLEAU.size());
    const int cols = static_cast<int>(AZC.size());
    iterationCap = options_.iterationCap.value_or(50 * (rows + cols));
    iterations = 0;

    scaleProblem();
    useCosts(scaledCost_);
    StopReason r = runLoop();
    if (r == StopReason::Optimal)
        r = afterBigM();

    stopReason = r;
    bool feasible = !artificialPositive();
    for (double v : ARHS)
        if (tol::negative(v))
            feasible = false;
    optimumFound = r == StopReason::Optimal && feasible;

    // The report reads the final tableau in the problem's own units, priced
    // with the original costs.
    unscaleProblem();
    useCosts(simplexCost());
    KRITER();

    if (r == StopReason::IterationCap) {
        closeWait();
        ERRMESS(*OOWNER, optimizer_text::kIterationCap);
    }
}

}  // namespace zeva
