#pragma once
// Runtime helpers shared by every part of the program: number <-> text in the
// program's own fixed format (always with a point, whatever the locale says),
// padding, rounding, dates and the two string comparisons.

#include <QDate>
#include <QString>
#include <QVariant>

namespace zeva {

// Number as text right-aligned in `width` characters with `decimals` decimals.
// A number that does not fit is shown as `width` asterisks. Width 0: as many
// characters as the number needs (one asterisk for infinity and NaN).
QString Str(double value, int width, int decimals = 0);

// Text to number: leading blanks skipped, an optional sign, digits with at most
// one point; reading stops at the first other character. 0 when nothing numeric.
double Val(const QString& text);

// Pad with blanks (or cut) to exactly `width` characters. PadL aligns right,
// PadR aligns left, PadC centres. A text longer than `width` keeps its first
// `width` characters in all three.
QString PadL(const QString& text, int width, QChar fill = QLatin1Char(' '));
QString PadR(const QString& text, int width, QChar fill = QLatin1Char(' '));
QString PadC(const QString& text, int width, QChar fill = QLatin1Char(' '));

// Leading and trailing blanks removed (blanks only, not other white space).
QString AllTrim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);

// Round half away from zero at `decimals` decimals.
double Round(double value, int decimals);

// Dates are written and read as dd.mm.yyyy.
QString DateText(const QDate& date);
QDate DateFromText(const QString& text);

// Exact comparison: same characters, same length.
bool ExactEqual(const QString& a, const QString& b);
// The non-exact comparison: TRUE when `a` begins with `b` (an empty `b` matches
// everything).
bool BeginsWith(const QString& a, const QString& b);

// The general conversion of any value to text: a text stays as it is, a
// logical reads ".T." or ".F.", a whole number its digits, a fractional number
// its digits with a point, a date dd.mm.yyyy, an absent value "NIL".
QString AsString(const QVariant& value);

// Whether a value holds a number (of any of the numeric types; not a logical).
bool isNumberValue(const QVariant& value);

// The runtime's deleted setting: TRUE (the program's setting) hides records
// marked deleted from table walks. Servers read it when they are built.
bool SetDeleted();
// Sets it and returns the setting it had before.
bool SetDeleted(bool hide);

}  // namespace zeva
