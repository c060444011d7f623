#pragma once
// The engine of the right-aligned edits: the field description that writes and
// reads an edit's value, the calculator-style keystroke editing of numeric fields,
// and the small rules of the date, file and timer edits. No widgets here.
//
// The field description lives in zeva::controls so that it stays apart from the
// grid's own zeva::FieldSpec (editing/barrayserver.h).

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <Qt>

namespace zeva::controls {

// Numbers are always written and read with a point for decimals and a comma
// for thousands, whatever the locale says.
inline constexpr QChar kDecimalSep = QLatin1Char('.');
inline constexpr QChar kThousandsSep = QLatin1Char(',');

// What an edit holds and how it is shown: type "N" (number), "D" (date), "C"
// (characters) or any other letter; a number's display width and decimals.
struct FieldSpec {
    QString type;
    int width = 0;
    int DECIMALS = 0;

    static FieldSpec number(int width, int decimals) { return {QStringLiteral("N"), width, decimals}; }
    static FieldSpec date() { return {QStringLiteral("D"), 10, 0}; }
    static FieldSpec character(int width = 0) { return {QStringLiteral("C"), width, 0}; }

    bool isNumber() const { return type == QLatin1String("N"); }
    bool isDate() const { return type == QLatin1String("D"); }

    // Value to its text: a number right-aligned at the width with the decimals
    // (asterisks when it does not fit), a date as dd.mm.yyyy, anything else as
    // its plain text.
    QString TRANSFORM(const QVariant& value) const;
    // Text to a value of the type: a double for "N" (blanks and thousands
    // separators ignored), a QDate for "D" (null when the text is no date), the
    // text itself otherwise.
    QVariant toValue(const QString& text) const;
};

// Number text of the field: blanks and (when there are any) thousands
// separators dropped, the number read, multiplied by `factor`, written by the
// field description. A text that reads as no number gives 0.
QString SETFIELD(const FieldSpec& format, const QString& value, double factor = 1);

// True when a text made by TRANSFORM or SETFIELD shows the number (a number
// too wide for the field comes out as asterisks).
bool fitsField(const QString& formatted);

// One keystroke as the edit receives it: a key going down (with a key code of
// the table below) or a character typed.
struct NumKey {
    enum Message { KeyDown, Char };
    Message message = Char;
    int code = 0;  // key code of a key-down, character code of a character
};

// The edit before a keystroke: its text, selection (start <= end, positions
// counted from 0) and the two flags of the numeric entry.
struct NumEntry {
    QString text;
    int selStart = 0;
    int selEnd = 0;
    bool fresh = true;         // the next key replaces the whole value
    bool pendingMinus = false; // a "-" typed first: the next digit makes it negative
};

// The edit after the keystroke: the caret sits at `caret` with nothing selected.
struct NumResult {
    QString text;
    int caret = 0;
    bool fresh = false;
    bool pendingMinus = false;
    bool beep = false;      // the keystroke was refused
    bool modified = false;  // a digit went into the integer part
};

// Calculator-style editing of a numeric field: digits grow the integer part to
// the left of the caret, the separator moves into the decimals, "-" and "+"
// set the sign, Backspace and Delete remove the character left of the caret,
// the first key of a fresh edit replaces the value. Every result is a whole
// formatted number of the field's width.
NumResult PROCESSNUM(const FieldSpec& format, const NumEntry& entry, NumKey key);

// Key codes the edits work with (as the original platform numbers its keys).
enum KeyCode : int {
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyRight = 39,
    kKeyDelete = 46,
    kKeyPadPlus = 107,
    kKeyPadMinus = 109,
    kKeyPadDecimal = 110,
};

// The key code of a Qt key: the codes above, 0 for every other key.
int keyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers);

// The calendar's first column from the locale's first day of the week:
// 2 for Monday, 1 for Sunday, 0 for any other day.
unsigned firstDayOfTheWeekCode(Qt::DayOfWeek day);

// A value as a zero-padded whole number `length` characters wide (a text is
// read as a number first).
QString zeroPad(const QVariant& value, int length);

// A folder chosen for a file: folder, one "/" and the file name.
QString folderAndName(const QString& folder, const QString& name);

// The running-timer edit's stopwatch: whole seconds of the runs already
// stopped, and the start of the current run on a monotonic clock (seconds).
class Stopwatch {
public:
    bool running() const { return running_; }
    // Starts a run; nothing when one is running.
    bool start(double now);
    // Ends the run and adds its whole seconds; nothing when stopped.
    bool stop(double now);
    void reset();

    // Whole seconds so far (stopped runs and the current one).
    qint64 wholeSeconds(double now) const;
    // Exact seconds so far.
    double seconds(double now) const;

    // The text shown by a display style: 0 the time of day hh:mm:ss, 1 elapsed
    // seconds, 2 elapsed whole minutes, 3 elapsed minutes with two decimals.
    // A null text for any other style (the display is left as it is).
    QString display(int style, double now, const QTime& timeOfDay) const;

private:
    qint64 elapsed_ = 0;
    double start_ = 0;
    bool running_ = false;
};

}  // namespace zeva::controls
