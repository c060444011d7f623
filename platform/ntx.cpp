#include "platform/ntx.h"

#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cstring>

namespace zeva {

namespace {

constexpr int kSignature = 6;
constexpr int kExpressionSize = 256;
constexpr int kOrderNameSize = 12;
constexpr int kOffRoot = 4;
constexpr int kOffNextFree = 8;
constexpr int kOffItemSize = 12;
constexpr int kOffKeySize = 14;
constexpr int kOffKeyDecimals = 16;
constexpr int kOffMaxKeys = 18;
constexpr int kOffHalfPage = 20;
constexpr int kOffKeyExpression = 22;
constexpr int kOffUnique = 278;
constexpr int kOffDescending = 280;
constexpr int kOffCondition = 282;
constexpr int kOffOrderName = 538;
// The deepest tree a reader follows; far beyond any real index.
constexpr int kMaxDepth = 32;

quint32 get16(const QByteArray& b, qsizetype at)
{
    return static_cast<quint32>(static_cast<unsigned char>(b.at(at)))
           | (static_cast<quint32>(static_cast<unsigned char>(b.at(at + 1))) << 8);
}

quint32 get32(const QByteArray& b, qsizetype at)
{
    return get16(b, at) | (get16(b, at + 2) << 16);
}

void put16(QByteArray& b, qsizetype at, quint32 v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(QByteArray& b, qsizetype at, quint32 v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

void putText(QByteArray& b, qsizetype at, const QByteArray& text, int size)
{
    const QByteArray t = text.left(size - 1);  // keeps a closing zero
    for (qsizetype i = 0; i < t.size(); ++i)
        b[at + i] = t.at(i);
}

QByteArray getText(const QByteArray& b, qsizetype at, int size)
{
    QByteArray t = b.mid(at, size);
    const qsizetype zero = t.indexOf('\0');
    return zero < 0 ? t : t.left(zero);
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool keyLess(const NtxKey& a, const NtxKey& b)
{
    const int c = std::memcmp(a.key.constData(), b.key.constData(), static_cast<size_t>(a.key.size()));
    return c != 0 ? c < 0 : a.record < b.record;
}

struct Page {
    QList<NtxKey> keys;
    QList<int> children;  // page numbers; empty in a leaf, else keys + 1
};

class TreeBuilder {
public:
    TreeBuilder(int maxKeys) : maxKeys_(maxKeys) {}

    // Keys a tree of that height holds at most.
    qint64 capacity(int height) const
    {
        qint64 c = 1;
        for (int i = 0; i < height; ++i) {
            c *= maxKeys_ + 1;
            if (c > (qint64(1) << 40))
                return c;
        }
        return c - 1;
    }

    int heightFor(qsizetype count) const
    {
        int h = 1;
        while (capacity(h) < count)
            ++h;
        return h;
    }

    // Builds the subtree of keys [from, to) with every leaf at `height`
    // levels below it; answers its page number. Children are made before
    // their parent, so the root is the last page.
    int build(const QList<NtxKey>& keys, qsizetype from, qsizetype to, int height)
    {
        Page page;
        if (height <= 1) {
            page.keys = keys.mid(from, to - from);
        } else {
            const qsizetype n = to - from;
            const qint64 below = capacity(height - 1);
            const qsizetype children = static_cast<qsizetype>((n + 1 + below) / (below + 1));
            const qsizetype inChildren = n - (children - 1);
            const qsizetype base = inChildren / children;
            const qsizetype extra = inChildren % children;
            qsizetype at = from;
            for (qsizetype i = 0; i < children; ++i) {
                const qsizetype size = base + (i < extra ? 1 : 0);
                page.children << build(keys, at, at + size, height - 1);
                at += size;
                if (i + 1 < children)
                    page.keys << keys.at(at++);
            }
        }
        pages_ << page;
        return static_cast<int>(pages_.size() - 1);
    }

    const QList<Page>& pages() const { return pages_; }

private:
    int maxKeys_;
    QList<Page> pages_;
};

// File offset of page number n (the header is page 0 of the file).
quint32 pageOffset(int n)
{
    return static_cast<quint32>((n + 1) * kNtxPageSize);
}

}  // namespace

int ntxMaxKeys(int keySize)
{
    int keys = (kNtxPageSize - 2) / (keySize + 10) - 1;
    if (keys > 2 && (keys & 1))
        --keys;
    return std::max(keys, 2);
}

QByteArray buildNtx(const QByteArray& keyExpression, int keySize, QList<NtxKey> keys, bool unique,
                    const QByteArray& orderName)
{
    keySize = std::clamp(keySize, 1, 256);
    const int itemSize = keySize + 8;
    const int maxKeys = ntxMaxKeys(keySize);

    for (NtxKey& k : keys) {
        k.key = k.key.left(keySize);
        if (k.key.size() < keySize)
            k.key.append(QByteArray(keySize - k.key.size(), ' '));
    }
    std::stable_sort(keys.begin(), keys.end(), keyLess);
    if (unique) {
        QList<NtxKey> kept;
        for (const NtxKey& k : keys)
            if (kept.isEmpty() || kept.constLast().key != k.key)
                kept << k;
        keys = kept;
    }

    TreeBuilder builder(maxKeys);
    const int root = builder.build(keys, 0, keys.size(), builder.heightFor(keys.size()));
    const QList<Page>& pages = builder.pages();

    QByteArray out(kNtxPageSize * (pages.size() + 1), '\0');
    put16(out, 0, kSignature);
    put16(out, 2, 1);
    put32(out, kOffRoot, pageOffset(root));
    put32(out, kOffNextFree, 0);
    put16(out, kOffItemSize, static_cast<quint32>(itemSize));
    put16(out, kOffKeySize, static_cast<quint32>(keySize));
    put16(out, kOffKeyDecimals, 0);
    put16(out, kOffMaxKeys, static_cast<quint32>(maxKeys));
    put16(out, kOffHalfPage, static_cast<quint32>(maxKeys / 2));
    putText(out, kOffKeyExpression, keyExpression, kExpressionSize);
    out[kOffUnique] = unique ? 1 : 0;
    out[kOffDescending] = 0;
    putText(out, kOffOrderName, orderName, kOrderNameSize);

    const int firstSlot = 2 + 2 * (maxKeys + 1);
    for (int n = 0; n < pages.size(); ++n) {
        const Page& page = pages.at(n);
        const qsizetype base = pageOffset(n);
        put16(out, base, static_cast<quint32>(page.keys.size()));
        for (int i = 0; i <= maxKeys; ++i)
            put16(out, base + 2 + 2 * i, static_cast<quint32>(firstSlot + i * itemSize));
        for (int i = 0; i <= page.keys.size(); ++i) {
            const qsizetype item = base + firstSlot + i * itemSize;
            if (!page.children.isEmpty())
                put32(out, item, pageOffset(page.children.at(i)));
            if (i < page.keys.size()) {
                const NtxKey& k = page.keys.at(i);
                put32(out, item + 4, k.record);
                out.replace(item + 8, keySize, k.key);
            }
        }
    }
    return out;
}

bool writeNtxFile(const QString& path, const QByteArray& keyExpression, int keySize,
                  const QList<NtxKey>& keys, bool unique, const QByteArray& orderName, QString* error)
{
    return writeFileAtomically(pathForWriting(path), buildNtx(keyExpression, keySize, keys, unique, orderName),
                               error);
}

namespace {

class TreeWalker {
public:
    TreeWalker(const QByteArray& bytes, const NtxHeader& header, QList<NtxKey>* keys)
        : bytes_(bytes), header_(header), keys_(keys) {}

    bool walk(quint32 offset, int depth, QString* error)
    {
        if (depth > kMaxDepth) {
            setError(error, QStringLiteral("index tree too deep"));
            return false;
        }
        if (offset == 0 || offset % kNtxPageSize != 0 || qsizetype(offset) + kNtxPageSize > bytes_.size()) {
            setError(error, QStringLiteral("page offset %1 out of the file").arg(offset));
            return false;
        }
        if (visited_.contains(offset)) {
            setError(error, QStringLiteral("page %1 reached twice").arg(offset));
            return false;
        }
        visited_.insert(offset);
        const int count = static_cast<int>(get16(bytes_, offset));
        if (count > header_.maxKeys) {
            setError(error, QStringLiteral("page %1 holds %2 keys").arg(offset).arg(count));
            return false;
        }
        bool leaf = true;
        for (int i = 0; i <= count; ++i) {
            const quint32 slot = get16(bytes_, offset + 2 + 2 * i);
            if (slot < 2 || int(slot) + header_.itemSize > kNtxPageSize) {
                setError(error, QStringLiteral("item %1 of page %2 out of the page").arg(i).arg(offset));
                return false;
            }
            const qsizetype item = offset + slot;
            const quint32 child = get32(bytes_, item);
            if (i == 0)
                leaf = child == 0;
            else if ((child == 0) != leaf) {
                setError(error, QStringLiteral("page %1 mixes leaf and branch items").arg(offset));
                return false;
            }
            if (!leaf && !walk(child, depth + 1, error))
                return false;
            if (i < count)
                *keys_ << NtxKey{bytes_.mid(item + 8, header_.keySize), get32(bytes_, item + 4)};
        }
        if (leaf) {
            if (leafDepth_ < 0)
                leafDepth_ = depth;
            else if (leafDepth_ != depth) {
                setError(error, QStringLiteral("leaves at different depths"));
                return false;
            }
        }
        return true;
    }

private:
    const QByteArray& bytes_;
    const NtxHeader& header_;
    QList<NtxKey>* keys_;
    QSet<quint32> visited_;
    int leafDepth_ = -1;
};

bool parseHeader(const QByteArray& bytes, NtxHeader* h, QString* error)
{
    if (bytes.size() < kNtxPageSize) {
        setError(error, QStringLiteral("file shorter than one page"));
        return false;
    }
    h->signature = static_cast<quint16>(get16(bytes, 0));
    h->version = static_cast<quint16>(get16(bytes, 2));
    h->root = get32(bytes, kOffRoot);
    h->nextFree = get32(bytes, kOffNextFree);
    h->itemSize = static_cast<int>(get16(bytes, kOffItemSize));
    h->keySize = static_cast<int>(get16(bytes, kOffKeySize));
    h->keyDecimals = static_cast<int>(get16(bytes, kOffKeyDecimals));
    h->maxKeys = static_cast<int>(get16(bytes, kOffMaxKeys));
    h->halfPage = static_cast<int>(get16(bytes, kOffHalfPage));
    h->keyExpression = getText(bytes, kOffKeyExpression, kExpressionSize);
    h->unique = bytes.at(kOffUnique) != 0;
    h->descending = bytes.at(kOffDescending) != 0;
    h->condition = getText(bytes, kOffCondition, kExpressionSize);
    h->orderName = getText(bytes, kOffOrderName, kOrderNameSize);
    if (h->keySize < 1 || h->itemSize != h->keySize + 8 || h->maxKeys < 1
        || 2 + 2 * (h->maxKeys + 1) > kNtxPageSize) {
        setError(error, QStringLiteral("not an NTX index header"));
        return false;
    }
    return true;
}

}  // namespace

bool parseNtx(const QByteArray& bytes, NtxHeader* header, QList<NtxKey>* keys, QString* error)
{
    NtxHeader h;
    if (!parseHeader(bytes, &h, error))
        return false;
    QList<NtxKey> found;
    TreeWalker walker(bytes, h, &found);
    if (!walker.walk(h.root, 0, error))
        return false;
    if (header)
        *header = h;
    if (keys)
        *keys = found;
    return true;
}

bool readNtxHeader(const QString& path, NtxHeader* header, QString* error)
{
    const QString existing = findExistingPath(path);
    QByteArray bytes;
    if (existing.isEmpty() || readRegularFile(existing, &bytes, kMaxDataFileSize, error) != FileRead::Read) {
        if (existing.isEmpty())
            setError(error, QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    NtxHeader h;
    if (!parseHeader(bytes.left(kNtxPageSize), &h, error))
        return false;
    if (header)
        *header = h;
    return true;
}

}  // namespace zeva
