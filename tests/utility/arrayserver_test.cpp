// The in-memory table server: cursor and notices, fields and row editing,
// filter, seek and sort.
#include "utility/arrayserver.h"

#include "servertestutil.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

using namespace zeva;
using namespace zeva::test;

namespace {

using L = std::vector<int>;

double numberAt(const ARRAYSERVER& s, int row)
{
    return s.DATA()->at(row - 1)->at(0).toDouble();
}

// ---------------------------------------------------------------- cursor

TEST(ArrayServerCursor, EmptyServer)
{
    ARRAYSERVER s(numberColumn(), std::make_shared<ArrayData>());
    NoticeRecorder rec(s);
    EXPECT_TRUE(s.Eof());
    EXPECT_TRUE(s.Bof());
    EXPECT_EQ(s.RECNO(), 1);
    EXPECT_EQ(s.LASTREC(), 0);
    EXPECT_TRUE(s.SKIP(1));
    EXPECT_EQ(rec.take(), L({kDataRecordChange}));
    // Moves on no rows send nothing and change nothing.
    EXPECT_TRUE(s.GOTOP());
    EXPECT_TRUE(s.GOBOTTOM());
    EXPECT_TRUE(s.GOTO(1));
    EXPECT_EQ(rec.take(), L());
    EXPECT_EQ(s.RECNO(), 1);
    EXPECT_TRUE(s.Eof());
    EXPECT_TRUE(s.Bof());
}

TEST(ArrayServerCursor, SkipTable)
{
    const qint64 big = std::numeric_limits<qint64>::max();
    const qint64 small = std::numeric_limits<qint64>::min();
    const struct {
        const char* name;
        int rows;
        bool hide;           // deleted rows hidden (the program's setting)
        QList<int> deleted;
        qint64 start;        // GOTO first; beyond the rows is the end
        qint64 skip;
        qint64 recno;
        bool eof, bof;
    } cases[] = {
        {"forward past the last row", 3, false, {}, 3, 1, 4, true, false},
        {"forward at the end stays", 3, false, {}, 4, 1, 4, true, false},
        {"back past the first row", 5, false, {}, 2, -5, 1, false, true},
        {"back from the end", 5, false, {}, 6, -1, 5, false, false},
        {"huge count forward", 5, false, {}, 1, big, 6, true, false},
        {"huge count back", 5, false, {}, 5, small, 1, false, true},
        {"forward over hidden rows", 5, true, {2, 3}, 1, 1, 4, false, false},
        {"forward into hidden tail", 5, true, {4, 5}, 3, 1, 6, true, false},
        {"two visible rows, back 3 from 5", 5, true, {1, 3, 4}, 5, -3, 5, false, true},
        {"rows 1 and 3 hidden, back from 2", 4, true, {1, 3}, 2, -1, 2, false, true},
        {"back from a hidden start: next visible", 5, true, {1, 2, 3}, 3, -1, 4, false, true},
        {"back from a hidden last row", 3, true, {1, 2, 3}, 3, -1, 4, true, true},
        {"back from the end, all hidden", 2, true, {1, 2}, 3, -1, 3, true, true},
        {"hidden back scan over two rows", 6, true, {2, 4}, 6, -2, 3, false, false},
        {"hiding on, back past the first row", 5, true, {}, 2, -5, 2, false, true},
    };
    for (const auto& c : cases) {
        DeletedSettingGuard setting(c.hide);
        ARRAYSERVER s(numberColumn(), numbered(c.rows));
        for (int r : c.deleted) {
            s.GOTO(r);
            s.DELETE();
        }
        s.GOTO(c.start);
        EXPECT_TRUE(s.SKIP(c.skip)) << c.name;
        EXPECT_EQ(s.RECNO(), c.recno) << c.name;
        EXPECT_EQ(s.Eof(), c.eof) << c.name;
        EXPECT_EQ(s.Bof(), c.bof) << c.name;
    }
}

TEST(ArrayServerCursor, TopBottomAndGoto)
{
    ARRAYSERVER s(numberColumn(), numbered(5));
    NoticeRecorder rec(s);
    s.GOTO(1);
    s.DELETE();
    s.GOTO(5);
    s.DELETE();
    rec.take();

    EXPECT_TRUE(s.GOTOP());
    EXPECT_EQ(s.RECNO(), 2);
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataGoTop}));
    EXPECT_TRUE(s.GOBOTTOM());
    EXPECT_EQ(s.RECNO(), 4);
    EXPECT_FALSE(s.Bof());
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataGoBottom}));

    // GOTO ignores hiding; past the end keeps the begin flag; below 1 is row 1.
    EXPECT_TRUE(s.GOTO(99));
    EXPECT_EQ(s.RECNO(), 6);
    EXPECT_TRUE(s.Eof());
    EXPECT_TRUE(s.GOTO(0));
    EXPECT_EQ(s.RECNO(), 1);
    EXPECT_TRUE(s.Bof());
    EXPECT_FALSE(s.Eof());
    EXPECT_TRUE(s.DELETED());
    EXPECT_EQ(s.FIELDGET(1).toDouble(), 1.0);
    EXPECT_EQ(s.setRECNO(5), 5);
    EXPECT_TRUE(s.DELETED());
    EXPECT_FALSE(s.Bof());
    EXPECT_EQ(rec.take(), L({2, 3, 2, 3, 2, 3}));
}

TEST(ArrayServerCursor, NothingVisible)
{
    ARRAYSERVER s(numberColumn(), numbered(2));
    for (int r : {1, 2}) {
        s.GOTO(r);
        s.DELETE();
    }
    s.GOTO(1);
    s.GOTOP();
    EXPECT_TRUE(s.Eof());
    EXPECT_EQ(s.RECNO(), 3);
    s.GOTO(1);
    s.GOBOTTOM();
    EXPECT_TRUE(s.Eof());
    EXPECT_TRUE(s.Bof());
    EXPECT_EQ(s.RECNO(), 3);
}

TEST(ArrayServerCursor, SetDeletedStartsFromTheRuntimeAndReshowsRows)
{
    {
        DeletedSettingGuard show(false);
        ARRAYSERVER s(numberColumn(), numbered(3));
        EXPECT_FALSE(s.SETDELETED());
        s.DELETE();  // row 1
        NoticeRecorder rec(s);
        EXPECT_TRUE(s.SETDELETED(true));
        EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataGoTop, kDataFileChange}));
        EXPECT_EQ(s.RECNO(), 2);
        EXPECT_FALSE(s.SETDELETED(false));
        s.GOTOP();
        EXPECT_EQ(s.RECNO(), 1);
    }
    ARRAYSERVER hiding(numberColumn(), numbered(1));
    EXPECT_TRUE(hiding.SETDELETED());
}

TEST(ArrayServerCursor, SuspendedClientsHearNothing)
{
    ARRAYSERVER s(numberColumn(), numbered(3));
    NoticeRecorder rec(s);
    rec.refuse = true;
    s.SUSPENDNOTIFICATION();
    EXPECT_EQ(s.NOTIFY(kDataIntentToMove), QVariant(true));
    EXPECT_TRUE(s.SKIP(1));
    EXPECT_TRUE(s.GOBOTTOM());
    EXPECT_EQ(s.RECNO(), 3);  // nobody was asked, so nobody refused
    s.SUSPENDNOTIFICATION();
    s.RESETNOTIFICATION();
    EXPECT_EQ(rec.take(), L());
    s.RESETNOTIFICATION();
    EXPECT_EQ(s.NOTIFY(kDataIntentToMove), QVariant(false));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove}));
}

TEST(ArrayServerCursor, RefusingClientKeepsTheRowAndItsEdits)
{
    auto data = numbered(3);
    ARRAYSERVER s(numberColumn(), data);
    NoticeRecorder rec(s);
    s.GOTO(2);
    s.FIELDPUT(1, 20.0);
    rec.refuse = true;
    rec.take();

    EXPECT_TRUE(s.GOTOP());
    EXPECT_EQ(s.RECNO(), 2);
    EXPECT_EQ(rec.take(), L({kDataIntentToMove}));

    EXPECT_TRUE(s.SKIP(1));
    EXPECT_EQ(s.RECNO(), 2);
    EXPECT_EQ(s.FIELDGET(1).toDouble(), 20.0);  // the edit is kept
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataRecordChange}));
    EXPECT_EQ(numberAt(s, 2), 2.0);
    EXPECT_FALSE(s.APPEND());
    EXPECT_EQ(s.LASTREC(), 3);

    rec.refuse = false;
    EXPECT_TRUE(s.SKIP(1));
    EXPECT_EQ(s.RECNO(), 3);
    EXPECT_EQ(numberAt(s, 2), 20.0);  // written back by the move
}

TEST(ArrayServerCursor, SkipZeroRefreshCommitClose)
{
    auto data = numbered(2);
    ARRAYSERVER s(numberColumn(), data);
    NoticeRecorder rec(s);
    s.FIELDPUT(1, 7.0);
    rec.take();
    EXPECT_TRUE(s.SKIP(0));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataRecordChange, kDataRecordChange}));
    EXPECT_EQ(numberAt(s, 1), 7.0);  // written back before the reload

    s.FIELDPUT(1, 8.0);
    EXPECT_EQ(numberAt(s, 1), 7.0);  // a copy until written back
    EXPECT_TRUE(s.COMMIT());
    EXPECT_EQ(numberAt(s, 1), 8.0);
    s.FIELDPUT(1, 9.0);
    EXPECT_EQ(numberAt(s, 1), 9.0);  // after COMMIT the buffer is the row
    rec.take();

    EXPECT_TRUE(s.CLOSE());
    EXPECT_EQ(rec.take(), L({kDataClose}));
    EXPECT_TRUE(s.SKIP(1));  // still usable
    EXPECT_EQ(s.RECNO(), 2);

    s.FIELDPUT(1, 5.0);
    EXPECT_TRUE(s.REFRESH());
    EXPECT_EQ(s.FIELDGET(1).toDouble(), 2.0);
    s.FIELDPUT(1, 6.0);
    EXPECT_EQ(numberAt(s, 2), 6.0);  // after REFRESH the buffer is the row
}

// ---------------------------------------------------------------- fields

DbStructure mixedColumns()
{
    return {{"NAME", "C", 10, 0}, {"QTY", "N", 8, 2}, {"DAY", "D", 8, 0}, {"OK", "L", 1, 0}, {"NOTE", "M", 10, 0}};
}

TEST(ArrayServerFields, ColumnsByNumberSymbolAndName)
{
    ARRAYSERVER s(mixedColumns(), tableOf({{QString("a"), 1.0, QDate(2024, 1, 2), true, QString("m")}}));
    const struct {
        QVariant column;
        int pos;
    } cases[] = {
        {1, 1},          {5, 5},          {0, 0},           {6, 0},           {-1, 0},
        {2.0, 2},        {1.5, 0},        {QVariant(true), 0}, {QString("QTY"), 2}, {QString("qty"), 0},
        {sym("qty"), 2}, {sym("NOPE"), 0}, {QVariant(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.FIELDPOS(c.column), c.pos) << c.column.toString().toStdString();
    EXPECT_EQ(s.FIELDNAME(sym("day")), QStringLiteral("DAY"));
    EXPECT_EQ(s.FIELDLEN(QString("NAME")), 10);
    EXPECT_EQ(s.FIELDLEN(7), 0);
    EXPECT_TRUE(s.FIELDGET(QString("name ")).isNull());
    EXPECT_EQ(s.labelSymbol(), Symbol("arrayserver"));
    EXPECT_EQ(s.labelCaption(), QStringLiteral("ArrayServer"));
}

TEST(ArrayServerFields, PutStoresTypedValuesUnchanged)
{
    auto data = tableOf({{QString("a"), 1.0, QDate(), false, QString()}});
    ARRAYSERVER s(mixedColumns(), data);
    NoticeRecorder rec(s);
    const QString thirty(30, QLatin1Char('x'));
    EXPECT_EQ(s.FIELDPUT(1, thirty), QVariant(thirty));
    EXPECT_EQ(s.FIELDGET(1).toString(), thirty);
    EXPECT_EQ(s.USUAL2STRING(s.FIELDGET(1), 1), QString(10, QLatin1Char('x')));
    ASSERT_EQ(rec.descriptions.size(), 1);
    EXPECT_EQ(rec.take(), L({kDataFieldChange}));

    // A value of another type, a column not found: nothing stored, no notice.
    EXPECT_EQ(s.FIELDPUT(2, QString("3")), QVariant(0.0));
    EXPECT_EQ(s.FIELDPUT(4, 1), QVariant(false));
    EXPECT_TRUE(s.FIELDPUT(9, 1.0).isNull());
    EXPECT_EQ(rec.take(), L());
    EXPECT_EQ(s.FIELDPUT(2, 3), QVariant(3));  // any number
    EXPECT_EQ(s.FIELDPUT(3, QDate(2024, 2, 29)), QVariant(QDate(2024, 2, 29)));
    EXPECT_EQ(s.FIELDGETFORMATTED(3), QVariant(QStringLiteral("29.02.2024")));
    EXPECT_EQ(s.FIELDGETFORMATTED(2), QVariant(QStringLiteral("    3.00")));

    // The hook says no.
    s.setValidationHook([](int n, const QVariant&) { return n != 5; });
    EXPECT_EQ(s.FIELDPUT(5, QString("memo")), QVariant(QString()));
    rec.take();
    EXPECT_EQ(s.FIELDPUT(sym("Name"), QString("b")), QVariant(QString("b")));
    ASSERT_EQ(rec.descriptions.size(), 1);
    EXPECT_EQ(rec.descriptions.at(0).value<Symbol>(), Symbol("NAME"));
}

TEST(ArrayServerFields, DefaultsAtTheEndAndEmptyRow)
{
    ARRAYSERVER s(mixedColumns(), tableOf({{QString("a"), 1.0, QDate(2024, 1, 2), true, QString("m")}}));
    s.GOTO(2);
    ASSERT_TRUE(s.Eof());
    EXPECT_EQ(s.FIELDGET(1), QVariant(QString()));
    EXPECT_EQ(s.FIELDGET(2), QVariant(0.0));
    EXPECT_EQ(s.FIELDGET(3), QVariant(QDate()));
    EXPECT_EQ(s.FIELDGET(4), QVariant(false));
    EXPECT_EQ(s.FIELDGET(5), QVariant(QString()));
    EXPECT_EQ(s.FIELDPUT(1, QString("z")), QVariant(QString()));
    EXPECT_FALSE(s.DELETED());
    EXPECT_EQ(s.EMPTYROW(), QVariantList({QString(10, QLatin1Char(' ')), 0.0, QDate(), false, QString()}));
    EXPECT_EQ(s.DEFAULTVALUE(1), QVariant(QString()));
}

TEST(ArrayServerFields, TextForms)
{
    ARRAYSERVER s(mixedColumns(), nullptr);
    // USUAL2STRING
    EXPECT_EQ(s.USUAL2STRING(3.5, 2), QStringLiteral("    3.50"));
    EXPECT_EQ(s.USUAL2STRING(true, 4), QStringLiteral("T"));
    EXPECT_EQ(s.USUAL2STRING(QDate(2024, 3, 9), 3), QStringLiteral("20240309"));
    EXPECT_EQ(s.USUAL2STRING(QDate(), 3), QStringLiteral("        "));
    EXPECT_EQ(s.USUAL2STRING(QString("ab"), 1), QStringLiteral("ab        "));
    EXPECT_EQ(s.USUAL2STRING(QString("long memo text"), 5), QStringLiteral("long memo text"));
    // STRING2USUAL
    const struct {
        const char* text;
        int column;
        QVariant value;
    } cases[] = {
        {"y", 4, true},       {"T", 4, true},        {"F", 4, false},        {"n", 4, false},
        {"", 4, false},       {"x", 1, QString("x         ")},               {" 12.50", 2, 12.5},
        {"abc", 2, 0.0},      {"20240309", 3, QDate(2024, 3, 9)},            {"09.03.2024", 3, QDate(2024, 3, 9)},
        {"", 3, QDate()},     {"20241309", 3, QDate()},                      {" m ", 5, QString(" m ")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.STRING2USUAL(QString::fromUtf8(c.text), c.column), c.value) << c.text;
}

TEST(ArrayServerRows, AppendReachesTheCallersDataAtOnce)
{
    auto data = numbered(1);
    ARRAYSERVER s(numberColumn(), data);
    NoticeRecorder rec(s);
    EXPECT_TRUE(s.APPEND());
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataAppend}));
    EXPECT_EQ(s.RECNO(), 2);
    ASSERT_EQ(data->size(), 2);
    EXPECT_EQ(data->at(1)->at(0), QVariant(0.0));
    s.FIELDPUT(1, 42.0);
    EXPECT_EQ(data->at(1)->at(0).toDouble(), 42.0);
}

TEST(ArrayServerRows, AppendStopsAt65535)
{
    auto data = std::make_shared<ArrayData>();
    for (int i = 0; i < 65534; ++i)
        data->append(makeArrayRow({1.0}));
    ARRAYSERVER s(numberColumn(), data);
    EXPECT_TRUE(s.APPEND());
    NoticeRecorder rec(s);
    EXPECT_FALSE(s.APPEND());
    EXPECT_EQ(s.LASTREC(), 65535);
    EXPECT_EQ(rec.take(), L({kDataIntentToMove}));
}

TEST(ArrayServerRows, PackRemovesTheCurrentRow)
{
    {
        auto data = numbered(4);
        ARRAYSERVER s(numberColumn(), data);
        s.GOTO(3);
        s.DELETE();
        s.GOTO(2);
        NoticeRecorder rec(s);
        EXPECT_TRUE(s.PACK());
        EXPECT_EQ(rec.take(), L({kDataRecordChange, kDataFileChange}));
        EXPECT_EQ(s.RECNO(), 2);
        EXPECT_EQ(s.LASTREC(), 3);
        EXPECT_EQ(s.FIELDGET(1).toDouble(), 3.0);
        EXPECT_TRUE(s.DELETED());  // the old row 3, still marked
        EXPECT_EQ(data->size(), 3);
        s.FIELDPUT(1, 30.0);
        EXPECT_EQ(numberAt(s, 2), 30.0);
    }
    {
        ARRAYSERVER s(numberColumn(), numbered(4));
        s.GOTO(4);
        s.PACK();
        EXPECT_EQ(s.RECNO(), 3);
        EXPECT_FALSE(s.Eof());
    }
    {
        ARRAYSERVER s(numberColumn(), numbered(1));
        s.PACK();
        EXPECT_EQ(s.RECNO(), 0);
        EXPECT_TRUE(s.Eof());
        EXPECT_TRUE(s.Bof());
        EXPECT_TRUE(s.PACK());  // at the end: nothing
        EXPECT_TRUE(s.APPEND());
        EXPECT_EQ(s.RECNO(), 1);
    }
}

TEST(ArrayServerRows, DeleteRecall)
{
    ARRAYSERVER s(numberColumn(), numbered(3));
    NoticeRecorder rec(s);
    s.GOTO(2);
    rec.take();
    s.DELETE();
    EXPECT_EQ(rec.take(), L({kDataDelete}));
    EXPECT_EQ(s.RECNO(), 2);
    EXPECT_TRUE(s.DELETED());
    s.SKIP(-1);
    s.SKIP(1);
    EXPECT_EQ(s.RECNO(), 3);  // passed over
    s.GOTO(2);
    s.RECALL();
    EXPECT_FALSE(s.DELETED());
    s.DELETE();
    s.GOTO(1);
    s.DELETE();
    s.RECALLALL();
    EXPECT_FALSE(s.deletedAt(1) || s.deletedAt(2));
    EXPECT_EQ(rec.take(), L({2, 3, 2, 3, 2, 3, 6, 2, 3, 6}));
}

// ---------------------------------------------------------------- filter, seek, sort

TEST(ArrayServerFilter, BlockFilterHidesRows)
{
    ARRAYSERVER s(numberColumn(), numbered(5));
    NoticeRecorder rec(s);
    auto aboveTwo = [](ARRAYSERVER& server, const ArrayData& data) -> QVariant {
        return data.at(server.RECNO() - 1)->at(0).toDouble() > 2;
    };
    EXPECT_TRUE(s.SETFILTER(aboveTwo, QStringLiteral("N > 2")));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataGoTop}));
    EXPECT_EQ(s.RECNO(), 3);
    EXPECT_EQ(s.FILTER(), QStringLiteral("N > 2"));
    s.SKIP(-1);
    EXPECT_EQ(s.RECNO(), 3);
    EXPECT_TRUE(s.Bof());
    s.GOBOTTOM();
    EXPECT_EQ(s.RECNO(), 5);

    // A text filter needs an expression compiler: ignored.
    EXPECT_EQ(s.setFILTER(QStringLiteral("N > 4")), QStringLiteral("N > 2"));
    // A filter answering something other than TRUE hides the row.
    s.setFILTER([](ARRAYSERVER&, const ArrayData&) -> QVariant { return 1; });
    EXPECT_TRUE(s.Eof());
    EXPECT_EQ(s.FILTER(), QString());

    s.GOTO(1);
    s.DELETE();
    EXPECT_TRUE(s.CLEARFILTER());
    EXPECT_FALSE(s.filterOn());
    EXPECT_EQ(s.RECNO(), 2);
}

TEST(ArrayServerFilter, EmptyServerTakesNoFilter)
{
    ARRAYSERVER s(numberColumn(), nullptr);
    EXPECT_FALSE(s.SETFILTER([](ARRAYSERVER&, const ArrayData&) -> QVariant { return false; }));
    EXPECT_FALSE(s.filterOn());
    s.APPEND();
    s.SKIP(-1);
    EXPECT_EQ(s.RECNO(), 1);
}

TEST(ArrayServerFilter, ThrowingFilterResumesNotices)
{
    ARRAYSERVER s(numberColumn(), numbered(3));
    NoticeRecorder rec(s);
    auto boom = [](ARRAYSERVER&, const ArrayData&) -> QVariant { throw std::runtime_error("filter"); };
    EXPECT_THROW(s.SETFILTER(boom), std::runtime_error);
    EXPECT_EQ(s.suspensionCount(), 0);
    EXPECT_THROW(s.SORT(1), std::runtime_error);
    EXPECT_EQ(s.suspensionCount(), 0);
    rec.take();
    s.NOTIFY(kDataFileChange);
    EXPECT_EQ(rec.take(), L({kDataFileChange}));
}

DbStructure nameAndNumber()
{
    return {{"NAME", "C", 10, 0}, {"N", "N", 5, 0}};
}

TEST(ArrayServerSeek, KeysAndBlocks)
{
    const auto people = [] {
        return tableOf({{QString("Jones"), 5.0}, {QString("Smith"), 12.0}, {QString("Smithers"), 20.0}});
    };
    {
        ARRAYSERVER s(nameAndNumber(), people());
        NoticeRecorder rec(s);
        EXPECT_TRUE(s.SEEK(QStringLiteral("Sm")));
        EXPECT_EQ(s.RECNO(), 2);
        EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataRecordChange}));
        EXPECT_FALSE(s.SEEK(QStringLiteral("X")));
        EXPECT_TRUE(s.Eof());
        EXPECT_EQ(s.RECNO(), 4);
        EXPECT_TRUE(s.SEEK(ARRAYSERVER::SeekBlock([](const QVariantList& row) -> QVariant { return row.at(1).toDouble() > 10; })));
        EXPECT_EQ(s.RECNO(), 2);
        EXPECT_FALSE(s.SEEK(5.0));  // a number is compared with the first cell only
    }
    {
        // The first match hidden: the next visible row that matches.
        ARRAYSERVER s(nameAndNumber(), people());
        s.GOTO(2);
        s.DELETE();
        EXPECT_TRUE(s.SEEK(QStringLiteral("Sm")));
        EXPECT_EQ(s.RECNO(), 3);
        s.GOTO(3);
        s.DELETE();
        EXPECT_FALSE(s.SEEK(QStringLiteral("Sm")));
        EXPECT_TRUE(s.Eof());
        // Shown again when deleted rows are not hidden.
        s.SETDELETED(false);
        EXPECT_TRUE(s.SEEK(QStringLiteral("Sm")));
        EXPECT_EQ(s.RECNO(), 2);
    }
}

TEST(ArrayServerSort, ByNumberWithFlags)
{
    auto data = numbered(0);
    for (double v : {30.0, 10.0, 20.0})
        data->append(makeArrayRow({v}));
    ARRAYSERVER s(numberColumn(), data);
    s.DELETE();  // the row holding 30
    NoticeRecorder rec(s);
    EXPECT_TRUE(s.SORT(1));
    EXPECT_EQ(rec.take(), L({kDataIntentToMove, kDataGoTop}));
    EXPECT_EQ(numberAt(s, 1), 10.0);
    EXPECT_EQ(numberAt(s, 2), 20.0);
    EXPECT_EQ(numberAt(s, 3), 30.0);
    EXPECT_FALSE(s.deletedAt(1) || s.deletedAt(2));
    EXPECT_TRUE(s.deletedAt(3));
    EXPECT_EQ(s.RECNO(), 1);
    EXPECT_TRUE(s.SORT(QString("nope")));
}

TEST(ArrayServerSort, TextNothingAndMixedTypes)
{
    {
        auto data = tableOf({{QString("b"), 1.0}, {QVariant(), 2.0}, {QString("Ş"), 3.0}, {QString("a"), 4.0}});
        ARRAYSERVER s(nameAndNumber(), data);
        EXPECT_TRUE(s.SORT(1));
        QList<double> order;
        for (const ArrayRow& r : *data)
            order << r->at(1).toDouble();
        // Nothing first, then the Windows-1254 order (Ş is DE, after ASCII).
        EXPECT_EQ(order, QList<double>({2, 4, 1, 3}));
    }
    {
        auto data = tableOf({{QString("b"), 1.0}, {QString("a"), 2.0}});
        ARRAYSERVER s(nameAndNumber(), data);
        s.GOTO(2);
        s.FIELDPUT(2, QVariant(QString("x")));  // refused: not a number
        s.FIELDPUT(1, QString("c"));
        // A number among texts: nothing sorted, the edit not written back.
        (*data)[0]->replace(0, 5.0);
        NoticeRecorder rec(s);
        EXPECT_FALSE(s.SORT(1));
        EXPECT_EQ(rec.take(), L({kDataIntentToMove}));
        EXPECT_EQ(data->at(1)->at(0).toString(), QStringLiteral("a"));
        EXPECT_EQ(s.FIELDGET(1).toString(), QStringLiteral("c"));
    }
}

}  // namespace
