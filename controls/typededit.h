#pragma once
// The keystroke rules of the typed edit: a numeric mode that keeps a signed
// number grouped by three with "," and a fixed number of integer digits and
// decimals, and a date mode typed over a ten-character frame "  .  .    " with
// one-key commands that step the date. Pure functions of the text, the
// selection and the key, so the edit and the tests share them.

#include <QDate>
#include <QString>

namespace zeva {

// One keystroke as the edit hands it on: a typed character (Backspace is the
// character 8) or the Delete key.
struct EditKey {
    enum Kind { Char, DeleteKey };
    Kind kind = Char;
    QChar ch;

    static EditKey character(QChar c) { return {Char, c}; }
    static EditKey backspace() { return {Char, QChar(8)}; }
    static EditKey deleteKey() { return {DeleteKey, QChar()}; }
};

// The text with its selection [start, end) (start == end: the caret).
struct EditState {
    QString text;
    int start = 0;
    int end = 0;

    bool operator==(const EditState&) const = default;
};

// The lengths of the numeric mode: SETLEN(length, decimals) keeps `length`
// integer digits, less decimals + 1 when there are decimals.
struct NumericLengths {
    int decimals = 0;
    int integerDigits = 0;

    static NumericLengths SETLEN(int length = 10, int decimals = 0)
    {
        return {decimals, decimals != 0 ? length - (decimals + 1) : length};
    }
};

// Position conversion over `text`: back TRUE turns a shown position into one
// without separators (minus the "," among the first `pos` characters); back
// FALSE the other way (plus the "," among the first ref + 1 characters).
int SETPOS(const QString& text, int pos, int ref, bool back = false);

// The numeric mode's answer to one key; the caret of the result is clamped to
// the text.
EditState numericKey(const EditState& state, const EditKey& key, const NumericLengths& lengths);

// The blank date frame.
QString blankDateText();
// The date mode's answer to one key; `today` for "*".
EditState dateKey(const EditState& state, const EditKey& key, const QDate& today);

// The date `months` months later (earlier when negative), the day kept where
// the month has it and otherwise the month's last day. The empty date stays
// empty.
QDate DATE_ADDMONTH(const QDate& date, int months);

}  // namespace zeva
