#include "core/numeric.h"

#include "platform/runtime.h"

#include <cmath>

namespace zeva {

bool isBlankCell(const QString& cell)
{
    for (QChar c : cell)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

QString computedCell(double value)
{
    const QString t = Str(MROUND(value, 4), kNumWidth, 4);
    return t.size() > kNumWidth || t.contains(QLatin1Char('*')) ? QString() : t;
}

QString SDAYA(const QString& text, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    const QString blanks = blankCell();
    QString t = AllTrim(text);
    if (t.isEmpty())
        return blanks;
    t.replace(QLatin1Char(','), QLatin1Char('.'));

    QString kept;
    for (QChar c : t)
        if (c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            kept += c;
    if (kept.isEmpty())
        return blanks;

    // Split at the first point; further points are dropped, their digits close up.
    const int point = kept.indexOf(QLatin1Char('.'));
    QString intPart = point < 0 ? kept : kept.left(point);
    QString decPart = point < 0 ? QString() : kept.mid(point + 1);
    decPart.remove(QLatin1Char('.'));

    int lead = 0;
    while (lead < intPart.size() && intPart.at(lead) == QLatin1Char('0'))
        ++lead;
    const bool hadZeros = lead > 0;
    intPart = intPart.mid(lead);

    if (decimals == 0) {
        // Cut at the first point: the decimals are dropped, never joined to the
        // integer digits.
        if (intPart.isEmpty()) {
            if (!hadZeros && decPart.isEmpty())
                return blanks;  // a lone point: nothing numeric
            intPart = QStringLiteral("0");
        }
        if (intPart.size() > kNumWidth)
            return blanks;
        return intPart.rightJustified(kNumWidth, QLatin1Char(' '));
    }

    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    if (intPart.size() > kNumWidth)
        return blanks;  // no integer digit is ever cut
    decPart = decPart.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    // Drop decimals until the text fits; with none left there is no point.
    while (!decPart.isEmpty() && intPart.size() + 1 + decPart.size() > kNumWidth)
        decPart.chop(1);
    const QString out = decPart.isEmpty() ? intPart : intPart + QLatin1Char('.') + decPart;
    return out.rightJustified(kNumWidth, QLatin1Char(' '));
}

double MROUND(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const bool neg = value < 0;
    const double scale = std::pow(10.0, decimals);
    double y = std::fabs(value) * scale;
    if (!std::isfinite(y))
        return value;  // too large to have digits at that many decimals
    const double f = y - std::trunc(y);
    y -= f;
    const double d = f - 0.5;
    if (d > 0 || std::fabs(d) < 1e-10)
        y += 1;
    double r = y / scale;
    if (neg)
        r = -r;
    return r == 0.0 ? 0.0 : r;  // no negative zero
}

namespace {
template <typename C, typename Better>
int extremePos(const C& values, Better better)
{
    if (values.empty())
        return 0;
    int best = 1;
    for (int i = 1; i < static_cast<int>(values.size()); ++i)
        if (better(values[i], values[best - 1]))
            best = i + 1;
    return best;
}
}  // namespace

int AMAX(const std::vector<double>& v) { return extremePos(v, [](double a, double b) { return a > b; }); }
int AMIN(const std::vector<double>& v) { return extremePos(v, [](double a, double b) { return a < b; }); }
int AMAX(const QList<double>& v) { return extremePos(v, [](double a, double b) { return a > b; }); }
int AMIN(const QList<double>& v) { return extremePos(v, [](double a, double b) { return a < b; }); }

QList<int> ADIMENS(const QList<QStringList>& table)
{
    if (table.isEmpty())
        return {};
    return {static_cast<int>(table.size()), static_cast<int>(table.first().size())};
}

QList<int> ADIMENS(const QStringList& list)
{
    if (list.isEmpty())
        return {};
    return {static_cast<int>(list.size())};
}

QList<int> ADIMENS(const std::vector<std::vector<double>>& table)
{
    if (table.empty())
        return {};
    return {static_cast<int>(table.size()), static_cast<int>(table.front().size())};
}

bool FLOATEQUAL(double a, double b, int decimals)
{
    const double t = Round(1.0 / std::pow(10.0, decimals), decimals);
    const double diff = Round(std::fabs(a - b), decimals);
    return diff < t;
}

}  // namespace zeva
