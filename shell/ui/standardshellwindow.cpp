#include "shell/ui/standardshellwindow.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/problemfile.h"
#include "core/ui/windowhelpers.h"
#include "platform/ui/desktophelp.h"
#include "platform/ui/programicons.h"
#include "resources/menus.h"
#include "shell/menustate.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/splashabout.h"
#include "shell/ui/userdialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace zeva {

namespace {

const QString kExitTitle = QStringLiteral("Çıkış");
const QString kExitQuestion = QStringLiteral("ZEVA 2.0'dan çıkmak istediğinizden emin misiniz?");
// "&KM Esaslı Matrise Ekle".
constexpr int kAddFormulaItem = 3564;

const QString kChangedQuestion =
    QStringLiteral(" Dosyasındaki veriler değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");

// The local files among the dropped URLs.
QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

}  // namespace

STANDARDSHELLWINDOW::STANDARDSHELLWINDOW(QWidget* owner, UserPort* port) : QMainWindow(owner)
{
    if (port) {
        port_ = port;
    } else {
        ownPort_ = std::make_unique<QtUserPort>(this);
        port_ = ownPort_.get();
    }

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(mdi_);

    // Dropped files reach DROP; a drag is accepted only while somebody
    // handles them (setDropHandler). Files dragged over a child (a pad's
    // text takes any drop as text) come here too.
    setAcceptDrops(true);
    QCoreApplication::instance()->installEventFilter(this);

    // Status bar with the time.
    clock_ = new QLabel(this);
    clock_->setObjectName(QStringLiteral("StatusClock"));
    statusBar()->addPermanentWidget(clock_);
    clockTimer_ = new QTimer(this);
    connect(clockTimer_, &QTimer::timeout, this, &STANDARDSHELLWINDOW::tickClock);
    clockTimer_->start(1000);
    tickClock();
    if (ownPort_)
        ownPort_->setStatusBar(statusBar());

    files_ = std::make_unique<FileCommands>(
        *port_, FileCommandHooks{[this] { MI_ENADISABLE(); }, [this](const QString& c) { setWindowTitle(c); },
                                 [this](int id) {
                                     if (mainMenu_)
                                         mainMenu_->setEnabled(id, true);
                                 }});

    // The commands of the main menu that this window carries itself.
    using Method = void (STANDARDSHELLWINDOW::*)();
    const QList<QPair<const char*, Method>> methods = {
        {"YENIDOSYAGIR", &STANDARDSHELLWINDOW::YENIDOSYAGIR},
        {"FILEOPEN", &STANDARDSHELLWINDOW::FILEOPEN},
        {"FILECLOSE", &STANDARDSHELLWINDOW::FILECLOSE},
        {"KAYDET", &STANDARDSHELLWINDOW::KAYDET},
        {"FKAYDET", &STANDARDSHELLWINDOW::FKAYDET},
        {"FILEEXIT", &STANDARDSHELLWINDOW::FILEEXIT},
        {"WINDOWCASCADE", &STANDARDSHELLWINDOW::WINDOWCASCADE},
        {"WINDOWTILE", &STANDARDSHELLWINDOW::WINDOWTILE},
        {"WINDOWICON", &STANDARDSHELLWINDOW::WINDOWICON},
        {"MI_ENADISABLE", &STANDARDSHELLWINDOW::MI_ENADISABLE},
        {"TUYOGOSTER", &STANDARDSHELLWINDOW::TUYOGOSTER},
        {"LOGOGOSTER", &STANDARDSHELLWINDOW::LOGOGOSTER},
        {"ADPAROLASOR", &STANDARDSHELLWINDOW::ADPAROLASOR},
        {"RMSEC_HK", &STANDARDSHELLWINDOW::RMSEC_HK},
        {"RMSEC_KME", &STANDARDSHELLWINDOW::RMSEC_KME},
        {"COZUM", &STANDARDSHELLWINDOW::COZUM},
        {"NRESTOFDC1", &STANDARDSHELLWINDOW::NRESTOFDC1},
        {"NRESTOFDC2", &STANDARDSHELLWINDOW::NRESTOFDC2},
        {"HELPINDEX", &STANDARDSHELLWINDOW::HELPINDEX},
        {"HELPCONTENTS", &STANDARDSHELLWINDOW::HELPCONTENTS},
        {"HELPUSINGHELP", &STANDARDSHELLWINDOW::HELPUSINGHELP},
        {"OHAKKINDA", &STANDARDSHELLWINDOW::OHAKKINDA},
        // The child menus' about command, for the windows that leave it to us.
        {"ZVXHAKKINDA", &STANDARDSHELLWINDOW::OHAKKINDA},
        {"ADDNEWUSER", &STANDARDSHELLWINDOW::ADDNEWUSER},
        {"CHANGEUANDP", &STANDARDSHELLWINDOW::CHANGEUANDP},
    };
    for (const auto& entry : methods) {
        const Method method = entry.second;  // clang 14 cannot capture a structured binding
        commands_.insert(QString::fromLatin1(entry.first), [this, method] { (this->*method)(); });
    }

    // The menu, its toolbar and keys, through the host that lets an active
    // child window's menu take their place.
    host_ = std::make_unique<MenuHost>(this, mdi_);
    ticks_.setFromSettings(G());
    logonAtStart_ = G().LLOGON;
    mainMenu_ = std::make_unique<ShellMenu>(res::emptyShellMenu(), this);
    host_->setFrameMenu(mainMenu_.get());

    helpLauncher_ = desktopHelpLauncher();
    HELPOPEN();

    setWindowIcon(ZVXICON());
    setWindowTitle(kProgramTitle);

    POSTINIT();
}

STANDARDSHELLWINDOW::~STANDARDSHELLWINDOW()
{
    // The host goes first: the menus and child windows that follow must not
    // make it rebuild a menu bar that is going away.
    host_.reset();
}

// ---------------------------------------------------------------- dispatch

bool STANDARDSHELLWINDOW::dispatch(const QString& symbol)
{
    const auto it = commands_.constFind(symbol);
    if (it == commands_.constEnd())
        return false;
    // A copy: the command may replace its own entry while it runs.
    const std::function<void()> command = it.value();
    const auto steps = beforeCommand_;
    for (const auto& step : steps)
        step(symbol);
    command();
    return true;
}

void STANDARDSHELLWINDOW::setCommand(const QString& symbol, std::function<void()> handler)
{
    if (handler)
        commands_.insert(symbol, std::move(handler));
    else
        commands_.remove(symbol);
}

void STANDARDSHELLWINDOW::addBeforeCommand(std::function<void(const QString&)> step)
{
    if (step)
        beforeCommand_.append(std::move(step));
}

// ---------------------------------------------------------------- construction

void STANDARDSHELLWINDOW::POSTINIT()
{
    if (mainMenu_)
        mainMenu_->apply(optionMenuState(ticks_, logonAtStart_));
}

ShellMenu* STANDARDSHELLWINDOW::newMainMenu()
{
    std::unique_ptr<ShellMenu> old = std::move(mainMenu_);
    mainMenu_ = std::make_unique<ShellMenu>(res::emptyShellMenu(), this);
    POSTINIT();
    host_->setFrameMenu(mainMenu_.get());
    old.reset();
    return mainMenu_.get();
}

// ---------------------------------------------------------------- closing

bool STANDARDSHELLWINDOW::QUERYCLOSE()
{
    if (ASK(*port_, kExitTitle, kExitQuestion, BOX_YESNO_QUESTION) != REPLY_YES)
        return false;

    // The child windows hand their edits back to the problem as they close;
    // only then do the changed flags tell the whole story.
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (child->isHidden())
            continue;
        if (!child->close())
            return false;
    }

    ActiveProblem& p = G();
    if (p.isOpen() && p.anyChanged()) {
        const QString question = openProblemPath() + kChangedQuestion;
        if (ASK(*port_, QStringLiteral("Uyarı..."), question, BOX_YESNO_QUESTION) == REPLY_YES
            && !files_->KAYDET())
            return false;  // the save failed and said so: nothing is lost by staying
    }
    // The problem file is closed; the program is about to end.
    p.reset();
    return true;
}

void STANDARDSHELLWINDOW::FILEEXIT()
{
    close();
}

void STANDARDSHELLWINDOW::closeEvent(QCloseEvent* event)
{
    if (QUERYCLOSE())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------- child windows

// Cascade: every window that is neither hidden nor minimised gets the same
// size, the area less a third of its height, and the windows step down and to
// the right by a title bar from the bottom one to the active one on top,
// starting again at the corner when the steps run out.
void STANDARDSHELLWINDOW::WINDOWCASCADE()
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* child : mdi_->subWindowList(QMdiArea::StackingOrder))
        if (child->isVisible() && !child->isMinimized())
            windows << child;
    if (windows.isEmpty())
        return;
    const QRect area = mdi_->viewport()->rect();
    QStyleOptionTitleBar option;
    option.initFrom(windows.first());
    QStyle* style = windows.first()->style();
    const int spacing = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight, &option, windows.first())
                                     + style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, windows.first())
                                     - 1,
                                 1);
    const int steps = area.height() / (3 * spacing);
    const QSize size(std::max(area.width() - steps * spacing, 1), std::max(area.height() - steps * spacing, 1));
    int n = 0;
    for (QMdiSubWindow* child : windows) {
        if (child->isMaximized())
            child->showNormal();
        const int offset = spacing * (n++ % (steps + 1));
        child->setGeometry(QRect(area.topLeft() + QPoint(offset, offset), size));
    }
}

void STANDARDSHELLWINDOW::WINDOWTILE()
{
    mdi_->tileSubWindows();
}

void STANDARDSHELLWINDOW::WINDOWICON()
{
    const int bottom = mdi_->viewport()->height();
    int x = 0;
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (!child->isMinimized() || child->isHidden())
            continue;
        child->move(x, bottom - child->height());
        x += child->width();
    }
}

QMdiSubWindow* STANDARDSHELLWINDOW::addChildWindow(QWidget* widget)
{
    return mdi_->addSubWindow(widget);
}

void STANDARDSHELLWINDOW::showChildWindow(QMdiSubWindow* window)
{
    addChildWindow(window);
    window->resize(mdi_->viewport()->size());
    VQMOVEWINDOW(window, 1);
    window->show();
    mdi_->setActiveSubWindow(window);
    // The window may have become the active one while it was still hidden:
    // the frame takes its menu now.
    host_->refresh();
}

void STANDARDSHELLWINDOW::bringChildForward(QMdiSubWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    mdi_->setActiveSubWindow(window);
    host_->refresh();
}

// ---------------------------------------------------------------- menu state and options

void STANDARDSHELLWINDOW::MI_ENADISABLE()
{
    const MenuStateChange change = zeva::MI_ENADISABLE(G());
    if (mainMenu_)
        mainMenu_->apply(change);
    if (!change.caption.isNull())
        setWindowTitle(change.caption);
}

void STANDARDSHELLWINDOW::toggleOption(int item)
{
    const bool ticked = ticks_.toggle(item, *port_);
    if (mainMenu_)
        mainMenu_->setChecked(item, ticked);
}

void STANDARDSHELLWINDOW::TUYOGOSTER()
{
    toggleOption(ITEM_TUYOGOSTER);
}

void STANDARDSHELLWINDOW::LOGOGOSTER()
{
    toggleOption(ITEM_LOGOGOSTER);
}

void STANDARDSHELLWINDOW::ADPAROLASOR()
{
    // The user items stay as they are: a logon turned on takes effect at the
    // next start.
    toggleOption(ITEM_ADPAROLASOR);
}

void STANDARDSHELLWINDOW::selectReferenceTable(int item)
{
    if (!mainMenu_)
        return;
    mainMenu_->apply(referenceSelection(item, mainMenu_->ISCHECKED(ITEM_RMSEC_HK),
                                        mainMenu_->ISCHECKED(ITEM_RMSEC_KME)));
}

void STANDARDSHELLWINDOW::RMSEC_HK()
{
    selectReferenceTable(ITEM_RMSEC_HK);
}

void STANDARDSHELLWINDOW::RMSEC_KME()
{
    selectReferenceTable(ITEM_RMSEC_KME);
}

// ---------------------------------------------------------------- file commands

void STANDARDSHELLWINDOW::YENIDOSYAGIR()
{
    files_->YENIDOSYAGIR();
}

void STANDARDSHELLWINDOW::FILEOPEN()
{
    files_->FILEOPEN();
}

void STANDARDSHELLWINDOW::FILECLOSE()
{
    files_->FILECLOSE();
}

void STANDARDSHELLWINDOW::KAYDET()
{
    files_->KAYDET();
}

void STANDARDSHELLWINDOW::FKAYDET()
{
    files_->FKAYDET();
}

bool STANDARDSHELLWINDOW::DOOPENFILE(const QString& fileName)
{
    return files_->DOOPENFILE(fileName);
}

// ---------------------------------------------------------------- solve, requirements, help, about, users

void STANDARDSHELLWINDOW::COZUM()
{
    zeva::COZUM(*port_, solveOptions_);
    // The formula of the last optimum, or none after a solve that found none.
    if (mainMenu_)
        mainMenu_->setEnabled(kAddFormulaItem, G().isOpen() && !G().AKMMDATA.isEmpty());
}

void STANDARDSHELLWINDOW::NRESTOFDC1()
{
    zeva::NRESTOFDC1(*port_, estimator_, [this] { MI_ENADISABLE(); });
}

void STANDARDSHELLWINDOW::NRESTOFDC2()
{
    zeva::NRESTOFDC2(*port_, estimator_);
}

void STANDARDSHELLWINDOW::HELPOPEN()
{
    help_ = std::make_unique<HelpDisplay>(helpFilePath(), helpLauncher_);
}

void STANDARDSHELLWINDOW::setHelpLauncher(std::shared_ptr<HelpLauncher> launcher)
{
    helpLauncher_ = std::move(launcher);
    HELPOPEN();
}

void STANDARDSHELLWINDOW::HELPINDEX()
{
    showHelpTopic(*port_, *help_, QStringLiteral("HelpIndex"));
}

void STANDARDSHELLWINDOW::HELPCONTENTS()
{
    showHelpTopic(*port_, *help_, QStringLiteral("HelpContents"));
}

void STANDARDSHELLWINDOW::showHelp(const QString& topic)
{
    showHelpTopic(*port_, *help_, topic);
}

void STANDARDSHELLWINDOW::HELPUSINGHELP()
{
    // A display of its own: the program's help display stays as it is.
    const HelpDisplay helpOnHelp(helpOnHelpFilePath(), helpLauncher_);
    showHelpTopic(*port_, helpOnHelp, helpOnHelpTopic());
}

void STANDARDSHELLWINDOW::OHAKKINDA()
{
    zeva::OHAKKINDA(this, dialogRunner_);
}

void STANDARDSHELLWINDOW::ADDNEWUSER()
{
    zeva::ADDNEWUSER(this, G(), port_, dialogRunner_);
}

void STANDARDSHELLWINDOW::CHANGEUANDP()
{
    zeva::CHANGEUANDP(this, G(), port_, dialogRunner_);
}

// ---------------------------------------------------------------- drops

void STANDARDSHELLWINDOW::DROP(const QStringList& files)
{
    if (dropHandler_)
        dropHandler_(files);
}

void STANDARDSHELLWINDOW::setDropHandler(std::function<void(const QStringList&)> handler)
{
    dropHandler_ = std::move(handler);
}

// Answers a drag of files: taken as a copy while somebody handles them.
bool STANDARDSHELLWINDOW::takeDrag(QDropEvent* event) const
{
    if (!dropHandler_ || localFiles(event->mimeData()).isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void STANDARDSHELLWINDOW::dragEnterEvent(QDragEnterEvent* event)
{
    takeDrag(event);
}

void STANDARDSHELLWINDOW::dragMoveEvent(QDragMoveEvent* event)
{
    takeDrag(event);
}

void STANDARDSHELLWINDOW::dropEvent(QDropEvent* event)
{
    if (takeDrag(event))
        DROP(localFiles(event->mimeData()));
}

bool STANDARDSHELLWINDOW::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
    auto* drag = static_cast<QDropEvent*>(event);
    // Only the window's own children, and only files: other drags (text
    // within a pad) stay the child's.
    if (!widget || widget == this || widget->window() != this || localFiles(drag->mimeData()).isEmpty())
        return QMainWindow::eventFilter(watched, event);
    if (type == QEvent::Drop)
        dropEvent(drag);
    else
        takeDrag(drag);
    return true;
}

// ---------------------------------------------------------------- status bar

QString STANDARDSHELLWINDOW::clockText() const
{
    return clock_->text();
}

void STANDARDSHELLWINDOW::tickClock()
{
    clock_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

}  // namespace zeva
