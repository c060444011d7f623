#include "editing/barrayserver.h"
#include "editing/ui/barraymodel.h"

#include "gridtestutil.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace zeva;

namespace {

struct Notice {
    int code, rec, field;
    bool operator==(const Notice&) const = default;
};

FieldSpecs feedFields()
{
    return {{"YMNAME", "C", 20, 0}, {"YMPRICE", "C", 11, 0}, {"YMFIX", "C", 11, 0}};
}

Table threeRows()
{
    return {{"Arpa", "      1.000", ""}, {"Mısır", "      2.000", ""}, {"Soya", "", "    3.00000"}};
}

class Recorder {
public:
    explicit Recorder(BARRAYSERVER& s)
    {
        QObject::connect(&s, &BARRAYSERVER::notice,
                         [this](int c, int r, int f) { notices.append({c, r, f}); });
    }
    QList<Notice> take()
    {
        QList<Notice> n = notices;
        notices.clear();
        return n;
    }
    QList<Notice> notices;
};

}  // namespace

TEST(ArrayServer, BuildsRectangularCopy)
{
    // Short rows are filled with empty cells, cells past the last field dropped.
    BARRAYSERVER s(feedFields(), {{"Arpa"}, {"Mısır", "1", "2", "extra"}});
    EXPECT_EQ(s.LastRec(), 2);
    EXPECT_EQ(s.FCount(), 3);
    EXPECT_EQ(s.Data(), (Table{{"Arpa", "", ""}, {"Mısır", "1", "2"}}));
    EXPECT_EQ(s.RecNo(), 1);
    EXPECT_EQ(s.FieldPos("ymprice"), 2);
    EXPECT_EQ(s.FieldPos("NOPE"), 0);
    EXPECT_EQ(s.FieldGet("YMNAME"), "Arpa");

    EXPECT_THROW(BARRAYSERVER({}, {}), std::invalid_argument);
    EXPECT_THROW(BARRAYSERVER({{"A", "C", 0, 0}}, {}), std::invalid_argument);
}

TEST(ArrayServer, EmptyTableIsAtTheEnd)
{
    BARRAYSERVER s(feedFields(), {});
    EXPECT_EQ(s.LastRec(), 0);
    EXPECT_TRUE(s.Eof());
    EXPECT_EQ(s.FieldGet(1), "");
    EXPECT_FALSE(s.FieldPut(1, "x"));
    EXPECT_FALSE(s.Delete());
    EXPECT_FALSE(s.GoTop());
    EXPECT_TRUE(s.Append());
    EXPECT_EQ(s.RecNo(), 1);
    EXPECT_FALSE(s.Eof());
}

TEST(ArrayServer, NoticeSequenceAndModel)
{
    QtWarningGuard warnings;
    BARRAYSERVER s(feedFields(), threeRows());
    BArrayModel model(&s);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    Recorder rec(s);

    ASSERT_TRUE(s.Append());
    EXPECT_EQ(rec.take(), (QList<Notice>{{kNoticeAppended, 4, 0}}));
    EXPECT_EQ(s.RecNo(), 4);
    EXPECT_EQ(model.rowCount(), 4);

    ASSERT_TRUE(s.FieldPut(2, "      4.000"));
    ASSERT_TRUE(s.Commit());
    EXPECT_EQ(rec.take(), (QList<Notice>{{kNoticeFieldWritten, 4, 2}}));
    EXPECT_EQ(model.index(3, 1).data().toString(), "      4.000");

    s.GoTo(2);
    EXPECT_EQ(rec.take(), (QList<Notice>{{kNoticeMoved, 2, 0}}));
    ASSERT_TRUE(s.Delete());
    EXPECT_EQ(rec.take(), (QList<Notice>{{kNoticeDeleted, 2, 0}}));
    EXPECT_TRUE(s.Deleted());
    EXPECT_EQ(s.LastRec(), 4);  // still there until the pack
    EXPECT_EQ(model.rowCount(), 4);

    ASSERT_TRUE(s.Pack());
    EXPECT_EQ(rec.take(), (QList<Notice>{{kNoticeTableChanged, 2, 0}}));
    EXPECT_EQ(s.LastRec(), 3);
    EXPECT_EQ(s.RecNo(), 2);  // the record after the removed one
    EXPECT_EQ(s.FieldGet(1), "Soya");
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(s.Data(), (Table{{"Arpa", "      1.000", ""},
                               {"Soya", "", "    3.00000"},
                               {"", "      4.000", ""}}));

    // Packing the last record leaves the server on the new last one.
    s.GoBottom();
    s.Delete();
    s.Pack();
    EXPECT_EQ(s.RecNo(), 2);
    EXPECT_EQ(model.rowCount(), 2);

    s.Close();
    EXPECT_EQ(rec.take().last(), (Notice{kNoticeClosed, 0, 0}));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(s.FieldPut(1, "x"));
    EXPECT_TRUE(isChangeNotice(-1) && isChangeNotice(6) && isChangeNotice(7) && isChangeNotice(10));
    EXPECT_FALSE(isChangeNotice(3) || isChangeNotice(0) || isChangeNotice(4) || isChangeNotice(5));
}

TEST(ArrayServer, WalksPassOverMarkedRecords)
{
    BARRAYSERVER s(feedFields(), threeRows());
    s.GoTo(1);
    s.Delete();
    s.GoTo(2);
    s.Delete();
    EXPECT_TRUE(s.GoTop());
    EXPECT_EQ(s.RecNo(), 3);
    EXPECT_FALSE(s.Skip());
    EXPECT_TRUE(s.Eof());
    EXPECT_EQ(s.RecNo(), 4);
    s.Skip(-1);
    EXPECT_EQ(s.RecNo(), 3);
    s.Skip(-1);  // nothing before it but marked records: stays
    EXPECT_EQ(s.RecNo(), 3);
    EXPECT_FALSE(s.GoTo(9));
    EXPECT_TRUE(s.Eof());
}

TEST(ArrayServer, FieldHoldsNoMoreThanItsLength)
{
    BARRAYSERVER s(feedFields(), threeRows());
    s.FieldPut(1, "Çok uzun bir yem maddesi adı");
    EXPECT_EQ(s.FieldGet(1), "Çok uzun bir yem mad");
    EXPECT_EQ(s.FieldGet(1).size(), 20);
}

TEST(ArrayServer, ModelReadsWithoutMovingTheCursor)
{
    BARRAYSERVER s(feedFields(), threeRows());
    BArrayModel model(&s);
    model.setColumns({2, 1, 0}, {"Fiyatı", "Adı", "Boş"});
    s.GoTo(2);
    Recorder rec(s);
    EXPECT_EQ(model.index(2, 1).data().toString(), "Soya");
    EXPECT_EQ(model.index(0, 0).data().toString(), "      1.000");
    EXPECT_EQ(model.index(0, 2).data().toString(), "");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Adı");
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);  // bound to no field
    EXPECT_EQ(s.RecNo(), 2);
    EXPECT_TRUE(rec.notices.isEmpty());
}

TEST(ArrayServer, KayitBosmuCountsFilledCells)
{
    BARRAYSERVER s({{"A", "C", 5, 0}, {"B", "C", 11, 0}, {"C", "C", 11, 0}},
                   {{"x", "           ", "1"}, {"  ", "", ""}});
    EXPECT_EQ(KAYITBOSMU(s, 0, 3), 2);
    EXPECT_EQ(KAYITBOSMU(s, 1, 3), 1);
    EXPECT_EQ(KAYITBOSMU(s, 3, 3), 1);
    s.GoTo(2);
    EXPECT_EQ(KAYITBOSMU(s, 0, 3), 0);
}
