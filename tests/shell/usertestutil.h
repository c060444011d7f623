#pragma once
// Helpers of the user table tests: file bytes, tables with given users, and an
// independent walk over the pages of an NTX index.

#include "platform/codec.h"
#include "platform/dbf.h"
#include "shell/usertable.h"
#include "support/qstringprint.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <ostream>

namespace zeva::test {

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList folderFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Writes a user table (and its unique index) with these {id, password} rows.
inline void writeUsers(const QString& folder, const QList<QPair<QString, QString>>& users, bool unique = true)
{
    DbfTable t({{QStringLiteral("KULL_ID"), 'C', 20, 0}, {QStringLiteral("PASSWORD"), 'C', 20, 0}});
    for (const auto& u : users) {
        const int r = t.appendRecord();
        t.setValue(r, QStringLiteral("KULL_ID"), u.first);
        t.setValue(r, QStringLiteral("PASSWORD"), u.second);
    }
    writeDbfFile(userTablePath(folder), t);
    rebuildUserIndex(folder, t, unique);
}

// {id, password} of every record, in file order, as stored.
inline QList<QPair<QString, QString>> storedUsers(const QString& folder)
{
    DbfTable t;
    readDbfFile(userTablePath(folder), &t);
    QList<QPair<QString, QString>> out;
    for (int r = 0; r < t.recordCount(); ++r)
        out << qMakePair(t.value(r, QStringLiteral("KULL_ID")), t.value(r, QStringLiteral("PASSWORD")));
    return out;
}

struct WalkedIndex {
    bool ok = false;
    bool unique = false;
    QByteArray keyExpression;
    QList<QPair<QString, quint32>> keys;  // key text and record number, in walk order
};

// Reads the index straight from its layout: header fields at fixed offsets,
// pages of 1024 bytes, item offsets after the key count, items holding the
// child page, the record number and the key.
inline WalkedIndex walkIndex(const QString& path)
{
    WalkedIndex out;
    const QByteArray b = fileBytes(path);
    if (b.size() < 1024 || b.size() % 1024 != 0)
        return out;
    auto u16 = [&](qsizetype at) { return quint32(quint8(b[at])) | (quint32(quint8(b[at + 1])) << 8); };
    auto u32 = [&](qsizetype at) { return u16(at) | (u16(at + 2) << 16); };
    const int keySize = int(u16(14));
    out.keyExpression = b.mid(22, 256);
    out.keyExpression.truncate(out.keyExpression.indexOf('\0'));
    out.unique = b[278] != 0;
    bool ok = true;
    int pages = 0;
    std::function<void(quint32)> walk = [&](quint32 page) {
        if (!ok || page == 0 || page % 1024 || page + 1024 > quint32(b.size()) || ++pages > 10000) {
            ok = false;
            return;
        }
        const int count = int(u16(page));
        for (int i = 0; i <= count; ++i) {
            const quint32 item = page + u16(page + 2 + 2 * i);
            if (const quint32 child = u32(item))
                walk(child);
            if (i < count)
                out.keys << qMakePair(cp1254::decode(b.mid(item + 8, keySize)), u32(item + 4));
        }
    };
    walk(u32(4));
    out.ok = ok;
    return out;
}

}  // namespace zeva::test
