#include "core/reporttext.h"

#include "core/numeric.h"
#include "platform/codec.h"
#include "platform/runtime.h"

#include <cmath>

namespace zeva::report {

QString b(int n)
{
    return QString(qMax(0, n), QLatin1Char(' '));
}

QString L(const QString& t, int w) { return PadR(t, w); }
QString R(const QString& t, int w) { return PadL(t, w); }
QString C(const QString& t, int w) { return PadC(t, w); }

QString N(double x, int w, int d)
{
    const QString s = Str(MROUND(x, d), 0, d);
    return s.size() >= w ? s : s.rightJustified(w, QLatin1Char(' '));
}

QString numberField(double x, int w, int d)
{
    const QString stars(qMax(0, w), QLatin1Char('*'));
    if (!std::isfinite(x))
        return stars;
    for (int decimals = qMax(0, d); decimals >= 0; --decimals) {
        const QString s = N(x, 0, decimals);
        if (s.size() <= w)
            return s.rightJustified(w, QLatin1Char(' '));
    }
    return stars;
}

QString rule(int n, QChar c)
{
    return QString(qMax(0, n), c);
}

void ReportText::add(const QString& line)
{
    lines_ << pending_ + PadR(line, kLineWidth);
    pending_.clear();
}

void ReportText::addUnpadded(const QString& line)
{
    lines_ << pending_ + line;
    pending_.clear();
}

QByteArray ReportText::bytes() const
{
    QByteArray out;
    out.reserve(lines_.size() * (kLineWidth + 2));
    for (const QString& l : lines_) {
        out += cp1254::encode(l);
        out += "\r\n";
    }
    out += cp1254::encode(pending_);
    return out;
}

}  // namespace zeva::report
