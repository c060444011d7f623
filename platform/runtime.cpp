#include "platform/runtime.h"

#include <cmath>

namespace zeva {

QString Str(double value, int width, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(value))
        return QString(qMax(width, 1), QLatin1Char('*'));
    // QString::number always uses the C locale: a point, never a comma.
    QString text = QString::number(Round(value, decimals), 'f', decimals);
    if (text.startsWith(QLatin1Char('-'))) {
        // "-0.00" after rounding prints as "0.00"
        bool allZero = true;
        for (QChar c : text.mid(1))
            if (c.isDigit() && c != QLatin1Char('0'))
                allZero = false;
        if (allZero)
            text = text.mid(1);
    }
    if (width <= 0)
        return text;
    if (text.size() > width)
        return QString(width, QLatin1Char('*'));
    return text.rightJustified(width, QLatin1Char(' '));
}

double Val(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    QString clean;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        if (text.at(i) == QLatin1Char('-'))
            clean += QLatin1Char('-');
        ++i;
    }
    bool point = false;
    bool digits = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            clean += c;
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            clean += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double v = clean.toDouble(&ok);  // C locale
    return ok ? v : 0.0;
}

QString PadL(const QString& text, int width, QChar fill)
{
    if (width <= 0)
        return QString();
    if (text.size() >= width)
        return text.left(width);
    return QString(width - text.size(), fill) + text;
}

QString PadR(const QString& text, int width, QChar fill)
{
    if (width <= 0)
        return QString();
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), fill);
}

QString PadC(const QString& text, int width, QChar fill)
{
    if (width <= 0)
        return QString();
    if (text.size() >= width)
        return text.left(width);
    const int left = (width - text.size()) / 2;
    return QString(left, fill) + text + QString(width - text.size() - left, fill);
}

QString LTrim(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString RTrim(const QString& text)
{
    int n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString AllTrim(const QString& text)
{
    return LTrim(RTrim(text));
}

double Round(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // A value so large that it overflows when scaled has no digits at that
    // many decimals: it is its own rounding.
    if (!std::isfinite(value * scale))
        return value;
    const double r = std::round(value * scale) / scale;
    return r == 0.0 ? 0.0 : r;  // no negative zero
}

QString DateText(const QDate& date)
{
    if (!date.isValid())
        return QStringLiteral("  .  .    ");
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate DateFromText(const QString& text)
{
    return QDate::fromString(AllTrim(text), QStringLiteral("dd.MM.yyyy"));
}

bool ExactEqual(const QString& a, const QString& b)
{
    return a == b;
}

bool BeginsWith(const QString& a, const QString& b)
{
    return a.startsWith(b);
}

QString AsString(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("NIL");
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral(".T.") : QStringLiteral(".F.");
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return QString::number(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return QStringLiteral("*");
        // Shortest text that reads back as the same number, never an exponent.
        QString text = QString::number(d, 'f', 15);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    }
    case QMetaType::QDate:
        return DateText(value.toDate());
    default:
        return value.toString();
    }
}

namespace {
bool& deletedSetting()
{
    static bool hide = true;
    return hide;
}
}  // namespace

bool SetDeleted()
{
    return deletedSetting();
}

bool SetDeleted(bool hide)
{
    const bool before = deletedSetting();
    deletedSetting() = hide;
    return before;
}

bool isNumberValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

}  // namespace zeva
