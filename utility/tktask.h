#pragma once
// Starts another program as a separate process and answers questions about it
// afterwards: its id, whether it still runs, its exit code. It never waits for
// the child and never ends it. A child still running when the object is
// dropped or started again is handed to a reaper thread that waits for that
// one process only, so it never lingers as a zombie and no other child's exit
// status is taken.

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <sys/types.h>

namespace zeva {

class TKTASK {
public:
    // The exit code that reads while the child runs.
    static constexpr quint32 STILL_ACTIVE = 259;

    TKTASK() = default;
    ~TKTASK();
    TKTASK(const TKTASK&) = delete;
    TKTASK& operator=(const TKTASK&) = delete;

    // Starts the command line; returns the object.
    TKTASK& CREATE();

    // TRUE while the child runs (the exit code then reads 259) and after it
    // ended with a code other than 0; FALSE before a start, after an exit with
    // 0, or when the state cannot be read. A child killed by a signal reads as
    // 128 plus the signal number.
    bool ISTASK();
    bool STILLRUNNING() { return ISTASK(); }
    bool RUNNING() { return STILLRUNNING(); }
    // ISTASK first, then the exit code it read.
    quint32 RETURNCODE();

    // The command line for LAUNCH, kept as given; it also becomes the task
    // name. An empty text is ignored.
    QString COMMANDLINE() const { return commandLine_; }
    TKTASK& COMMANDLINE(const QString& line);
    // The program LAUNCH1 starts, as one path. An empty text is ignored.
    QString TASKNAME() const { return taskName_; }
    TKTASK& TASKNAME(const QString& name);
    // Kept for the caller; a process here has no window title to set.
    TKTASK& TITLE(const QString& title);
    QString titleText() const { return title_; }

    // The child's process id, 0 before the first start. The thread id and the
    // handle are the same number here.
    quint32 TASKID() const { return quint32(pid_); }
    quint32 PROCESSID() const { return TASKID(); }
    quint32 THREADID() const { return TASKID(); }
    quint32 HANDLE() const { return TASKID(); }

    // Splits the command line as a shell would (blanks separate words, quotes
    // keep a word whole) and starts it; a first word without a slash is
    // looked up on PATH. Returns at once; a failed start only sets the error
    // text.
    TKTASK& LAUNCH();
    // Starts the task name as the path of a program, without arguments.
    TKTASK& LAUNCH1();

    // The system's message for the last failed start; empty until a start
    // fails, and a later success leaves it as it was.
    QString errorText() const { return errorText_; }

private:
    bool spawn(const QString& program, const QStringList& arguments, bool searchPath);
    void releaseChild();

    quint32 exitCode_ = 0;
    QString taskName_;
    QString errorText_;
    QString title_;
    QString commandLine_;
    pid_t pid_ = 0;
    bool reaped_ = false;     // the child's status has been collected
    quint32 finalCode_ = 0;   // its exit code once reaped
};

// The system's message for an error number (errno when none is given).
QString LASTPROCERRORASTEXT(int error = -1);

}  // namespace zeva
