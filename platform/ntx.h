#pragma once
// NTX index files: a B-tree of 1024-byte pages over one character key,
// written whole from the records of a table, and read back by walking its
// pages. The program keeps only the user table's index this way; it never
// reads an index to find a record (the tables are small and are searched in
// memory), but writes one so that other xBase tools sharing the folder find
// an index that matches the table.
//
// Header page (offset 0):
//    0  u16  signature, 6
//    2  u16  version (update counter)
//    4  u32  file offset of the root page
//    8  u32  file offset of the first free page (0: none)
//   12  u16  item size: key size + 8
//   14  u16  key size
//   16  u16  key decimals
//   18  u16  most keys a page holds
//   20  u16  half of that
//   22  key expression (256 bytes, zero-filled)
//  278  unique flag (1 byte), 279 reserved, 280 descending flag, 281 reserved
//  282  condition expression (256 bytes, zero-filled)
//  538  order name (12 bytes, zero-filled)
//
// Key pages: a u16 key count, then (most keys + 1) u16 offsets of the item
// slots within the page, then the slots. An item is a u32 file offset of the
// page holding the smaller keys (0 in a leaf), a u32 record number (1-based)
// and the key bytes. The item after the last key carries only the offset of
// the page holding the larger keys. Keys compare byte by byte; equal keys by
// record number.
//
// All numbers are little-endian.

#include <QByteArray>
#include <QList>
#include <QString>

namespace zeva {

constexpr int kNtxPageSize = 1024;

struct NtxKey {
    QByteArray key;       // exactly the key size (padded with blanks or cut)
    quint32 record = 0;   // 1-based record number
};

struct NtxHeader {
    quint16 signature = 6;
    quint16 version = 1;
    quint32 root = 0;
    quint32 nextFree = 0;
    int itemSize = 0;
    int keySize = 0;
    int keyDecimals = 0;
    int maxKeys = 0;
    int halfPage = 0;
    QByteArray keyExpression;
    bool unique = false;
    bool descending = false;
    QByteArray condition;
    QByteArray orderName;
};

// Most keys a page holds for a key size: as many items with their offset as
// fit beside the count and the extra item, made even.
int ntxMaxKeys(int keySize);

// The file image of an index over `keys` (any order). Keys are padded or cut
// to `keySize`. With `unique` only the first record (lowest number) of each
// distinct key is kept.
QByteArray buildNtx(const QByteArray& keyExpression, int keySize, QList<NtxKey> keys, bool unique,
                    const QByteArray& orderName);

// Writes the index through a temporary file and a rename, under the existing
// spelling of the name when the file exists in another letter case.
bool writeNtxFile(const QString& path, const QByteArray& keyExpression, int keySize,
                  const QList<NtxKey>& keys, bool unique, const QByteArray& orderName,
                  QString* error = nullptr);

// Parses a file image: the header and, walking the tree from the root, every
// key in order. False (with `error`) for a malformed image: a page offset out
// of the file or not on a page boundary, a page visited twice, a key count
// above the page's capacity, leaves at different depths.
bool parseNtx(const QByteArray& bytes, NtxHeader* header, QList<NtxKey>* keys, QString* error = nullptr);

// Reads the header only; false when the file is missing or not an index.
bool readNtxHeader(const QString& path, NtxHeader* header, QString* error = nullptr);

}  // namespace zeva
