#pragma once
// Comparisons of reals for the solver: values closer than kTolerance are equal,
// and "greater than 0" means at least kTolerance. Every caller names the
// comparison it means; there is no global switch.

#include <cmath>

namespace zeva::tol {

inline constexpr double kTolerance = 0.0000001;

inline bool eq(double a, double b) { return std::fabs(a - b) < kTolerance; }
inline bool ne(double a, double b) { return !eq(a, b); }
inline bool gt(double a, double b) { return a - b >= kTolerance; }
inline bool lt(double a, double b) { return b - a >= kTolerance; }
inline bool ge(double a, double b) { return !lt(a, b); }
inline bool le(double a, double b) { return !gt(a, b); }
inline bool isZero(double a) { return eq(a, 0.0); }
inline bool positive(double a) { return gt(a, 0.0); }
inline bool negative(double a) { return lt(a, 0.0); }

}  // namespace zeva::tol
