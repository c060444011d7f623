#pragma once
// Builds an active problem in G() from numbers, as the entry windows would
// leave it: numeric text of 11 characters, blank cells for absent values.

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "platform/runtime.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace zeva::test {

using Num = std::optional<double>;

inline QString numText(Num v, int decimals)
{
    if (!v)
        return blankCell();
    const QString t = Str(*v, kNumWidth, decimals);
    if (t.contains(QLatin1Char('*')))
        throw std::invalid_argument("value does not fit a table cell");
    return t;
}

class ProblemBuilder {
public:
    explicit ProblemBuilder(const QString& type = QStringLiteral("K")) : type_(type) {}

    ProblemBuilder& feed(const QString& name, Num price, Num fix = {}, Num low = {}, Num upp = {})
    {
        const int d = type_ == QLatin1String("G") ? 3 : 5;
        feeds_.append(Row{name.leftJustified(kYmNameWidth), numText(price, 3), numText(fix, d),
                          numText(low, d), numText(upp, d)});
        return *this;
    }

    // `cells` holds one content per feed, in feed order.
    ProblemBuilder& nutrient(const QString& name, Num fix, Num low, Num upp, const std::vector<double>& cells,
                             const QString& unit = QStringLiteral("%"))
    {
        nutrients_.append(Row{name.leftJustified(kBmNameWidth), unit.rightJustified(kCellWidth),
                              numText(fix, 4), numText(low, 4), numText(upp, 4)});
        Row m;
        for (double c : cells)
            m << (c == 0.0 ? blankCell() : numText(c, 4));
        matrix_.append(m);
        return *this;
    }

    ProblemBuilder& ratio(const QString& dividend, const QString& divisor, Num fix, Num low, Num upp)
    {
        ratios_.append(Row{dividend.leftJustified(kBmNameWidth), divisor.leftJustified(kBmNameWidth),
                           numText(fix, 4), numText(low, 4), numText(upp, 4)});
        return *this;
    }

    // Writes the problem into G(), replacing what was there.
    void apply() const
    {
        ActiveProblem& p = G();
        p.reset();
        p.AYMTABLE = feeds_;
        p.ABMTABLE = nutrients_;
        p.ABMOTABLE = ratios_;
        p.AMATRIX = matrix_;
        p.APARAMS = {type_, type_ == QLatin1String("G") ? QStringLiteral("1.000") : QStringLiteral("1000.00"),
                     QStringLiteral("TL"), QStringLiteral("Kg")};
        p.rebuildFeedNames();
        p.rebuildNutrientNames();
    }

private:
    QString type_;
    Table feeds_;
    Table nutrients_;
    Table ratios_;
    Table matrix_;
};

}  // namespace zeva::test
