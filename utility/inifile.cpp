#include "utility/inifile.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "platform/filelock.h"
#include "platform/regularfile.h"
#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>

namespace zeva {

namespace ini {

QString trimBlanks(const QString& text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (b < e && blank(text.at(b)))
        ++b;
    while (e > b && blank(text.at(e - 1)))
        --e;
    return text.mid(b, e - b);
}

namespace {

QString unquote(const QString& value)
{
    if (value.size() >= 2) {
        const QChar q = value.front();
        if ((q == QLatin1Char('"') || q == QLatin1Char('\'')) && value.back() == q)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// [first, end) of the lines of the first section of that name, the header
// included; {-1, -1} when there is none.
QPair<qsizetype, qsizetype> sectionRange(const QList<Line>& lines, const QString& name)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Line::Section && sameName(lines[i].name, name)) {
            qsizetype end = i + 1;
            while (end < lines.size() && lines[end].kind != Line::Section)
                ++end;
            return {i, end};
        }
    }
    return {-1, -1};
}

bool endsLine(const QByteArray& raw) { return raw.endsWith('\n'); }

Line entryLine(const QString& entry, const QString& value, const QByteArray& ending = "\r\n")
{
    Line line;
    line.kind = Line::Entry;
    line.name = trimBlanks(entry);
    line.value = unquote(trimBlanks(value));
    line.raw = cp1254::encode(line.name + QLatin1Char('=') + value) + ending;
    return line;
}

// A last line without its line end gets one before a line is put behind it;
// a carriage return already there becomes its CR LF.
void ensureLineEnd(QList<Line>& lines, qsizetype index)
{
    if (index >= 0 && index < lines.size() && !endsLine(lines[index].raw))
        lines[index].raw += lines[index].raw.endsWith('\r') ? "\n" : "\r\n";
}

}  // namespace

QList<Line> parse(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', pos);
        const qsizetype end = nl < 0 ? bytes.size() : nl + 1;
        Line line;
        line.raw = bytes.mid(pos, end - pos);
        pos = end;
        QByteArray content = line.raw;
        if (content.endsWith('\n'))
            content.chop(1);
        if (content.endsWith('\r'))
            content.chop(1);
        const QString text = trimBlanks(cp1254::decode(content));
        if (text.startsWith(QLatin1Char(';'))) {
            line.kind = Line::Other;
        } else if (text.startsWith(QLatin1Char('['))) {
            const qsizetype close = text.indexOf(QLatin1Char(']'));
            line.kind = Line::Section;
            line.name = trimBlanks(close < 0 ? text.mid(1) : text.mid(1, close - 1));
        } else {
            const qsizetype eq = text.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                line.kind = Line::Entry;
                line.name = trimBlanks(text.left(eq));
                line.value = unquote(trimBlanks(text.mid(eq + 1)));
            }
        }
        lines.append(line);
    }
    return lines;
}

QByteArray join(const QList<Line>& lines)
{
    QByteArray bytes;
    for (const Line& line : lines)
        bytes += line.raw;
    return bytes;
}

std::optional<QString> value(const QList<Line>& lines, const QString& section, const QString& entry)
{
    const auto [first, end] = sectionRange(lines, trimBlanks(section));
    const QString name = trimBlanks(entry);
    for (qsizetype i = first + 1; first >= 0 && i < end; ++i) {
        if (lines[i].kind == Line::Entry && sameName(lines[i].name, name))
            return lines[i].value;
    }
    return std::nullopt;
}

QList<QPair<QString, QString>> section(const QList<Line>& lines, const QString& name)
{
    QList<QPair<QString, QString>> result;
    const auto [first, end] = sectionRange(lines, trimBlanks(name));
    for (qsizetype i = first + 1; first >= 0 && i < end; ++i) {
        if (lines[i].kind != Line::Entry)
            continue;
        // An entry that appears twice is listed once, with its first value.
        bool seen = false;
        for (const auto& pair : result)
            seen = seen || sameName(pair.first, lines[i].name);
        if (!seen)
            result.append({lines[i].name, lines[i].value});
    }
    return result;
}

bool apply(QList<Line>& lines, const QString& sectionName, const std::optional<QString>& entry,
           const std::optional<QString>& value)
{
    const QString sec = trimBlanks(sectionName);
    if (sec.isEmpty() || hasLineBreak(sec) || sec.contains(QLatin1Char(']')) || !cp1254::canEncode(sec))
        return false;
    if (entry && (trimBlanks(*entry).isEmpty() || hasLineBreak(*entry) || entry->contains(QLatin1Char('=')) ||
                  !cp1254::canEncode(*entry)))
        return false;
    if (value && (hasLineBreak(*value) || !cp1254::canEncode(*value)))
        return false;

    const auto [first, end] = sectionRange(lines, sec);
    if (!entry) {
        if (first >= 0)
            lines.remove(first, end - first);
        return true;
    }
    const QString name = trimBlanks(*entry);
    if (!value) {
        for (qsizetype i = end - 1; first >= 0 && i > first; --i) {
            if (lines[i].kind == Line::Entry && sameName(lines[i].name, name))
                lines.removeAt(i);
        }
        return true;
    }
    if (first < 0) {
        ensureLineEnd(lines, lines.size() - 1);
        Line header;
        header.kind = Line::Section;
        header.name = sec;
        header.raw = cp1254::encode(QLatin1Char('[') + sec + QLatin1Char(']')) + "\r\n";
        lines.append(header);
        lines.append(entryLine(name, *value));
        return true;
    }
    for (qsizetype i = first + 1; i < end; ++i) {
        if (lines[i].kind == Line::Entry && sameName(lines[i].name, name)) {
            QByteArray ending;
            if (lines[i].raw.endsWith("\r\n"))
                ending = "\r\n";
            else if (lines[i].raw.endsWith('\n'))
                ending = "\n";
            lines[i] = entryLine(name, *value, ending);
            return true;
        }
    }
    // A new entry goes behind the section's last line that is not blank.
    qsizetype at = end;
    while (at > first + 1 && trimBlanks(cp1254::decode(lines[at - 1].raw).trimmed()).isEmpty())
        --at;
    ensureLineEnd(lines, at - 1);
    lines.insert(at, entryLine(name, *value));
    return true;
}

qint32 toInt(const QString& text)
{
    const QString t = trimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 magnitude = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    for (; i < t.size() && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9'); ++i) {
        magnitude = magnitude * 10 + (t.at(i).unicode() - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return qint32(-std::min(magnitude, limit));
    return qint32(std::min<qint64>(magnitude, std::numeric_limits<qint32>::max()));
}

}  // namespace ini

namespace {

QByteArray readBytes(const QString& path)
{
    QByteArray bytes;
    readRegularFile(path, &bytes, kMaxSettingsFileSize);
    return bytes;
}

// The file's bytes before an update: empty for a file not there yet; FALSE
// for a file that is there but cannot be read, which must not be taken for
// an empty one and overwritten.
bool readForUpdate(const QString& path, QByteArray* bytes)
{
    const FileRead read = readRegularFile(path, bytes, kMaxSettingsFileSize);
    return read == FileRead::Read || read == FileRead::Missing;
}

testhooks::FlockCall lockCall = &::flock;

// An exclusive lock for the time of one read-modify-write, held on the file
// itself (the file a link names), so that nothing is left beside the file,
// every writer of it waits for the others whatever name it uses, and the
// folder need not be readable. The lock is taken on a descriptor open for
// writing where the file allows it: on an NFS mount an exclusive lock needs
// one. An update replaces the file by another one: a writer that got the
// lock on a file no longer at the name takes the lock on the file there now.
// A file not there yet is made, empty, to hold the lock, and taken away again
// when the update writes nothing. Where the file system keeps no locks the
// update goes on without one, as it would there with any other program;
// when the lock cannot be had for another reason nothing may be written.
class UpdateLock {
public:
    explicit UpdateLock(const QString& path) : name_(QFile::encodeName(linkedFilePath(path)))
    {
        for (;;) {
            bool created = false;
            int fd = ::open(name_.constData(), O_RDWR | O_CLOEXEC);
            if (fd < 0 && errno != ENOENT)  // not writable by this user: read, as a reader may
                fd = ::open(name_.constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 && errno == ENOENT) {
                fd = ::open(name_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (fd < 0 && errno == EEXIST)
                    continue;  // another writer made it just now
                created = fd >= 0;
                if (created)
                    ::fchmod(fd, 0644);  // the mode a new file gets when it is written
            }
            if (fd < 0)
                return;
            int locked;
            while ((locked = lockCall(fd, LOCK_EX)) != 0 && errno == EINTR) {
            }
            if (locked != 0 && lockUnsupported(errno, fd)) {
                fd_ = fd;
                created_ = created;
                return;
            }
            if (locked == 0 && stillNamed(fd)) {
                fd_ = fd;
                created_ = created;
                return;
            }
            if (locked != 0) {
                // Refused: the file made for the lock goes again, so that
                // nothing is left where there was nothing.
                if (created && stillNamed(fd))
                    ::unlink(name_.constData());
                ::close(fd);
                return;
            }
            ::close(fd);
        }
    }
    ~UpdateLock()
    {
        if (fd_ < 0)
            return;
        struct stat st;
        if (created_ && ::fstat(fd_, &st) == 0 && st.st_size == 0 && stillNamed(fd_))
            ::unlink(name_.constData());
        ::close(fd_);
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    bool held() const { return fd_ >= 0; }
    // TRUE when the file was not there before the lock made it.
    bool madeFile() const { return created_; }
    // The update replaced the file: the one made for the lock is gone.
    void written() { created_ = false; }

private:
    // TRUE while the file the lock is on is the one at the name.
    bool stillNamed(int fd) const
    {
        struct stat held;
        struct stat named;
        return ::fstat(fd, &held) == 0 && ::stat(name_.constData(), &named) == 0 && held.st_dev == named.st_dev &&
               held.st_ino == named.st_ino;
    }

    QByteArray name_;
    int fd_ = -1;
    bool created_ = false;
};

// The folders an update makes for its file (the missing part of its path),
// taken away again, where they are still empty, unless the update wrote the
// file: a refused update leaves the folders as they were.
class MadeFolders {
public:
    explicit MadeFolders(const QString& folder)
    {
        QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
        while (!QFileInfo::exists(f) && f != QFileInfo(f).absolutePath()) {
            made_ << f;
            f = QFileInfo(f).absolutePath();
        }
        QDir().mkpath(folder);
    }
    ~MadeFolders()
    {
        for (const QString& f : made_)  // the deepest first
            QDir().rmdir(f);
    }
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;

    void keep() { made_.clear(); }

private:
    QStringList made_;
};

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    const QString ca = fa.exists() ? fa.canonicalFilePath() : fa.absoluteFilePath();
    const QString cb = fb.exists() ? fb.canonicalFilePath() : fb.absoluteFilePath();
    return ca == cb;
}

}  // namespace

namespace testhooks {

void setIniFlock(FlockCall call) { lockCall = call ? call : &::flock; }

}  // namespace testhooks

INIFILE::INIFILE(QString fileName) : fileName_(std::move(fileName)) {}

INIFILE::~INIFILE() = default;

QString INIFILE::setFILENAME(const QString& fileName)
{
    fileName_ = fileName;
    return fileName_;
}

QString INIFILE::filePath() const
{
    if (fileName_.contains(QLatin1Char('/')))
        return fileName_;
    return QFileInfo(settingsFilePath()).absolutePath() + QLatin1Char('/') + fileName_;
}

bool INIFILE::SETSTRING(const QString& section, const std::optional<QString>& entry,
                        const std::optional<QString>& value)
{
    const QString path = filePath();
    if (fileName_.trimmed().isEmpty())
        return false;
    MadeFolders folders(QFileInfo(path).absolutePath());
    UpdateLock lock(path);
    if (!lock.held())
        return false;
    QByteArray before;
    if (!readForUpdate(path, &before))
        return false;
    QList<ini::Line> lines = ini::parse(before);
    if (!ini::apply(lines, section, entry, value))
        return false;
    const QByteArray after = ini::join(lines);
    if (after == before && !lock.madeFile())
        return !writeProtected(path);
    if (!writeFileAtomically(path, after))
        return false;
    lock.written();
    folders.keep();
    return true;
}

bool INIFILE::SETLOGIC(const QString& section, const QString& entry, bool value)
{
    return SETSTRING(section, entry, value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
}

bool INIFILE::SETINT(const QString& section, const QString& entry, qint32 value)
{
    return SETSTRING(section, entry, QString::number(value));
}

QString INIFILE::GETSTRING(const QString& section, const QString& entry)
{
    if (fileName_.trimmed().isEmpty())
        return {};
    // The blanks go after the quotes: q="  word " reads as "word".
    return ini::trimBlanks(ini::value(ini::parse(readBytes(filePath())), section, entry).value_or(QString()));
}

QList<QPair<QString, QString>> INIFILE::GETSECTION(const QString& section)
{
    if (fileName_.trimmed().isEmpty())
        return {};
    QList<QPair<QString, QString>> result;
    const auto pairs = ini::section(ini::parse(readBytes(filePath())), section);
    for (const auto& pair : pairs)
        result.append({pair.first, GETSTRING(section, pair.first)});
    return result;
}

bool INIFILE::GETLOGIC(const QString& section, const QString& entry)
{
    const QString v = GETSTRINGUPPER(section, entry);
    return v == QLatin1String("TRUE") || v == QLatin1String("ON") || v == QLatin1String("YES");
}

qint32 INIFILE::GETINT(const QString& section, const QString& entry)
{
    return ini::toInt(GETSTRING(section, entry));
}

bool INIFILE::DELETESECTION(const QString& section) { return SETSTRING(section, std::nullopt, std::nullopt); }

bool INIFILE::DELETEENTRY(const QString& section, const QString& entry)
{
    return SETSTRING(section, entry, std::nullopt);
}

bool INIFILE::CREATE()
{
    const QString trimmed = fileName_.trimmed();
    if (trimmed.isEmpty() || trimmed.toUpper() == QLatin1String("WIN"))
        return false;
    // A bare name lies beside the settings: never empty the program's own.
    if (samePath(filePath(), settingsFilePath()))
        return false;
    const QString path = filePath();
    MadeFolders folders(QFileInfo(path).absolutePath());
    UpdateLock lock(path);
    if (!lock.held() || !writeFileAtomically(path, QByteArray()))
        return false;
    lock.written();
    folders.keep();
    return true;
}

QString INIFILE::GETSTRINGUPPER(const QString& section, const QString& entry)
{
    return GETSTRING(section, entry).toUpper();
}

}  // namespace zeva
