#pragma once
// The program's run: APP:START and APP:INITIALIZE. START refuses a second
// copy, reads the settings, prepares the empty problem, takes the problem file
// named on the command line, creates the main window, opens that file in it,
// shows the window, logs the user on and shows the tip of the day when the
// settings want them, then runs the message loop until the main window closes.
//
// The steps that need windows, locks or the settings store are calls of a
// StartupHost; the Qt program gives one (shell/ui/application.h), tests a
// fake that records the order.

#include "core/activeproblem.h"

#include <QString>
#include <QStringList>

namespace zeva {

// The text of the error box of a second copy.
inline const QString kAlreadyRunning = QStringLiteral("ZEVA 2.0 hazır yüklü...\nGörev çubuğunda olabilir!");
// The name of the single-instance lock.
inline const QString kInstanceName = QStringLiteral("ZEVA");

class StartupHost {
public:
    virtual ~StartupHost() = default;

    // TRUE when another copy runs (ISAPPRUNNING("ZEVA")); this copy then
    // holds the lock until it ends.
    virtual bool isAppRunning() = 0;
    // The error box of a second copy (no owner, title "Hata...").
    virtual void alreadyRunning(const QString& text) = 0;
    // RSTATUSLAST: FALSE (after its message) when the data directory is not
    // recorded.
    virtual bool readSettings() = 0;
    // KONTPWDBF: the user table exists afterwards (or its failure was told).
    virtual void checkUserTable() = 0;
    // The splash screen; the call returns after its 2-second hold.
    virtual void showSplash() = 0;
    // STANDARDSHELLWINDOW, built but not shown.
    virtual void createMainWindow() = 0;
    // DOOPENFILE on the main window; it tells its own failures.
    virtual void openFile(const QString& fileName) = 0;
    virtual void showMainWindow() = 0;
    // The modal login over the main window: TRUE when it succeeded, with the
    // stored user id in `userId`.
    virtual bool logon(QString& userId) = 0;
    // The tip of the day over the main window, storing the tip number and
    // unticking "&Tüyo Göster" (TUYOGOSTER) when the user cleared its box.
    virtual void tipOfDay() = 0;
    // The message loop; returns when the main window has closed.
    virtual int exec() = 0;
};

// The problem file named on the command line: the first argument after the
// program, taken literally (never evaluated), with one pair of double quotes
// around it removed. Empty when there is none or it is blank.
QString commandLineFile(const QStringList& arguments);

class APP {
public:
    APP(StartupHost& host, ActiveProblem& problem = G()) : host_(host), problem_(problem) {}

    // The whole run; `arguments` as the process got them (program first).
    // Answers the exit code: the message loop's, or 1 for the three ways of
    // ending before it (second copy, no data directory, failed login).
    int START(const QStringList& arguments);
    // Runtime settings, the empty problem, the user table and the splash.
    void INITIALIZE();

private:
    StartupHost& host_;
    ActiveProblem& problem_;
};

}  // namespace zeva
