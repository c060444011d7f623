#pragma once
// The start-up's steps with the program's windows: the single-instance lock,
// the settings, the user table, the splash screen, the main window, the login
// and the tip of the day (shell/startup.h runs them in order).

#include "core/userport.h"
#include "shell/splash.h"
#include "shell/startup.h"
#include "shell/ui/dialogsupport.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace zeva {

class QtUserPort;
class SPLASHSCREEN;
class STANDARDSHELLWINDOW;

struct QtStartupOptions {
    // Boxes and dialogs of the whole run; null: Qt ports (owner-less before
    // the main window exists, the window's own afterwards).
    UserPort* port = nullptr;
    // The single-instance test; empty: ISAPPRUNNING("ZEVA").
    std::function<bool()> isAppRunning;
    // How the login and the tip of the day are run; empty: their own loops.
    DialogRunner runner;
    // The splash screen's clock and its 2-second hold.
    MonotonicClock clock;
    Sleeper sleeper;
    // The message loop; empty: QApplication::exec().
    std::function<int()> exec;
    // Called once the main window is built, before anything is opened in it:
    // where the other parts of the program add their commands to it.
    std::function<void(STANDARDSHELLWINDOW&)> wireMainWindow;
};

// Qt's own dialogs and buttons (the file dialogs above all) speak Turkish:
// makes Turkish the default locale (file types, sizes, dates; the system
// locale stays as it is) and installs Qt's Turkish translation from the
// system's translations folder (Debian's qt6-translations-l10n) once, with
// the Turkish set-up of every file and font dialog (platform/ui/
// turkishdialogs.h); Qt's own dialogs are used, never the desktop's. FALSE
// when the translation is not there; Qt's texts then stay English.
bool installQtTurkish();

class QtStartupHost : public StartupHost {
public:
    // Remembers the folder the program was started in: a relative file name
    // on the command line is found from there, although the settings make the
    // data directory the current folder.
    explicit QtStartupHost(QtStartupOptions options = {});
    ~QtStartupHost() override;

    STANDARDSHELLWINDOW* mainWindow() const { return window_.get(); }
    // The splash while it is up; null once it has gone (or when none was made).
    SPLASHSCREEN* splash() const;

    bool isAppRunning() override;
    void alreadyRunning(const QString& text) override;
    bool readSettings() override;
    void checkUserTable() override;
    void showSplash() override;
    void createMainWindow() override;
    void openFile(const QString& fileName) override;
    void showMainWindow() override;
    bool logon(QString& userId) override;
    void tipOfDay() override;
    int exec() override;

private:
    UserPort& port();

    QtStartupOptions options_;
    QString startFolder_;
    std::unique_ptr<QtUserPort> bootPort_;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    QPointer<SPLASHSCREEN> splash_;
};

}  // namespace zeva
