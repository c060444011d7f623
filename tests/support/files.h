#pragma once
// Whole files as bytes, for tests that check what was written.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A file name of exactly `bytes` bytes in UTF-8: Turkish capitals (two bytes
// each), one plain letter where the count is odd, then `extension`.
inline QString longTurkishName(int bytes, const QString& extension)
{
    static const QString letters = QStringLiteral("ÇĞİÖŞÜ");
    const int room = bytes - int(extension.toUtf8().size());
    QString name;
    for (int i = 0; i < room / 2; ++i)
        name += letters.at(i % letters.size());
    if (room % 2)
        name += QLatin1Char('X');
    return name + extension;
}

// Touches the file as a backup or sync tool may: its modification time moves
// a minute on, its bytes stay.
inline void touchOnly(const QString& path)
{
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    struct timespec later = st.st_mtim;
    later.tv_sec += 60;
    const struct timespec times[2] = {st.st_atim, later};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0) << path.toStdString();
}

// The most bytes the name of a file in `folder` may hold.
inline long nameLimit(const QString& folder)
{
    return ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
}

}  // namespace zeva::test
