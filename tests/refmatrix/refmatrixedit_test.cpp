#include "refmatrix/refmatrixedit.h"

#include "core/numeric.h"
#include "editing/browserrules.h"
#include "platform/atomicfile.h"
#include "reftestutil.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QFile>
#include <QObject>

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace zeva;
using namespace zeva::test;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class RefEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = tmp.file(QStringLiteral("MATNRC.DBF"));
        ASSERT_TRUE(writeReference(path, {"KMO", "HP"}, {"%", "%"},
                                   {{"Arpa", "10", {"88", "11"}},
                                    {"Eski", "1", {"1", "1"}, true},
                                    {"Mısır", "12", {"87", "9"}},
                                    {"Soya", "30", {"89", "44"}}}));
        before = bytesOf(path);
    }
    void TearDown() override { testhooks::clearAtomicWriteFault(); }

    TempDir tmp;
    QString path;
    QByteArray before;
    FakePort port;
};

}  // namespace

TEST_F(RefEditTest, EditsStayInMemoryUntilYes)
{
    auto edit = ReferenceMatrixEdit::open(path, port);
    ASSERT_TRUE(edit);
    BARRAYSERVER& s = edit->server();
    EXPECT_EQ(s.LastRec(), 4);  // the deleted record is not loaded
    EXPECT_FALSE(edit->LRMCHANGED);
    EXPECT_TRUE(edit->QUERYCLOSE(port));  // nothing changed: no question
    EXPECT_TRUE(port.boxes.isEmpty());

    s.GoTo(3);
    edit->formCellEdited(2, QStringLiteral("12,5"));
    EXPECT_EQ(s.FieldGet(2), QStringLiteral("     12.500"));
    edit->formCellEdited(4, QStringLiteral("0,25"));
    EXPECT_EQ(s.FieldGet(4), QStringLiteral("     0.2500"));
    s.GoTo(1);
    edit->formCellEdited(1, QStringLiteral("Yeni"));
    edit->formCellEdited(2, QStringLiteral("TL/Kg"));
    EXPECT_EQ(s.FieldGet(1).trimmed(), kReferenceUnitRowName);
    EXPECT_EQ(s.FieldGet(2).trimmed(), QStringLiteral("TL/Kg"));
    EXPECT_TRUE(edit->LRMCHANGED);
    EXPECT_EQ(bytesOf(path), before);

    port.replies = {REPLY_NO};
    EXPECT_TRUE(edit->QUERYCLOSE(port));
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes.at(0).type, 36);
    EXPECT_EQ(port.boxes.at(0).title, QStringLiteral("Uyarı..."));
    EXPECT_EQ(port.boxes.at(0).text, QStringLiteral("Referans matris dosyası (") + path +
                                         QStringLiteral(") değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?"));
    EXPECT_EQ(bytesOf(path), before);

    port.replies = {REPLY_YES};
    EXPECT_TRUE(edit->QUERYCLOSE(port));
    EXPECT_NE(bytesOf(path), before);
    DbfTable back;
    ASSERT_TRUE(readDbfFile(path, &back));
    EXPECT_EQ(back.recordCount(), 5);  // the deleted record stays where it was
    EXPECT_TRUE(back.isDeleted(2));
    EXPECT_EQ(back.value(3, QStringLiteral("FIATI")), QStringLiteral("     12.500"));
    EXPECT_EQ(back.value(3, QStringLiteral("HP")), QStringLiteral("     0.2500"));
    EXPECT_EQ(back.value(0, QStringLiteral("FIATI")).trimmed(), QStringLiteral("TL/Kg"));
    EXPECT_EQ(back.value(0, QStringLiteral("YM_ADI")).trimmed(), kReferenceUnitRowName);
}

TEST_F(RefEditTest, DeleteAsksAndNeverTakesTheUnitRow)
{
    auto edit = ReferenceMatrixEdit::open(path, port);
    ASSERT_TRUE(edit);
    BARRAYSERVER& s = edit->server();
    s.GoTo(1);
    edit->RMDELETE(port);
    EXPECT_TRUE(port.boxes.isEmpty());
    EXPECT_EQ(s.LastRec(), 4);

    s.GoTo(2);
    port.replies = {REPLY_NO};
    edit->RMDELETE(port);
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes.at(0).type, 36);
    EXPECT_EQ(port.boxes.at(0).title, QStringLiteral("Uyarı"));
    EXPECT_EQ(port.boxes.at(0).text, kReferenceDeleteQuestion);
    EXPECT_EQ(s.LastRec(), 4);
    EXPECT_FALSE(edit->LRMCHANGED);

    port.replies = {REPLY_YES};
    edit->RMDELETE(port);  // a feed in the middle: the next one becomes current
    EXPECT_EQ(s.LastRec(), 3);
    EXPECT_EQ(s.RecNo(), 2);
    EXPECT_EQ(s.FieldGet(1).trimmed(), QStringLiteral("Mısır"));
    s.GoTo(3);
    port.replies = {REPLY_YES};
    edit->RMDELETE(port);  // the last feed: the new last record becomes current
    EXPECT_EQ(s.RecNo(), 2);
    EXPECT_TRUE(edit->LRMCHANGED);
    EXPECT_EQ(bytesOf(path), before);
}

// A save writes the records the file marks deleted back unchanged, each in
// its place among the live ones; the feed deleted in the window (its pack) is
// the only record that leaves.
TEST_F(RefEditTest, SaveKeepsTheFilesDeletedRecordsInTheirPlaces)
{
    ASSERT_TRUE(writeReference(path, {"KMO", "HP"}, {"%", "%"},
                               {{"Silik-1", "1", {"1", "1"}, true},
                                {"Arpa", "10", {"88", "11"}},
                                {"Silik-2", "2", {"2", "2"}, true},
                                {"Mısır", "12", {"87", "9"}},
                                {"Silik-3", "3", {"3", "3"}, true},
                                {"Soya", "30", {"89", "44"}},
                                {"Silik-4", "4", {"4", "4"}, true}}));
    DbfTable before;
    ASSERT_TRUE(readDbfFile(path, &before));
    auto edit = ReferenceMatrixEdit::open(path, port);
    ASSERT_TRUE(edit);
    BARRAYSERVER& s = edit->server();
    ASSERT_EQ(s.LastRec(), 4);
    s.GoTo(3);  // Mısır, with deleted records on both sides
    port.replies = {REPLY_YES, REPLY_YES};
    edit->RMDELETE(port);
    s.Append();
    s.FieldPut(1, QStringLiteral("Yulaf"));
    ASSERT_TRUE(edit->QUERYCLOSE(port));

    DbfTable back;
    ASSERT_TRUE(readDbfFile(path, &back));
    QStringList names;
    for (int rec = 0; rec < back.recordCount(); ++rec)
        names << (back.isDeleted(rec) ? QStringLiteral("*") : QString()) + back.value(rec, 0).trimmed();
    EXPECT_EQ(names, (QStringList{"BIRIM", "*Silik-1", "Arpa", "*Silik-2", "*Silik-3", "Soya", "*Silik-4", "Yulaf"}));
    // Unchanged, cell by cell.
    const QList<QPair<int, int>> same = {{1, 1}, {3, 3}, {5, 4}, {7, 6}};
    for (const auto& [from, to] : same)
        for (int f = 0; f < before.fieldCount(); ++f)
            EXPECT_EQ(back.value(to, f), before.value(from, f)) << from << " " << f;
}

TEST_F(RefEditTest, FailedWriteKeepsTheFileAndTheWindow)
{
    auto edit = ReferenceMatrixEdit::open(path, port);
    ASSERT_TRUE(edit);
    edit->server().GoTo(2);
    edit->formCellEdited(2, QStringLiteral("99"));
    testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
    port.replies = {REPLY_YES};
    EXPECT_FALSE(edit->QUERYCLOSE(port));
    EXPECT_EQ(port.boxes.last().type, 16);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(edit->server().cellAt(2, 2), QStringLiteral("     99.000"));
}

// Another program changes a price in the file while the window holds it
// (in place, the same size, its old time set back): the close asks before
// it writes over that, and No keeps the window with its edits and the file
// with the other program's price.
TEST_F(RefEditTest, AFileChangedOnDiskIsNotWrittenOverUnasked)
{
    auto edit = ReferenceMatrixEdit::open(path, port);
    ASSERT_TRUE(edit);
    edit->server().GoTo(2);
    edit->formCellEdited(2, QStringLiteral("99"));

    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    QByteArray theirs = before;
    ASSERT_EQ(theirs.count("     12.000"), 1);
    theirs.replace("     12.000", "     13.500");  // Mısır's price
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_EQ(f.write(theirs), theirs.size());
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);

    const QString changed = QStringLiteral("Referans matris dosyası (") + path
                            + QStringLiteral(") pencere açıldıktan sonra diskte değiştirilmiş.\n\nÜzerine yazarsanız "
                                             "dosyadaki bu değişiklikler kaybolacak. Üzerine yazılmasını istiyor "
                                             "musunuz?");
    port.replies = {REPLY_YES, REPLY_NO};
    EXPECT_FALSE(edit->QUERYCLOSE(port));
    ASSERT_EQ(port.boxes.size(), 2);
    EXPECT_EQ(port.boxes.at(1).type, BOX_YESNO_EXCLAMATION | BOX_DEFAULT_SECOND);
    EXPECT_EQ(port.boxes.at(1).title, QStringLiteral("Uyarı..."));
    EXPECT_EQ(port.boxes.at(1).text, changed);
    EXPECT_EQ(bytesOf(path), theirs);
    EXPECT_EQ(edit->server().cellAt(2, 2), QStringLiteral("     99.000"));
    EXPECT_TRUE(edit->LRMCHANGED);

    // Asked again, the user writes over it knowingly.
    port.boxes.clear();
    port.replies = {REPLY_YES, REPLY_YES};
    EXPECT_TRUE(edit->QUERYCLOSE(port));
    EXPECT_EQ(port.boxes.size(), 2);
    DbfTable back;
    ASSERT_TRUE(readDbfFile(path, &back));
    EXPECT_EQ(back.value(1, QStringLiteral("FIATI")), QStringLiteral("     99.000"));
    EXPECT_EQ(back.value(3, QStringLiteral("FIATI")), QStringLiteral("     12.000"));
    EXPECT_TRUE(port.allAnswersUsed());
}

TEST_F(RefEditTest, UnreadableTableOpensNothing)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("not a table");
    f.close();
    EXPECT_FALSE(ReferenceMatrixEdit::open(path, port));
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes.at(0).type, 16);
    EXPECT_EQ(port.boxes.at(0).text, kReferenceOpenError);
    EXPECT_FALSE(ReferenceMatrixEdit::open(tmp.file(QStringLiteral("YOK.DBF")), port));
}

TEST(ReferenceWindowRegistryTest, OneHolderPerTableUntilItGoes)
{
    ReferenceWindowRegistry& r = ReferenceWindowRegistry::instance();
    auto* window = new QObject;
    r.hold(QStringLiteral("/data/MATNRC.DBF"), window);
    EXPECT_EQ(r.holder(QStringLiteral("/other/matnrc.dbf")), window);
    EXPECT_FALSE(r.isHeld(QStringLiteral("/data/MATKUMAD.DBF")));
    delete window;
    EXPECT_FALSE(r.isHeld(QStringLiteral("/data/MATNRC.DBF")));
}
