#pragma once
// A plain-text log for a program: by default the running executable's path
// with the extension ".log", or on request a file of that name in the web
// server's log folder. The name is decided once at construction, which may
// also save the old log as ".bak" and start a new one. Every message is one
// appending write of whole lines (Windows-1254, CR LF), so several writers in
// several processes can share one log without overwriting each other. When
// the file cannot be used, messages go to the debug output instead.
//
// The folder beside the executable is usually not writable for a user: such a
// log falls back to the debug output from the start.

#include <QString>
#include <QVariant>

#include <functional>

namespace zeva {

// A runtime error as the error dump reads it, field by field.
struct ErrorInfo {
    QVariant SUBSYSTEM;
    QVariant SUBCODE;
    int GENCODE = 0;
    QString STACK;  // lines separated by CR LF
    QVariant OSCODE;
    int ARGTYPE = 0;
    QVariant FUNCPTR;
    QVariant ARGNUM;
    QVariant FUNCSYM;
    QVariant SEVERITY;
    QVariant CANDEFAULT;
    QVariant CANRETRY;
    QVariant CANSUBSTITUTE;
    QVariant OPERATION;
    QVariant DESCRIPTION;
    QVariant FILENAME;
    QVariant TRIES;
    QVariant FILEHANDLE;
    QVariant SUBCODETEXT;
    QVariant ARG;
    int ARGTYPEREQ = 0;
    QVariant MAXSIZE;
    int SUBSTITUTETYPE = 0;
    QVariant CALLFUNCSYM;
};

// The settings value that names the web server's log folder.
inline const QString kServerLogKey = QStringLiteral("SYSTEM\\CurrentControlSet\\Services\\W3SVC\\Parameters");
inline const QString kServerLogValue = QStringLiteral("LogFileDirectory");

class LOGFILE {
public:
    // `name`: a file name (beside the executable) or a path (with a slash);
    // absent or empty: the executable's own path. `serverFolder` TRUE puts
    // the log in the server's log folder; anything but a logical counts as
    // FALSE. `append` FALSE saves an existing log under BACKUPNAME and starts
    // an empty one; anything but a logical counts as TRUE.
    explicit LOGFILE(const QVariant& name = QVariant(), const QVariant& serverFolder = QVariant(),
                     const QVariant& append = QVariant());

    // Appends the text and CR LF to the log (LOG2FILE TRUE; FALSE when the
    // file cannot be opened), or sends the text to the debug output (TRUE
    // when the text is not empty).
    bool DEBUGMSG(const QString& text);
    // Appends a block of labelled lines about the error, whatever LOG2FILE
    // says; nothing when the file cannot be opened.
    LOGFILE& DUMPERROR(const ErrorInfo& error);

    // The executable's folder with its trailing slash.
    QString SERVERPATH() const { return serverPath_; }
    QString FNAME() const { return fileName_; }
    QString FNAME(const QVariant& name);
    // FNAME's folder without the trailing slash.
    QString LOGPATH() const;
    QString BACKUPNAME() const { return backupName_; }
    QString BACKUPNAME(const QVariant& name);
    bool APPEND() const { return append_; }
    bool APPEND(const QVariant& flag);
    bool LOG2FILE() const { return toFile_; }
    bool LOG2FILE(const QVariant& flag);

private:
    bool appendBytes(const QByteArray& bytes);

    QString fileName_;
    QString backupName_;
    QString serverPath_;
    bool toFile_ = false;
    bool append_ = true;
};

// The debug output: a function given the text; by default it writes to
// standard error. Answers the sink that was set before.
using DebugOutputSink = std::function<void(const QString&)>;
DebugOutputSink setDebugOutputSink(DebugOutputSink sink);

// The server's log folder: the settings value, "%SystemRoot%" replaced by the
// SystemRoot variable; without a value or that variable, the "zeva/LogFiles"
// folder in the user's state folder ($XDG_STATE_HOME, else
// ~/.local/state), created when missing.
QString serverLogFolder();

namespace testhooks {
// The path the log takes for the running executable; empty: the real one.
void setExecutablePath(const QString& path);
}  // namespace testhooks

}  // namespace zeva
