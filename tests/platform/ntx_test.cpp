// The NTX index writer and its page walker.
#include "platform/atomicfile.h"
#include "platform/ntx.h"

#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zeva;

namespace {

QByteArray key20(const QString& text)
{
    return text.toLatin1().leftJustified(20, ' ', true);
}

// `n` keys "K0000" ... in a shuffled order, some repeated.
QList<NtxKey> shuffledKeys(int n, int distinct)
{
    QList<NtxKey> keys;
    for (int i = 0; i < n; ++i)
        keys << NtxKey{key20(QStringLiteral("K%1").arg(i % distinct, 4, 10, QLatin1Char('0'))), quint32(i + 1)};
    QRandomGenerator rng(42);
    for (qsizetype i = keys.size() - 1; i > 0; --i)
        keys.swapItemsAt(i, rng.bounded(static_cast<int>(i + 1)));
    return keys;
}

}  // namespace

TEST(Ntx, PageCapacityForTheUserTableKey)
{
    // 20-byte key: (1024 - 2) / 30 - 1 = 33 items, made even.
    EXPECT_EQ(ntxMaxKeys(20), 32);
    EXPECT_EQ(ntxMaxKeys(10), 50);
}

TEST(Ntx, TreesOfEverySizeWalkBackInKeyOrder)
{
    for (int n : {0, 1, 32, 33, 34, 500, 1089, 1090, 5000}) {
        for (bool unique : {false, true}) {
            const int distinct = std::max(1, n / 2);
            const QList<NtxKey> input = shuffledKeys(n, distinct);
            const QByteArray image = buildNtx("KULL_ID", 20, input, unique, "KULLIDX");
            ASSERT_EQ(image.size() % kNtxPageSize, 0);

            NtxHeader h;
            QList<NtxKey> keys;
            QString error;
            ASSERT_TRUE(parseNtx(image, &h, &keys, &error)) << n << " " << error.toStdString();
            EXPECT_EQ(h.signature, 6);
            EXPECT_EQ(h.keySize, 20);
            EXPECT_EQ(h.itemSize, 28);
            EXPECT_EQ(h.maxKeys, 32);
            EXPECT_EQ(h.halfPage, 16);
            EXPECT_EQ(h.keyExpression, QByteArray("KULL_ID"));
            EXPECT_EQ(h.orderName, QByteArray("KULLIDX"));
            EXPECT_EQ(h.unique, unique);
            EXPECT_FALSE(h.descending);
            EXPECT_EQ(h.nextFree, 0u);

            QList<NtxKey> expected = input;
            std::stable_sort(expected.begin(), expected.end(), [](const NtxKey& a, const NtxKey& b) {
                return a.key != b.key ? a.key < b.key : a.record < b.record;
            });
            if (unique) {
                QList<NtxKey> firsts;
                for (const NtxKey& k : expected)
                    if (firsts.isEmpty() || firsts.constLast().key != k.key)
                        firsts << k;
                expected = firsts;
            }
            ASSERT_EQ(keys.size(), expected.size()) << n;
            for (qsizetype i = 0; i < keys.size(); ++i) {
                EXPECT_EQ(keys.at(i).key, expected.at(i).key) << n << " at " << i;
                EXPECT_EQ(keys.at(i).record, expected.at(i).record) << n << " at " << i;
            }
        }
    }
}

TEST(Ntx, KeysAreFittedToTheKeySizeAndCompareAsBytes)
{
    // Windows-1254 letters sort after ASCII as unsigned bytes.
    const QList<NtxKey> input{{QByteArray("\xDC" "MIT"), 1}, {QByteArray("ZEKI"), 2},
                              {QByteArray("ALI-WITH-A-VERY-LONG-NAME"), 3}};
    QList<NtxKey> keys;
    ASSERT_TRUE(parseNtx(buildNtx("KULL_ID", 20, input, false, "KULLIDX"), nullptr, &keys));
    ASSERT_EQ(keys.size(), 3);
    EXPECT_EQ(keys.at(0).key, QByteArray("ALI-WITH-A-VERY-LONG"));
    EXPECT_EQ(keys.at(1).key, key20(QStringLiteral("ZEKI")));
    EXPECT_EQ(keys.at(2).record, 1u);
}

TEST(Ntx, MalformedImagesAreRefused)
{
    const QByteArray good = buildNtx("KULL_ID", 20, shuffledKeys(200, 200), false, "KULLIDX");
    ASSERT_GT(good.size(), 3 * kNtxPageSize);

    auto with32 = [](QByteArray b, int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return b;
    };
    const quint32 root = static_cast<unsigned char>(good.at(4)) | (static_cast<unsigned char>(good.at(5)) << 8);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"shorter than a page", good.left(100)},
        {"cut after the header", good.left(kNtxPageSize)},
        {"root off a page boundary", with32(good, 4, 1030)},
        {"root beyond the file", with32(good, 4, quint32(good.size()))},
        // The root's first child pointing back at the root.
        {"a cycle", with32(good, int(root) + 2 + 2 * 33, root)},
        {"key count above capacity", [&] { QByteArray b = good; b[int(root)] = 40; return b; }()},
        {"zero key size", [&] { QByteArray b = good; b[14] = 0; b[15] = 0; return b; }()},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(parseNtx(c.bytes, nullptr, nullptr, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}

TEST(Ntx, FileWriteIsAtomicAndHeaderReadsBack)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("kullidx.ntx"));
    ASSERT_TRUE(writeNtxFile(path, "KULL_ID", 20, {{key20(QStringLiteral("QAVE")), 1}}, true, "KULLIDX"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    // Written again under a name in another letter case: the existing file is replaced.
    testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
    EXPECT_FALSE(writeNtxFile(dir.file(QStringLiteral("KULLIDX.NTX")), "KULL_ID", 20, {}, false, "KULLIDX"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    f.close();
    ASSERT_TRUE(writeNtxFile(dir.file(QStringLiteral("KULLIDX.NTX")), "KULL_ID", 20, {}, false, "KULLIDX"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kullidx.ntx")});

    NtxHeader h;
    ASSERT_TRUE(readNtxHeader(dir.file(QStringLiteral("KULLIDX.NTX")), &h));
    EXPECT_FALSE(h.unique);
    EXPECT_FALSE(readNtxHeader(dir.file(QStringLiteral("NONE.NTX")), &h));
}
