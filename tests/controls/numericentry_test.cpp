// The numeric entry of the right-aligned edit, the field format and the small
// rules of the date, file and timer edits, without widgets.
#include "controls/rightsle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zeva::controls;

namespace {

// A key as the edit gets it: "k5" key-down then character, single characters
// typed, and the named keys.
struct Step {
    std::string key;   // "5", "-", ".", "a", "BS", "DEL", "RIGHT", "LEFT"
    std::string text;  // expected text afterwards
    int caret;         // expected caret afterwards
};

// Feeds a key the way the edit does: the key-down of a key with a code of the
// table, then the character of a key that types.
struct Entry {
    FieldSpec format;
    NumEntry state;
    int beeps = 0;

    void apply(NumKey key)
    {
        const NumResult r = PROCESSNUM(format, state, key);
        if (r.beep)
            ++beeps;
        state.text = r.text;
        state.selStart = state.selEnd = r.caret;
        state.fresh = r.fresh;
        state.pendingMinus = r.pendingMinus;
    }

    void press(const std::string& key)
    {
        if (key == "BS") {
            apply({NumKey::KeyDown, kKeyBackspace});
            apply({NumKey::Char, 8});
        } else if (key == "DEL") {
            apply({NumKey::KeyDown, kKeyDelete});
        } else if (key == "RIGHT") {
            apply({NumKey::KeyDown, kKeyRight});
        } else {
            // Keys without a code of their own reach the entry as characters only.
            apply({NumKey::Char, static_cast<int>(key.at(0))});
        }
    }
};

Entry freshEntry(int decimals, const QString& text = QStringLiteral("      0.00"))
{
    Entry e{FieldSpec::number(10, decimals), {}};
    e.state.text = text;
    e.state.selStart = 0;
    e.state.selEnd = static_cast<int>(text.size());
    e.state.fresh = true;
    return e;
}

void runSteps(Entry& e, const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        e.press(s.key);
        EXPECT_EQ(e.state.text, QString::fromStdString(s.text)) << "after " << s.key;
        EXPECT_EQ(e.state.selStart, s.caret) << "after " << s.key;
    }
}

}  // namespace

TEST(NumericEntry, TypingAndBackspacingLikeACalculator)
{
    Entry e = freshEntry(2);
    runSteps(e, {
                    {"5", "      5.00", 7},
                    {"3", "     53.00", 7},
                    {".", "     53.00", 8},
                    {"7", "     53.70", 9},
                    {"2", "     53.72", 10},
                    {"9", "     53.72", 10},  // behind the last decimal
                    {"BS", "     53.70", 9},
                    {"BS", "     53.00", 8},
                    {"BS", "     53.00", 7},   // steps over the separator
                    {"BS", "      5.00", 7},
                    {"BS", "      0.00", 7},
                });
    EXPECT_EQ(e.beeps, 0);
}

TEST(NumericEntry, SignKeys)
{
    Entry e = freshEntry(2);
    runSteps(e, {{"5", "      5.00", 7}, {"3", "     53.00", 7}, {".", "     53.00", 8},
                 {"7", "     53.70", 9}, {"2", "     53.72", 10}});
    runSteps(e, {{"-", "    -53.72", 10}, {"-", "    -53.72", 10}, {"+", "     53.72", 10},
                 {"+", "     53.72", 10}});
}

TEST(NumericEntry, FirstKeyOfAFreshEdit)
{
    struct Case {
        std::vector<std::string> keys;
        const char* text;
        int caret;
    };
    const Case cases[] = {
        {{"-", "5"}, "     -5.00", 7},
        {{"a"}, "      0.00", 7},
        {{"."}, "      0.00", 8},
        {{"DEL"}, "      0.00", 8},  // Delete's code is the code of "."
        {{"RIGHT"}, "     53.72", 7},  // in front of the separator; the edit's own move follows
    };
    for (const Case& c : cases) {
        Entry e = freshEntry(2, QStringLiteral("     53.72"));
        for (const std::string& k : c.keys)
            e.press(k);
        EXPECT_EQ(e.state.text, QString::fromLatin1(c.text)) << c.keys[0];
        EXPECT_EQ(e.state.selStart, c.caret) << c.keys[0];
        EXPECT_FALSE(e.state.fresh);
    }
}

TEST(NumericEntry, NoDecimalsPutsTheFreshCaretAtTheEnd)
{
    Entry e = freshEntry(0, QStringLiteral("         0"));
    runSteps(e, {{"4", "         4", 10}, {"2", "        42", 10}, {".", "        42", 10},
                 {"BS", "         4", 10}});
}

TEST(NumericEntry, SelectionsAndFullWidth)
{
    // A digit replaces the selected "3" and the caret stays behind it.
    Entry e{FieldSpec::number(10, 2), {QStringLiteral("     53.72"), 6, 7, false, false}};
    e.press("9");
    EXPECT_EQ(e.state.text, QStringLiteral("     59.72"));
    EXPECT_EQ(e.state.selStart, 7);

    // Seven integer digits fill the field; an eighth beeps and changes nothing.
    Entry full = freshEntry(2);
    for (char c : std::string("1234567"))
        full.press(std::string(1, c));
    EXPECT_EQ(full.state.text, QStringLiteral("1234567.00"));
    EXPECT_EQ(full.beeps, 0);
    full.press("8");
    EXPECT_EQ(full.state.text, QStringLiteral("1234567.00"));
    EXPECT_EQ(full.beeps, 1);

    // The whole text selected while not fresh makes the next key the first.
    Entry whole{FieldSpec::number(10, 2), {QStringLiteral("     53.72"), 0, 10, false, false}};
    whole.press("4");
    EXPECT_EQ(whole.state.text, QStringLiteral("      4.00"));
}

TEST(NumericEntry, MendedFaults)
{
    // "-" on a number that fills the field would not fit: refused.
    Entry wide{FieldSpec::number(10, 2), {QStringLiteral("1234567.89"), 7, 7, false, false}};
    wide.press("-");
    EXPECT_EQ(wide.state.text, QStringLiteral("1234567.89"));
    EXPECT_EQ(wide.beeps, 1);

    // Backspace (and Delete, and any other key) on a part selection leaves a
    // formatted number; the caret goes to the selection's end.
    for (const char* key : {"BS", "DEL", "x"}) {
        Entry part{FieldSpec::number(10, 2), {QStringLiteral("     53.72"), 5, 7, false, false}};
        part.press(key);
        EXPECT_EQ(part.state.text, QStringLiteral("      0.72")) << key;
        EXPECT_EQ(part.state.selStart, 7) << key;
    }

    // A digit typed left of a leading "-" goes in front of the digits.
    Entry neg{FieldSpec::number(10, 2), {QStringLiteral("    -53.72"), 2, 2, false, false}};
    neg.press("9");
    EXPECT_EQ(neg.state.text, QStringLiteral("   -953.72"));

    // Backspace right behind the separator only steps over it.
    Entry sep{FieldSpec::number(10, 2), {QStringLiteral("     53.72"), 8, 8, false, false}};
    sep.press("BS");
    EXPECT_EQ(sep.state.text, QStringLiteral("     53.72"));
    EXPECT_EQ(sep.state.selStart, 7);

    // Delete at the end removes the last decimal, like Backspace.
    Entry del{FieldSpec::number(10, 2), {QStringLiteral("     53.72"), 10, 10, false, false}};
    del.press("DEL");
    EXPECT_EQ(del.state.text, QStringLiteral("     53.70"));
    EXPECT_EQ(del.state.selStart, 9);

    // A text that was never set is made a number of the field first, the
    // caret in front of the separator.
    Entry empty{FieldSpec::number(10, 2), {QString(), 0, 0, false, false}};
    empty.press("7");
    EXPECT_EQ(empty.state.text, QStringLiteral("      7.00"));
    // A caret at 0 counts as inside the leading blanks: the digit goes in
    // front of the number.
    Entry atZero{FieldSpec::number(10, 2), {QStringLiteral("     53.72"), 0, 0, false, false}};
    atZero.press("1");
    EXPECT_EQ(atZero.state.text, QStringLiteral("    153.72"));
    Entry emptyRight{FieldSpec::number(10, 2), {QString(), 0, 0, false, false}};
    emptyRight.press("RIGHT");
    EXPECT_EQ(emptyRight.state.text, QStringLiteral("      0.00"));

    // A "-" typed first and then given up (the next key replaces the value
    // again) does not turn up on a later digit.
    Entry pending = freshEntry(2);
    pending.press("-");
    pending.state.selStart = 0;
    pending.state.selEnd = 10;
    pending.press("5");
    pending.press("3");
    EXPECT_EQ(pending.state.text, QStringLiteral("     53.00"));
}

TEST(FieldSpec, FormatsAndReads)
{
    const FieldSpec n = FieldSpec::number(10, 2);
    EXPECT_EQ(n.TRANSFORM(53.72), QStringLiteral("     53.72"));
    EXPECT_EQ(SETFIELD(n, QStringLiteral("    -  53.7")), QStringLiteral("    -53.70"));
    EXPECT_EQ(SETFIELD(n, QStringLiteral("1,234.5")), QStringLiteral("   1234.50"));
    EXPECT_EQ(SETFIELD(n, QStringLiteral("    -53.72"), -1), QStringLiteral("     53.72"));
    EXPECT_EQ(SETFIELD(n, QStringLiteral("abc")), QStringLiteral("      0.00"));
    EXPECT_FALSE(fitsField(SETFIELD(n, QStringLiteral("-1234567.89"))));
    EXPECT_DOUBLE_EQ(n.toValue(QStringLiteral("    -53.72")).toDouble(), -53.72);

    const FieldSpec d = FieldSpec::date();
    EXPECT_EQ(d.TRANSFORM(QDate(2024, 6, 15)), QStringLiteral("15.06.2024"));
    EXPECT_EQ(d.toValue(QStringLiteral("31.12.2023")).toDate(), QDate(2023, 12, 31));
    EXPECT_TRUE(d.toValue(QStringLiteral("  .  .    ")).toDate().isNull());
}

TEST(RightEditRules, KeyCodesWeekStartZeroPadFolders)
{
    EXPECT_EQ(keyCodeOf(Qt::Key_Backspace, Qt::NoModifier), 8);
    EXPECT_EQ(keyCodeOf(Qt::Key_Delete, Qt::ShiftModifier), 46);
    EXPECT_EQ(keyCodeOf(Qt::Key_Period, Qt::NoModifier), 0);  // not the code of Delete
    EXPECT_EQ(keyCodeOf(Qt::Key_Period, Qt::KeypadModifier), 110);
    EXPECT_EQ(keyCodeOf(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(keyCodeOf(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(keyCodeOf(Qt::Key_Minus, Qt::NoModifier), 0);
    EXPECT_EQ(keyCodeOf(Qt::Key_Home, Qt::NoModifier), 36);

    EXPECT_EQ(firstDayOfTheWeekCode(Qt::Monday), 2u);
    EXPECT_EQ(firstDayOfTheWeekCode(Qt::Sunday), 1u);
    EXPECT_EQ(firstDayOfTheWeekCode(Qt::Saturday), 0u);

    EXPECT_EQ(zeroPad(42, 6), QStringLiteral("000042"));
    EXPECT_EQ(zeroPad(QStringLiteral("  42.7"), 6), QStringLiteral("000043"));
    EXPECT_EQ(zeroPad(-42, 6), QStringLiteral("-00042"));

    EXPECT_EQ(folderAndName(QStringLiteral("/media/yedek"), QStringLiteral("Matnrc.Dbf")),
              QStringLiteral("/media/yedek/Matnrc.Dbf"));
    EXPECT_EQ(folderAndName(QStringLiteral("/media/yedek/"), QStringLiteral("Matnrc.Dbf")),
              QStringLiteral("/media/yedek/Matnrc.Dbf"));
    EXPECT_EQ(folderAndName(QStringLiteral("/"), QStringLiteral("Matnrc.Dbf")), QStringLiteral("/Matnrc.Dbf"));
    EXPECT_EQ(folderAndName(QStringLiteral("/media/yedek"), QString()), QStringLiteral("/media/yedek/"));
}

TEST(Stopwatch, RunsStopsAndShows)
{
    Stopwatch w;
    const QTime noon(12, 0, 5);
    EXPECT_TRUE(w.start(100.0));
    EXPECT_EQ(w.display(1, 100.0, noon), QStringLiteral("0"));
    EXPECT_EQ(w.display(1, 110.4, noon), QStringLiteral("10"));
    EXPECT_FALSE(w.start(105.0));  // a second start keeps the first
    EXPECT_EQ(w.display(1, 110.4, noon), QStringLiteral("10"));
    EXPECT_TRUE(w.stop(110.4));
    EXPECT_FALSE(w.stop(111.0));
    EXPECT_TRUE(w.start(115.4));
    EXPECT_EQ(w.display(1, 118.4, noon), QStringLiteral("13"));
    EXPECT_EQ(w.display(0, 118.4, noon), QStringLiteral("12:00:05"));
    EXPECT_TRUE(w.display(7, 118.4, noon).isNull());
    w.reset();
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.display(1, 200, noon), QStringLiteral("0"));

    Stopwatch m;
    m.start(0);
    EXPECT_EQ(m.display(2, 119, noon), QStringLiteral("1"));
    EXPECT_EQ(m.display(3, 90, noon), QStringLiteral("1.5"));
    // Far beyond the 16 bits of whole seconds a short counter would hold.
    EXPECT_EQ(m.display(1, 100000, noon), QStringLiteral("100000"));
}
