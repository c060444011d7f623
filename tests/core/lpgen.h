#pragma once
// Random feed problems for comparing the optimiser with an independent LP
// solver: the problem as the tables hold it, and the same problem written out
// as limit rows over the feeds that take part in the solve, in the order in
// which the optimiser lays out its tableau rows.

#include "problembuilder.h"

#include <cmath>
#include <random>
#include <vector>

namespace zeva::test {

struct GenFeed {
    QString name;
    Num price;
    Num fix, low, upp;
};

struct GenNutrient {
    QString name;
    Num fix, low, upp;
    std::vector<double> cells;  // one per feed
};

struct GenRatio {
    int dividend = 0;  // nutrient positions
    int divisor = 0;
    Num fix, low, upp;
};

enum class Sense { Fixed, Lower, Upper };

struct LimitRow {
    std::vector<double> coef;  // over the solve's feed columns
    Sense sense = Sense::Lower;
    double rhs = 0.0;
};

struct GenProblem {
    bool daily = false;
    std::vector<GenFeed> feeds;
    std::vector<GenNutrient> nutrients;
    std::vector<GenRatio> ratios;

    void apply() const
    {
        ProblemBuilder b(daily ? QStringLiteral("G") : QStringLiteral("K"));
        for (const GenFeed& f : feeds)
            b.feed(f.name, f.price, f.fix, f.low, f.upp);
        for (const GenNutrient& n : nutrients)
            b.nutrient(n.name, n.fix, n.low, n.upp, n.cells);
        for (const GenRatio& r : ratios)
            b.ratio(nutrients[r.dividend].name, nutrients[r.divisor].name, r.fix, r.low, r.upp);
        b.apply();
    }

    int kmoRow() const
    {
        if (!daily)
            return -1;
        for (size_t i = 0; i < nutrients.size(); ++i)
            if (nutrients[i].name == QLatin1String("KMO"))
                return static_cast<int>(i);
        return -1;
    }

    // Feeds that take part: priced and, in a ration with dry-matter ratios,
    // with a ratio above 0.
    std::vector<int> columns() const
    {
        std::vector<int> cols;
        const int kmo = kmoRow();
        for (size_t j = 0; j < feeds.size(); ++j)
            if (feeds[j].price && (kmo < 0 || nutrients[kmo].cells[j] > 0))
                cols.push_back(static_cast<int>(j));
        return cols;
    }

    std::vector<double> costs() const
    {
        std::vector<double> c;
        const int kmo = kmoRow();
        for (int j : columns())
            c.push_back(kmo < 0 ? *feeds[j].price : *feeds[j].price / nutrients[kmo].cells[j] * 100.0);
        return c;
    }

    std::vector<LimitRow> rows() const
    {
        const std::vector<int> cols = columns();
        std::vector<LimitRow> out;
        auto over = [&](auto&& f) {
            std::vector<double> v;
            for (int j : cols)
                v.push_back(f(j));
            return v;
        };
        auto add = [&](std::vector<double> coef, Num fix, Num low, Num upp, bool ratio, bool upperOnly) {
            Sense s;
            double r;
            if (upperOnly) {
                s = Sense::Upper, r = *upp;
            } else if (fix) {
                s = Sense::Fixed, r = *fix;
            } else if (low) {
                s = Sense::Lower, r = *low;
            } else if (upp) {
                s = Sense::Upper, r = *upp;
            } else {
                return;
            }
            LimitRow row;
            row.sense = s;
            if (ratio) {
                // coef holds dividend and divisor interleaved: a_p - R a_q.
                for (size_t k = 0; k < coef.size(); k += 2)
                    row.coef.push_back(coef[k] - r * coef[k + 1]);
                row.rhs = 0.0;
            } else {
                row.coef = std::move(coef);
                row.rhs = r;
            }
            out.push_back(std::move(row));
        };
        for (const GenNutrient& n : nutrients)
            add(over([&](int j) { return n.cells[j]; }), n.fix, n.low, n.upp, false, false);
        for (const GenNutrient& n : nutrients)
            if (!n.fix && n.low && n.upp)
                add(over([&](int j) { return n.cells[j]; }), {}, {}, n.upp, false, true);
        auto ratioCoef = [&](const GenRatio& r) {
            std::vector<double> v;
            for (int j : cols) {
                v.push_back(nutrients[r.dividend].cells[j]);
                v.push_back(nutrients[r.divisor].cells[j]);
            }
            return v;
        };
        for (const GenRatio& r : ratios)
            add(ratioCoef(r), r.fix, r.low, r.upp, true, false);
        for (const GenRatio& r : ratios)
            if (!r.fix && r.low && r.upp)
                add(ratioCoef(r), {}, {}, r.upp, true, true);
        for (int pass = 0; pass < 3; ++pass) {
            for (size_t c = 0; c < cols.size(); ++c) {
                const GenFeed& f = feeds[cols[c]];
                const Num v = pass == 0 ? f.fix : f.fix ? Num{} : pass == 1 ? f.low : f.upp;
                if (!v)
                    continue;
                std::vector<double> coef(cols.size(), 0.0);
                coef[c] = 1.0;
                LimitRow row{coef, pass == 0 ? Sense::Fixed : pass == 1 ? Sense::Lower : Sense::Upper, *v};
                out.push_back(row);
            }
        }
        return out;
    }
};

// Random problems around a known mix: most are feasible, some are made
// infeasible on purpose.
class ProblemGenerator {
public:
    explicit ProblemGenerator(unsigned seed) : rng_(seed) {}

    GenProblem next(int minFeeds, int maxFeeds, int minRows, int maxRows, bool daily, bool allowInfeasible)
    {
        GenProblem p;
        p.daily = daily;
        const int nf = uniformInt(minFeeds, maxFeeds);
        const int nr = uniformInt(minRows, maxRows);
        const double total = daily ? 10.0 : 1.0;  // kg of dry matter a day, or the unit of weight

        // The reference mix: a few feeds carry it.
        std::vector<double> x(nf, 0.0);
        double sum = 0;
        for (double& v : x)
            if (chance(0.6)) {
                v = uniform(0.05, 1.0);
                sum += v;
            }
        if (sum == 0) {
            x[0] = 1;
            sum = 1;
        }
        for (double& v : x)
            v = v / sum * total;

        for (int j = 0; j < nf; ++j) {
            GenFeed f;
            f.name = QStringLiteral("YEM%1").arg(j + 1);
            if (!chance(0.05))
                f.price = chance(0.04) ? 0.0 : round(uniform(0.05, 5.0), 3);
            if (chance(0.25)) {
                const int d = daily ? 3 : 5;
                const int kind = uniformInt(0, 9);
                if (kind == 0) {
                    f.fix = round(x[j], d);
                } else {
                    if (kind <= 6)
                        f.upp = roundUp(x[j] * uniform(1.0, 2.0) + 0.05 * total, d);
                    if (kind >= 5)
                        f.low = roundDown(x[j] * uniform(0.0, 1.0), d);
                }
            }
            p.feeds.push_back(f);
        }

        // The weight (or daily dry matter) row first, then the nutrients.
        int n = 0;
        if (chance(0.9)) {
            p.nutrients.push_back({daily ? QStringLiteral("KMT") : QStringLiteral("AGIRLIK"), total, {}, {},
                                   std::vector<double>(nf, 1.0)});
            ++n;
        }
        if (daily && chance(0.85)) {
            GenNutrient kmo{QStringLiteral("KMO"), {}, {}, {}, {}};
            for (int j = 0; j < nf; ++j)
                kmo.cells.push_back(chance(0.08) ? 0.0 : round(uniform(15, 95), 1));
            p.nutrients.push_back(kmo);
            ++n;
        }
        static const double scales[] = {0.001, 0.01, 1, 10, 100, 3000};
        for (; n < nr; ++n) {
            GenNutrient g;
            g.name = QStringLiteral("BM%1").arg(n + 1);
            const double scale = scales[uniformInt(0, 5)];
            for (int j = 0; j < nf; ++j)
                g.cells.push_back(chance(0.3) ? 0.0 : round(uniform(0, 2 * scale), 4));
            double v = 0;
            for (int j = 0; j < nf; ++j)
                v += g.cells[j] * x[j];
            const int kind = uniformInt(0, 11);
            if (kind == 0 && v > 0)
                g.fix = round(v, 4);
            else if (kind <= 4)
                g.low = roundDown(v * uniform(0.5, 1.0), 4);
            else if (kind <= 7)
                g.upp = roundUp(v * uniform(1.0, 1.6), 4);
            else if (kind <= 9) {
                g.low = roundDown(v * uniform(0.6, 1.0), 4);
                g.upp = roundUp(v * uniform(1.0, 1.4), 4);
            }
            p.nutrients.push_back(g);
        }

        const int nratios = uniformInt(0, 3);
        for (int k = 0; k < nratios && p.nutrients.size() >= 2; ++k) {
            GenRatio r;
            r.dividend = uniformInt(0, static_cast<int>(p.nutrients.size()) - 1);
            r.divisor = uniformInt(0, static_cast<int>(p.nutrients.size()) - 1);
            double a = 0, b = 0;
            for (int j = 0; j < nf; ++j) {
                a += p.nutrients[r.dividend].cells[j] * x[j];
                b += p.nutrients[r.divisor].cells[j] * x[j];
            }
            const double q = b > 0 ? a / b : 0.0;
            if (q <= 0 || q > 9999)
                continue;  // no ratio worth a limit, or one the table cannot hold
            const int kind = uniformInt(0, 3);
            if (kind == 0)
                r.low = roundDown(q * uniform(0.5, 1.0), 4);
            else if (kind == 1)
                r.upp = roundUp(q * uniform(1.0, 1.5) + 0.0001, 4);
            else if (kind == 2) {
                r.low = roundDown(q * uniform(0.5, 1.0), 4);
                r.upp = roundUp(q * uniform(1.0, 1.5) + 0.0001, 4);
            }
            p.ratios.push_back(r);
        }

        if (allowInfeasible && chance(0.2)) {
            // A nutrient asked above what any feed holds, at the full weight.
            const int i = static_cast<int>(p.nutrients.size()) - 1;
            GenNutrient& g = p.nutrients[i];
            double most = 0;
            for (double c : g.cells)
                most = std::max(most, c);
            g.fix.reset();
            g.upp.reset();
            g.low = roundUp(most * total * 1.3 + 0.01, 4);
        }
        return p;
    }

    int uniformInt(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    bool chance(double p) { return uniform(0, 1) < p; }

    static double round(double v, int d)
    {
        const double s = std::pow(10.0, d);
        return std::round(v * s) / s;
    }
    static double roundDown(double v, int d)
    {
        const double s = std::pow(10.0, d);
        return std::floor(v * s) / s;
    }
    static double roundUp(double v, int d)
    {
        const double s = std::pow(10.0, d);
        return std::ceil(v * s) / s;
    }

private:
    std::mt19937 rng_;
};

}  // namespace zeva::test
