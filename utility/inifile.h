#pragma once
// One initialisation file of "[section]" and "entry=value" lines. Every call
// reads or rewrites the file at once; nothing is cached. Section and entry
// names match without letter case and surrounding blanks; a value is read
// without a pair of matching quotes around it and then without surrounding
// blanks; lines starting with ";" are comments. A rewrite changes only the
// lines it must: every other line keeps its bytes. The file is Windows-1254
// with CR LF, replaced whole through a temporary file (a write-protected file
// is not replaced, a link is written through), and each update holds a lock on
// the file itself, so two writers never lose each other's changes, also in a
// folder they may write but not read. Where the file system keeps no locks
// (some network and special file systems) updates are written without one;
// when the lock cannot be had for another reason nothing is written, and a
// file or folder made for the update is taken away again.
// A file that is there but cannot be read is never written.
//
// A name without a folder lies in the program's settings folder.

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace zeva {

class INIFILE {
public:
    explicit INIFILE(QString fileName = {});
    virtual ~INIFILE();

    QString FILENAME() const { return fileName_; }
    QString setFILENAME(const QString& fileName);

    // The file the name stands for.
    QString filePath() const;

    // No entry removes the section, no value removes the entry. FALSE when the
    // file cannot be read or written, or for a line break in any part, "=" in the
    // entry, "]" in the section, or a character the file's code page lacks.
    virtual bool SETSTRING(const QString& section, const std::optional<QString>& entry,
                           const std::optional<QString>& value);
    bool SETLOGIC(const QString& section, const QString& entry, bool value);
    bool SETINT(const QString& section, const QString& entry, qint32 value);
    virtual QString GETSTRING(const QString& section, const QString& entry);
    QList<QPair<QString, QString>> GETSECTION(const QString& section);
    bool GETLOGIC(const QString& section, const QString& entry);
    // Sign and leading digits of the value, 0 when there are none; saturates
    // at the 32-bit bounds.
    qint32 GETINT(const QString& section, const QString& entry);
    bool DELETESECTION(const QString& section);
    bool DELETEENTRY(const QString& section, const QString& entry);
    // Makes the file anew, empty. Refuses "WIN" and the program's own settings
    // file.
    bool CREATE();
    virtual QString GETSTRINGUPPER(const QString& section, const QString& entry);

private:
    QString fileName_;
};

// The lines of an INI text as the class reads them: exposed for the tests and
// the fuzz target.
namespace ini {

struct Line {
    enum Kind { Other, Section, Entry };
    QByteArray raw;  // the line's bytes with its line end
    Kind kind = Other;
    QString name;
    QString value;
};

QList<Line> parse(const QByteArray& bytes);
QByteArray join(const QList<Line>& lines);
// Value of an entry; nullopt when the section or entry is missing.
std::optional<QString> value(const QList<Line>& lines, const QString& section, const QString& entry);
QList<QPair<QString, QString>> section(const QList<Line>& lines, const QString& section);
// The change SETSTRING makes, on lines in memory. FALSE for arguments it
// refuses (nothing changed).
bool apply(QList<Line>& lines, const QString& section, const std::optional<QString>& entry,
           const std::optional<QString>& value);
// Sign and leading digits, saturated; 0 when there are none.
qint32 toInt(const QString& text);
// The text without leading and trailing blanks and tabs.
QString trimBlanks(const QString& text);

}  // namespace ini

// Test-only: the call that takes the update lock, so that a test can make it
// answer as an NFS mount does (EBADF for an exclusive lock on a descriptor
// open only for reading) or as a file system without locks does (ENOLCK,
// EOPNOTSUPP). Null puts ::flock back.
namespace testhooks {

using FlockCall = int (*)(int fd, int operation);
void setIniFlock(FlockCall call);

}  // namespace testhooks

}  // namespace zeva
