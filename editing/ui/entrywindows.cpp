#include "editing/ui/entrywindows.h"

#include "core/activeproblem.h"
#include "editing/ui/vqdatacolumn.h"
#include "platform/runtime.h"
#include "platform/ui/programicons.h"
#include "resources/entrymenus.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/splashabout.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QResizeEvent>

namespace zeva {

namespace {

std::function<void(const QString&)>& helpHandler()
{
    static std::function<void(const QString&)> handler;
    return handler;
}

const res::MenuTable& windowMenuOf(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Nutrient:
        return res::bmGirMenu();
    case EntryKind::Feed:
        return res::ymGirMenu();
    case EntryKind::Ratio:
        break;
    }
    return res::bmoGirMenu();
}

const res::MenuTable& contextMenuOf(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Nutrient:
        return res::bmContMenu();
    case EntryKind::Feed:
        return res::ymConMenu();
    case EntryKind::Ratio:
        break;
    }
    return res::bmoContMenu();
}

ProblemWindowKind windowKindOf(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Nutrient:
        return ProblemWindowKind::Nutrient;
    case EntryKind::Feed:
        return ProblemWindowKind::Feed;
    case EntryKind::Ratio:
        break;
    }
    return ProblemWindowKind::Ratio;
}

// The grid keeps a small margin inside the window's client area.
constexpr int kBrowserMargin = 4;

}  // namespace

// ---------------------------------------------------------------- common frame

ProblemEntryWindow::ProblemEntryWindow(ProblemWindowKind kind, MenuOwner* owner, UserPort& port,
                                       const QString& className, const QString& caption,
                                       const QString& helpTopic)
    : port_(port), owner_(owner), kind_(kind), helpTopic_(helpTopic)
{
    setObjectName(className);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    setWindowIcon(ZVXTOD());

    canvas_ = new QWidget;
    setWidget(canvas_);
    canvas_->installEventFilter(this);

    // The browser's owner is this window: Esc in the grid closes it.
    browser_ = new OABS_BROWSER(this);
    browser_->setParent(canvas_);
    browser_->move(0, 0);
    browser_->show();
    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(browser_, &QWidget::customContextMenuRequested, this, &ProblemEntryWindow::showContextMenu);
}

ProblemEntryWindow::~ProblemEntryWindow() = default;

void ProblemEntryWindow::buildMenus(const res::MenuTable& window, const res::MenuTable& context)
{
    menu_ = std::make_unique<ShellMenu>(window, this);
    context_ = std::make_unique<ShellMenu>(context, this);
    // The context menu's keys are those of the window menu, which are live
    // while the window is active; here they are only shown.
    for (QAction* a : context_->actions())
        a->setShortcut(QKeySequence());
}

ShellMenu* ProblemEntryWindow::childMenu()
{
    return menu_.get();
}

void ProblemEntryWindow::setHelpHandler(std::function<void(const QString&)> handler)
{
    helpHandler() = std::move(handler);
}

bool ProblemEntryWindow::dispatch(const QString& symbol)
{
    if (symbol == QLatin1String("CLOSE")) {
        CLOSE();
        return true;
    }
    if (browser_->windowCommand(this, symbol))
        return true;
    if (symbol == QLatin1String("HELPINDEX")) {
        if (!helpHandler())
            return false;  // the main window's help index
        HELPINDEX();
        return true;
    }
    if (symbol == QLatin1String("CONTEXTHELP")) {
        CONTEXTHELP();
        return true;
    }
    if (symbol == QLatin1String("ZVXHAKKINDA")) {
        ZVXHAKKINDA();
        return true;
    }
    return runCommand(symbol);
}

void ProblemEntryWindow::CLOSE()
{
    close();
}

void ProblemEntryWindow::HELPINDEX()
{
    if (helpHandler())
        helpHandler()(QStringLiteral("HelpIndex"));
}

void ProblemEntryWindow::CONTEXTHELP()
{
    if (helpHandler())
        helpHandler()(helpTopic_);
}

void ProblemEntryWindow::ZVXHAKKINDA()
{
    OHAKKINDA(this, runner_);
}

void ProblemEntryWindow::showContextMenu(const QPoint& pos)
{
    if (!context_)
        return;
    const QList<QMenu*> menus = context_->topMenus();
    if (!menus.isEmpty())
        menus.first()->popup(browser_->viewport()->mapToGlobal(pos));
}

void ProblemEntryWindow::commitOpenEdit()
{
    browser_->commitOpenEditor();
}

void ProblemEntryWindow::suspendUpdate()
{
    browser_->SuspendUpdate();
}

void ProblemEntryWindow::restoreUpdate()
{
    browser_->RestoreUpdate();
}

void ProblemEntryWindow::sendMenuState()
{
    sendMenuCommand(owner_, QStringLiteral("MI_ENADISABLE"));
}

void ProblemEntryWindow::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        commitOpenEdit();
        closing();
    }
    // An entry window never refuses to close.
    QMdiSubWindow::closeEvent(event);
    event->accept();
}

bool ProblemEntryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == canvas_ && event->type() == QEvent::Resize) {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        browser_->resize(qMax(0, size.width() - kBrowserMargin), qMax(0, size.height() - kBrowserMargin));
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- nutrient, feed and ratio windows

TableEntryWindow::TableEntryWindow(EntryKind kind, MenuOwner* owner, UserPort& port)
    : ProblemEntryWindow(windowKindOf(kind), owner, port, entryKindInfo(kind).className, entryKindInfo(kind).caption,
                         entryKindInfo(kind).helpTopic)
{
    buildMenus(windowMenuOf(kind), contextMenuOf(kind));

    for (const EntryColumn& c : entryKindInfo(kind).columns) {
        auto* column = new VQDATACOLUMN(c.width);
        column->SetWidth(c.width);
        column->SetHyperLabel(c.field, c.caption);
        column->SetCaption(c.caption);
        browser_->ADDCOLUMN(column);
    }

    EntryTableEditor::Hooks hooks;
    hooks.suspendUpdate = [this] { suspendUpdate(); };
    hooks.restoreUpdate = [this] { restoreUpdate(); };
    if (kind != EntryKind::Ratio)
        hooks.menuState = [this] { sendMenuState(); };
    editor_ = std::make_unique<EntryTableEditor>(kind, port, hooks);
    browser_->setRules(editor_->makeRules());
    browser_->Use(editor_->server());
    browser_->ENABLECELLCURSOR(true);
}

TableEntryWindow::~TableEntryWindow() = default;

bool TableEntryWindow::writeBack()
{
    if (isClosing())
        return false;
    commitOpenEdit();
    return editor_->WRITEBACK();
}

bool TableEntryWindow::APPEND()
{
    commitOpenEdit();
    return editor_->APPEND();
}

void TableEntryWindow::DELETE_ROW()
{
    commitOpenEdit();
    editor_->DELETE_ROW();
}

void TableEntryWindow::ORANSEC()
{
    commitOpenEdit();
    editor_->ORANSEC();
}

bool TableEntryWindow::runCommand(const QString& symbol)
{
    if (symbol == QLatin1String("APPEND")) {
        APPEND();
        return true;
    }
    if (symbol == editor_->info().deleteSymbol) {
        DELETE_ROW();
        return true;
    }
    if (symbol == QLatin1String("ORANSEC") && editor_->kind() == EntryKind::Ratio) {
        ORANSEC();
        return true;
    }
    return false;
}

void TableEntryWindow::closing()
{
    editor_->QUERYCLOSE();
}

// ---------------------------------------------------------------- active matrix window

AMAT_GIRISWIN::AMAT_GIRISWIN(MenuOwner* owner, UserPort& port)
    : ProblemEntryWindow(ProblemWindowKind::Matrix, owner, port, QStringLiteral("AMAT_GIRISWIN"),
                         QStringLiteral("Yem Maddesi & Besin Maddesi Matrisi Yazımı"),
                         QStringLiteral("Aktif Matris Yazımı"))
{
    buildMenus(res::amatGirMenu(), res::amContMenu());
    browser_->setRules(std::make_unique<OAMAT_BROWSER>());

    auto* label = new VQDATACOLUMN(17);
    label->SetWidth(20);
    label->SetHyperLabel(QStringLiteral("MATFNAMEUNIT"), QStringLiteral("Besin Maddesi"));
    label->SetCaption(QStringLiteral("Besin Maddesi"));
    browser_->ADDCOLUMN(label);
    const QStringList feeds = G().AYMNAMES;
    for (int n = 1; n <= feeds.size(); ++n) {
        auto* column = new VQDATACOLUMN(17);
        column->SetWidth(17);
        column->SetHyperLabel(QStringLiteral("MATYMNAME") + AllTrim(Str(n, 3, 0)), feeds.at(n - 1));
        column->SetCaption(feeds.at(n - 1));
        browser_->ADDCOLUMN(column);
    }

    ActiveMatrixEditor::Hooks hooks;
    hooks.suspendUpdate = [this] { suspendUpdate(); };
    hooks.restoreUpdate = [this] { restoreUpdate(); };
    hooks.menuState = [this] { sendMenuState(); };
    editor_ = std::make_unique<ActiveMatrixEditor>(port, hooks);
    if (!editor_->server())
        return;
    browser_->Use(editor_->server());
    browser_->SetColumnFocus(2);
    browser_->ENABLECELLCURSOR(true);
}

AMAT_GIRISWIN::~AMAT_GIRISWIN() = default;

bool AMAT_GIRISWIN::writeBack()
{
    if (isClosing())
        return false;
    commitOpenEdit();
    return editor_->WRITEBACK();
}

void AMAT_GIRISWIN::PBSPLIT()
{
    commitOpenEdit();
    // The label column frozen at the left edge, or the single pane again.
    browser_->EnableVerticalSplit(!browser_->isVerticalSplit());
}

void AMAT_GIRISWIN::BMBAGLA()
{
    commitOpenEdit();
    editor_->BMBAGLA(browser_->ColPos());
}

bool AMAT_GIRISWIN::runCommand(const QString& symbol)
{
    if (symbol == QLatin1String("PBSPLIT")) {
        PBSPLIT();
        return true;
    }
    if (symbol == QLatin1String("BMBAGLA")) {
        BMBAGLA();
        return true;
    }
    return false;
}

void AMAT_GIRISWIN::closing()
{
    editor_->QUERYCLOSE();
}

}  // namespace zeva
