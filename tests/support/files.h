#pragma once
// Whole files as bytes, for tests that check what was written.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace zeva::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file with `bytes`; fails the test when it cannot.
inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

}  // namespace zeva::test
