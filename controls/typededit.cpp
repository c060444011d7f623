#include "controls/typededit.h"

#include "platform/runtime.h"

#include <algorithm>

namespace zeva {

namespace {

int commasIn(const QString& text, int count)
{
    const int n = std::clamp(count, 0, int(text.size()));
    int commas = 0;
    for (int i = 0; i < n; ++i)
        commas += text.at(i) == QLatin1Char(',');
    return commas;
}

QString withoutCommas(QString text) { return text.remove(QLatin1Char(',')); }

QString groupedByThree(const QString& digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

EditState placed(const QString& text, int caret)
{
    const int c = std::clamp(caret, 0, int(text.size()));
    return {text, c, c};
}

const QString kFrame = QStringLiteral("  .  .    ");

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool matchesFrame(const QString& text)
{
    if (text.size() != kFrame.size())
        return false;
    for (int i = 0; i < kFrame.size(); ++i) {
        const QChar c = text.at(i);
        if (kFrame.at(i) == QLatin1Char('.') ? c != QLatin1Char('.') : !(isDigit(c) || c == QLatin1Char(' ')))
            return false;
    }
    return true;
}

}  // namespace

int SETPOS(const QString& text, int pos, int ref, bool back)
{
    if (back)
        return pos - commasIn(text, pos);
    return pos + commasIn(text, ref + 1);
}

EditState numericKey(const EditState& state, const EditKey& key, const NumericLengths& lengths)
{
    const QString shown = state.text;
    QString t = shown;
    int s = std::clamp(std::min(state.start, state.end), 0, int(t.size()));
    const int f = std::clamp(std::max(state.start, state.end), 0, int(t.size()));
    const bool backspace = key.kind == EditKey::Char && key.ch == QChar(8);

    // Removal: a selection goes whatever the key; else Delete and Backspace
    // take one character.
    if (s != f) {
        t.remove(s, f - s);
    } else if (key.kind == EditKey::DeleteKey) {
        if (s < t.size())
            t.remove(s, 1);
    } else if (backspace && s > 0) {
        t.remove(s - 1, 1);
        --s;
    }

    int p = SETPOS(shown, s, s, true);
    const QChar k = key.kind == EditKey::Char ? key.ch : QChar();
    const bool decimalKey = k == QLatin1Char('.') || k == QLatin1Char(',');
    if (key.kind == EditKey::Char && k == QLatin1Char('-') && !t.startsWith(QLatin1Char('-'))) {
        t.prepend(QLatin1Char('-'));
        ++p;
    } else if (key.kind == EditKey::Char && k == QLatin1Char('+') && t.startsWith(QLatin1Char('-'))) {
        t.remove(0, 1);
        if (p > 0)
            --p;
    } else if (key.kind == EditKey::Char && k == QLatin1Char(' ')) {
        t.clear();
        p = 0;
    } else if (key.kind == EditKey::Char && (isDigit(k) || (decimalKey && lengths.decimals > 0))) {
        const QChar c = decimalKey ? QLatin1Char('.') : k;
        int at = s;
        if (p == 0 && t.startsWith(QLatin1Char('-'))) {
            p = 1;
            at = 1;
        }
        if (c != QLatin1Char('.') || !t.contains(QLatin1Char('.'))) {
            t.insert(at, c);
            ++p;
        }
        if (c == QLatin1Char('.')) {
            // The caret goes behind the point, counted on the text as it now
            // stands (counted on the text shown before, a point typed left of
            // a separator would leave the caret in front of it).
            s = int(t.indexOf(QLatin1Char('.'))) + 1;
            p = SETPOS(t, s, s, true);
        }
    }

    // Rebuild: sign, grouped integer digits, and the decimals the field keeps.
    QString sign;
    if (t.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        t.remove(0, 1);
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    QString integer = withoutCommas(dot >= 0 ? t.left(dot) : t);
    integer = integer.left(std::max(lengths.integerDigits, 0));
    QString text = sign + groupedByThree(integer);
    if (dot >= 0) {
        // Separators that stood right of a "." typed into the integer digits
        // are no decimals.
        text += QLatin1Char('.') + withoutCommas(t.mid(dot + 1)).left(std::max(lengths.decimals, 0));
    }
    return placed(text, SETPOS(text, p, s));
}

QString blankDateText() { return kFrame; }

EditState dateKey(const EditState& state, const EditKey& key, const QDate& today)
{
    QString t = matchesFrame(state.text) ? state.text : kFrame;
    int s = std::clamp(std::min(state.start, state.end), 0, int(t.size()));
    const int f = std::clamp(std::max(state.start, state.end), 0, int(t.size()));
    const QChar k = key.kind == EditKey::Char ? key.ch : QChar();
    const bool backspace = key.kind == EditKey::Char && k == QChar(8);
    const bool digit = key.kind == EditKey::Char && isDigit(k);
    const bool command = key.kind == EditKey::Char && QStringLiteral("+-dDmMyY* ").contains(k);

    if (!(digit && s < 10) && !backspace && key.kind != EditKey::DeleteKey && !command)
        return {t, state.start, state.end};

    if (s != f && s < 10 && digit) {
        for (int i = s; i < f; ++i)
            t[i] = kFrame.at(i);
    }

    if (backspace || key.kind == EditKey::DeleteKey) {
        if (s != f)
            return {t, state.start, state.end};
        if (backspace) {
            if (s > 0 && t.at(s - 1) == QLatin1Char('.'))
                --s;
            if (s > 0) {
                t[s - 1] = QLatin1Char(' ');
                --s;
            }
        } else {
            QString rest = t;
            if (s < rest.size())
                rest.remove(s, 1);
            rest += QLatin1Char(' ');
            rest.remove(QLatin1Char('.'));
            rest.truncate(8);
            t = rest.left(2) + QLatin1Char('.') + rest.mid(2, 2) + QLatin1Char('.') + rest.mid(4, 4);
        }
        return placed(t, s);
    }

    if (command) {
        const QDate date = DateFromText(t);
        QDate result = date;
        switch (k.toLatin1()) {
        case '+':
        case 'D':
            result = date.isValid() ? date.addDays(1) : date;
            break;
        case '-':
        case 'd':
            result = date.isValid() ? date.addDays(-1) : date;
            break;
        case 'M':
            result = DATE_ADDMONTH(date, 1);
            break;
        case 'm':
            result = DATE_ADDMONTH(date, -1);
            break;
        case 'Y':
            result = DATE_ADDMONTH(date, 12);
            break;
        case 'y':
            result = DATE_ADDMONTH(date, -12);
            break;
        case '*':
            result = today;
            break;
        default:  // space: the empty date
            return placed(kFrame, s);
        }
        // A half-typed date that reads as no date stays as it is.
        if (!date.isValid() && k != QLatin1Char('*'))
            return placed(t, s);
        return placed(result.isValid() ? DateText(result) : kFrame, s);
    }

    // A digit: overwrites the digit place at the caret (a dot there: the next
    // place), then the caret skips the dot that follows.
    if (kFrame.at(s) == QLatin1Char('.'))
        ++s;
    t = t.left(s) + k + t.mid(s + 1);
    while (s + 1 < kFrame.size() && kFrame.at(s + 1) != QLatin1Char(' ') && s < 10)
        ++s;
    return placed(t, s + 1);
}

QDate DATE_ADDMONTH(const QDate& date, int months)
{
    if (!date.isValid())
        return {};
    const QDate first = QDate(date.year(), date.month(), 1).addMonths(months);
    if (!first.isValid())
        return {};
    return QDate(first.year(), first.month(), std::min(date.day(), first.daysInMonth()));
}

}  // namespace zeva
