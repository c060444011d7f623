#include "core/helpers.h"

#include "core/windowplace.h"

#include "core/activeproblem.h"
#include "core/problemfile.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace zeva {

QPoint VQMOVEWINDOW(const QSize& area, const QSize& window, int placement,
                    std::optional<int> ox, std::optional<int> oy)
{
    return topLeftFromOrigin(area, window, windowOrigin(area, window, placement, ox, oy));
}

QString SFILEEXT(const QString& name)
{
    const QString last = AllTrim(name).right(4);
    return last.contains(QLatin1Char('.')) ? last : QString();
}

QString SFILEBASE(const QString& name)
{
    const int point = name.lastIndexOf(QLatin1Char('.'));
    return point < 0 ? name : name.left(point);
}

QString PROBFILEBASE()
{
    const auto& server = G().OPROBSERVER;
    return server ? SFILEBASE(server->path()) : QString();
}

void MYSPLITPATH(const QString& path, QString& drive, QString& directory, QString& name, QString& extension)
{
    if (path.isEmpty())
        return;
    QString rest = path;
    drive.clear();
    if (rest.size() >= 2 && rest.at(1) == QLatin1Char(':') && rest.at(0).isLetter()) {
        drive = rest.left(2);
        rest = rest.mid(2);
    }
    const int slash = std::max(rest.lastIndexOf(QLatin1Char('/')), rest.lastIndexOf(QLatin1Char('\\')));
    directory = rest.left(slash + 1);
    const QString file = rest.mid(slash + 1);
    const int point = file.lastIndexOf(QLatin1Char('.'));
    name = point < 0 ? file : file.left(point);
    extension = point < 0 ? QString() : file.mid(point);
}

bool ISSAMEFILE(const QString& a, const QString& b)
{
    return a.right(4).toUpper() == b.right(4).toUpper() && SFILEBASE(a) == SFILEBASE(b);
}

QString CHRCONT(const QString& name)
{
    QString out = AllTrim(name);
    for (QChar c : {u'|', u':', u'.', u'\\', u'*', u'/', u'<', u'>'})
        out.replace(c, QLatin1Char(' '));
    return out;
}

namespace {

// The folder to erase in, or empty when it must not be touched.
QString eraseFolder(const QString& folder)
{
    if (AllTrim(folder).isEmpty())
        return QString();
    const QFileInfo info(folder);
    if (!info.isDir())
        return QString();
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || QDir(canonical).isRoot())
        return QString();
    return canonical;
}

bool eraseAll(const QString& folder, const QStringList& names)
{
    for (const QString& n : names)
        if (!QFile::remove(QDir(folder).filePath(n)))
            return false;
    return true;
}

}  // namespace

bool DELETEFILES(const QString& folder, const QString& mask)
{
    const QString dir = eraseFolder(folder);
    if (dir.isEmpty())
        return false;
    QString pattern = mask.isEmpty() ? QStringLiteral("*.*") : mask;
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    const QStringList names = QDir(dir).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System,
                                                  QDir::Name);
    return eraseAll(dir, names);
}

bool DELETEFILES(const QString& folder, const QStringList& names)
{
    const QString dir = eraseFolder(folder);
    if (dir.isEmpty())
        return false;
    QStringList plain;
    for (const QString& n : names) {
        QString file = n;
        const int slash = std::max(file.lastIndexOf(QLatin1Char('/')), file.lastIndexOf(QLatin1Char('\\')));
        file = file.mid(slash + 1);
        if (file.size() >= 2 && file.at(1) == QLatin1Char(':'))
            file = file.mid(2);
        plain << file;
    }
    return eraseAll(dir, plain);
}

bool RFATRIB(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile())
        return true;
    const QFile::Permissions perms = QFile::permissions(file);
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!(perms & anyWrite))
        QFile::setPermissions(file, perms | QFile::WriteOwner);
    return true;
}

}  // namespace zeva
