#pragma once
// The least-cost optimisers: KY_OPTIMIZER (compound feed, as-fed basis) and
// GR_OPTIMIZER (daily ration, dry-matter basis). Both are the one engine below,
// run on the active problem G() by the constructor: intake, refusals, the
// Big-M tableau, the simplex iterations, then the report step.
//
// Every field the report reads is public. Positions are 0-based throughout:
// columns, tableau rows, constraint rows (AROWNAMES), ABASIS, AINITBASIS,
// ARATIOPAIRS; -1 means "none" (NPIVROW, NPIVCOL, NKMOROW).
//
// Index spaces:
//   feed column      0 .. NFEEDCOLS-1, the priced feeds in feed-table order;
//   column           feed columns, then one surplus column per "Alt" row, then
//                    one artificial ("Sabit", "Alt") or slack ("Üst") column
//                    per tableau row, in row order;
//   constraint row   every nutrient, ratio and feed-limit line, limitless ones
//                    included (AROWNAMES, AROWTYPES, AUSERLIMITS);
//   tableau row      the constraint rows that have a limit, same order
//                    (ATABLEAU, AROWLIMITS, ABASIS, ACOSTB, ARHS, ATHETA,
//                    AINITBASIS).

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace zeva {

class UserPort;

using OptReal = std::optional<double>;

// Three parallel arrays {fixed, lower, upper} of optional reals.
enum LimitKind { LIM_FIX = 0, LIM_LOW = 1, LIM_UPP = 2 };
using LimitArrays = std::array<std::vector<OptReal>, 3>;

// One ratio definition: the two nutrient names as the ratio table holds them
// (untrimmed) and the ratio's three limits.
struct RatioDef {
    QString dividend;
    QString divisor;
    OptReal fix;
    OptReal low;
    OptReal upp;
};

// The dividend and divisor nutrient rows (positions in AROWNAMES) of a ratio row.
struct RatioPair {
    int dividend = 0;
    int divisor = 0;
};

// Row kinds as the report prints them.
inline const QString kKindFixed = QStringLiteral("Sabit");
inline const QString kKindLower = QStringLiteral("Alt");
inline const QString kKindUpper = QStringLiteral("Üst");
inline const QString kKindNone = QStringLiteral("Yok");

enum class ProblemKind { CompoundFeed, DailyRation };

// Why the iterations ended.
enum class StopReason {
    NotRun,            // refused before the iterations
    Optimal,           // no column can lower the cost
    NoEnteringColumn,  // some reduced cost is positive but no column can enter
    NoPivotRow,        // the ratio test found no row
    IterationCap,      // the iteration cap was reached
    Infeasible,        // the artificial columns cannot all reach 0
};

class Optimizer;

struct OptimizerOptions {
    // Most pivots the solve may make; none given: 50 x (rows + columns).
    std::optional<int> iterationCap;
    // Replaces the report step (SONUCDOSYA) when set: it gets the solved
    // optimiser and answers what SONUCDOSYA would.
    std::function<bool(Optimizer&)> reportStep;
    // The clock of the report's date and time line; none given: the current
    // local time.
    std::function<QDateTime()> clock;
};

class Optimizer {
public:
    virtual ~Optimizer() = default;
    Optimizer(const Optimizer&) = delete;
    Optimizer& operator=(const Optimizer&) = delete;

    // ---- The solve's fields, in the order the report knows them ----
    LimitArrays AYMLIMITS;              // per feed column, as the user gave them
    LimitArrays AROWLIMITS;             // per tableau row: its right-hand side in its kind
    std::vector<RatioDef> ABMODEFS;     // ratio definitions (extra upper ones appended)
    QStringList ACOLNAMES;              // feed column names
    std::vector<int> ABASIS;            // basic column per tableau row
    QStringList AROWNAMES;              // constraint row names
    QStringList AROWTYPES;              // "Sabit", "Alt", "Üst", "Yok" per constraint row
    std::vector<RatioPair> ARATIOPAIRS; // per ratio constraint row
    std::vector<std::vector<double>> ATABLEAU;  // tableau rows x columns
    // Compound feed: the cost of every column (prices, then the added columns).
    // Daily ration: the prices as entered, one per feed column; without a
    // "KMO" row it is the simplex cost vector as well.
    std::vector<double> ACOST;
    // Daily ration only: the cost of every column as the simplex uses it.
    std::vector<double> ASIMPLEXCOST;
    double NBIGM = 0.0;                 // penalty cost of an artificial column
    int NFEEDCOLS = 0;
    int NBMROWS = 0;                    // nutrient rows (extra upper rows and limitless ones included)
    LimitArrays AUSERLIMITS;            // per constraint row, as the report shows it
    std::vector<std::vector<double>> ABMMATRIX;  // NBMROWS nutrient rows x feed columns
    std::vector<double> ACOSTB;         // cost of the basic column per tableau row
    std::vector<double> ARHS;           // value of the basic column per tableau row
    std::vector<double> AZROW;          // z_j per column
    std::vector<double> ATHETA;         // last ratio-test quotients
    int NPIVROW = -1;
    int NPIVCOL = -1;
    std::vector<double> AZC;            // z_j - c_j per column
    std::vector<int> AINITBASIS;        // starting basic column per tableau row
    QString CAMOUNT;                    // from the parameter dialog
    QString CCURRENCY;
    QString CWEIGHTUNIT;
    UserPort* OOWNER = nullptr;         // every box and dialog of the solve goes here
    bool LRESULT = false;
    QList<QPair<QString, QString>> AKMM_DATA;  // compound feed: filled by the report of an optimum
    // Daily ration: the dry-matter ratio (%) of every feed column; empty
    // without a "KMO" row. NKMOROW: position of "KMO" among the nutrient rows,
    // -1 when there is none.
    std::vector<double> AKMOVALUES;
    int NKMOROW = -1;
    // The feed column of every feed-limit row, in the order of those rows
    // (they follow the nutrient and ratio rows in AROWNAMES). Feed names may
    // repeat, so the report finds a limited feed by its column, not its name.
    std::vector<int> feedLimitColumns;

    // ---- How the solve ended ----
    ProblemKind kind;
    StopReason stopReason = StopReason::NotRun;
    bool optimumFound = false;   // the final basis is a feasible optimum
    int iterations = 0;          // pivots made
    int iterationCap = 0;        // the cap in force
    std::vector<char> artificial;  // per column: an artificial column
    std::vector<char> barred;      // per column: kept from entering the basis

    // ---- Queries of the report ----
    // The requested value of a constraint row: its fixed, else lower, else
    // upper limit; none for a limitless row.
    OptReal ACTSINVALUE(int row) const;
    // The 7-character violation mark of a limit line.
    QString ISARETVARMI(bool skip, int row, double reached, double limit) const;
    // The cost vector of the simplex (ACOST or ASIMPLEXCOST).
    const std::vector<double>& simplexCost() const;
    bool isArtificial(int column) const;
    // First tableau row in which the column is basic; -1 when it is not basic.
    int basicRow(int column) const;

    // Closes the please-wait box the caller put up (once).
    void closeWait();
    // The time the report prints.
    QDateTime reportTime() const;

    // ---- The report step ----
    // Asks the report parameters and writes the solution report. Runs once,
    // after the iterations, whatever ended them.
    bool SONUCDOSYA();

    // Releases the working arrays; the object is not used afterwards.
    void DESTROY_OLDS();

    // ---- Steps of the solve (public for tests) ----
    void KRITER();
    bool HEPSI() const;
    bool GVEKTOR();
    bool HESTETA();
    void TABLODEGIS();

    static QString GETNTRUNCATED(const QString& c1, const QString& c2);

protected:
    Optimizer(UserPort& port, ProblemKind kind, OptimizerOptions options);

private:
    bool SINDIZOLUSUMU();
    bool HFVERILMEDI() const;
    void buildTableau();
    void FIATSIZYEM();
    void BMUSTLIMADD();
    void ADDBMTYPE();
    void BMOADD();
    void BMOUSTLIMADD();
    void YEMMADADD();
    void DELBMSINSIZ();
    void BMESITLIK();
    void SDEGISKEN();
    void ADDNMATKOL(int row, double value);
    void appendCost(double cost);
    bool dryMatterCosts();
    void refuse(const QString& text);
    void iterate();
    StopReason runLoop();
    bool CHEKCASES();
    int CHEKNEGA(int row) const;
    StopReason runToOptimum();
    StopReason afterBigM();
    void scaleProblem();
    void unscaleProblem();
    bool artificialAbove(double level) const;
    bool artificialPositive() const;
    void useCosts(const std::vector<double>& costs);
    int leavingRow(const std::vector<int>& candidates);
    bool hasPositiveEntry(int column) const;

    OptimizerOptions options_;
    bool waitOpen_ = true;
    bool bland_ = false;
    const std::vector<double>* costs_ = nullptr;  // the cost vector in force
    std::vector<double> phaseOneCost_;
    std::vector<double> scaledCost_;  // simplex costs of the scaled columns
    std::vector<double> rowScale_;    // per tableau row
    std::vector<double> colScale_;    // per column
    int addedColumns_ = 0;            // columns so far, while BMESITLIK and SDEGISKEN add them
    std::vector<int> candidateRows_;  // ratio test
    std::vector<int> tiedRows_;
    std::vector<int> nzIndex_;        // pivot row's non-zero entries
    std::vector<double> nzValue_;
    std::vector<OptReal> prices_;     // prices of the feed columns during intake
    std::vector<int> feedRows_;       // feed-table row of every feed column at intake
    std::vector<int> nutrientRows_;   // nutrient-table row of every nutrient row at intake
};

// A compound-feed problem (type "K").
class KY_OPTIMIZER : public Optimizer {
public:
    explicit KY_OPTIMIZER(UserPort& port, OptimizerOptions options = {});
    bool RESULT() const { return LRESULT; }
};

// A daily-ration problem (type "G").
class GR_OPTIMIZER : public Optimizer {
public:
    explicit GR_OPTIMIZER(UserPort& port, OptimizerOptions options = {});
};

// The ratios of the active problem that the solve passes over because a
// nutrient they name (trimmed, letter case counting) is not among the
// problem's nutrients: one line per such ratio, naming the ratio and what it
// lacks. Ratios without both names take no part and are not named.
QStringList unusedRatioLines();

// Before a solve: one warning box ("Uyarı...") naming every ratio of
// unusedRatioLines(), nothing when there is none. The solve goes on after it.
void warnUnusedRatios(UserPort& port);

// Texts of the solve's boxes.
namespace optimizer_text {
extern const QString kNoPrice;
extern const QString kNoLimit;
extern const QString kNoKmoRow;
extern const QString kShapeMismatch;
extern const QString kKmoDropped;
extern const QString kNoKmoFeed;
extern const QString kIterationCap;
}  // namespace optimizer_text

}  // namespace zeva
