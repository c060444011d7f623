// Times the optimiser (intake, tableau construction and iterations; no
// report) and GLPK's glp_simplex with default parameters (problem
// construction included) on the same generated compound-feed problems, and
// prints the median time of each and their ratio.
//
//   bench_optimizer [repetitions-scale [only-size-number]]

#include "core/optimizer.h"
#include "core/userport.h"
#include "lpgen.h"

#include <glpk.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace zeva;
using namespace zeva::test;

namespace {

// Says nothing, answers nothing: the benchmark's problems are never refused.
class SilentPort : public UserPort {
public:
    int messageBox(const QString&, const QString&, int, bool) override { return REPLY_OK; }
    void statusText(const QString&) override {}
    void waitOpen() override {}
    void waitClose() override {}
    void tone(int, int) override {}
    ParamAnswer askProblemParams(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    int chooseOne(const QString&, const QStringList&) override { return 0; }
    QList<int> chooseMany(const QString&, const QStringList&, bool) override { return {}; }
    QString askOpenFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QString askSaveFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    NewProblemAnswer askNewProblem() override { return {}; }
    bool askSingleValue(const QString&, const QString&, QString&) override { return false; }
};

// The problem as one would give it to GLPK: one row per nutrient and per
// ratio with its bounds, feed limits as column bounds.
int solveWithGlpk(const GenProblem& p, double* objective)
{
    const std::vector<int> cols = p.columns();
    const std::vector<double> cost = p.costs();
    const int n = static_cast<int>(cols.size());
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    glp_add_cols(lp, n);
    auto bounds = [](const Num& fix, const Num& low, const Num& upp, int* type, double* lb, double* ub) {
        *lb = *ub = 0.0;
        if (fix) {
            *type = GLP_FX, *lb = *ub = *fix;
        } else if (low && upp) {
            *type = GLP_DB, *lb = *low, *ub = *upp;
        } else if (low) {
            *type = GLP_LO, *lb = *low;
        } else if (upp) {
            *type = GLP_UP, *ub = *upp;
        } else {
            *type = GLP_FR;
        }
    };
    for (int c = 0; c < n; ++c) {
        const GenFeed& f = p.feeds[cols[c]];
        int type;
        double lb, ub;
        bounds(f.fix, f.low, f.upp, &type, &lb, &ub);
        if (type == GLP_FR || type == GLP_UP) {
            // Amounts are never negative.
            type = type == GLP_FR ? GLP_LO : (ub > 0 ? GLP_DB : GLP_FX);
            lb = 0.0;
        }
        glp_set_col_bnds(lp, c + 1, type, lb, ub);
        glp_set_obj_coef(lp, c + 1, cost[c]);
    }
    std::vector<int> ind(n + 1);
    std::vector<double> val(n + 1);
    auto addRow = [&](const std::vector<double>& coef, int type, double lb, double ub) {
        const int i = glp_add_rows(lp, 1);
        glp_set_row_bnds(lp, i, type, lb, ub);
        int k = 0;
        for (int c = 0; c < n; ++c)
            if (coef[c] != 0.0) {
                ++k;
                ind[k] = c + 1;
                val[k] = coef[c];
            }
        glp_set_mat_row(lp, i, k, ind.data(), val.data());
    };
    std::vector<double> coef(n);
    for (const GenNutrient& g : p.nutrients) {
        int type;
        double lb, ub;
        bounds(g.fix, g.low, g.upp, &type, &lb, &ub);
        if (type == GLP_FR)
            continue;
        for (int c = 0; c < n; ++c)
            coef[c] = g.cells[cols[c]];
        addRow(coef, type, lb, ub);
    }
    for (const GenRatio& r : p.ratios) {
        // low <= a / b <= upp as a - low b >= 0 and a - upp b <= 0.
        const auto& a = p.nutrients[r.dividend].cells;
        const auto& b = p.nutrients[r.divisor].cells;
        auto ratioRow = [&](double q, int type) {
            for (int c = 0; c < n; ++c)
                coef[c] = a[cols[c]] - q * b[cols[c]];
            addRow(coef, type, 0.0, 0.0);
        };
        if (r.fix) {
            ratioRow(*r.fix, GLP_FX);
            continue;
        }
        if (r.low)
            ratioRow(*r.low, GLP_LO);
        if (r.upp)
            ratioRow(*r.upp, GLP_UP);
    }
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    const int status = glp_get_status(lp);
    *objective = glp_get_obj_val(lp);
    glp_delete_prob(lp);
    return status;
}

struct OurResult {
    bool found = false;
    double cost = 0.0;
    int iterations = 0;
};

OurResult solveWithOptimizer()
{
    SilentPort port;
    OptimizerOptions options;
    options.reportStep = [](Optimizer&) { return true; };
    KY_OPTIMIZER opt(port, options);
    OurResult r;
    r.found = opt.optimumFound;
    r.iterations = opt.iterations;
    for (int j = 0; j < opt.NFEEDCOLS; ++j) {
        const int row = opt.basicRow(j);
        if (row >= 0)
            r.cost += opt.ACOSTB[row] * opt.ARHS[row];
    }
    return r;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <typename F>
double timeOnce(F&& f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(t1 - t0).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
    const int only = argc > 2 ? std::atoi(argv[2]) : 0;
    glp_term_out(GLP_OFF);
    struct Size {
        int feeds;
        int rows;
        int repetitions;
    } sizes[] = {{20, 15, 400}, {50, 30, 100}, {85, 40, 60}, {100, 60, 30}, {200, 100, 10}};
    const int kProblemsPerSize = 5;

    std::printf("%-10s %8s %7s %14s %14s %8s\n", "feeds x", "problems", "pivots", "ours (us)", "GLPK (us)",
                "ratio");
    std::printf("%-10s %8s %7s %14s %14s %8s\n", "rows", "", "median", "median", "median", "ours/GLPK");
    ProblemGenerator gen(7u);
    int number = 0;
    for (const Size& size : sizes) {
        if (only && ++number != only)
            continue;
        const int reps = std::max(1, static_cast<int>(size.repetitions * scale));
        std::vector<double> ours, theirs, pivots;
        int problems = 0;
        for (int attempt = 0; problems < kProblemsPerSize && attempt < 50 * kProblemsPerSize; ++attempt) {
            const GenProblem p = gen.next(size.feeds, size.feeds, size.rows, size.rows, false, false);
            const bool feedLimits = std::any_of(p.feeds.begin(), p.feeds.end(),
                                                [](const GenFeed& f) { return f.fix || f.low || f.upp; });
            if (p.ratios.empty() || !feedLimits)
                continue;  // every problem has both
            p.apply();
            double objective = 0.0;
            const int status = solveWithGlpk(p, &objective);
            const OurResult check = solveWithOptimizer();
            if (status != GLP_OPT || !check.found)
                continue;  // time feasible problems only
            if (std::abs(check.cost - objective) > 1e-6 * std::max(1.0, std::abs(objective))) {
                std::fprintf(stderr, "cost differs: %.9g vs %.9g\n", check.cost, objective);
                return 1;
            }
            ++problems;
            pivots.push_back(check.iterations);
            for (int r = 0; r < reps; ++r) {
                ours.push_back(timeOnce([] { solveWithOptimizer(); }));
                theirs.push_back(timeOnce([&] {
                    double o;
                    solveWithGlpk(p, &o);
                }));
            }
        }
        if (problems == 0) {
            std::printf("%4d x %-3d  no feasible problem generated\n", size.feeds, size.rows);
            continue;
        }
        const double a = median(ours);
        const double b = median(theirs);
        std::printf("%4d x %-3d  %8d %7.0f %14.1f %14.1f %8.2f\n", size.feeds, size.rows, problems, median(pivots), a,
                    b, a / b);
    }
    return 0;
}
