#pragma once
// Numeric text of the problem tables and the small numeric helpers of the
// optimisers.
//
// Numeric text: exactly 11 characters, right-aligned, digits and at most one
// point, a fixed number of decimals; 11 blanks mean "no value".

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace zeva {

inline constexpr int kNumWidth = 11;

// Turns typed text into numeric text with `decimals` decimals (see numeric.cpp).
QString SDAYA(const QString& text, int decimals);

// Rounds half away from zero at `decimals` decimals, taking a value that
// floating-point representation left just below the half as the half.
double MROUND(double value, int decimals);

// 1-based position of the largest / smallest element, the first one on ties;
// 0 for an empty list.
int AMAX(const std::vector<double>& values);
int AMIN(const std::vector<double>& values);
int AMAX(const QList<double>& values);
int AMIN(const QList<double>& values);

// Dimensions of a nested array, following the first element of each level.
QList<int> ADIMENS(const QList<QStringList>& table);
QList<int> ADIMENS(const QStringList& list);
QList<int> ADIMENS(const std::vector<std::vector<double>>& table);

// TRUE when a and b are equal at `decimals` decimals.
bool FLOATEQUAL(double a, double b, int decimals);

// 11 blanks: the cell that holds no value.
inline QString blankCell() { return QString(kNumWidth, QLatin1Char(' ')); }

// TRUE when the cell is empty or only blanks.
bool isBlankCell(const QString& cell);

// The numeric text of a computed value with 4 decimals; empty when it does
// not fit the cell (a number is never cut or shown as filler).
QString computedCell(double value);

}  // namespace zeva
