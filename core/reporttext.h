#pragma once
// Fixed-width text reports: every line exactly 100 characters (padded with
// blanks or cut) and ended by CR LF, written as Windows-1254. A paged report
// may put form feeds (character 12) in front of a line: they take no column
// of it. Form feeds given after the last line end the text on their own.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zeva::report {

inline constexpr int kLineWidth = 100;

// n blanks.
QString b(int n);
// Text left-aligned, right-aligned or centred in w characters (cut when longer).
// Centring gives the odd blank to the right.
QString L(const QString& t, int w);
QString R(const QString& t, int w);
QString C(const QString& t, int w);
// x rounded to d decimals (MROUND: half away from zero, a value that
// floating-point representation left just below the half counting as the
// half), with a point, right-aligned in w. A number wider than w is written
// whole rather than cut.
QString N(double x, int w, int d);
// A number in a column of w characters, never cut: x as N writes it when that
// fits; else rounded to as many of its d decimals as fit (the way SDAYA keeps
// every integer digit of a cell); and when not even its whole part fits, w
// asterisks, the usual mark of a number too wide for its field.
QString numberField(double x, int w, int d);
// n copies of a character.
QString rule(int n, QChar c = QLatin1Char('-'));

class ReportText {
public:
    // Appends one line; it is made exactly kLineWidth characters long.
    void add(const QString& line);
    void blank() { add(QString()); }
    // Appends one line as it is, neither padded nor cut (the few lines of a
    // report that are not 100 characters long).
    void addUnpadded(const QString& line);
    // A form feed in front of the next line added, or at the very end of the
    // text when no line follows.
    void formFeed() { pending_ += QChar(12); }

    const QStringList& lines() const { return lines_; }
    // The whole report as Windows-1254 bytes, every line ended by CR LF, then
    // the form feeds that follow the last line. Characters 1254 cannot hold
    // become "?".
    QByteArray bytes() const;

private:
    QStringList lines_;
    QString pending_;  // form feeds waiting for the next line
};

}  // namespace zeva::report
