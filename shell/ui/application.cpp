#include "shell/ui/application.h"

#include "core/messages.h"
#include "platform/ui/programicons.h"
#include "platform/ui/turkishdialogs.h"
#include "shell/menustate.h"
#include "shell/settings.h"
#include "shell/singleinstance.h"
#include "shell/usertable.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/splashabout.h"
#include "shell/ui/standardshellwindow.h"
#include "shell/ui/tipofdaydialog.h"
#include "shell/ui/userdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QScreen>
#include <QStatusBar>

namespace zeva {

bool installQtTurkish()
{
    // Qt's own dialogs name file types, sizes and dates in Turkish. The
    // program's numbers never go through the default locale (the runtime
    // helpers use the point whatever it says), and the controls read the
    // system's own locale, which stays as it is.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    // Qt's dialogs everywhere, those Qt opens itself too (the print dialog's
    // file browser): the desktop's own would speak the desktop's language.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    static QTranslator* translator = nullptr;
    if (!translator) {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (t->load(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(t);
            translator = t;
        } else {
            delete t;
        }
    }
    // After the translation: what it leaves English, and the set-up of every
    // file and font dialog.
    installTurkishDialogs();
    return translator != nullptr;
}

QtStartupHost::QtStartupHost(QtStartupOptions options)
    : options_(std::move(options)), startFolder_(QDir::currentPath())
{
    // Every window without an icon of its own, the boxes shown before the
    // main window among them, carries the program's.
    QApplication::setWindowIcon(ZVXTOD());
    if (!options_.port)
        bootPort_ = std::make_unique<QtUserPort>(nullptr);
}

QtStartupHost::~QtStartupHost()
{
    window_.reset();
    delete splash_.data();
}

UserPort& QtStartupHost::port()
{
    if (options_.port)
        return *options_.port;
    if (window_)
        return window_->port();
    return *bootPort_;
}

SPLASHSCREEN* QtStartupHost::splash() const
{
    return splash_.data();
}

bool QtStartupHost::isAppRunning()
{
    return options_.isAppRunning ? options_.isAppRunning() : ISAPPRUNNING(kInstanceName);
}

void QtStartupHost::alreadyRunning(const QString& text)
{
    MESS2(port(), text);
}

bool QtStartupHost::readSettings()
{
    return RSTATUSLAST(port());
}

void QtStartupHost::checkUserTable()
{
    KONTPWDBF(port(), G().CDATAPATH);
}

void QtStartupHost::showSplash()
{
    splash_ = showSplashIfEnabled(G(), options_.clock ? options_.clock : steadyClock(),
                                  options_.sleeper ? options_.sleeper : threadSleeper());
}

void QtStartupHost::createMainWindow()
{
    window_ = std::make_unique<STANDARDSHELLWINDOW>(nullptr, options_.port);
    if (options_.runner)
        window_->setDialogRunner(options_.runner);
    if (options_.wireMainWindow)
        options_.wireMainWindow(*window_);
}

void QtStartupHost::openFile(const QString& fileName)
{
    const QString path = QFileInfo(fileName).isRelative() ? QDir(startFolder_).filePath(fileName) : fileName;
    if (window_->DOOPENFILE(path))
        window_->setWindowTitle(QStringLiteral("ZEVA 2.0 - ") + fileName);
}

void QtStartupHost::showMainWindow()
{
    // A large window in the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size(area.width() * 9 / 10, area.height() * 9 / 10);
        window_->resize(size);
        window_->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool QtStartupHost::logon(QString& userId)
{
    const LogonOutcome outcome = runLogon(window_.get(), G(), options_.port, options_.runner);
    userId = outcome.LOGONID;
    return outcome.LOGONOK;
}

void QtStartupHost::tipOfDay()
{
    STANDARDSHELLWINDOW* window = window_.get();
    showTipOfDayIfEnabled(window, G(), [window] { window->TUYOGOSTER(); }, options_.port, options_.runner);
}

int QtStartupHost::exec()
{
    return options_.exec ? options_.exec() : QApplication::exec();
}

}  // namespace zeva
