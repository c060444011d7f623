#include "controls/rightsle.h"

#include "platform/runtime.h"

#include <algorithm>

namespace zeva::controls {

namespace {

// A number text as Val reads it: blanks anywhere dropped (a "-" put in front
// of a right-aligned number leaves blanks between sign and digits), thousands
// separators dropped when there are any.
QString numberCore(const QString& text)
{
    QString v = text;
    v.remove(QLatin1Char(' '));
    if (v.contains(kThousandsSep))
        v.remove(kThousandsSep);
    return v;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString leftTrimmed(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

int clampPos(int pos, const QString& text)
{
    return std::clamp(pos, 0, static_cast<int>(text.size()));
}

}  // namespace

QString FieldSpec::TRANSFORM(const QVariant& value) const
{
    if (isNumber()) {
        const double v = value.typeId() == QMetaType::QString ? Val(numberCore(value.toString())) : value.toDouble();
        return Str(v, width, DECIMALS);
    }
    if (isDate())
        return DateText(value.typeId() == QMetaType::QString ? DateFromText(value.toString()) : value.toDate());
    return value.toString();
}

QVariant FieldSpec::toValue(const QString& text) const
{
    if (isNumber())
        return Val(numberCore(text));
    if (isDate())
        return DateFromText(text);
    return text;
}

QString SETFIELD(const FieldSpec& format, const QString& value, double factor)
{
    return format.TRANSFORM(Val(numberCore(value)) * factor);
}

bool fitsField(const QString& formatted)
{
    return !formatted.contains(QLatin1Char('*'));
}

NumResult PROCESSNUM(const FieldSpec& format, const NumEntry& entry, NumKey key)
{
    const QChar sep = kDecimalSep;
    const int d = std::max(0, format.DECIMALS);
    const int code = key.code;
    const bool keyDown = key.message == NumKey::KeyDown;
    const QChar k = QChar(static_cast<char16_t>(code));
    const QString zeros(d, QLatin1Char('0'));

    // The text the keystroke works on. One that is not a formatted number of
    // the field (never set, or written from outside) is made one first; the
    // selection keeps its place counted from the right.
    QString text = entry.text;
    int s = std::min(entry.selStart, entry.selEnd);
    int f = std::max(entry.selStart, entry.selEnd);
    s = clampPos(s, text);
    f = clampPos(f, text);
    if ((d > 0 && !text.contains(sep)) || (format.width > 0 && text.size() != format.width)) {
        const bool whole = s == 0 && f == text.size() && s != f;
        const QString old = text;
        text = SETFIELD(format, old);
        if (whole) {
            s = 0;
            f = static_cast<int>(text.size());
        } else if (old.isEmpty()) {
            // A field never set: the caret where a fresh number puts it.
            const qsizetype at = text.indexOf(sep);
            s = f = d > 0 && at >= 0 ? static_cast<int>(at) : static_cast<int>(text.size());
        } else {
            const int delta = static_cast<int>(text.size() - old.size());
            s = clampPos(s + delta, text);
            f = clampPos(f + delta, text);
        }
    }
    const int L = static_cast<int>(text.size());
    const int caretBefore = s;

    bool fresh = entry.fresh;
    bool pendingMinus = entry.pendingMinus;
    QString T = text;
    int p = s;
    bool removed = false;      // the deletion already happened through the selection
    bool partRemoved = false;  // T is the text with a part selection cut out
    bool rebuilt = false;      // T was written by SETFIELD in this keystroke
    bool beep = false;
    bool modified = false;
    const qsizetype sepAt = text.indexOf(sep);
    bool after = d > 0 && (sepAt < 0 || sepAt + 1 <= s);

    // A selection while not fresh: the whole text makes the edit fresh again,
    // a part of it is cut out (the text is right-aligned, so what stands right
    // of the cut keeps its place and the caret goes to the selection's end).
    if (s != f && !fresh) {
        if (s == 0 && f == T.size()) {
            fresh = true;
        } else {
            T = text.left(s) + text.mid(f);
            p = f;
            partRemoved = true;
        }
        if (code == kKeyBackspace || code == kKeyDelete || !keyDown)
            removed = true;
    }

    // Caret keys out of the fresh state or a selection: the caret goes in
    // front of the separator (the edit's own caret movement follows).
    const bool caretKey = code == kKeyTab || code == kKeyEnd || code == kKeyHome || code == kKeyLeft
                          || code == kKeyRight;
    if (caretKey && (fresh || s != f)) {
        T = text;
        partRemoved = false;
        fresh = false;
        if (d > 0) {
            const qsizetype at = T.indexOf(sep);
            s = at < 0 ? static_cast<int>(T.size()) : static_cast<int>(at);
            p = s;
        } else {
            s = f;
            p = f;
        }
    }

    // The integer and decimal parts. A cut that took the separator leaves the
    // digits that are left in the integer part.
    QString intPart;
    QString decPart;
    int q = 0;
    if (d > 0) {
        const qsizetype at = T.indexOf(sep);
        if (at < 0) {
            intPart = T;
        } else {
            intPart = T.left(at);
            decPart = T.mid(at + 1);
        }
        if (after)
            q = std::max(1, s - static_cast<int>(intPart.size()));
    } else {
        intPart = T;
    }

    if (fresh) {
        // The first key replaces the whole value.
        bool update = true;
        if (k == sep) {
            if (after) {
                update = false;
            } else {
                after = true;
                intPart = QStringLiteral("0");
                decPart = zeros;
                ++p;
            }
        } else if (k == QLatin1Char('-')) {
            pendingMinus = true;
            intPart = QStringLiteral("0");
            decPart = zeros;
        } else {
            pendingMinus = false;
            intPart = QString(k);
            decPart = zeros;
        }
        if (update) {
            T = SETFIELD(format, intPart + sep + decPart);
            rebuilt = true;
            fresh = false;
            if (d > 0) {
                const qsizetype at = T.indexOf(sep);
                p = static_cast<int>(after ? at + 1 : at);
            } else {
                p = static_cast<int>(T.size());
            }
        }
    } else if (keyDown && (code == kKeyBackspace || code == kKeyDelete)) {
        // Both remove the character left of the caret. Right behind the
        // separator the caret only steps over it.
        if (!removed) {
            if (after) {
                --q;
                if (q >= 1 && q <= decPart.size())
                    decPart.remove(q - 1, 1);
                --p;
            } else if (s >= 1 && s <= intPart.size()) {
                intPart.remove(s - 1, 1);
            }
            T = SETFIELD(format, intPart + sep + decPart.left(d));
            rebuilt = true;
            if (format.toValue(T).toDouble() == 0) {
                const qsizetype at = T.indexOf(sep);
                p = d > 0 && at >= 0 ? static_cast<int>(at) : static_cast<int>(T.size());
            }
        }
    } else if (caretKey) {
        // Nothing here: the caret keys move the caret.
    } else if (k == QLatin1Char('-') && !T.contains(QLatin1Char('-'))) {
        T = SETFIELD(format, QLatin1Char('-') + intPart + sep + decPart.left(d));
        rebuilt = true;
    } else if (k == QLatin1Char('+') && T.contains(QLatin1Char('-'))) {
        T = SETFIELD(format, intPart + sep + decPart.left(d), -1);
        rebuilt = true;
    } else if (k == sep) {
        if (!after && d > 0) {
            after = true;
            ++p;
        }
    } else if (isDigit(k)) {
        const QString minus = pendingMinus ? QStringLiteral("-") : QString();
        if (after) {
            decPart = q == 1 ? QString(k) + decPart : decPart.left(q - 1) + k;
            T = SETFIELD(format, minus + intPart + sep + decPart.left(d));
            rebuilt = true;
            pendingMinus = false;
            if (!removed)
                ++p;
        } else {
            // A caret inside the leading blanks (or in front of a sign) puts
            // the digit in front of the number's first digit.
            if (s <= 0 || intPart.at(s - 1) == QLatin1Char(' ') || intPart.at(s - 1) == QLatin1Char('-')) {
                qsizetype first = 0;
                while (first < intPart.size()
                       && (intPart.at(first) == QLatin1Char(' ') || intPart.at(first) == QLatin1Char('-')))
                    ++first;
                s = static_cast<int>(std::max<qsizetype>(first, s));
                p = s;
            }
            const QString used = d > 0 ? leftTrimmed(intPart) + sep + decPart.left(d) : leftTrimmed(intPart);
            if (used.size() < L) {
                intPart.insert(s, k);
                const QString joined = d > 0 ? intPart + sep + decPart.left(d) : intPart;
                T = SETFIELD(format, minus + joined.right(L));
                rebuilt = true;
                pendingMinus = false;
                modified = true;
            } else {
                beep = true;
            }
        }
    }

    NumResult result;
    if (!beep && rebuilt && !fitsField(T))
        beep = true;  // the sign or digit would not fit in the field
    if (beep) {
        result.text = text;
        result.fresh = entry.fresh;
        result.pendingMinus = entry.pendingMinus;
        result.beep = true;
        result.caret = caretBefore;
        return result;
    }
    // A keystroke that cut a part out of the text always leaves a whole
    // formatted number.
    if (partRemoved && !rebuilt)
        T = SETFIELD(format, T);
    result.text = T;
    result.caret = clampPos(p, T);
    result.fresh = fresh;
    result.pendingMinus = pendingMinus;
    result.modified = modified;
    return result;
}

int keyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (qtKey) {
    case Qt::Key_Backspace: return kKeyBackspace;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Plus: return keypad ? kKeyPadPlus : 0;
    case Qt::Key_Minus: return keypad ? kKeyPadMinus : 0;
    case Qt::Key_Period:
    case Qt::Key_Comma: return keypad ? kKeyPadDecimal : 0;
    default: return 0;
    }
}

unsigned firstDayOfTheWeekCode(Qt::DayOfWeek day)
{
    switch (day) {
    case Qt::Monday: return 2;
    case Qt::Sunday: return 1;
    default: return 0;
    }
}

QString zeroPad(const QVariant& value, int length)
{
    const double v = value.typeId() == QMetaType::QString ? Val(value.toString()) : value.toDouble();
    QString text = Str(v, length, 0);
    if (!fitsField(text))
        return text;
    const bool negative = text.contains(QLatin1Char('-'));
    text.remove(QLatin1Char('-'));
    text.replace(QLatin1Char(' '), QLatin1Char('0'));
    return negative ? QLatin1Char('-') + text : text;
}

QString folderAndName(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool Stopwatch::start(double now)
{
    if (running_)
        return false;
    running_ = true;
    start_ = now;
    return true;
}

bool Stopwatch::stop(double now)
{
    if (!running_)
        return false;
    running_ = false;
    elapsed_ += static_cast<qint64>(std::max(0.0, now - start_));
    return true;
}

void Stopwatch::reset()
{
    running_ = false;
    elapsed_ = 0;
    start_ = 0;
}

qint64 Stopwatch::wholeSeconds(double now) const
{
    return elapsed_ + (running_ ? static_cast<qint64>(std::max(0.0, now - start_)) : 0);
}

double Stopwatch::seconds(double now) const
{
    return static_cast<double>(elapsed_) + (running_ ? std::max(0.0, now - start_) : 0.0);
}

QString Stopwatch::display(int style, double now, const QTime& timeOfDay) const
{
    switch (style) {
    case 0:
        return timeOfDay.toString(QStringLiteral("hh:mm:ss"));
    case 1:
        return QString::number(wholeSeconds(now));
    case 2:
        return QString::number(wholeSeconds(now) / 60);
    case 3: {
        QString text = QString::number(Round(seconds(now) / 60, 2), 'f', 2);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return text;
    }
    default:
        return QString();
    }
}

}  // namespace zeva::controls
