#include "controls/typededit.h"

#include <gtest/gtest.h>

#include <string>

namespace zeva {
namespace {

std::string show(const EditState& s)
{
    return (QLatin1Char('"') + s.text + QStringLiteral("\" ") + QString::number(s.start) +
            (s.end != s.start ? QLatin1Char('-') + QString::number(s.end) : QString()))
        .toStdString();
}

EditState at(const QString& text, int caret) { return {text, caret, caret}; }

EditState typeAll(EditState s, const QString& keys, const NumericLengths& lengths)
{
    for (QChar c : keys)
        s = numericKey(s, EditKey::character(c), lengths);
    return s;
}

TEST(TypedEditNumeric, GroupsDigitsAndKeepsTheLengths)
{
    const NumericLengths ten = NumericLengths::SETLEN(10, 0);
    EXPECT_EQ(show(typeAll({}, QStringLiteral("1234"), ten)), "\"1,234\" 5");
    const EditState full = typeAll({}, QStringLiteral("1234567890"), ten);
    EXPECT_EQ(show(full), "\"1,234,567,890\" 13");
    EXPECT_EQ(show(numericKey(full, EditKey::character(QLatin1Char('1')), ten)), "\"1,234,567,890\" 13")
        << "an eleventh digit is dropped";

    const NumericLengths two = NumericLengths::SETLEN(10, 2);
    EXPECT_EQ(two.integerDigits, 7);
    EditState s = typeAll({}, QStringLiteral("12345678"), two);
    EXPECT_EQ(show(s), "\"1,234,567\" 9");
    s = numericKey(s, EditKey::character(QLatin1Char(',')), two);
    EXPECT_EQ(show(s), "\"1,234,567.\" 10") << "\",\" is the decimal point";
    s = typeAll(s, QStringLiteral("891"), two);
    EXPECT_EQ(show(s), "\"1,234,567.89\" 12") << "a third decimal is dropped";
    const EditState back = numericKey(at(s.text, 3), EditKey::character(QLatin1Char('.')), two);
    EXPECT_EQ(show(back), "\"1,234,567.89\" 10") << "a second \".\" only moves the caret behind the first";

    EXPECT_EQ(show(typeAll({}, QStringLiteral("123"), NumericLengths{})), "\"\" 0") << "no lengths, no digits";
}

TEST(TypedEditNumeric, SignSpaceAndRemovals)
{
    const NumericLengths ten = NumericLengths::SETLEN(10, 0);
    const NumericLengths two = NumericLengths::SETLEN(10, 2);
    struct Case {
        EditState before;
        EditKey key;
        NumericLengths lengths;
        const char* after;
    };
    const Case cases[] = {
        {at(QStringLiteral("1,234"), 5), EditKey::character(QLatin1Char('-')), ten, "\"-1,234\" 6"},
        {at(QStringLiteral("-1,234"), 6), EditKey::character(QLatin1Char('+')), ten, "\"1,234\" 5"},
        {at(QStringLiteral("-1,234"), 6), EditKey::character(QLatin1Char('-')), ten, "\"-1,234\" 6"},
        {at(QStringLiteral("1,234"), 3), EditKey::character(QLatin1Char(' ')), ten, "\"\" 0"},
        {at(QStringLiteral("1,234"), 2), EditKey::backspace(), ten, "\"1,234\" 2"},
        {at(QStringLiteral("-12"), 0), EditKey::character(QLatin1Char('5')), ten, "\"-512\" 2"},
        {at(QStringLiteral("1,234"), 0), EditKey::deleteKey(), ten, "\"234\" 0"},
        {at(QStringLiteral("1,234"), 5), EditKey::backspace(), ten, "\"123\" 3"},
        {{QStringLiteral("1,234"), 0, 3}, EditKey::character(QLatin1Char('9')), ten, "\"934\" 1"},
        {{QStringLiteral("1,234"), 1, 4}, EditKey::deleteKey(), ten, "\"14\" 1"},
        {at(QStringLiteral("1,234"), 1), EditKey::character(QLatin1Char('.')), two, "\"1.23\" 2"},
        {at(QStringLiteral("1,234"), 3), EditKey::character(QLatin1Char('x')), ten, "\"1,234\" 3"},
        {at(QStringLiteral("12"), 2), EditKey::character(QLatin1Char('.')), ten, "\"12\" 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(numericKey(c.before, c.key, c.lengths)), c.after) << show(c.before);
}

TEST(TypedEditDate, DigitsFillTheFrame)
{
    const QDate today(2024, 6, 15);
    const QString blank = blankDateText();
    EXPECT_EQ(blank, QStringLiteral("  .  .    "));
    struct Case {
        EditState before;
        EditKey key;
        const char* after;
    };
    const Case cases[] = {
        {at(blank, 1), EditKey::character(QLatin1Char('1')), "\" 1.  .    \" 3"},
        {at(blank, 0), EditKey::character(QLatin1Char('1')), "\"1 .  .    \" 1"},
        {at(QStringLiteral("15.06.2024"), 2), EditKey::character(QLatin1Char('3')), "\"15.36.2024\" 4"},
        {at(QStringLiteral("15.06.2024"), 0), EditKey::deleteKey(), "\"50.62.024 \" 0"},
        {at(QStringLiteral("15.06.2024"), 2), EditKey::deleteKey(), "\"15.06.2024\" 2"},
        {at(QStringLiteral("15.06.2024"), 3), EditKey::backspace(), "\"1 .06.2024\" 1"},
        {at(QStringLiteral("15.06.2024"), 4), EditKey::character(QLatin1Char('.')), "\"15.06.2024\" 4"},
        {at(QStringLiteral("15.06.2024"), 4), EditKey::character(QLatin1Char('x')), "\"15.06.2024\" 4"},
        {at(QStringLiteral("15.06.2024"), 10), EditKey::character(QLatin1Char('1')), "\"15.06.2024\" 10"},
        {{QStringLiteral("15.06.2024"), 0, 5}, EditKey::character(QLatin1Char('2')), "\"2 .  .2024\" 1"},
        {{QStringLiteral("15.06.2024"), 0, 5}, EditKey::backspace(), "\"15.06.2024\" 0-5"},
        {at(QString(), 0), EditKey::character(QLatin1Char('3')), "\"3 .  .    \" 1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(dateKey(c.before, c.key, today)), c.after) << show(c.before);
}

TEST(TypedEditDate, CommandsStepTheDate)
{
    const QDate today(2024, 6, 15);
    struct Case {
        const char* text;
        char key;
        const char* after;
    };
    const Case cases[] = {
        {"31.12.2023", '+', "01.01.2024"}, {"01.01.2024", '-', "31.12.2023"}, {"31.12.2023", 'D', "01.01.2024"},
        {"01.01.2024", 'd', "31.12.2023"}, {"15.01.2024", 'M', "15.02.2024"}, {"15.01.2024", 'y', "15.01.2023"},
        {"31.01.2024", 'M', "29.02.2024"}, {"29.02.2024", 'Y', "28.02.2025"}, {"31.03.2024", 'm', "29.02.2024"},
        {"15.01.2024", '*', "15.06.2024"}, {"15.01.2024", ' ', "  .  .    "}, {" 1.  .    ", 'M', " 1.  .    "},
        {" 1.  .    ", '+', " 1.  .    "}, {"  .  .    ", '*', "15.06.2024"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateKey(at(QString::fromLatin1(c.text), 0), EditKey::character(QLatin1Char(c.key)), today).text,
                  QString::fromLatin1(c.after))
            << c.text << " " << c.key;
}

TEST(TypedEditDate, AddMonthClampsToTheMonthsEnd)
{
    EXPECT_EQ(DATE_ADDMONTH(QDate(2024, 1, 31), 1), QDate(2024, 2, 29));
    EXPECT_EQ(DATE_ADDMONTH(QDate(2024, 5, 31), -1), QDate(2024, 4, 30));
    EXPECT_EQ(DATE_ADDMONTH(QDate(2024, 1, 15), -13), QDate(2022, 12, 15));
    EXPECT_EQ(DATE_ADDMONTH(QDate(2024, 1, 15), 0), QDate(2024, 1, 15));
    EXPECT_FALSE(DATE_ADDMONTH(QDate(), 1).isValid());
}

}  // namespace
}  // namespace zeva
